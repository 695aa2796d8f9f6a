#include "SmartCardService.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <string_view>

#include "SystemLibrary.h"
#include "Win32.h"

#include <winscard.h>

namespace platform {
namespace {

// winscard.dll is not a known DLL: a copy beside the program must never be the one taken.
SystemLibrary& WinScardLibrary() {
    static SystemLibrary library("winscard.dll");
    return library;
}

// One resource-manager context, released when it goes.
class ServiceContext {
public:
    explicit ServiceContext(decltype(&::SCardReleaseContext) release) : release_(release) {}
    ~ServiceContext() {
        if (established_) release_(context_);
    }
    ServiceContext(const ServiceContext&) = delete;
    ServiceContext& operator=(const ServiceContext&) = delete;

    LONG Establish(decltype(&::SCardEstablishContext) establish) {
        const LONG status = establish(SCARD_SCOPE_USER, nullptr, nullptr, &context_);
        established_ = status == SCARD_S_SUCCESS;
        return status;
    }
    SCARDCONTEXT get() const { return context_; }

private:
    decltype(&::SCardReleaseContext) release_;
    SCARDCONTEXT context_ = 0;
    bool established_ = false;
};

SmartCardAnswer Ask() {
    SystemLibrary& dll = WinScardLibrary();
    // All four are had before anything is asked, so that a context is never left unreleased.
    const auto establish = dll.Get<decltype(&::SCardEstablishContext)>("SCardEstablishContext");
    const auto release = dll.Get<decltype(&::SCardReleaseContext)>("SCardReleaseContext");
    const auto listReaders = dll.Get<decltype(&::SCardListReadersA)>("SCardListReadersA");
    const auto statusChange = dll.Get<decltype(&::SCardGetStatusChangeA)>("SCardGetStatusChangeA");

    SmartCardAnswer answer;
    ServiceContext context(release);
    answer.status = static_cast<std::uint32_t>(context.Establish(establish));
    if (answer.status != kScardSuccess) return answer;

    // One call into a buffer as long as any list can be: no size query, so no reader that
    // arrives in between can make the list outgrow it.
    std::vector<char> list(kLongestReaderList);
    DWORD length = static_cast<DWORD>(list.size());
    answer.status = static_cast<std::uint32_t>(listReaders(context.get(), nullptr, list.data(), &length));
    if (answer.status != kScardSuccess) return answer;
    const std::vector<std::string> names =
        ReaderNamesIn(std::string_view(list.data(), std::min<std::size_t>(length, list.size())));
    answer.listed = names.size();

    // One reader per call: a call answers one code for all its readers, so a reader unplugged
    // since the list (SCARD_E_UNKNOWN_READER) would spoil the others' states.
    for (std::size_t i = 0; i < std::min(names.size(), kMostReadersAsked); ++i) {
        // Every member zero first, as readers redirected from a remote PC need.
        SCARD_READERSTATEA state{};
        state.szReader = names[i].c_str();
        state.dwCurrentState = SCARD_STATE_UNAWARE;  // answered at once, with the state as it is
        const auto status = static_cast<std::uint32_t>(statusChange(context.get(), 0, &state, 1));
        if (EndsTheAsking(status)) {
            answer.status = status;
            answer.readers.clear();
            return answer;
        }
        answer.readers.push_back({names[i], status == kScardSuccess ? state.dwEventState : 0, status});
    }
    return answer;
}

}  // namespace

SmartCardAnswer AskSmartCardService() {
    SmartCardAnswer answer;
    try {
        answer = Ask();
    } catch (const std::exception& e) {  // a missing DLL or function, or no memory for the list
        answer = SmartCardAnswer{};
        answer.missing = e.what();
    }
    answer.remoteSession = GetSystemMetrics(SM_REMOTESESSION) != 0;
    return answer;
}

SmartCardAnswer SmartCardQuery::Ask(std::chrono::seconds limit) {
    // The asking thread fills an answer it shares with nothing of the caller's: left behind in a
    // winscard call past the limit, it touches only what it owns.
    const auto answer = std::shared_ptr<SmartCardAnswer>(new SmartCardAnswer());
    const ChunkRelay::Outcome outcome = relay_.Run(
        [answer](const ChunkRelay::Deliver&) {
            *answer = AskSmartCardService();
            return true;
        },
        [](std::string_view) { return true; }, SteadyClock::now() + limit);
    // Completed only once the thread has finished with the answer.
    if (outcome == ChunkRelay::Outcome::Completed) return *answer;
    SmartCardAnswer unanswered;
    if (outcome == ChunkRelay::Outcome::Failed)
        unanswered.missing = "no thread could be started to ask it";
    else
        unanswered.noAnswerWithinSeconds = static_cast<unsigned>(limit.count());
    return unanswered;
}

}  // namespace platform
