#pragma once
// The Winsock functions the client TLS probe calls, from the system's ws2_32.dll, loaded on first
// use (see SystemLibrary.h for why not by import). Every one is in Windows XP's ws2_32.dll,
// getaddrinfo and freeaddrinfo included.
#include "Win32.h"
#include <winsock2.h>
#include <ws2tcpip.h>

#include "SystemLibrary.h"

namespace platform {

struct WinsockFunctions {
    decltype(&::WSAStartup) wsaStartup;
    decltype(&::WSACleanup) wsaCleanup;
    decltype(&::WSAGetLastError) wsaGetLastError;
    decltype(&::getaddrinfo) getAddrInfo;
    decltype(&::freeaddrinfo) freeAddrInfo;
    decltype(&::socket) socket;
    decltype(&::ioctlsocket) ioctlSocket;
    decltype(&::connect) connect;
    decltype(&::select) select;
    decltype(&::getsockopt) getSockOpt;
    decltype(&::send) send;
    decltype(&::recv) recv;
    decltype(&::closesocket) closeSocket;
};

SystemLibrary& WinsockLibrary();

// Throws MissingSystemFunction, naming the DLL and the function, when one cannot be had.
const WinsockFunctions& Winsock();

}  // namespace platform
