#include "tests/service/table_data.h"

#include <QSqlError>
#include <QSqlQuery>

namespace tmk::test {

const QString TableData::F = QStringLiteral("0001");
const QString TableData::L = QStringLiteral("0001");
const QString TableData::CONF = QStringLiteral("0001");

namespace {
QVariantMap merged(QVariantMap base, const QVariantMap& extra) {
    for (auto it = extra.cbegin(); it != extra.cend(); ++it) {
        base.insert(it.key(), it.value());
    }
    return base;
}
} // namespace

QDateTime TableData::at(int hour, int minute, int second, int msec) {
    return QDateTime(QDate(2024, 3, 15), QTime(hour, minute, second, msec));
}

void TableData::loja(const QVariant& nrMesaPadrao, const QString& cdLoja) {
    insert(QStringLiteral("LOJA"), {{QStringLiteral("CDFILIAL"), F},
                                    {QStringLiteral("CDLOJA"), cdLoja},
                                    {QStringLiteral("NMLOJA"), QStringLiteral("Salão")},
                                    {QStringLiteral("NRMESAPADRAO"), nrMesaPadrao}});
}

void TableData::mesa(const QString& nrMesa, const QString& status, const QVariantMap& extra) {
    insert(QStringLiteral("MESA"),
           merged({{QStringLiteral("CDFILIAL"), F},
                   {QStringLiteral("CDLOJA"), L},
                   {QStringLiteral("NRMESA"), nrMesa},
                   {QStringLiteral("NMMESA"), QStringLiteral("Mesa ") + nrMesa},
                   {QStringLiteral("CDSALA"), QStringLiteral("01")},
                   {QStringLiteral("IDSTMESA"), QStringLiteral("A")},
                   {QStringLiteral("IDSTMESAAUX"), status}},
                  extra));
}

void TableData::conftela(const QString& nrConfTela, const QString& cdLoja) {
    insert(QStringLiteral("CONFTELA"), {{QStringLiteral("CDFILIAL"), F},
                                        {QStringLiteral("NRCONFTELA"), nrConfTela},
                                        {QStringLiteral("CDLOJA"), cdLoja}});
}

void TableData::area(const QString& nrButton, const QString& dsButton, const QVariantMap& extra) {
    insert(QStringLiteral("ITMENUCONFTE"),
           merged({{QStringLiteral("CDFILIAL"), F},
                   {QStringLiteral("NRCONFTELA"), CONF},
                   {QStringLiteral("IDTPBUTTON"), QStringLiteral("4")},
                   {QStringLiteral("NRBUTTONAUX"), QString(QLatin1String(""))},
                   {QStringLiteral("NRPGCONFTELA"), 1},
                   {QStringLiteral("NRBUTTON"), nrButton},
                   {QStringLiteral("DSBUTTON"), dsButton},
                   {QStringLiteral("CDIDENTBUTON"), QStringLiteral("A") + nrButton},
                   {QStringLiteral("NRCOLORTEXT"), 0},
                   {QStringLiteral("NRCOLORBACK"), 16777215},
                   {QStringLiteral("NRFONTETEXT"), 10}},
                  extra));
}

void TableData::botaoMesa(const QString& nrButton, const QString& nrMesa, const QString& areaButton,
                          int pagina, const QVariantMap& extra) {
    insert(QStringLiteral("ITMENUCONFTE"),
           merged({{QStringLiteral("CDFILIAL"), F},
                   {QStringLiteral("NRCONFTELA"), CONF},
                   {QStringLiteral("IDTPBUTTON"), QStringLiteral("3")},
                   {QStringLiteral("NRBUTTONAUX"), areaButton},
                   {QStringLiteral("NRPGCONFTELA"), pagina},
                   {QStringLiteral("NRBUTTON"), nrButton},
                   {QStringLiteral("DSBUTTON"), QStringLiteral("Mesa ") + nrMesa},
                   {QStringLiteral("CDIDENTBUTON"), nrMesa},
                   {QStringLiteral("NRCOLORTEXT"), 255},
                   {QStringLiteral("NRCOLORBACK"), 0},
                   {QStringLiteral("NRFONTETEXT"), 8},
                   {QStringLiteral("IDTPBUTONAUX"), QStringLiteral("4")},
                   {QStringLiteral("NRPGCONFTAUX"), 1}},
                  extra));
}

void TableData::vendedor(const QString& cdVendedor, const QString& nmFanVen) {
    insert(QStringLiteral("VENDEDOR"),
           {{QStringLiteral("CDVENDEDOR"), cdVendedor}, {QStringLiteral("NMFANVEN"), nmFanVen}});
}

void TableData::venda(const QString& nrVendaRest, const QString& nrMesa, const QDateTime& abertura,
                      const QDateTime& fechada, const QVariantMap& extra) {
    QVariantMap row{{QStringLiteral("CDFILIAL"), F},
                    {QStringLiteral("NRVENDAREST"), nrVendaRest},
                    {QStringLiteral("CDLOJA"), L},
                    {QStringLiteral("NRMESA"), nrMesa},
                    {QStringLiteral("CDVENDEDOR"), QStringLiteral("001")},
                    {QStringLiteral("CDCLIENTE"), QStringLiteral("C1")},
                    {QStringLiteral("CDCONSUMIDOR"), QStringLiteral("K1")},
                    {QStringLiteral("NRPESMESAVEN"), 2.0},
                    {QStringLiteral("NRPOSICAOMESA"), 2.0},
                    {QStringLiteral("DTHRABERMESA"), abertura}};
    if (fechada.isValid()) {
        row.insert(QStringLiteral("DTHRFECHMESA"), fechada);
    }
    insert(QStringLiteral("VENDAREST"), merged(row, extra));
}

void TableData::comanda(const QString& nrVendaRest, const QString& nrComanda,
                        const QString& dsComanda, const QString& status, const QVariantMap& extra) {
    insert(QStringLiteral("COMANDAVEN"), merged({{QStringLiteral("CDFILIAL"), F},
                                                 {QStringLiteral("NRVENDAREST"), nrVendaRest},
                                                 {QStringLiteral("NRCOMANDA"), nrComanda},
                                                 {QStringLiteral("CDLOJA"), L},
                                                 {QStringLiteral("DSCOMANDA"), dsComanda},
                                                 {QStringLiteral("IDSTCOMANDA"), status}},
                                                extra));
}

void TableData::item(const QString& nrVendaRest, const QString& nrComanda,
                     const QString& nrProdComVen, const QVariantMap& extra) {
    insert(QStringLiteral("ITCOMANDAVEN"),
           merged({{QStringLiteral("CDFILIAL"), F},
                   {QStringLiteral("NRVENDAREST"), nrVendaRest},
                   {QStringLiteral("NRCOMANDA"), nrComanda},
                   {QStringLiteral("NRPRODCOMVEN"), nrProdComVen},
                   {QStringLiteral("CDLOJA"), L},
                   {QStringLiteral("CDPRODUTO"), QStringLiteral("P1")},
                   {QStringLiteral("IDSTPRCOMVEN"), QStringLiteral("1")},
                   {QStringLiteral("DTHRINCOMVEN"), at(20, 0)}},
                  extra));
}

void TableData::juncao(const QString& nrJunMesa, const QStringList& mesas) {
    insert(QStringLiteral("JUNCAOMESA"), {{QStringLiteral("CDFILIAL"), F},
                                          {QStringLiteral("CDLOJA"), L},
                                          {QStringLiteral("NRJUNMESA"), nrJunMesa}});
    for (const QString& m : mesas) {
        insert(QStringLiteral("MESAJUNCAO"), {{QStringLiteral("CDFILIAL"), F},
                                              {QStringLiteral("CDLOJA"), L},
                                              {QStringLiteral("NRJUNMESA"), nrJunMesa},
                                              {QStringLiteral("NRMESA"), m}});
    }
}

void TableData::dropTable(const QString& table) {
    // Run unprepared: PostgreSQL prepares no DROP.
    QSqlQuery q(db->connection());
    EXPECT_TRUE(q.exec(QStringLiteral("DROP TABLE ") + table))
        << q.lastError().text().toStdString();
}

QDateTime TableData::serverNow() {
    QSqlQuery q(dm->adcGerMesa());
    const bool ok = q.exec(QStringLiteral("SELECT ") + dm->dialect().nowExpression());
    EXPECT_TRUE(ok) << q.lastError().text().toStdString();
    if (!ok || !q.next()) {
        return {};
    }
    const QVariant v = q.value(0);
    q.finish();
    return dm->dialect().readDateTime(v);
}

QString TableData::text(const QString& select, const QVariantMap& binds) {
    const QVariant v = value(select, binds);
    return v.isNull() ? QString(QLatin1String("")) : v.toString();
}

QStringList columnsOf(const DataPacket& packet) {
    QStringList names;
    for (const FieldDef& f : packet.fields) {
        names << f.name;
    }
    return names;
}

QStringList columnValues(const DataPacket& packet, const QString& column) {
    QStringList values;
    for (int row = 0; row < packet.rowCount(); ++row) {
        values << packet.value(row, column).toString();
    }
    return values;
}

} // namespace tmk::test
