#include "platform/datapacket_xml.h"
#include "platform/errors.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace tmk;

namespace {

QString errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const AppError& e) {
        return e.message();
    }
    return {};
}

QByteArray packetXml(const QByteArray& fields, const QByteArray& rows) {
    return "<?xml version=\"1.0\" standalone=\"yes\"?>\n<DATAPACKET Version=\"2.0\"><METADATA>"
           "<FIELDS>" +
           fields + "</FIELDS><PARAMS/></METADATA>\n<ROWDATA>" + rows + "</ROWDATA></DATAPACKET>";
}

DataPacket everyTypePacket() {
    DataPacket p;
    p.fields = {{QStringLiteral("CDFILIAL"), FieldType::Text, 4},
                {QStringLiteral("NMPRODUTO"), FieldType::Text, 0},
                {QStringLiteral("NRORDEM"), FieldType::Integer, 0},
                {QStringLiteral("VRPRECO"), FieldType::Float, 0},
                {QStringLiteral("BOATIVO"), FieldType::Boolean, 0},
                {QStringLiteral("DTHRINCMOV"), FieldType::DateTime, 0}};
    p.rows = {
        {QStringLiteral("0001"), QStringLiteral("Pão de queijo \"grande\" & café <quente>"), 1LL,
         12.5, true, QDateTime(QDate(2024, 3, 15), QTime(13, 45, 30, 123))},
        {QStringLiteral("0002"), QStringLiteral("Linha 1\r\nLinha 2\tfim 'aspas' ção"), -7LL,
         0.1 + 0.2, false, QDateTime(QDate(1999, 12, 31), QTime(0, 0))},
        {QStringLiteral("0003"), QString(""), 0LL, 1e20, {}, {}},
        {{}, {}, {}, {}, {}, {}},
        {QStringLiteral("0005"), QStringLiteral("Ñandú € 🍺"), 2147483647LL, -1234.5678, true,
         QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59, 999))},
    };
    return p;
}

class DataPacketFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString write(const QByteArray& content, const QString& name = QStringLiteral("Dados.cds")) {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
        return path;
    }
    QByteArray contents(const QString& path) {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }
    QString loadError(const QByteArray& content) {
        const QString path = write(content);
        return errorOf([&] { readDataPacketFile(path); });
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(DataPacketFile, EveryTypeNullsAndSpecialCharactersRoundTrip) {
    const QString path = dir.filePath(QStringLiteral("Tipos.cds"));
    writeDataPacketFile(path, everyTypePacket());
    const DataPacket back = readDataPacketFile(path);
    ASSERT_EQ(back.fields.size(), 6);
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(back.fields[c].name, everyTypePacket().fields[c].name);
        EXPECT_EQ(back.fields[c].type, everyTypePacket().fields[c].type);
    }
    EXPECT_EQ(back.rows, everyTypePacket().rows);
    // An empty text stays an empty text, a null stays null.
    EXPECT_TRUE(back.rows[2][1].isValid());
    EXPECT_FALSE(back.rows[3][0].isValid());
}

TEST_F(DataPacketFile, WritesTheDataPacketLayout) {
    const QString path = dir.filePath(QStringLiteral("Tipos.cds"));
    DataPacket p = everyTypePacket();
    p.fields.append({QStringLiteral("NRGRANDE"), FieldType::Integer, 0});
    for (QVariantList& r : p.rows) {
        r.append(QVariant());
    }
    p.rows[0].last() = 5000000000LL;
    writeDataPacketFile(path, p);
    const QByteArray xml = contents(path);
    EXPECT_TRUE(xml.startsWith("<?xml version=\"1.0\" standalone=\"yes\"?>"));
    EXPECT_TRUE(xml.contains("<DATAPACKET Version=\"2.0\">"));
    EXPECT_TRUE(xml.contains("<FIELD attrname=\"CDFILIAL\" fieldtype=\"string\" WIDTH=\"4\"/>"));
    // Width 0: the longest value.
    EXPECT_TRUE(xml.contains("<FIELD attrname=\"NMPRODUTO\" fieldtype=\"string\" WIDTH=\"38\"/>"))
        << xml.toStdString();
    EXPECT_TRUE(xml.contains("<FIELD attrname=\"NRORDEM\" fieldtype=\"i4\"/>"));
    EXPECT_TRUE(xml.contains("<FIELD attrname=\"NRGRANDE\" fieldtype=\"i8\"/>"));
    EXPECT_TRUE(xml.contains("<FIELD attrname=\"VRPRECO\" fieldtype=\"r8\"/>"));
    EXPECT_TRUE(xml.contains("<FIELD attrname=\"BOATIVO\" fieldtype=\"boolean\"/>"));
    EXPECT_TRUE(xml.contains("<FIELD attrname=\"DTHRINCMOV\" fieldtype=\"dateTime\"/>"));
    EXPECT_TRUE(xml.contains("<PARAMS/>"));
    EXPECT_TRUE(
        xml.contains("VRPRECO=\"12.5\" BOATIVO=\"TRUE\" DTHRINCMOV=\"20240315T13:45:30123\""));
    EXPECT_TRUE(xml.contains("BOATIVO=\"FALSE\""));
    EXPECT_TRUE(xml.contains("NMPRODUTO=\"Linha 1&#13;&#10;Linha 2&#9;fim"));
    EXPECT_TRUE(xml.contains("<ROW/>")); // a row of nulls has no attributes
    EXPECT_FALSE(xml.contains("NMPRODUTO=\"\" NRORDEM=\"0\" VRPRECO=\"1e+20\" BOATIVO"));
    EXPECT_TRUE(
        xml.contains("<ROW CDFILIAL=\"0003\" NMPRODUTO=\"\" NRORDEM=\"0\" VRPRECO=\"1e+20\"/>"));
    // A text column with no values at all still has a width of 1.
    DataPacket empty;
    empty.fields = {{QStringLiteral("DSOBS"), FieldType::Text, 0}};
    EXPECT_TRUE(dataPacketToXml(empty).contains("WIDTH=\"1\""));
}

TEST_F(DataPacketFile, ReadsTheOtherFieldTypes) {
    const QByteArray xml = packetXml(
        "<FIELD attrname=\"A\" fieldtype=\"string.uni\" WIDTH=\"20\"/>"
        "<FIELD attrname=\"B\" fieldtype=\"i1\"/><FIELD attrname=\"C\" fieldtype=\"i2\"/>"
        "<FIELD attrname=\"D\" fieldtype=\"ui1\"/><FIELD attrname=\"E\" fieldtype=\"ui2\"/>"
        "<FIELD attrname=\"F\" fieldtype=\"ui4\"/><FIELD attrname=\"G\" fieldtype=\"i8\"/>"
        "<FIELD attrname=\"H\" fieldtype=\"r4\"/><FIELD attrname=\"I\" fieldtype=\"fixed\" "
        "DECIMALS=\"2\" WIDTH=\"15\"/>"
        "<FIELD attrname=\"J\" fieldtype=\"fixedFMT\"/><FIELD attrname=\"K\" fieldtype=\"date\"/>"
        "<FIELD attrname=\"L\" fieldtype=\"time\"/>"
        "<FIELD attrname=\"M\" fieldtype=\"SQLdateTime\"/>"
        "<FIELD attrname=\"N\" fieldtype=\"dateTime\" SUBTYPE=\"Formatted\"/>",
        "<ROW RowState=\"4\" A=\"ação\" B=\"-128\" C=\"32767\" D=\"255\" E=\"65535\" "
        "F=\"4294967295\" G=\"-9223372036854775808\" H=\"1.25\" I=\"12.50\" J=\"-3\" "
        "K=\"20240315\" L=\"13:45:30123\" M=\"20240315T13:45:30\" N=\"20240315T13:45:30.5\"/>");
    const DataPacket p = parseDataPacketXml(xml, QStringLiteral("memória"));
    ASSERT_EQ(p.rows.size(), 1);
    const QVariantList& r = p.rows[0];
    EXPECT_EQ(p.fields[0].type, FieldType::Text);
    EXPECT_EQ(r[0].toString(), QStringLiteral("ação"));
    EXPECT_EQ(r[1].toLongLong(), -128);
    EXPECT_EQ(r[2].toLongLong(), 32767);
    EXPECT_EQ(r[3].toLongLong(), 255);
    EXPECT_EQ(r[4].toLongLong(), 65535);
    EXPECT_EQ(r[5].toLongLong(), 4294967295LL);
    EXPECT_EQ(r[6].toLongLong(), std::numeric_limits<qlonglong>::min());
    EXPECT_EQ(p.fields[8].type, FieldType::Float);
    EXPECT_DOUBLE_EQ(r[7].toDouble(), 1.25);
    EXPECT_DOUBLE_EQ(r[8].toDouble(), 12.5);
    EXPECT_DOUBLE_EQ(r[9].toDouble(), -3.0);
    EXPECT_EQ(p.fields[10].type, FieldType::DateTime);
    EXPECT_EQ(r[10].toDateTime(), QDateTime(QDate(2024, 3, 15), QTime(0, 0)));
    EXPECT_EQ(r[11].toDateTime(), QDateTime(QDate(1899, 12, 30), QTime(13, 45, 30, 123)));
    EXPECT_EQ(r[12].toDateTime(), QDateTime(QDate(2024, 3, 15), QTime(13, 45, 30)));
    EXPECT_EQ(r[13].toDateTime(), QDateTime(QDate(2024, 3, 15), QTime(13, 45, 30, 500)));
}

TEST_F(DataPacketFile, MistypedValuesNameFileFieldAndLine) {
    const QString path = write(packetXml("\n<FIELD attrname=\"NRORDEM\" fieldtype=\"i4\"/>\n",
                                         "<ROW NRORDEM=\"1\"/>\n<ROW NRORDEM=\"abc\"/>"));
    // Lines: 1 declaration, 2 DATAPACKET, 3 FIELD, 4 end of METADATA, 5 first ROW, 6 bad ROW.
    EXPECT_EQ(errorOf([&] { readDataPacketFile(path); }),
              QStringLiteral("Arquivo \"%1\" inválido: valor \"abc\" do campo NRORDEM não é um "
                             "número inteiro (linha 6).")
                  .arg(path));

    auto fieldXml = [](const char* type) {
        return QByteArray("<FIELD attrname=\"V\" fieldtype=\"") + type + "\"/>";
    };
    struct Case {
        const char* type;
        const char* value;
        const char* expected;
    } cases[] = {
        {"i1", "128", "fora do intervalo do tipo i1"},
        {"ui2", "-1", "fora do intervalo do tipo ui2"},
        {"i4", "3000000000", "fora do intervalo do tipo i4"},
        {"i8", "1.5", "não é um número inteiro"},
        {"r8", "12,5", "não é um número"},
        {"r8", "nan", "não é um número"},
        {"boolean", "S", "não é um valor lógico"},
        {"dateTime", "2024-03-15", "não é uma data válida"},
        {"date", "20240231", "não é uma data válida"},
        {"time", "25:00:00000", "não é uma hora válida"},
    };
    for (const Case& c : cases) {
        const QString e =
            loadError(packetXml(fieldXml(c.type), QByteArray("<ROW V=\"") + c.value + "\"/>"));
        EXPECT_TRUE(e.contains(QString::fromUtf8(c.expected)) && e.contains(QStringLiteral("V")))
            << c.type << " " << c.value << ": " << e.toStdString();
    }
}

TEST_F(DataPacketFile, MalformedTruncatedAndForeignFilesAreRefusedClearly) {
    const QString path = dir.filePath(QStringLiteral("Bom.cds"));
    writeDataPacketFile(path, everyTypePacket());
    const QByteArray good = contents(path);
    const qsizetype end = good.trimmed().size();
    for (const qsizetype cut : {qsizetype(10), end / 3, end / 2, end - 1}) {
        const QString e = loadError(good.left(cut));
        EXPECT_TRUE(e.contains(dir.filePath(QStringLiteral("Dados.cds"))) &&
                    e.contains(QStringLiteral("inválido")))
            << cut << ": " << e.toStdString();
    }
    EXPECT_TRUE(loadError(good.left(good.size() / 2)).contains(QStringLiteral("incompleto")));
    EXPECT_TRUE(loadError(QByteArray()).contains(QStringLiteral("vazio")));
    EXPECT_TRUE(loadError("<DATAPACKET><METADATA><FIELDS></METADATA></DATAPACKET>")
                    .contains(QStringLiteral("XML malformado")));
    EXPECT_TRUE(loadError("<html><body/></html>").contains(QStringLiteral("pacote de dados")));
    EXPECT_TRUE(loadError(good + "<lixo/>").contains(QStringLiteral("inválido")));
    EXPECT_TRUE(loadError(packetXml("", "")).contains(QStringLiteral("campos")));
    EXPECT_TRUE(loadError(packetXml("<FIELD attrname=\"X\" fieldtype=\"bin.hex\"/>", ""))
                    .contains(QStringLiteral("\"bin.hex\" desconhecido no campo X")));
    EXPECT_TRUE(
        loadError(packetXml("<FIELD fieldtype=\"i4\"/>", "")).contains(QStringLiteral("nome")));
    EXPECT_TRUE(loadError(packetXml("<FIELD attrname=\"X\" fieldtype=\"i4\"/>"
                                    "<FIELD attrname=\"x\" fieldtype=\"i4\"/>",
                                    ""))
                    .contains(QStringLiteral("duas vezes")));
    EXPECT_TRUE(loadError(packetXml("<FIELD attrname=\"X\" fieldtype=\"string\" WIDTH=\"a\"/>", ""))
                    .contains(QStringLiteral("largura")));
    EXPECT_TRUE(loadError(packetXml("<FIELD attrname=\"X\" fieldtype=\"i4\"/>", "<ROW Y=\"1\"/>"))
                    .contains(QStringLiteral("atributo Y")));

    const QString missing = dir.filePath(QStringLiteral("AliqImpFis.cds"));
    EXPECT_EQ(errorOf([&] { readDataPacketFile(missing); }),
              QStringLiteral("Arquivo \"%1\" não encontrado.").arg(missing));
    EXPECT_FALSE(errorOf([&] { readDataPacketFile(dir.path()); }).isEmpty());
}

TEST_F(DataPacketFile, TextWithoutDeclaredEncodingFallsBackToLatin1) {
    QByteArray latin1 = packetXml("<FIELD attrname=\"NM\" fieldtype=\"string\" WIDTH=\"10\"/>",
                                  "<ROW NM=\"ação\"/>");
    latin1 = QString::fromUtf8(latin1).toLatin1();
    EXPECT_EQ(parseDataPacketXml(latin1, QStringLiteral("x")).rows[0][0].toString(),
              QStringLiteral("ação"));
    const QByteArray declared =
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><DATAPACKET Version=\"2.0\"><METADATA>"
        "<FIELDS><FIELD attrname=\"NM\" fieldtype=\"string\" WIDTH=\"10\"/></FIELDS></METADATA>"
        "<ROWDATA><ROW NM=\"" +
        QStringLiteral("pão").toLatin1() + "\"/></ROWDATA></DATAPACKET>";
    EXPECT_EQ(parseDataPacketXml(declared, QStringLiteral("x")).rows[0][0].toString(),
              QStringLiteral("pão"));
}

TEST_F(DataPacketFile, UnwritableValuesAndPlacesFailWithoutTouchingTheOldFile) {
    const QString path = dir.filePath(QStringLiteral("Param.cds"));
    writeDataPacketFile(path, everyTypePacket());
    const QByteArray before = contents(path);

    DataPacket control = everyTypePacket();
    control.rows[1][1] = QStringLiteral("bip\x07");
    QString e = errorOf([&] { writeDataPacketFile(path, control); });
    EXPECT_TRUE(e.contains(path) && e.contains(QStringLiteral("NMPRODUTO")) &&
                e.contains(QStringLiteral("registro 2")))
        << e.toStdString();

    DataPacket badName = everyTypePacket();
    badName.fields[0].name = QStringLiteral("CD FILIAL");
    EXPECT_TRUE(
        errorOf([&] { writeDataPacketFile(path, badName); }).contains(QStringLiteral("CD FILIAL")));

    DataPacket badValue = everyTypePacket();
    badValue.rows[0][2] = QStringLiteral("um");
    EXPECT_TRUE(
        errorOf([&] { writeDataPacketFile(path, badValue); }).contains(QStringLiteral("NRORDEM")));

    DataPacket notFinite = everyTypePacket();
    notFinite.rows[0][3] = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(errorOf([&] { writeDataPacketFile(path, notFinite); }).isEmpty());

    EXPECT_EQ(contents(path), before);

    const QString noFolder = dir.filePath(QStringLiteral("nao/existe/Param.cds"));
    e = errorOf([&] { writeDataPacketFile(noFolder, everyTypePacket()); });
    EXPECT_TRUE(
        e.startsWith(QStringLiteral("Não foi possível gravar o arquivo \"%1\"").arg(noFolder)))
        << e.toStdString();
    EXPECT_FALSE(QFile::exists(noFolder));
}

TEST_F(DataPacketFile, ValuesOfLooseTypesAreWrittenInTheColumnType) {
    DataPacket p;
    p.fields = {{QStringLiteral("NR"), FieldType::Integer, 0},
                {QStringLiteral("VR"), FieldType::Float, 0},
                {QStringLiteral("DT"), FieldType::DateTime, 0}};
    p.rows = {{QStringLiteral("12"), 3, QStringLiteral("2024-03-15 10:00:00")}};
    const DataPacket back = parseDataPacketXml(dataPacketToXml(p), QStringLiteral("x"));
    EXPECT_EQ(back.rows[0], (QVariantList{QVariant(12LL), QVariant(3.0),
                                          QVariant(QDateTime(QDate(2024, 3, 15), QTime(10, 0)))}));
}

namespace {

QByteArray utf16(const QString& text, bool bigEndian, bool withBom) {
    QByteArray out;
    if (withBom) {
        out += bigEndian ? QByteArray("\xFE\xFF", 2) : QByteArray("\xFF\xFE", 2);
    }
    for (const QChar c : text) {
        const char hi = char(c.unicode() >> 8);
        const char lo = char(c.unicode() & 0xFF);
        out += bigEndian ? QByteArray{&hi, 1} + QByteArray{&lo, 1}
                         : QByteArray{&lo, 1} + QByteArray{&hi, 1};
    }
    return out;
}

QString namesPacketText(const QString& encoding) {
    const QString declaration =
        encoding.isEmpty() ? QString() : QStringLiteral(" encoding=\"%1\"").arg(encoding);
    return QStringLiteral("<?xml version=\"1.0\"%1 standalone=\"yes\"?>\r\n<DATAPACKET "
                          "Version=\"2.0\"><METADATA><FIELDS><FIELD attrname=\"CDOPERADOR\" "
                          "fieldtype=\"string\" WIDTH=\"12\"/><FIELD attrname=\"NMOPERADOR\" "
                          "fieldtype=\"string\" WIDTH=\"60\"/></FIELDS><PARAMS/></METADATA>"
                          "<ROWDATA><ROW CDOPERADOR=\"0001\" NMOPERADOR=\"João Ñandú 🍺\"/>"
                          "</ROWDATA></DATAPACKET>")
        .arg(declaration);
}

} // namespace

TEST_F(DataPacketFile, Utf16AndByteOrderMarksAreRead) {
    const QString utf16Text = namesPacketText(QStringLiteral("UTF-16"));
    const QString utf8Text = namesPacketText(QStringLiteral("UTF-8"));
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"UTF-16 little-endian with mark", utf16(utf16Text, false, true)},
        {"UTF-16 big-endian with mark", utf16(utf16Text, true, true)},
        {"UTF-16 little-endian declared, no mark", utf16(utf16Text, false, false)},
        {"UTF-16 big-endian declared, no mark", utf16(utf16Text, true, false)},
        {"UTF-16 with mark, nothing declared", utf16(namesPacketText({}), false, true)},
        {"UTF-8 with mark", "\xEF\xBB\xBF" + utf8Text.toUtf8()},
        {"UTF-8 with mark, nothing declared", "\xEF\xBB\xBF" + namesPacketText({}).toUtf8()},
        {"UTF-8 declared", utf8Text.toUtf8()},
    };
    for (const auto& c : cases) {
        const QString path = write(c.bytes, QStringLiteral("Operadores.cds"));
        try {
            const DataPacket p = readDataPacketFile(path);
            ASSERT_EQ(p.rowCount(), 1) << c.what;
            EXPECT_EQ(p.value(0, QStringLiteral("CDOPERADOR")).toString(), QStringLiteral("0001"))
                << c.what;
            EXPECT_EQ(p.value(0, QStringLiteral("NMOPERADOR")).toString(),
                      QStringLiteral("João Ñandú 🍺"))
                << c.what;
        } catch (const AppError& e) {
            ADD_FAILURE() << c.what << ": " << e.message().toStdString();
        }
    }
}

TEST_F(DataPacketFile, DamagedUnicodeTextIsRefusedNamingTheFile) {
    const QByteArray whole = utf16(namesPacketText(QStringLiteral("UTF-16")), false, true);
    const struct {
        const char* what;
        QByteArray bytes;
        const char* fault;
    } cases[] = {
        {"odd number of UTF-16 bytes", whole + QByteArray("\0", 1), "UTF-16 está incompleto"},
        {"UTF-8 mark before bytes that are not UTF-8", QByteArray("\xEF\xBB\xBF<?xml \xFF\xFE"),
         "não é UTF-8"},
        {"only a mark", QByteArray("\xFF\xFE"), "vazio"},
        {"UTF-16 cut in the middle", whole.left(whole.size() / 2), "incompleto"},
    };
    for (const auto& c : cases) {
        const QString path = write(c.bytes, QStringLiteral("Operadores.cds"));
        const QString e = errorOf([&] { readDataPacketFile(path); });
        EXPECT_TRUE(e.contains(path) && e.contains(QString::fromUtf8(c.fault)))
            << c.what << ": " << e.toStdString();
    }
}

TEST_F(DataPacketFile, StoreCodesDeclaredAsNumbersAreRefused) {
    const struct {
        const char* field;
        const char* type;
    } refused[] = {{"CDFILIAL", "i4"},    {"CDLOJA", "r8"},         {"CDCAIXA", "i2"},
                   {"CDOPERADOR", "i8"},  {"NRCONFTELA", "ui4"},    {"cdfiliconfte", "fixed"},
                   {"NRMESA", "boolean"}, {"CDCLIENTE", "dateTime"}};
    for (const auto& c : refused) {
        const QByteArray xml = packetXml("<FIELD attrname=\"" + QByteArray(c.field) +
                                             "\" fieldtype=\"" + c.type + "\"/>",
                                         "<ROW " + QByteArray(c.field) + "=\"1\"/>");
        const QString path = write(xml, QStringLiteral("PARAMETROSKOV.CDS"));
        const QString e = errorOf([&] { readDataPacketFile(path); });
        EXPECT_TRUE(e.contains(path) && e.contains(QString::fromLatin1(c.field)) &&
                    e.contains(QStringLiteral("deve ser texto")) &&
                    e.contains(QString::fromLatin1(c.type)))
            << c.field << ": " << e.toStdString();

        DataPacket p;
        p.fields = {{QString::fromLatin1(c.field), FieldType::Integer, 0}};
        p.rows = {{1LL}};
        const QString w = errorOf([&] { writeDataPacketFile(path, p); });
        EXPECT_TRUE(w.contains(QString::fromLatin1(c.field)) && w.contains(QStringLiteral("texto")))
            << c.field << ": " << w.toStdString();
    }
    // Numbers that are not store codes stay numbers.
    const DataPacket ok = parseDataPacketXml(
        packetXml("<FIELD attrname=\"CDACESSO\" fieldtype=\"i4\"/><FIELD attrname=\"CDFILIAL\" "
                  "fieldtype=\"string\" WIDTH=\"4\"/>",
                  "<ROW CDACESSO=\"31\" CDFILIAL=\"0001\"/>"),
        QStringLiteral("x"));
    EXPECT_EQ(ok.rows[0], (QVariantList{31LL, QStringLiteral("0001")}));
}

TEST_F(DataPacketFile, FieldNamesTheRowsCannotCarryAreRefused) {
    for (const char* name : {"CËFILIAL", "CD FILIAL", "1CDFILIAL", "xmlCampo", "CD<FILIAL"}) {
        QByteArray attr(name);
        attr.replace("<", "&lt;");
        const QString e = loadError(
            packetXml("<FIELD attrname=\"" + attr + "\" fieldtype=\"string\" WIDTH=\"4\"/>", ""));
        EXPECT_TRUE(e.contains(QStringLiteral("nome de campo")) &&
                    e.contains(QString::fromUtf8(name)))
            << name << ": " << e.toStdString();
    }
    EXPECT_TRUE(loadError(packetXml("<FIELD attrname=\"CD_FILIAL-2.A\" fieldtype=\"string\" "
                                    "WIDTH=\"4\"/>",
                                    "<ROW CD_FILIAL-2.A=\"0001\"/>"))
                    .isEmpty());
}
