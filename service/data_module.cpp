#include "service/data_module.h"

#include "db/schema.h"
#include "external/common.h"
#include "platform/database_error.h"
#include "service/change_listener.h"
#include "suite/common/db_failure.h"

#include <QLoggingCategory>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>

Q_LOGGING_CATEGORY(lcDataModule, "tmk.service")

tmk::TrdmGerMesa* rdmGerMesa = nullptr;

namespace tmk {

TrdmGerMesa::TrdmGerMesa(QString connectionName)
    : connectionName_(std::move(connectionName)) {}

TrdmGerMesa::~TrdmGerMesa() {
    listener_.reset();
    queries_.clear();
    if (db_.isValid()) {
        db_.close();
    }
    db_ = QSqlDatabase();
    if (QSqlDatabase::contains(connectionName_)) {
        QSqlDatabase::removeDatabase(connectionName_);
    }
}

void TrdmGerMesa::connect() {
    connectTo(_GetStringConexKov(QString()));
}

void TrdmGerMesa::connectTo(const QString& connectionText, const QString& catalogueRoot) {
    const DbDialect& dialect = DbDialect::forConnectionText(connectionText);
    // The catalogue is checked before anything runs: a kind without every text fails here.
    auto catalogue = std::make_unique<StatementCatalogue>(dialect.kind(), catalogueRoot);
    queries_.clear();
    inTransaction_ = false;
    dialect_ = &dialect;
    catalogue_ = std::move(catalogue);
    connectionText_ = connectionText;
    // A server that is down now is tried again by the next operation.
    connectionLost_ = true;
    db_ = QSqlDatabase();
    db_ = openConnection(connectionText, connectionName_, DatabaseFile::MustExist);
    SetADODBSession(db_);
    connectionLost_ = false;
}

bool TrdmGerMesa::connected() const {
    return catalogue_ && db_.isValid() && db_.isOpen();
}

const DbDialect& TrdmGerMesa::dialect() const {
    if (!dialect_) {
        throw AppError(QStringLiteral("O módulo de dados não está conectado ao banco de dados."));
    }
    return *dialect_;
}

const StatementCatalogue& TrdmGerMesa::catalogue() const {
    if (!catalogue_) {
        throw AppError(QStringLiteral("O módulo de dados não está conectado ao banco de dados."));
    }
    return *catalogue_;
}

ChangeListener& TrdmGerMesa::changeListener(const QString& cdFilial, const QString& cdLoja) {
    if (listener_ && listener_->settings().cdFilial == cdFilial &&
        listener_->settings().cdLoja == cdLoja &&
        listener_->settings().connectionText == connectionText_) {
        return *listener_;
    }
    ChangeListenerSettings settings;
    settings.connectionText = connectionText_;
    settings.connectionName = connectionName_ + QStringLiteral("_escuta");
    settings.pingText = catalogue().statement(QStringLiteral("adqVerificaConexao")).text;
    if (catalogue().contains(StatementCatalogue::dataVersionStatement())) {
        settings.dataVersionText =
            catalogue().statement(StatementCatalogue::dataVersionStatement()).text;
    }
    settings.cdFilial = cdFilial;
    settings.cdLoja = cdLoja;
    settings.notBefore = serverRetryMoment(connectionText_);
    listener_.reset();
    listener_ = std::make_unique<ChangeListener>(settings);
    QObject::connect(listener_.get(), &ChangeListener::reconnected, listener_.get(),
                     [this] { connectionSuspect_ = true; });
    return *listener_;
}

void TrdmGerMesa::MtsDataModuleActivate() {
    TryConnect(db_);
}

void TrdmGerMesa::MtsDataModuleDeactivate() {
    queries_.clear();
    inTransaction_ = false;
    if (db_.isValid()) {
        db_.close();
    }
}

void TrdmGerMesa::StartTrans() {
    if (inTransaction_) {
        return;
    }
    reopenIfLost();
    if (!db_.transaction()) {
        throw DatabaseError(QStringLiteral("Não foi possível iniciar a transação."),
                            QStringLiteral("StartTrans"), db_.lastError().text());
    }
    inTransaction_ = true;
}

void TrdmGerMesa::CommitTrans() {
    if (!inTransaction_) {
        return;
    }
    inTransaction_ = false;
    if (!db_.commit()) {
        const QString driverText = db_.lastError().text();
        db_.rollback();
        throw DatabaseError(QStringLiteral("Não foi possível confirmar a transação."),
                            QStringLiteral("CommitTrans"), driverText);
    }
}

void TrdmGerMesa::RollbackTrans() {
    if (!inTransaction_) {
        return;
    }
    inTransaction_ = false;
    if (db_.isOpen() && !db_.rollback()) {
        qCWarning(lcDataModule) << "rollback failed:" << db_.lastError().text();
    }
}

double TrdmGerMesa::Trunc2(double value) const {
    return tmk::Trunc2(value);
}

bool TrdmGerMesa::versaoAnterior9(const QString& versao) {
    const QString v = versao.trimmed();
    if (v.isEmpty()) {
        return false;
    }
    bool ok = false;
    const int major = v.section(QLatin1Char('.'), 0, 0).toInt(&ok);
    return ok && major < 9;
}

bool TrdmGerMesa::getVersaoBanco() {
    try {
        const QString versao =
            versionProbe_
                ? versionProbe_()
                : scalar(QStringLiteral("adqVersaoBanco"), {}, QStringLiteral("VERSAO")).toString();
        return versaoAnterior9(versao);
    } catch (const std::exception& e) {
        qCInfo(lcDataModule) << "version probe failed:" << exceptionText(e);
        return false;
    }
}

QSqlQuery& TrdmGerMesa::prepared(const QString& statement) {
    reopenIfLost();
    auto it = queries_.find(statement);
    if (it != queries_.end()) {
        return **it;
    }
    const CatalogueStatement& st = catalogue().statement(statement);
    auto query = std::make_shared<QSqlQuery>(db_);
    query->setForwardOnly(true);
    if (!query->prepare(st.text)) {
        fail(*query, statement);
    }
    queries_.insert(statement, query);
    return *query;
}

void TrdmGerMesa::bindAll(QSqlQuery& query, const SqlParams& params) const {
    for (const auto& [name, value] : params) {
        const QString placeholder = QLatin1Char(':') + name;
        QVariant v = value;
        switch (value.metaType().id()) {
        case QMetaType::QString:
            if (value.toString().isNull()) {
                v = QStringLiteral("");
            }
            break;
        case QMetaType::QDate:
            v = dialect_->dateTimeValue(value.toDate().startOfDay());
            break;
        case QMetaType::QDateTime:
            v = dialect_->dateTimeValue(value.toDateTime());
            break;
        default:
            break;
        }
        query.bindValue(placeholder, v);
    }
}

void TrdmGerMesa::run(QSqlQuery& query, const QString& statement) {
    ++statementsRun_;
    if (!query.exec()) {
        fail(query, statement);
    }
}

void TrdmGerMesa::fail(const QSqlQuery& query, const QString& statement) {
    const QSqlError error = query.lastError();
    const QString driverText = error.text().isEmpty() ? db_.lastError().text() : error.text();
    // Is the connection still there? A failed ping means it was lost: the next call
    // opens it again.
    bool lost = isConnectionLost(db_, error);
    // Inside a transaction a server that refused one statement refuses every other
    // until the rollback, so the ping would say nothing there.
    if (!lost && !inTransaction_ && statement != QLatin1String("adqVerificaConexao")) {
        try {
            QSqlQuery ping(db_);
            lost = !ping.exec(catalogue().statement(QStringLiteral("adqVerificaConexao")).text);
        } catch (const std::exception&) {
            lost = true;
        }
    }
    qCWarning(lcDataModule) << "statement" << statement << "failed:" << driverText
                            << (lost ? "(connection lost)" : "");
    if (lost) {
        connectionLost_ = true;
        inTransaction_ = false;
        queries_.clear();
        throw DatabaseError(QStringLiteral("Sem conexão com o banco de dados."), statement,
                            driverText, true);
    }
    throw DatabaseError(
        withFailureReason(
            QStringLiteral("Erro ao executar a instrução %1 no banco de dados.").arg(statement),
            db_, error),
        statement, driverText, false);
}

void TrdmGerMesa::reopenIfLost() {
    if (!catalogue_) {
        throw AppError(QStringLiteral("O módulo de dados não está conectado ao banco de dados."));
    }
    // The listener had to reconnect: is this connection still there?
    if (connectionSuspect_ && !connectionLost_ && !inTransaction_ && db_.isOpen()) {
        connectionSuspect_ = false;
        QSqlQuery ping(db_);
        if (!ping.exec(catalogue().statement(QStringLiteral("adqVerificaConexao")).text)) {
            qCInfo(lcDataModule) << "connection lost with the listener's:"
                                 << ping.lastError().text();
            connectionLost_ = true;
        }
    }
    if (!connectionLost_ && db_.isOpen()) {
        return;
    }
    queries_.clear();
    inTransaction_ = false;
    try {
        db_ = QSqlDatabase();
        db_ = openConnection(connectionText_, connectionName_, DatabaseFile::MustExist);
        SetADODBSession(db_);
        connectionLost_ = false;
        qCInfo(lcDataModule) << "connection reopened";
    } catch (const AppError& e) {
        connectionLost_ = true;
        throw DatabaseError(QStringLiteral("Sem conexão com o banco de dados."),
                            QStringLiteral("conexão"), e.message(), true);
    }
}

FieldDef TrdmGerMesa::columnDefinition(const CatalogueStatement& st, const QString& column,
                                       QMetaType driverType) const {
    auto declared = st.declaredColumns.constFind(column.toUpper());
    if (declared != st.declaredColumns.cend()) {
        const auto known = db::columnDef(column);
        return {column, *declared, known && known->type == *declared ? known->size : 0};
    }
    if (const auto known = db::columnDef(column)) {
        return {column, known->type, known->size};
    }
    switch (driverType.id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return {column, FieldType::Integer, 0};
    case QMetaType::Double:
    case QMetaType::Float:
        return {column, FieldType::Float, 0};
    case QMetaType::Bool:
        return {column, FieldType::Boolean, 0};
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return {column, FieldType::DateTime, 0};
    default:
        return {column, FieldType::Text, 0};
    }
}

DataPacket TrdmGerMesa::openPacket(const QString& statement, const SqlParams& params) {
    QSqlQuery& query = prepared(statement);
    const CatalogueStatement& st = catalogue().statement(statement);
    bindAll(query, params);
    run(query, statement);
    DataPacket packet;
    const QSqlRecord record = query.record();
    for (int i = 0; i < record.count(); ++i) {
        // Packets carry the names as the statements write them.
        const QString name = dialect_->columnName(record.fieldName(i));
        packet.fields << columnDefinition(st, name, record.field(i).metaType());
    }
    while (query.next()) {
        QVariantList row;
        row.reserve(packet.fields.size());
        for (int i = 0; i < packet.fields.size(); ++i) {
            row << coerceToFieldType(query.value(i), packet.fields[i].type, packet.fields[i].name);
        }
        packet.rows << row;
    }
    query.finish();
    return packet;
}

int TrdmGerMesa::execute(const QString& statement, const SqlParams& params) {
    QSqlQuery& query = prepared(statement);
    bindAll(query, params);
    run(query, statement);
    const int affected = query.numRowsAffected();
    query.finish();
    return affected;
}

QVariant TrdmGerMesa::scalar(const QString& statement, const SqlParams& params,
                             const QString& column) {
    const DataPacket packet = openPacket(statement, params);
    return packet.value(0, column);
}

bool TrdmGerMesa::hasRows(const QString& statement, const SqlParams& params) {
    // The first row answers; the others are not fetched.
    QSqlQuery& query = prepared(statement);
    bindAll(query, params);
    run(query, statement);
    const bool any = query.next();
    if (!any && query.lastError().isValid()) {
        fail(query, statement);
    }
    query.finish();
    return any;
}

} // namespace tmk
