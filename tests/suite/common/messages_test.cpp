#include "external/common.h"
#include "tests/suite/print_qstring.h"

#include <gtest/gtest.h>
#include <iterator>
#include <utility>

namespace tmk {
namespace {

// The keys of the table screen's catalogue, in catalogue order.
const char* const catalogueKeys[] = {"Porta_N_Enc",
                                     "Desligar",
                                     "Desligar",
                                     "Mesa_Rec",
                                     "ERRO_IMPRESSORA",
                                     "Mesa_N_Sol",
                                     "OPE_CONTA",
                                     "CUPOM_CANC",
                                     "VENDA_CANC",
                                     "MSG_Pedido",
                                     "MSG_Senha",
                                     "MSG_Posicao",
                                     "MSG_Garcom",
                                     "MSG_Comanda",
                                     "MSG_Mesa",
                                     "MSG_Sub_Total",
                                     "Restaurante",
                                     "FILIAL",
                                     "Principal",
                                     "Mesa",
                                     "Operador",
                                     "boMesa",
                                     "boComanda",
                                     "Versao",
                                     "Loja",
                                     "Caixa",
                                     "Conex_Err",
                                     "MESA_N_ENC1",
                                     "MESA_N_ENC",
                                     "Mesa_Disp",
                                     "Mesa_Reserv",
                                     "Mesa_Conta_Soli",
                                     "Oper_S_Aces",
                                     "Desc_Serv",
                                     "Ver_Reserva",
                                     "Res_Inex",
                                     "Alter_N_Pes",
                                     "Mesa_Alter_Disp",
                                     "Mesa_Alter_OK",
                                     "Mesa_Alter_Fail",
                                     "OBSNINFO",
                                     "LIB_MESA",
                                     "OPE_MESA_DISP",
                                     "OPE_MESA_CONTASOLI",
                                     "Mesa_N_Conf",
                                     "Conf_Reserva",
                                     "Sair",
                                     "Vend_Padrao",
                                     "Mesa_LIB",
                                     "OPE_MESA_OCUP",
                                     "OPE_MESA_RECEB",
                                     "Caixa_Fechado",
                                     "NrPes_Alt",
                                     "Gaveta_Aberta",
                                     "MESANINF",
                                     "MESANCAD",
                                     "TRANSOK",
                                     "MESA_NCONTS",
                                     "MESA_LIVRE",
                                     "MESA_ABERTA",
                                     "INF_MESA",
                                     "TECLADO",
                                     "LIBERAR",
                                     "RESERVA",
                                     "MESA_NCAD",
                                     "MESA_FREE",
                                     "TITULO",
                                     "InfoQtde_INV",
                                     "MESA_SOLI",
                                     "MESA_RECE",
                                     "NRPESSOA",
                                     "INF_NRPESSOA",
                                     "PESSOAINF",
                                     "CANC_ABER",
                                     "Mesa_Canc",
                                     "Mesa_N_Canc",
                                     "FECHACONTA",
                                     "GAV_S_PAR",
                                     "Troca_Nao",
                                     "CloseProc",
                                     "MES_JUN",
                                     "CMD_ITCAD",
                                     "Pagina",
                                     "cx_coletor",
                                     "MESA_TRAVADA",
                                     "CANC_ITEM",
                                     "Mot_Lib_Mes",
                                     "Mot_Par_Cnt",
                                     "Mot_Par_Cnt1",
                                     "Canc_Aber2",
                                     "Can_Aber",
                                     "Mot_Lib_Mes1",
                                     "Mot_Alt_Pes1",
                                     "Mot_Abr_Gav",
                                     "Mot_Alt_Pes",
                                     "Mot_Can_Mes1",
                                     "Mot_Can_Mes",
                                     "MESA_ITCAD",
                                     "CMD_OK",
                                     "PROD_COMANDA",
                                     "TecNum",
                                     "Inf_Oper",
                                     "OPER_DEVE",
                                     "DEL_ITC",
                                     "DEL_CMD",
                                     "DEL_RES",
                                     "DEL_ICM",
                                     "NAT_PROD",
                                     "Beneficio_Cad",
                                     "Emit_nota_sat",
                                     "CONS_N_INF",
                                     "Canc_Aber1",
                                     "Falha_Conex_SAT",
                                     "ERRO_COM_SAT",
                                     "Fecha_Caixa",
                                     "NrPessoas_Maior",
                                     "QTD_POS",
                                     "Mesa_receb",
                                     "MESA_DLV_EATTK",
                                     "MESA_CMD_ERRO",
                                     "MOB_POS_PAG",
                                     "ABRE_MESA",
                                     "ABE_ERR",
                                     "RECEBCONTA",
                                     "MESA_N_DEVOLVIDA",
                                     "LIMPA_MESA_ERRO",
                                     "NFCE_CONTING",
                                     "VENDA_FALHA_AUT",
                                     "VENDA_N_GRAVADA",
                                     "TIPO_RECE_APP",
                                     "SAT_RESP_INV",
                                     "IMPRESSAO_FALHA",
                                     "RECEB_FALHA",
                                     "Mesa_Rec_Caixa",
                                     "RECEB_RETOMADA",
                                     "VENDA_OUTRO_CAIXA"};

// Texts the screen quotes for its keys, character for character.
const std::pair<const char*, const char*> quotedTexts[] = {
    {"Mesa_Rec", "Operação bloqueada. A mesa está sendo recebida por outro caixa."},
    {"ERRO_IMPRESSORA",
     "Ocorreu um erro com a impressora fiscal. Nem todas as operações poderão ser realizadas."},
    {"Mesa_N_Sol", "Operação bloqueada. A mesa não está com a conta solicitada."},
    {"CUPOM_CANC", "Ocorreu um erro ao gravar as vendas. O cupom será cancelado na impressora "
                   "fiscal. O recebimento da mesa terá de ser realizado novamente."},
    {"VENDA_CANC", "Ocorreu um erro na transmissão para o SAT. A venda será cancelado no banco de "
                   "dados. O recebimento da mesa terá de ser realizado novamente."},
    {"FILIAL", "Filial"},
    {"Loja", "Loja"},
    {"Caixa", "Caixa"},
    {"MESA_N_ENC1", "Mesa configurada como padrão ou não encontrada. Verifique no sistema Vendicor "
                    "se a mesa informada está devidamente cadastrada na loja."},
    {"MESA_N_ENC", "Mesa não encontrada."},
    {"Mesa_Disp", "Operação bloqueada. Uma mesa disponível não pode ser cancelada."},
    {"Mesa_Conta_Soli", "Operação bloqueada. Mesa com conta Solicitada. "},
    {"Res_Inex", "Não existem reservas para esta mesa."},
    {"OPE_MESA_DISP", "Operação bloqueada. A mesa está disponível."},
    {"OPE_MESA_CONTASOLI", "Operação bloqueada. A mesa está com a conta solicitada."},
    {"Conf_Reserva", "A mesa %s está reservada de %s às %s. Deseja continuar?"},
    {"Sair", "Deseja sair do sistema?"},
    {"Mesa_LIB", "Mesa liberada com sucesso."},
    {"OPE_MESA_RECEB", "Operação bloqueada. A conta da mesa está sendo recebida."},
    {"Caixa_Fechado", "O caixa %s não está aberto."},
    {"NrPes_Alt", "Número de pessoas alterado com sucesso."},
    {"Gaveta_Aberta", "Operação não permitida com a gaveta aberta. "},
    {"MESANINF", "Mesa deve ser informada."},
    {"MESANCAD", "Mesa não cadastrada."},
    {"MESA_NCONTS", "Operação bloqueada. Mesa informada está com a conta solicitada."},
    {"MESA_LIVRE", "Operação bloqueada. Mesa informada está livre."},
    {"MESA_ABERTA", "Operação bloqueada. Mesa informada está aberta."},
    {"INF_MESA", "Informe o número da mesa"},
    {"TECLADO", "Teclado Numérico"},
    {"LIBERAR", "Liberar Mesa"},
    {"RESERVA", "Consultar Reserva"},
    {"MESA_NCAD", "Mesa não cadastrada."},
    {"MESA_FREE", "Operação bloqueada. Mesa informada não está ocupada."},
    {"InfoQtde_INV", "Quantidade informada inválida."},
    {"MESA_SOLI", "Operação bloqueada. A mesa informada está com a conta solicitada."},
    {"MESA_RECE", "Operação bloqueada. A mesa informada está sendo recebida."},
    {"NRPESSOA", "Alterar número de pessoas"},
    {"INF_NRPESSOA", "Informe o número de pessoas"},
    {"PESSOAINF", "Número de pessoas deve ser informado."},
    {"CANC_ABER", "Cancelar Abertura Mesa"},
    {"Mesa_Canc", "Cancelamento de abertura realizado com sucesso."},
    {"FECHACONTA", "Fechamento de Conta"},
    {"GAV_S_PAR", "Não há gaveta parametrizada."},
    {"Troca_Nao", "Parametrização não permite realizar troca de operador."},
    {"MES_JUN", "Não é possível cancelar a abertura de uma mesa que esteja agrupada. A mesa deve "
                "ser separada do agrupamento."},
    {"Pagina", "PÁGINA  "},
    {"cx_coletor",
     "Operação bloqueada. Caixa coletor não tem permissão para realizar recebimento."},
    {"MESA_TRAVADA", "A mesa %s pode está sendo recebida por outro caixa. Deseja continuar?"},
    {"CANC_ITEM", "Cancela Produto"},
    {"Mot_Lib_Mes", "Mesa liberada nº:"},
    {"Mot_Par_Cnt", "Impressão parcial da conta da mesa nº"},
    {"Mot_Par_Cnt1", "Parcial da conta."},
    {"Canc_Aber2", "Cancelamento de abertura da mesa nº"},
    {"Mot_Lib_Mes1", "Liberar mesa."},
    {"Mot_Alt_Pes1", "Altera nº de pessoas na mesa."},
    {"Mot_Abr_Gav", "Abrir gaveta."},
    {"Mot_Alt_Pes", "Alterado nº de pessoas da mesa nº"},
    {"MESA_ITCAD",
     "Cancelamento de Abertura não permitido. Existem itens para a mesa informada. Mesmo que estes "
     "itens estejam cancelados a abertura desta mesa não pode ser cancelada. Para liberar essa "
     "mesa deverá ser realizado o procedimento normal de fechamento."},
    {"DEL_ITC", "Itens sem registro na tabela comandaven deletados."},
    {"DEL_CMD", "Comandas sem registro na tabela vendarest deletadas."},
    {"DEL_RES", "Registros da tabela vendarest sem registro na tabela comandaven deletados."},
    {"DEL_ICM", "Deletados itens de comandas que não possuem registro na VendaRest."},
    {"NAT_PROD", "Deseja separar os cupons por natureza de produto ?"},
    {"Beneficio_Cad",
     "Benefício não gerado para o Consumidor. O cartão informado já possuí benefícios inseridos."},
    {"CONS_N_INF", "Consumidor não informado. Benefícios não serão gerados para esta venda."},
    {"Canc_Aber1", "Cancelamento de abertura de mesa."},
    {"Fecha_Caixa", "Atenção! Não é possível realizar nenhuma venda até o fechamento do caixa."},
    {"NrPessoas_Maior", "Número máximo de pessoas ultrapassou o limite máximo parametrizado."},
    {"QTD_POS", "Operação bloqueada! A quantidade de pessoas não pode ser menor que o número de "
                "posições ocupadas."},
    {"Mesa_receb",
     "Atenção! Esta mesa já foi recebida, ao clicar em OK, ela será liberada para uso."},
    {"MESA_DLV_EATTK", "Operação bloqueada. Mesa associada ao pedido %s da venda delivery. Favor "
                       "encerrar o pedido para utilizar a mesa."},
    {"MESA_CMD_ERRO", "Operação bloqueada. Mesa associada à comanda %s que está aberta. Favor "
                      "encerrar a comanda para utilizar esta mesa."},
    {"MOB_POS_PAG", "Operação bloqueada. O pagamento por posição já foi iniciado no Ulvar Pos, "
                    "será necessário terminar o processo pelo próprio Ulvar Pos."},
    {"ABRE_MESA", "Abertura de mesa"},
    {"ABE_ERR", "Except na abertura"},
    {"RECEBCONTA", "Recebimento de conta"},
};

TEST(MessageCatalogue, HoldsTheEntriesInOrder) {
    const auto& entries = msgPadrao().entries();
    const int expected = int(std::size(catalogueKeys));
    ASSERT_EQ(entries.size(), expected);
    for (int i = 0; i < expected; ++i) {
        EXPECT_EQ(entries.at(i).first, QString::fromUtf8(catalogueKeys[i])) << "entry " << i;
        EXPECT_FALSE(entries.at(i).second.trimmed().isEmpty()) << catalogueKeys[i];
    }
    EXPECT_EQ(msgPadrao().count(), expected - 1); // "Desligar" is there twice
}

TEST(MessageCatalogue, DesligarTwiceWithTheSameText) {
    QStringList texts;
    for (const auto& [key, text] : msgPadrao().entries()) {
        if (key == QLatin1String("Desligar")) {
            texts << text;
        }
    }
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts.at(0), texts.at(1));
}

TEST(MessageCatalogue, QuotedTextsAreExact) {
    for (const auto& [key, text] : quotedTexts) {
        EXPECT_EQ(msgPadrao().Msg(QString::fromUtf8(key)), QString::fromUtf8(text)) << key;
    }
}

TEST(MessageCatalogue, FooterLineWithTheShippedTexts) {
    const TMessages& m = msgPadrao();
    const QString footer =
        m.Msg("FILIAL") + ": 1 - " + m.Msg("Loja") + ": 2 - " + m.Msg("Caixa") + ": 3 - Ana";
    EXPECT_EQ(footer, "Filial: 1 - Loja: 2 - Caixa: 3 - Ana");
    EXPECT_EQ(m.Msg("Pagina") + "1", QString::fromUtf8("PÁGINA  1"));
}

TEST(MessageCatalogue, LookupIgnoresLetterCase) {
    const TMessages& m = msgPadrao();
    EXPECT_EQ(m.Msg("Mesa_N_Enc1"), m.Msg("MESA_N_ENC1"));
    EXPECT_FALSE(m.Msg("Mesa_N_Enc1").isEmpty());
    EXPECT_EQ(m.Msg("mesa_receb"), m.Msg("Mesa_receb"));
    EXPECT_TRUE(m.contains("gaveta_aberta"));
    EXPECT_FALSE(m.contains("NAO_EXISTE"));
    EXPECT_EQ(m.Msg("NAO_EXISTE"), QString());
}

TEST(MessageCatalogue, PlaceholdersOnlyWhereTheCallerFillsThem) {
    const QStringList withPlaceholders = {
        "Conf_Reserva",    "Caixa_Fechado",    "MESA_TRAVADA",    "MESA_DLV_EATTK",
        "MESA_CMD_ERRO",   "MESA_N_DEVOLVIDA", "LIMPA_MESA_ERRO", "NFCE_CONTING",
        "VENDA_FALHA_AUT", "VENDA_N_GRAVADA",  "TIPO_RECE_APP",   "IMPRESSAO_FALHA",
        "RECEB_FALHA",     "Mesa_Rec_Caixa",   "RECEB_RETOMADA",  "VENDA_OUTRO_CAIXA"};
    for (const auto& [key, text] : msgPadrao().entries()) {
        EXPECT_EQ(text.contains("%s"), withPlaceholders.contains(key)) << key.toStdString();
    }
}

TEST(TMessages, ParsesKeyBarTextLines) {
    TMessages m({"A|um", "b | dois ", "C|tres|quatro", "semchave", "", "|sem chave", "a|outro",
                 "D|com cr\r"});
    EXPECT_EQ(m.keys(), QStringList({"A", "b", "C", "D"}));
    EXPECT_EQ(m.entries().size(), 5);
    EXPECT_EQ(m.Msg("a"), "um");          // the first of a repeated key
    EXPECT_EQ(m.Msg("B"), " dois ");      // text kept as written
    EXPECT_EQ(m.Msg("c"), "tres|quatro"); // split at the first bar only
    EXPECT_EQ(m.Msg("d"), "com cr");
    m.setLines({"X|x"});
    EXPECT_EQ(m.count(), 1);
    EXPECT_FALSE(m.contains("A"));
}

} // namespace
} // namespace tmk
