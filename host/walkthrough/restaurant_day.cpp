#include "host/walkthrough/restaurant_day.h"

#include "db/demo/demo_catalogue.h"
#include "external/common.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTableWidget>
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
const QString kMesaBalcao = QString::fromLatin1(demo::kMesaPadrao); // counter sales

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
    int vendasBalcao = 0;
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

// The opening of a free table touched on the map, with its waiter and party size; the
// front office then opens the order screen ("frmPedido").
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
    w.mesaNoMapa(legenda).click();
}

struct Pedido {
    const char* produto;
    int quantidade;
    int posicao;
};

// Products touched on the order screen (their group first, when another is shown), each
// line with its quantity and seat position.
void pede(QWidget& tela, const QList<Pedido>& pedidos) {
    for (const Pedido& p : pedidos) {
        const QString botao = QStringLiteral("btnProduto") + QString::fromLatin1(p.produto);
        if (!tela.findChild<QWidget*>(botao)) {
            // A group's touch replaces the product buttons: the groups are taken first.
            QList<QPointer<QAbstractButton>> grupos;
            for (auto* b : tela.findChildren<QAbstractButton*>()) {
                if (b->objectName().startsWith(QLatin1String("btnGrupo"))) {
                    grupos << b;
                }
            }
            for (const QPointer<QAbstractButton>& grupo : grupos) {
                if (grupo) {
                    grupo->click();
                }
                if (tela.findChild<QWidget*>(botao)) {
                    break;
                }
            }
        }
        toca(tela, botao);
        poe(tela, QStringLiteral("spnQuantidade"), p.quantidade);
        poe(tela, QStringLiteral("spnPosicao"), p.posicao);
    }
}

// The items of a table's open sale, as "product quantity seat status" texts.
QStringList itens(Walkthrough& w, const QString& legenda) {
    QStringList lista;
    for (const QVariantMap& i : w.linhas(QStringLiteral("itens_mesa"), daMesa(legenda))) {
        lista << QStringLiteral("%1 %2 %3 %4")
                     .arg(texto(i, "CDPRODUTO"))
                     .arg(i.value(QStringLiteral("QTPRODCOMVEN")).toDouble())
                     .arg(texto(i, "NRLUGARMESA"), texto(i, "IDSTPRCOMVEN"));
    }
    return lista;
}

// The items a table's order pad got, with the waiter and the catalogue's price on each.
void conferePedido(Walkthrough& w, const QString& legenda, const QString& garcom,
                   const QList<Pedido>& pedidos) {
    QStringList esperados;
    for (const Pedido& p : pedidos) {
        esperados << QStringLiteral("%1 %2 %3 1")
                         .arg(QString::fromLatin1(p.produto))
                         .arg(p.quantidade)
                         .arg(p.posicao, 2, 10, QLatin1Char('0'));
    }
    w.igual(itens(w, legenda).join(QStringLiteral("; ")), esperados.join(QStringLiteral("; ")),
            QStringLiteral("Itens da mesa %1").arg(legenda));
    for (const QVariantMap& i : w.linhas(QStringLiteral("itens_mesa"), daMesa(legenda))) {
        const QByteArray codigo = texto(i, "CDPRODUTO").toLatin1();
        w.igual(texto(i, "CDVENDEDOR"), garcom,
                QStringLiteral("Garçom do item %1").arg(texto(i, "NRPRODCOMVEN")));
        w.igual(i.value(QStringLiteral("VRPRECCOMVEN")).toDouble(),
                demo::product(codigo.constData()).price,
                QStringLiteral("Preço do item %1").arg(texto(i, "NRPRODCOMVEN")));
    }
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

const QList<Pedido> kPedidoConta = {
    {"10001", 1, 1}, {"20004", 2, 1}, {"10004", 1, 2}, {"20001", 1, 2}};

Step aberturaMesa() {
    return {QStringLiteral("abertura-mesa"),
            QStringLiteral("Uma mesa livre é aberta com o seu garçom e o número de pessoas"),
            [](Walkthrough& w) {
                abreMesa(w, kMesaConta, QStringLiteral("001"), QStringLiteral("4"), true);
            },
            [](Walkthrough& w) {
                confereAbertura(w, kMesaConta, QStringLiteral("001"), 4);
                w.igual(int(w.linhas(QStringLiteral("log_acesso"),
                                     {{QStringLiteral("P_CDFILIAL"), kFilial},
                                      {QStringLiteral("P_CDOPERACAO"), QStringLiteral("ABE_ERR")},
                                      {QStringLiteral("P_NRMESA"), numero(kMesaConta)}})
                                .size()),
                        0, QStringLiteral("Registros de abertura com erro"));
            }};
}

Step pedido() {
    Step passo{QStringLiteral("pedido"),
               QStringLiteral("Na tela de pedidos, os itens das posições 1 e 2 são enviados"),
               [](Walkthrough& w) {
                   QWidget* tela = QApplication::activeModalWidget();
                   if (!tela || tela->objectName() != QLatin1String("frmPedido")) {
                       throw StepAborted(QStringLiteral("A tela de pedidos não está aberta."));
                   }
                   pede(*tela, kPedidoConta);
                   w.foto();
                   toca(*tela, QStringLiteral("btnEnviar"));
               },
               [](Walkthrough& w) {
                   conferePedido(w, kMesaConta, QStringLiteral("001"), kPedidoConta);
                   w.confereMesa(kMesaConta, QStringLiteral("imgOcupada"));
               }};
    passo.inicio = QStringLiteral("frmPedido");
    return passo;
}

Step segundaMesa() {
    return {QStringLiteral("segunda-mesa"),
            QStringLiteral("Uma segunda mesa é aberta para o mesmo grupo, com o seu pedido"),
            [](Walkthrough& w) {
                abreMesa(w, kMesaJunta, QStringLiteral("002"), QStringLiteral("2"), false);
                w.quandoAparecer(QStringLiteral("frmPedido"), [](QWidget& tela) {
                    pede(tela, {{"20002", 2, 1}});
                    toca(tela, QStringLiteral("btnEnviar"));
                });
            },
            [](Walkthrough& w) {
                confereAbertura(w, kMesaJunta, QStringLiteral("002"), 2);
                conferePedido(w, kMesaJunta, QStringLiteral("002"), {{"20002", 2, 1}});
                w.confereMesa(kMesaJunta, QStringLiteral("imgOcupada"));
            }};
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

Step cancelaProduto() {
    return {
        QStringLiteral("cancela-produto"),
        QStringLiteral("Cancela Produto: uma das cervejas da mesa 16 é cancelada com a "
                       "senha do supervisor"),
        [](Walkthrough& w) {
            teclaMesa(w, kMesaConta);
            w.quandoAparecer(QStringLiteral("CancelaProduto"), [&w](QWidget& d) {
                auto* tabela =
                    qobject_cast<QTableWidget*>(&controle(d, QStringLiteral("tblItens")));
                if (!tabela) {
                    throw StepAborted(QStringLiteral("tblItens não é uma tabela."));
                }
                const demo::Product& cerveja = demo::product("20004");
                int linha = -1;
                for (int r = 0; r < tabela->rowCount(); ++r) {
                    const QString nome =
                        tabela->item(r, 1) ? tabela->item(r, 1)->text() : QString();
                    if (nome == QString::fromUtf8(cerveja.name) ||
                        nome == QString::fromUtf8(cerveja.fiscalName)) {
                        linha = r;
                    }
                }
                if (linha < 0) {
                    throw StepAborted(QStringLiteral("A comanda não lista %1.")
                                          .arg(QString::fromUtf8(cerveja.name)));
                }
                tabela->setCurrentCell(linha, 1);
                w.igual(
                    qobject_cast<QLineEdit*>(&controle(d, QStringLiteral("edtQuantidade")))->text(),
                    QStringLiteral("1"), QStringLiteral("Quantidade a cancelar"));
                // The supervisor authorises the cancellation with code and password.
                w.quandoAparecer(QStringLiteral("AutorizacaoSupervisor"), [&w](QWidget& a) {
                    escreve(a, QStringLiteral("edtSupervisor"), QStringLiteral("0099"));
                    escreve(a, QStringLiteral("edtSenha"), QStringLiteral("4321"));
                    w.foto();
                    toca(a, QStringLiteral("btnConfirma"));
                });
                toca(d, QStringLiteral("btnCancelaItem"));
                toca(d, QStringLiteral("btnFechar"));
            });
            toca(w.mapa(), QStringLiteral("sbtCancelaItem"));
        },
        [](Walkthrough& w) {
            QStringList esperados;
            for (const Pedido& p : kPedidoConta) {
                const bool cerveja = QLatin1String(p.produto) == QLatin1String("20004");
                esperados << QStringLiteral("%1 %2 %3 1")
                                 .arg(QString::fromLatin1(p.produto))
                                 .arg(cerveja ? p.quantidade - 1 : p.quantidade)
                                 .arg(p.posicao, 2, 10, QLatin1Char('0'));
            }
            esperados << QStringLiteral("20004 1 01 6");
            w.igual(itens(w, kMesaConta).join(QStringLiteral("; ")),
                    esperados.join(QStringLiteral("; ")),
                    QStringLiteral("Itens da mesa 16 depois do cancelamento"));
            const QList<QVariantMap> todos =
                w.linhas(QStringLiteral("itens_mesa"), daMesa(kMesaConta));
            if (!todos.isEmpty()) {
                w.igual(texto(todos.last(), "CDSUPERVISOR"), QStringLiteral("0099"),
                        QStringLiteral("Supervisor do cancelamento"));
            }
            w.confereMesa(kMesaConta, QStringLiteral("imgOcupada"), true);
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
                    // 50,00 on the credit card, 150,00 in cash: the rest is change.
                    paga(w, d,
                         {{QStringLiteral("50"), QStringLiteral("002")},
                          {QStringLiteral("150"), QStringLiteral("001")}},
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

Step cancelaAbertura() {
    return {QStringLiteral("cancela-abertura"),
            QStringLiteral("A mesa 19, aberta por engano, volta a ficar livre: a tela de "
                           "pedidos é deixada sem itens"),
            [](Walkthrough& w) {
                abreMesa(w, kMesaCancela, QStringLiteral("003"), QStringLiteral("2"), false);
                w.quandoAparecer(QStringLiteral("frmPedido"), [&w](QWidget& tela) {
                    w.foto();
                    toca(tela, QStringLiteral("btnSair"));
                });
            },
            [](Walkthrough& w) {
                w.igual(estado(w, kMesaCancela), QStringLiteral("D"),
                        QStringLiteral("Estado da mesa 19"));
                w.confere(w.linha(QStringLiteral("venda_aberta"), daMesa(kMesaCancela)).isEmpty(),
                          QStringLiteral("A mesa 19 ainda tem venda aberta."));
                w.confere(itens(w, kMesaCancela).isEmpty(),
                          QStringLiteral("A mesa 19 ainda tem itens."));
                w.confereMesa(kMesaCancela, QStringLiteral("imgLivre"));
            }};
}

const QList<Pedido> kPedidoBalcao = {{"20002", 2, 1}};

// The waiter of the list whose code is given, confirmed.
void escolheGarcom(QWidget& d, const QString& garcom) {
    auto* lista = qobject_cast<QListWidget*>(&controle(d, QStringLiteral("lstGarcons")));
    if (!lista) {
        throw StepAborted(QStringLiteral("lstGarcons não é uma lista."));
    }
    for (int i = 0; i < lista->count(); ++i) {
        if (lista->item(i)->text().startsWith(garcom + QStringLiteral(" - "))) {
            lista->setCurrentRow(i);
            toca(d, QStringLiteral("btnConfirmar"));
            return;
        }
    }
    throw StepAborted(QStringLiteral("A lista de garçons não tem o garçom %1.").arg(garcom));
}

Step vendaBalcao(std::shared_ptr<Dia> dia) {
    return {
        QStringLiteral("venda-balcao"),
        QStringLiteral("Pedidos: uma venda balcão é paga em dinheiro, com troco, sem ocupar mesa"),
        [dia](Walkthrough& w) {
            dia->vendasBalcao = quantasVendas(w, kMesaBalcao);
            w.quandoAparecer(QStringLiteral("dlgGarcom"),
                             [](QWidget& d) { escolheGarcom(d, QStringLiteral("001")); });
            w.quandoAparecer(QStringLiteral("frmPedido"), [&w](QWidget& tela) {
                auto* titulo = tela.findChild<QLabel*>(QStringLiteral("lblMesa"));
                w.igual(titulo ? titulo->text() : QString(), QStringLiteral("Venda balcão"),
                        QStringLiteral("Título da tela de pedidos"));
                pede(tela, kPedidoBalcao);
                auto* pagar =
                    qobject_cast<QAbstractButton*>(&controle(tela, QStringLiteral("btnEnviar")));
                w.igual(pagar ? pagar->text() : QString(), QStringLiteral("Pagar"),
                        QStringLiteral("Botão da venda balcão"));
                auto* total = tela.findChild<QLabel*>(QStringLiteral("lblTotal"));
                w.igual(total ? total->text() : QString(), QStringLiteral("Total: R$ 21,00"),
                        QStringLiteral("Total na tela de pedidos"));
                w.foto();
                // 50,00 in cash: the rest is change.
                w.quandoAparecer(QStringLiteral("Recebimento"), [&w](QWidget& d) {
                    auto* cabecalho = d.findChild<QLabel*>(QStringLiteral("lblTitulo"));
                    const QString texto = cabecalho ? cabecalho->text() : QString();
                    w.confere(texto.startsWith(QStringLiteral("Recebimento — Venda balcão")),
                              QStringLiteral("Título do recebimento da venda balcão: \"%1\".")
                                  .arg(texto));
                    paga(w, d, {{QStringLiteral("50"), QStringLiteral("001")}}, false);
                });
                toca(tela, QStringLiteral("btnEnviar"));
            });
            toca(w.mapa(), QStringLiteral("sbtPedidos"));
        },
        [dia](Walkthrough& w) {
            confereVendas(w, kMesaBalcao, dia->vendasBalcao, {{QStringLiteral("001")}});
            const QList<QVariantMap> vendas =
                w.linhas(QStringLiteral("vendas_mesa"), daMesa(kMesaBalcao));
            if (vendas.size() > dia->vendasBalcao) {
                const QVariantMap& venda = vendas.last();
                w.igual(venda.value(QStringLiteral("VRTOTVENDA")).toDouble(),
                        2 * demo::product("20002").price, QStringLiteral("Total da venda balcão"));
                w.igual(texto(venda, "CDVENDEDOR"), QStringLiteral("001"),
                        QStringLiteral("Garçom da venda balcão"));
            }
            w.igual(estado(w, kMesaBalcao), QStringLiteral("D"),
                    QStringLiteral("Estado da mesa de balcão"));
            w.confere(w.linha(QStringLiteral("venda_aberta"), daMesa(kMesaBalcao)).isEmpty(),
                      QStringLiteral("A mesa de balcão ainda tem venda aberta."));
            w.confere(itens(w, kMesaBalcao).isEmpty(),
                      QStringLiteral("A mesa de balcão ainda tem itens."));
            // The map is back as it was left.
            w.confereMesa(kMesaConta, QStringLiteral("imgLivre"));
            w.confereMesa(kMesaCancela, QStringLiteral("imgLivre"));
            w.confereMesa(kMesaPosicao, QStringLiteral("imgOcupada"));
        }};
}

Step trocaOperador() {
    return {QStringLiteral("troca-operador"),
            QStringLiteral("Troca Operador: Bruno Costa assume o caixa com a sua senha"),
            [](Walkthrough& w) {
                w.quandoAparecer(QStringLiteral("TrocaOperador"), [&w](QWidget& d) {
                    escreve(d, QStringLiteral("edtOperador"), QStringLiteral("0002"));
                    escreve(d, QStringLiteral("edtSenha"), QStringLiteral("2222"));
                    w.foto();
                    toca(d, QStringLiteral("btnConfirma"));
                });
                toca(w.mapa(), QStringLiteral("sbtTrocaOperador"));
            },
            [](Walkthrough& w) {
                auto* rodape = w.mapa().findChild<QLabel*>(QStringLiteral("lblRodape"));
                const QString texto = rodape ? rodape->text() : QString();
                w.confere(texto.contains(QStringLiteral("Bruno Costa")),
                          QStringLiteral("O rodapé mostra \"%1\" em vez do operador Bruno Costa.")
                              .arg(texto));
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
    return {mapaInicial(),     aberturaMesa(),
            pedido(),          segundaMesa(),
            juntaMesas(),      pessoas(),
            cancelaProduto(),  fechaConta(dia),
            recebimento(dia),  recebimentoNatureza(dia),
            pagamentoApp(dia), liberaPosicao(),
            cancelaAbertura(), vendaBalcao(dia),
            trocaOperador(),   resumoDoDia()};
}

} // namespace tmk::walkthrough
