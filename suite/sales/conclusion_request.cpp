#include "suite/sales/conclusion_request.h"

#include "platform/client_dataset.h"
#include "platform/errors.h"

namespace tmk {

namespace {

constexpr int kTables = 13;
constexpr int kValues = 47;

QString textOf(const QVariantList& values, int index) {
    const QVariant v = values.value(index);
    return v.isNull() ? QString() : v.toString().trimmed();
}

// A date-time value: a QDateTime, or a text "dd/MM/yyyy[ HH:mm[:ss]]"; invalid
// otherwise.
QDateTime dateTimeOf(const QVariantList& values, int index) {
    const QVariant v = values.value(index);
    if (v.metaType() == QMetaType::fromType<QDateTime>()) {
        return v.toDateTime();
    }
    if (v.metaType() == QMetaType::fromType<QDate>()) {
        return QDateTime(v.toDate(), QTime(0, 0));
    }
    const QString text = v.toString().trimmed();
    for (const char* format : {"dd/MM/yyyy HH:mm:ss", "dd/MM/yyyy HH:mm", "dd/MM/yyyy"}) {
        const QDateTime d = QDateTime::fromString(text, QString::fromLatin1(format));
        if (d.isValid()) {
            return d;
        }
    }
    return {};
}

DataPacket packetOfTable(const QList<ClientDataSet*>& tables, int index) {
    const ClientDataSet* t = tables.value(index);
    return t ? t->data() : DataPacket();
}

} // namespace

QStringList ConclusionRequest::comandas() const {
    QStringList out;
    for (const QString& part : listaComandas.split(QLatin1Char('_'), Qt::SkipEmptyParts)) {
        const QString tab = part.trimmed();
        if (!tab.isEmpty() && !out.contains(tab)) {
            out << tab;
        }
    }
    return out;
}

bool ConclusionRequest::emiteNfce() const {
    return tipoDocFiscal == QLatin1String("N") && idFiscalDialogo != QLatin1String("S");
}

ConclusionRequest ConclusionRequest::read(const QList<ClientDataSet*>& tables,
                                          const QVariantList& values) {
    if (tables.size() < kTables || values.size() < kValues) {
        throw AppError(QStringLiteral("Dados incompletos para concluir a venda: esperadas %1 "
                                      "tabelas e %2 valores, recebidas %3 tabelas e %4 valores.")
                           .arg(kTables)
                           .arg(kValues)
                           .arg(tables.size())
                           .arg(values.size()));
    }
    if (!tables.at(0) || !tables.at(1)) {
        throw AppError(QStringLiteral("Dados incompletos para concluir a venda: faltam os itens "
                                      "ou os pagamentos."));
    }
    ConclusionRequest r;
    r.itens = packetOfTable(tables, 0);
    r.pagamentos = packetOfTable(tables, 1);
    r.cancelados = packetOfTable(tables, 2);
    r.cdCaixa = textOf(values, 0);
    r.dtAberCaixa = dateTimeOf(values, 1);
    r.cdEmpresa = textOf(values, 2);
    r.nrCupom = textOf(values, 3);
    r.nrContCupomFisc = textOf(values, 4);
    r.cdFilial = textOf(values, 5);
    r.listaComandas = textOf(values, 6);
    r.dsComanda = textOf(values, 7);
    r.cdLoja = textOf(values, 8);
    r.nrMesa = textOf(values, 9);
    r.nrVendaRest = textOf(values, 10);
    r.nrNaoFiscal = textOf(values, 12);
    r.nrSerieImp = textOf(values, 15);
    r.idTipoImpFis = values.value(16).toInt();
    r.dsModeloEcf = textOf(values, 17);
    r.dsMarcaEcf = textOf(values, 18);
    r.ecfImp = textOf(values, 19);
    r.dataMovimento = dateTimeOf(values, 20);
    r.origemVenda = textOf(values, 32);
    r.dtEmissNfce = dateTimeOf(values, 34);
    r.nrSerieNfce = textOf(values, 36);
    r.senhaCupom = textOf(values, 37);
    r.tipoDocFiscal = textOf(values, 39);
    r.idFiscalDialogo = textOf(values, 46);
    if (r.cdFilial.isEmpty() || r.cdCaixa.isEmpty()) {
        throw AppError(QStringLiteral("Filial ou caixa não informados para concluir a venda."));
    }
    if (!r.dtAberCaixa.isValid()) {
        throw AppError(QStringLiteral("Data de abertura do caixa inválida para concluir a venda."));
    }
    return r;
}

} // namespace tmk
