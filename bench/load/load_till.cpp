#include "bench/load/load_till.h"

#include "db/demo/demo_catalogue.h"
#include "db/demo/demo_store.h"
#include "external/common.h"
#include "platform/clock.h"
#include "platform/database_error.h"
#include "platform/errors.h"
#include "platform/till_folder.h"
#include "screen/ger_mesa.h"
#include "service/data_module.h"
#include "suite/common/statement_files.h"
#include "suite/common_ui/suite_common_utility.h"
#include "suite/devices/simulated_fiscal_device.h"
#include "suite/dialogs/suite_dialogs.h"
#include "suite/sales/stored_sale.h"
#include "suite/sales/suite_sales_service.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

namespace tmk::bench {

namespace {

const QString kFilial = QString::fromLatin1(demo::kFilial);
const QString kLoja = QString::fromLatin1(demo::kLoja);

// The suite's dialogs as the cashier plays them: the payment dialog paid in cash, any
// other dialog closed, questions answered "Não"; every text shown is kept.
class CashierDialogs : public SuiteDialogs {
public:
    explicit CashierDialogs(QSqlDatabase db)
        : SuiteDialogs(std::move(db), nullptr) {}
    QStringList told;
    QStringList otherDialogs; // object names of dialogs that were not the payment

protected:
    int execDialog(QDialog& dialog) override {
        dialog.setResult(QDialog::Rejected);
        dialog.show();
        auto* cash = dialog.findChild<QPushButton*>(QStringLiteral("btnTipo001"));
        auto* done = dialog.findChild<QPushButton*>(QStringLiteral("btnConcluir"));
        if (cash && done) {
            cash->click();
            done->click();
        } else {
            otherDialogs << dialog.objectName();
        }
        return dialog.result();
    }
    void showMessage(const QString& text, int) override { told << text; }
    int askChoice(const QString& text, const QStringList&) override {
        told << text;
        return 1;
    }
};

class CashierCommon : public SuiteCommonUtility {
public:
    QStringList told;

protected:
    void showMessageBox(QMessageBox& box) override { told << box.text(); }
};

// The waiter's device: writes the accounts the till then receives, on a connection of
// its own.
class Waiter {
public:
    Waiter(const QString& connectionText, const LoadTillOptions& o)
        : name_(QStringLiteral("carga_garcom_%1").arg(o.till))
        , db_(openConnection(connectionText, name_))
        , options_(o) {}
    ~Waiter() {
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(name_);
    }
    Waiter(const Waiter&) = delete;
    Waiter& operator=(const Waiter&) = delete;

    // Opens an account with its bill requested on the table when it is free; false when
    // it is not (the other till of a race took it first).
    bool openAccount(const QString& nrMesa) {
        if (!db_.transaction()) {
            throw DatabaseError(QStringLiteral("O garçom não conseguiu iniciar a transação."),
                                QString(), db_.lastError().text());
        }
        try {
            ++accounts_;
            const QString seq = QString::number(accounts_);
            const QString caixa = QStringLiteral("%1").arg(options_.till, 2, 10, QLatin1Char('0'));
            const QVariantMap binds{
                {QStringLiteral("P_NRMESA"), nrMesa},
                {QStringLiteral("P_CDCAIXA"), options_.cdCaixa},
                {QStringLiteral("P_NRVENDAREST"),
                 QStringLiteral("8") + caixa + seq.rightJustified(8, QLatin1Char('0'))},
                {QStringLiteral("P_NRCOMANDA"),
                 QStringLiteral("8") + caixa + seq.rightJustified(7, QLatin1Char('0'))}};
            const bool taken = run(QStringLiteral("conta_mesa"), binds).numRowsAffected() == 1;
            if (taken) {
                for (const char* step : {"conta_venda", "conta_comanda", "conta_itens"}) {
                    run(QString::fromLatin1(step), binds);
                }
            }
            if (!db_.commit()) {
                throw DatabaseError(QStringLiteral("O garçom não conseguiu gravar a conta."),
                                    QString(), db_.lastError().text());
            }
            return taken;
        } catch (...) {
            db_.rollback();
            throw;
        }
    }

    QString tableState(const QString& nrMesa) {
        QSqlQuery q = run(QStringLiteral("estado_mesa"), {{QStringLiteral("P_NRMESA"), nrMesa}});
        return q.next() ? q.value(0).toString() : QString();
    }

private:
    QSqlQuery run(const QString& name, const QVariantMap& binds) {
        return runLoadStatement(db_, name, binds);
    }

    QString name_;
    QSqlDatabase db_;
    LoadTillOptions options_;
    int accounts_ = 0;
};

} // namespace

QSqlQuery runLoadStatement(QSqlDatabase& db, const QString& name, const QVariantMap& binds) {
    static const LibraryStatements statements(
        QStringLiteral(":/bench/load/sql"), QStringLiteral("da carga"),
        {{QStringLiteral("conta_mesa"), QStringLiteral("conta_venda"),
          QStringLiteral("conta_comanda"), QStringLiteral("conta_itens"),
          QStringLiteral("estado_mesa"), QStringLiteral("mesas_livres"),
          QStringLiteral("recebimentos")},
         {},
         {}});
    const QString& text = statements.of(db).text(name);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    bool ok = q.prepare(text);
    if (ok) {
        q.bindValue(QStringLiteral(":P_CDFILIAL"), kFilial);
        if (text.contains(QLatin1String(":P_CDLOJA"))) {
            q.bindValue(QStringLiteral(":P_CDLOJA"), kLoja);
        }
        for (auto it = binds.cbegin(); it != binds.cend(); ++it) {
            if (text.contains(QLatin1Char(':') + it.key())) {
                q.bindValue(QLatin1Char(':') + it.key(), it.value());
            }
        }
        ok = q.exec();
    }
    if (!ok) {
        throw DatabaseError(QStringLiteral("A carga não conseguiu executar \"%1\".").arg(name),
                            text, q.lastError().text());
    }
    return q;
}

namespace {

// True when the text is the catalogue's message with any values in place of its "%s".
bool isMessage(const QString& text, const QString& code) {
    QStringList parts = msgPadrao().Msg(code).split(QStringLiteral("%s"));
    for (QString& p : parts) {
        p = QRegularExpression::escape(p);
    }
    const QRegularExpression form(QStringLiteral("^") + parts.join(QStringLiteral(".*")) +
                                  QStringLiteral("$"));
    return form.match(text).hasMatch();
}

// Texts an operator of a racing till sees when the other till was faster: the table being
// received (by the till named in the text) or its bill no longer requested.
bool lostTheRace(const QString& text) {
    return isMessage(text, QStringLiteral("Mesa_Rec")) ||
           isMessage(text, QStringLiteral("Mesa_Rec_Caixa")) ||
           isMessage(text, QStringLiteral("Mesa_N_Sol"));
}

} // namespace

LoadTillResult runLoadTill(const LoadTillOptions& o) {
    if (o.tables.isEmpty()) {
        throw AppError(QStringLiteral("O caixa %1 da carga não tem mesas.").arg(o.till));
    }
    QTemporaryDir folder;
    if (!folder.isValid()) {
        throw AppError(QStringLiteral("Não foi possível criar a pasta do caixa %1.").arg(o.till));
    }
    const QString suiteName = QStringLiteral("carga_suite_%1").arg(o.till);
    LoadTillResult result;
    {
        QSqlDatabase db = openConnection(o.connection, suiteName);
        writeDemoTillFiles(folder.path(), QDateTime::currentDateTime(), o.cdCaixa,
                           tillCashOpening(db, o.cdCaixa));
        setTillFolder(folder.path());

        Waiter waiter(o.connection, o);
        CashierDialogs dialogs(db);
        dialogs.setFiscalSaleProvider(
            [db](const QString& cdFilial, const QString& cdCaixa, const QString& nrSeqVenda) {
                QSqlDatabase connection = db;
                return storedFiscalSale(connection, cdFilial, cdCaixa, nrSeqVenda);
            });
        CashierCommon common;
        SimulatedFiscalDevice fiscal;
        SuiteSalesService sales(db, o.cdCaixa);
        TrdmGerMesa dm(QStringLiteral("carga_caixa_%1").arg(o.till));
        dm.connectTo(o.connection);
        Clock clock;
        TfrmGerMesa screen(
            {&dialogs, &fiscal, &sales, &common}, [&]() -> TrdmGerMesa& { return dm; }, clock);
        screen.InicializaForm();
        screen.FormActivate();
        sales.setFiscalXmlFolder(screen.st.DirXmlFiscal);

        const auto seen = [&] {
            QStringList all = common.told + dialogs.told;
            for (const QString& d : dialogs.otherDialogs) {
                all << QStringLiteral("diálogo inesperado %1").arg(d);
            }
            common.told.clear();
            dialogs.told.clear();
            dialogs.otherDialogs.clear();
            all.removeAll(msgPadrao().Msg(QStringLiteral("NAT_PROD")));
            return all;
        };

        QElapsedTimer run;
        run.start();
        qint64 nextRefresh = 0;
        int next = 0;
        while (run.elapsed() < qint64(o.seconds) * 1000) {
            if (run.elapsed() >= nextRefresh) {
                nextRefresh = run.elapsed() + o.refreshMs;
                QElapsedTimer t;
                t.start();
                screen.evento([&] { screen.DisparaAtualizacao(); });
                result.refreshMs.push_back(double(t.nsecsElapsed()) / 1e6);
                for (const QString& text : seen()) {
                    result.errors << QStringLiteral("atualização: %1").arg(text);
                }
            }
            const QString mesa = o.tables[next];
            next = (next + 1) % int(o.tables.size());
            const bool opened = waiter.openAccount(mesa);
            if (!opened && !o.racing) {
                result.errors
                    << QStringLiteral("mesa %1 não estava livre para a nova conta").arg(mesa);
                continue;
            }
            // A table the other till of a race has received and freed already is left
            // for the next turn; one it is receiving is touched all the same.
            if (o.racing && waiter.tableState(mesa) == QLatin1String("D")) {
                ++result.lostRaces;
                continue;
            }
            screen.evento([&] { screen.ControleMesa(mesa); });
            bool lost = false;
            bool failed = false;
            for (const QString& text : seen()) {
                if (o.racing && (lostTheRace(text) || text.startsWith(QStringLiteral("diálogo")))) {
                    lost = true;
                } else {
                    failed = true;
                    result.errors << QStringLiteral("mesa %1: %2").arg(mesa, text);
                }
            }
            if (lost) {
                ++result.lostRaces;
            } else if (!failed) {
                ++result.receipts;
                // A till's own table is free once received.
                if (!o.racing && waiter.tableState(mesa) != QLatin1String("D")) {
                    result.errors << QStringLiteral("mesa %1 não ficou livre depois do recebimento")
                                         .arg(mesa);
                }
            }
            // A racing till gives the other one a moment to touch the same table.
            if (o.racing) {
                QThread::msleep(5);
            }
        }
    }
    QSqlDatabase::removeDatabase(suiteName);
    return result;
}

QStringList resultLines(const LoadTillResult& r) {
    QStringList refreshes;
    for (double ms : r.refreshMs) {
        refreshes << QString::number(ms, 'f', 3);
    }
    QStringList lines{QStringLiteral("atualizacoes %1").arg(refreshes.join(QLatin1Char(' '))),
                      QStringLiteral("recebimentos %1").arg(r.receipts),
                      QStringLiteral("perdidas %1").arg(r.lostRaces)};
    for (const QString& e : r.errors) {
        lines << QStringLiteral("erro %1").arg(QString(e).replace(QLatin1Char('\n'), ' '));
    }
    return lines;
}

LoadTillResult parseResultLines(const QStringList& lines) {
    LoadTillResult r;
    for (const QString& line : lines) {
        const QString key = line.section(QLatin1Char(' '), 0, 0);
        const QString rest = line.section(QLatin1Char(' '), 1);
        if (key == QLatin1String("atualizacoes")) {
            for (const QString& ms : rest.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                r.refreshMs.push_back(ms.toDouble());
            }
        } else if (key == QLatin1String("recebimentos")) {
            r.receipts = rest.toInt();
        } else if (key == QLatin1String("perdidas")) {
            r.lostRaces = rest.toInt();
        } else if (key == QLatin1String("erro")) {
            r.errors << rest;
        }
    }
    return r;
}

} // namespace tmk::bench
