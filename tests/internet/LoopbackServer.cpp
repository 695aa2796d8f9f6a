#include "LoopbackServer.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace nettest {
namespace {

// Winsock for the life of the test program.
struct Winsock {
    Winsock() {
        WSADATA data;
        if (WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("WSAStartup");
    }
    ~Winsock() { WSACleanup(); }
};

void EnsureWinsock() { static Winsock winsock; }

sockaddr_in Loopback(unsigned short port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

const char* Reason(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 301:
            return "Moved Permanently";
        case 302:
            return "Found";
        case 404:
            return "Not Found";
        case 500:
            return "Internal Server Error";
        default:
            return "Status";
    }
}

}  // namespace

std::string Connection::ReadHead() {
    std::string head = std::move(pending_);
    pending_.clear();
    for (;;) {
        const std::size_t end = head.find("\r\n\r\n");
        if (end != std::string::npos) {
            pending_ = head.substr(end + 4);
            head.resize(end + 4);
            return head;
        }
        const std::string more = ReadSome();
        if (more.empty()) return {};
        head += more;
    }
}

std::string Connection::ReadSome() {
    if (!pending_.empty()) return std::exchange(pending_, {});
    char buffer[16384];
    const int got = recv(socket_, buffer, sizeof buffer, 0);
    if (got <= 0) return {};
    return std::string(buffer, static_cast<std::size_t>(got));
}

bool Connection::Send(std::string_view data) {
    while (!data.empty()) {
        const int chunk = static_cast<int>(std::min<std::size_t>(data.size(), 1 << 20));
        const int sent = send(socket_, data.data(), chunk, 0);
        if (sent <= 0) return false;
        data.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

bool Connection::Pause(std::chrono::milliseconds time) { return server_.WaitUnlessStopping(time); }

void Connection::EndSending() { shutdown(socket_, SD_SEND); }

LoopbackServer::LoopbackServer(Handler handler) : handler_(std::move(handler)) {
    EnsureWinsock();
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (listener_ == INVALID_SOCKET) throw std::runtime_error("socket");
    sockaddr_in address = Loopback(0);
    int length = sizeof address;
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, SOMAXCONN) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        closesocket(listener_);
        throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { AcceptLoop(); });
}

LoopbackServer::~LoopbackServer() { Stop(); }

std::string LoopbackServer::Url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

void LoopbackServer::AcceptLoop() {
    for (;;) {
        const SOCKET client = accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET) return;  // the listener was closed
        std::lock_guard lock(mutex_);
        if (stopping_) {
            closesocket(client);
            return;
        }
        ++accepted_;
        open_.push_back(client);
        handlers_.emplace_back([this, client] {
            Connection connection(client, *this);
            try {
                handler_(connection);
            } catch (...) {
                // A handler that breaks only ends its own connection.
            }
            // Let the client read everything that was sent before the close.
            shutdown(client, SD_SEND);
            std::lock_guard inner(mutex_);
            open_.remove(client);
            closesocket(client);
        });
    }
}

bool LoopbackServer::WaitUnlessStopping(std::chrono::milliseconds time) {
    std::unique_lock lock(mutex_);
    return !stopped_.wait_for(lock, time, [this] { return stopping_.load(); });
}

void LoopbackServer::Stop() {
    {
        std::lock_guard lock(mutex_);
        if (stopping_) return;
        stopping_ = true;
        // Wakes handlers blocked in recv; each closes its own socket.
        for (SOCKET s : open_) shutdown(s, SD_BOTH);
    }
    stopped_.notify_all();
    closesocket(listener_);
    if (acceptor_.joinable()) acceptor_.join();
    std::list<std::thread> handlers;
    {
        std::lock_guard lock(mutex_);
        handlers.swap(handlers_);
    }
    for (std::thread& t : handlers) t.join();
}

unsigned short UnusedPort() {
    EnsureWinsock();
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = Loopback(0);
    int length = sizeof address;
    bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    closesocket(s);
    return ntohs(address.sin_port);
}

std::string Response(int status, std::string_view body, std::string_view extraHeaders) {
    std::string response = "HTTP/1.1 " + std::to_string(status) + " " + Reason(status) + "\r\n";
    response += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    response += "Connection: close\r\n";
    response += extraHeaders;
    response += "\r\n";
    response += body;
    return response;
}

SOCKET ConnectLoopback(unsigned short port) {
    EnsureWinsock();
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) return s;
    sockaddr_in address = Loopback(port);
    if (connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        closesocket(s);
        return INVALID_SOCKET;
    }
    return s;
}

}  // namespace nettest
