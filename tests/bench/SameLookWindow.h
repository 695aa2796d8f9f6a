#pragma once
// What the benchmark knows of same_look_window.exe: the checker's window as it first appears,
// without the program behind it. Its first paint shows the question marks where the checker's
// does, so both are seen painted by the same test.
namespace same_look {

inline constexpr char kTitle[] = "Same-look window";

}  // namespace same_look
