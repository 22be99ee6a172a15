#include "platform/key_columns.h"

#include <QSet>

namespace tmk {

bool isKeyCodeColumn(const QString& name) {
    static const QSet<QString> codes = [] {
        QSet<QString> s;
        for (const char* c : {"CDFILIAL", "CDLOJA", "CDCAIXA", "CDOPERADOR", "CDFILICONFTE",
                              "NRCONFTELA", "CDCLIENTE", "CDCONSUMIDOR", "CDVENDEDOR", "CDPRODUTO",
                              "CDPRODCONSUM", "CDPRODCONSUF", "CDPRODCOUVER", "CDTIPORECE",
                              "CDTIPOTROCO", "NRMESA", "NRCOMANDA", "NRVENDAREST"}) {
            s.insert(QString::fromLatin1(c));
        }
        return s;
    }();
    return codes.contains(name.trimmed().toUpper());
}

} // namespace tmk
