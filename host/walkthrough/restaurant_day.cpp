#include "host/walkthrough/restaurant_day.h"

#include "db/demo/demo_catalogue.h"
#include "external/common.h"

#include <QAbstractButton>
#include <QListWidget>
#include <memory>

namespace tmk::walkthrough {

namespace {

const QString kFilial = QString::fromLatin1(demo::kFilial);
const QString kLoja = QString::fromLatin1(demo::kLoja);
const QString kCaixa = QString::fromLatin1(demo::kCaixa);

// The tables of the day.
const QString kMesaConta = QStringLiteral("16");    // opened, ordered, received by card and cash
const QString kMesaJunta = QStringLiteral("17");    // joined to it
const QString kMesaNatureza = QStringLiteral("09"); // received with one coupon per nature
const QString kMesaApp = QStringLiteral("07");      // paid in the app
const QString kMesaPosicao = QStringLiteral("03");  // a seat whose bill was requested
const QString kMesaCancela = QStringLiteral("19");  // opened and cancelled

QString numero(const QString& legenda) {
    return legenda.rightJustified(4, QLatin1Char('0'));
}

QVariantMap daMesa(const QString& legenda) {
    return {{QStringLiteral("P_CDFILIAL"), kFilial},
            {QStringLiteral("P_CDLOJA"), kLoja},
            {QStringLiteral("P_NRMESA"), numero(legenda)}};
}

QString estado(Walkthrough& w, const QString& legenda) {
    return w.linha(QStringLiteral("mesa"), daMesa(legenda))
        .value(QStringLiteral("IDSTMESAAUX"))
        .toString()
        .trimmed();
}

QString texto(const QVariantMap& linha, const char* coluna) {
    return linha.value(QString::fromLatin1(coluna)).toString().trimmed();
}

QString mensagem(const char* chave) {
    return msgPadrao().Msg(QString::fromLatin1(chave));
}

// What the day remembers between a step's action and its checks.
struct Dia {
    int vendasConta = 0;
    int vendasNatureza = 0;
    int vendasApp = 0;
    int itensAntes = 0;
    QString nrVendaRestConta;
};

// The table number a command asks for on the keypad; its answer is queued before the
// command's own windows.
void teclaMesa(Walkthrough& w, const QString& legenda, bool foto = false) {
    w.quandoAparecer(QStringLiteral("TecladoNumerico"), [&w, legenda, foto](QWidget& d) {
        digita(d, legenda);
        if (foto) {
            w.foto();
        }
        toca(d, QStringLiteral("btnConfirma"));
    });
}

// The opening of a free table touched on the map, with its waiter and party size.
void abreMesa(Walkthrough& w, const QString& legenda, const QString& garcom, const QString& pessoas,
              bool foto) {
    w.quandoAparecer(QStringLiteral("AberturaMesa"), [&w, garcom, pessoas, foto](QWidget& d) {
        toca(d, QStringLiteral("btnVendedor") + garcom);
        toca(d, QStringLiteral("btnLimpa"));
        digita(d, pessoas);
        if (foto) {
            w.foto();
        }
        toca(d, QStringLiteral("btnConfirma"));
    });
    // The front office opens its order screen for the table.
    w.quandoAparecer(QStringLiteral("TelaPedidos"),
                     [](QWidget& d) { toca(d, QStringLiteral("btnOK")); });
    w.mesaNoMapa(legenda).click();
}

void confereAbertura(Walkthrough& w, const QString& legenda, const QString& garcom, int pessoas) {
    w.igual(estado(w, legenda), QStringLiteral("O"),
            QStringLiteral("Estado da mesa %1").arg(legenda));
    const QVariantMap venda = w.linha(QStringLiteral("venda_aberta"), daMesa(legenda));
    if (w.confere(!venda.isEmpty(),
                  QStringLiteral("A mesa %1 não tem venda aberta.").arg(legenda))) {
        w.igual(texto(venda, "CDVENDEDOR"), garcom,
                QStringLiteral("Garçom da mesa %1").arg(legenda));
        w.igual(venda.value(QStringLiteral("NRPESMESAVEN")).toDouble(), double(pessoas),
                QStringLiteral("Pessoas na mesa %1").arg(legenda));
    }
}

int quantasVendas(Walkthrough& w, const QString& legenda) {
    return int(w.linhas(QStringLiteral("vendas_mesa"), daMesa(legenda)).size());
}

// The sales a receipt concluded: stored once each, paid exactly (the payments less the
// change are the total and the service charge) with the receipt types expected, each card
// taken at the till with its NSU, their NFC-e authorised and written into the fiscal folder,
// and their DANFE printed.
void confereVendas(Walkthrough& w, const QString& legenda, int antes,
                   const QList<QStringList>& tiposPorVenda, bool cartaoNoCaixa = true) {
    const QList<QVariantMap> todas = w.linhas(QStringLiteral("vendas_mesa"), daMesa(legenda));
    const QList<QVariantMap> novas = todas.mid(antes);
    w.igual(int(novas.size()), int(tiposPorVenda.size()),
            QStringLiteral("Vendas concluídas da mesa %1").arg(legenda));
    for (int i = 0; i < int(novas.size()) && i < int(tiposPorVenda.size()); ++i) {
        const QVariantMap& venda = novas[i];
        const QString seq = texto(venda, "NRSEQVENDA");
        w.igual(texto(venda, "IDSITUVENDA"), QStringLiteral("O"),
                QStringLiteral("Situação da venda %1").arg(seq));
        w.igual(texto(venda, "IDSTATUSNFCE"), QStringLiteral("A"),
                QStringLiteral("NFC-e da venda %1").arg(seq));
        const QString chave = texto(venda, "NRACESSONFCE");
        w.igual(int(chave.size()), 44, QStringLiteral("Chave da NFC-e da venda %1").arg(seq));
        w.igual(
            int(w.novosArquivos(QStringLiteral("Dados"), chave + QStringLiteral(".xml")).size()), 1,
            QStringLiteral("XML da NFC-e %1 na pasta fiscal").arg(chave));
        const QList<QVariantMap> pagamentos =
            w.linhas(QStringLiteral("pagamentos_venda"),
                     {{QStringLiteral("P_CDFILIAL"), kFilial},
                      {QStringLiteral("P_CDCAIXA"), texto(venda, "CDCAIXA")},
                      {QStringLiteral("P_NRSEQVENDA"), seq}});
        double pago = 0;
        QStringList tipos;
        for (const QVariantMap& p : pagamentos) {
            const bool entrada = texto(p, "IDTIPOMOVIVE") == QLatin1String("E");
            pago += (entrada ? 1 : -1) * p.value(QStringLiteral("VRMOVIVEND")).toDouble();
            if (entrada) {
                tipos << texto(p, "CDTIPORECE");
                const bool cartao = texto(p, "IDTIPORECE") == QLatin1String("1") ||
                                    texto(p, "IDTIPORECE") == QLatin1String("2");
                if (cartao && cartaoNoCaixa) {
                    w.confere(!texto(p, "CDNSUTEF").isEmpty(),
                              QStringLiteral("O cartão da venda %1 não tem NSU.").arg(seq));
                }
            }
        }
        tipos.sort();
        QStringList esperados = tiposPorVenda[i];
        esperados.sort();
        w.igual(tipos.join(QLatin1Char(',')), esperados.join(QLatin1Char(',')),
                QStringLiteral("Tipos de recebimento da venda %1").arg(seq));
        w.igual(pago,
                venda.value(QStringLiteral("VRTOTVENDA")).toDouble() +
                    venda.value(QStringLiteral("VRTXSEVENDA")).toDouble(),
                QStringLiteral("Pagamentos menos troco da venda %1").arg(seq));
    }
    w.igual(int(w.novosArquivos(QStringLiteral("Impressoes"), QStringLiteral("NFCe")).size()),
            int(tiposPorVenda.size()), QStringLiteral("DANFEs impressos"));
}

// The payment dialog: an amount typed and a receipt type touched for each payment; the
// picture before it is concluded.
void paga(Walkthrough& w, QWidget& d, const QList<QPair<QString, QString>>& pagamentos, bool foto) {
    for (const auto& [valor, tipo] : pagamentos) {
        toca(d, QStringLiteral("btnLimpa"));
        digita(d, valor);
        toca(d, QStringLiteral("btnTipo") + tipo);
    }
    if (foto) {
        w.foto();
    }
    toca(d, QStringLiteral("btnConcluir"));
}

Step mapaInicial() {
    return {QStringLiteral("mapa-inicial"),
            QStringLiteral("O caixa abre no mapa de mesas da loja de demonstração"), nullptr,
            [](Walkthrough& w) {
                w.confereMesa(kMesaConta, QStringLiteral("imgLivre"));
                w.confereMesa(QStringLiteral("03"), QStringLiteral("imgOcupada"));
                w.confereMesa(kMesaApp, QStringLiteral("imgCtaSol"));
                w.confereMesa(QStringLiteral("10"), QStringLiteral("imgRecebendo"));
                w.confereMesa(QStringLiteral("12"), QStringLiteral("imgOcupada"), true);
                w.igual(estado(w, kMesaConta), QStringLiteral("D"),
                        QStringLiteral("Estado da mesa 16"));
                w.igual(int(w.linhas(QStringLiteral("pagamentos_app"), daMesa(kMesaApp)).size()), 1,
                        QStringLiteral("Pagamentos da mesa 07 pelo aplicativo"));
            }};
}

Step aberturaMesa() {
    return {QStringLiteral("abertura-mesa"),
            QStringLiteral("Uma mesa livre é aberta com o seu garçom e o número de pessoas"),
            [](Walkthrough& w) {
                abreMesa(w, kMesaConta, QStringLiteral("001"), QStringLiteral("4"), true);
            },
            [](Walkthrough& w) {
                confereAbertura(w, kMesaConta, QStringLiteral("001"), 4);
                w.confereMesa(kMesaConta, QStringLiteral("imgOcupada"));
                w.igual(int(w.linhas(QStringLiteral("log_acesso"),
                                     {{QStringLiteral("P_CDFILIAL"), kFilial},
                                      {QStringLiteral("P_CDOPERACAO"), QStringLiteral("ABE_ERR")},
                                      {QStringLiteral("P_NRMESA"), numero(kMesaConta)}})
                                .size()),
                        0, QStringLiteral("Registros de abertura com erro"));
            }};
}

Step segundaMesa() {
    return {QStringLiteral("segunda-mesa"),
            QStringLiteral("Uma segunda mesa é aberta e juntada à primeira"),
            [](Walkthrough& w) {
                abreMesa(w, kMesaJunta, QStringLiteral("002"), QStringLiteral("2"), false);
            },
            nullptr};
}

Step juntaMesas() {
    return {
        QStringLiteral("juntar-mesas"),
        QStringLiteral("Funções operacionais: as mesas 16 e 17 são juntadas"),
        [](Walkthrough& w) {
            w.quandoAparecer(QStringLiteral("MenuMesa"), [&w](QWidget& d) {
                auto* lista = qobject_cast<QListWidget*>(&controle(d, QStringLiteral("lstMesas")));
                if (!lista) {
                    throw StepAborted(QStringLiteral("lstMesas não é uma lista."));
                }
                int escolhidas = 0;
                for (int i = 0; i < lista->count(); ++i) {
                    QListWidgetItem* item = lista->item(i);
                    const QString mesa = item->data(Qt::UserRole).toString();
                    const bool junta = mesa == numero(kMesaConta) || mesa == numero(kMesaJunta);
                    item->setSelected(junta);
                    escolhidas += junta ? 1 : 0;
                }
                w.igual(escolhidas, 2, QStringLiteral("Mesas escolhidas na lista"));
                w.foto();
                w.responde(QStringLiteral("Mesas %1, %2 juntas.")
                               .arg(numero(kMesaConta), numero(kMesaJunta)));
                toca(d, QStringLiteral("btnJuntar"));
                toca(d, QStringLiteral("btnVoltar"));
            });
            toca(w.mapa(), QStringLiteral("sbtMenu"));
        },
        [](Walkthrough& w) {
            confereAbertura(w, kMesaJunta, QStringLiteral("002"), 2);
            const QString grupo =
                texto(w.linha(QStringLiteral("juncao_mesa"), daMesa(kMesaConta)), "NRJUNMESA");
            w.confere(!grupo.isEmpty(), QStringLiteral("A mesa 16 não está numa junção."));
            w.igual(texto(w.linha(QStringLiteral("juncao_mesa"), daMesa(kMesaJunta)), "NRJUNMESA"),
                    grupo, QStringLiteral("Junção da mesa 17"));
            w.confereMesa(kMesaConta, QStringLiteral("imgOcupada"), true);
            w.confereMesa(kMesaJunta, QStringLiteral("imgOcupada"), true);
        }};
}

Step pessoas() {
    return {QStringLiteral("numero-pessoas"),
            QStringLiteral("Altera Nr. Pessoas: a mesa 16 passa a 6 pessoas"),
            [](Walkthrough& w) {
                teclaMesa(w, kMesaConta);
                w.quandoAparecer(QStringLiteral("TecladoNumerico"), [&w](QWidget& d) {
                    digita(d, QStringLiteral("6"));
                    w.foto();
                    toca(d, QStringLiteral("btnConfirma"));
                });
                w.responde(mensagem("NrPes_Alt"));
                toca(w.mapa(), QStringLiteral("sbtNPessoas"));
            },
            [](Walkthrough& w) {
                w.igual(w.linha(QStringLiteral("venda_aberta"), daMesa(kMesaConta))
                            .value(QStringLiteral("NRPESMESAVEN"))
                            .toDouble(),
                        6.0, QStringLiteral("Pessoas na mesa 16"));
                w.igual(int(w.linhas(QStringLiteral("log_acesso"),
                                     {{QStringLiteral("P_CDFILIAL"), kFilial},
                                      {QStringLiteral("P_CDOPERACAO"), QStringLiteral("ALT_PES")},
                                      {QStringLiteral("P_NRMESA"), numero(kMesaConta)}})
                                .size()),
                        1, QStringLiteral("Registros ALT_PES da mesa 16"));
            }};
}

Step fechaConta(std::shared_ptr<Dia> dia) {
    return {
        QStringLiteral("fecha-conta"),
        QStringLiteral("Fecha Conta: a conta da mesa 16 é pedida e impressa"),
        [dia](Walkthrough& w) {
            dia->nrVendaRestConta =
                texto(w.linha(QStringLiteral("venda_aberta"), daMesa(kMesaConta)), "NRVENDAREST");
            teclaMesa(w, kMesaConta);
            w.quandoAparecer(QStringLiteral("FechaConta"), [&w](QWidget& d) {
                w.foto();
                toca(d, QStringLiteral("btnConfirma"));
            });
            toca(w.mapa(), QStringLiteral("spbFecha"));
        },
        [](Walkthrough& w) {
            for (const QString& m : {kMesaConta, kMesaJunta}) {
                w.igual(estado(w, m), QStringLiteral("S"),
                        QStringLiteral("Estado da mesa %1").arg(m));
                w.confereMesa(m, QStringLiteral("imgCtaSol"), true);
            }
            w.confere(!w.linha(QStringLiteral("venda_aberta"), daMesa(kMesaConta))
                           .value(QStringLiteral("DTHRMESAFECH"))
                           .isNull(),
                      QStringLiteral("A venda da mesa 16 não tem a hora do pedido da conta."));
            w.igual(
                int(w.novosArquivos(QStringLiteral("Impressoes"), QStringLiteral("Conta")).size()),
                1, QStringLiteral("Contas impressas"));
        }};
}

Step recebimento(std::shared_ptr<Dia> dia) {
    return {QStringLiteral("recebimento"),
            QStringLiteral("A mesa 16 é recebida em cartão de crédito e dinheiro, num só cupom"),
            [dia](Walkthrough& w) {
                dia->vendasConta = quantasVendas(w, kMesaConta);
                // One coupon for the whole account.
                w.responde(mensagem("NAT_PROD"), QStringLiteral("btnNao"));
                w.quandoAparecer(QStringLiteral("Recebimento"), [&w](QWidget& d) {
                    paga(w, d,
                         {{QStringLiteral("30"), QStringLiteral("002")},
                          {QString(), QStringLiteral("001")}},
                         true);
                });
                w.mesaNoMapa(kMesaConta).click();
            },
            [dia](Walkthrough& w) {
                confereVendas(w, kMesaConta, dia->vendasConta,
                              {{QStringLiteral("001"), QStringLiteral("002")}});
                w.igual(
                    int(w.novosArquivos(QStringLiteral("Impressoes"), QStringLiteral("CartaoTEF"))
                            .size()),
                    1, QStringLiteral("Comprovantes de cartão impressos"));
                for (const QString& m : {kMesaConta, kMesaJunta}) {
                    w.igual(estado(w, m), QStringLiteral("D"),
                            QStringLiteral("Estado da mesa %1").arg(m));
                    w.confereMesa(m, QStringLiteral("imgLivre"));
                    w.igual(texto(w.linha(QStringLiteral("juncao_mesa"), daMesa(m)), "NRJUNMESA"),
                            QString(), QStringLiteral("Junção da mesa %1").arg(m));
                }
            }};
}

Step recebimentoNatureza(std::shared_ptr<Dia> dia) {
    return {QStringLiteral("recebimento-natureza"),
            QStringLiteral("A mesa 09 é recebida com um cupom por natureza de produto"),
            [dia](Walkthrough& w) {
                dia->vendasNatureza = quantasVendas(w, kMesaNatureza);
                w.responde(mensagem("NAT_PROD"), QStringLiteral("btnSim"));
                w.quandoAparecer(QStringLiteral("Recebimento"), [&w](QWidget& d) {
                    paga(w, d, {{QString(), QStringLiteral("001")}}, true);
                });
                w.quandoAparecer(QStringLiteral("Recebimento"), [&w](QWidget& d) {
                    paga(w, d, {{QString(), QStringLiteral("005")}}, false);
                });
                w.mesaNoMapa(kMesaNatureza).click();
            },
            [dia](Walkthrough& w) {
                confereVendas(w, kMesaNatureza, dia->vendasNatureza,
                              {{QStringLiteral("001")}, {QStringLiteral("005")}});
                w.igual(estado(w, kMesaNatureza), QStringLiteral("D"),
                        QStringLiteral("Estado da mesa 09"));
                w.confereMesa(kMesaNatureza, QStringLiteral("imgLivreR"));
            }};
}

Step pagamentoApp(std::shared_ptr<Dia> dia) {
    return {QStringLiteral("pagamento-app"),
            QStringLiteral("A mesa 07, paga pelo aplicativo, é recebida pela faixa de pagamentos"),
            [dia](Walkthrough& w) {
                dia->vendasApp = quantasVendas(w, kMesaApp);
                w.responde(mensagem("NAT_PROD"), QStringLiteral("btnNao"));
                w.quandoAparecer(QStringLiteral("Recebimento"),
                                 [&w](QWidget& d) { paga(w, d, {}, true); });
                QWidget& mapa = w.mapa();
                for (auto* b : mapa.findChildren<QAbstractButton*>()) {
                    if (b->objectName().startsWith(QLatin1String("sbtMesaAPP")) && b->isVisible() &&
                        b->text().simplified().remove(QLatin1Char(' ')) ==
                            QStringLiteral("Mesa") + QString::number(kMesaApp.toInt())) {
                        b->click();
                        return;
                    }
                }
                throw StepAborted(QStringLiteral("A faixa de pagamentos não mostra a mesa 7."));
            },
            [dia](Walkthrough& w) {
                // The app's payment is taken as the till's card type of its brand.
                confereVendas(w, kMesaApp, dia->vendasApp, {{QStringLiteral("002")}}, false);
                w.igual(int(w.linhas(QStringLiteral("pagamentos_app"), daMesa(kMesaApp)).size()), 0,
                        QStringLiteral("Pagamentos pendentes da mesa 07"));
                w.igual(estado(w, kMesaApp), QStringLiteral("D"),
                        QStringLiteral("Estado da mesa 07"));
                w.confereMesa(kMesaApp, QStringLiteral("imgLivre"));
                for (auto* b : w.mapa().findChildren<QAbstractButton*>()) {
                    if (b->objectName().startsWith(QLatin1String("sbtMesaAPP")) && b->isVisible()) {
                        w.confere(b->text().simplified().remove(QLatin1Char(' ')) !=
                                      QLatin1String("Mesa7"),
                                  QStringLiteral("A faixa ainda mostra a mesa 7."));
                    }
                }
            }};
}

Step liberaPosicao() {
    return {QStringLiteral("libera-posicao"),
            QStringLiteral("Libera Mesa/Pos: a posição 02 da mesa 03, com a conta pedida no POS "
                           "móvel, volta a aceitar pedidos"),
            [](Walkthrough& w) {
                // The waiter starts the payment of seat 02 on the mobile point of sale.
                const QString venda = texto(
                    w.linha(QStringLiteral("venda_aberta"), daMesa(kMesaPosicao)), "NRVENDAREST");
                w.linhas(QStringLiteral("posicao_bloqueada"),
                         {{QStringLiteral("P_CDFILIAL"), kFilial},
                          {QStringLiteral("P_NRVENDAREST"), venda},
                          {QStringLiteral("P_NRLUGARMESA"), QStringLiteral("02")},
                          {QStringLiteral("P_DTBLOQPOS"), QDateTime::currentDateTime()}});
                teclaMesa(w, kMesaPosicao);
                w.responde(QStringLiteral("A Posição 02 esta com a Conta Solicitada na Mesa %1.\r\n"
                                          "Deseja liberar alguma Posição?")
                               .arg(kMesaPosicao),
                           QStringLiteral("btnSim"), true);
                w.quandoAparecer(QStringLiteral("TecladoNumerico"), [](QWidget& d) {
                    digita(d, QStringLiteral("2"));
                    toca(d, QStringLiteral("btnConfirma"));
                });
                w.responde(QStringLiteral("Posição liberada com sucesso."));
                toca(w.mapa(), QStringLiteral("sbtLiberarMesa"));
            },
            [](Walkthrough& w) {
                int bloqueados = 0;
                for (const QVariantMap& item :
                     w.linhas(QStringLiteral("itens_mesa"), daMesa(kMesaPosicao))) {
                    bloqueados += texto(item, "IDSTLUGARMESA") == QLatin1String("S") ? 1 : 0;
                }
                w.igual(bloqueados, 0,
                        QStringLiteral("Itens da mesa 03 com a conta da posição pedida"));
                w.igual(estado(w, kMesaPosicao), QStringLiteral("O"),
                        QStringLiteral("Estado da mesa 03"));
            }};
}

Step aberturaParaCancelar() {
    return {QStringLiteral("abertura-por-engano"), QStringLiteral("A mesa 19 é aberta por engano"),
            [](Walkthrough& w) {
                abreMesa(w, kMesaCancela, QStringLiteral("003"), QStringLiteral("2"), false);
            },
            [](Walkthrough& w) {
                confereAbertura(w, kMesaCancela, QStringLiteral("003"), 2);
            }};
}

Step cancelaAbertura() {
    return {QStringLiteral("cancela-abertura"),
            QStringLiteral("Cancela Abertura: a mesa 19, sem pedidos, volta a ficar livre"),
            [](Walkthrough& w) {
                teclaMesa(w, kMesaCancela);
                w.responde(mensagem("Mesa_Canc"), QStringLiteral("btnOK"), true);
                toca(w.mapa(), QStringLiteral("sbtCancAbertura"));
            },
            [](Walkthrough& w) {
                w.igual(estado(w, kMesaCancela), QStringLiteral("D"),
                        QStringLiteral("Estado da mesa 19"));
                w.confere(w.linha(QStringLiteral("venda_aberta"), daMesa(kMesaCancela)).isEmpty(),
                          QStringLiteral("A mesa 19 ainda tem venda aberta."));
                w.igual(int(w.linhas(QStringLiteral("log_acesso"),
                                     {{QStringLiteral("P_CDFILIAL"), kFilial},
                                      {QStringLiteral("P_CDOPERACAO"), QStringLiteral("CAN_MES")},
                                      {QStringLiteral("P_NRMESA"), numero(kMesaCancela)}})
                                .size()),
                        1, QStringLiteral("Registros CAN_MES da mesa 19"));
                w.confereMesa(kMesaCancela, QStringLiteral("imgLivre"));
            }};
}

Step resumoDoDia() {
    return {
        QStringLiteral("resumo-dia"),
        QStringLiteral("Funções gerais: o resumo de vendas do dia é impresso"),
        [](Walkthrough& w) {
            w.quandoAparecer(QStringLiteral("FuncoesGerais"), [&w](QWidget& d) {
                w.foto();
                w.quandoAparecer(QStringLiteral("Mensagem"),
                                 [](QWidget& m) { toca(m, QStringLiteral("btnOK")); });
                toca(d, QStringLiteral("btnResumoDia"));
                toca(d, QStringLiteral("btnVoltar"));
            });
            toca(w.mapa(), QStringLiteral("sbtFuncoes"));
        },
        [](Walkthrough& w) {
            w.igual(
                int(w.novosArquivos(QStringLiteral("Impressoes"), QStringLiteral("Resumo")).size()),
                1, QStringLiteral("Resumos do dia impressos"));
        }};
}

} // namespace

std::vector<Step> restaurantDay() {
    auto dia = std::make_shared<Dia>();
    return {mapaInicial(),     aberturaMesa(),  segundaMesa(),          juntaMesas(),
            pessoas(),         fechaConta(dia), recebimento(dia),       recebimentoNatureza(dia),
            pagamentoApp(dia), liberaPosicao(), aberturaParaCancelar(), cancelaAbertura(),
            resumoDoDia()};
}

} // namespace tmk::walkthrough
