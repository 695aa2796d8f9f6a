#include "LocalEndpoints.h"

namespace bench {

namespace {
// About the size of the real download page's answer.
constexpr char kApplicationPage[] =
    "<html><head><title>Tessary Card</title></head><body>"
    "<a href=\"TessaryApp.application\">Install the Tessary Card client</a></body></html>";
}  // namespace

LocalEndpoints::LocalEndpoints()
    : proxy_(nettest::ProxyHandler([](const std::string&) {},
                                   [](const std::string&) { return nettest::Response(200, kApplicationPage); },
                                   servers_.Port("trusted"))),
      setting_(proxy_.Port()) {}

}  // namespace bench
