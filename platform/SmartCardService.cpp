#include "SmartCardService.h"

#include <algorithm>
#include <exception>

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

    for (std::size_t i = 0; i < std::min(names.size(), kMostReadersAsked); ++i) {
        // Every member zero first, as readers redirected from a remote PC need.
        SCARD_READERSTATEA state{};
        state.szReader = names[i].c_str();
        state.dwCurrentState = SCARD_STATE_UNAWARE;  // answered at once, with the state as it is
        answer.status = static_cast<std::uint32_t>(statusChange(context.get(), 0, &state, 1));
        if (answer.status != kScardSuccess) {
            answer.readers.clear();
            return answer;
        }
        answer.readers.push_back({names[i], state.dwEventState});
    }
    return answer;
}

}  // namespace

SmartCardAnswer AskSmartCardService() {
    try {
        return Ask();
    } catch (const std::exception& e) {  // a missing DLL or function, or no memory for the list
        SmartCardAnswer answer;
        answer.missing = e.what();
        return answer;
    }
}

}  // namespace platform
