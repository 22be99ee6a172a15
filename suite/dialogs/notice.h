#pragma once

#include <QString>
#include <functional>

namespace tmk {

// How a dialog tells the operator something (text, message type of Mensagem) while
// it stays open.
using Notice = std::function<void(const QString& text, int tipo)>;

} // namespace tmk
