#include "tests/service/test_account_lists_fixture.h"

#include "service/account_lists.h"

#include <QSqlError>
#include <QSqlQuery>

namespace tmk::test {

namespace {
QVariantMap merged(QVariantMap row, const QVariantMap& extra) {
    for (auto it = extra.cbegin(); it != extra.cend(); ++it) {
        row.insert(it.key(), it.value());
    }
    return row;
}
} // namespace

void AccountListsFixture::SetUp() {
    ServiceFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) {
        return;
    }
    insert("FILIAL", {{"CDFILIAL", kFilial}, {"NMFILIAL", "Centro"}, {"CDEMPRESA", "0007"}});
    insert("OPERADOR", {{"CDOPERADOR", "OP1"}, {"NMOPERADOR", "Ana Caixa"}});
    insert("IMPOSTO", {{"CDIMPOSTO", "T18"}, {"NMIMPOSTO", "ICMS 18"}, {"IDTPIMPOSFIS", "T"}});
    insert("CONFTELA", {{"CDFILIAL", kFilial}, {"NRCONFTELA", kConfTela}, {"CDLOJA", "01"}});
    sale(kVenda);
    tab("0001");
}

void AccountListsFixture::product(const QString& cdProduto, const QString& nome,
                                  const QString& nomeFiscal, bool taxed) {
    insert("PRODUTO", {{"CDPRODUTO", cdProduto},
                       {"NMPRODUTO", nome},
                       {"NMPRODIMPFIS", nomeFiscal.isEmpty() ? QVariant() : QVariant(nomeFiscal)},
                       {"SGUNIDADE", "UN"},
                       {"CDBARPRODUTO", QStringLiteral("789") + cdProduto},
                       {"CDCLASFISC", "22021000"},
                       {"CDARVPROD", QStringLiteral("ARV") + cdProduto},
                       {"IDCOBTXSERV", "S"},
                       {"IDPRODIMPFIS", "S"}});
    if (taxed) {
        insert("ALIQIMPFIS", {{"CDFILIAL", kFilial},
                              {"CDPRODUTO", cdProduto},
                              {"CDIMPOSTO", "T18"},
                              {"VRPEALIMPFIS", 18.0}});
    }
}

void AccountListsFixture::button(const QString& cdProduto, const QVariant& nature,
                                 const QString& tipo, const QString& nrButton) {
    static int next = 0;
    insert("ITMENUCONFTE",
           {{"CDFILIAL", kFilial},
            {"NRCONFTELA", kConfTela},
            {"IDTPBUTTON", tipo},
            {"NRBUTTONAUX", ""},
            {"NRPGCONFTELA", 1},
            {"NRBUTTON",
             nrButton.isEmpty() ? QString::number(++next).rightJustified(2, '0') : nrButton},
            {"DSBUTTON", cdProduto},
            {"CDIDENTBUTON", cdProduto},
            {"CDNATPRODUTO", nature}});
}

void AccountListsFixture::sale(const QString& nrVendaRest, const QVariantMap& extra) {
    insert("VENDAREST", merged({{"CDFILIAL", kFilial},
                                {"NRVENDAREST", nrVendaRest},
                                {"CDLOJA", "01"},
                                {"NRMESA", "0010"},
                                {"CDVENDEDOR", "V1"},
                                {"CDOPERADOR", "OP1"},
                                {"NRPESMESAVEN", 2.0},
                                {"DTHRABERMESA", kAbertura},
                                {"NMCONSVEND", "Mesa dez"}},
                               extra));
}

void AccountListsFixture::tab(const QString& nrComanda, const QVariantMap& extra,
                              const QString& nrVendaRest) {
    insert("COMANDAVEN", merged({{"CDFILIAL", kFilial},
                                 {"NRVENDAREST", nrVendaRest},
                                 {"NRCOMANDA", nrComanda},
                                 {"CDLOJA", "01"},
                                 {"DSCOMANDA", QStringLiteral("RES_") + nrComanda},
                                 {"IDSTCOMANDA", "1"},
                                 {"VRDESCOMANDA", 0.0},
                                 {"VRCOMISVENDE", 4.5},
                                 {"VRACRCOMANDA", 0.0}},
                                extra));
}

void AccountListsFixture::item(const QString& nrProdComVen, const QString& cdProduto,
                               double quantidade, double preco, const QVariantMap& extra) {
    insert("ITCOMANDAVEN", merged({{"CDFILIAL", kFilial},
                                   {"NRVENDAREST", kVenda},
                                   {"NRCOMANDA", "0001"},
                                   {"NRPRODCOMVEN", nrProdComVen},
                                   {"CDLOJA", "01"},
                                   {"CDPRODUTO", cdProduto},
                                   {"QTPRODCOMVEN", quantidade},
                                   {"VRPRECCOMVEN", preco},
                                   {"VRPRECCLCOMVEN", 0.0},
                                   {"VRDESCCOMVEN", 0.0},
                                   {"VRACRCOMVEN", 0.0},
                                   {"IDSTPRCOMVEN", "1"},
                                   {"IDPRODREFIL", "N"},
                                   {"QTITEMREFIL", 0.0},
                                   {"NRLUGARMESA", "01"},
                                   {"DTHRINCOMVEN", kAbertura.addSecs(60 * nrProdComVen.toInt())},
                                   {"CDVENDEDOR", "V2"}},
                                  extra));
}

DataPacket AccountListsFixture::lista(const QString& tabs, const QString& nature) {
    return packetOf(getListaComanda(*dm, kFilial, tabs, nature, kConfTela));
}

DataPacket AccountListsFixture::canceladas(const QString& tabs, const QString& nature) {
    return packetOf(getListaComandaCanc(*dm, kFilial, tabs, nature, kConfTela));
}

void AccountListsFixture::ddl(const QString& text) {
    QSqlQuery q(db->connection());
    EXPECT_TRUE(q.exec(text)) << text.toStdString() << ": " << q.lastError().text().toStdString();
}

QStringList AccountListsFixture::column(const DataPacket& p, const QString& name) {
    QStringList values;
    const int index = p.fieldIndex(name);
    EXPECT_GE(index, 0) << "no column " << name.toStdString();
    for (const QVariantList& row : p.rows) {
        values << (index >= 0 ? row.value(index).toString() : QString());
    }
    return values;
}

QStringList AccountListsFixture::names(const DataPacket& p) {
    QStringList result;
    for (const FieldDef& f : p.fields) {
        result << f.name.toUpper();
    }
    return result;
}

} // namespace tmk::test
