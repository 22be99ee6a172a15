#include "service/statement_catalogue.h"

#include "platform/errors.h"
#include "suite/common/db_dialect.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

namespace tmk {

namespace {

QString folder(DbKind kind, const QString& root) {
    return root + QLatin1Char('/') + DbDialect::forKind(kind).folder();
}

QStringList namesIn(DbKind kind, const QString& root) {
    QStringList names;
    const QStringList files =
        QDir(folder(kind, root)).entryList({QStringLiteral("*.sql")}, QDir::Files);
    for (const QString& f : files) {
        names << f.chopped(4);
    }
    names.sort();
    return names;
}

QStringList requiredFor(DbKind kind, const QString& root) {
    if (DbDialect::forKind(kind).fallbackKind()) {
        QStringList stored = StatementCatalogue::storedStatements().keys();
        stored.sort();
        return stored;
    }
    return StatementCatalogue::statementNames(root);
}

} // namespace

QStringList StatementCatalogue::statementNames(const QString& root) {
    return namesIn(DbKind::SqlServer, root);
}

const QHash<QString, QString>& StatementCatalogue::storedStatements() {
    static const QHash<QString, QString> stores = {
        {QStringLiteral("adqReserva"), QStringLiteral("assReserva")},
        {QStringLiteral("adqAmbientes"), QStringLiteral("assAmbientes")},
        {QStringLiteral("adqUltimaVenda"), QStringLiteral("assUltimaVenda")},
        {QStringLiteral("adqDatadeAbertura"), QStringLiteral("AssDatadeAbertura")},
        {QStringLiteral("adqComandaInd"), QStringLiteral("assComandaInd")},
        {QStringLiteral("adqBuscaComandas"), QStringLiteral("assBuscaComanda")},
        {QStringLiteral("adqListaComandaCanc"), QStringLiteral("assListaComandaCanc")},
        {QStringLiteral("adqItComandaEst"), QStringLiteral("assItComandaEst")},
        {QStringLiteral("adqStatusMesa"), QStringLiteral("assStatusMesa")},
        {QStringLiteral("adqConfigTela"), QStringLiteral("assConfigTela")},
        {QStringLiteral("adqVerifNatItens"), QStringLiteral("assVerifNatItens")},
        {QStringLiteral("adqVerifAlimentosCanc"), QStringLiteral("assVerifAlimentosCanc")},
        {QStringLiteral("adqObsItens"), QStringLiteral("assObsItens")},
        {QStringLiteral("adqObsItensEst"), QStringLiteral("assObsItensEst")},
        {QStringLiteral("adqVrSaldConsumi"), QStringLiteral("assVrSaldConsumi")},
        {QStringLiteral("adqListaComanda"), QStringLiteral("assListaComanda")},
        {QStringLiteral("adqIdStLugarMesa"), QStringLiteral("assIdStLugarMesa")},
        {QStringLiteral("adqVendaRest"), QStringLiteral("assVendaRest")},
        {QStringLiteral("adqVerificaObsItens"), QStringLiteral("assVerificaObsItens")},
        {QStringLiteral("acmDelItHrCanc"), QStringLiteral("assDelItHrCanc")},
        {QStringLiteral("adqMovCaixaMob"), QStringLiteral("assMovCaixaMob")},
        {QStringLiteral("acmUpdMovCaixaMob"), QStringLiteral("assMovCaixaMob")},
        {QStringLiteral("adqListaComandaBene"), QStringLiteral("assListaComandaBene")},
        {QStringLiteral("adqComandaFid"), QStringLiteral("assComandaFid")},
        {QStringLiteral("adqBrinde"), QStringLiteral("assBrinde")},
        {QStringLiteral("adqRecupSenha"), QStringLiteral("assRecupSenha")},
        {QStringLiteral("acmDtHrFechMesa1"), QStringLiteral("assDtHrFechMesa1")},
        {QStringLiteral("adqBuscaMesaCmd"), QStringLiteral("assBuscaMesaCmd")},
    };
    return stores;
}

QString StatementCatalogue::resourceText(DbKind kind, const QString& statement,
                                         const QString& root) {
    QFile f(folder(kind, root) + QLatin1Char('/') + statement + QStringLiteral(".sql"));
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(f.readAll()).trimmed();
}

QStringList StatementCatalogue::missingFor(DbKind kind, const QString& root) {
    const QStringList present = namesIn(kind, root);
    const QSet<QString> have(present.cbegin(), present.cend());
    QStringList missing;
    for (const QString& name : requiredFor(kind, root)) {
        if (!have.contains(name)) {
            missing << name;
        }
    }
    return missing;
}

QStringList StatementCatalogue::unknownFor(DbKind kind, const QString& root) {
    const QStringList master = statementNames(root);
    const QSet<QString> known(master.cbegin(), master.cend());
    QStringList unknown;
    for (const QString& name : namesIn(kind, root)) {
        if (!known.contains(name)) {
            unknown << name;
        }
    }
    return unknown;
}

QHash<QString, FieldType> StatementCatalogue::parseDeclaredColumns(const QString& text,
                                                                   const QString& statement) {
    static const QRegularExpression declaration(QStringLiteral("^\\s*--\\s*columns:(.*)$"),
                                                QRegularExpression::MultilineOption);
    QHash<QString, FieldType> columns;
    auto it = declaration.globalMatch(text);
    while (it.hasNext()) {
        const QStringList items = it.next().captured(1).split(QLatin1Char(','), Qt::SkipEmptyParts);
        for (const QString& item : items) {
            const QStringList parts = item.simplified().split(QLatin1Char(' '));
            if (parts.size() != 2) {
                throw AppError(
                    QStringLiteral("Declaração de colunas inválida na instrução %1: \"%2\".")
                        .arg(statement, item.trimmed()));
            }
            const QString type = parts[1].toLower();
            FieldType ft;
            if (type == QLatin1String("text")) {
                ft = FieldType::Text;
            } else if (type == QLatin1String("integer")) {
                ft = FieldType::Integer;
            } else if (type == QLatin1String("float")) {
                ft = FieldType::Float;
            } else if (type == QLatin1String("boolean")) {
                ft = FieldType::Boolean;
            } else if (type == QLatin1String("datetime")) {
                ft = FieldType::DateTime;
            } else {
                throw AppError(
                    QStringLiteral("Tipo de coluna desconhecido na instrução %1: \"%2\".")
                        .arg(statement, parts[1]));
            }
            columns.insert(parts[0].toUpper(), ft);
        }
    }
    return columns;
}

StatementCatalogue::StatementCatalogue(DbKind kind, const QString& root)
    : kind_(kind) {
    if (statementNames(root).isEmpty()) {
        throw AppError(QStringLiteral("O catálogo de instruções está vazio (%1).").arg(root));
    }
    const QStringList missing = missingFor(kind, root);
    if (!missing.isEmpty()) {
        throw AppError(
            QStringLiteral("O catálogo de instruções não tem texto %1 para: %2.")
                .arg(DbDialect::forKind(kind).name(), missing.join(QStringLiteral(", "))));
    }
    const QStringList unknown = unknownFor(kind, root);
    if (!unknown.isEmpty()) {
        throw AppError(
            QStringLiteral("O catálogo de instruções %1 tem textos sem instrução "
                           "correspondente: %2.")
                .arg(DbDialect::forKind(kind).name(), unknown.join(QStringLiteral(", "))));
    }
    const auto& stored = storedStatements();
    for (const QString& name : statementNames(root)) {
        TADOSqlStorage store(stored.value(name, name));
        store.setText(DbKind::SqlServer, resourceText(DbKind::SqlServer, name, root));
        for (DbKind k : {DbKind::SQLite, DbKind::PostgreSQL, DbKind::Oracle}) {
            const QString t = resourceText(k, name, root);
            if (!t.isEmpty()) {
                store.setText(k, t);
            }
        }
        // An Oracle connection runs the single SQL Server text of a statement that has
        // no Oracle text of its own.
        const auto fallback = DbDialect::forKind(kind).fallbackKind();
        const DbKind source = (fallback && !store.hasText(kind)) ? *fallback : kind;
        CatalogueStatement st;
        st.name = name;
        st.text = store.text(source);
        st.declaredColumns = parseDeclaredColumns(st.text, name);
        statements_.insert(name, st);
        stores_.insert(name, store);
    }
}

const CatalogueStatement& StatementCatalogue::statement(const QString& name) const {
    auto it = statements_.constFind(name);
    if (it == statements_.cend()) {
        throw AppError(QStringLiteral("Instrução %1 não existe no catálogo.").arg(name));
    }
    return *it;
}

} // namespace tmk
