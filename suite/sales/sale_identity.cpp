#include "suite/sales/sale_identity.h"

#include "suite/sales/conclusion_request.h"

#include <QCryptographicHash>
#include <QStringList>
#include <algorithm>

namespace tmk {

QString conclusionKey(const ConclusionRequest& request) {
    return conclusionKey(request.nrVendaRest, request.listaComandas, request.itens);
}

QString conclusionKey(const QString& nrVendaRest, const QString& listaComandas,
                      const DataPacket& itens) {
    QStringList lines;
    for (int r = 0; r < itens.rowCount(); ++r) {
        lines << QStringLiteral("%1:%2:%3")
                     .arg(itens.value(r, QStringLiteral("NRCOMANDA")).toString().trimmed(),
                          itens.value(r, QStringLiteral("NRPRODCOMVEN")).toString().trimmed(),
                          QString::number(itens.value(r, QStringLiteral("QTPRODCOMVEN")).toDouble(),
                                          'f', 3));
    }
    std::sort(lines.begin(), lines.end());
    const QString source = QStringLiteral("venda|") + nrVendaRest + QLatin1Char('|') +
                           listaComandas + QLatin1Char('|') + lines.join(QLatin1Char(';'));
    return QString::fromLatin1(
        QCryptographicHash::hash(source.toUtf8(), QCryptographicHash::Sha1).toHex());
}

} // namespace tmk
