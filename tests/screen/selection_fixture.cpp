#include "tests/screen/selection_fixture.h"

#include "platform/client_dataset.h"
#include "platform/till_folder.h"

#include <QDir>
#include <QFileInfo>

namespace tmk::test {

void ReceiptRecordingScreen::ChamaRecebimento(const QString& cdFilial, const QString& nrVendaRest,
                                              const QString& listaComandas, const QString& nrMesa,
                                              const QString& nrComanda, const QString& dsComanda,
                                              const QString& cdNatProduto,
                                              qint32 qtCuponsRestantes) {
    recebimentos.append(
        {{cdFilial, nrVendaRest, listaComandas, nrMesa, nrComanda, dsComanda, cdNatProduto},
         qtCuponsRestantes,
         st.TxProgressoCupom});
    if (hook) {
        hook(int(recebimentos.size()));
    }
    if (fluxoReal) {
        TfrmGerMesa::ChamaRecebimento(cdFilial, nrVendaRest, listaComandas, nrMesa, nrComanda,
                                      dsComanda, cdNatProduto, qtCuponsRestantes);
    }
}

void SelectionTest::SetUp() {
    ScreenWithStore::SetUp();
    if (IsSkipped() || HasFatalFailure()) {
        return;
    }
    loja();
    area(QStringLiteral("01"), QStringLiteral("Salão"));
    for (const auto& [codigo, nome] :
         {std::pair{"001", "Carlos"}, std::pair{"002", "Marina"}, std::pair{"003", "Pedro"}}) {
        insert(QStringLiteral("VENDEDOR"),
               {{QStringLiteral("CDVENDEDOR"), QString::fromLatin1(codigo)},
                {QStringLiteral("NMFANVEN"), QString::fromLatin1(nome)},
                {QStringLiteral("IDATIVOVEN"), QStringLiteral("S")}});
    }
    // Product buttons with their nature: food "01", drinks "02".
    int botao = 0;
    for (const auto& [produto, natureza] : {std::pair{"1001", "01"}, std::pair{"2001", "02"}}) {
        insert(QStringLiteral("ITMENUCONFTE"),
               {{QStringLiteral("CDFILIAL"), QStringLiteral("0001")},
                {QStringLiteral("NRCONFTELA"), QStringLiteral("01")},
                {QStringLiteral("IDTPBUTTON"), QStringLiteral("1")},
                {QStringLiteral("NRBUTTONAUX"), QString::fromLatin1(natureza)},
                {QStringLiteral("NRPGCONFTELA"), 1},
                {QStringLiteral("NRBUTTON"),
                 QStringLiteral("%1").arg(++botao, 2, 10, QLatin1Char('0'))},
                {QStringLiteral("CDIDENTBUTON"), QString::fromLatin1(produto)},
                {QStringLiteral("CDNATPRODUTO"), QString::fromLatin1(natureza)}});
    }
}

ReceiptRecordingScreen& SelectionTest::tela() {
    if (!screen_) {
        screen_ = std::make_unique<ReceiptRecordingScreen>(
            suite.libraries(), [this]() -> TrdmGerMesa& { return *dm; }, clock);
    }
    return static_cast<ReceiptRecordingScreen&>(*screen_);
}

void SelectionTest::abre(const QVariantMap& parametros) {
    writeParametros(parametros);
    // The day's cash opening of the till.
    const QString path = tillPath(QStringLiteral("\\Dados\\Cadastros\\AberturaCaixa.cds"));
    QDir().mkpath(QFileInfo(path).absolutePath());
    ClientDataSet abertura(QStringLiteral("abertura"));
    DataPacket p;
    p.fields = {{QStringLiteral("CDFILIAL"), FieldType::Text, 4},
                {QStringLiteral("CDCAIXA"), FieldType::Text, 4},
                {QStringLiteral("DTABERCAIXA"), FieldType::DateTime, 0}};
    p.rows = {
        {QStringLiteral("0001"), QStringLiteral("001"), QDateTime(clock.today(), QTime(8, 0))}};
    abertura.setData(p);
    abertura.saveToFile(path);
    tela().InicializaForm();
    tela().FormActivate();
    suite.clear();
}

void SelectionTest::mesaNoBotao(int botao, const QString& nrMesa, const QString& estado) {
    mesa(nrMesa, estado, QStringLiteral("01"), 1, botao);
}

QString SelectionTest::venda(const QString& nrMesa, const QString& dsComanda,
                             const QString& vendedor, const QString& nrComanda) {
    const QString nr = QStringLiteral("0001%1").arg(++vendas_, 7, 10, QLatin1Char('0'));
    insert(QStringLiteral("VENDAREST"),
           {{QStringLiteral("CDFILIAL"), QStringLiteral("0001")},
            {QStringLiteral("NRVENDAREST"), nr},
            {QStringLiteral("CDLOJA"), QStringLiteral("0001")},
            {QStringLiteral("NRMESA"), nrMesa},
            {QStringLiteral("CDVENDEDOR"), vendedor},
            {QStringLiteral("CDCLIENTE"), QStringLiteral("000001")},
            {QStringLiteral("CDCONSUMIDOR"), QStringLiteral("77")},
            {QStringLiteral("NRPESMESAVEN"), 2.0},
            {QStringLiteral("DTHRABERMESA"), clock.now().addSecs(-600)}});
    comanda(nr,
            nrComanda.isEmpty() ? QStringLiteral("%1").arg(++comandas_, 6, 10, QLatin1Char('0'))
                                : nrComanda,
            dsComanda.isEmpty() ? QStringLiteral("RES_") + nrMesa : dsComanda);
    return nr;
}

void SelectionTest::comanda(const QString& nrVendaRest, const QString& nrComanda,
                            const QString& dsComanda) {
    insert(QStringLiteral("COMANDAVEN"), {{QStringLiteral("CDFILIAL"), QStringLiteral("0001")},
                                          {QStringLiteral("NRVENDAREST"), nrVendaRest},
                                          {QStringLiteral("NRCOMANDA"), nrComanda},
                                          {QStringLiteral("CDLOJA"), QStringLiteral("0001")},
                                          {QStringLiteral("DSCOMANDA"), dsComanda},
                                          {QStringLiteral("IDSTCOMANDA"), QStringLiteral("1")}});
}

void SelectionTest::item(const QString& nrVendaRest, const QString& nrComanda,
                         const QString& produto) {
    insert(QStringLiteral("ITCOMANDAVEN"),
           {{QStringLiteral("CDFILIAL"), QStringLiteral("0001")},
            {QStringLiteral("NRVENDAREST"), nrVendaRest},
            {QStringLiteral("NRCOMANDA"), nrComanda},
            {QStringLiteral("NRPRODCOMVEN"),
             QStringLiteral("%1").arg(++itens_, 6, 10, QLatin1Char('0'))},
            {QStringLiteral("CDLOJA"), QStringLiteral("0001")},
            {QStringLiteral("CDPRODUTO"), produto},
            {QStringLiteral("QTPRODCOMVEN"), 1.0},
            {QStringLiteral("VRPRECCOMVEN"), 10.0},
            {QStringLiteral("IDSTPRCOMVEN"), QStringLiteral("1")},
            {QStringLiteral("DTHRINCOMVEN"), clock.now().addSecs(-300)}});
}

void SelectionTest::pagamentoApp(const QString& nrVendaRest, const QString& nrComanda,
                                 const QString& lugar) {
    insert(QStringLiteral("MOVCAIXAMOB"),
           {{QStringLiteral("CDFILIAL"), QStringLiteral("0001")},
            {QStringLiteral("NRSEQMOVMOB"), QString::number(++pagamentos_)},
            {QStringLiteral("NRVENDAREST"), nrVendaRest},
            {QStringLiteral("NRCOMANDA"), nrComanda},
            {QStringLiteral("NRLUGARMESA"), lugar},
            {QStringLiteral("IDSTMOV"), QStringLiteral("1")},
            {QStringLiteral("VRMOV"), 12.5}});
}

void SelectionTest::toca(int botao) {
    tela().evento([&] { tela().tcb01Click(ScreenModel::tableButtonName(botao)); });
}

void SelectionTest::tecla(int key, Qt::KeyboardModifiers mods, const QString& text) {
    tela().evento([&] { tela().FormKeyDown(key, mods, text); });
}

void SelectionTest::digita(const QString& texto) {
    for (const QChar c : texto) {
        tecla(c.isDigit() ? Qt::Key_0 + c.digitValue() : Qt::Key_A + (c.toUpper().unicode() - 'A'),
              Qt::NoModifier, QString(c));
    }
}

QStringList SelectionTest::registros() const {
    QStringList codes;
    for (const RecordedCall& c : suite.calls(QStringLiteral("LogControleAcess"))) {
        codes << c.text(2);
    }
    return codes;
}

QStringList SelectionTest::operacoes() const {
    QStringList names;
    for (const RecordedCall& c : suite.calls(QStringLiteral("MensagemMetodo"))) {
        names << c.text(3);
    }
    return names;
}

QString SelectionTest::estadoDaMesa(const QString& nrMesa) {
    return value(QStringLiteral("SELECT IDSTMESAAUX FROM MESA WHERE NRMESA = :M"),
                 {{QStringLiteral("M"), nrMesa}})
        .toString();
}

} // namespace tmk::test
