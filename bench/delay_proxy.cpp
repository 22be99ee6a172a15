#include "bench/delay_proxy.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <deque>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace tmk::bench {

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error("Proxy com atraso: " + what + " (" + std::strerror(errno) + ").");
}

void noDelay(int socket) {
    const int on = 1;
    ::setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

int connectTo(const std::string& host, std::uint16_t port) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) {
        return -1;
    }
    int s = -1;
    for (addrinfo* a = found; a && s < 0; a = a->ai_next) {
        s = ::socket(a->ai_family, a->ai_socktype, a->ai_protocol);
        if (s >= 0 && ::connect(s, a->ai_addr, a->ai_addrlen) != 0) {
            ::close(s);
            s = -1;
        }
    }
    ::freeaddrinfo(found);
    if (s >= 0) {
        noDelay(s);
    }
    return s;
}

bool writeAll(int socket, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::send(socket, data, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        data += n;
        size -= size_t(n);
    }
    return true;
}

// Carries one direction: what arrives on `from` leaves on `to` once its delay is over.
// ppoll waits for new bytes with a timeout to the next chunk due, to the nanosecond.
void pump(int from, int to, std::chrono::microseconds delay, const std::atomic<bool>& stopping) {
    struct Chunk {
        Clock::time_point due;
        std::string bytes;
    };
    std::deque<Chunk> inTransit;
    bool ended = false; // end of stream or error on `from`: deliver what is left, then close
    char buffer[65536];
    while (!stopping) {
        Clock::time_point now = Clock::now();
        while (!inTransit.empty() && inTransit.front().due <= now) {
            if (!writeAll(to, inTransit.front().bytes.data(), inTransit.front().bytes.size())) {
                ended = true;
                inTransit.clear();
                break;
            }
            inTransit.pop_front();
            now = Clock::now();
        }
        if (ended && inTransit.empty()) {
            break;
        }
        // Look at `stopping` at least every 100 ms.
        auto wait = std::chrono::nanoseconds(std::chrono::milliseconds(100));
        if (!inTransit.empty()) {
            wait = std::min(wait, std::chrono::nanoseconds(inTransit.front().due - now));
        }
        if (ended) {
            std::this_thread::sleep_for(wait);
            continue;
        }
        const timespec timeout{time_t(wait.count() / 1000000000), long(wait.count() % 1000000000)};
        pollfd p{from, POLLIN, 0};
        const int ready = ::ppoll(&p, 1, &timeout, nullptr);
        if (ready < 0 && errno != EINTR) {
            ended = true;
        } else if (ready > 0) {
            const ssize_t n = ::recv(from, buffer, sizeof buffer, 0);
            if (n > 0) {
                inTransit.push_back({Clock::now() + delay, std::string(buffer, size_t(n))});
            } else if (n == 0 || errno != EINTR) {
                ended = true;
            }
        }
    }
    ::shutdown(to, SHUT_WR);
    ::shutdown(from, SHUT_RD);
}

} // namespace

DelayProxy::DelayProxy(std::string targetHost, std::uint16_t targetPort,
                       std::chrono::microseconds delayEachWay, std::uint16_t listenPort)
    : targetHost_(std::move(targetHost))
    , targetPort_(targetPort)
    , delay_(delayEachWay) {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    if (listener_ < 0) {
        fail("não foi possível criar o socket");
    }
    const int on = 1;
    ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(listenPort);
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 16) != 0) {
        ::close(listener_);
        fail("não foi possível escutar em 127.0.0.1:" + std::to_string(listenPort));
    }
    socklen_t size = sizeof address;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { acceptLoop(); });
}

DelayProxy::~DelayProxy() {
    stop();
}

void DelayProxy::stop() {
    if (stopping_.exchange(true)) {
        return;
    }
    ::shutdown(listener_, SHUT_RDWR);
    if (acceptor_.joinable()) {
        acceptor_.join();
    }
    ::close(listener_);
    std::lock_guard lock(mutex_);
    for (int s : sockets_) {
        ::shutdown(s, SHUT_RDWR);
    }
    for (std::thread& t : pumps_) {
        t.join();
    }
    for (int s : sockets_) {
        ::close(s);
    }
    sockets_.clear();
    pumps_.clear();
}

void DelayProxy::acceptLoop() {
    while (!stopping_) {
        const int client = ::accept(listener_, nullptr, nullptr);
        if (client < 0) {
            if (errno == EINTR) {
                continue;
            }
            return; // the listener was shut down
        }
        serve(client);
    }
}

void DelayProxy::serve(int client) {
    noDelay(client);
    const int server = connectTo(targetHost_, targetPort_);
    std::lock_guard lock(mutex_);
    if (server < 0 || stopping_) {
        ::close(client);
        if (server >= 0) {
            ::close(server);
        }
        return;
    }
    sockets_.push_back(client);
    sockets_.push_back(server);
    pumps_.emplace_back(pump, client, server, delay_, std::cref(stopping_));
    pumps_.emplace_back(pump, server, client, delay_, std::cref(stopping_));
}

} // namespace tmk::bench
