#pragma once
// What the benchmark knows of minimal_window.exe, the yardstick for the checker's start-up.
namespace minimal {

inline constexpr char kTitle[] = "Minimal Win32 window";
// The colour that fills its client area once it has painted; no stock colour.
inline constexpr unsigned char kRed = 0xC0, kGreen = 0x30, kBlue = 0xA0;
inline constexpr int kClientWidth = 360, kClientHeight = 220;  // about the checker's size

}  // namespace minimal
