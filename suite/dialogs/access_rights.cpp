#include "suite/dialogs/access_rights.h"

#include "external/common.h"
#include "platform/client_dataset.h"
#include "platform/errors.h"
#include "platform/till_folder.h"
#include "suite/dialogs/dialogs_log.h"

#include <QFileInfo>
#include <QMutex>
#include <optional>

namespace tmk {

namespace {

QString normalisedCode(const QString& code) {
    return code.trimmed().toUpper();
}

[[noreturn]] void malformed(const QString& path, const QString& fault) {
    throw AppError(QStringLiteral("Arquivo \"%1\" inválido: %2.").arg(path, fault));
}

// Loads a cadastre file; false when it does not exist.
bool loadCadastre(ClientDataSet& ds, const QString& path) {
    if (!QFileInfo::exists(path)) {
        return false;
    }
    ds.loadFromFile(path); // names the file in its own errors
    ds.first();
    return true;
}

int requiredColumn(const ClientDataSet& ds, const QString& path, const QString& column) {
    const int index = ds.fieldIndex(column);
    if (index < 0) {
        malformed(path, QStringLiteral("falta a coluna %1").arg(column));
    }
    return index;
}

QString textAt(const ClientDataSet& ds, int column) {
    const QVariant v = ds.valueAt(column);
    return v.isValid() ? v.toString().trimmed() : QString();
}

// "S" -> true, "N" -> false, empty -> nothing; anything else is a fault of the file.
std::optional<bool> flagAt(const ClientDataSet& ds, int column, const QString& path, int row) {
    const QString v = textAt(ds, column).toUpper();
    if (v.isEmpty()) {
        return std::nullopt;
    }
    if (v == QLatin1String("S") || v == QLatin1String("N")) {
        return v == QLatin1String("S");
    }
    malformed(path, QStringLiteral("a linha %1 tem %2 = \"%3\" (esperado S ou N)")
                        .arg(row)
                        .arg(ds.fieldDefs().at(column).name, v));
}

AccessRights::Authorisation refused(AccessRights::Status status, const QString& message) {
    return {status, message, {}};
}

} // namespace

QString AccessRights::rightsFile() {
    return tillPath(QStringLiteral("Dados/Cadastros/DireitosAcesso.cds"));
}

QString AccessRights::operatorsFile() {
    return tillPath(QStringLiteral("Dados/Cadastros/Operadores.cds"));
}

AccessRights AccessRights::load(const QString& rightsPath, const QString& operatorsPath) {
    AccessRights rights;
    try {
        rights.readRights(rightsPath);
    } catch (const AppError& e) {
        rights.rights_.clear();
        rights.rightsFault_ = e.message();
    }
    try {
        rights.readOperators(operatorsPath);
    } catch (const AppError& e) {
        rights.operators_.clear();
        rights.operatorsFault_ = e.message();
    }
    if (!rights.readable()) {
        // The rights are read at every check: the same fault is logged once.
        static QMutex mutex;
        static QString logged;
        const QMutexLocker lock(&mutex);
        if (rights.fault() != logged) {
            logged = rights.fault();
            qCWarning(lcSuiteDialogs).noquote() << "access rights fail closed:" << logged;
        }
    }
    return rights;
}

QString AccessRights::fault() const {
    QStringList faults;
    for (const QString* f : {&rightsFault_, &operatorsFault_}) {
        if (!f->isEmpty()) {
            faults << *f;
        }
    }
    return faults.join(QLatin1Char(' '));
}

void AccessRights::readRights(const QString& path) {
    ClientDataSet ds(QStringLiteral("cdsDireitosAcesso"));
    if (!loadCadastre(ds, path)) {
        return;
    }
    const int cOperador = requiredColumn(ds, path, QStringLiteral("CDOPERADOR"));
    const int cAcesso = requiredColumn(ds, path, QStringLiteral("CDACESSO"));
    const int cPermite = requiredColumn(ds, path, QStringLiteral("IDPERMITE"));
    for (int row = 1; !ds.eof(); ds.next(), ++row) {
        const QString op = normalisedCode(textAt(ds, cOperador));
        if (op.isEmpty()) {
            malformed(path, QStringLiteral("a linha %1 não tem CDOPERADOR").arg(row));
        }
        bool ok = false;
        const int code = textAt(ds, cAcesso).toInt(&ok);
        if (!ok) {
            malformed(path, QStringLiteral("a linha %1 tem CDACESSO = \"%2\" (esperado um número)")
                                .arg(row)
                                .arg(textAt(ds, cAcesso)));
        }
        const std::optional<bool> permite = flagAt(ds, cPermite, path, row);
        if (!permite) {
            continue;
        }
        QHash<int, bool>& ofOperator = rights_[op];
        const auto it = ofOperator.constFind(code);
        ofOperator.insert(code, *permite && (it == ofOperator.cend() || *it));
    }
}

void AccessRights::readOperators(const QString& path) {
    operatorsPath_ = path;
    ClientDataSet ds(QStringLiteral("cdsOperadores"));
    if (!loadCadastre(ds, path)) {
        return;
    }
    const int cOperador = requiredColumn(ds, path, QStringLiteral("CDOPERADOR"));
    const int cNome = ds.fieldIndex(QStringLiteral("NMOPERADOR"));
    const int cSenha = requiredColumn(ds, path, QStringLiteral("CDSENHA"));
    const int cSupervisor = requiredColumn(ds, path, QStringLiteral("IDSUPERVISOR"));
    for (int row = 1; !ds.eof(); ds.next(), ++row) {
        Operator op;
        op.code = textAt(ds, cOperador);
        if (op.code.isEmpty()) {
            malformed(path, QStringLiteral("a linha %1 não tem CDOPERADOR").arg(row));
        }
        op.name = cNome >= 0 ? textAt(ds, cNome) : QString();
        op.cipheredPassword = textAt(ds, cSenha);
        op.supervisor = flagAt(ds, cSupervisor, path, row).value_or(false);
        const QString key = normalisedCode(op.code);
        if (operators_.contains(key)) {
            malformed(path, QStringLiteral("o operador %1 aparece mais de uma vez").arg(op.code));
        }
        operators_.insert(key, op);
    }
}

bool AccessRights::allowed(int accessCode, const QString& operatorCode) const {
    if (!readable()) {
        return false;
    }
    const auto op = rights_.constFind(normalisedCode(operatorCode));
    if (op == rights_.cend()) {
        return true;
    }
    return op->value(accessCode, true);
}

AccessRights::SignIn AccessRights::checkPassword(const QString& code, const QString& password,
                                                 Role role) const {
    const bool supervisor = role == Role::Supervisor;
    const QString who = supervisor ? QStringLiteral("supervisor") : QStringLiteral("operador");
    const auto refuse = [](Status status, const QString& message) {
        return SignIn{status, message, {}, {}};
    };
    const QString key = normalisedCode(code);
    if (key.isEmpty()) {
        return refuse(Status::MissingCode, QStringLiteral("Informe o código do %1.").arg(who));
    }
    if (!operatorsReadable()) {
        return refuse(Status::Unreadable,
                      QStringLiteral("Nenhum %1 pode ser conferido: %2").arg(who, fault()));
    }
    const SignIn wrong = refuse(Status::WrongCredentials,
                                QStringLiteral("Código ou senha do %1 incorretos.").arg(who));
    const auto it = operators_.constFind(key);
    if (it == operators_.cend()) {
        return wrong;
    }
    if (it->cipheredPassword.isEmpty()) {
        return refuse(Status::NoPassword,
                      supervisor ? QStringLiteral("O operador %1 não tem senha cadastrada e não "
                                                  "pode autorizar.")
                                       .arg(it->code)
                                 : QStringLiteral("O operador %1 não tem senha cadastrada e não "
                                                  "pode assumir o caixa.")
                                       .arg(it->code));
    }
    QString clear;
    try {
        clear = Uncripto(it->cipheredPassword, kPasswordKey);
    } catch (const AppError&) {
        return refuse(Status::DamagedPassword,
                      QStringLiteral("A senha do operador %1 está danificada no arquivo \"%2\".")
                          .arg(it->code, operatorsPath_));
    }
    if (clear != password) {
        return wrong;
    }
    return {Status::Granted, {}, it->code, it->name};
}

AccessRights::Authorisation AccessRights::authorise(int accessCode, const QString& supervisorCode,
                                                    const QString& password) const {
    const SignIn checked = checkPassword(supervisorCode, password, Role::Supervisor);
    if (!checked.granted()) {
        return refused(checked.status, checked.message);
    }
    const Operator& op = operators_.value(normalisedCode(checked.code));
    if (!op.supervisor) {
        return refused(Status::NotSupervisor,
                       QStringLiteral("O operador %1 não é supervisor.").arg(op.code));
    }
    // With the rights unreadable the supervisor's own right cannot be looked up: the
    // checked password of a supervisor is the authority.
    if (rightsFault_.isEmpty() && !allowed(accessCode, op.code)) {
        return refused(
            Status::SupervisorRefused,
            QStringLiteral("O supervisor %1 também não tem permissão para esta operação.")
                .arg(op.code));
    }
    return {Status::Granted, {}, op.code};
}

AccessRights::SignIn AccessRights::signIn(const QString& operatorCode,
                                          const QString& password) const {
    return checkPassword(operatorCode, password, Role::Operator);
}

bool AccessRights::hasSupervisors() const {
    for (const Operator& op : operators_) {
        if (op.supervisor) {
            return true;
        }
    }
    return false;
}

QString AccessRights::operatorName(const QString& operatorCode) const {
    return operators_.value(normalisedCode(operatorCode)).name;
}

} // namespace tmk
