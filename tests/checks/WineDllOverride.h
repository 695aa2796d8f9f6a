#pragma once
// Makes Wine load one library in its native form for one program, by the program's file name,
// for as long as the object lives (HKCU\Software\Wine\AppDefaults\NAME\DllOverrides). A program
// reads it when it starts, and the variable WINEDLLOVERRIDES set by a Windows process does not
// reach its children, so this is the way to give a child process its own override.
#include <string>

namespace checktest {

class ScopedWineDllOverride {
public:
    ScopedWineDllOverride(const std::string& exeName, const std::string& library,
                          const std::string& order);
    ~ScopedWineDllOverride();
    ScopedWineDllOverride(const ScopedWineDllOverride&) = delete;
    ScopedWineDllOverride& operator=(const ScopedWineDllOverride&) = delete;

private:
    std::string appKey_;
};

}  // namespace checktest
