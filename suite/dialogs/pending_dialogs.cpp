// The dialogs this till does not offer yet: each one says so instead of pretending
// to have run.

#include "platform/errors.h"
#include "suite/dialogs/suite_dialogs.h"

namespace tmk {

namespace {

[[noreturn]] void notAvailable(const char* function) {
    throw AppError(QStringLiteral("Função %1 ainda não disponível neste caixa.")
                       .arg(QString::fromLatin1(function)));
}

} // namespace

void SuiteDialogs::ParcialConta(QString&) {
    notAvailable("ParcialConta");
}

void SuiteDialogs::CancelaProduto(const QString&, const QString&, const QString&, const QString&) {
    notAvailable("CancelaProduto");
}

bool SuiteDialogs::TrocaOperadorCaixa(QString&) {
    notAvailable("TrocaOperadorCaixa");
}

void SuiteDialogs::PesqConsumidor(const QString&, int, QString&, const QString&, const QString&,
                                  ClientDataSet&, QString&, QStringList&) {
    notAvailable("PesqConsumidor");
}

} // namespace tmk
