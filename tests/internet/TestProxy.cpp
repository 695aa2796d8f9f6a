#include "TestProxy.h"

#include <stdexcept>
#include <thread>

namespace nettest {
namespace {

constexpr char kInternetSettings[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

class ScopedKey {
public:
    ScopedKey() {
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kInternetSettings, 0, nullptr, 0,
                            KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_,
                            nullptr) != ERROR_SUCCESS)
            throw std::runtime_error("cannot open the Internet settings");
    }
    ~ScopedKey() { RegCloseKey(key_); }
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

}  // namespace

ScopedProxySetting::ScopedProxySetting(std::optional<unsigned short> port) {
    ScopedKey key;
    for (const char* name : {"ProxyEnable", "ProxyServer", "ProxyOverride"}) {
        Saved saved{name, std::nullopt};
        DWORD type = 0, size = 0;
        if (RegQueryValueExA(key.get(), name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
            std::vector<BYTE> data(size);
            if (RegQueryValueExA(key.get(), name, nullptr, &type, data.data(), &size) ==
                ERROR_SUCCESS)
                saved.value.emplace(type, std::vector<BYTE>(data.begin(), data.begin() + size));
        }
        saved_.push_back(std::move(saved));
    }
    const DWORD enable = port ? 1 : 0;
    if (RegSetValueExA(key.get(), "ProxyEnable", 0, REG_DWORD,
                       reinterpret_cast<const BYTE*>(&enable), sizeof enable) != ERROR_SUCCESS)
        throw std::runtime_error("cannot set the proxy");
    if (port) {
        const std::string server = "127.0.0.1:" + std::to_string(*port);
        if (RegSetValueExA(key.get(), "ProxyServer", 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(server.c_str()),
                           static_cast<DWORD>(server.size() + 1)) != ERROR_SUCCESS)
            throw std::runtime_error("cannot set the proxy");
    } else {
        RegDeleteValueA(key.get(), "ProxyServer");
    }
    RegDeleteValueA(key.get(), "ProxyOverride");  // loopback addresses go through it as well
}

ScopedProxySetting::~ScopedProxySetting() {
    try {
        ScopedKey key;
        for (const Saved& saved : saved_) {
            if (saved.value)
                RegSetValueExA(key.get(), saved.name.c_str(), 0, saved.value->first,
                               saved.value->second.data(),
                               static_cast<DWORD>(saved.value->second.size()));
            else
                RegDeleteValueA(key.get(), saved.name.c_str());
        }
    } catch (...) {
        // Nothing better to do in a destructor; the prefix is the tests' own.
    }
}

LoopbackServer::Handler ProxyHandler(std::function<void(const std::string& head)> record,
                                     std::function<std::string(const std::string& head)> answer,
                                     unsigned short tunnelPort) {
    return [record, answer, tunnelPort](Connection& client) {
        const std::string head = client.ReadHead();
        if (head.empty()) return;
        record(head);
        if (head.rfind("CONNECT ", 0) != 0) {
            client.Send(answer(head));
            return;
        }
        const SOCKET upstream = ConnectLoopback(tunnelPort);
        if (upstream == INVALID_SOCKET) {
            client.Send("HTTP/1.1 502 Bad Gateway\r\nContent-Length: 0\r\n\r\n");
            return;
        }
        client.Send("HTTP/1.1 200 Connection established\r\n\r\n");
        std::thread toServer([&client, upstream] {
            for (std::string data = client.ReadSome(); !data.empty(); data = client.ReadSome())
                if (send(upstream, data.data(), static_cast<int>(data.size()), 0) <= 0) break;
            shutdown(upstream, SD_SEND);
        });
        char buffer[16384];
        for (int got; (got = recv(upstream, buffer, sizeof buffer, 0)) > 0;)
            if (!client.Send(std::string_view(buffer, static_cast<std::size_t>(got)))) break;
        client.EndSending();
        toServer.join();
        closesocket(upstream);
    };
}

}  // namespace nettest
