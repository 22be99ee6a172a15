#include "suite/dialogs/dialogs_statements.h"

namespace tmk {

const LibraryStatements& dialogsStatements() {
    static const LibraryStatements statements(
        QStringLiteral(":/suite/dialogs/sql"), QStringLiteral("da biblioteca de diálogos"),
        {{QStringLiteral("log_controle_acess"), QStringLiteral("nome_filial")}, {}, {}});
    return statements;
}

} // namespace tmk
