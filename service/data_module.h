#pragma once

#include "platform/data_packet.h"
#include "service/statement_catalogue.h"
#include "suite/common/db_dialect.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <utility>

namespace tmk {

class ChangeListener;

// Named parameters of a statement: {"P_CDFILIAL", value}, bound by name. A QString
// binds as text (a null QString as an empty text), an invalid QVariant as NULL, a
// QDateTime or QDate as the connection's dialect binds date-times.
using SqlParams = QList<std::pair<QString, QVariant>>;

// The table data module: one connection, the statement catalogue of the connected
// kind, the transaction methods and the statement helpers every operation uses.
class TrdmGerMesa {
public:
    explicit TrdmGerMesa(QString connectionName = QStringLiteral("adcGerMesa"));
    ~TrdmGerMesa();
    TrdmGerMesa(const TrdmGerMesa&) = delete;
    TrdmGerMesa& operator=(const TrdmGerMesa&) = delete;

    // Opens the connection from the till's connection text (_GetStringConexKov("")),
    // prepares the session (SetADODBSession) and loads the catalogue of its dialect.
    // An unknown provider or a catalogue without a text for the kind fails here.
    void connect();
    // The same with a given connection text (and, for tests, another catalogue folder).
    void connectTo(const QString& connectionText,
                   const QString& catalogueRoot = StatementCatalogue::defaultRoot());
    bool connected() const;
    // The dialect and catalogue are set (the server may still be down: the next
    // operation then tries it again).
    bool configured() const { return catalogue_ != nullptr; }
    // The dialect of the connection; AppError before the first connect.
    const DbDialect& dialect() const;
    QSqlDatabase& adcGerMesa() { return db_; }
    const StatementCatalogue& catalogue() const;

    // Component hooks: activation tries the connection, deactivation closes it.
    void MtsDataModuleActivate();
    void MtsDataModuleDeactivate();

    // Transactions without a nesting count: StartTrans joins an open transaction, the
    // first CommitTrans or RollbackTrans ends it; both do nothing without one.
    void StartTrans();
    void CommitTrans();
    void RollbackTrans();
    bool inTransaction() const { return inTransaction_; }

    double Trunc2(double value) const;
    // True when the SQL Server reports a major version below 9; false on any failure
    // and on servers that report no SQL Server version.
    bool getVersaoBanco();
    // The version rule alone: major version (text before the first ".") below 9.
    static bool versaoAnterior9(const QString& versao);

    // Statement helpers. Each prepares the catalogue statement once and reuses it;
    // a database error throws DatabaseError naming the statement.
    DataPacket openPacket(const QString& statement, const SqlParams& params);
    int execute(const QString& statement, const SqlParams& params); // rows affected
    // First row's column as a value (invalid when there is no row or it is null).
    QVariant scalar(const QString& statement, const SqlParams& params, const QString& column);
    bool hasRows(const QString& statement, const SqlParams& params);

    // Statements executed on this module since it was made (a cost measure).
    quint64 statementsRun() const { return statementsRun_; }

    // The listener of the changes other tills commit to the map of a branch and store
    // (service/change_listener.h), on a connection and thread of its own: made on the first
    // call, and made again when the branch, the store or the connection changed. When it
    // had to reconnect, this module checks its own connection before its next statement
    // (the server may have restarted under both). AppError before the module is configured.
    ChangeListener& changeListener(const QString& cdFilial, const QString& cdLoja);

    // For tests: a seam that replaces the version probe's query result.
    void setVersionProbe(std::function<QString()> probe) { versionProbe_ = std::move(probe); }

private:
    QSqlQuery& prepared(const QString& statement);
    void bindAll(QSqlQuery& query, const SqlParams& params) const;
    void run(QSqlQuery& query, const QString& statement);
    [[noreturn]] void fail(const QSqlQuery& query, const QString& statement);
    void reopenIfLost();
    FieldDef columnDefinition(const CatalogueStatement& st, const QString& column,
                              QMetaType driverType) const;

    QString connectionName_;
    QString connectionText_;
    QSqlDatabase db_;
    const DbDialect* dialect_ = nullptr;
    std::unique_ptr<StatementCatalogue> catalogue_;
    QHash<QString, std::shared_ptr<QSqlQuery>> queries_;
    bool inTransaction_ = false;
    bool connectionLost_ = false;
    bool connectionSuspect_ = false;
    std::unique_ptr<ChangeListener> listener_;
    std::function<QString()> versionProbe_;
    quint64 statementsRun_ = 0;
};

} // namespace tmk

// The process-wide instance (created by the screen's initialisation on first use),
// exported by name.
extern "C" tmk::TrdmGerMesa* rdmGerMesa;
