// A loopback TCP proxy that delays every byte in each direction, to measure a client
// against a server as if they were a store network apart:
//
//   bench_proxy --target=HOST:PORT [--listen=PORT] [--delay=0.5]
//
// --delay is in milliseconds each way (0.5 by default); without --listen a free port is
// taken. It prints the port it listens on and runs until interrupted (Ctrl+C).
#include "bench/delay_proxy.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

volatile std::sig_atomic_t interrupted = 0;

void onSignal(int) {
    interrupted = 1;
}

bool option(const std::string& arg, const char* name, std::string& value) {
    const std::string prefix = std::string("--") + name + "=";
    if (arg.rfind(prefix, 0) != 0) {
        return false;
    }
    value = arg.substr(prefix.size());
    return true;
}

int usage(const char* why) {
    std::fprintf(stderr, "%s\nUso: bench_proxy --target=HOST:PORTA [--listen=PORTA] [--delay=MS]\n",
                 why);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::string target, listen = "0", delay = "0.5";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (!option(arg, "target", target) && !option(arg, "listen", listen) &&
            !option(arg, "delay", delay)) {
            return usage(("Opção desconhecida: " + arg).c_str());
        }
    }
    const size_t colon = target.rfind(':');
    if (colon == std::string::npos || colon == 0) {
        return usage("Informe o servidor de destino como HOST:PORTA.");
    }
    char* end = nullptr;
    const double delayMs = std::strtod(delay.c_str(), &end);
    if (end == delay.c_str() || *end != '\0' || delayMs < 0 || delayMs > 10000) {
        return usage("Atraso inválido: use milissegundos entre 0 e 10000.");
    }
    const long targetPort = std::strtol(target.c_str() + colon + 1, &end, 10);
    const long listenPort = std::strtol(listen.c_str(), nullptr, 10);
    if (*end != '\0' || targetPort < 1 || targetPort > 65535 || listenPort < 0 ||
        listenPort > 65535) {
        return usage("Porta inválida.");
    }
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    try {
        tmk::bench::DelayProxy proxy(target.substr(0, colon), std::uint16_t(targetPort),
                                     std::chrono::microseconds(long(delayMs * 1000.0)),
                                     std::uint16_t(listenPort));
        std::printf("Escutando em 127.0.0.1:%u, atraso de %.3f ms em cada sentido.\n",
                    unsigned(proxy.port()), delayMs);
        std::fflush(stdout);
        while (!interrupted) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
