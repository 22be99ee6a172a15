#pragma once

#include "tests/screen/screen_fixture.h"

#include <QStringList>
#include <functional>

namespace tmk::test {

// The receipt flow stood in for: each call recorded with its eight values; the hook may
// act as the flow would (clear CupomPorNatureza, abort).
class ReceiptRecordingScreen : public TfrmGerMesa {
public:
    using TfrmGerMesa::TfrmGerMesa;

    struct Call {
        QStringList values; // the seven texts
        qint32 restantes = 0;
        QString progresso; // TxProgressoCupom at the call
    };
    QList<Call> recebimentos;
    std::function<void(int call)> hook;
    // The real flow runs after each call is recorded.
    bool fluxoReal = false;

    void ChamaRecebimento(const QString& cdFilial, const QString& nrVendaRest,
                          const QString& listaComandas, const QString& nrMesa,
                          const QString& nrComanda, const QString& dsComanda,
                          const QString& cdNatProduto, qint32 qtCuponsRestantes) override;
};

// A store with one area whose tables the tests touch, a cash opening, waiters and
// products with natures, on a fresh database; the dialogs are recording fakes.
class SelectionTest : public ScreenWithStore {
protected:
    void SetUp() override;
    ReceiptRecordingScreen& tela();

    // The till's files (parameters with changes, the cash opening) and the map, then the
    // screen opened as the entry opens it; the fakes' log starts empty.
    void abre(const QVariantMap& parametros = {});
    // A table of the area on button n.
    void mesaNoBotao(int botao, const QString& nrMesa, const QString& estado);
    // An open sale of a table with one pad; returns the sale's number.
    QString venda(const QString& nrMesa, const QString& dsComanda = {},
                  const QString& vendedor = QStringLiteral("001"), const QString& comanda = {});
    // Another pad of a sale.
    void comanda(const QString& nrVendaRest, const QString& nrComanda, const QString& dsComanda);
    // An item of a pad, of a product whose button carries a nature.
    void item(const QString& nrVendaRest, const QString& nrComanda, const QString& produto);
    // A pending payment of a seat made through the mobile app on a pad.
    void pagamentoApp(const QString& nrVendaRest, const QString& nrComanda, const QString& lugar);

    void toca(int botao);
    void tecla(int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {});
    void digita(const QString& texto);

    // Operation codes of the access-log records written, in order.
    QStringList registros() const;
    // Data-service operations called through MensagemMetodo, in order.
    QStringList operacoes() const;
    QString estadoDaMesa(const QString& nrMesa);

    int vendas_ = 0;
    int comandas_ = 0;
    int itens_ = 0;
    int pagamentos_ = 0;
};

} // namespace tmk::test
