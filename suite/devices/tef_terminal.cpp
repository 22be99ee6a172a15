#include "suite/devices/tef_terminal.h"

#include "platform/errors.h"
#include "suite/devices/access_key.h"
#include "suite/devices/device_files.h"
#include "suite/devices/device_switch.h"
#include "suite/devices/devices_log.h"
#include "suite/devices/document_counter.h"
#include "suite/devices/fiscal_amounts.h"
#include "suite/devices/fiscal_issuer.h"
#include "suite/devices/xml_tree.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QRandomGenerator>
#include <cmath>

namespace tmk {

namespace {

const QString kJournal = QStringLiteral("TEF.json");
const QString kHistory = QStringLiteral("TEF-historico.jsonl");
// Settled transactions kept in the journal besides the last finalisation's; older ones
// move to the history file, so the journal read at every card payment stays small.
constexpr int kKeptSettled = 500;
const QString kSwitch = QStringLiteral("TEF.ini");
const QString kAprovar = QStringLiteral("APROVAR");
const QString kNegar = QStringLiteral("NEGAR");
constexpr int kReceiptWidth = 40;

struct Journal {
    QList<TefTransaction> items;
    int ultimoLote = 0;
};

QString stateName(TefTransaction::State s) {
    switch (s) {
    case TefTransaction::State::Pendente:
        return QStringLiteral("PENDENTE");
    case TefTransaction::State::Confirmada:
        return QStringLiteral("CONFIRMADA");
    case TefTransaction::State::Desfeita:
        return QStringLiteral("DESFEITA");
    case TefTransaction::State::Negada:
        break;
    }
    return QStringLiteral("NEGADA");
}

[[noreturn]] void damaged(const QString& why) {
    throw AppError(QStringLiteral("Diário do TEF %1 danificado: %2. Nenhuma transação foi "
                                  "alterada.")
                       .arg(QDir::toNativeSeparators(deviceFilePath(kJournal)), why));
}

TefTransaction::State stateFrom(const QString& name) {
    for (auto s : {TefTransaction::State::Pendente, TefTransaction::State::Confirmada,
                   TefTransaction::State::Desfeita, TefTransaction::State::Negada}) {
        if (stateName(s) == name) {
            return s;
        }
    }
    damaged(QStringLiteral("situação \"%1\" desconhecida").arg(name));
}

QJsonObject toJson(const TefTransaction& t) {
    return {
        {QStringLiteral("nsu"), t.nsu},
        {QStringLiteral("autorizacao"), t.autorizacao},
        {QStringLiteral("valorCentavos"), double(toCents(t.valor))},
        {QStringLiteral("tipo"),
         t.tipo == TefCardKind::Debito ? QStringLiteral("DEBITO") : QStringLiteral("CREDITO")},
        {QStringLiteral("bandeira"), t.bandeira},
        {QStringLiteral("cartao"), t.cartao},
        {QStringLiteral("parcelas"), t.parcelas},
        {QStringLiteral("situacao"), stateName(t.situacao)},
        {QStringLiteral("motivo"), t.motivo},
        {QStringLiteral("dataHora"), t.dataHora.toString(Qt::ISODate)},
        {QStringLiteral("lote"), t.lote},
        {QStringLiteral("impresso"), t.impresso},
        {QStringLiteral("viaCliente"), t.viaCliente},
        {QStringLiteral("viaEstabelecimento"), t.viaEstabelecimento},
    };
}

TefTransaction fromJson(const QJsonObject& o) {
    if (!o.value(QStringLiteral("nsu")).isString() ||
        !o.value(QStringLiteral("valorCentavos")).isDouble()) {
        damaged(QStringLiteral("transação sem NSU ou valor"));
    }
    TefTransaction t;
    t.nsu = o.value(QStringLiteral("nsu")).toString();
    t.autorizacao = o.value(QStringLiteral("autorizacao")).toString();
    t.valor = fromCents(qint64(o.value(QStringLiteral("valorCentavos")).toDouble()));
    t.tipo = o.value(QStringLiteral("tipo")).toString() == QLatin1String("DEBITO")
                 ? TefCardKind::Debito
                 : TefCardKind::Credito;
    t.bandeira = o.value(QStringLiteral("bandeira")).toString();
    t.cartao = o.value(QStringLiteral("cartao")).toString();
    t.parcelas = o.value(QStringLiteral("parcelas")).toInt(1);
    t.situacao = stateFrom(o.value(QStringLiteral("situacao")).toString());
    t.motivo = o.value(QStringLiteral("motivo")).toString();
    t.dataHora = QDateTime::fromString(o.value(QStringLiteral("dataHora")).toString(), Qt::ISODate);
    t.lote = o.value(QStringLiteral("lote")).toInt();
    t.impresso = o.value(QStringLiteral("impresso")).toBool();
    t.viaCliente = o.value(QStringLiteral("viaCliente")).toString();
    t.viaEstabelecimento = o.value(QStringLiteral("viaEstabelecimento")).toString();
    return t;
}

Journal loadJournal() {
    Journal j;
    const QString path = deviceFilePath(kJournal);
    if (!QFileInfo::exists(path)) {
        return j;
    }
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(readWholeFile(path), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        damaged(error.error != QJsonParseError::NoError ? error.errorString()
                                                        : QStringLiteral("não é um objeto"));
    }
    const QJsonObject root = doc.object();
    j.ultimoLote = root.value(QStringLiteral("ultimoLote")).toInt();
    for (const QJsonValue& v : root.value(QStringLiteral("transacoes")).toArray()) {
        j.items << fromJson(v.toObject());
    }
    return j;
}

void saveJournal(const Journal& j) {
    QJsonArray items;
    for (const TefTransaction& t : j.items) {
        items.append(toJson(t));
    }
    const QJsonObject root{{QStringLiteral("ultimoLote"), j.ultimoLote},
                           {QStringLiteral("transacoes"), items}};
    const QString path = deviceFilePath(kJournal);
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        throw AppError(QStringLiteral("Não foi possível criar a pasta %1 do TEF.")
                           .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath())));
    }
    writeFileAtomically(path, QJsonDocument(root).toJson(QJsonDocument::Indented));
}

// Moves the oldest settled transactions beyond kKeptSettled to the history file (one
// JSON object a line, appended). The journal is rewritten after the history was
// written, so a transaction is never lost; a failure in between repeats it there.
void archiveOldTransactions(Journal& journal) {
    QList<int> settled;
    for (int i = 0; i < journal.items.size(); ++i) {
        const TefTransaction& t = journal.items.at(i);
        if (t.situacao != TefTransaction::State::Pendente && t.lote != journal.ultimoLote) {
            settled << i;
        }
    }
    const int excess = int(settled.size()) - kKeptSettled;
    if (excess <= 0) {
        return;
    }
    QByteArray lines;
    for (int n = 0; n < excess; ++n) {
        lines +=
            QJsonDocument(toJson(journal.items.at(settled.at(n)))).toJson(QJsonDocument::Compact);
        lines += '\n';
    }
    QFile history(deviceFilePath(kHistory));
    if (!history.open(QIODevice::WriteOnly | QIODevice::Append) ||
        history.write(lines) != lines.size() || !history.flush()) {
        throw AppError(
            QStringLiteral("Não foi possível gravar o histórico do TEF %1: %2.")
                .arg(QDir::toNativeSeparators(history.fileName()), history.errorString()));
    }
    for (int n = excess - 1; n >= 0; --n) {
        journal.items.removeAt(settled.at(n));
    }
}

// Holds the journal's lock for one read-change-write.
class JournalLock {
public:
    JournalLock()
        : lock_(deviceFilePath(kJournal) + QStringLiteral(".lock")) {
        QDir().mkpath(QFileInfo(deviceFilePath(kJournal)).absolutePath());
        lock_.setStaleLockTime(30000);
        if (!lock_.tryLock(10000)) {
            throw AppError(QStringLiteral("O diário do TEF %1 está em uso por outro programa.")
                               .arg(QDir::toNativeSeparators(deviceFilePath(kJournal))));
        }
    }

private:
    QLockFile lock_;
};

DeviceSwitch loadSwitch() {
    return DeviceSwitch::load(
        kSwitch, QStringLiteral("TEF"),
        {QStringLiteral("Resposta"), QStringLiteral("Motivo"), QStringLiteral("Estabelecimento")});
}

// The till's CNPJ names the merchant when the switch file does not.
QString defaultMerchant() {
    try {
        const FiscalIssuer issuer = readTillIssuer();
        if (!issuer.cnpj.isEmpty()) {
            return QStringLiteral("CNPJ ") + formattedCnpj(issuer.cnpj);
        }
    } catch (const AppError& e) {
        qCInfo(lcSuiteDevices).noquote() << "card receipts without the till's CNPJ:" << e.message();
    }
    return QStringLiteral("ESTABELECIMENTO");
}

QString centred(const QString& text) {
    const int pad = qMax(0, int(kReceiptWidth - text.size()) / 2);
    return QString(pad, QLatin1Char(' ')) + text;
}

QString pair(const QString& left, const QString& right) {
    const int gap = qMax(1, int(kReceiptWidth - left.size() - right.size()));
    return left + QString(gap, QLatin1Char(' ')) + right;
}

QString receipt(const TefTransaction& t, const QString& merchant, bool customerCopy) {
    QStringList lines;
    lines << centred(customerCopy ? QStringLiteral("VIA DO CLIENTE")
                                  : QStringLiteral("VIA DO ESTABELECIMENTO"));
    lines << centred(merchant);
    lines << centred(QStringLiteral("TEF SIMULADO"));
    lines << QString();
    lines << pair(tefCardKindName(t.tipo).toUpper() + QStringLiteral(" ") + t.bandeira,
                  t.parcelas > 1 ? QStringLiteral("%1 PARCELAS").arg(t.parcelas)
                                 : QStringLiteral("A VISTA"));
    lines << t.cartao;
    lines << pair(QStringLiteral("NSU: ") + t.nsu, QStringLiteral("AUT: ") + t.autorizacao);
    lines << brDateTime(t.dataHora);
    lines << pair(QStringLiteral("VALOR:"), reais(toCents(t.valor)));
    lines << QString();
    if (customerCopy) {
        lines << centred(QStringLiteral("TRANSAÇÃO AUTORIZADA"));
    } else if (t.tipo == TefCardKind::Debito) {
        lines << centred(QStringLiteral("TRANSAÇÃO AUTORIZADA MEDIANTE"));
        lines << centred(QStringLiteral("USO DE SENHA PESSOAL"));
    } else {
        lines << QString();
        lines << QString(kReceiptWidth, QLatin1Char('_'));
        lines << centred(QStringLiteral("ASSINATURA DO CLIENTE"));
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QString tefCardKindName(TefCardKind kind) {
    return kind == TefCardKind::Debito ? QStringLiteral("Débito") : QStringLiteral("Crédito");
}

SimulatedTef::SimulatedTef(Clock clock)
    : clock_(clock ? std::move(clock) : Clock([] { return QDateTime::currentDateTime(); })) {}

QString SimulatedTef::journalFile() {
    return deviceFilePath(kJournal);
}

QString SimulatedTef::switchFile() {
    return deviceFilePath(kSwitch);
}

TefResult SimulatedTef::autorizar(double valor, TefCardKind tipo, const QString& bandeira,
                                  int parcelas) {
    if (!std::isfinite(valor) || toCents(valor) <= 0) {
        throw AppError(QStringLiteral("Valor inválido para pagamento com cartão: %1. Informe um "
                                      "valor maior que zero.")
                           .arg(std::isfinite(valor) ? reais(toCents(valor))
                                                     : QStringLiteral("não numérico")));
    }
    if (toCents(valor) > 99999999) {
        throw AppError(
            QStringLiteral("Valor acima do limite do cartão: %1.").arg(reais(toCents(valor))));
    }
    if (parcelas < 1 || parcelas > 99) {
        throw AppError(QStringLiteral("Número de parcelas inválido: %1.").arg(parcelas));
    }
    const DeviceSwitch sw = loadSwitch();
    const QString resposta = sw.choice(QStringLiteral("Resposta"), {kAprovar, kNegar}, kAprovar);
    const QString merchant = sw.value(QStringLiteral("Estabelecimento"), defaultMerchant());

    JournalLock lock;
    Journal journal = loadJournal();
    TefTransaction t;
    DocumentCounter nsuCounter(QStringLiteral("TEF-NSU"), 999999);
    t.nsu = QStringLiteral("%1").arg(nsuCounter.next(), 6, 10, QLatin1Char('0'));
    t.valor = fromCents(toCents(valor));
    t.tipo = tipo;
    t.bandeira = bandeira.trimmed().toUpper();
    t.parcelas = tipo == TefCardKind::Debito ? 1 : parcelas;
    t.dataHora = clock_();
    t.cartao = QStringLiteral("************%1")
                   .arg(QRandomGenerator::global()->bounded(10000), 4, 10, QLatin1Char('0'));
    TefResult result;
    if (resposta == kNegar) {
        t.situacao = TefTransaction::State::Negada;
        t.motivo = sw.value(QStringLiteral("Motivo"), QStringLiteral("TRANSAÇÃO NEGADA"));
        result.aprovada = false;
        result.motivo = t.motivo;
    } else {
        t.situacao = TefTransaction::State::Pendente;
        t.autorizacao = QStringLiteral("%1").arg(QRandomGenerator::global()->bounded(1000000), 6,
                                                 10, QLatin1Char('0'));
        t.viaCliente = receipt(t, merchant, true);
        t.viaEstabelecimento = receipt(t, merchant, false);
        result.aprovada = true;
    }
    journal.items << t;
    saveJournal(journal);
    result.transacao = t;
    qCInfo(lcSuiteDevices).noquote() << "TEF" << t.nsu << stateName(t.situacao) << t.valor;
    return result;
}

int SimulatedTef::settle(TefTransaction::State state) {
    JournalLock lock;
    Journal journal = loadJournal();
    int count = 0;
    const int lote = journal.ultimoLote + 1;
    for (TefTransaction& t : journal.items) {
        if (t.situacao == TefTransaction::State::Pendente) {
            t.situacao = state;
            t.lote = lote;
            ++count;
        }
    }
    if (count > 0) {
        journal.ultimoLote = lote;
        archiveOldTransactions(journal);
        saveJournal(journal);
    }
    return count;
}

int SimulatedTef::confirmarPendentes() {
    return settle(TefTransaction::State::Confirmada);
}

int SimulatedTef::desfazerPendentes() {
    return settle(TefTransaction::State::Desfeita);
}

QList<TefTransaction> SimulatedTef::transacoes() const {
    return loadJournal().items;
}

QList<TefTransaction> SimulatedTef::pendentes() const {
    QList<TefTransaction> found;
    for (const TefTransaction& t : loadJournal().items) {
        if (t.situacao == TefTransaction::State::Pendente) {
            found << t;
        }
    }
    return found;
}

QList<TefTransaction> SimulatedTef::paraImpressao() const {
    const Journal journal = loadJournal();
    QList<TefTransaction> found;
    for (const TefTransaction& t : journal.items) {
        const bool lastBatch =
            t.situacao == TefTransaction::State::Confirmada && t.lote == journal.ultimoLote;
        if (!t.impresso && (t.situacao == TefTransaction::State::Pendente || lastBatch)) {
            found << t;
        }
    }
    return found;
}

void SimulatedTef::marcarImpressas(const QStringList& nsus) {
    JournalLock lock;
    Journal journal = loadJournal();
    bool changed = false;
    for (TefTransaction& t : journal.items) {
        if (nsus.contains(t.nsu) && !t.impresso) {
            t.impresso = true;
            changed = true;
        }
    }
    if (changed) {
        saveJournal(journal);
    }
}

} // namespace tmk
