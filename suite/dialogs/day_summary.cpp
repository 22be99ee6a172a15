#include "suite/dialogs/day_summary.h"

#include "external/common.h"
#include "platform/errors.h"
#include "suite/devices/fiscal_amounts.h"
#include "suite/devices/printouts.h"
#include "suite/dialogs/dialogs_query.h"
#include "suite/dialogs/suite_dialogs.h"

namespace tmk {

DaySummary DaySummary::read(QSqlDatabase db, const TillIdentity& till) {
    if (!till.dtAberCaixa.isValid()) {
        throw AppError(QStringLiteral("O caixa %1 não tem abertura registrada: não há resumo do "
                                      "dia a imprimir.")
                           .arg(till.cdCaixa));
    }
    DaySummary s;
    s.abertura = till.dtAberCaixa;
    const QVariantMap binds{{QStringLiteral(":P_CDFILIAL"), till.cdFilial},
                            {QStringLiteral(":P_CDLOJA"), till.cdLoja},
                            {QStringLiteral(":P_CDCAIXA"), till.cdCaixa},
                            {QStringLiteral(":P_DTABERCAIXA"), till.dtAberCaixa}};
    const QString failure =
        QStringLiteral("Não foi possível ler as vendas do caixa %1.").arg(till.cdCaixa);
    QSqlQuery vendas = runDialogStatement(db, QStringLiteral("resumo_vendas"), binds, failure);
    while (vendas.next()) {
        const QString situacao = columnText(vendas, 0);
        if (situacao == QLatin1String("O")) {
            s.concluidas += vendas.value(1).toInt();
            s.produtos += vendas.value(2).toDouble();
            s.taxaServico += vendas.value(3).toDouble();
        } else if (situacao == QLatin1String("C")) {
            s.canceladas += vendas.value(1).toInt();
            s.valorCanceladas += vendas.value(2).toDouble();
        }
    }
    vendas.finish();
    QSqlQuery recebidos =
        runDialogStatement(db, QStringLiteral("resumo_recebimentos"), binds, failure);
    while (recebidos.next()) {
        const double valor = recebidos.value(2).toDouble();
        if (columnText(recebidos, 0) == QLatin1String("S")) {
            s.troco += valor;
        } else {
            const QString tipo = columnText(recebidos, 1);
            s.recebimentos.append({tipo.isEmpty() ? QStringLiteral("(sem tipo)") : tipo, valor});
        }
    }
    return s;
}

QString DaySummary::print(const TillIdentity& till, const QString& nomeFilial,
                          const QDateTime& quando) const {
    const auto money = [](double v) {
        return reais(toCents(v));
    };
    PrintDocument d;
    d.titulo = QStringLiteral("RESUMO DE VENDAS DO DIA");
    if (!nomeFilial.isEmpty()) {
        d.cabecalho << nomeFilial;
    }
    d.cabecalho << QStringLiteral("Filial %1 - Loja %2 - Caixa %3")
                       .arg(till.cdFilial, till.cdLoja, till.cdCaixa);
    d.cabecalho << QStringLiteral("Abertura do caixa: %1").arg(brDateTime(abertura));
    d.totais << PrintDocument::Total{QStringLiteral("Produtos"), produtos, false}
             << PrintDocument::Total{QStringLiteral("Taxa de serviço"), taxaServico, false}
             << PrintDocument::Total{QStringLiteral("TOTAL VENDIDO R$"), total(), true};
    PrintDocument::Section vendas{QStringLiteral("Vendas"), {}};
    vendas.linhas << qMakePair(QStringLiteral("Concluídas"), QString::number(concluidas));
    vendas.linhas << qMakePair(QStringLiteral("Ticket médio"),
                               money(concluidas > 0 ? RoundDec(produtos / concluidas, 2) : 0.0));
    vendas.linhas << qMakePair(QStringLiteral("Canceladas"), QString::number(canceladas));
    if (canceladas > 0) {
        vendas.linhas << qMakePair(QStringLiteral("Valor cancelado"), money(valorCanceladas));
    }
    d.secoes << vendas;
    PrintDocument::Section recebido{QStringLiteral("Recebimentos"), {}};
    if (recebimentos.isEmpty()) {
        recebido.linhas << qMakePair(QStringLiteral("Nenhum recebimento"), QString());
    }
    for (const auto& [tipo, valor] : recebimentos) {
        recebido.linhas << qMakePair(tipo, money(valor));
    }
    if (troco > 0) {
        recebido.linhas << qMakePair(QStringLiteral("Troco"), QStringLiteral("- ") + money(troco));
    }
    d.secoes << recebido;
    if (!till.nmOperador.isEmpty()) {
        d.rodape << QStringLiteral("Operador: %1").arg(till.nmOperador);
    }
    d.rodape << QStringLiteral("Documento sem valor fiscal");
    return printDocument(d, QStringLiteral("Resumo"), till.cdCaixa, quando);
}

void SuiteDialogs::RelFiscais() {
    try {
        const TillIdentity till = TillIdentity::read();
        const DaySummary resumo = DaySummary::read(db_, till);
        const QString arquivo = resumo.print(till, nomeFilial(till.cdFilial));
        showMessage(QStringLiteral("Resumo de vendas do dia impresso em %1.").arg(arquivo),
                    MsgInformacao);
    } catch (const AppError& e) {
        showMessage(e.message(), MsgErro);
    }
}

} // namespace tmk
