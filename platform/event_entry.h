#pragma once

#include <QString>
#include <functional>

namespace tmk {

using ErrorReporter = std::function<void(const QString& message)>;

// Runs the body of an event entry point (a button, a key, a timer tick, the
// module entry). A silent abort ends it quietly; any other exception is handed
// to the reporter (the screen shows it as an error box) and the caller goes on.
// Returns true when the body ran to its end.
bool runEventEntry(const std::function<void()>& body, const ErrorReporter& report);

} // namespace tmk
