#include "WinInet.h"

#include "SystemLibrary.h"

namespace platform {

const WinInetFunctions& WinInet() {
    // Looked up once; a lookup that throws is tried again by the next caller.
    static const WinInetFunctions functions = [] {
        SystemLibrary& dll = WinInetLibrary();
        return WinInetFunctions{
            dll.Get<decltype(&::InternetOpenA)>("InternetOpenA"),
            dll.Get<decltype(&::InternetCloseHandle)>("InternetCloseHandle"),
            dll.Get<decltype(&::InternetSetOptionA)>("InternetSetOptionA"),
            dll.Get<decltype(&::InternetQueryOptionA)>("InternetQueryOptionA"),
            dll.Get<decltype(&::InternetCrackUrlA)>("InternetCrackUrlA"),
            dll.Get<decltype(&::InternetConnectA)>("InternetConnectA"),
            dll.Get<decltype(&::HttpOpenRequestA)>("HttpOpenRequestA"),
            dll.Get<decltype(&::HttpSendRequestA)>("HttpSendRequestA"),
            dll.Get<decltype(&::HttpQueryInfoA)>("HttpQueryInfoA"),
            dll.Get<decltype(&::InternetQueryDataAvailable)>("InternetQueryDataAvailable"),
            dll.Get<decltype(&::InternetReadFile)>("InternetReadFile"),
            dll.Get<decltype(&::InternetCombineUrlA)>("InternetCombineUrlA"),
        };
    }();
    return functions;
}

}  // namespace platform
