#include "db/schema_description.h"

#include "platform/errors.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace tmk::db {

QStringList Table::keyColumns() const {
    QStringList keys;
    for (const Column& c : columns) {
        if (c.key) {
            keys << c.name;
        }
    }
    return keys;
}

const Column* Table::column(const QString& columnName) const {
    for (const Column& c : columns) {
        if (c.name.compare(columnName, Qt::CaseInsensitive) == 0) {
            return &c;
        }
    }
    return nullptr;
}

QString Notification::triggerName(Trigger::Event event) const {
    switch (event) {
    case Trigger::Event::Insert:
        return QStringLiteral("TN_%1_INS").arg(table);
    case Trigger::Event::Update:
        return QStringLiteral("TN_%1_UPD").arg(table);
    case Trigger::Event::Delete:
        return QStringLiteral("TN_%1_DEL").arg(table);
    }
    return {};
}

const Table* Schema::table(const QString& tableName) const {
    for (const Table& t : tables) {
        if (t.name.compare(tableName, Qt::CaseInsensitive) == 0) {
            return &t;
        }
    }
    return nullptr;
}

Schema Schema::at(int earlierVersion) const {
    Schema s = *this;
    s.version = earlierVersion;
    for (Table& t : s.tables) {
        t.columns.removeIf([&](const Column& c) { return c.since > earlierVersion; });
    }
    s.indexes.removeIf([&](const Index& ix) { return ix.since > earlierVersion; });
    return s;
}

namespace {

QString typeText(const Column& c) {
    switch (c.type) {
    case FieldType::Text:
        return c.size > 0 ? QStringLiteral("text %1").arg(c.size) : QStringLiteral("memo");
    case FieldType::Integer:
        return QStringLiteral("integer");
    case FieldType::Float:
        return QStringLiteral("float");
    case FieldType::DateTime:
        return QStringLiteral("datetime");
    case FieldType::Boolean:
        break;
    }
    return QStringLiteral("?");
}

class Parser {
public:
    Schema run(const QString& text) {
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size(); ++i) {
            lineNo_ = i + 1;
            parseLine(lines[i]);
        }
        closeTable();
        if (schema_.version <= 0) {
            lineNo_ = 0;
            fail(QStringLiteral("falta a linha \"version N\""));
        }
        return schema_;
    }

private:
    enum class Block { None, Table, Results, Trigger };

    [[noreturn]] void fail(const QString& what) const {
        if (lineNo_ > 0) {
            throw AppError(QStringLiteral("Descrição do esquema inválida na linha %1: %2.")
                               .arg(lineNo_)
                               .arg(what));
        }
        throw AppError(QStringLiteral("Descrição do esquema inválida: %1.").arg(what));
    }

    void checkName(const QString& name, const QString& what) const {
        static const QRegularExpression valid(QStringLiteral("^[A-Z][A-Z0-9_]*$"));
        if (!valid.match(name).hasMatch()) {
            fail(QStringLiteral("nome de %1 inválido \"%2\" (use maiúsculas, dígitos e _)")
                     .arg(what, name));
        }
        if (name.size() > kMaxNameLength) {
            fail(QStringLiteral("o nome %1 \"%2\" passa de %3 caracteres")
                     .arg(what, name)
                     .arg(kMaxNameLength));
        }
    }

    // Database objects that share one name space: tables, indexes and key constraints.
    void claimObjectName(const QString& name) {
        if (objectNames_.contains(name)) {
            fail(QStringLiteral("o nome \"%1\" já foi usado").arg(name));
        }
        objectNames_.insert(name);
    }

    void parseLine(const QString& raw) {
        QString line = raw;
        const int hash = line.indexOf(QLatin1Char('#'));
        if (hash >= 0) {
            line.truncate(hash);
        }
        if (line.trimmed().isEmpty()) {
            return;
        }
        const bool indented = line.front().isSpace();
        const QStringList words = line.simplified().split(QLatin1Char(' '));
        if (indented && block_ == Block::Trigger) {
            body_ << line.trimmed();
            return;
        }
        if (indented) {
            parseColumn(words);
            return;
        }
        closeTable();
        const QString keyword = words.first();
        if (keyword == QLatin1String("version")) {
            parseVersion(words);
        } else if (keyword == QLatin1String("table")) {
            openTable(words);
        } else if (keyword == QLatin1String("index")) {
            parseIndex(line.simplified());
        } else if (keyword == QLatin1String("trigger")) {
            openTrigger(line.simplified());
        } else if (keyword == QLatin1String("notify")) {
            parseNotification(line.simplified());
        } else if (keyword == QLatin1String("results")) {
            if (words.size() != 1) {
                fail(QStringLiteral("\"results\" não leva argumentos"));
            }
            if (resultsSeen_) {
                fail(QStringLiteral("bloco \"results\" repetido"));
            }
            resultsSeen_ = true;
            block_ = Block::Results;
        } else {
            fail(QStringLiteral("palavra desconhecida \"%1\"").arg(keyword));
        }
    }

    void parseVersion(const QStringList& words) {
        bool ok = false;
        const int v = words.size() == 2 ? words[1].toInt(&ok) : 0;
        if (!ok || v <= 0) {
            fail(QStringLiteral("a versão deve ser um número inteiro positivo"));
        }
        if (schema_.version > 0) {
            fail(QStringLiteral("versão repetida"));
        }
        schema_.version = v;
    }

    void openTable(const QStringList& words) {
        if (words.size() != 2) {
            fail(QStringLiteral("use \"table NOME\""));
        }
        const QString& name = words[1];
        checkName(name, QStringLiteral("tabela"));
        if (schema_.table(name)) {
            fail(QStringLiteral("tabela %1 repetida").arg(name));
        }
        claimObjectName(name);
        const QString pk = QStringLiteral("PK_") + name;
        if (pk.size() > kMaxNameLength) {
            fail(QStringLiteral("o nome da chave \"%1\" passa de %2 caracteres")
                     .arg(pk)
                     .arg(kMaxNameLength));
        }
        claimObjectName(pk);
        schema_.tables.append(Table{name, {}});
        tableLine_ = lineNo_;
        block_ = Block::Table;
    }

    void closeTable() {
        if (block_ == Block::Table && schema_.tables.last().columns.isEmpty()) {
            lineNo_ = tableLine_;
            fail(QStringLiteral("a tabela %1 não tem colunas").arg(schema_.tables.last().name));
        }
        if (block_ == Block::Trigger) {
            closeTrigger();
        }
        block_ = Block::None;
    }

    void openTrigger(const QString& line) {
        static const QRegularExpression form(QStringLiteral(
            "^trigger (\\S+) after (insert|update|delete)(?: of ([^()]+?))? on (\\S+)$"));
        const auto m = form.match(line);
        if (!m.hasMatch()) {
            fail(QStringLiteral("use \"trigger NOME after insert|update OF COLUNA, ...|delete on "
                                "TABELA\""));
        }
        Trigger t;
        t.name = m.captured(1);
        t.table = m.captured(4);
        checkName(t.name, QStringLiteral("gatilho"));
        claimObjectName(t.name);
        const Table* table = schema_.table(t.table);
        if (!table) {
            fail(QStringLiteral("o gatilho %1 cita a tabela desconhecida %2").arg(t.name, t.table));
        }
        const QString event = m.captured(2);
        t.event = event == QLatin1String("insert")   ? Trigger::Event::Insert
                  : event == QLatin1String("update") ? Trigger::Event::Update
                                                     : Trigger::Event::Delete;
        if (m.hasCaptured(3) != (t.event == Trigger::Event::Update)) {
            fail(QStringLiteral("só o gatilho de update nomeia colunas (\"update of A, B\")"));
        }
        for (const QString& raw : m.captured(3).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QString col = raw.trimmed();
            if (!table->column(col)) {
                fail(QStringLiteral("o gatilho %1 cita a coluna \"%2\", que a tabela %3 não tem")
                         .arg(t.name, col, table->name));
            }
            t.columns << col;
        }
        schema_.triggers.append(t);
        body_.clear();
        tableLine_ = lineNo_;
        block_ = Block::Trigger;
    }

    void closeTrigger() {
        Trigger& t = schema_.triggers.last();
        lineNo_ = tableLine_;
        for (const QString& statement : body_.join(QLatin1Char('\n')).split(QLatin1Char(';'))) {
            if (!statement.trimmed().isEmpty()) {
                t.statements << statement.trimmed();
            }
        }
        if (t.statements.isEmpty()) {
            fail(QStringLiteral("o gatilho %1 não tem instruções").arg(t.name));
        }
        static const QRegularExpression novas(QStringLiteral("\\bNOVAS\\b"));
        static const QRegularExpression antigas(QStringLiteral("\\bANTIGAS\\b"));
        const QString all = t.statements.join(QLatin1Char('\n'));
        if (t.event == Trigger::Event::Delete && all.contains(novas)) {
            fail(QStringLiteral("o gatilho %1 de delete não tem linhas NOVAS").arg(t.name));
        }
        if (t.event == Trigger::Event::Insert && all.contains(antigas)) {
            fail(QStringLiteral("o gatilho %1 de insert não tem linhas ANTIGAS").arg(t.name));
        }
    }

    void parseNotification(const QString& line) {
        static const QRegularExpression form(
            QStringLiteral("^notify (\\S+)(?: of ([^()]+?))?(?: in (\\S+))?$"));
        const auto m = form.match(line);
        if (!m.hasMatch()) {
            fail(QStringLiteral("use \"notify TABELA [of COLUNA, ...] [in TABELA_PAI]\""));
        }
        Notification n;
        n.table = m.captured(1);
        n.parent = m.captured(3);
        const Table* table = schema_.table(n.table);
        if (!table) {
            fail(QStringLiteral("o aviso cita a tabela desconhecida %1").arg(n.table));
        }
        for (const Notification& other : std::as_const(schema_.notifications)) {
            if (other.table == n.table) {
                fail(QStringLiteral("o aviso da tabela %1 está repetido").arg(n.table));
            }
        }
        if (!table->column(Notification::branchColumn())) {
            fail(QStringLiteral("a tabela %1 não tem a coluna %2 que o aviso leva")
                     .arg(n.table, Notification::branchColumn()));
        }
        for (const QString& raw : m.captured(2).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QString col = raw.trimmed();
            if (!table->column(col)) {
                fail(QStringLiteral("o aviso cita a coluna \"%1\", que a tabela %2 não tem")
                         .arg(col, n.table));
            }
            if (n.columns.contains(col)) {
                fail(QStringLiteral("o aviso da tabela %1 repete a coluna %2").arg(n.table, col));
            }
            n.columns << col;
        }
        const Table* parent = nullptr;
        if (!n.parent.isEmpty()) {
            parent = schema_.table(n.parent);
            if (!parent || parent == table) {
                fail(QStringLiteral("o aviso da tabela %1 cita a tabela pai inválida %2")
                         .arg(n.table, n.parent));
            }
            for (const QString& key : parent->keyColumns()) {
                if (!table->column(key)) {
                    fail(QStringLiteral("a tabela %1 não tem a coluna %2 da chave de %3")
                             .arg(n.table, key, n.parent));
                }
            }
        }
        const QString store = Notification::storeColumn();
        if (!table->column(store) && !(parent && parent->column(store))) {
            fail(QStringLiteral("nem a tabela %1 nem uma tabela pai têm a coluna %2")
                     .arg(n.table, store));
        }
        for (const auto event :
             {Trigger::Event::Insert, Trigger::Event::Update, Trigger::Event::Delete}) {
            checkName(n.triggerName(event), QStringLiteral("gatilho de aviso"));
            claimObjectName(n.triggerName(event));
        }
        schema_.notifications.append(n);
    }

    void parseColumn(const QStringList& words) {
        if (block_ == Block::None) {
            fail(QStringLiteral("coluna fora de uma tabela"));
        }
        Column c;
        c.name = words[0];
        checkName(c.name, QStringLiteral("coluna"));
        int next = 1;
        const QString type = words.value(next++);
        if (type == QLatin1String("text")) {
            bool ok = false;
            c.size = words.value(next++).toInt(&ok);
            if (!ok || c.size <= 0) {
                fail(
                    QStringLiteral("a coluna %1 de texto precisa da largura (text N)").arg(c.name));
            }
        } else if (type == QLatin1String("memo")) {
            c.size = 0;
        } else if (type == QLatin1String("integer")) {
            c.type = FieldType::Integer;
        } else if (type == QLatin1String("float")) {
            c.type = FieldType::Float;
        } else if (type == QLatin1String("datetime")) {
            c.type = FieldType::DateTime;
        } else {
            fail(QStringLiteral("tipo desconhecido \"%1\" na coluna %2").arg(type, c.name));
        }
        for (; next < words.size(); ++next) {
            const QString& flag = words[next];
            if (flag == QLatin1String("key") && block_ == Block::Table && !c.key) {
                c.key = true;
                c.notNull = true;
            } else if (flag == QLatin1String("notnull") && block_ == Block::Table && !c.notNull) {
                c.notNull = true;
            } else if (flag == QLatin1String("since") && block_ == Block::Table && c.since == 1) {
                // Added to existing databases by ALTER TABLE: nullable, not a key.
                bool ok = false;
                c.since = words.value(++next).toInt(&ok);
                if (!ok || c.since < 2 || c.since > schema_.version) {
                    fail(QStringLiteral("a coluna %1 precisa de \"since N\", com N de 2 até a "
                                        "versão do esquema")
                             .arg(c.name));
                }
            } else {
                fail(QStringLiteral("\"%1\" não cabe na coluna %2").arg(flag, c.name));
            }
        }
        if (c.since > 1 && c.notNull) {
            fail(QStringLiteral("a coluna %1, acrescentada depois (since), não pode ser chave nem "
                                "notnull")
                     .arg(c.name));
        }
        checkSameTypeEverywhere(c);
        if (block_ == Block::Results) {
            for (const Column& r : std::as_const(schema_.results)) {
                if (r.name == c.name) {
                    fail(QStringLiteral("coluna %1 repetida em \"results\"").arg(c.name));
                }
            }
            schema_.results.append(c);
            return;
        }
        Table& t = schema_.tables.last();
        if (t.column(c.name)) {
            fail(QStringLiteral("coluna %1 repetida na tabela %2").arg(c.name, t.name));
        }
        t.columns.append(c);
    }

    void checkSameTypeEverywhere(const Column& c) {
        const auto it = typeByName_.constFind(c.name);
        if (it == typeByName_.cend()) {
            typeByName_.insert(c.name, {typeText(c), currentPlace()});
            return;
        }
        if (it->first != typeText(c)) {
            fail(QStringLiteral("a coluna %1 é \"%2\" aqui e \"%3\" em %4")
                     .arg(c.name, typeText(c), it->first, it->second));
        }
    }

    QString currentPlace() const {
        return block_ == Block::Results ? QStringLiteral("results") : schema_.tables.last().name;
    }

    void parseIndex(const QString& line) {
        static const QRegularExpression form(
            QStringLiteral("^index (\\S+) on (\\S+) \\(([^()]*)\\)(?: since (\\S+))?$"));
        const auto m = form.match(line);
        if (!m.hasMatch()) {
            fail(QStringLiteral("use \"index NOME on TABELA (COLUNA, ...) [since N]\""));
        }
        Index ix;
        ix.name = m.captured(1);
        ix.table = m.captured(2);
        if (m.hasCaptured(4)) {
            // Created in existing databases when they are opened.
            bool ok = false;
            ix.since = m.captured(4).toInt(&ok);
            if (!ok || ix.since < 2 || ix.since > schema_.version) {
                fail(QStringLiteral("o índice %1 precisa de \"since N\", com N de 2 até a versão "
                                    "do esquema")
                         .arg(ix.name));
            }
        }
        checkName(ix.name, QStringLiteral("índice"));
        claimObjectName(ix.name);
        const Table* t = schema_.table(ix.table);
        if (!t) {
            fail(
                QStringLiteral("o índice %1 cita a tabela desconhecida %2").arg(ix.name, ix.table));
        }
        const QStringList cols = m.captured(3).split(QLatin1Char(','));
        for (const QString& raw : cols) {
            const QString col = raw.trimmed();
            if (!t->column(col)) {
                fail(QStringLiteral("o índice %1 cita a coluna \"%2\", que a tabela %3 não tem")
                         .arg(ix.name, col, t->name));
            }
            if (ix.columns.contains(col)) {
                fail(QStringLiteral("o índice %1 repete a coluna %2").arg(ix.name, col));
            }
            ix.columns << col;
        }
        schema_.indexes.append(ix);
    }

    Schema schema_;
    Block block_ = Block::None;
    bool resultsSeen_ = false;
    int lineNo_ = 0;
    int tableLine_ = 0;
    QSet<QString> objectNames_;
    QStringList body_;                                       // statements of the trigger being read
    QHash<QString, std::pair<QString, QString>> typeByName_; // name -> (type, where)
};

} // namespace

Schema parseSchema(const QString& text) {
    return Parser().run(text);
}

} // namespace tmk::db
