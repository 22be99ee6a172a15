#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace tmk {

class ClientDataSet;

// The consumer search (PesqConsumidor): the consumers of the store's clients, found by a
// part of the name (letter case and accents ignored), the CPF (with or without its dots)
// or the code. The search text is compared here, never put into a statement, so a quote
// in it is an ordinary character. Nothing is written.
class ConsumerSearch {
public:
    struct Client {
        QString codigo;
        QString nome;
    };
    struct Consumer {
        QString cdCliente;
        QString nomeCliente;
        QString codigo;
        QString nome;
        QString cpf; // the digits
        QString email;
        QString situacao; // IDSITCONSUMI, "1" active
        QString codigoExterno;
        bool ativo() const { return situacao == QLatin1String("1"); }
    };

    // The clients of the till's client list (CDCLIENTE, NMFANTCLIE or NMRAZSOCCLIE), read
    // without moving its cursor; none when it is not open or lacks CDCLIENTE.
    static QList<Client> clientsOf(const ClientDataSet& cdsCliente);
    // Reads the consumers of the clients given, or of every client when none is.
    // DatabaseError when they cannot be read.
    ConsumerSearch(QSqlDatabase db, QList<Client> clients);

    const QList<Client>& clients() const { return clients_; }
    const QList<Consumer>& all() const { return consumers_; }
    // The consumers that match, in name order, of one client (empty: of every client);
    // every one for an empty text.
    QList<Consumer> search(const QString& texto, const QString& cdCliente = {}) const;

    // "529.982.247-25" for eleven digits; anything else as it is.
    static QString cpfFormatado(const QString& cpf);
    // The 26 texts handed back for a consumer: name, CPF, e-mail, client, client's name,
    // external code, situation, then empty texts.
    static QStringList retornos(const Consumer& c);

private:
    QList<Client> clients_;
    QList<Consumer> consumers_;
};

} // namespace tmk
