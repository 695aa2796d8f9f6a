#include "VendorEndpoints.h"

#include "checks/InternetChecks.h"

namespace scenario {

namespace {

// "http://host/path" of a built-in URL, split at the host.
struct UrlParts {
    std::string host;
    std::string path;
};

UrlParts Split(const std::string& url) {
    const std::size_t hostStart = url.find("://") + 3;
    const std::size_t pathStart = url.find('/', hostStart);
    return {url.substr(hostStart, pathStart - hostStart), url.substr(pathStart)};
}

const char kAppPage[] =
    "<html><body><h1>Tessary Card</h1>"
    "<a href=\"TessaryApp.application\">Install the Tessary Card client</a></body></html>";

}  // namespace

VendorEndpoints::VendorEndpoints(const nettest::TlsServers& servers, const std::string& service)
    : proxy_(nettest::ProxyHandler([this](const std::string& head) { Record(head); },
                                   [this](const std::string& head) { return Answer(head); },
                                   servers.Port(service))),
      setting_(proxy_.Port()) {}

std::string VendorEndpoints::Answer(const std::string& head) const {
    // Wine names the default port in the request line; Windows leaves it out.
    const UrlParts app = Split(AppUrl());
    for (const std::string& target :
         {"http://" + app.host + app.path, "http://" + app.host + ":80" + app.path}) {
        if (head.rfind("GET " + target + " HTTP/1.", 0) == 0)
            return nettest::Response(200, kAppPage);
    }
    return nettest::Response(404, "<html><body>Not found</body></html>");
}

void VendorEndpoints::Record(const std::string& head) {
    std::lock_guard lock(mutex_);
    heads_.push_back(head);
}

bool VendorEndpoints::Saw(const std::string& start) const {
    std::lock_guard lock(mutex_);
    for (const std::string& head : heads_)
        if (head.rfind(start, 0) == 0) return true;
    return false;
}

bool VendorEndpoints::SawAppPageRequest() const {
    const UrlParts app = Split(AppUrl());
    return Saw("GET http://" + app.host + app.path + " ") ||
           Saw("GET http://" + app.host + ":80" + app.path + " ");
}

bool VendorEndpoints::SawServiceTunnel() const {
    return Saw("CONNECT " + Split(DataUrl()).host + ":443 ");
}

std::string VendorEndpoints::Requests() const {
    std::lock_guard lock(mutex_);
    std::string all;
    for (const std::string& head : heads_) all += head;
    return all.empty() ? "(none)" : all;
}

}  // namespace scenario
