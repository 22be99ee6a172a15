// TrocaOperadorCaixa: another operator signs in at the till without leaving the screen.

#include "suite/dialogs/operator_change.h"

#include "external/common.h"
#include "platform/client_dataset.h"
#include "platform/errors.h"
#include "platform/till_folder.h"
#include "suite/dialogs/dialogs_log.h"
#include "suite/dialogs/suite_dialogs.h"

#include <QFileInfo>

namespace tmk {

QString OperatorChange::operatorFile() {
    return tillPath(QStringLiteral("Dados/Cadastros/ControleAcess.cds"));
}

OperatorChange::OperatorChange(AccessRights rights, QString file)
    : rights_(std::move(rights))
    , file_(std::move(file)) {}

CodePasswordDialog::Verdict OperatorChange::check(const QString& code, const QString& password) {
    const AccessRights::SignIn who = rights_.signIn(code, password);
    if (!who.granted()) {
        return {false, {}, who.message, who.status == AccessRights::Status::Unreadable};
    }
    const QString name = who.name.isEmpty() ? who.code : who.name;
    try {
        writeOperator(file_, who.code, name);
    } catch (const AppError& e) {
        return {
            false,
            {},
            QStringLiteral("O operador %1 não pôde assumir o caixa: %2").arg(who.code, e.message()),
            true};
    }
    code_ = who.code;
    name_ = name;
    qCInfo(lcSuiteDialogs).noquote() << "operator" << code_ << "took over the till";
    return {true, code_, {}, false};
}

void OperatorChange::writeOperator(const QString& file, const QString& code, const QString& name) {
    ClientDataSet cds(QStringLiteral("cdsControleAcess"));
    if (QFileInfo::exists(file)) {
        cds.loadFromFile(file); // names the file in its own errors
    } else {
        DataPacket p;
        p.fields = {{QStringLiteral("CDOPERADOR"), FieldType::Text, 12},
                    {QStringLiteral("NMOPERADOR"), FieldType::Text, 60}};
        cds.setData(p);
    }
    const int cCodigo = cds.fieldIndex(QStringLiteral("CDOPERADOR"));
    const int cNome = cds.fieldIndex(QStringLiteral("NMOPERADOR"));
    if (cCodigo < 0 || cNome < 0) {
        throw AppError(QStringLiteral("Arquivo \"%1\" inválido: faltam as colunas CDOPERADOR e "
                                      "NMOPERADOR.")
                           .arg(file));
    }
    cds.first();
    if (cds.isEmpty()) {
        cds.append();
    } else {
        cds.edit();
    }
    cds.setFieldValue(cCodigo, code);
    cds.setFieldValue(cNome, name);
    cds.post();
    cds.saveToFile(file);
}

bool SuiteDialogs::TrocaOperadorCaixa(QString& nmOperador) {
    const AccessRights rights = AccessRights::load();
    if (!rights.operatorsReadable()) {
        showMessage(QStringLiteral("%1 A troca de operador não pode ser feita até que o arquivo "
                                   "seja corrigido.")
                        .arg(rights.fault()),
                    MsgErro);
        return false;
    }
    OperatorChange change(rights);
    CodePasswordDialog::Texts texts;
    texts.objectName = QStringLiteral("TrocaOperador");
    texts.caption = QStringLiteral("Troca de Operador");
    texts.info = nmOperador.trimmed().isEmpty()
                     ? QStringLiteral("Informe o código e a senha do operador que vai assumir o "
                                      "caixa.")
                     : QStringLiteral("Operador atual: %1. Informe o código e a senha do operador "
                                      "que vai assumir o caixa.")
                           .arg(nmOperador.trimmed());
    texts.codeLabel = QStringLiteral("Operador");
    texts.codeFieldName = QStringLiteral("edtOperador");
    CodePasswordDialog dialog(
        texts,
        [&change](const QString& code, const QString& password) {
            return change.check(code, password);
        },
        [this](const QString& text, int tipo) { showMessage(text, tipo); }, dialogParent());
    if (execDialog(dialog) != QDialog::Accepted || change.code().isEmpty()) {
        return false;
    }
    nmOperador = change.name();
    return true;
}

} // namespace tmk
