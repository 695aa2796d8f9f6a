#include "Winsock.h"

namespace platform {

SystemLibrary& WinsockLibrary() {
    static SystemLibrary library("ws2_32.dll");
    return library;
}

const WinsockFunctions& Winsock() {
    // Looked up once; a lookup that throws is tried again by the next caller.
    static const WinsockFunctions functions = [] {
        SystemLibrary& dll = WinsockLibrary();
        return WinsockFunctions{
            dll.Get<decltype(&::WSAStartup)>("WSAStartup"),
            dll.Get<decltype(&::WSACleanup)>("WSACleanup"),
            dll.Get<decltype(&::WSAGetLastError)>("WSAGetLastError"),
            dll.Get<decltype(&::getaddrinfo)>("getaddrinfo"),
            dll.Get<decltype(&::freeaddrinfo)>("freeaddrinfo"),
            dll.Get<decltype(&::socket)>("socket"),
            dll.Get<decltype(&::ioctlsocket)>("ioctlsocket"),
            dll.Get<decltype(&::connect)>("connect"),
            dll.Get<decltype(&::select)>("select"),
            dll.Get<decltype(&::getsockopt)>("getsockopt"),
            dll.Get<decltype(&::send)>("send"),
            dll.Get<decltype(&::recv)>("recv"),
            dll.Get<decltype(&::closesocket)>("closesocket"),
        };
    }();
    return functions;
}

}  // namespace platform
