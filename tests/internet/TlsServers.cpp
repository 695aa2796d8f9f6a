#include "TlsServers.h"

#include <chrono>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

#ifndef QT_TEST_PYTHON
#error "QT_TEST_PYTHON, QT_TEST_TLS_SERVER and QT_TEST_CERT_DIR come from the build"
#endif

namespace nettest {
namespace {

// Wine shows the Linux root directory as drive Z:.
std::string WindowsPath(std::string unixPath) {
    for (char& c : unixPath)
        if (c == '/') c = '\\';
    return "Z:" + unixPath;
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

// Every listener tls_server.py starts.
const char* const kListeners[] = {"trusted", "untrusted", "wrong-host", "inspected", "tls12", "tls10", "asks-cert"};

}  // namespace

std::string CertificateFolder() { return WindowsPath(QT_TEST_CERT_DIR); }

TlsServers::TlsServers() {
    const std::string portsUnix =
        std::string(QT_TEST_CERT_DIR) + "/ports-" + std::to_string(GetCurrentProcessId()) + ".txt";
    portsFile_ = WindowsPath(portsUnix);
    DeleteFileA(portsFile_.c_str());

    // Wine starts Linux programs by their Linux path; it gives no handle to wait on.
    std::string command = Quoted(QT_TEST_PYTHON) + " " + Quoted(QT_TEST_TLS_SERVER) + " --certs " +
                          Quoted(QT_TEST_CERT_DIR) + " --ports " + Quoted(portsUnix);
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        throw std::runtime_error("cannot start " + command);
    if (pi.hThread) CloseHandle(pi.hThread);
    if (pi.hProcess) CloseHandle(pi.hProcess);

    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < until) {
        std::ifstream in(portsFile_);
        std::string name;
        unsigned short port = 0;
        while (in >> name >> port) {
            ports_[name] = port;
        }
        if (ports_.size() == std::size(kListeners)) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    throw std::runtime_error("the HTTPS test servers did not come up: " + command);
}

TlsServers::~TlsServers() { DeleteFileA(portsFile_.c_str()); }

int TlsServers::Requests(const std::string& listener) const {
    std::ifstream in(portsFile_ + ".requests");
    std::string name;
    int count = 0;
    while (in >> name >> count)
        if (name == listener) return count;
    return 0;
}

unsigned short TlsServers::Port(const std::string& listener) const {
    const auto found = ports_.find(listener);
    if (found == ports_.end()) throw std::invalid_argument(listener);
    return found->second;
}

std::string TlsServers::Url(const std::string& listener, const std::string& path) const {
    return "https://localhost:" + std::to_string(Port(listener)) + path;
}

namespace {

// The local machine's "Root" store as Wine keeps it, in the registry. Through the system store
// ("Root" of CERT_STORE_PROV_SYSTEM) Wine 8 adds but never deletes; through its registry part
// it does both. Changes reach the registry when the store is closed.
HCERTSTORE OpenRootStore() {
    HCERTSTORE store = CertOpenStore(CERT_STORE_PROV_SYSTEM_REGISTRY_A, 0, 0,
                                     CERT_SYSTEM_STORE_LOCAL_MACHINE, "Root");
    if (!store) throw std::runtime_error("cannot open the Root store");
    return store;
}

}  // namespace

ScopedTrustedAuthority::ScopedTrustedAuthority() {
    std::ifstream in(CertificateFolder() + "\\test-ca.der", std::ios::binary);
    der_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (der_.empty()) throw std::runtime_error("no test-ca.der in " + CertificateFolder());
    HCERTSTORE store = OpenRootStore();
    const BOOL added = CertAddEncodedCertificateToStore(
        store, X509_ASN_ENCODING, reinterpret_cast<const BYTE*>(der_.data()),
        static_cast<DWORD>(der_.size()), CERT_STORE_ADD_REPLACE_EXISTING, nullptr);
    CertCloseStore(store, 0);
    if (!added) throw std::runtime_error("cannot add the test authority to the Root store");
}

ScopedTrustedAuthority::~ScopedTrustedAuthority() {
    PCCERT_CONTEXT authority =
        CertCreateCertificateContext(X509_ASN_ENCODING, reinterpret_cast<const BYTE*>(der_.data()),
                                     static_cast<DWORD>(der_.size()));
    if (!authority) return;
    try {
        HCERTSTORE store = OpenRootStore();
        if (PCCERT_CONTEXT found = CertFindCertificateInStore(
                store, X509_ASN_ENCODING, 0, CERT_FIND_EXISTING, authority, nullptr))
            CertDeleteCertificateFromStore(found);  // frees `found`
        CertCloseStore(store, 0);
    } catch (...) {
        // The prefix is the tests' own; a left-over authority is trusted there only.
    }
    CertFreeCertificateContext(authority);
}

}  // namespace nettest
