#include "suite/dialogs/consumer_search.h"

#include "external/common.h"
#include "platform/client_dataset.h"
#include "suite/dialogs/dialogs_query.h"
#include "suite/dialogs/search_text.h"

#include <QRegularExpression>
#include <algorithm>

namespace tmk {

QList<ConsumerSearch::Client> ConsumerSearch::clientsOf(const ClientDataSet& cdsCliente) {
    QList<Client> list;
    if (!cdsCliente.active()) {
        return list;
    }
    const DataPacket p = cdsCliente.data();
    if (p.fieldIndex(QStringLiteral("CDCLIENTE")) < 0) {
        return list;
    }
    const bool fantasia = p.fieldIndex(QStringLiteral("NMFANTCLIE")) >= 0;
    const bool razao = p.fieldIndex(QStringLiteral("NMRAZSOCCLIE")) >= 0;
    for (int r = 0; r < p.rowCount(); ++r) {
        Client c;
        c.codigo = p.value(r, QStringLiteral("CDCLIENTE")).toString().trimmed();
        if (fantasia) {
            c.nome = p.value(r, QStringLiteral("NMFANTCLIE")).toString().trimmed();
        }
        if (c.nome.isEmpty() && razao) {
            c.nome = p.value(r, QStringLiteral("NMRAZSOCCLIE")).toString().trimmed();
        }
        if (!c.codigo.isEmpty()) {
            list.append(c);
        }
    }
    return list;
}

ConsumerSearch::ConsumerSearch(QSqlDatabase db, QList<Client> clients)
    : clients_(std::move(clients)) {
    QSqlQuery q = runDialogStatement(db, QStringLiteral("consumidores_pesquisa"), {},
                                     QStringLiteral("Não foi possível ler os consumidores."));
    while (q.next()) {
        Consumer c;
        c.cdCliente = columnText(q, 0);
        c.codigo = columnText(q, 1);
        c.nome = columnText(q, 2);
        c.cpf = SoNumerosStr(columnText(q, 3));
        c.email = columnText(q, 4);
        c.situacao = columnText(q, 5);
        c.codigoExterno = columnText(q, 6);
        if (clients_.isEmpty()) {
            consumers_.append(c);
            continue;
        }
        const auto client = std::find_if(clients_.cbegin(), clients_.cend(),
                                         [&c](const Client& k) { return k.codigo == c.cdCliente; });
        if (client != clients_.cend()) {
            c.nomeCliente = client->nome;
            consumers_.append(c);
        }
    }
}

QList<ConsumerSearch::Consumer> ConsumerSearch::search(const QString& texto,
                                                       const QString& cdCliente) const {
    const QString typed = texto.trimmed();
    const QString wanted = foldedForSearch(typed);
    const QString digits = SoNumerosStr(typed);
    // A text of digits (with the CPF's dots and dash) is a CPF or a code.
    static const QRegularExpression numericForm(QStringLiteral("^[0-9.\\- ]+$"));
    const bool numeric = !digits.isEmpty() && numericForm.match(typed).hasMatch();
    QList<Consumer> found;
    for (const Consumer& c : consumers_) {
        if (!cdCliente.isEmpty() && c.cdCliente != cdCliente) {
            continue;
        }
        const bool match = wanted.isEmpty() || foldedForSearch(c.nome).contains(wanted) ||
                           (numeric && digits.size() >= 3 && c.cpf.contains(digits)) ||
                           (numeric && (Ajusta(digits, int(c.codigo.size())) == c.codigo ||
                                        c.codigoExterno == typed)) ||
                           c.codigo.compare(typed, Qt::CaseInsensitive) == 0;
        if (match) {
            found.append(c);
        }
    }
    return found;
}

QString ConsumerSearch::cpfFormatado(const QString& cpf) {
    if (cpf.size() != 11) {
        return cpf;
    }
    return QStringLiteral("%1.%2.%3-%4")
        .arg(cpf.left(3), cpf.mid(3, 3), cpf.mid(6, 3), cpf.right(2));
}

QStringList ConsumerSearch::retornos(const Consumer& c) {
    QStringList list{c.nome,        c.cpf,           c.email,   c.cdCliente,
                     c.nomeCliente, c.codigoExterno, c.situacao};
    while (list.size() < 26) {
        list.append(QString());
    }
    return list;
}

} // namespace tmk
