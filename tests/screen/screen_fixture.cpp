#include "tests/screen/screen_fixture.h"

#include "external/common.h"
#include "platform/client_dataset.h"
#include "platform/till_folder.h"

#include <QDir>
#include <QFileInfo>

namespace tmk::test {

namespace {

QList<FieldDef> parametroFields() {
    QList<FieldDef> f;
    const auto text = [&](const char* n) {
        f << FieldDef{QString::fromLatin1(n), FieldType::Text, 20};
    };
    const auto flag = [&](const char* n) {
        f << FieldDef{QString::fromLatin1(n), FieldType::Boolean, 0};
    };
    const auto integer = [&](const char* n) {
        f << FieldDef{QString::fromLatin1(n), FieldType::Integer, 0};
    };
    for (const char* n : {"IDESQUEMA", "CDFILIAL", "CDLOJA", "CDCAIXA", "IDCOLETOR", "CDFILICONFTE",
                          "NRCONFTELA", "NRMINSEMCONS", "IDUTLSENHAOPER", "IDTIPOGAVETA",
                          "IDEXIBTICCUP", "IDCONSCAMPFIDEL", "IDOBRIGFECHCAIX", "IDVERGAVETANFIS",
                          "IDTIPOIMPNF3", "CDPORTIMPNF3", "CDPORTAIMPFIS", "DSLOGOTELA"}) {
        text(n);
    }
    for (const char* n : {"UTILIZAIMPFIS", "SISTEMALESTOVENDA", "SISTEMAKOVNFCE", "SISTEMAKOVSAT",
                          "DISPLAYOK", "BOERROIMPRESSORA"}) {
        flag(n);
    }
    for (const char* n :
         {"ctAbrirGaveta", "ctCancItemGen", "ctParcCont", "ctCancComanda", "ctAltNrPessoa",
          "ctLiberarMesa", "ctConsultaPreco", "ctTrocaOperador", "IDTIPOIMPFIS"}) {
        integer(n);
    }
    f << FieldDef{QStringLiteral("DTABERCAIXA"), FieldType::DateTime, 0};
    return f;
}

QVariantMap parametroDefaults(const QDateTime& agora) {
    return {{QStringLiteral("IDESQUEMA"), QStringLiteral("001")},
            {QStringLiteral("CDFILIAL"), QStringLiteral("0001")},
            {QStringLiteral("CDLOJA"), QStringLiteral("0001")},
            {QStringLiteral("CDCAIXA"), QStringLiteral("001")},
            {QStringLiteral("IDCOLETOR"), QStringLiteral("N")},
            {QStringLiteral("CDFILICONFTE"), QStringLiteral("0001")},
            {QStringLiteral("NRCONFTELA"), QStringLiteral("01")},
            {QStringLiteral("NRMINSEMCONS"), QStringLiteral("30")},
            {QStringLiteral("IDUTLSENHAOPER"), QStringLiteral("S")},
            {QStringLiteral("IDTIPOGAVETA"), QStringLiteral("0")},
            {QStringLiteral("IDEXIBTICCUP"), QStringLiteral("N")},
            {QStringLiteral("IDCONSCAMPFIDEL"), QStringLiteral("N")},
            {QStringLiteral("IDOBRIGFECHCAIX"), QStringLiteral("N")},
            {QStringLiteral("UTILIZAIMPFIS"), false},
            {QStringLiteral("SISTEMALESTOVENDA"), false},
            {QStringLiteral("SISTEMAKOVNFCE"), true},
            {QStringLiteral("SISTEMAKOVSAT"), false},
            {QStringLiteral("DISPLAYOK"), false},
            {QStringLiteral("BOERROIMPRESSORA"), false},
            {QStringLiteral("ctAbrirGaveta"), 1},
            {QStringLiteral("ctCancItemGen"), 2},
            {QStringLiteral("ctParcCont"), 3},
            {QStringLiteral("ctCancComanda"), 4},
            {QStringLiteral("ctAltNrPessoa"), 5},
            {QStringLiteral("ctLiberarMesa"), 6},
            {QStringLiteral("ctConsultaPreco"), 7},
            {QStringLiteral("ctTrocaOperador"), 8},
            {QStringLiteral("IDTIPOIMPFIS"), 0},
            {QStringLiteral("DTABERCAIXA"), QDateTime(agora.date(), QTime(8, 0))}};
}

void saveFile(const QString& relativePath, const QList<FieldDef>& fields,
              const QList<QVariantList>& rows) {
    const QString path = tillPath(relativePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    ClientDataSet cds(QStringLiteral("arquivo"));
    DataPacket p;
    p.fields = fields;
    p.rows = rows;
    cds.setData(p);
    cds.saveToFile(path);
}

void saveParametros(const QDateTime& agora, const QVariantMap& changes) {
    const QList<FieldDef> fields = parametroFields();
    QVariantMap values = parametroDefaults(agora);
    for (auto it = changes.cbegin(); it != changes.cend(); ++it) {
        values.insert(it.key(), it.value());
    }
    QVariantList row;
    for (const FieldDef& f : fields) {
        row << values.value(f.name);
    }
    saveFile(QStringLiteral("\\PARAMETROSKOV.CDS"), fields, {row});
}

} // namespace

void ScreenOnly::SetUp() {
    ASSERT_TRUE(till.isValid());
    setTillFolder(till.path());
}

TfrmGerMesa& ScreenOnly::screen() {
    if (!screen_) {
        screen_ = std::make_unique<TfrmGerMesa>(suite.libraries(), provider, clock);
    }
    return *screen_;
}

void ScreenOnly::writeFile(const QString& relativePath, const QList<FieldDef>& fields,
                           const QList<QVariantList>& rows) {
    saveFile(relativePath, fields, rows);
}

void ScreenOnly::writeParametros(const QVariantMap& changes) {
    saveParametros(clock.now(), changes);
}

void ScreenOnly::writeOperador(const QString& codigo, const QString& nome) {
    writeFile(QStringLiteral("\\Dados\\Cadastros\\ControleAcess.cds"),
              {{QStringLiteral("CDOPERADOR"), FieldType::Text, 12},
               {QStringLiteral("NMOPERADOR"), FieldType::Text, 60}},
              {{codigo, nome}});
}

void ScreenOnly::writeDataMovimento(const QDateTime& data) {
    writeFile(QStringLiteral("\\Dados\\Cadastros\\DataMovimento.cds"),
              {{QStringLiteral("DATAMOVIMENTO"), FieldType::DateTime, 0}}, {{data}});
}

void ScreenOnly::writeAberturaCaixa(bool comLinha) {
    QList<QVariantList> rows;
    if (comLinha) {
        rows << QVariantList{QStringLiteral("0001"), QStringLiteral("001"),
                             QDateTime(clock.today(), QTime(8, 0)), QString()};
    }
    writeFile(QStringLiteral("\\Dados\\Cadastros\\AberturaCaixa.cds"),
              {{QStringLiteral("CDFILIAL"), FieldType::Text, 4},
               {QStringLiteral("CDCAIXA"), FieldType::Text, 4},
               {QStringLiteral("DTABERCAIXA"), FieldType::DateTime, 0},
               {QStringLiteral("CDATIVACAOSAT"), FieldType::Text, 200}},
              rows);
}

QString ScreenOnly::msg(const QString& key) {
    return msgPadrao().Msg(key);
}

QStringList messageTexts(const FakeSuite& suite) {
    QStringList texts;
    for (const RecordedCall& c : suite.calls(QStringLiteral("Mensagem"))) {
        texts << c.text(0);
    }
    return texts;
}

int mapRefreshes(const FakeSuite& suite) {
    int n = 0;
    for (const RecordedCall& c : suite.calls(QStringLiteral("MensagemMetodo"))) {
        if (c.text(3) == QLatin1String("getStatusMesa") &&
            c.text(4) == QLatin1String("Cli_Qzv10040")) {
            ++n;
        }
    }
    return n;
}

QStringList ScreenOnly::mensagens() const {
    return messageTexts(suite);
}

void ScreenWithStore::SetUp() {
    ServiceFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) {
        return;
    }
    ASSERT_TRUE(till.isValid());
    setTillFolder(till.path());
}

void ScreenWithStore::TearDown() {
    screen_.reset();
    ServiceFixture::TearDown();
}

TfrmGerMesa& ScreenWithStore::screen() {
    if (!screen_) {
        screen_ = std::make_unique<TfrmGerMesa>(
            suite.libraries(), [this]() -> TrdmGerMesa& { return *dm; }, clock);
    }
    return *screen_;
}

void ScreenWithStore::writeParametros(const QVariantMap& changes) {
    saveParametros(clock.now(), changes);
}

void ScreenWithStore::loja(const QString& mesaPadrao) {
    insert(QStringLiteral("FILIAL"), {{QStringLiteral("CDFILIAL"), QStringLiteral("0001")}});
    insert(QStringLiteral("LOJA"), {{QStringLiteral("CDFILIAL"), QStringLiteral("0001")},
                                    {QStringLiteral("CDLOJA"), QStringLiteral("0001")},
                                    {QStringLiteral("NRMESAPADRAO"), mesaPadrao}});
    insert(QStringLiteral("CONFTELA"), {{QStringLiteral("CDFILIAL"), QStringLiteral("0001")},
                                        {QStringLiteral("NRCONFTELA"), QStringLiteral("01")},
                                        {QStringLiteral("CDLOJA"), QStringLiteral("0001")}});
}

void ScreenWithStore::area(const QString& numero, const QString& caption, int colorBack,
                           int colorText, int fonte) {
    insert(QStringLiteral("ITMENUCONFTE"),
           {{QStringLiteral("CDFILIAL"), QStringLiteral("0001")},
            {QStringLiteral("NRCONFTELA"), QStringLiteral("01")},
            {QStringLiteral("IDTPBUTTON"), QStringLiteral("4")},
            {QStringLiteral("NRBUTTONAUX"), QString(QStringLiteral(""))},
            {QStringLiteral("NRPGCONFTELA"), 1},
            {QStringLiteral("NRBUTTON"), numero},
            {QStringLiteral("DSBUTTON"), caption},
            {QStringLiteral("CDIDENTBUTON"), numero},
            {QStringLiteral("NRCOLORTEXT"), colorText},
            {QStringLiteral("NRCOLORBACK"), colorBack},
            {QStringLiteral("NRFONTETEXT"), fonte}});
}

void ScreenWithStore::mesa(const QString& nrMesa, const QString& estado, const QString& areaNr,
                           int pagina, int botao, const QString& caption) {
    insert(QStringLiteral("MESA"), {{QStringLiteral("CDFILIAL"), QStringLiteral("0001")},
                                    {QStringLiteral("CDLOJA"), QStringLiteral("0001")},
                                    {QStringLiteral("NRMESA"), nrMesa},
                                    {QStringLiteral("NMMESA"), QStringLiteral("Mesa ") + nrMesa},
                                    {QStringLiteral("IDSTMESA"), QStringLiteral("A")},
                                    {QStringLiteral("IDSTMESAAUX"), estado}});
    insert(QStringLiteral("ITMENUCONFTE"),
           {{QStringLiteral("CDFILIAL"), QStringLiteral("0001")},
            {QStringLiteral("NRCONFTELA"), QStringLiteral("01")},
            {QStringLiteral("IDTPBUTTON"), QStringLiteral("3")},
            {QStringLiteral("IDTPBUTONAUX"), QStringLiteral("4")},
            {QStringLiteral("NRPGCONFTAUX"), 1},
            {QStringLiteral("NRBUTTONAUX"), areaNr},
            {QStringLiteral("NRPGCONFTELA"), pagina},
            {QStringLiteral("NRBUTTON"), QStringLiteral("%1").arg(botao, 2, 10, QLatin1Char('0'))},
            {QStringLiteral("DSBUTTON"), caption.isEmpty() ? nrMesa.right(2) : caption},
            {QStringLiteral("CDIDENTBUTON"), nrMesa},
            {QStringLiteral("NRCOLORTEXT"), 0x000080},
            {QStringLiteral("NRCOLORBACK"), 0xFFFFFF},
            {QStringLiteral("NRFONTETEXT"), 8}});
}

void ScreenWithStore::vendaAberta(const QString& nrMesa, const QDateTime& abertura,
                                  const QList<QDateTime>& itens) {
    const QString venda = QStringLiteral("%1").arg(++vendas_, 15, 10, QLatin1Char('0'));
    insert(QStringLiteral("VENDAREST"), {{QStringLiteral("CDFILIAL"), QStringLiteral("0001")},
                                         {QStringLiteral("NRVENDAREST"), venda},
                                         {QStringLiteral("CDLOJA"), QStringLiteral("0001")},
                                         {QStringLiteral("NRMESA"), nrMesa},
                                         {QStringLiteral("DTHRABERMESA"), abertura},
                                         {QStringLiteral("NRPESMESAVEN"), 2.0}});
    const QString comanda = QStringLiteral("%1").arg(vendas_, 10, 10, QLatin1Char('0'));
    insert(QStringLiteral("COMANDAVEN"),
           {{QStringLiteral("CDFILIAL"), QStringLiteral("0001")},
            {QStringLiteral("NRVENDAREST"), venda},
            {QStringLiteral("NRCOMANDA"), comanda},
            {QStringLiteral("DSCOMANDA"), QStringLiteral("RES_") + nrMesa},
            {QStringLiteral("IDSTCOMANDA"), QStringLiteral("1")}});
    int n = 0;
    for (const QDateTime& quando : itens) {
        insert(QStringLiteral("ITCOMANDAVEN"),
               {{QStringLiteral("CDFILIAL"), QStringLiteral("0001")},
                {QStringLiteral("NRVENDAREST"), venda},
                {QStringLiteral("NRCOMANDA"), comanda},
                {QStringLiteral("NRPRODCOMVEN"),
                 QStringLiteral("%1").arg(++n, 6, 10, QLatin1Char('0'))},
                {QStringLiteral("CDPRODUTO"), QStringLiteral("1001")},
                {QStringLiteral("QTPRODCOMVEN"), 1.0},
                {QStringLiteral("VRPRECCOMVEN"), 10.0},
                {QStringLiteral("IDSTPRCOMVEN"), QStringLiteral("1")},
                {QStringLiteral("IDPRODREFIL"), QStringLiteral("N")},
                {QStringLiteral("DTHRINCOMVEN"), quando}});
    }
}

void ScreenWithStore::reserva(const QString& nrMesa, const QDate& dia, const QString& status) {
    const QString nr = QString::number(++reservas_);
    insert(QStringLiteral("RESERVAMESA"), {{QStringLiteral("CDFILIAL"), QStringLiteral("0001")},
                                           {QStringLiteral("CDLOJA"), QStringLiteral("0001")},
                                           {QStringLiteral("NRRESMESA"), nr},
                                           {QStringLiteral("DTRESMESA"), dia.startOfDay()},
                                           {QStringLiteral("HRINIRESMESA"), QStringLiteral("1930")},
                                           {QStringLiteral("HRFINRESMESA"), QStringLiteral("2130")},
                                           {QStringLiteral("IDSTRESMESA"), status}});
    insert(QStringLiteral("MESARESERVA"), {{QStringLiteral("CDFILIAL"), QStringLiteral("0001")},
                                           {QStringLiteral("CDLOJA"), QStringLiteral("0001")},
                                           {QStringLiteral("NRRESMESA"), nr},
                                           {QStringLiteral("NRMESA"), nrMesa}});
}

void ScreenWithStore::juncao(const QString& grupo, const QStringList& mesas) {
    insert(QStringLiteral("JUNCAOMESA"), {{QStringLiteral("CDFILIAL"), QStringLiteral("0001")},
                                          {QStringLiteral("CDLOJA"), QStringLiteral("0001")},
                                          {QStringLiteral("NRJUNMESA"), grupo}});
    for (const QString& m : mesas) {
        insert(QStringLiteral("MESAJUNCAO"), {{QStringLiteral("CDFILIAL"), QStringLiteral("0001")},
                                              {QStringLiteral("CDLOJA"), QStringLiteral("0001")},
                                              {QStringLiteral("NRJUNMESA"), grupo},
                                              {QStringLiteral("NRMESA"), m}});
    }
}

QString ScreenWithStore::picture(int n) const {
    return screen_->model.tcb[size_t(n - 1)].picture;
}

QString ScreenWithStore::caption(int n) const {
    return screen_->model.tcb[size_t(n - 1)].caption;
}

} // namespace tmk::test
