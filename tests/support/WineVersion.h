#pragma once
// Makes Wine report a chosen Windows release to one program, by its file name, for as long as
// the object lives (Wine's per-program setting HKCU\Software\Wine\AppDefaults\NAME\Version).
#include <string>

namespace testsupport {

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
