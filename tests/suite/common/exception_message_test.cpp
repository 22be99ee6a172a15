#include "external/common.h"
#include "platform/database_error.h"
#include "tests/suite/print_qstring.h"

#include <QSqlDatabase>
#include <gtest/gtest.h>
#include <stdexcept>

namespace tmk {
namespace {

TEST(ADOExceptionMessage, DatabaseErrorWithStatementAndDriverText) {
    const DatabaseError e("Erro ao gravar a mesa.", "acmStatusMesa", "ERROR: deadlock detected");
    EXPECT_EQ(ADOExceptionMessage(e, QSqlDatabase(), ""),
              "Erro ao gravar a mesa.\nacmStatusMesa: ERROR: deadlock detected");
}

TEST(ADOExceptionMessage, LostConnectionIsSaidOnce) {
    const DatabaseError lost("Erro ao ler as mesas.", "adqStatusMesa",
                             "server closed the connection", true);
    EXPECT_EQ(ADOExceptionMessage(lost, QSqlDatabase(), ""),
              "Sem conexão com o banco de dados.\nErro ao ler as mesas.\n"
              "adqStatusMesa: server closed the connection");
    const DatabaseError already("Sem conexão com o banco de dados.", "adqReserva", "", true);
    EXPECT_EQ(ADOExceptionMessage(already, QSqlDatabase(), ""),
              "Sem conexão com o banco de dados.\nadqReserva");
}

TEST(ADOExceptionMessage, OtherExceptionsGiveTheirText) {
    EXPECT_EQ(ADOExceptionMessage(AppError("Mesa inválida."), QSqlDatabase(), ""),
              "Mesa inválida.");
    EXPECT_EQ(ADOExceptionMessage(std::runtime_error("bad_alloc"), QSqlDatabase(), ""),
              "bad_alloc");
    EXPECT_EQ(ADOExceptionMessage(AppError("Falhou."), QSqlDatabase(), "getStatusMesa"),
              "getStatusMesa\nFalhou.");
}

} // namespace
} // namespace tmk
