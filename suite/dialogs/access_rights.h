#pragma once

#include <QHash>
#include <QList>
#include <QString>

namespace tmk {

// Who may run which guarded command, and which supervisors may authorise a refused
// one, from two cadastre files of the till folder:
//
//   "Dados/Cadastros/DireitosAcesso.cds": CDOPERADOR text, CDACESSO integer,
//       IDPERMITE "S" (allowed) or "N" (refused); an empty IDPERMITE records nothing.
//   "Dados/Cadastros/Operadores.cds": CDOPERADOR, NMOPERADOR (optional column),
//       CDSENHA (enciphered with Cripto, key 7), IDSUPERVISOR "S"/"N".
//
// Everything is allowed where no right is recorded; when rows for the same operator
// and code disagree, the refusal wins. A missing file means no rights recorded / no
// supervisors. Operator codes are compared trimmed, letter case ignored.
//
// A file that cannot be read, lacks a column or holds a value of the wrong kind makes
// the rights fail closed: nothing is allowed to anyone, so every guarded command needs
// a supervisor; with the operators unreadable no supervisor can be checked either.
// fault() then names the file and what is wrong with it.
class AccessRights {
public:
    enum class Status {
        Granted,
        MissingCode,      // no supervisor code typed
        WrongCredentials, // unknown code or wrong password (told apart to nobody)
        NoPassword,       // the supervisor has no password recorded
        DamagedPassword,  // the recorded password cannot be deciphered
        NotSupervisor,
        SupervisorRefused, // the supervisor lacks the right for the command
        Unreadable,        // the operators could not be read: nobody can be checked
    };
    struct Authorisation {
        Status status = Status::WrongCredentials;
        QString message;    // Portuguese, for the operator; empty when granted
        QString supervisor; // the supervisor's code as recorded, when granted
        bool granted() const { return status == Status::Granted; }
    };
    // An operator who gave a code and its password.
    struct SignIn {
        Status status = Status::WrongCredentials;
        QString message; // Portuguese, for the operator; empty when granted
        QString code;    // as recorded, when granted
        QString name;
        bool granted() const { return status == Status::Granted; }
    };

    static constexpr int kPasswordKey = 7;

    static QString rightsFile();
    static QString operatorsFile();

    // Reads both files (the till folder's by default). Never throws for a fault of a
    // file: see fault().
    static AccessRights load(const QString& rightsPath = rightsFile(),
                             const QString& operatorsPath = operatorsFile());

    // True when both files were read fine (or are absent).
    bool readable() const { return rightsFault_.isEmpty() && operatorsFault_.isEmpty(); }
    bool operatorsReadable() const { return operatorsFault_.isEmpty(); }
    // What could not be read, naming the file(s); empty when readable.
    QString fault() const;

    // False for everyone when the files could not be read.
    bool allowed(int accessCode, const QString& operatorCode) const;

    // Checks a supervisor's code and password and the supervisor's own right for
    // the command. The password is checked before anything else is revealed. With
    // the rights unreadable a supervisor whose password checks authorises; with the
    // operators unreadable nobody does (Unreadable).
    Authorisation authorise(int accessCode, const QString& supervisorCode,
                            const QString& password) const;

    // Checks an operator's code and password (an operator taking over the till): the
    // password is checked before anything else is revealed; an operator without a
    // password cannot sign in.
    SignIn signIn(const QString& operatorCode, const QString& password) const;

    bool hasSupervisors() const;
    QString operatorName(const QString& operatorCode) const;

private:
    struct Operator {
        QString code;
        QString name;
        QString cipheredPassword;
        bool supervisor = false;
    };

    enum class Role { Supervisor, Operator };
    // The password check both authorise and signIn stand on.
    SignIn checkPassword(const QString& code, const QString& password, Role role) const;
    void readRights(const QString& path);
    void readOperators(const QString& path);

    QHash<QString, QHash<int, bool>> rights_; // operator -> code -> allowed
    QHash<QString, Operator> operators_;
    QString operatorsPath_;
    QString rightsFault_;
    QString operatorsFault_;
};

} // namespace tmk
