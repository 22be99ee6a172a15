// Loading the account of a coupon and preparing it for the payment dialog: the items and
// their companions, the consumption and cover marks, the service charge of one nature,
// the consumer's CPF, the campaign products, the pick-up password and the app payments.
#include "external/common.h"
#include "platform/errors.h"
#include "platform/service_result.h"
#include "screen/ger_mesa.h"
#include "screen/receipt/receipt_run.h"
#include "service/account_lists.h"
#include "service/totals_benefits.h"

#include <algorithm>

namespace tmk {

namespace {

// Marks every item of a product (consumption "CON", cover "CAR").
void marca(ClientDataSet& itens, const QString& produto, const QString& marca) {
    if (produto.trimmed().isEmpty()) {
        return;
    }
    for (itens.first(); !itens.eof(); itens.next()) {
        if (itens.fieldByName(QStringLiteral("CDPRODUTO")).asString().trimmed() ==
                produto.trimmed() &&
            itens.fieldByName(QStringLiteral("IDCONFIGPROD")).asString() != marca) {
            itens.edit();
            itens.fieldByName(QStringLiteral("IDCONFIGPROD")).setValue(marca);
            itens.post();
        }
    }
    itens.first();
}

} // namespace

void TfrmGerMesa::carregaConta(RecebimentoEmCurso& r) {
    const QString& f = r.cdFilial;
    const QString& lista = r.listaComandas;
    carrega(cdsListaComanda, getListaComanda(dm(), f, lista, r.cdNatProduto, st.NrConfTela),
            QStringLiteral("getListaComanda"), {f, lista, r.cdNatProduto, st.NrConfTela});
    carrega(cdsListaComandaCanc, getListaComandaCanc(dm(), f, lista, r.cdNatProduto, st.NrConfTela),
            QStringLiteral("getListaComandaCanc"), {f, lista, r.cdNatProduto, st.NrConfTela});
    carrega(cdsObsItens, getObsItens(dm(), f, lista), QStringLiteral("getObsItens"), {f, lista});
    carrega(cdsExtConsFid, getExtConsFid(dm(), f, lista), QStringLiteral("getExtConsFid"),
            {f, lista});
    carrega(cdsBrinde, getBrinde(dm(), f, lista), QStringLiteral("getBrinde"), {f, lista});
    carrega(cdsItensDesistencia, getItensDesistencia(dm(), f, st.CdCaixa, r.nrVendaRest),
            QStringLiteral("getItensDesistencia"), {f, st.CdCaixa, r.nrVendaRest});
    carrega(cdsPromoComanda, getPromoComanda(dm(), f, lista), QStringLiteral("getPromoComanda"),
            {f, lista});

    // A food coupon of an all-food account carries every cancelled item, whatever its
    // nature, when food items were cancelled.
    if (cdsVerifNatItens.active() && cdsVerifNatItens.recordCount() == 1 &&
        r.cdNatProduto == QLatin1String("01")) {
        carrega(cdsVerifAlimentosCanc, getVerifAlimentosCanc(dm(), f, lista, st.CdLoja),
                QStringLiteral("getVerifAlimentosCanc"), {f, lista, st.CdLoja});
        if (!cdsVerifAlimentosCanc.isEmpty()) {
            carrega(cdsListaComandaCanc,
                    getListaComandaCanc(dm(), f, lista, QString(), st.NrConfTela),
                    QStringLiteral("getListaComandaCanc"), {f, lista, QString(), st.NrConfTela});
        }
    }

    // One coupon for an account of several natures: the items lose their nature.
    if (!st.CupomPorNatureza && r.qtCuponsRestantes >= 2) {
        for (cdsListaComanda.first(); !cdsListaComanda.eof(); cdsListaComanda.next()) {
            cdsListaComanda.edit();
            cdsListaComanda.fieldByName(QStringLiteral("CDNATPRODUTO")).setValue(QString());
            cdsListaComanda.post();
        }
    }

    carrega(cdsItComandaEst, GetItComandaEst(dm(), f, lista, QString()),
            QStringLiteral("GetItComandaEst"), {f, lista + QLatin1Char(' ')},
            QStringLiteral("Cli_Qzv00150"));
    carrega(cdsObsItensEst, getObsItensEst(dm(), f, lista), QStringLiteral("getObsItensEst"),
            {f, lista});

    marca(cdsListaComanda, st.CdProdConsum, QStringLiteral("CON"));
    marca(cdsListaComanda, st.CdProdConsuf, QStringLiteral("CON"));
    marca(cdsListaComanda, st.CdProdCouver, QStringLiteral("CAR"));

    cdsListaComanda.first();
    if (cdsListaComanda.isEmpty()) {
        throw AppError(msg(QStringLiteral("RECEB_FALHA"),
                           {r.nrMesa, QStringLiteral("a conta não tem itens a receber")}));
    }
    r.cdEmpresa = campo(cdsListaComanda, "CDEMPRESA");
    r.cdCliente = campo(cdsListaComanda, "CDCLIENTE");
    r.cdConsumidor = campo(cdsListaComanda, "CDCONSUMIDOR");
}

double TfrmGerMesa::totalNatureza(ClientDataSet& itens) {
    long double total = 0;
    for (itens.first(); !itens.eof(); itens.next()) {
        const auto v = [&itens](const char* c) {
            return itens.fieldByName(QString::fromLatin1(c)).asFloat();
        };
        const long double linha =
            (long double)Trunc2(v("VRACRCOMVEN")) +
            (long double)v("QTPRODCOMVEN") *
                ((long double)Trunc2(v("VRPRECCOMVEN")) + (long double)Trunc2(v("VRUNITVENDCL"))) -
            (long double)Trunc2(v("VRDESCCOMVEN"));
        total += Trunc2(double(linha));
    }
    itens.first();
    return double(total);
}

bool TfrmGerMesa::senhaAcimaDoMaximo(const QString& senha, const QString& maximo) {
    bool okSenha = false;
    bool okMaximo = false;
    const qlonglong s = senha.trimmed().toLongLong(&okSenha);
    const qlonglong m = maximo.trimmed().toLongLong(&okMaximo);
    return okSenha && okMaximo && s > m;
}

void TfrmGerMesa::preparaConta(RecebimentoEmCurso& r) {
    // The items are walked and printed in item-number order from here on.
    cdsListaComanda.deleteIndexes();
    cdsListaComanda.addIndex(QStringLiteral("Indice"), QStringLiteral("NRPRODCOMVEN"),
                             ClientDataSet::IndexOption::CaseInsensitive);
    cdsListaComanda.setIndexName(QStringLiteral("Indice"));
    cdsListaComanda.first();

    // The service charge of one nature. The last coupon of a series carries what is left
    // of the account's charge, so the coupons add up to it exactly.
    if (!r.cdNatProduto.isEmpty()) {
        r.vrTxServicoConta = cdsListaComanda.fieldByName(QStringLiteral("VRTXSERVICO")).asFloat();
        if (r.vrTxServicoConta > 0) {
            r.vrTotalNatureza = totalNatureza(cdsListaComanda);
            if (r.vrTotalNatureza > 0) {
                // Never more than what is left of the account's charge.
                r.vrTxServicoNatureza =
                    r.ultimo() ? r.vrTxServicoConta
                               : std::min(r.vrTxServicoConta,
                                          Trunc2(r.vrTotalNatureza * st.VrComisVenda / 100.0));
                for (cdsListaComanda.first(); !cdsListaComanda.eof(); cdsListaComanda.next()) {
                    cdsListaComanda.edit();
                    cdsListaComanda.fieldByName(QStringLiteral("VRTXSERVICO"))
                        .setValue(r.vrTxServicoNatureza);
                    cdsListaComanda.post();
                }
                cdsListaComanda.first();
            }
        }
    }

    r.falhou = false;
    r.dialogo.nrCupom = r.nrMesa;

    // The consumer's CPF on the coupon, and the campaign products.
    st.IdImpCpfCupom = direto(GetImpCpfCupom(dm(), r.cdCliente, r.cdConsumidor)).toString();
    for (cdsListaComanda.first(); !cdsListaComanda.eof(); cdsListaComanda.next()) {
        const QString produto = campo(cdsListaComanda, "CDPRODUTO");
        carrega(cdsProdPromoFidelidade, getProdPromoFidelidade(dm(), r.cdFilial, produto),
                QStringLiteral("getProdPromoFidelidade"), {r.cdFilial, produto},
                QStringLiteral("Cli_Tmk02390"));
        if (!cdsProdPromoFidelidade.isEmpty()) {
            st.PromoFidelidade = true;
            st.NrSeqProdCamp = campo(cdsProdPromoFidelidade, "NRSEQPRODCAMP");
            r.cdProdutoCamp = produto;
        }
        if (campo(cdsListaComanda, "NRINSCRCONS").isEmpty() &&
            st.IdImpCpfCupom == QLatin1String("S")) {
            const QString cpf = direto(GetCpfCons(dm(), campo(cdsListaComanda, "CDCLIENTE"),
                                                  campo(cdsListaComanda, "CDCONSUMIDOR")))
                                    .toString();
            cdsListaComanda.edit();
            cdsListaComanda.fieldByName(QStringLiteral("NRINSCRCONS")).setValue(cpf);
            cdsListaComanda.post();
        }
    }
    cdsListaComanda.first();
    if (r.cdConsumidor.isEmpty() && st.PromoFidelidade) {
        mensagem(msg(QStringLiteral("CONS_N_INF")), MsgErro);
    }

    // The pick-up password: the one the sale already has, or the day's next.
    if (st.SistemaKovNfce || st.SistemaKovSat) {
        r.senhaCupom = direto(GetRecupSenha(dm(), r.cdFilial, r.nrVendaRest, r.nrComanda))
                           .toString()
                           .trimmed();
        if (r.senhaCupom.isEmpty()) {
            const QDateTime hoje = clock().now();
            r.senhaCupom = direto(getSenhaCupom(dm(), r.cdFilial, hoje)).toString();
            if (!st.NrMaxSenhaPed.trimmed().isEmpty() &&
                senhaAcimaDoMaximo(r.senhaCupom, st.NrMaxSenhaPed)) {
                direto(ReiniciaSenhaCupom(dm(), r.cdFilial,
                                          hoje.date().toString(QStringLiteral("dd/MM/yyyy"))));
                r.senhaCupom = direto(getSenhaCupom(dm(), r.cdFilial, hoje)).toString();
            }
        }
    }

    // The payments made in the app are the sale's first payment lines.
    carrega(cdsMovCaixaMob, getMovCaixaMob(dm(), r.cdFilial, r.listaComandas),
            QStringLiteral("getMovCaixaMob"), {r.cdFilial, r.listaComandas});
    r.idPagMobile = cdsMovCaixaMob.isEmpty() ? QStringLiteral("N") : QStringLiteral("S");
    // Also without app payments: the dialog starts from an empty list.
    InserePagamentoMobile(r.dialogo.vrTotalPago);
}

} // namespace tmk
