#include "tests/suite/sales/sale_fixture.h"

#include "db/schema.h"
#include "platform/till_folder.h"
#include "tests/db/table_rows.h"
#include "tests/suite/devices/fiscal_samples.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace tmk::sales_test {

namespace {

QString s(const char* t) {
    return QString::fromUtf8(t);
}

void bindAll(QSqlQuery& q, const QVariantMap& binds) {
    for (auto it = binds.cbegin(); it != binds.cend(); ++it) {
        q.bindValue(QLatin1Char(':') + it.key(),
                    test::bindable(test::TestDatabase::dialect(), it.value()));
    }
}

} // namespace

void SaleStore::SetUp() {
    DatabaseTest::SetUp();
    if (HasFatalFailure() || IsSkipped()) {
        return;
    }
    ASSERT_TRUE(till_.isValid());
    setTillFolder(till_.path());
    devices_test::writeTillParameters();

    insert("FILIAL",
           {{"CDFILIAL", s(kFilial)}, {"NMFILIAL", "Restaurante Teste"}, {"CDEMPRESA", "0001"}});
    insert("LOJA", {{"CDFILIAL", s(kFilial)}, {"CDLOJA", s(kLoja)}, {"NMLOJA", "Salão"}});
    insert("PARAVEND", {{"CDFILIAL", s(kFilial)}, {"CDCLIENTE", "000001"}, {"CDCCUSCLIE", "CC1"}});
    insert("IMPOSTO", {{"CDIMPOSTO", "ICMS18"}, {"NMIMPOSTO", "ICMS 18%"}, {"IDTPIMPOSFIS", "T"}});
    insert("IMPOSTO", {{"CDIMPOSTO", "ICMSST"}, {"NMIMPOSTO", "ICMS ST"}, {"IDTPIMPOSFIS", "F"}});
    insert("IMPOSTO", {{"CDIMPOSTO", "ISS05"}, {"NMIMPOSTO", "ISS 5%"}, {"IDTPIMPOSFIS", "S"}});
    struct P {
        const char* code;
        const char* name;
        const char* ncm;
        double price;
        const char* tax;
        double rate;
        QVariant fed;
        QVariant est;
    };
    for (const P& p : {P{"10001", "PICANHA NA CHAPA", "02013000", 89.90, "ICMS18", 18, 13.45, 18.0},
                       P{"20001", "REFRIGERANTE LATA", "22021000", 7.00, "ICMSST", 0, 10.0, {}},
                       P{"10002", "SALADA CAESAR", "21069090", 32.00, "ICMS18", 18, {}, {}},
                       P{"90003", "COUVERT ARTISTICO", "00000000", 15.00, "ISS05", 5, {}, {}}}) {
        insert("PRODUTO", {{"CDPRODUTO", s(p.code)},
                           {"NMPRODUTO", s(p.name)},
                           {"NMPRODIMPFIS", s(p.name)},
                           {"SGUNIDADE", "UN"},
                           {"CDCLASFISC", s(p.ncm)},
                           {"VRPRECPROD", p.price},
                           {"VRPETRIBFED", p.fed},
                           {"VRPETRIBEST", p.est}});
        insert("ALIQIMPFIS", {{"CDFILIAL", s(kFilial)},
                              {"CDPRODUTO", s(p.code)},
                              {"CDIMPOSTO", s(p.tax)},
                              {"VRPEALIMPFIS", p.rate}});
    }
    for (const char* mesa : {"0007", "0012", "0013", "0014"}) {
        insert("MESA", {{"CDFILIAL", s(kFilial)},
                        {"CDLOJA", s(kLoja)},
                        {"NRMESA", s(mesa)},
                        {"IDSTMESA", "A"},
                        {"IDSTMESAAUX", QString::fromLatin1(mesa) == "0007" ? "R" : "O"}});
    }
    // Table 0007 and the joined tables 0012 and 0013, each with its sale and tab.
    struct Sale {
        const char* mesa;
        const char* venda;
        const char* comanda;
    };
    for (const Sale& v :
         {Sale{"0007", "000100000007", "000101"}, Sale{"0012", "000100000012", "000112"},
          Sale{"0013", "000100000013", "000113"}, Sale{"0014", "000100000014", "000114"}}) {
        insert("VENDAREST", {{"CDFILIAL", s(kFilial)},
                             {"NRVENDAREST", s(v.venda)},
                             {"CDLOJA", s(kLoja)},
                             {"NRMESA", s(v.mesa)},
                             {"CDCAIXA", s(kCaixa)},
                             {"DTHRABERMESA", abertura.addSecs(3600)}});
        insert("COMANDAVEN", {{"CDFILIAL", s(kFilial)},
                              {"NRVENDAREST", s(v.venda)},
                              {"NRCOMANDA", s(v.comanda)},
                              {"CDLOJA", s(kLoja)},
                              {"DSCOMANDA", QStringLiteral("RES_") + s(v.mesa)},
                              {"IDSTCOMANDA", "2"}});
        int n = 0;
        for (const char* produto : {"10001", "20001", "90003"}) {
            insert("ITCOMANDAVEN",
                   {{"CDFILIAL", s(kFilial)},
                    {"NRVENDAREST", s(v.venda)},
                    {"NRCOMANDA", s(v.comanda)},
                    {"NRPRODCOMVEN", QStringLiteral("%1").arg(++n, 6, 10, QLatin1Char('0'))},
                    {"CDLOJA", s(kLoja)},
                    {"CDPRODUTO", s(produto)},
                    {"QTPRODCOMVEN", 1.0},
                    {"VRPRECCOMVEN", 10.0},
                    {"IDSTPRCOMVEN", "1"},
                    {"IDPRODREFIL", "N"}});
        }
        insert("ITCOMANDAVEN", {{"CDFILIAL", s(kFilial)},
                                {"NRVENDAREST", s(v.venda)},
                                {"NRCOMANDA", s(v.comanda)},
                                {"NRPRODCOMVEN", "000009"},
                                {"CDLOJA", s(kLoja)},
                                {"CDPRODUTO", "20001"},
                                {"QTPRODCOMVEN", 1.0},
                                {"VRPRECCOMVEN", 7.0},
                                {"IDSTPRCOMVEN", "6"},
                                {"IDPRODREFIL", "N"}});
    }
    insert("JUNCAOMESA",
           {{"CDFILIAL", s(kFilial)}, {"CDLOJA", s(kLoja)}, {"NRJUNMESA", "0000000001"}});
    for (const char* mesa : {"0012", "0013"}) {
        insert("MESAJUNCAO", {{"CDFILIAL", s(kFilial)},
                              {"CDLOJA", s(kLoja)},
                              {"NRJUNMESA", "0000000001"},
                              {"NRMESA", s(mesa)}});
    }
}

void SaleStore::insert(const QString& table, const QVariantMap& row) {
    QSqlDatabase c = db();
    QString error;
    const db::Table* t = db::schema().table(table);
    ASSERT_NE(t, nullptr) << table.toStdString();
    QVariantMap clean;
    for (auto it = row.cbegin(); it != row.cend(); ++it) {
        if (it.value().isValid()) {
            clean.insert(it.key(), it.value());
        }
    }
    ASSERT_TRUE(test::insertRow(c, *t, clean, &error))
        << table.toStdString() << ": " << error.toStdString();
}

void SaleStore::exec(const QString& sql) {
    QSqlQuery q(db());
    ASSERT_TRUE(q.exec(sql)) << sql.toStdString() << ": " << q.lastError().text().toStdString();
}

QList<QVariantMap> SaleStore::rows(const QString& sql, const QVariantMap& binds) {
    QSqlQuery q(db());
    QList<QVariantMap> out;
    if (!q.prepare(sql)) {
        ADD_FAILURE() << sql.toStdString() << ": " << q.lastError().text().toStdString();
        return out;
    }
    bindAll(q, binds);
    if (!q.exec()) {
        ADD_FAILURE() << sql.toStdString() << ": " << q.lastError().text().toStdString();
        return out;
    }
    while (q.next()) {
        QVariantMap row;
        const QSqlRecord r = q.record();
        for (int c = 0; c < r.count(); ++c) {
            row.insert(r.fieldName(c).toUpper(), q.value(c));
        }
        out << row;
    }
    return out;
}

QVariant SaleStore::value(const QString& sql, const QVariantMap& binds) {
    const QList<QVariantMap> r = rows(sql, binds);
    return r.isEmpty() || r.first().isEmpty() ? QVariant() : r.first().first();
}

qlonglong SaleStore::count(const QString& sql, const QVariantMap& binds) {
    return value(sql, binds).toLongLong();
}

QString SaleStore::footprint() {
    QStringList parts;
    for (const char* table : {"VENDA", "ITEMVENDA", "ITVENDACAN", "MOVCAIXA"}) {
        parts << QStringLiteral("%1=%2").arg(s(table)).arg(
            count(QStringLiteral("SELECT COUNT(*) FROM %1").arg(s(table))));
    }
    parts << QStringLiteral("contador=%1")
                 .arg(value(QStringLiteral(
                                "SELECT NRSEQUENCIAL FROM NOVOCODIGO WHERE CDCONTADOR = :C"),
                            {{"C", QStringLiteral("PEDIDOVENDA0001001")}})
                          .toString());
    return parts.join(QLatin1Char(' '));
}

DataPacket SaleStore::itens7() {
    DataPacket p;
    p.fields = {{"NRPRODCOMVEN", FieldType::Text, 10}, {"CDFILIAL", FieldType::Text, 4},
                {"NRVENDAREST", FieldType::Text, 15},  {"NRCOMANDA", FieldType::Text, 10},
                {"CDPRODUTO", FieldType::Text, 20},    {"NMPRODUTO", FieldType::Text, 60},
                {"SGUNIDADE", FieldType::Text, 6},     {"CDCLASFISC", FieldType::Text, 10},
                {"QTPRODCOMVEN", FieldType::Float, 0}, {"VRPRECCOMVEN", FieldType::Float, 0},
                {"VRUNITVENDCL", FieldType::Float, 0}, {"VRDESCCOMVEN", FieldType::Float, 0},
                {"VRACRCOMVEN", FieldType::Float, 0},  {"IDTPIMPOSFIS", FieldType::Text, 2},
                {"VRPEALIMPFIS", FieldType::Float, 0}, {"IDCONFIGPROD", FieldType::Text, 3},
                {"VRTXSERVICO", FieldType::Float, 0},  {"VRDESCOMANDA", FieldType::Float, 0},
                {"CDCLIENTE", FieldType::Text, 15},    {"CDCONSUMIDOR", FieldType::Text, 20},
                {"NRINSCRCONS", FieldType::Text, 20},  {"NRMESA", FieldType::Text, 4},
                {"CDLOJAIT", FieldType::Text, 4},      {"CDVENDEDOR", FieldType::Text, 10},
                {"CDOPERADOR", FieldType::Text, 12},   {"NRPESMESAVEN", FieldType::Float, 0},
                {"CDEMPRESA", FieldType::Text, 4}};
    const auto row = [](const char* nr, const char* produto, const char* nome, const char* ncm,
                        double qt, double preco, const char* tipo, double aliq, const char* conf) {
        return QVariantList{
            s(nr),  s(kFilial), "000100000007", "000101", s(produto), s(nome),    "UN",
            s(ncm), qt,         preco,          0.0,      0.0,        0.0,        s(tipo),
            aliq,   s(conf),    21.58,          0.0,      "000001",   QVariant(), QVariant(),
            "0007", s(kLoja),   "002",          "0001",   2.0,        "0001"};
    };
    p.rows << row("000001", "10001", "PICANHA NA CHAPA", "02013000", 2, 89.90, "T", 18, " ")
           << row("000002", "20001", "REFRIGERANTE LATA", "22021000", 3, 7.00, "F", 0, " ")
           << row("000003", "90003", "COUVERT ARTISTICO", "00000000", 1, 15.00, "S", 5, "CAR");
    return p;
}

DataPacket SaleStore::cancelados7() {
    DataPacket p;
    p.fields = {{"CDFILIAL", FieldType::Text, 4},      {"CDPRODUTO", FieldType::Text, 20},
                {"QTPRODCOMVEN", FieldType::Float, 0}, {"VRPRECCOMVEN", FieldType::Float, 0},
                {"VRDESCCOMVEN", FieldType::Float, 0}, {"VRUNITVENCLC", FieldType::Float, 0},
                {"CDSUPERVISOR", FieldType::Text, 12}, {"CDOPERCANC", FieldType::Text, 12}};
    p.rows << QVariantList{s(kFilial), "20001", 1.0, 7.0, 0.0, 0.0, "0099", "0001"};
    return p;
}

DataPacket SaleStore::pagamentos(const QList<Line>& lines) {
    DataPacket p;
    p.fields = {{"IDTIPOMOVIVE", FieldType::Text, 1},   {"CDTIPORECE", FieldType::Text, 10},
                {"NMTIPORECE", FieldType::Text, 60},    {"IDTIPORECE", FieldType::Text, 1},
                {"VRMOVIVEND", FieldType::Float, 0},    {"CDNSUTEF", FieldType::Text, 40},
                {"CDNSUHOSTTEF", FieldType::Text, 40},  {"NMBANDTEF", FieldType::Text, 40},
                {"NRAUTORIZATEF", FieldType::Text, 40}, {"DSMOVIVEND", FieldType::Text, 60},
                {"CDCLIENTE", FieldType::Text, 15}};
    for (const Line& l : lines) {
        const bool troco = l.idTipoRece == QLatin1String("S");
        const bool card = l.idTipoRece == QLatin1String("1") || l.idTipoRece == QLatin1String("2");
        p.rows << QVariantList{troco ? "S" : "E",
                               troco || l.idTipoRece == QLatin1String("4") ? "001" : "002",
                               troco || l.idTipoRece == QLatin1String("4") ? "Dinheiro"
                                                                           : "Crédito Visa",
                               troco ? QStringLiteral("4") : l.idTipoRece,
                               l.valor,
                               card ? QVariant(l.nsu) : QVariant(),
                               card ? QVariant(l.nsu) : QVariant(),
                               card ? QVariant("VISA") : QVariant(),
                               card ? QVariant("123456") : QVariant(),
                               troco ? "TROCO" : "PAGAMENTO",
                               "000001"};
    }
    return p;
}

QVariantList SaleStore::valores(const QString& tipoDocFiscal, const QString& listaComandas,
                                const QString& nrVendaRest, const QString& nrMesa) const {
    QVariantList v(47);
    v[0] = s(kCaixa);
    v[1] = abertura;
    v[2] = "0001";
    v[3] = nrMesa;
    v[4] = "";
    v[5] = s(kFilial);
    v[6] = listaComandas;
    v[7] = QStringLiteral("RES_") + nrMesa;
    v[8] = s(kLoja);
    v[9] = nrMesa;
    v[10] = nrVendaRest;
    v[11] = "RES";
    v[12] = "000321";
    v[13] = "01";
    v[15] = "SIM0000001";
    v[16] = 0;
    v[17] = "IMPRESSORA SIMULADA";
    v[18] = "SIMULADA";
    v[19] = "N";
    v[20] = QDateTime(abertura.date(), QTime(0, 0));
    v[23] = "SP";
    v[32] = "MESA";
    v[34] = agora.toString("dd/MM/yyyy HH:mm:ss");
    v[35] = "2";
    v[36] = "1";
    v[37] = "42";
    v[39] = tipoDocFiscal;
    v[41] = 0.0;
    v[43] = true;
    v[46] = "";
    return v;
}

QList<ClientDataSet*> SaleStore::tabelas(const DataPacket& itens, const DataPacket& pagamentos,
                                         const DataPacket& cancelados) {
    QList<ClientDataSet*> out;
    const QStringList names{"cdsListaComanda", "cdsMovCaixa",         "cdsListaComandaCanc",
                            "cdsFamiliaSaldo", "cdsEmprestimoFam",    "cdsItComandaEst",
                            "cdsVazio",        "cdsBrinde",           "cdsObsItens",
                            "cdsObsItensEst",  "cdsItensDesistencia", "cdsExtConsFid",
                            "cdsPromoComanda"};
    for (int i = 0; i < names.size(); ++i) {
        auto t = std::make_unique<ClientDataSet>(names.at(i));
        if (i == 0) {
            t->setData(itens);
        } else if (i == 1) {
            t->setData(pagamentos);
        } else if (i == 2 && !cancelados.fields.isEmpty()) {
            t->setData(cancelados);
        }
        out << t.get();
        tables_.push_back(std::move(t));
    }
    return out;
}

QString SaleStore::fiscalFolder() const {
    return QDir(till_.path()).filePath(QStringLiteral("fiscal"));
}

} // namespace tmk::sales_test
