// The mouse cursors that controls show over themselves and that the models set
// on the whole screen while they work.
#pragma once

namespace tarnsel::screen {

// Any other value is a cursor saved from the screen to be given back unchanged.
enum class TCursor : int { crDefault = 0, crHourGlass = -11, crNo = -18, crHandPoint = -21 };

}  // namespace tarnsel::screen
