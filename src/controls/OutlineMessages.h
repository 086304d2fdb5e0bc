// The outline tree's error messages (UTF-8), as its errors carry them.
#pragma once

namespace tarnsel::controls::outline_message {

inline constexpr const char* IndexNotFound = "アウトライン インデックスが見つかりません";
inline constexpr const char* InvalidIndex = "アウトライン インデックスが不正です";
inline constexpr const char* InvalidCurrentItem = "カレント アイテムにとって不正な値です";
inline constexpr const char* InvalidSelection = "選択範囲が不正です";
inline constexpr const char* ParentNotExpanded = "親が展開されていません";
inline constexpr const char* TooDeep = "アウトラインの深さが限界を超えました";

}  // namespace tarnsel::controls::outline_message
