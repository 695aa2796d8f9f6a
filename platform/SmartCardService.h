#pragma once
// Asks Windows' smart-card service, through winscard.dll, which card readers it sees and whether
// a card is in each.
#include <chrono>

#include "ChunkRelay.h"
#include "SmartCardAnswer.h"

namespace platform {

// A new context for each call (from Windows 8 on the service stops a minute after the last
// reader goes, and a context kept from before then only gets SCARD_E_SERVICE_STOPPED), released
// before it returns. Each reader's state is asked for with a time limit of 0, one reader per
// call, so that a reader gone since the list spoils only its own answer. Never throws: a
// winscard.dll or function that cannot be had is said in the answer. Blocks as long as the
// service takes: in a Remote Desktop session each call is a round trip to the connecting PC.
SmartCardAnswer AskSmartCardService();

// AskSmartCardService on a thread of its own, waited for at most a time limit: a service that
// does not answer never holds the caller, as an Internet fetch never does. One Ask at a time.
class SmartCardQuery {
public:
    // The row's pause, which runs meanwhile: the question never holds the run past it, and a
    // prompt answer changes nothing in the window's pacing. A Remote Desktop link too slow for
    // its round trips in that time is said in the line.
    static constexpr std::chrono::seconds kLimit{1};

    // The service's answer, or one that says no answer came within `limit` (or before Cancel).
    SmartCardAnswer Ask(std::chrono::seconds limit = kLimit);
    // Thread-safe, and for good: the Ask in progress returns at once.
    void Cancel() { relay_.Cancel(); }

private:
    ChunkRelay relay_;
};

}  // namespace platform
