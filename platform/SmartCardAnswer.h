#pragma once
// What Windows' smart-card service answered when asked which card readers it sees. Portable
// record; AskSmartCardService (SmartCardService.h) fills it on Windows.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The smart-card return codes the program tells apart (winscard.h's values).
inline constexpr std::uint32_t kScardSuccess = 0;
inline constexpr std::uint32_t kScardInvalidHandle = 0x80100003;    // SCARD_E_INVALID_HANDLE
inline constexpr std::uint32_t kScardNoService = 0x8010001D;         // SCARD_E_NO_SERVICE
inline constexpr std::uint32_t kScardServiceStopped = 0x8010001E;    // SCARD_E_SERVICE_STOPPED
inline constexpr std::uint32_t kScardNoReadersAvailable = 0x8010002E;  // SCARD_E_NO_READERS_AVAILABLE
// ERROR_BROKEN_PIPE (winerror.h: 109): in a Remote Desktop session that passes no smart cards on.
// Microsoft's table of smart-card return values prints it as 0x00000109, which is 109 in decimal.
inline constexpr std::uint32_t kScardBrokenPipe = 109;

// Whether a reader's status call failing with `status` means the service itself is gone or
// unreachable, so that nothing more can be asked; any other failure is that reader's alone (one
// unplugged between the list and the call answers SCARD_E_UNKNOWN_READER).
constexpr bool EndsTheAsking(std::uint32_t status) {
    return status == kScardNoService || status == kScardServiceStopped || status == kScardInvalidHandle ||
           status == kScardBrokenPipe;
}

// Bits of a reader's event state. The high 16 bits count card insertions and removals, so only
// these bits are tested, never the whole value.
inline constexpr std::uint32_t kScardStateEmpty = 0x0010;    // SCARD_STATE_EMPTY
inline constexpr std::uint32_t kScardStatePresent = 0x0020;  // SCARD_STATE_PRESENT

// Windows 8 and later list at most 10 readers (MAXIMUM_SMARTCARD_READERS); older Windows may list
// more, and only this many are asked about.
inline constexpr std::size_t kMostReadersAsked = 10;
// The longest reader list read, in characters with its NULs: the bound the smart-card protocol
// of Remote Desktop puts on a list of readers (MS-RDPESC, ListReaders_Return).
inline constexpr std::size_t kLongestReaderList = 65536;

struct SmartCardReaderState {
    std::string name;  // in the system code page, as the single-byte ("A") functions give it
    std::uint32_t eventState = 0;
    // What its status call answered: its state is known only when kScardSuccess.
    std::uint32_t status = kScardSuccess;
};

struct SmartCardAnswer {
    // kScardSuccess, or the code of the call that ended the asking: establishing the context,
    // listing, or a reader's status call failing in a way that EndsTheAsking.
    std::uint32_t status = kScardSuccess;
    // Not empty when winscard.dll or one of its functions could not be had: what was missing.
    std::string missing{};
    // The readers asked about, in the service's order; empty unless status is kScardSuccess.
    std::vector<SmartCardReaderState> readers{};
    // How many readers the service listed: more than were asked about past kMostReadersAsked.
    std::size_t listed = 0;
    // Whether the program runs in a Remote Desktop session (SM_REMOTESESSION): Windows then sees
    // the readers the connecting PC passes on, not those of the PC itself.
    bool remoteSession = false;
    // Not 0 when the service gave no answer within this many seconds; the rest then says nothing.
    unsigned noAnswerWithinSeconds = 0;
};

// The names in a multi-string as SCardListReaders gives it: each ended by a NUL, the list by an
// empty one. `list` is what was read, at most as long as reported; a name that is not ended
// within it is left out.
inline std::vector<std::string> ReaderNamesIn(std::string_view list) {
    std::vector<std::string> names;
    while (!list.empty()) {
        const std::size_t end = list.find('\0');
        if (end == 0 || end == std::string_view::npos) break;
        names.emplace_back(list.substr(0, end));
        list.remove_prefix(end + 1);
    }
    return names;
}

}  // namespace platform
