#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tmk::bench {

// A TCP proxy on the loopback interface that passes every byte between a client and a
// server after a fixed delay in each direction, as a store network would: a statement
// and its answer then cost two delays more. It listens on 127.0.0.1 at a free port (or
// the one given) and connects each client it accepts to the target; two threads per
// connection carry the bytes, each read chunk leaving no earlier than its arrival plus
// the delay, in order. Nothing is buffered beyond what is in transit.
class DelayProxy {
public:
    // Throws std::runtime_error (message in Portuguese) when it cannot listen.
    DelayProxy(std::string targetHost, std::uint16_t targetPort,
               std::chrono::microseconds delayEachWay, std::uint16_t listenPort = 0);
    ~DelayProxy();
    DelayProxy(const DelayProxy&) = delete;
    DelayProxy& operator=(const DelayProxy&) = delete;

    std::uint16_t port() const { return port_; }
    std::chrono::microseconds delay() const { return delay_; }

private:
    void stop();
    void acceptLoop();
    void serve(int client);

    std::string targetHost_;
    std::uint16_t targetPort_;
    std::chrono::microseconds delay_;
    int listener_ = -1;
    std::uint16_t port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread acceptor_;
    std::mutex mutex_;
    std::vector<int> sockets_;       // every open connection socket, shut down on stop
    std::vector<std::thread> pumps_; // two per connection
};

} // namespace tmk::bench
