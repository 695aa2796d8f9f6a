#include "ClaimedPath.h"

#include <stdexcept>

#include "platform/Win32.h"
#include "tests/checks/ScratchFolder.h"

namespace scenario {

namespace {

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

ClaimedPath::ClaimedPath(std::string path)
    : path_(std::move(path)), aside_(path_ + ".scenario-aside") {
    // A run that was cut short left the content aside and its own in the path: the content
    // aside is the machine's.
    if (Exists(aside_)) {
        checktest::RemoveTree(path_);
        if (!MoveFileA(aside_.c_str(), path_.c_str()))
            throw std::runtime_error("cannot put " + aside_ + " back");
    }
    if (!Exists(path_)) return;
    if (!MoveFileA(path_.c_str(), aside_.c_str()))
        throw std::runtime_error("cannot move " + path_ + " aside");
    movedAside_ = true;
}

ClaimedPath::~ClaimedPath() {
    checktest::RemoveTree(path_);
    if (movedAside_) MoveFileA(aside_.c_str(), path_.c_str());
}

}  // namespace scenario
