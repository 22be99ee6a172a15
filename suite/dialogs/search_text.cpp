#include "suite/dialogs/search_text.h"

namespace tmk {

QString foldedForSearch(const QString& text) {
    QString out;
    for (const QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.category() != QChar::Mark_NonSpacing) {
            out += c.toUpper();
        }
    }
    return out;
}

} // namespace tmk
