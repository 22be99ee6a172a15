// The screen's lifecycle: creation, the initialisation of every entry call (the till's
// local files and derived settings), the first activation, closing, and which command
// buttons the operator may use.
#include "platform/errors.h"
#include "platform/till_folder.h"
#include "screen/ger_mesa.h"
#include "service/map_reads.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcScreen)

namespace tmk {

namespace {

const QString kParametros = QStringLiteral("\\PARAMETROSKOV.CDS");
const QString kCliente = QStringLiteral("\\Dados\\Cadastros\\Cad_Cliente.cds");
const QString kAliqImpFis = QStringLiteral("\\Dados\\Cadastros\\AliqImpFis.cds");
const QString kConfTipoRece = QStringLiteral("\\Dados\\Cadastros\\ConfTipoRece.cds");
const QString kEcfCaixa = QStringLiteral("\\Dados\\Cadastros\\EcfCaixa.cds");
const QString kAberturaCaixa = QStringLiteral("\\Dados\\Cadastros\\AberturaCaixa.cds");
const QString kControleAcess = QStringLiteral("\\Dados\\Cadastros\\ControleAcess.cds");
const QString kDataMovimento = QStringLiteral("\\Dados\\Cadastros\\DataMovimento.cds");

// Readers of the current row that leave the field as it was when the column is absent.
struct RowReader {
    ClientDataSet& cds;
    void text(const char* column, QString& field) {
        if (auto f = cds.findField(QString::fromLatin1(column))) {
            field = f->asString();
        }
    }
    void flag(const char* column, bool& field) {
        if (auto f = cds.findField(QString::fromLatin1(column))) {
            field = f->asBoolean();
        }
    }
    void integer(const char* column, int& field) {
        if (auto f = cds.findField(QString::fromLatin1(column))) {
            field = int(f->asInteger());
        }
    }
    void real(const char* column, double& field) {
        if (auto f = cds.findField(QString::fromLatin1(column))) {
            field = f->asFloat();
        }
    }
    void date(const char* column, QDateTime& field) {
        if (auto f = cds.findField(QString::fromLatin1(column))) {
            field = f->asDateTime();
        }
    }
};

} // namespace

bool TfrmGerMesa::carregaArquivo(ClientDataSet& cds, const QString& relativePath) {
    const QString path = tillPath(relativePath);
    if (!QFileInfo::exists(path)) {
        return false;
    }
    try {
        cds.loadFromFile(path);
        cds.first();
        return true;
    } catch (const AppError& e) {
        // A damaged file is reported and then treated as a missing one.
        qCWarning(lcScreen) << "local file not loaded:" << path << e.message();
        mensagem(e.message(), MsgErro);
        return false;
    }
}

void TfrmGerMesa::carregaParametros() {
    if (!carregaArquivo(cdsParametrosKov, kParametros)) {
        return;
    }
    RowReader r{cdsParametrosKov};
    r.text("IDESQUEMA", st.IdEsquema);
    r.flag("UTILIZAIMPFIS", st.UtilizaImpFis);
    r.flag("SISTEMALESTOVENDA", st.SistemaLestovenda);
    r.flag("SISTEMAKOVNFCE", st.SistemaKovNfce);
    r.flag("DISPLAYOK", st.DisplayOk);
    r.text("CDFILIAL", st.CdFilial);
    r.text("CDLOJA", st.CdLoja);
    r.text("CDCAIXA", st.CdCaixa);
    r.text("IDCOLETOR", st.IdColetor);
    r.text("CDFILICONFTE", st.CdFiliConfTe);
    r.text("NRCONFTELA", st.NrConfTela);
    r.text("NRMINSEMCONS", st.NrMinSemCons);
    r.text("IDUTLSENHAOPER", st.IdUtlSenhaOper);
    r.text("IDTIPOGAVETA", st.IdTipoGaveta);
    r.text("CDPORTAIMPFIS", st.CdPortaImpFis);
    r.text("IDTIPOIMPNF1", st.IdTipoImpNF1);
    r.text("CDPORTIMPNF1", st.CdPortImpNF1);
    r.text("IDTPVENDIMPNF1", st.IdTpVendImpNF1);
    r.text("IDTIPOIMPNF2", st.IdTipoImpNF2);
    r.text("CDPORTIMPNF2", st.CdPortImpNF2);
    r.text("IDTPVENDIMPNF2", st.IdTpVendImpNF2);
    r.text("DATAIMP", st.DataImp);
    r.text("IDPERTROCAOP", st.IdPerTrocaOp);
    r.text("CDPRODCONSUM", st.CdProdConsum);
    r.text("CDPRODCONSUF", st.CdProdConsuf);
    r.text("CDPRODCOUVER", st.CdProdCouver);
    r.date("DTABERCAIXA", st.DtAberCaixa);
    r.text("IDPAISINTEGRA", st.IdPaisIntegra);
    r.text("NRSERIEIMP", st.NrSerieImp);
    r.integer("IDTIPOIMPFIS", st.IdTipoImpFis);
    r.text("DSDIRCAD", st.DsDirCad);
    r.integer("ctAbrirGaveta", st.CtAbrirGaveta);
    r.integer("ctCancItemGen", st.CtCancItemGen);
    r.integer("ctParcCont", st.CtParcCont);
    r.integer("ctCancComanda", st.CtCancComanda);
    r.integer("ctAltNrPessoa", st.CtAltNrPessoa);
    r.integer("ctLiberarMesa", st.CtLiberarMesa);
    r.integer("ctConsultaPreco", st.CtConsultaPreco);
    r.integer("ctTrocaOperador", st.CtTrocaOperador);
    r.text("IDIMPCOMPCUPVEN", st.IdImpCompCupVen);
    r.flag("BOERROIMPRESSORA", st.ErroImpressora);
    r.text("CDPREFINTGCOL", st.CdPrefIntgCol);
    r.text("DSMODELOECFVE", st.DsModeloEcfVe);
    r.text("DSMARCAECFVE", st.DsMarcaEcfVe);
    r.text("ECFIMP", st.EcfImp);
    r.text("IDEXIBTICCUP", st.IdExibTicCup);
    r.text("CDESTADOIBGE", st.CdEstadoIbge);
    r.text("CDINSJUREMPR", st.CdInsJurEmpr);
    r.text("IDAMBTRABNFCE", st.IdAmbTrabNfce);
    r.text("SGESTADOFILI", st.SgEstadoFili);
    r.text("IDTIPOIMPNF3", st.IdTipoImpNF3);
    r.text("CDPORTIMPNF3", st.CdPortImpNF3);
    r.text("IDTPVENDIMPNF3", st.IdTpVendImpNF3);
    r.text("IDINTHOTEL", st.IdIntHotel);
    r.real("VRCOMISVENDA", st.VrComisVenda);
    r.flag("SISTEMAKOVSAT", st.SistemaKovSat);
    r.text("IDIMPCNPJCLIE", st.IdImpCnpjClie);
    r.text("IDSENHACUP", st.IdSenhaCup);
    r.text("IDOBRIGFECHCAIX", st.IdObrigFechCaix);
    r.text("CDCLIENTE", st.CdCliente);
    r.text("IDCONSCAMPFIDEL", st.IdConsCampFidel);
    r.text("IDUTILSATCOMP", st.IdUtilSatComp);
    r.text("IDVERGAVETANFIS", st.IdVerGavetaNFis);
    r.integer("NRMINSENHAAL", st.NrMinSenhaAl);
    r.text("IDIMPRCUPTEFRED", st.IdImprCupTefRed);
    r.text("IDUTILTEF", st.IdUtilTef);
    r.text("IDIMPRTEF", st.IdImprTef);
    r.text("IDENVCUPOMEMAIL", st.IdEnvCupomEmail);
    r.text("NRMAXSENHAPED", st.NrMaxSenhaPed);
    r.text("DSLOGOTELA", st.DsLogoTela);
    r.text("IDIMPCUPMEI", st.IdImpCupMei);
}

void TfrmGerMesa::carregaArquivosCadastro() {
    carregaArquivo(cdsCliente, kCliente);
    if (carregaArquivo(cdsAliqImpFis, kAliqImpFis)) {
        cdsAliqImpFis.addIndex(QStringLiteral("idxAliquota"),
                               QStringLiteral("IDALIQIMPFIS;VRALIQIMPFIS"));
        cdsAliqImpFis.setIndexName(QStringLiteral("idxAliquota"));
    }
    carregaArquivo(cdsConfTipoRece, kConfTipoRece);
    carregaArquivo(cdsECFCaixa, kEcfCaixa);
    carregaArquivo(cdsAberturaCaixa, kAberturaCaixa);
    if (carregaArquivo(cdsValidaAbertura, kAberturaCaixa)) {
        const QString cifrado =
            cdsValidaAbertura.findField(QStringLiteral("CDATIVACAOSAT"))
                ? cdsValidaAbertura.fieldByName(QStringLiteral("CDATIVACAOSAT")).asString()
                : QString();
        try {
            st.CdAtivacaoSat = suite_.common->Uncripto(cifrado, kChaveCodigoAtivacaoSat);
        } catch (const AppError& e) {
            st.CdAtivacaoSat.clear();
            mensagem(QStringLiteral("Código de ativação do SAT do arquivo %1: %2")
                         .arg(tillPath(kAberturaCaixa), e.message()),
                     MsgErro);
        }
    }
}

void TfrmGerMesa::carregaOperador() {
    if (carregaArquivo(cdsControleAcess, kControleAcess)) {
        RowReader r{cdsControleAcess};
        r.text("CDOPERADOR", st.CdOperador);
        r.text("NMOPERADOR", st.NmOperador);
    }
}

void TfrmGerMesa::carregaOperadorEData() {
    carregaOperador();
    if (carregaArquivo(cdsDataMovimento, kDataMovimento)) {
        RowReader r{cdsDataMovimento};
        r.date("DATAMOVIMENTO", st.DataMovimento);
    }
}

void TfrmGerMesa::FormCreate() {
    suite_.common->Trad(this);
}

void TfrmGerMesa::FormClose() {
    Q_EMIT closed();
}

void TfrmGerMesa::LimpaCDS() {
    for (ClientDataSet* cds : {&cdsListaComanda, &cdsMovCaixa, &cdsListaComandaCanc,
                               &cdsFamiliaSaldo, &cdsEmprestimoFam, &cdsItComandaEst}) {
        if (cds->active()) {
            cds->emptyDataSet();
        }
    }
}

QPoint TfrmGerMesa::posicaoJanela(const QSize& tela, const QSize& janela) {
    // Integer division truncates toward zero, as the position rule wants.
    return {(tela.width() - janela.width()) / 2, (tela.height() - janela.height()) / 2};
}

void TfrmGerMesa::criaModuloDeDados() {
    // A database that is down is reported; the screen opens all the same and the refresh
    // timer tries again.
    if (!dm_) {
        try {
            dm();
        } catch (const AppError& e) {
            mensagem(e.message(), MsgErro);
        }
    }
}

void TfrmGerMesa::configuraCaixa() {
    st.DataSistema = clock_.now();
    carregaParametros();
    carregaArquivosCadastro();
    // The database version is only reported (through the service convention), not used.
    const bool versao = dm_ && dm_->getVersaoBanco();
    suite_.common->MensagemMetodo(versao, true, 0, QStringLiteral("getVersaoBanco"),
                                  QStringLiteral("Cli_Tmk00470"), QString(), QStringLiteral("002"));
    st.TipoDocFiscal = st.SistemaKovNfce  ? QStringLiteral("N")
                       : st.SistemaKovSat ? QStringLiteral("S")
                                          : QStringLiteral("E");
    st.TipoImpNaoFiscal = st.SistemaKovNfce  ? QStringLiteral("VENDA_NFCe")
                          : st.SistemaKovSat ? QStringLiteral("EXTRATO_SAT")
                                             : QString();
    st.DirXmlFiscal = tillPath(QStringLiteral("\\Dados\\XML_NFCe_Sat\\") + st.CdFilial +
                               QLatin1Char('-') + st.CdCaixa + QLatin1Char('-') +
                               clock_.today().toString(QStringLiteral("yyyy-MM-dd"))) +
                      QLatin1Char('/');
    // The window's size; the window computes its position from the screen's.
    model.width = 800;
    model.height = 600;
    model.brandPicture = st.SistemaLestovenda                      ? QStringLiteral("imgLestovenda")
                         : (st.SistemaKovNfce || st.SistemaKovSat) ? QStringLiteral("ImgKovNFCe")
                                                                   : QStringLiteral("imgVendaro");
    model.logoFile.clear();
    if (!st.DsLogoTela.isEmpty()) {
        const QString logo =
            QFileInfo(st.DsLogoTela).isAbsolute() ? st.DsLogoTela : tillPath(st.DsLogoTela);
        if (QFileInfo::exists(logo)) {
            model.logoFile = logo;
        }
    }
}

void TfrmGerMesa::voltaAoPrimeiroAmbiente() {
    st.NrAmbienteAtual = QStringLiteral("01");
    st.NrPaginaAtual = 1;
    st.IdxAmbienteAtual = 1;
    model.lblPagMesa = msg(QStringLiteral("Pagina")) + QStringLiteral("1");
    if (cdsAmbientes.active() &&
        cdsAmbientes.locate(QStringLiteral("NRBUTTON"), QStringLiteral("01"))) {
        st.QtPaginas = cdsAmbientes.fieldByName(QStringLiteral("QTDEMESAS")).asFloat() / 48.0;
    }
    st.NrMesaApp.clear();
    st.PosicaoApp.clear();
}

void TfrmGerMesa::InicializaForm() {
    criaModuloDeDados();
    // Once per process, and on every call while the parameter file is missing.
    if (!cdsParametrosKov.active() || cdsParametrosKov.recordCount() == 0) {
        configuraCaixa();
    }
    // Operator and business date, on every call.
    carregaOperadorEData();
    model.lblBuffer.clear();
    PreencheRodape();
    model.windowTitle = QCoreApplication::applicationName();
    Q_EMIT raiseRequested();
    timDataHoraTimer();
    voltaAoPrimeiroAmbiente();
    SegueMudancas();
    // A refresh that fails has shown its message; the screen opens all the same. Without a
    // data module (its failure is already shown) the refresh timer tries again.
    if (dm_) {
        try {
            DisparaAtualizacao();
        } catch (const SilentAbort&) {
            qCInfo(lcScreen) << "map refresh at initialisation ended after a service failure";
        }
    }
    model.lblMensagem = model.sbtAmb[0].caption;
    HabilitaTimer();
    ControlaHabilitacao();
    st.PromoFidelidade = false;
    Q_EMIT changed();
}

void TfrmGerMesa::FormActivate() {
    if (!st.PrimeiraAtivacao) {
        evento([this] {
            QCoreApplication::processEvents();
            st.PrimeiraAtivacao = true;
            if (!dm_) {
                // The data module could not be made (already reported); the refresh
                // builds the map once it can.
                return;
            }
            carrega(cdsStatusMesas, getStatusMesa(dm(), st.CdFilial, st.CdLoja, st.NrConfTela),
                    QStringLiteral("getStatusMesa"), {st.CdFilial, st.CdLoja, st.NrConfTela});
            carrega(cdsReserva, getReserva(dm(), st.CdFilial, st.CdLoja),
                    QStringLiteral("getReserva"), {st.CdFilial, st.CdLoja});
            indexaReserva();
            MontaMenuAmbiente();
            st.NrAmbienteAtual = QStringLiteral("01");
            model.lblMensagem = model.sbtAmb[0].caption;
            MontaMenuMesa(true);
            ControlaHabilitacao();
            MontaListaMesasPagasAPP();
        });
    }
    Q_EMIT changed();
}

QString TfrmGerMesa::acesso(int codigo) {
    QString resultado;
    suite_.dialogs->ControleAcess(codigo, st.CdOperador, resultado);
    return resultado;
}

void TfrmGerMesa::ControlaHabilitacao() {
    const bool ok = !st.ErroImpressora;
    auto permitido = [this](int codigo) {
        return acesso(codigo) != QLatin1String("N");
    };
    setCommand(QStringLiteral("sbtCancelaItem"), permitido(st.CtCancItemGen) && ok);
    setCommand(QStringLiteral("sbpParcial"), permitido(st.CtParcCont) && ok);
    setCommand(QStringLiteral("sbtCancAbertura"), permitido(st.CtCancComanda) && ok);
    setCommand(QStringLiteral("sbtNPessoas"), permitido(st.CtAltNrPessoa) && ok);
    setCommand(QStringLiteral("sbtLiberarMesa"), permitido(st.CtLiberarMesa) && ok);
    setCommand(QStringLiteral("sbtConsultaPreco"), permitido(st.CtConsultaPreco));
    setCommand(QStringLiteral("sbtTrocaOperador"), permitido(st.CtTrocaOperador) && ok);
    for (const char* name : {"sbpTeclado", "spbFecha", "sbtPedidos", "sbtReserva", "sbtMenu"}) {
        setCommand(QString::fromLatin1(name), ok);
    }
    setCommand(QStringLiteral("sbtFuncoes"), true);
    setCommand(QStringLiteral("sbtConsultaCons"), true, st.IdConsCampFidel == QLatin1String("S"));
    Q_EMIT changed();
}

} // namespace tmk
