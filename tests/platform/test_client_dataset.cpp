#include "platform/client_dataset.h"
#include "platform/errors.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

using namespace tmk;

namespace {

using Opt = ClientDataSet::LocateOption;
using Idx = ClientDataSet::IndexOption;

DataPacket itemsPacket() {
    DataPacket p;
    p.fields = {{QStringLiteral("NRPRODCOMVEN"), FieldType::Text, 6},
                {QStringLiteral("CDPRODUTO"), FieldType::Text, 10},
                {QStringLiteral("IDCONFIGPROD"), FieldType::Text, 3},
                {QStringLiteral("QTPRODCOMVEN"), FieldType::Float, 0},
                {QStringLiteral("NRORDEM"), FieldType::Integer, 0}};
    p.rows = {
        {QStringLiteral("000003"), QStringLiteral("COUVER"), QStringLiteral(" "), 1.0, 30LL},
        {QStringLiteral("000001"), QStringLiteral("CERVEJA"), QStringLiteral(" "), 2.0, 10LL},
        {QStringLiteral("000002"), QStringLiteral("COUVER"), QStringLiteral("CAR"), 1.0, 20LL},
        {QStringLiteral("000004"), QStringLiteral("Agua"), QStringLiteral(" "), 3.0, 10LL},
    };
    return p;
}

// The visible values of one column, walked from the first record.
QStringList column(ClientDataSet& ds, const QString& field) {
    QStringList out;
    ds.first();
    while (!ds.eof()) {
        out << ds.fieldByName(field).asString();
        ds.next();
    }
    return out;
}

QString errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const AppError& e) {
        return e.message();
    }
    return {};
}

class ClientDataSetTest : public ::testing::Test {
protected:
    void SetUp() override { ds.setData(itemsPacket()); }
    ClientDataSet ds{QStringLiteral("cdsListaComanda")};
};

QStringList texts(std::initializer_list<const char*> items) {
    QStringList out;
    for (const char* s : items) {
        out << QString::fromUtf8(s);
    }
    return out;
}

} // namespace

TEST_F(ClientDataSetTest, NavigationFollowsTheClassicFlags) {
    EXPECT_EQ(ds.state(), ClientDataSet::State::Browse);
    EXPECT_EQ(ds.recordCount(), 4);
    EXPECT_EQ(ds.recNo(), 1);
    EXPECT_TRUE(ds.bof());
    EXPECT_FALSE(ds.eof());
    ds.next();
    ds.next();
    ds.next();
    EXPECT_EQ(ds.recNo(), 4);
    EXPECT_FALSE(ds.eof()); // on the last record, not past it
    ds.next();
    EXPECT_TRUE(ds.eof());
    EXPECT_EQ(ds.recNo(), 4); // the cursor stays on the last record
    EXPECT_EQ(ds.fieldByName(QStringLiteral("NRPRODCOMVEN")).asString(), QStringLiteral("000004"));
    ds.prior();
    EXPECT_FALSE(ds.eof());
    EXPECT_EQ(ds.recNo(), 3);
    ds.first();
    ds.prior();
    EXPECT_TRUE(ds.bof());
    EXPECT_EQ(ds.recNo(), 1);
    ds.last();
    EXPECT_TRUE(ds.eof());
    EXPECT_FALSE(ds.bof());
    EXPECT_EQ(ds.fieldByName(QStringLiteral("NRPRODCOMVEN")).asString(), QStringLiteral("000004"));

    // Backward walk.
    QStringList backward;
    ds.last();
    while (!ds.bof()) {
        backward << ds.fieldByName(QStringLiteral("NRPRODCOMVEN")).asString();
        ds.prior();
    }
    EXPECT_EQ(backward, texts({"000004", "000002", "000001", "000003"}));
    EXPECT_EQ(column(ds, QStringLiteral("NRPRODCOMVEN")),
              texts({"000003", "000001", "000002", "000004"}));
}

TEST(ClientDataSet, EmptyViewHasBothFlagsAndReadsNeutralValues) {
    ClientDataSet ds(QStringLiteral("cdsMesa"));
    ds.setFieldDefs({{QStringLiteral("NRMESA"), FieldType::Text, 4},
                     {QStringLiteral("NRPESSOAS"), FieldType::Integer, 0}});
    ds.createDataSet();
    EXPECT_TRUE(ds.active());
    EXPECT_TRUE(ds.isEmpty());
    EXPECT_TRUE(ds.eof());
    EXPECT_TRUE(ds.bof());
    EXPECT_EQ(ds.recNo(), 0);
    ds.next();
    ds.prior();
    ds.last();
    EXPECT_TRUE(ds.eof() && ds.bof());
    EXPECT_EQ(ds.fieldByName(QStringLiteral("NRMESA")).asString(), QString());
    EXPECT_TRUE(ds.fieldByName(QStringLiteral("NRPESSOAS")).isNull());
    EXPECT_EQ(ds.fieldByName(QStringLiteral("NRPESSOAS")).asInteger(), 0);
    EXPECT_FALSE(ds.locate(QStringLiteral("NRMESA"), QStringLiteral("0001")));
    EXPECT_FALSE(errorOf([&] { ds.remove(); }).isEmpty());
}

TEST_F(ClientDataSetTest, ClosedDataSetRefusesWorkButKeepsItsRows) {
    ds.close();
    EXPECT_FALSE(ds.active());
    EXPECT_EQ(ds.recordCount(), 0);
    EXPECT_TRUE(ds.eof());
    EXPECT_EQ(ds.data().rowCount(), 4);
    for (const auto& op : std::vector<std::function<void()>>{
             [&] { ds.first(); }, [&] { ds.next(); }, [&] { ds.edit(); }, [&] { ds.append(); },
             [&] { ds.remove(); }, [&] { ds.emptyDataSet(); },
             [&] { ds.locate(QStringLiteral("CDPRODUTO"), QStringLiteral("COUVER")); },
             [&] {
                 ds.fieldByName(QStringLiteral("CDPRODUTO")).asString();
             }}) {
        const QString e = errorOf(op);
        EXPECT_TRUE(e.contains(QStringLiteral("cdsListaComanda"))) << e.toStdString();
        EXPECT_TRUE(e.contains(QStringLiteral("fechado"))) << e.toStdString();
    }
    ds.open();
    EXPECT_EQ(ds.recordCount(), 4);
    EXPECT_EQ(ds.recNo(), 1);

    ClientDataSet bare(QStringLiteral("cdsVazio"));
    EXPECT_TRUE(errorOf([&] { bare.createDataSet(); }).contains(QStringLiteral("cdsVazio")));
    EXPECT_FALSE(errorOf([&] { bare.open(); }).isEmpty());
}

TEST_F(ClientDataSetTest, FieldsAreFoundByNameIgnoringCase) {
    EXPECT_EQ(ds.fieldByName(QStringLiteral("cdProduto")).asString(), QStringLiteral("COUVER"));
    EXPECT_EQ(ds.fieldByName(QStringLiteral("cdProduto")).name(), QStringLiteral("CDPRODUTO"));
    EXPECT_EQ(ds.fieldIndex(QStringLiteral("nrordem")), 4);
    EXPECT_EQ(ds.fieldIndex(QStringLiteral("NRMESA")), -1);
    EXPECT_FALSE(ds.findField(QStringLiteral("NRMESA")).has_value());
    const QString e = errorOf([&] { ds.fieldByName(QStringLiteral("NRMESA")); });
    EXPECT_TRUE(e.contains(QStringLiteral("NRMESA")) &&
                e.contains(QStringLiteral("cdsListaComanda")))
        << e.toStdString();
    EXPECT_EQ(ds.value(QStringLiteral("nrordem")).toLongLong(), 30);
}

TEST(ClientDataSet, ReadsConvertFromEachColumnType) {
    ClientDataSet ds(QStringLiteral("cdsTipos"));
    DataPacket p;
    p.fields = {{QStringLiteral("T"), FieldType::Text, 0},
                {QStringLiteral("I"), FieldType::Integer, 0},
                {QStringLiteral("F"), FieldType::Float, 0},
                {QStringLiteral("D"), FieldType::DateTime, 0},
                {QStringLiteral("B"), FieldType::Boolean, 0}};
    const QDateTime when(QDate(2024, 3, 5), QTime(7, 8, 9));
    p.rows = {
        {QStringLiteral(" 42 "), 7LL, 12.5, when, true},
        {QStringLiteral("abc"), -3LL, -2.7, QDateTime(QDate(1899, 12, 31), QTime(12, 0)), false},
        {QStringLiteral("S"), 0LL, 0.1 + 0.2, {}, {}},
        {QStringLiteral("15/03/2024 10:00:00"), {}, 3.0, {}, {}},
        {{}, {}, {}, {}, {}}};
    ds.setData(p);
    auto f = [&](const char* n) {
        return ds.fieldByName(QString::fromLatin1(n));
    };

    EXPECT_EQ(f("T").asInteger(), 42);
    EXPECT_EQ(f("I").asString(), QStringLiteral("7"));
    EXPECT_EQ(f("F").asString(), QStringLiteral("12.5"));
    EXPECT_EQ(f("F").asInteger(), 12);
    EXPECT_EQ(f("D").asString(), QStringLiteral("05/03/2024 07:08:09"));
    EXPECT_EQ(f("B").asString(), QStringLiteral("True"));
    EXPECT_EQ(f("I").asFloat(), 7.0);

    ds.next();
    EXPECT_EQ(f("F").asInteger(), -2); // toward zero
    EXPECT_EQ(f("B").asString(), QStringLiteral("False"));
    EXPECT_DOUBLE_EQ(f("D").asFloat(), 1.5); // days since 30/12/1899
    EXPECT_TRUE(errorOf([&] { f("T").asInteger(); }).contains(QStringLiteral("abc")));
    EXPECT_TRUE(errorOf([&] { f("T").asFloat(); }).contains(QStringLiteral("T")));
    EXPECT_FALSE(errorOf([&] { f("T").asDateTime(); }).isEmpty());
    EXPECT_FALSE(errorOf([&] { f("D").asInteger(); }).isEmpty());

    ds.next();
    EXPECT_EQ(f("F").asString(), QStringLiteral("0.3"));
    EXPECT_TRUE(f("T").asBoolean());

    ds.next();
    EXPECT_EQ(f("F").asString(), QStringLiteral("3"));
    EXPECT_EQ(f("T").asDateTime(), QDateTime(QDate(2024, 3, 15), QTime(10, 0)));

    ds.next();
    for (const char* n : {"T", "I", "F", "D", "B"}) {
        EXPECT_TRUE(f(n).isNull()) << n;
        EXPECT_EQ(f(n).asString(), QString()) << n;
        EXPECT_EQ(f(n).asInteger(), 0) << n;
        EXPECT_EQ(f(n).asFloat(), 0.0) << n;
        EXPECT_FALSE(f(n).asDateTime().isValid()) << n;
        EXPECT_FALSE(f(n).asBoolean()) << n;
    }
}

TEST(ClientDataSet, NumbersOfDaysReadAsDateTimesWithinTheCalendarOnly) {
    const QDateTime dayZero(QDate(1899, 12, 30), QTime(0, 0));
    const struct {
        QVariant days;
        QDateTime expected; // invalid: refused
    } cases[] = {
        {0LL, dayZero},
        {1.5, QDateTime(QDate(1899, 12, 31), QTime(12, 0))},
        {-693593LL, QDateTime(QDate(1, 1, 1), QTime(0, 0))},
        {2958465LL, QDateTime(QDate(9999, 12, 31), QTime(0, 0))},
        {2958465.5, QDateTime(QDate(9999, 12, 31), QTime(12, 0))},
        {-693594LL, {}},
        {2958466LL, {}},
        {2958466.0, {}},
        {-693593.5, {}},
        {std::numeric_limits<qlonglong>::max(), {}},
        {std::numeric_limits<qlonglong>::min(), {}},
        {9223372036854775808.0, {}}, // 2^63
        {-9223372036854775808.0, {}},
        {1e300, {}},
        {-1e300, {}},
    };
    for (const auto& c : cases) {
        DataPacket p;
        p.fields = {
            {QStringLiteral("DTHRABERTURA"),
             c.days.metaType().id() == QMetaType::Double ? FieldType::Float : FieldType::Integer,
             0}};
        p.rows = {{c.days}};
        ClientDataSet ds(QStringLiteral("cdsDias"));
        ds.setData(p);
        const Field f = ds.fieldByName(QStringLiteral("DTHRABERTURA"));
        if (c.expected.isValid()) {
            EXPECT_EQ(f.asDateTime(), c.expected) << c.days.toString().toStdString();
            continue;
        }
        const QString e = errorOf([&] { f.asDateTime(); });
        EXPECT_TRUE(e.contains(QStringLiteral("DTHRABERTURA")) &&
                    e.contains(QStringLiteral("cdsDias")) &&
                    e.contains(QStringLiteral("entre 01/01/0001 e 31/12/9999")))
            << c.days.toString().toStdString() << ": " << e.toStdString();
    }
}

TEST(ClientDataSet, AValueThatCannotBeReadNamesTheFileItCameFrom) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("DataMovimento.cds"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA>"
               "<FIELDS><FIELD attrname=\"DATAMOVIMENTO\" fieldtype=\"r8\"/></FIELDS><PARAMS/>"
               "</METADATA><ROWDATA><ROW DATAMOVIMENTO=\"9.3e18\"/></ROWDATA></DATAPACKET>");
    file.close();
    ClientDataSet ds(QStringLiteral("cdsDataMovimento"));
    ds.loadFromFile(path);
    EXPECT_EQ(ds.fileName(), path);
    const QString e =
        errorOf([&] { ds.fieldByName(QStringLiteral("DATAMOVIMENTO")).asDateTime(); });
    EXPECT_TRUE(e.contains(path) && e.contains(QStringLiteral("DATAMOVIMENTO")) &&
                e.contains(QStringLiteral("9300000000000000000")))
        << e.toStdString();

    // Rows that come from elsewhere are no longer the file's.
    ds.setData(ds.data());
    EXPECT_TRUE(ds.fileName().isEmpty());
    EXPECT_FALSE(errorOf([&] {
                     ds.fieldByName(QStringLiteral("DATAMOVIMENTO")).asDateTime();
                 }).contains(path));
}

TEST_F(ClientDataSetTest, SetValueOnlyWhileEditingAndConvertsToTheColumnType) {
    Field ordem = ds.fieldByName(QStringLiteral("NRORDEM"));
    const QString e = errorOf([&] { ordem.setValue(5); });
    EXPECT_TRUE(e.contains(QStringLiteral("edição")) && e.contains(QStringLiteral("NRORDEM")))
        << e.toStdString();

    ds.edit();
    EXPECT_EQ(ds.state(), ClientDataSet::State::Edit);
    ordem.setValue(QStringLiteral("7"));
    EXPECT_EQ(ordem.value().metaType().id(), QMetaType::LongLong);
    EXPECT_EQ(ordem.asInteger(), 7); // reads see the pending value
    EXPECT_FALSE(errorOf([&] { ordem.setValue(QStringLiteral("sete")); }).isEmpty());
    EXPECT_EQ(ordem.asInteger(), 7); // a refused value changes nothing
    ds.fieldByName(QStringLiteral("QTPRODCOMVEN")).setValue(QStringLiteral("1.5"));
    ds.cancel();
    EXPECT_EQ(ordem.asInteger(), 30);
    EXPECT_EQ(ds.fieldByName(QStringLiteral("QTPRODCOMVEN")).asFloat(), 1.0);

    ds.edit();
    ordem.clear();
    ds.post();
    EXPECT_TRUE(ordem.isNull());
    EXPECT_FALSE(ds.data().rows[0][4].isValid());
}

TEST_F(ClientDataSetTest, AppendPostsAtTheEndAndCancelReturnsToTheFormerRecord) {
    ds.next(); // on 000001
    ds.append();
    EXPECT_EQ(ds.state(), ClientDataSet::State::Insert);
    EXPECT_TRUE(ds.fieldByName(QStringLiteral("CDPRODUTO")).isNull());
    ds.fieldByName(QStringLiteral("NRPRODCOMVEN")).setValue(QStringLiteral("000005"));
    ds.cancel();
    EXPECT_EQ(ds.recordCount(), 4);
    EXPECT_EQ(ds.fieldByName(QStringLiteral("NRPRODCOMVEN")).asString(), QStringLiteral("000001"));

    ds.append();
    ds.fieldByName(QStringLiteral("NRPRODCOMVEN")).setValue(QStringLiteral("000005"));
    ds.fieldByName(QStringLiteral("NRORDEM")).setValue(50);
    ds.post();
    EXPECT_EQ(ds.state(), ClientDataSet::State::Browse);
    EXPECT_EQ(ds.recordCount(), 5);
    EXPECT_EQ(ds.recNo(), 5);
    EXPECT_FALSE(ds.eof());
    EXPECT_EQ(ds.fieldByName(QStringLiteral("NRORDEM")).asInteger(), 50);
    EXPECT_EQ(ds.data().rows.last()[0].toString(), QStringLiteral("000005"));
}

TEST_F(ClientDataSetTest, NavigatingOrLocatingWhileEditingPostsFirst) {
    ds.edit();
    ds.fieldByName(QStringLiteral("IDCONFIGPROD")).setValue(QStringLiteral("CAR"));
    ds.next();
    EXPECT_EQ(ds.state(), ClientDataSet::State::Browse);
    EXPECT_EQ(ds.data().rows[0][2].toString(), QStringLiteral("CAR"));

    ds.append();
    ds.fieldByName(QStringLiteral("NRPRODCOMVEN")).setValue(QStringLiteral("000009"));
    EXPECT_TRUE(ds.locate(QStringLiteral("NRPRODCOMVEN"), QStringLiteral("000009")));
    EXPECT_EQ(ds.recordCount(), 5);
}

TEST(ClientDataSet, EditOnAnEmptyViewAppends) {
    ClientDataSet ds(QStringLiteral("cdsParam_FechaConta"));
    ds.setFieldDefs({{QStringLiteral("NRMESA"), FieldType::Text, 4}});
    ds.createDataSet();
    ds.edit();
    EXPECT_EQ(ds.state(), ClientDataSet::State::Insert);
    ds.fieldByName(QStringLiteral("NRMESA")).setValue(QStringLiteral("0012"));
    ds.post();
    EXPECT_EQ(ds.recordCount(), 1);
    EXPECT_EQ(ds.fieldByName(QStringLiteral("NRMESA")).asString(), QStringLiteral("0012"));
}

TEST_F(ClientDataSetTest, RemoveMovesToTheNextOrToThePreviousAtTheEnd) {
    ds.next(); // 000001
    ds.remove();
    EXPECT_EQ(ds.fieldByName(QStringLiteral("NRPRODCOMVEN")).asString(), QStringLiteral("000002"));
    ds.last();
    ds.remove(); // 000004 was the last
    EXPECT_EQ(ds.fieldByName(QStringLiteral("NRPRODCOMVEN")).asString(), QStringLiteral("000002"));
    EXPECT_FALSE(ds.eof());
    EXPECT_EQ(ds.recordCount(), 2);

    ds.append(); // removing while appending drops only the new record
    ds.remove();
    EXPECT_EQ(ds.recordCount(), 2);

    ds.edit(); // removing while editing drops the record and its changes
    ds.fieldByName(QStringLiteral("NRORDEM")).setValue(99);
    ds.remove();
    EXPECT_EQ(ds.state(), ClientDataSet::State::Browse);
    EXPECT_EQ(ds.recordCount(), 1);

    ds.first();
    while (!ds.eof()) {
        ds.remove();
    }
    EXPECT_TRUE(ds.isEmpty());
    EXPECT_TRUE(ds.bof());
    EXPECT_EQ(ds.data().rowCount(), 0);
}

TEST_F(ClientDataSetTest, EmptyDataSetKeepsStructureAndStaysOpen) {
    ds.edit();
    ds.emptyDataSet();
    EXPECT_TRUE(ds.active());
    EXPECT_EQ(ds.state(), ClientDataSet::State::Browse);
    EXPECT_EQ(ds.fieldDefs(), itemsPacket().fields);
    EXPECT_TRUE(ds.isEmpty() && ds.eof() && ds.bof());
    ds.append();
    ds.post();
    EXPECT_EQ(ds.recordCount(), 1);

    // Closing and creating again also gives an empty table of the same structure.
    ds.close();
    ds.createDataSet();
    EXPECT_TRUE(ds.isEmpty());
    EXPECT_EQ(ds.fieldCount(), 5);
}

TEST_F(ClientDataSetTest, DataIsTheWholeTableInInsertionOrder) {
    ds.setIndexFieldNames(QStringLiteral("NRPRODCOMVEN"));
    ds.setFilter(QStringLiteral("CDPRODUTO = 'COUVER'"));
    ds.setFiltered(true);
    ds.edit();
    ds.fieldByName(QStringLiteral("NRORDEM")).setValue(77);
    const DataPacket p = ds.data();
    EXPECT_EQ(p.fields, itemsPacket().fields);
    EXPECT_EQ(p.rows, itemsPacket().rows); // the pending edit is not stored yet
}

TEST_F(ClientDataSetTest, SetDataConvertsValuesAndRejectsBadPacketsWithoutChange) {
    DataPacket p;
    p.fields = {{QStringLiteral("NRMESA"), FieldType::Text, 4},
                {QStringLiteral("QTPESSOAS"), FieldType::Integer, 0},
                {QStringLiteral("VRCONTA"), FieldType::Float, 0}};
    p.rows = {{1234, QStringLiteral("4"), QStringLiteral("10.5")}, {QStringLiteral("0002")}};
    ClientDataSet other(QStringLiteral("cdsStatusMesas"));
    other.setData(p);
    EXPECT_EQ(other.data().rows[0],
              (QVariantList{QStringLiteral("1234"), QVariant(4LL), QVariant(10.5)}));
    EXPECT_EQ(other.data().rows[1].size(), 3); // short rows are padded with nulls

    DataPacket duplicate = p;
    duplicate.fields[1].name = QStringLiteral("nrmesa");
    DataPacket tooLong = p;
    tooLong.rows[1] = {1, 2, 3, 4};
    DataPacket badValue = p;
    badValue.rows[0][1] = QStringLiteral("quatro");
    for (const DataPacket& bad : {duplicate, tooLong, badValue}) {
        ds.next();
        EXPECT_FALSE(errorOf([&] { ds.setData(bad); }).isEmpty());
        EXPECT_EQ(ds.data(), itemsPacket());
        EXPECT_EQ(ds.recNo(), 2);
        ds.first();
    }
}

TEST_F(ClientDataSetTest, LocateMatchesConvertedValuesWithOptions) {
    EXPECT_TRUE(ds.locate(QStringLiteral("CDPRODUTO;IDCONFIGPROD"),
                          QVariantList{QStringLiteral("COUVER"), QStringLiteral("CAR")}));
    EXPECT_EQ(ds.fieldByName(QStringLiteral("NRPRODCOMVEN")).asString(), QStringLiteral("000002"));

    EXPECT_TRUE(ds.locate(QStringLiteral("NRORDEM"), QStringLiteral("10"))); // text to integer
    EXPECT_EQ(ds.recNo(), 2);                                                // the first match
    EXPECT_TRUE(ds.locate(QStringLiteral("QTPRODCOMVEN"), 3));
    EXPECT_EQ(ds.recNo(), 4);

    EXPECT_FALSE(ds.locate(QStringLiteral("CDPRODUTO"), QStringLiteral("agua")));
    EXPECT_EQ(ds.recNo(), 4); // unchanged when not found
    EXPECT_TRUE(
        ds.locate(QStringLiteral("cdproduto"), QStringLiteral("AGUA"), Opt::CaseInsensitive));
    EXPECT_EQ(ds.recNo(), 4);
    EXPECT_TRUE(ds.locate(QStringLiteral("CDPRODUTO"), QStringLiteral("CER"), Opt::PartialKey));
    EXPECT_EQ(ds.recNo(), 2);
    EXPECT_FALSE(ds.locate(QStringLiteral("CDPRODUTO"), QStringLiteral("cer"), Opt::PartialKey));
    EXPECT_TRUE(ds.locate(QStringLiteral("CDPRODUTO"), QStringLiteral("cou"),
                          Opt::PartialKey | Opt::CaseInsensitive));
    EXPECT_EQ(ds.recNo(), 1);
    EXPECT_FALSE(ds.locate(QStringLiteral("CDPRODUTO"), QStringLiteral("COUVERT")));

    // Only visible records are found.
    ds.setFilter(QStringLiteral("CDPRODUTO <> 'CERVEJA'"));
    ds.setFiltered(true);
    EXPECT_FALSE(ds.locate(QStringLiteral("CDPRODUTO"), QStringLiteral("CERVEJA")));

    EXPECT_FALSE(errorOf([&] { ds.locate(QStringLiteral("CDPRODUTO;NRORDEM"), 1); }).isEmpty());
    EXPECT_TRUE(errorOf([&] {
                    ds.locate(QStringLiteral("NRMESA"), 1);
                }).contains(QStringLiteral("NRMESA")));
    EXPECT_FALSE(
        errorOf([&] { ds.locate(QStringLiteral("NRORDEM"), QStringLiteral("x")); }).isEmpty());
}

TEST(ClientDataSet, LocateTakesANullTextAsEmpty) {
    ClientDataSet ds(QStringLiteral("cdsListaComanda"));
    ds.setData({{{QStringLiteral("NRINSCRCONS"), FieldType::Text, 11},
                 {QStringLiteral("NRORDEM"), FieldType::Integer, 0}},
                {{QStringLiteral("123"), 1LL}, {QVariant(), QVariant()}}});
    EXPECT_TRUE(ds.locate(QStringLiteral("NRINSCRCONS"), QString()));
    EXPECT_EQ(ds.recNo(), 2);
    ds.first();
    EXPECT_TRUE(ds.locate(QStringLiteral("NRORDEM"), QVariant()));
    EXPECT_EQ(ds.recNo(), 2);
}

TEST_F(ClientDataSetTest, IndexesSortStablyWithTheirOptions) {
    ds.setIndexFieldNames(QStringLiteral("NRORDEM"));
    EXPECT_EQ(ds.indexFieldNames(), QStringLiteral("NRORDEM"));
    // Ties (NRORDEM 10) keep insertion order.
    EXPECT_EQ(column(ds, QStringLiteral("NRPRODCOMVEN")),
              texts({"000001", "000004", "000002", "000003"}));

    ds.setIndexFieldNames(QStringLiteral("CDPRODUTO;NRPRODCOMVEN"));
    EXPECT_EQ(column(ds, QStringLiteral("NRPRODCOMVEN")),
              texts({"000004", "000001", "000002", "000003"}));

    ds.addIndex(QStringLiteral("Produto"), QStringLiteral("CDPRODUTO"), Idx::CaseInsensitive);
    ds.setIndexName(QStringLiteral("produto"));
    EXPECT_EQ(ds.indexName(), QStringLiteral("Produto"));
    EXPECT_EQ(ds.indexFieldNames(), QString());
    EXPECT_EQ(column(ds, QStringLiteral("NRPRODCOMVEN")),
              texts({"000004", "000001", "000003", "000002"}));

    ds.addIndex(QStringLiteral("Desc"), QStringLiteral("NRORDEM"), Idx::Descending);
    ds.setIndexName(QStringLiteral("Desc"));
    EXPECT_EQ(column(ds, QStringLiteral("NRPRODCOMVEN")),
              texts({"000003", "000002", "000001", "000004"}));

    // Only the named field runs downwards; the next one still ascends.
    ds.addIndex(QStringLiteral("Misto"), QStringLiteral("QTPRODCOMVEN;NRPRODCOMVEN"), {},
                QStringLiteral("QTPRODCOMVEN"));
    ds.setIndexName(QStringLiteral("Misto"));
    EXPECT_EQ(column(ds, QStringLiteral("NRPRODCOMVEN")),
              texts({"000004", "000001", "000002", "000003"}));

    ds.deleteIndexes();
    EXPECT_EQ(ds.indexName(), QString());
    EXPECT_EQ(column(ds, QStringLiteral("NRPRODCOMVEN")),
              texts({"000003", "000001", "000002", "000004"}));
}

TEST(ClientDataSet, CaseInsensitiveIndexFoldsLetterCaseOnly) {
    ClientDataSet ds(QStringLiteral("cdsCliente"));
    DataPacket p;
    p.fields = {{QStringLiteral("NM"), FieldType::Text, 1}};
    for (const char* s : {"b", "A", "a", "B"}) {
        p.rows.append({QString::fromLatin1(s)});
    }
    ds.setData(p);
    ds.setIndexFieldNames(QStringLiteral("NM"));
    EXPECT_EQ(column(ds, QStringLiteral("NM")), texts({"A", "B", "a", "b"}));
    ds.addIndex(QStringLiteral("Nome"), QStringLiteral("NM"), Idx::CaseInsensitive);
    ds.setIndexName(QStringLiteral("Nome"));
    EXPECT_EQ(column(ds, QStringLiteral("NM")), texts({"A", "a", "b", "B"}));
    ds.addIndex(QStringLiteral("NomeDesc"), QStringLiteral("NM"),
                Idx::CaseInsensitive | Idx::Descending);
    ds.setIndexName(QStringLiteral("NomeDesc"));
    EXPECT_EQ(column(ds, QStringLiteral("NM")), texts({"b", "B", "A", "a"}));
}

TEST(ClientDataSet, IndexPutsNullsFirstAscendingAndLastDescending) {
    ClientDataSet ds(QStringLiteral("cdsReserva"));
    ds.setData(
        {{{QStringLiteral("K"), FieldType::Text, 1}, {QStringLiteral("V"), FieldType::Integer, 0}},
         {{QStringLiteral("a"), 2LL},
          {QStringLiteral("b"), QVariant()},
          {QStringLiteral("c"), 1LL}}});
    ds.setIndexFieldNames(QStringLiteral("V"));
    EXPECT_EQ(column(ds, QStringLiteral("K")), texts({"b", "c", "a"}));
    ds.addIndex(QStringLiteral("VDesc"), QStringLiteral("V"), {}, QStringLiteral("V"));
    ds.setIndexName(QStringLiteral("VDesc"));
    EXPECT_EQ(column(ds, QStringLiteral("K")), texts({"a", "c", "b"}));
}

TEST_F(ClientDataSetTest, IndexErrorsNameTheFieldAndChangeNothing) {
    ds.setIndexFieldNames(QStringLiteral("NRORDEM"));
    QString e = errorOf([&] { ds.setIndexFieldNames(QStringLiteral("NRORDEM;DTHRINC")); });
    EXPECT_TRUE(e.contains(QStringLiteral("DTHRINC"))) << e.toStdString();
    e = errorOf([&] { ds.addIndex(QStringLiteral("X"), QStringLiteral("NRMESA")); });
    EXPECT_TRUE(e.contains(QStringLiteral("NRMESA"))) << e.toStdString();
    e = errorOf([&] { ds.setIndexName(QStringLiteral("Inexistente")); });
    EXPECT_TRUE(e.contains(QStringLiteral("Inexistente"))) << e.toStdString();
    EXPECT_EQ(ds.indexFieldNames(), QStringLiteral("NRORDEM"));
    EXPECT_EQ(column(ds, QStringLiteral("NRPRODCOMVEN")),
              texts({"000001", "000004", "000002", "000003"}));
}

TEST_F(ClientDataSetTest, IndexChangesKeepTheRecordAndPostMovesIt) {
    ds.setIndexFieldNames(QStringLiteral("NRPRODCOMVEN"));
    ds.locate(QStringLiteral("NRPRODCOMVEN"), QStringLiteral("000002"));
    ds.setIndexFieldNames(QStringLiteral("NRORDEM"));
    EXPECT_EQ(ds.fieldByName(QStringLiteral("NRPRODCOMVEN")).asString(), QStringLiteral("000002"));
    EXPECT_EQ(ds.recNo(), 3);

    // The edited record moves to its sorted place and the cursor follows it.
    ds.edit();
    ds.fieldByName(QStringLiteral("NRORDEM")).setValue(5);
    ds.post();
    EXPECT_EQ(ds.recNo(), 1);
    EXPECT_EQ(ds.fieldByName(QStringLiteral("NRPRODCOMVEN")).asString(), QStringLiteral("000002"));

    ds.append();
    ds.fieldByName(QStringLiteral("NRPRODCOMVEN")).setValue(QStringLiteral("000005"));
    ds.fieldByName(QStringLiteral("NRORDEM")).setValue(15);
    ds.post();
    EXPECT_EQ(ds.recNo(), 4);
    EXPECT_EQ(column(ds, QStringLiteral("NRPRODCOMVEN")),
              texts({"000002", "000001", "000004", "000005", "000003"}));
}

TEST_F(ClientDataSetTest, IndexAndFilterStayInForceWhenDataIsReloaded) {
    ds.deleteIndexes();
    ds.addIndex(QStringLiteral("Indice"), QStringLiteral("NRPRODCOMVEN"), Idx::CaseInsensitive);
    ds.setIndexName(QStringLiteral("Indice"));
    ds.setFilter(QStringLiteral("QTPRODCOMVEN >= 1 AND CDPRODUTO <> 'Agua'"));
    ds.setFiltered(true);
    ds.setData(itemsPacket());
    EXPECT_EQ(ds.indexName(), QStringLiteral("Indice"));
    EXPECT_EQ(column(ds, QStringLiteral("NRPRODCOMVEN")), texts({"000001", "000002", "000003"}));

    // A structure without the filtered field is refused and nothing changes.
    DataPacket other;
    other.fields = {{QStringLiteral("NRPRODCOMVEN"), FieldType::Text, 6}};
    other.rows = {{QStringLiteral("1")}};
    EXPECT_FALSE(errorOf([&] { ds.setData(other); }).isEmpty());
    EXPECT_EQ(ds.data(), itemsPacket());
    EXPECT_EQ(ds.recordCount(), 3);
}

TEST_F(ClientDataSetTest, EditLoopUnderAFilterOnTheEditedFieldVisitsEveryRecord) {
    DataPacket p = itemsPacket();
    for (int i = 0; i < 50; ++i) {
        p.rows.append({QStringLiteral("%1").arg(100 + i, 6, 10, QLatin1Char('0')),
                       i % 3 ? QStringLiteral("COUVER") : QStringLiteral("CERVEJA"),
                       i % 2 ? QStringLiteral("CAR") : QStringLiteral(" "), 1.0, qlonglong(i)});
    }
    ds.setData(p);
    int expected = 0;
    for (const QVariantList& r : p.rows) {
        expected +=
            r[1].toString() == QStringLiteral("COUVER") && r[2].toString() != QStringLiteral("CAR");
    }
    ASSERT_GT(expected, 2);

    ds.setFilter(QStringLiteral("CDPRODUTO  = 'COUVER' AND IDCONFIGPROD <>'CAR'"));
    ds.setFiltered(true);
    EXPECT_EQ(ds.recordCount(), expected);
    int visits = 0;
    while (!ds.eof() && visits <= expected) {
        ds.edit();
        ds.fieldByName(QStringLiteral("IDCONFIGPROD")).setValue(QStringLiteral("CAR"));
        ds.post();
        ++visits;
    }
    EXPECT_EQ(visits, expected);
    EXPECT_TRUE(ds.isEmpty());
    ds.setFiltered(false);
    ds.first();
    EXPECT_EQ(ds.recNo(), 1);
    const DataPacket after = ds.data();
    ASSERT_EQ(after.rowCount(), p.rowCount());
    for (int i = 0; i < p.rowCount(); ++i) {
        const bool couver = p.rows[i][1].toString() == QStringLiteral("COUVER");
        EXPECT_EQ(after.rows[i][2], couver ? QVariant(QStringLiteral("CAR")) : p.rows[i][2]) << i;
    }
}

TEST_F(ClientDataSetTest, PostOfARecordLeavingTheFilterKeepsTheViewPosition) {
    ds.setFilter(QStringLiteral("IDCONFIGPROD = ' '"));
    ds.setFiltered(true);
    EXPECT_EQ(column(ds, QStringLiteral("NRPRODCOMVEN")), texts({"000003", "000001", "000004"}));
    ds.first();
    ds.next(); // 000001, in the middle
    ds.edit();
    ds.fieldByName(QStringLiteral("IDCONFIGPROD")).setValue(QStringLiteral("CON"));
    ds.post();
    EXPECT_EQ(ds.fieldByName(QStringLiteral("NRPRODCOMVEN")).asString(), QStringLiteral("000004"));
    EXPECT_FALSE(ds.eof());
    ds.edit(); // the last visible one leaves: eof, on the new last record
    ds.fieldByName(QStringLiteral("IDCONFIGPROD")).setValue(QStringLiteral("CON"));
    ds.post();
    EXPECT_TRUE(ds.eof());
    EXPECT_EQ(ds.fieldByName(QStringLiteral("NRPRODCOMVEN")).asString(), QStringLiteral("000003"));

    // An appended record outside the filter is stored but not shown.
    ds.append();
    ds.fieldByName(QStringLiteral("IDCONFIGPROD")).setValue(QStringLiteral("XXX"));
    ds.post();
    EXPECT_EQ(ds.recordCount(), 1);
    EXPECT_EQ(ds.data().rowCount(), 5);
}

TEST_F(ClientDataSetTest, FilterTogglingAndBadFilters) {
    ds.setFilter(QStringLiteral("CDPRODUTO = 'COUVER'"));
    EXPECT_EQ(ds.recordCount(), 4); // not in force until filtered
    ds.setFiltered(true);
    EXPECT_EQ(ds.recordCount(), 2);
    EXPECT_TRUE(ds.bof());
    ds.setFiltered(false);
    ds.setFilter(QStringLiteral("(NRORDEM = 10 OR NRORDEM = 20) AND CDPRODUTO = 'Agua'"));
    ds.setFiltered(true);
    EXPECT_EQ(column(ds, QStringLiteral("NRPRODCOMVEN")), texts({"000004"}));
    ds.setFilter(QStringLiteral("CDPRODUTO = 'NADA'"));
    EXPECT_TRUE(ds.isEmpty() && ds.eof());

    // A bad text is refused when it takes effect; what was in force stays.
    ds.setFilter(QStringLiteral("NRORDEM > 15"));
    QString e = errorOf([&] { ds.setFilter(QStringLiteral("NRORDEM >")); });
    EXPECT_TRUE(e.startsWith(QStringLiteral("Filtro inválido \"NRORDEM >\""))) << e.toStdString();
    EXPECT_EQ(ds.filter(), QStringLiteral("NRORDEM > 15"));
    EXPECT_EQ(ds.recordCount(), 2);

    ds.setFiltered(false);
    ds.setFilter(QStringLiteral("NRMESA = '1'")); // stored only
    e = errorOf([&] { ds.setFiltered(true); });
    EXPECT_TRUE(e.contains(QStringLiteral("NRMESA"))) << e.toStdString();
    EXPECT_FALSE(ds.filtered());
    EXPECT_EQ(ds.recordCount(), 4);
}

TEST_F(ClientDataSetTest, FilesRoundTripAndBadFilesLeaveTheDataSetAsItWas) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("ListaComanda.cds"));
    ds.saveToFile(path);
    ClientDataSet loaded(QStringLiteral("cdsCopia"));
    loaded.loadFromFile(path);
    EXPECT_EQ(loaded.data(), ds.data());
    EXPECT_EQ(loaded.recNo(), 1);

    const QByteArray good = [&] {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    QByteArray mistyped = good;
    mistyped.replace("NRORDEM=\"30\"", "NRORDEM=\"trinta\"");
    QByteArray unknownAttribute = good;
    unknownAttribute.replace("NRORDEM=\"30\"", "NRMESA=\"30\"");
    ASSERT_NE(mistyped, good);
    ASSERT_NE(unknownAttribute, good);
    const QList<QByteArray> bad = {
        good.left(good.size() / 2), good.left(good.size() - 4), mistyped,
        unknownAttribute,           QByteArray("<ROWDATA/>"),   QByteArray()};
    ds.setIndexFieldNames(QStringLiteral("NRORDEM"));
    ds.last();
    for (const QByteArray& content : bad) {
        const QString badPath = dir.filePath(QStringLiteral("Ruim.cds"));
        QFile f(badPath);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
        f.close();
        const QString e = errorOf([&] { ds.loadFromFile(badPath); });
        EXPECT_TRUE(e.contains(badPath)) << e.toStdString();
        EXPECT_EQ(ds.data(), itemsPacket());
        EXPECT_EQ(ds.recNo(), 4);
        EXPECT_TRUE(ds.eof());
    }
    const QString missing = dir.filePath(QStringLiteral("NaoExiste.cds"));
    EXPECT_TRUE(errorOf([&] { ds.loadFromFile(missing); }).contains(missing));
    EXPECT_EQ(ds.data(), itemsPacket());
}
