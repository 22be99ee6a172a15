#include "service/statement_catalogue.h"

#include "platform/errors.h"

#include <QRegularExpression>

namespace tmk {

namespace {

// What the data module runs: every statement of the master list, the stored ones with a
// text of the kind itself, and the data version of a kind whose tills watch it for changes.
StatementNeeds needs(const QString& root) {
    return {StatementCatalogue::statementNames(root),
            StatementCatalogue::storedStatements().keys(),
            {StatementCatalogue::dataVersionStatement()}};
}

const QString kLibrary = QStringLiteral("do módulo de dados");

} // namespace

QStringList StatementCatalogue::statementNames(const QString& root) {
    return StatementFiles(root).names(DbKind::SqlServer);
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

QStringList StatementCatalogue::missingFor(DbKind kind, const QString& root) {
    return StatementSet::missing(StatementFiles(root), DbDialect::forKind(kind), needs(root));
}

QStringList StatementCatalogue::unknownFor(DbKind kind, const QString& root) {
    return StatementSet::unknown(StatementFiles(root), DbDialect::forKind(kind), needs(root));
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

StatementCatalogue::StatementCatalogue(DbKind kind, const QString& root) {
    const StatementNeeds needed = needs(root);
    if (needed.statements.isEmpty()) {
        throw AppError(QStringLiteral("O catálogo de instruções está vazio (%1).").arg(root));
    }
    const StatementSet texts(StatementFiles(root), DbDialect::forKind(kind), needed, kLibrary);
    for (const QString& name : texts.names()) {
        CatalogueStatement st;
        st.name = name;
        st.text = texts.text(name);
        st.declaredColumns = parseDeclaredColumns(st.text, name);
        statements_.insert(name, st);
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
