#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>

namespace tmk {

enum class TefCardKind { Credito, Debito };

// One card transaction of the journal.
struct TefTransaction {
    enum class State { Pendente, Confirmada, Desfeita, Negada };

    QString nsu;         // 6 digits, unique in the till
    QString autorizacao; // 6 digits; empty when declined
    double valor = 0;
    TefCardKind tipo = TefCardKind::Credito;
    QString bandeira; // "VISA"
    QString cartao;   // masked number
    int parcelas = 1;
    State situacao = State::Pendente;
    QString motivo; // why it was declined
    QDateTime dataHora;
    int lote = 0; // the finalisation that settled it (0 while pending)
    bool impresso = false;
    QString viaCliente; // receipt texts, one line per '\n'
    QString viaEstabelecimento;
};

// The answer of an authorisation: approved (the transaction is pending until the
// sale is settled) or declined (nothing stays pending).
struct TefResult {
    bool aprovada = false;
    QString motivo;
    TefTransaction transacao;
};

// Card payments of a till (TEF). A real TEF client takes the place of the simulated
// one behind this interface.
class TefTerminal {
public:
    virtual ~TefTerminal() = default;

    // Asks for an authorisation; AppError for an amount of zero or less, more than
    // two decimals' worth of noise aside, or for a journal that cannot be written.
    virtual TefResult autorizar(double valor, TefCardKind tipo, const QString& bandeira,
                                int parcelas = 1) = 0;
    // Confirms (sale concluded) or undoes (sale abandoned) every pending transaction;
    // returns how many. AppError when the journal cannot be written.
    virtual int confirmarPendentes() = 0;
    virtual int desfazerPendentes() = 0;
    virtual QList<TefTransaction> pendentes() const = 0;
};

// The simulated TEF. Its journal "Dispositivos/TEF.json" holds every transaction
// (pending, confirmed, undone, declined) and is rewritten atomically under a lock, so
// a transaction pending when the program stops is still pending when it starts again.
// Beyond 500 settled transactions the oldest move to "Dispositivos/TEF-historico.jsonl"
// when the next ones are settled. Its switch file "Dispositivos/TEF.ini":
//
//   [TEF]
//   Resposta=APROVAR          APROVAR (default) or NEGAR
//   Motivo=...                the reason of a decline
//   Estabelecimento=...       the merchant on the receipts (default: the till's CNPJ)
//
// NSUs come from "Dispositivos/TEF-NSU.seq".
class SimulatedTef : public TefTerminal {
public:
    using Clock = std::function<QDateTime()>;
    explicit SimulatedTef(Clock clock = {});

    TefResult autorizar(double valor, TefCardKind tipo, const QString& bandeira,
                        int parcelas = 1) override;
    int confirmarPendentes() override;
    int desfazerPendentes() override;
    QList<TefTransaction> pendentes() const override;

    // Every transaction of the journal, oldest first.
    QList<TefTransaction> transacoes() const;
    // The receipts due for printing: approved transactions not printed yet that are
    // pending or were confirmed by the last finalisation.
    QList<TefTransaction> paraImpressao() const;
    // Records that the receipts of these NSUs were printed.
    void marcarImpressas(const QStringList& nsus);

    static QString journalFile();
    static QString switchFile();

private:
    int settle(TefTransaction::State state);
    Clock clock_;
};

// "Crédito" / "Débito".
QString tefCardKindName(TefCardKind kind);

} // namespace tmk
