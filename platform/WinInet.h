#pragma once
// The WinINet functions the program calls, from the system's wininet.dll, loaded on first use
// (see SystemLibrary.h for why not by import).
#include "Win32.h"
#include <wininet.h>

namespace platform {

struct WinInetFunctions {
    decltype(&::InternetOpenA) internetOpen;
    decltype(&::InternetCloseHandle) internetCloseHandle;
    decltype(&::InternetSetOptionA) internetSetOption;
    decltype(&::InternetQueryOptionA) internetQueryOption;
    decltype(&::InternetCrackUrlA) internetCrackUrl;
    decltype(&::InternetConnectA) internetConnect;
    decltype(&::HttpOpenRequestA) httpOpenRequest;
    decltype(&::HttpSendRequestA) httpSendRequest;
    decltype(&::HttpQueryInfoA) httpQueryInfo;
    decltype(&::InternetQueryDataAvailable) internetQueryDataAvailable;
    decltype(&::InternetReadFile) internetReadFile;
    decltype(&::InternetCombineUrlA) internetCombineUrl;
};

// Throws MissingSystemFunction, naming the DLL and the function, when one cannot be had.
const WinInetFunctions& WinInet();

}  // namespace platform
