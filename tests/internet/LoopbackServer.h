#pragma once
// A TCP server on 127.0.0.1 for the fetch tests: each connection is served on a thread of its
// own by a handler the test gives, which plays whatever part the test needs (a web server, a
// silent or slow one, a proxy). Stopping closes every connection and waits for the handlers.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <list>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "platform/Win32.h"
#include <winsock2.h>

namespace nettest {

class LoopbackServer;

// One accepted connection, as its handler sees it.
class Connection {
public:
    Connection(SOCKET socket, LoopbackServer& server) : socket_(socket), server_(server) {}

    // The request head, through the blank line that ends it; empty when the client closed or
    // the server is stopping first.
    std::string ReadHead();
    // Whatever has arrived next, waiting for it; empty at the end.
    std::string ReadSome();
    bool Send(std::string_view data);
    // Waits unless the server stops meanwhile; false when it is stopping.
    bool Pause(std::chrono::milliseconds time);
    // No more sending from this side (the peer reads the end).
    void EndSending();
    SOCKET Socket() const { return socket_; }

private:
    SOCKET socket_;
    LoopbackServer& server_;
    std::string pending_;  // read past the head
};

class LoopbackServer {
public:
    using Handler = std::function<void(Connection&)>;

    explicit LoopbackServer(Handler handler);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    unsigned short Port() const { return port_; }
    // "http://127.0.0.1:PORT" followed by `path`.
    std::string Url(std::string_view path) const;
    int Accepted() const { return accepted_; }

    // Closes the listener and every connection, and waits for the handlers. Idempotent.
    void Stop();
    bool Stopping() const { return stopping_; }
    // Waits until the server stops or the time has passed; false when it is stopping.
    bool WaitUnlessStopping(std::chrono::milliseconds time);

private:
    void AcceptLoop();

    Handler handler_;
    SOCKET listener_ = INVALID_SOCKET;
    unsigned short port_ = 0;
    std::atomic<int> accepted_{0};
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::condition_variable stopped_;
    std::list<SOCKET> open_;
    std::list<std::thread> handlers_;
    std::thread acceptor_;
};

// A port on 127.0.0.1 that nothing listens on (it was free a moment ago).
unsigned short UnusedPort();

// A complete response that closes the connection: status line, Content-Length, extra header
// lines (each ending in CRLF), the body.
std::string Response(int status, std::string_view body, std::string_view extraHeaders = {});

// Connects to 127.0.0.1:port; INVALID_SOCKET on failure. The caller closes it.
SOCKET ConnectLoopback(unsigned short port);

}  // namespace nettest
