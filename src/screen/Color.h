// Colours as the layouts and the control models name them: a red-green-blue
// value, or one of the system's colours, whose value only the screen knows.
#pragma once

#include <compare>
#include <cstdint>

namespace tarnsel::screen {

// The system's colours that a control names without knowing their values.
enum class SystemColor : std::uint8_t {
  BtnFace,
  BtnText,
  Window,
  WindowText,
  Highlight,
  HighlightText,
  ActiveCaption,
};

class TColor {
 public:
  static constexpr TColor Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return TColor(false, (std::uint32_t{red} << 16) | (std::uint32_t{green} << 8) | blue);
  }
  static constexpr TColor System(SystemColor color) {
    return TColor(true, static_cast<std::uint32_t>(color));
  }
  constexpr bool isSystem() const { return system_; }
  constexpr SystemColor systemColor() const { return static_cast<SystemColor>(value_); }
  // 0xRRGGBB; meaningful only when the colour is not a system colour.
  constexpr std::uint32_t rgb() const { return value_; }
  auto operator<=>(const TColor&) const = default;

 private:
  constexpr TColor(bool system, std::uint32_t value) : system_(system), value_(value) {}
  bool system_;
  std::uint32_t value_;
};

inline constexpr TColor clBlack = TColor::Rgb(0, 0, 0);
inline constexpr TColor clNavy = TColor::Rgb(0, 0, 128);
inline constexpr TColor clBlue = TColor::Rgb(0, 0, 255);
inline constexpr TColor clAqua = TColor::Rgb(0, 255, 255);
inline constexpr TColor clTeal = TColor::Rgb(0, 128, 128);
inline constexpr TColor clOlive = TColor::Rgb(128, 128, 0);
inline constexpr TColor clWhite = TColor::Rgb(255, 255, 255);
inline constexpr TColor clBtnFace = TColor::System(SystemColor::BtnFace);
inline constexpr TColor clBtnText = TColor::System(SystemColor::BtnText);
inline constexpr TColor clWindow = TColor::System(SystemColor::Window);
inline constexpr TColor clWindowText = TColor::System(SystemColor::WindowText);
inline constexpr TColor clHighlight = TColor::System(SystemColor::Highlight);
inline constexpr TColor clHighlightText = TColor::System(SystemColor::HighlightText);
inline constexpr TColor clActiveCaption = TColor::System(SystemColor::ActiveCaption);

}  // namespace tarnsel::screen
