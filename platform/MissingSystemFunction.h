#pragma once
// A function of Windows that the program needs is not there: an old or damaged system, or a DLL
// that is not the system's. The check that needed it cannot look; it is never a crash and never
// the loader's error box. Portable.
#include <stdexcept>
#include <string>

namespace platform {

class MissingSystemFunction : public std::runtime_error {
public:
    // what(): "wininet.dll has no HttpSendRequestA", or "wininet.dll could not be loaded".
    using std::runtime_error::runtime_error;
};

}  // namespace platform
