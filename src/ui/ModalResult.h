// A form's modal result: what ended its modal run, handed over by its buttons.
#pragma once

namespace tarnsel::ui {

// An integer so that any value a button or handler stores comes back unchanged.
using TModalResult = int;

inline constexpr TModalResult mrNone = 0;  // the modal run goes on
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;

}  // namespace tarnsel::ui
