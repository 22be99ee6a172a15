#include "suite/dialogs/till_identity.h"

#include "platform/client_dataset.h"
#include "platform/errors.h"
#include "platform/till_folder.h"

#include <QFileInfo>

namespace tmk {

namespace {

QVariant firstRowValue(ClientDataSet& cds, const char* column) {
    const int i = cds.fieldIndex(QString::fromLatin1(column));
    return i < 0 || cds.isEmpty() ? QVariant() : cds.valueAt(i);
}

QString firstRowText(ClientDataSet& cds, const char* column) {
    const QVariant v = firstRowValue(cds, column);
    return v.isValid() ? v.toString().trimmed() : QString();
}

} // namespace

TillIdentity TillIdentity::read() {
    TillIdentity id;
    const QString parametros = tillPath(QStringLiteral("PARAMETROSKOV.CDS"));
    if (!QFileInfo::exists(parametros)) {
        throw AppError(QStringLiteral("Arquivo de parâmetros do caixa \"%1\" não encontrado.")
                           .arg(parametros));
    }
    ClientDataSet p(QStringLiteral("cdsParametrosKov"));
    p.loadFromFile(parametros); // names the file in its own errors
    p.first();
    id.cdFilial = firstRowText(p, "CDFILIAL");
    id.cdLoja = firstRowText(p, "CDLOJA");
    id.cdCaixa = firstRowText(p, "CDCAIXA");
    id.cdCliente = firstRowText(p, "CDCLIENTE");
    const QVariant abertura = firstRowValue(p, "DTABERCAIXA");
    id.dtAberCaixa = abertura.toDateTime();
    const double taxa = firstRowValue(p, "VRCOMISVENDA").toDouble();
    id.taxaServico = taxa > 0 && taxa < 100 ? taxa : 0;
    id.cdProdCouvert = firstRowText(p, "CDPRODCOUVER");
    id.ctCancItemGen = firstRowValue(p, "ctCancItemGen").toInt();
    if (id.cdFilial.isEmpty() || id.cdLoja.isEmpty()) {
        throw AppError(
            QStringLiteral("O arquivo de parâmetros \"%1\" não informa a filial e a loja do caixa.")
                .arg(parametros));
    }
    const QString operador = tillPath(QStringLiteral("Dados/Cadastros/ControleAcess.cds"));
    if (QFileInfo::exists(operador)) {
        ClientDataSet o(QStringLiteral("cdsControleAcess"));
        o.loadFromFile(operador);
        o.first();
        id.cdOperador = firstRowText(o, "CDOPERADOR");
        id.nmOperador = firstRowText(o, "NMOPERADOR");
    }
    return id;
}

} // namespace tmk
