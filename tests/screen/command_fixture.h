#pragma once

#include "tests/screen/screen_fixture.h"

#include <initializer_list>

namespace tmk::test {

// A till whose screen is initialised on fakes of the suite over a store of the kind under
// test: branch and store 0001, area 01, operator 0001 signed in, a collector till (so the
// cash-register guard passes without a cash opening) and every access granted.
class CommandsWithStore : public ScreenWithStore {
protected:
    void SetUp() override;

    // Empties the call log and the answers not used yet.
    void limpa();
    // Keypad answers, in order; a null text is a cancelled keypad.
    void digita(std::initializer_list<const char*> valores);
    // Answers to the yes/no questions, in order.
    void responde(std::initializer_list<bool> respostas);

    // The till's operator file.
    void writeOperador(const QString& codigo, const QString& nome);
    // A table on the map (area 01, button n) in a state.
    void mesaNoMapa(const QString& nrMesa, const QString& estado);
    // An open (or, with fechada, closed) sale with one pad "RES_<table>" and its number.
    QString venda(const QString& nrMesa, const QDateTime& fechada = {});
    // An item of the sale's pad on a seat position (empty: none) with a seat status.
    void item(const QString& nrVendaRest, const QString& produto, const QString& posicao = {},
              const QString& statusPosicao = QStringLiteral("O"));

    QString statusMesa(const QString& nrMesa);
    // The access-log records written, in order.
    QList<RecordedCall> registros() const {
        return suite.calls(QStringLiteral("LogControleAcess"));
    }
    // The operations passed through MensagemMetodo, in order.
    QStringList operacoes() const;
    // The captions the keypad was opened with, in order.
    QStringList teclados() const;

    ScreenState& st() { return screen().st; }

private:
    int botoes_ = 0;
    int itens_ = 0;
};

} // namespace tmk::test
