#include "suite/sales/sale_nfce.h"

#include "platform/errors.h"
#include "suite/devices/device_files.h"
#include "suite/devices/nfce_emitter.h"
#include "suite/sales/sales_log.h"
#include "suite/sales/sales_query.h"
#include "suite/sales/stored_sale.h"

#include <QDir>
#include <optional>

namespace tmk {

namespace {

const QString kAutorizada = QStringLiteral("A");
const QString kContingencia = QStringLiteral("C");
const QString kPendente = QStringLiteral("P");
const QString kRejeitada = QStringLiteral("R");

QString failure(const QString& nrSeqVenda) {
    return QStringLiteral("Não foi possível registrar a NFC-e da venda %1.").arg(nrSeqVenda);
}

NfceAuthorisation storedAuthorisation(const StoredSaleHeader& h) {
    NfceAuthorisation a;
    a.situacao = h.idStatusNfce == kAutorizada ? NfceStatus::Autorizada : NfceStatus::Contingencia;
    a.chave = h.nrAcessoNfce;
    a.qrCode = h.dsQrCodeNfce;
    a.protocolo = h.nrProtAutNfce;
    a.numero = h.nrNotaFiscalCe.toLongLong();
    a.serie = h.nrSerieNfce;
    a.dataEmissao = h.dtEmissNfce;
    return a;
}

// A document of the sale already in the fiscal XML folder.
std::optional<NfceAuthorisation> documentInFolder(const QString& folder, const QString& cdFilial,
                                                  const QString& cdCaixa,
                                                  const QString& nrSeqVenda) {
    const QDir dir(resolveTillFolder(folder));
    for (const QString& name : dir.entryList({QStringLiteral("*.xml")}, QDir::Files)) {
        if (name.size() != 48) { // the 44 digits of an access key and ".xml"
            continue;
        }
        try {
            const NfceDocument d = readNfceFile(dir.filePath(name));
            if (d.venda.cdFilial == cdFilial && d.venda.cdCaixa == cdCaixa &&
                d.venda.nrSeqVenda == nrSeqVenda &&
                d.autorizacao.situacao != NfceStatus::Rejeitada) {
                return d.autorizacao;
            }
        } catch (const AppError& e) {
            qCWarning(lcSuiteSales).noquote() << "fiscal folder:" << e.message();
        }
    }
    return std::nullopt;
}

void record(QSqlDatabase& db, const QString& cdFilial, const QString& cdCaixa,
            const QString& nrSeqVenda, const NfceAuthorisation& a) {
    SalesQuery q(db, QStringLiteral("venda_nfce"), failure(nrSeqVenda));
    q.bind(QStringLiteral("CDFILIAL"), cdFilial)
        .bind(QStringLiteral("CDCAIXA"), cdCaixa)
        .bind(QStringLiteral("NRSEQVENDA"), nrSeqVenda)
        .bind(QStringLiteral("IDSTATUSNFCE"),
              a.situacao == NfceStatus::Autorizada ? kAutorizada : kContingencia)
        .bind(QStringLiteral("NRACESSONFCE"), a.chave)
        .bind(QStringLiteral("DSQRCODENFCE"), a.qrCode)
        .bind(QStringLiteral("NRPROTAUTNFCE"), a.protocolo.isEmpty() ? QVariant() : a.protocolo)
        .bind(QStringLiteral("NRNOTAFISCALCE"), QString::number(a.numero))
        .bind(QStringLiteral("NRSERIENFCE"), a.serie)
        .bind(QStringLiteral("DTEMISSNFCE"), a.dataEmissao)
        .exec();
}

// Cancels the sale whose document could not be issued; says whether it did.
bool cancelSale(QSqlDatabase& db, const QString& cdFilial, const QString& cdCaixa,
                const QString& nrSeqVenda, bool rejected) {
    try {
        SalesTransaction t(db, QStringLiteral("cancelamento da venda"));
        const QString why = QStringLiteral("Não foi possível cancelar a venda %1.").arg(nrSeqVenda);
        SalesQuery cancel(db, QStringLiteral("venda_cancela"), why);
        cancel.bind(QStringLiteral("CDFILIAL"), cdFilial)
            .bind(QStringLiteral("CDCAIXA"), cdCaixa)
            .bind(QStringLiteral("NRSEQVENDA"), nrSeqVenda)
            .exec();
        if (rejected) {
            SalesQuery status(db, QStringLiteral("venda_status_nfce"), why);
            status.bind(QStringLiteral("CDFILIAL"), cdFilial)
                .bind(QStringLiteral("CDCAIXA"), cdCaixa)
                .bind(QStringLiteral("NRSEQVENDA"), nrSeqVenda)
                .bind(QStringLiteral("IDSTATUSNFCE"), kRejeitada)
                .exec();
        }
        t.commit();
        return true;
    } catch (const AppError& e) {
        qCWarning(lcSuiteSales).noquote()
            << "sale" << nrSeqVenda << "not cancelled:" << e.message();
        return false;
    }
}

} // namespace

void issueSaleNfce(QSqlDatabase& db, NfceEmitter& emitter, const QString& dirXmlFiscal,
                   const QString& cdFilial, const QString& cdCaixa, const QString& nrSeqVenda,
                   QVariantList& retorno) {
    const StoredSaleHeader h = storedSaleHeader(db, cdFilial, cdCaixa, nrSeqVenda);
    if (h.idStatusNfce == kAutorizada || h.idStatusNfce == kContingencia) {
        storedAuthorisation(h).writeTo(retorno);
        return;
    }
    if (h.idStatusNfce == kPendente) {
        if (const auto found = documentInFolder(dirXmlFiscal, cdFilial, cdCaixa, nrSeqVenda)) {
            qCInfo(lcSuiteSales).noquote() << "NFC-e" << found->chave << "of sale" << nrSeqVenda
                                           << "found in the fiscal folder";
            record(db, cdFilial, cdCaixa, nrSeqVenda, *found);
            found->writeTo(retorno);
            return;
        }
    }

    NfceAuthorisation a;
    try {
        a = emitter.emitir(storedFiscalSale(db, cdFilial, cdCaixa, nrSeqVenda), dirXmlFiscal);
    } catch (const AppError& e) {
        const bool cancelled = cancelSale(db, cdFilial, cdCaixa, nrSeqVenda, false);
        throw AppError(
            QStringLiteral("A NFC-e da venda %1 não foi emitida: %2 %3")
                .arg(nrSeqVenda, e.message(),
                     cancelled ? QStringLiteral("A venda foi cancelada; receba a mesa novamente.")
                               : QStringLiteral("A venda ficou pendente e será concluída quando "
                                                "a mesa for recebida novamente.")));
    }
    if (a.situacao == NfceStatus::Rejeitada) {
        const bool cancelled = cancelSale(db, cdFilial, cdCaixa, nrSeqVenda, true);
        throw AppError(QStringLiteral("NFC-e da venda %1 rejeitada: %2. %3")
                           .arg(nrSeqVenda, a.motivo,
                                cancelled ? QStringLiteral("A venda foi cancelada; corrija o "
                                                           "problema e receba a mesa novamente.")
                                          : QStringLiteral("Não foi possível cancelar a venda.")));
    }
    try {
        record(db, cdFilial, cdCaixa, nrSeqVenda, a);
    } catch (const AppError& e) {
        throw AppError(QStringLiteral("A NFC-e %1 da venda %2 foi emitida, mas não foi possível "
                                      "registrá-la na venda (%3). Ela será registrada quando a "
                                      "mesa for recebida novamente.")
                           .arg(a.chave, nrSeqVenda, e.message()));
    }
    qCInfo(lcSuiteSales).noquote()
        << "NFC-e" << a.chave << a.statusText() << "for sale" << nrSeqVenda;
    a.writeTo(retorno);
}

} // namespace tmk
