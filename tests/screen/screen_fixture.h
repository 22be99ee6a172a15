#pragma once

#include "platform/clock.h"
#include "platform/errors.h"
#include "screen/ger_mesa.h"
#include "tests/fakes/fake_suite.h"
#include "tests/service/service_fixture.h"

#include <QTemporaryDir>
#include <QVariantMap>
#include <functional>
#include <memory>

namespace tmk::test {

// A stopped clock that counts the waits asked of it and may act at each one.
class WaitingClock : public FixedClock {
public:
    using FixedClock::FixedClock;
    void espera(int ms) const override {
        FixedClock::espera(ms);
        ++esperas;
        if (aoEsperar) {
            aoEsperar(esperas);
        }
    }
    mutable int esperas = 0;
    std::function<void(int)> aoEsperar;
};

// Texts of the Mensagem calls a fake suite received, in order.
QStringList messageTexts(const FakeSuite& suite);
// The map refreshes (DisparaAtualizacao, told by its own unit label) a fake suite saw.
int mapRefreshes(const FakeSuite& suite);

// The screen on fakes of the suite, a fixed clock and a till folder of its own,
// without a database.
class ScreenOnly : public ::testing::Test {
protected:
    void SetUp() override;
    TfrmGerMesa& screen();

    // Writes a local file of the till (an XML data packet) from typed columns and rows.
    void writeFile(const QString& relativePath, const QList<FieldDef>& fields,
                   const QList<QVariantList>& rows);
    // The parameter file with sensible values, with some columns replaced.
    void writeParametros(const QVariantMap& changes = {});
    void writeOperador(const QString& codigo, const QString& nome);
    void writeDataMovimento(const QDateTime& data);
    void writeAberturaCaixa(bool comLinha = true);

    // Catalogue texts as the screen shows them.
    static QString msg(const QString& key);
    // Texts of the Mensagem calls, in order.
    QStringList mensagens() const;

    QTemporaryDir till;
    FixedClock clock{QDateTime(QDate(2026, 12, 8), QTime(20, 0))};
    FakeSuite suite;
    std::unique_ptr<TfrmGerMesa> screen_;
    TfrmGerMesa::DataModuleProvider provider = []() -> TrdmGerMesa& {
        throw AppError(QStringLiteral("sem banco de dados neste teste"));
    };
};

// The screen with a fresh database of the kind under test, and builders of a store's
// tables, layout, sales, reservations and joins.
class ScreenWithStore : public ServiceFixture {
protected:
    void SetUp() override;
    void TearDown() override;
    TfrmGerMesa& screen();

    void writeParametros(const QVariantMap& changes = {});
    // Store 0001 of branch 0001 with screen configuration 01.
    void loja(const QString& mesaPadrao = QStringLiteral("9999"));
    // An area button "NN" and its caption.
    void area(const QString& numero, const QString& caption, int colorBack = 0xC0C0C0,
              int colorText = 0, int fonte = 9);
    // A table of an area: its MESA row in a state and its button on a page and position.
    void mesa(const QString& nrMesa, const QString& estado, const QString& area, int pagina,
              int botao, const QString& caption = {});
    // An open sale of a table, opened at a moment, with items ordered at moments.
    void vendaAberta(const QString& nrMesa, const QDateTime& abertura,
                     const QList<QDateTime>& itens = {});
    void reserva(const QString& nrMesa, const QDate& dia,
                 const QString& status = QStringLiteral("P"));
    void juncao(const QString& grupo, const QStringList& mesas);

    static QString msg(const QString& key) { return msgPadrao().Msg(key); }
    QStringList mensagens() const { return messageTexts(suite); }

    // The picture and caption of table button n (1..48).
    QString picture(int n) const;
    QString caption(int n) const;

    QTemporaryDir till;
    WaitingClock clock{QDateTime(QDate(2026, 12, 8), QTime(20, 0))};
    FakeSuite suite;
    std::unique_ptr<TfrmGerMesa> screen_;
    int vendas_ = 0;
    int reservas_ = 0;
};

} // namespace tmk::test
