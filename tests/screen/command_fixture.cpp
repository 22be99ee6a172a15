#include "tests/screen/command_fixture.h"

#include "platform/client_dataset.h"
#include "platform/till_folder.h"

#include <QDir>
#include <QFileInfo>

namespace tmk::test {

void CommandsWithStore::SetUp() {
    ScreenWithStore::SetUp();
    if (IsSkipped() || HasFatalFailure()) {
        return;
    }
    writeParametros({{QStringLiteral("IDCOLETOR"), QStringLiteral("C")}});
    writeOperador(QStringLiteral("0001"), QStringLiteral("Ana Lima"));
    loja();
    area(QStringLiteral("01"), QStringLiteral("Salão"));
    insert(QStringLiteral("VENDEDOR"), {{QStringLiteral("CDVENDEDOR"), QStringLiteral("001")},
                                        {QStringLiteral("NMFANVEN"), QStringLiteral("Carlos")}});
    screen().InicializaForm();
    suite.clear();
    suite.dialogs.verificaAcesso.setDefault({true, QStringLiteral("0001")});
}

void CommandsWithStore::limpa() {
    suite.clear();
    suite.dialogs.tecladoNumerico.clear();
    suite.common.mensagem.clear();
}

void CommandsWithStore::digita(std::initializer_list<const char*> valores) {
    for (const char* v : valores) {
        suite.dialogs.tecladoNumerico.push(v ? KeypadAnswer::typed(QString::fromUtf8(v))
                                             : KeypadAnswer::cancelled());
    }
}

void CommandsWithStore::responde(std::initializer_list<bool> respostas) {
    for (bool r : respostas) {
        suite.common.mensagem.push(r);
    }
}

void CommandsWithStore::writeOperador(const QString& codigo, const QString& nome) {
    const QString path = tillPath(QStringLiteral("\\Dados\\Cadastros\\ControleAcess.cds"));
    QDir().mkpath(QFileInfo(path).absolutePath());
    ClientDataSet cds(QStringLiteral("arquivo"));
    DataPacket p;
    p.fields = {{QStringLiteral("CDOPERADOR"), FieldType::Text, 12},
                {QStringLiteral("NMOPERADOR"), FieldType::Text, 60}};
    p.rows = {{codigo, nome}};
    cds.setData(p);
    cds.saveToFile(path);
}

void CommandsWithStore::mesaNoMapa(const QString& nrMesa, const QString& estado) {
    mesa(nrMesa, estado, QStringLiteral("01"), 1, ++botoes_);
}

QString CommandsWithStore::venda(const QString& nrMesa, const QDateTime& fechada) {
    const QString nr = QStringLiteral("%1").arg(++vendas_, 15, 10, QLatin1Char('0'));
    QVariantMap row{{QStringLiteral("CDFILIAL"), QStringLiteral("0001")},
                    {QStringLiteral("NRVENDAREST"), nr},
                    {QStringLiteral("CDLOJA"), QStringLiteral("0001")},
                    {QStringLiteral("NRMESA"), nrMesa},
                    {QStringLiteral("CDVENDEDOR"), QStringLiteral("001")},
                    {QStringLiteral("CDCLIENTE"), QStringLiteral("000002")},
                    {QStringLiteral("CDCONSUMIDOR"), QStringLiteral("0000000001")},
                    {QStringLiteral("DTHRABERMESA"), clock.now().addSecs(-3600)},
                    {QStringLiteral("NRPESMESAVEN"), 2.0},
                    {QStringLiteral("NRPOSICAOMESA"), 2.0}};
    if (fechada.isValid()) {
        row.insert(QStringLiteral("DTHRFECHMESA"), fechada);
    }
    insert(QStringLiteral("VENDAREST"), row);
    insert(
        QStringLiteral("COMANDAVEN"),
        {{QStringLiteral("CDFILIAL"), QStringLiteral("0001")},
         {QStringLiteral("NRVENDAREST"), nr},
         {QStringLiteral("NRCOMANDA"), QStringLiteral("%1").arg(vendas_, 6, 10, QLatin1Char('0'))},
         {QStringLiteral("CDLOJA"), QStringLiteral("0001")},
         {QStringLiteral("DSCOMANDA"), QStringLiteral("RES_") + nrMesa},
         {QStringLiteral("IDSTCOMANDA"),
          fechada.isValid() ? QStringLiteral("4") : QStringLiteral("1")}});
    return nr;
}

void CommandsWithStore::item(const QString& nrVendaRest, const QString& produto,
                             const QString& posicao, const QString& statusPosicao) {
    const QString comanda = value(QStringLiteral("SELECT NRCOMANDA FROM COMANDAVEN "
                                                 "WHERE NRVENDAREST = :V"),
                                  {{QStringLiteral("V"), nrVendaRest}})
                                .toString();
    QVariantMap row{{QStringLiteral("CDFILIAL"), QStringLiteral("0001")},
                    {QStringLiteral("NRVENDAREST"), nrVendaRest},
                    {QStringLiteral("NRCOMANDA"), comanda},
                    {QStringLiteral("NRPRODCOMVEN"),
                     QStringLiteral("%1").arg(++itens_, 6, 10, QLatin1Char('0'))},
                    {QStringLiteral("CDLOJA"), QStringLiteral("0001")},
                    {QStringLiteral("CDPRODUTO"), produto},
                    {QStringLiteral("QTPRODCOMVEN"), 1.0},
                    {QStringLiteral("VRPRECCOMVEN"), 10.0},
                    {QStringLiteral("IDSTPRCOMVEN"), QStringLiteral("1")},
                    {QStringLiteral("IDPRODREFIL"), QStringLiteral("N")},
                    {QStringLiteral("DTHRINCOMVEN"), clock.now().addSecs(-600)}};
    if (!posicao.isEmpty()) {
        row.insert(QStringLiteral("NRLUGARMESA"), posicao);
        row.insert(QStringLiteral("IDSTLUGARMESA"), statusPosicao);
    }
    insert(QStringLiteral("ITCOMANDAVEN"), row);
}

QString CommandsWithStore::statusMesa(const QString& nrMesa) {
    return value(QStringLiteral("SELECT IDSTMESAAUX FROM MESA WHERE NRMESA = :M"),
                 {{QStringLiteral("M"), nrMesa}})
        .toString();
}

QStringList CommandsWithStore::operacoes() const {
    QStringList nomes;
    for (const RecordedCall& c : suite.calls(QStringLiteral("MensagemMetodo"))) {
        nomes << c.text(3);
    }
    return nomes;
}

QStringList CommandsWithStore::teclados() const {
    QStringList captions;
    for (const RecordedCall& c : suite.calls(QStringLiteral("TecladoNumerico"))) {
        captions << c.text(1);
    }
    return captions;
}

} // namespace tmk::test
