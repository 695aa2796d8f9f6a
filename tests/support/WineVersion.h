#pragma once
// Makes Wine report a chosen Windows release to one program, by its file name, for as long as
// the object lives (Wine's per-program setting HKCU\Software\Wine\AppDefaults\NAME\Version).
#include <string>

#include "platform/Win32.h"

namespace testsupport {

// Deletes the key when it holds neither values nor subkeys: Wine's per-program key is shared by
// the settings that tests make for one program, and each removes only what it made.
void DeleteKeyIfEmpty(HKEY root, const std::string& path);

class ScopedWineVersion {
public:
    ScopedWineVersion(std::string exeName, const std::string& version);
    ~ScopedWineVersion();
    ScopedWineVersion(const ScopedWineVersion&) = delete;
    ScopedWineVersion& operator=(const ScopedWineVersion&) = delete;

private:
    std::string keyPath_;
};

}  // namespace testsupport
