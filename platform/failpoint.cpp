#include "platform/failpoint.h"

#include <QByteArray>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace tmk {

namespace {

const QByteArray& alvo() {
    static const QByteArray nome = qgetenv("TMK_FAILPOINT").trimmed();
    return nome;
}

} // namespace

void failpoint(const char* nome) {
    const QByteArray& a = alvo();
    if (a.isEmpty() || std::strcmp(a.constData(), nome) != 0) {
        return;
    }
    ::kill(::getpid(), SIGKILL);
}

} // namespace tmk
