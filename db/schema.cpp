#include "db/schema.h"

#include "platform/database_error.h"
#include "platform/errors.h"
#include "suite/common/db_dialect.h"

#include <QCryptographicHash>
#include <QFile>
#include <QHash>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

Q_LOGGING_CATEGORY(lcSchema, "tmk.db")

// Resources of a static library are registered explicitly (outside any namespace).
static void registerSchemaResource() {
    Q_INIT_RESOURCE(db);
}

namespace tmk::db {

namespace {

const QString kVersionTable = QStringLiteral("TMKVERSAO");
const QString kVersionColumn = QStringLiteral("NRVERSAOESQUEMA");
const QString kFingerprintColumn = QStringLiteral("DSASSINATURA");
const QString kCreatedColumn = QStringLiteral("DTHRCRIACAO");

QString columnDdl(const Table& t, const Column& c, const DbDialect& dialect) {
    const bool soleIntegerKey = c.key && c.type == FieldType::Integer && t.keyColumns().size() == 1;
    QString s = c.name + QLatin1Char(' ') + dialect.columnType(c.fieldDef(), soleIntegerKey);
    if (c.notNull) {
        s += QStringLiteral(" NOT NULL");
    }
    const QString check = dialect.columnCheck(c.fieldDef());
    if (!check.isEmpty()) {
        s += QLatin1Char(' ') + check;
    }
    return s;
}

QString tableDdl(const Table& t, const DbDialect& dialect) {
    QStringList parts;
    for (const Column& c : t.columns) {
        parts << QStringLiteral("    ") + columnDdl(t, c, dialect);
    }
    const QStringList keys = t.keyColumns();
    if (!keys.isEmpty()) {
        parts << QStringLiteral("    CONSTRAINT PK_%1 PRIMARY KEY (%2)")
                     .arg(t.name, keys.join(QStringLiteral(", ")));
    }
    // statement-scan: names and types from the schema description, not values
    return QStringLiteral("CREATE TABLE %1 (\n%2\n)")
        .arg(t.name, parts.join(QStringLiteral(",\n")));
}

QString indexDdl(const Index& ix) {
    // statement-scan: names from the schema description, not values
    return QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
        .arg(ix.name, ix.table, ix.columns.join(QStringLiteral(", ")));
}

void requireColumns(const Table& t, const QStringList& columns) {
    for (const QString& c : columns) {
        if (!t.column(c)) {
            throw AppError(QStringLiteral("A tabela %1 não tem a coluna %2.").arg(t.name, c));
        }
    }
}

void requireOpen(const QSqlDatabase& db) {
    if (!db.isValid() || !db.isOpen()) {
        throw DatabaseError(QStringLiteral("A conexão com o banco de dados não está aberta."),
                            QString(), db.lastError().text(), true);
    }
}

const Table& versionTable() {
    const Table* t = schema().table(kVersionTable);
    if (!t) {
        throw AppError(
            QStringLiteral("A descrição do esquema não tem a tabela %1.").arg(kVersionTable));
    }
    return *t;
}

void insertVersionRow(QSqlDatabase& db, const DbDialect& dialect) {
    const QString text =
        insertStatement(versionTable(), {kVersionColumn, kFingerprintColumn, kCreatedColumn});
    QSqlQuery q(db);
    if (!q.prepare(text)) {
        throw DatabaseError(QStringLiteral("Não foi possível registrar a versão do esquema."), text,
                            q.lastError().text());
    }
    q.bindValue(QLatin1Char(':') + kVersionColumn, schema().version);
    q.bindValue(QLatin1Char(':') + kFingerprintColumn, schemaFingerprint(schema()));
    q.bindValue(QLatin1Char(':') + kCreatedColumn,
                dialect.dateTimeValue(QDateTime::currentDateTime()));
    if (!q.exec()) {
        throw DatabaseError(QStringLiteral("Não foi possível registrar a versão do esquema."), text,
                            q.lastError().text());
    }
}

// The version and fingerprint the database was made with (highest version recorded).
std::optional<std::pair<int, QString>> recordedVersion(QSqlDatabase& db) {
    // statement-scan: names of the version table, not values
    const QString text = QStringLiteral("SELECT %1, %2 FROM %3")
                             .arg(kVersionColumn, kFingerprintColumn, versionTable().name);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(text)) {
        throw DatabaseError(
            QStringLiteral("Não foi possível ler a versão do esquema do banco de dados."), text,
            q.lastError().text());
    }
    std::optional<std::pair<int, QString>> best;
    while (q.next()) {
        const int v = q.value(0).toInt();
        if (!best || v > best->first) {
            best = std::pair{v, q.value(1).toString()};
        }
    }
    return best;
}

// Brings a database made with an earlier version of this description up to date: the
// columns and indexes added since, and the new version recorded, in one transaction.
void upgradeSchema(QSqlDatabase& db, int fromVersion) {
    const DbDialect& dialect = DbDialect::of(db);
    QStringList ddl;
    for (const Table& t : schema().tables) {
        for (const Column& c : t.columns) {
            if (c.since > fromVersion) {
                // statement-scan: names and types from the schema description, not values
                ddl << QStringLiteral("ALTER TABLE %1 ADD %2")
                           .arg(t.name, columnDdl(t, c, dialect));
            }
        }
    }
    for (const Index& ix : schema().indexes) {
        if (ix.since > fromVersion) {
            ddl << indexDdl(ix);
        }
    }
    if (!db.transaction()) {
        throw DatabaseError(QStringLiteral("Não foi possível iniciar a atualização do esquema do "
                                           "banco de dados."),
                            QString(), db.lastError().text());
    }
    try {
        for (const QString& statement : ddl) {
            QSqlQuery q(db);
            if (!q.exec(statement)) {
                throw DatabaseError(QStringLiteral("Não foi possível atualizar o esquema do banco "
                                                   "de dados da versão %1 para a %2. Nada foi "
                                                   "alterado.")
                                        .arg(fromVersion)
                                        .arg(schema().version),
                                    statement, q.lastError().text());
            }
        }
        insertVersionRow(db, dialect);
        if (!db.commit()) {
            throw DatabaseError(QStringLiteral("Não foi possível concluir a atualização do esquema "
                                               "do banco de dados. Nada foi alterado."),
                                QString(), db.lastError().text());
        }
    } catch (...) {
        db.rollback();
        throw;
    }
    qCInfo(lcSchema) << "schema upgraded from version" << fromVersion << "to" << schema().version;
}

void checkRecordedVersion(QSqlDatabase& db) {
    auto recorded = recordedVersion(db);
    const Schema& s = schema();
    if (recorded && recorded->first < s.version &&
        recorded->second == schemaFingerprint(s.at(recorded->first))) {
        try {
            upgradeSchema(db, recorded->first);
        } catch (const DatabaseError&) {
            // Another till may have upgraded it in the meantime.
            const auto again = recordedVersion(db);
            if (!again || again->first != s.version) {
                throw;
            }
        }
        recorded = recordedVersion(db);
    }
    if (!recorded) {
        throw AppError(
            QStringLiteral("O banco de dados não registra a versão do esquema: a criação "
                           "das tabelas não terminou. Recrie o banco de dados."));
    }
    if (recorded->first != s.version) {
        throw AppError(QStringLiteral("O banco de dados foi criado com a versão %1 do esquema, mas "
                                      "este programa usa a versão %2. Atualize ou recrie o banco "
                                      "de dados.")
                           .arg(recorded->first)
                           .arg(s.version));
    }
    if (recorded->second != schemaFingerprint(s)) {
        throw AppError(
            QStringLiteral("O banco de dados foi criado com outra descrição da versão %1 "
                           "do esquema. Recrie o banco de dados.")
                .arg(s.version));
    }
}

} // namespace

const Schema& schema() {
    static const Schema parsed = [] {
        registerSchemaResource();
        QFile file(QStringLiteral(":/db/schema.txt"));
        if (!file.open(QIODevice::ReadOnly)) {
            throw AppError(
                QStringLiteral("Descrição do esquema do banco de dados não encontrada."));
        }
        return parseSchema(QString::fromUtf8(file.readAll()));
    }();
    return parsed;
}

QStringList ddlStatements(DbKind kind) {
    return ddlStatements(schema(), kind);
}

QStringList ddlStatements(const Schema& description, DbKind kind) {
    const DbDialect& dialect = DbDialect::forKind(kind);
    if (!dialect.createsSchema()) {
        throw AppError(QStringLiteral("O esquema do banco de dados é criado apenas em SQLite e "
                                      "PostgreSQL, não em %1.")
                           .arg(dialect.name()));
    }
    QStringList statements;
    for (const Table& t : description.tables) {
        statements << tableDdl(t, dialect);
    }
    for (const Index& ix : description.indexes) {
        statements << indexDdl(ix);
    }
    return statements;
}

namespace {

// The statements of a trigger's body in the kind's own words. `row` stands for the
// row-level form: NOVAS and ANTIGAS become one-row selections of NEW and OLD.
QStringList triggerBody(const Trigger& t, const Table& table, const DbDialect& dialect, bool row) {
    const auto oneRow = [&](const QString& record) {
        QStringList columns;
        for (const Column& c : table.columns) {
            columns << QStringLiteral("%1.%2 AS %2").arg(record, c.name);
        }
        return QStringLiteral("(SELECT %1)").arg(columns.join(QStringLiteral(", ")));
    };
    static const QRegularExpression novas(QStringLiteral("\\bNOVAS\\b"));
    static const QRegularExpression antigas(QStringLiteral("\\bANTIGAS\\b"));
    static const QRegularExpression agora(QStringLiteral("\\bAGORA\\b"));
    static const QRegularExpression horaAtras(QStringLiteral("\\bUMA_HORA_ATRAS\\b"));
    QStringList body;
    for (QString statement : t.statements) {
        if (row) {
            statement.replace(novas, oneRow(QStringLiteral("NEW")));
            statement.replace(antigas, oneRow(QStringLiteral("OLD")));
        }
        // Date-times as every other of the kind stores them.
        statement.replace(agora, dialect.nowExpression());
        statement.replace(horaAtras, dialect.hourAgoExpression());
        body << statement;
    }
    return body;
}

QString eventText(const Trigger& t) {
    switch (t.event) {
    case Trigger::Event::Insert:
        return QStringLiteral("INSERT");
    case Trigger::Event::Update:
        // statement-scan: names from the schema description, not values
        return QStringLiteral("UPDATE OF ") + t.columns.join(QStringLiteral(", "));
    case Trigger::Event::Delete:
        return QStringLiteral("DELETE");
    }
    return {};
}

// An update trigger runs only for rows whose named columns changed.
QString whenChanged(const Trigger& t, const DbDialect& dialect) {
    if (t.event != Trigger::Event::Update) {
        return {};
    }
    QStringList changed;
    for (const QString& c : t.columns) {
        changed << QStringLiteral("OLD.%1 %2 NEW.%1").arg(c, dialect.distinctOperator());
    }
    return QStringLiteral(" WHEN (%1)").arg(changed.join(QStringLiteral(" OR ")));
}

// A kind that runs triggers per row gets one trigger per event. One that runs them per
// statement gets a function over the transition table of all the rows an insert or delete
// touched, and a per-row one for updates.
QStringList triggerDdl(const Trigger& t, const Table& table, const DbDialect& dialect) {
    if (dialect.triggerForm() == DbDialect::TriggerForm::PerRow) {
        // statement-scan: names from the schema description, not values
        return {QStringLiteral("CREATE TRIGGER %1 AFTER %2 ON %3 FOR EACH ROW%4 BEGIN\n%5;\nEND")
                    .arg(t.name, eventText(t), t.table, whenChanged(t, dialect),
                         triggerBody(t, table, dialect, true).join(QStringLiteral(";\n")))};
    }
    const bool row = t.event == Trigger::Event::Update;
    const QString function =
        // statement-scan: names from the schema description, not values
        QStringLiteral("CREATE FUNCTION %1() RETURNS trigger LANGUAGE plpgsql AS $$\nBEGIN\n%2;\n"
                       "RETURN NULL;\nEND\n$$")
            .arg(t.name, triggerBody(t, table, dialect, row).join(QStringLiteral(";\n")));
    QString when;
    if (row) {
        when = QStringLiteral(" FOR EACH ROW") + whenChanged(t, dialect);
    } else {
        when = t.event == Trigger::Event::Insert
                   ? QStringLiteral(" REFERENCING NEW TABLE AS NOVAS FOR EACH STATEMENT")
                   : QStringLiteral(" REFERENCING OLD TABLE AS ANTIGAS FOR EACH STATEMENT");
    }
    // statement-scan: names from the schema description, not values
    return {function, QStringLiteral("CREATE TRIGGER %1 AFTER %2 ON %3%4 EXECUTE FUNCTION %1()")
                          .arg(t.name, eventText(t), t.table, when)};
}

// The columns a notification compares and reads: those that place a row (its key, branch,
// store and table number, the key of its parent) and the named ones.
QStringList noticeColumns(const Notification& n, const Table& table, const Table* parent) {
    QStringList columns = table.keyColumns();
    const auto add = [&](const QString& c) {
        if (table.column(c) && !columns.contains(c)) {
            columns << c;
        }
    };
    add(Notification::branchColumn());
    add(Notification::storeColumn());
    add(Notification::tableNumberColumn());
    if (parent) {
        for (const QString& k : parent->keyColumns()) {
            add(k);
        }
    }
    for (const QString& c : n.columns) {
        add(c);
    }
    return columns;
}

// The rows a statement changed, from its transition tables: those written (insert), those
// gone (delete), or for an update both versions of every row whose compared columns
// changed (both, so that a row moved to another store tells the one it left).
QString changedRows(const Notification& n, const QStringList& columns, Trigger::Event event) {
    const QString list = columns.join(QStringLiteral(", "));
    // statement-scan: names from the schema description, not values
    const QString novas = QStringLiteral("SELECT %1 FROM NOVAS").arg(list);
    // statement-scan: names from the schema description, not values
    const QString antigas = QStringLiteral("SELECT %1 FROM ANTIGAS").arg(list);
    switch (event) {
    case Trigger::Event::Insert:
        return novas;
    case Trigger::Event::Delete:
        return antigas;
    case Trigger::Event::Update:
        break;
    }
    if (n.columns.isEmpty()) {
        return novas + QStringLiteral(" UNION ALL ") + antigas;
    }
    return QStringLiteral("(%1 EXCEPT %2) UNION ALL (%2 EXCEPT %1)").arg(novas, antigas);
}

// One row per branch and store the changed rows belong to, with the table number when
// they are all of one table; the store and table number a row lacks come from its parent.
QString noticeSelection(const Notification& n, const Table& table, const Table* parent,
                        Trigger::Event event) {
    const QString rows = changedRows(n, noticeColumns(n, table, parent), event);
    const auto from = [&](const QString& column) {
        const bool own = table.column(column) != nullptr;
        const bool inherited = parent && parent->column(column);
        if (own && inherited) {
            return QStringLiteral("COALESCE(R.%1, P.%1)").arg(column);
        }
        if (own) {
            return QStringLiteral("R.") + column;
        }
        return inherited ? QStringLiteral("P.") + column : QStringLiteral("NULL");
    };
    const QString store = from(Notification::storeColumn());
    const QString number = from(Notification::tableNumberColumn());
    const QString oneNumber =
        number == QLatin1String("NULL")
            ? number
            : QStringLiteral("CASE WHEN MIN(%1) = MAX(%1) THEN MIN(%1) END").arg(number);
    QString join;
    if (parent) {
        QStringList on;
        for (const QString& k : parent->keyColumns()) {
            on << QStringLiteral("P.%1 = R.%1").arg(k);
        }
        // statement-scan: names from the schema description, not values
        join = QStringLiteral(" LEFT JOIN %1 P ON %2")
                   .arg(parent->name, on.join(QStringLiteral(" AND ")));
    }
    // statement-scan: names from the schema description, not values
    return QStringLiteral("SELECT R.%1 AS CDFILIAL, %2 AS CDLOJA, %3 AS NRMESA FROM (%4) R%5 "
                          "GROUP BY R.%1, %2")
        .arg(Notification::branchColumn(), store, oneNumber, rows, join);
}

// A trigger that runs once per statement over the transition tables of its rows, through a
// function of its own name.
QStringList statementTriggerDdl(const QString& name, const QString& event, const QString& table,
                                const QString& referencing, const QStringList& body) {
    // statement-scan: names from the schema description, not values
    return {QStringLiteral("CREATE FUNCTION %1() RETURNS trigger LANGUAGE plpgsql AS $$\nBEGIN\n"
                           "%2;\nRETURN NULL;\nEND\n$$")
                .arg(name, body.join(QStringLiteral(";\n"))),
            // statement-scan: names from the schema description, not values
            QStringLiteral("CREATE TRIGGER %1 AFTER %2 ON %3 REFERENCING %4 FOR EACH STATEMENT "
                           "EXECUTE FUNCTION %1()")
                .arg(name, event, table, referencing)};
}

} // namespace

QStringList notificationStatements(DbKind kind) {
    return notificationStatements(schema(), kind);
}

QStringList notificationStatements(const Schema& description, DbKind kind) {
    const DbDialect& dialect = DbDialect::forKind(kind);
    if (!dialect.createsSchema()) {
        throw AppError(QStringLiteral("Os gatilhos do esquema são criados apenas em SQLite e "
                                      "PostgreSQL, não em %1.")
                           .arg(dialect.name()));
    }
    if (dialect.changeWatch() != DbDialect::ChangeWatch::Notification) {
        return {};
    }
    QStringList statements;
    for (const Notification& n : description.notifications) {
        const Table* table = description.table(n.table);
        const Table* parent = n.parent.isEmpty() ? nullptr : description.table(n.parent);
        if (!table || (!n.parent.isEmpty() && !parent)) {
            throw AppError(
                QStringLiteral("O aviso da tabela %1 cita uma tabela desconhecida.").arg(n.table));
        }
        const auto notify = [&](Trigger::Event event) {
            return QStringList{
                dialect.notifyStatement(noticeSelection(n, *table, parent, event), table->name)};
        };
        statements << statementTriggerDdl(
            n.triggerName(Trigger::Event::Insert), QStringLiteral("INSERT"), table->name,
            QStringLiteral("NEW TABLE AS NOVAS"), notify(Trigger::Event::Insert));
        statements << statementTriggerDdl(n.triggerName(Trigger::Event::Update),
                                          QStringLiteral("UPDATE"), table->name,
                                          QStringLiteral("OLD TABLE AS ANTIGAS NEW TABLE AS NOVAS"),
                                          notify(Trigger::Event::Update));
        statements << statementTriggerDdl(
            n.triggerName(Trigger::Event::Delete), QStringLiteral("DELETE"), table->name,
            QStringLiteral("OLD TABLE AS ANTIGAS"), notify(Trigger::Event::Delete));
    }
    return statements;
}

QStringList triggerStatements(DbKind kind) {
    return triggerStatements(schema(), kind);
}

QStringList triggerStatements(const Schema& description, DbKind kind) {
    const DbDialect& dialect = DbDialect::forKind(kind);
    if (dialect.triggerForm() == DbDialect::TriggerForm::None) {
        throw AppError(QStringLiteral("Os gatilhos do esquema são criados apenas em SQLite e "
                                      "PostgreSQL, não em %1.")
                           .arg(dialect.name()));
    }
    QStringList statements;
    for (const Trigger& t : description.triggers) {
        const Table* table = description.table(t.table);
        if (!table) {
            throw AppError(
                QStringLiteral("O gatilho %1 cita a tabela desconhecida %2.").arg(t.name, t.table));
        }
        statements << triggerDdl(t, *table, dialect);
    }
    return statements;
}

QString insertStatement(const Table& table, const QStringList& columns) {
    requireColumns(table, columns);
    QStringList params;
    for (const QString& c : columns) {
        params << QLatin1Char(':') + c;
    }
    // statement-scan: names of the schema and their placeholders; the values are bound
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(table.name, columns.join(QStringLiteral(", ")), params.join(QStringLiteral(", ")));
}

QString selectByKeyStatement(const Table& table, const QStringList& columns) {
    requireColumns(table, columns);
    const QStringList keys = table.keyColumns();
    if (keys.isEmpty()) {
        throw AppError(QStringLiteral("A tabela %1 não tem chave.").arg(table.name));
    }
    QStringList conditions;
    for (const QString& k : keys) {
        conditions << QStringLiteral("%1 = :%1").arg(k);
    }
    // statement-scan: names of the schema and their placeholders; the values are bound
    return QStringLiteral("SELECT %1 FROM %2 WHERE %3")
        .arg(columns.join(QStringLiteral(", ")), table.name,
             conditions.join(QStringLiteral(" AND ")));
}

QString schemaFingerprint(const Schema& description) {
    QStringList lines;
    for (const Table& t : description.tables) {
        lines << QStringLiteral("table ") + t.name;
        for (const Column& c : t.columns) {
            lines << QStringLiteral("%1 %2 %3 %4 %5")
                         .arg(c.name)
                         .arg(int(c.type))
                         .arg(c.size)
                         .arg(c.key ? 1 : 0)
                         .arg(c.notNull ? 1 : 0);
        }
    }
    for (const Index& ix : description.indexes) {
        lines << QStringLiteral("index %1 %2 %3")
                     .arg(ix.name, ix.table, ix.columns.join(QLatin1Char(',')));
    }
    for (const Trigger& t : description.triggers) {
        lines << QStringLiteral("trigger %1 %2 %3 %4")
                     .arg(t.name, t.table)
                     .arg(int(t.event))
                     .arg(t.columns.join(QLatin1Char(',')));
        for (const QString& statement : t.statements) {
            lines << statement.simplified();
        }
    }
    for (const Notification& n : description.notifications) {
        lines << QStringLiteral("notify %1 %2 %3")
                     .arg(n.table, n.columns.join(QLatin1Char(',')), n.parent);
    }
    return QString::fromLatin1(
        QCryptographicHash::hash(lines.join(QLatin1Char('\n')).toUtf8(), QCryptographicHash::Sha256)
            .toHex());
}

void createSchema(QSqlDatabase& db) {
    const DbKind kind = DbDialect::of(db).kind();
    createSchema(db, ddlStatements(kind) + triggerStatements(kind) + notificationStatements(kind));
}

void createSchema(QSqlDatabase& db, const QStringList& ddl) {
    requireOpen(db);
    const DbDialect& dialect = DbDialect::of(db);
    if (!db.transaction()) {
        throw DatabaseError(QStringLiteral("Não foi possível iniciar a criação do esquema do banco "
                                           "de dados."),
                            QString(), db.lastError().text());
    }
    try {
        for (int i = 0; i < ddl.size(); ++i) {
            QSqlQuery q(db);
            if (!q.exec(ddl[i])) {
                throw DatabaseError(QStringLiteral("Não foi possível criar o esquema do banco de "
                                                   "dados: a instrução %1 de %2 foi recusada. "
                                                   "Nada foi criado.")
                                        .arg(i + 1)
                                        .arg(ddl.size()),
                                    ddl[i], q.lastError().text());
            }
        }
        insertVersionRow(db, dialect);
        if (!db.commit()) {
            throw DatabaseError(QStringLiteral("Não foi possível concluir a criação do esquema do "
                                               "banco de dados. Nada foi criado."),
                                QString(), db.lastError().text());
        }
    } catch (const DatabaseError& e) {
        db.rollback();
        qCWarning(lcSchema) << "schema creation rolled back:" << e.driverText();
        throw;
    } catch (...) {
        db.rollback();
        throw;
    }
    qCInfo(lcSchema) << "schema version" << schema().version << "created on" << dialect.name();
}

bool schemaPresent(QSqlDatabase& db) {
    requireOpen(db);
    const QStringList tables = db.tables(QSql::Tables);
    for (const QString& t : tables) {
        if (t.compare(kVersionTable, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

void ensureSchema(QSqlDatabase& db) {
    if (!schemaPresent(db)) {
        try {
            createSchema(db);
            return;
        } catch (const DatabaseError&) {
            // Another till may have created it in the meantime: take its schema.
            if (!schemaPresent(db)) {
                throw;
            }
        }
    }
    checkRecordedVersion(db);
}

std::optional<FieldDef> columnDef(const QString& columnName) {
    static const QHash<QString, FieldDef> dictionary = [] {
        QHash<QString, FieldDef> d;
        const Schema& s = schema();
        for (const Table& t : s.tables) {
            for (const Column& c : t.columns) {
                d.insert(c.name.toUpper(), c.fieldDef());
            }
        }
        for (const Column& c : s.results) {
            d.insert(c.name.toUpper(), c.fieldDef());
        }
        return d;
    }();
    const auto it = dictionary.constFind(columnName.toUpper());
    if (it == dictionary.cend()) {
        return std::nullopt;
    }
    return *it;
}

} // namespace tmk::db
