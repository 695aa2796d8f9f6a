#pragma once
// A proxy for the fetch tests, and the prefix's Internet settings pointed at it.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "LoopbackServer.h"

namespace nettest {

// While the object lives, HKCU's Internet settings send every address through the proxy at
// 127.0.0.1:port, as a corporate network's do, or, without a port, straight to the servers;
// the values there before come back afterwards.
class ScopedProxySetting {
public:
    explicit ScopedProxySetting(std::optional<unsigned short> port);
    ~ScopedProxySetting();
    ScopedProxySetting(const ScopedProxySetting&) = delete;
    ScopedProxySetting& operator=(const ScopedProxySetting&) = delete;

private:
    struct Saved {
        std::string name;
        std::optional<std::pair<DWORD, std::vector<BYTE>>> value;  // type and data, if it existed
    };
    std::vector<Saved> saved_;
};

// What the proxy does: a request head is passed to `record`; a plain request
// ("GET http://host/path HTTP/1.1") is answered with `answer(head)`; "CONNECT host:port" is
// tunnelled to 127.0.0.1:tunnelPort, whatever the host and port asked for.
LoopbackServer::Handler ProxyHandler(std::function<void(const std::string& head)> record,
                                     std::function<std::string(const std::string& head)> answer,
                                     unsigned short tunnelPort);

}  // namespace nettest
