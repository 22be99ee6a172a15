#include "package/suite_runtime.h"

#include "external/common.h"
#include "package/module_entry.h"
#include "platform/errors.h"
#include "suite/common/db_failure.h"
#include "suite/common_ui/suite_common_utility.h"
#include "suite/devices/simulated_fiscal_device.h"
#include "suite/dialogs/suite_dialogs.h"
#include "suite/sales/stored_sale.h"
#include "suite/sales/suite_sales_service.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcModule, "tmk.module")

namespace tmk {

// The sales service of this till: built on first use, when the screen has read the
// till's code from its parameter file.
class SuiteRuntime::TillSales : public SalesService {
public:
    TillSales(QSqlDatabase db, ModuloGerMesa*& modulo)
        : db_(db)
        , modulo_(modulo) {}

    QVariant setConcluiFechamento(const QList<ClientDataSet*>& tables, const QVariantList& values,
                                  QVariantList& retorno) override {
        return real().setConcluiFechamento(tables, values, retorno);
    }
    QVariant getVendaConcluida(const QString& cdFilial, const QString& cdCaixa,
                               const QString& nrVendaRest, const QString& listaComandas,
                               ClientDataSet& itens) override {
        return real().getVendaConcluida(cdFilial, cdCaixa, nrVendaRest, listaComandas, itens);
    }
    double CalculoIcmsDFederal(ClientDataSet& itens, double a2, QVariantList& retorno) override {
        return real().CalculoIcmsDFederal(itens, a2, retorno);
    }
    QVariant AtualizaVendaSat(const QString& cdFilial, const QString& cdCaixa,
                              const QString& nrSeqVenda, const QString& nrNotaFiscalCe,
                              const QString& qrCode, const QStringList& satAnswer) override {
        return real().AtualizaVendaSat(cdFilial, cdCaixa, nrSeqVenda, nrNotaFiscalCe, qrCode,
                                       satAnswer);
    }
    QVariant setLimpaMesaGeral(int modo, const QString& nrVendaRest, const QString& listaComandas,
                               const QString& nrMesa, const QString& tipo, const QString& cdFilial,
                               const QString& cdLoja, const QString& a8, const QString& cdCaixa,
                               const QString& nrSeqVenda, const QString& a11, bool a12) override {
        return real().setLimpaMesaGeral(modo, nrVendaRest, listaComandas, nrMesa, tipo, cdFilial,
                                        cdLoja, a8, cdCaixa, nrSeqVenda, a11, a12);
    }
    QVariant setLimpaMesaComanda(const QString& cdFilial, const QString& listaComandas,
                                 const QString& cdLoja, const QString& nrVendaRest,
                                 const QString& nrMesa, const QString& tipo,
                                 const QString& flag) override {
        return real().setLimpaMesaComanda(cdFilial, listaComandas, cdLoja, nrVendaRest, nrMesa,
                                          tipo, flag);
    }
    QString CalcTicketMedio(const QString& cdFilial, const QString& cdLoja,
                            const QDateTime& dtAberCaixa) override {
        return real().CalcTicketMedio(cdFilial, cdLoja, dtAberCaixa);
    }

private:
    SuiteSalesService& real() {
        const auto* screen = modulo_ ? modulo_->frmGerMesa() : nullptr;
        const QString caixa = screen ? screen->st.CdCaixa : QString();
        if (!real_ || caixa != caixa_) {
            real_ = std::make_unique<SuiteSalesService>(db_, caixa);
            caixa_ = caixa;
        }
        // The NFC-e goes where the screen later looks for it to print the DANFE.
        real_->setFiscalXmlFolder(screen ? screen->st.DirXmlFiscal : QString());
        return *real_;
    }

    QSqlDatabase db_;
    ModuloGerMesa*& modulo_;
    std::unique_ptr<SuiteSalesService> real_;
    QString caixa_;
};

SuiteRuntime::SuiteRuntime() {
    const QString conexao = _GetStringConexKov(QString());
    db_ = configureConnection(conexao, QStringLiteral("suite"), DatabaseFile::MustExist);
    QString failure;
    if (!openDatabase(db_, failure)) {
        qCWarning(lcModule).noquote()
            << "suite connection not open yet; it is tried again at each entry:" << failure;
    } else {
        SetADODBSession(db_);
    }
    common_ = std::make_unique<SuiteCommonUtility>();
    dialogs_ = std::make_unique<SuiteDialogs>(db_);
    // SATOnline sends the sale as the sales service stored it.
    dialogs_->setFiscalSaleProvider(
        [db = db_](const QString& cdFilial, const QString& cdCaixa, const QString& nrSeqVenda) {
            QSqlDatabase connection = db;
            return storedFiscalSale(connection, cdFilial, cdCaixa, nrSeqVenda);
        });
    fiscal_ = std::make_unique<SimulatedFiscalDevice>();
    sales_ = std::make_unique<TillSales>(db_, modulo_);
}

SuiteRuntime::~SuiteRuntime() = default;

SuiteLibraries SuiteRuntime::libraries() {
    return {dialogs_.get(), fiscal_.get(), sales_.get(), common_.get()};
}

void SuiteRuntime::attach(ModuloGerMesa& modulo) {
    modulo_ = &modulo;
    if (!db_.isOpen()) {
        try {
            TryConnect(db_);
        } catch (const std::exception& e) {
            qCWarning(lcModule) << "suite connection:" << exceptionText(e);
        }
    }
}

} // namespace tmk
