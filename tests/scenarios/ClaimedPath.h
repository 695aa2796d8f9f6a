#pragma once
// A path on the machine that a scenario takes over: whatever lies there is moved aside at once,
// the scenario puts there what it needs (or nothing), and when the object goes that is removed
// and what was there before is put back.
#include <string>

namespace scenario {

class ClaimedPath {
public:
    // Throws when something lies at `path` and cannot be moved aside.
    explicit ClaimedPath(std::string path);
    ~ClaimedPath();
    ClaimedPath(const ClaimedPath&) = delete;
    ClaimedPath& operator=(const ClaimedPath&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::string aside_;  // where the earlier content waits
    bool movedAside_ = false;
};

}  // namespace scenario
