#include "suite/dialogs/waiter_password.h"

#include "external/common.h"
#include "platform/errors.h"
#include "suite/dialogs/dialogs_log.h"
#include "suite/dialogs/dialogs_query.h"

namespace tmk {

WaiterPasswordCheck::Mode WaiterPasswordCheck::modeOf(const QString& idUtlSenhaOper) {
    const QString m = idUtlSenhaOper.trimmed().toUpper();
    if (m == QLatin1String("S")) {
        return Mode::CodeAndPassword;
    }
    if (m == QLatin1String("L")) {
        return Mode::WaiterOptional;
    }
    return Mode::NoPassword;
}

WaiterPasswordCheck::WaiterPasswordCheck(QSqlDatabase db, Mode mode)
    : db_(std::move(db))
    , mode_(mode) {}

CodePasswordDialog::Verdict WaiterPasswordCheck::refuse(const QString& why) {
    ++failures_;
    if (failures_ >= kMaxFailures) {
        return {false,
                {},
                QStringLiteral("Senha do garçom incorreta %1 vezes. A mesa não foi liberada.")
                    .arg(kMaxFailures),
                true};
    }
    return {false,
            {},
            QStringLiteral("%1 Tentativa %2 de %3.").arg(why).arg(failures_).arg(kMaxFailures)};
}

CodePasswordDialog::Verdict WaiterPasswordCheck::check(const QString& code,
                                                       const QString& password) {
    const QString codigo = code.trimmed();
    if (codigo.isEmpty()) {
        if (mode_ != Mode::CodeAndPassword) {
            return {true, {}, {}};
        }
        return {false, {}, QStringLiteral("Informe o código do garçom.")};
    }
    if (mode_ == Mode::NoPassword) {
        return {true, codigo, {}};
    }
    QSqlQuery q = runDialogStatement(db_, QStringLiteral("vendedor_senha"),
                                     {{QStringLiteral(":P_CDVENDEDOR"), codigo}},
                                     QStringLiteral("Não foi possível ler o cadastro de garçons."));
    if (!q.next() || columnText(q, 2).toUpper() == QLatin1String("N")) {
        return refuse(QStringLiteral("Garçom ou senha incorretos."));
    }
    const QString recorded = columnText(q, 0);
    const QString cifrada = columnText(q, 1);
    q.finish();
    if (cifrada.isEmpty()) {
        return {false,
                {},
                QStringLiteral("O garçom %1 não tem senha cadastrada. Procure o gerente.")
                    .arg(recorded)};
    }
    QString clara;
    try {
        clara = Uncripto(cifrada, kChaveSenhaVendedor);
    } catch (const AppError&) {
        qCWarning(lcSuiteDialogs).noquote() << "waiter" << recorded << "password not readable";
        return {false,
                {},
                QStringLiteral("A senha do garçom %1 está danificada no cadastro. Procure o "
                               "gerente.")
                    .arg(recorded)};
    }
    if (clara != password) {
        return refuse(QStringLiteral("Garçom ou senha incorretos."));
    }
    return {true, recorded, {}};
}

} // namespace tmk
