// The fiscal functions of the dialog library: NFC-e series and emission date, the SAT
// transmission, the local extract and the non-fiscal printouts.

#include "external/common.h"
#include "platform/errors.h"
#include "suite/devices/cfe_document.h"
#include "suite/devices/device_files.h"
#include "suite/devices/fiscal_amounts.h"
#include "suite/devices/fiscal_issuer.h"
#include "suite/devices/nfce_emitter.h"
#include "suite/devices/printouts.h"
#include "suite/devices/sale_packets.h"
#include "suite/devices/sat_device.h"
#include "suite/dialogs/dialogs_log.h"
#include "suite/dialogs/dialogs_statements.h"
#include "suite/dialogs/suite_dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>

namespace tmk {

namespace {

QString textOf(const QVariantList& values, int index) {
    return index < values.size() ? values.at(index).toString().trimmed() : QString();
}

QString paramText(const DataPacket& param, const char* column) {
    return param.value(0, QString::fromLatin1(column)).toString().trimmed();
}

// An approximate-tax text of the till ("12.34", "12,34"); empty keeps the fallback.
double taxText(const QString& text, double fallback, const QString& what) {
    if (text.trimmed().isEmpty()) {
        return fallback;
    }
    bool ok = false;
    const double value = parseAmountText(text, &ok);
    if (!ok || value < 0) {
        throw AppError(
            QStringLiteral("Valor dos tributos aproximados %1 inválido: \"%2\".").arg(what, text));
    }
    return value;
}

QList<QVariant> tenValues(const QString& path) {
    QVariantList out(10);
    out[1] = path;
    return out;
}

QString fiscalFile(const QString& folder, const QString& key, const QString& what) {
    if (key.isEmpty()) {
        throw AppError(
            QStringLiteral("Chave de acesso %1 não informada para a impressão.").arg(what));
    }
    const QString path = QDir(resolveTillFolder(folder)).filePath(key + QStringLiteral(".xml"));
    if (!QFileInfo::exists(path)) {
        throw AppError(QStringLiteral("XML %1 %2 não encontrado na pasta %3.")
                           .arg(what, key, QDir::toNativeSeparators(resolveTillFolder(folder))));
    }
    return path;
}

// The CF-e of a number and SAT serial in a fiscal XML folder; empty when none.
QString findCfe(const QString& folder, const QString& numero, const QString& serie) {
    if (numero.size() != 6 || serie.size() != 9) {
        return {};
    }
    const QDir dir(resolveTillFolder(folder));
    for (const QString& name :
         dir.entryList({QStringLiteral("CFe*.xml")}, QDir::Files, QDir::Name)) {
        // "CFe" + cUF(2) AAMM(4) CNPJ(14) model(2) serial(9) number(6) code(6) DV.
        if (name.size() == 51 && name.mid(25, 9) == serie && name.mid(34, 6) == numero) {
            return dir.filePath(name);
        }
    }
    return {};
}

QDateTime dateText(const QString& text) {
    QDateTime d = QDateTime::fromString(text, QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    if (!d.isValid()) {
        d = QDateTime::fromString(text, QStringLiteral("dd/MM/yyyy"));
    }
    return d;
}

} // namespace

QString SuiteDialogs::textoOpcional(const QString& statement, const QVariantMap& binds) const {
    if (!db_.isValid() || !db_.isOpen()) {
        return {};
    }
    try {
        QSqlQuery q(db_);
        if (q.prepare(dialogsStatements().of(db_).text(statement))) {
            for (auto b = binds.begin(); b != binds.end(); ++b) {
                q.bindValue(b.key(), b.value());
            }
            if (q.exec() && q.next()) {
                return q.value(0).toString().trimmed();
            }
        }
    } catch (const AppError& e) {
        qCWarning(lcSuiteDialogs).noquote() << statement << e.message();
    }
    qCWarning(lcSuiteDialogs).noquote() << statement << "was not read for" << binds;
    return {};
}

QString SuiteDialogs::nomeFilial(const QString& cdFilial) const {
    return textoOpcional(QStringLiteral("nome_filial"),
                         {{QStringLiteral(":P_CDFILIAL"), cdFilial}});
}

QString SuiteDialogs::mesaBalcao(const QString& cdFilial, const QString& cdLoja) const {
    return textoOpcional(QStringLiteral("mesa_balcao"), {{QStringLiteral(":P_CDFILIAL"), cdFilial},
                                                         {QStringLiteral(":P_CDLOJA"), cdLoja}});
}

void SuiteDialogs::getNumeroSerieNFCe(const QString& cdFilial, const QString& cdCaixa,
                                      QString& serie) {
    serie = nfce_->serie(cdFilial, cdCaixa);
}

void SuiteDialogs::getDataEmissNFCe(QString& data) {
    data = brDateTime(nfce_->dataEmissao());
}

bool SuiteDialogs::SATOnline(const QString& cdFilial, const QString& cdCaixa,
                             const QString& nrSeqVenda, const QString& idUtilSatComp,
                             const QString& cdAtivacaoSat, const QString& dirXmlFiscal,
                             const QString& stIbpt, const QString& stIbptEs, QStringList& answer) {
    answer.clear();
    try {
        if (!saleProvider_) {
            throw AppError(QStringLiteral("A venda %1 não pode ser enviada ao SAT: este caixa não "
                                          "tem acesso às vendas gravadas.")
                               .arg(nrSeqVenda));
        }
        FiscalSale sale = saleProvider_(cdFilial, cdCaixa, nrSeqVenda);
        sale.cdFilial = cdFilial;
        sale.cdCaixa = cdCaixa;
        sale.nrSeqVenda = nrSeqVenda;
        if (sale.emitente.cnpj.isEmpty()) {
            const QString nome = sale.emitente.nome;
            sale.emitente = readTillIssuer();
            sale.emitente.nome = nome.isEmpty() ? nomeFilial(cdFilial) : nome;
        }
        sale.tributosFederais = taxText(stIbpt, sale.tributosFederais, QStringLiteral("federais"));
        sale.tributosEstaduais =
            taxText(stIbptEs, sale.tributosEstaduais, QStringLiteral("estaduais"));
        qCInfo(lcSuiteDialogs).noquote()
            << "sending sale" << nrSeqVenda << "to the SAT (shared:" << idUtilSatComp << ")";
        const SatAnswer a = sat_->enviarDadosVenda(sale, cdAtivacaoSat, dirXmlFiscal);
        answer = a.answerList();
        return a.aceito;
    } catch (const AppError& e) {
        answer = {QStringLiteral("mensagem=") + e.message()};
        return false;
    }
}

void SuiteDialogs::Imp_Extrato_SAT_Ger(const QVariantList& values) {
    const QString nrSeqVenda = textOf(values, 0);
    const QString folder = textOf(values, 5);
    PrintoutExtras extras;
    extras.senhaMesa = textOf(values, 15);
    extras.saldoFinal = textOf(values, 16);

    const QString cfe = findCfe(folder, textOf(values, 6), textOf(values, 7));
    if (!cfe.isEmpty()) {
        printSatExtract(readCfeFile(cfe), extras);
        return;
    }
    CfeDocument d;
    d.venda = fiscalSaleFromPackets(packetOf(values.value(13)), packetOf(values.value(14)));
    const QString couvert = textOf(values, 10);
    for (FiscalItem& i : d.venda.itens) {
        i.couvert = i.couvert || (!couvert.isEmpty() && i.codigo == couvert);
    }
    d.venda.cdFilial = textOf(values, 20);
    d.venda.cdCaixa = textOf(values, 21);
    d.venda.nrSeqVenda = nrSeqVenda;
    try {
        d.venda.emitente = readTillIssuer();
    } catch (const AppError& e) {
        qCWarning(lcSuiteDialogs).noquote() << "extract without issuer:" << e.message();
    }
    d.venda.emitente.nome = nomeFilial(d.venda.cdFilial);
    d.venda.emitente.ambiente = textOf(values, 2);
    d.venda.tributosFederais = taxText(textOf(values, 8), 0, QStringLiteral("federais"));
    d.venda.tributosEstaduais = taxText(textOf(values, 18), 0, QStringLiteral("estaduais"));
    d.numeroCfe = textOf(values, 6);
    d.numeroSerieSat = textOf(values, 7);
    d.dataEmissao = dateText(textOf(values, 9));
    printSatExtract(d, extras);
}

void SuiteDialogs::DisparaImpressaoNaoFiscal(const QVariantList& values, QVariant& retorno) {
    const QString kind = textOf(values, 1);
    const DataPacket itens = packetOf(values.value(3));
    const DataPacket param = packetOf(values.value(5));
    PrintoutExtras extras;
    extras.senhaMesa = paramText(param, "SENHACUPOM");
    extras.textoExtra = textOf(values, 6);

    QString path;
    if (kind == QLatin1String("VENDA_NFCe")) {
        const QString file =
            fiscalFile(paramText(param, "STDIRSAT"), paramText(param, "CHAVEACESSONFCe"),
                       QStringLiteral("da NFC-e"));
        path = printNfceDanfe(readNfceFile(file), extras);
    } else if (kind == QLatin1String("EXTRATO_SAT")) {
        const QString file =
            fiscalFile(paramText(param, "STDIRSAT"), paramText(param, "CHAVEACESSONFCe"),
                       QStringLiteral("do CF-e"));
        path = printSatExtract(readCfeFile(file), extras);
    } else if (kind == QLatin1String("CUPOM")) {
        PlainReceipt receipt;
        receipt.venda = fiscalSaleFromPackets(itens, {});
        receipt.venda.nrSeqVenda = paramText(param, "NRSEQVENDA");
        receipt.numero = paramText(param, "NRNAOFISCAL");
        receipt.totalPago = param.value(0, QStringLiteral("TOTALPAGO")).toDouble();
        try {
            receipt.venda.emitente = readTillIssuer();
        } catch (const AppError& e) {
            qCWarning(lcSuiteDialogs).noquote() << "receipt without issuer:" << e.message();
        }
        receipt.venda.emitente.nome = nomeFilial(receipt.venda.cdFilial);
        path = printPlainReceipt(receipt, extras);
    } else {
        throw AppError(
            QStringLiteral("Tipo de impressão não fiscal desconhecido: \"%1\".").arg(kind));
    }
    retorno = tenValues(path);
}

} // namespace tmk
