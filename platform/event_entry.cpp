#include "platform/event_entry.h"

#include "platform/errors.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcEvents, "tmk.events")

namespace tmk {

bool runEventEntry(const std::function<void()>& body, const ErrorReporter& report) {
    try {
        body();
        return true;
    } catch (const SilentAbort&) {
        return false;
    } catch (const std::exception& e) {
        const QString text = exceptionText(e);
        qCWarning(lcEvents) << "event ended with error:" << text;
        if (report) {
            try {
                report(text);
            } catch (const std::exception& inner) {
                qCWarning(lcEvents) << "error reporter failed:" << exceptionText(inner);
            }
        }
        return false;
    } catch (...) {
        qCWarning(lcEvents) << "event ended with an unknown exception";
        if (report) {
            report(QStringLiteral("Erro inesperado."));
        }
        return false;
    }
}

} // namespace tmk
