// The schema description, its parser and the column-type dictionary (no database).

#include "db/schema.h"
#include "platform/errors.h"

#include <QSqlDatabase>
#include <gtest/gtest.h>

using namespace tmk;
using namespace tmk::db;

namespace {

QString parseError(const QString& text) {
    try {
        parseSchema(text);
    } catch (const AppError& e) {
        return e.message();
    }
    return {};
}

const QString kValid = QStringLiteral("version 2\n"
                                      "table MESA\n"
                                      "    CDFILIAL text 4 key\n"
                                      "    NRMESA text 4 key   # the table number\n"
                                      "    NMMESA text 30\n"
                                      "    DTBLOQMESA datetime notnull\n"
                                      "    TXOBS memo\n"
                                      "    QTLUGAR integer\n"
                                      "    VRMIN float\n"
                                      "index IX_MESA_NOME on MESA (CDFILIAL, NMMESA)\n"
                                      "results\n"
                                      "    QTDEMESAS integer\n");

} // namespace

TEST(SchemaParser, ReadsTablesColumnsIndexesAndResults) {
    const Schema s = parseSchema(kValid);
    EXPECT_EQ(s.version, 2);
    ASSERT_EQ(s.tables.size(), 1);
    const Table& t = s.tables.first();
    EXPECT_EQ(t.keyColumns(), (QStringList{QStringLiteral("CDFILIAL"), QStringLiteral("NRMESA")}));
    ASSERT_TRUE(t.column(QStringLiteral("nmmesa")));
    EXPECT_EQ(t.column(QStringLiteral("NMMESA"))->fieldDef(),
              (FieldDef{QStringLiteral("NMMESA"), FieldType::Text, 30}));
    EXPECT_FALSE(t.column(QStringLiteral("NMMESA"))->notNull);
    EXPECT_TRUE(t.column(QStringLiteral("NRMESA"))->notNull);
    EXPECT_TRUE(t.column(QStringLiteral("DTBLOQMESA"))->notNull);
    EXPECT_FALSE(t.column(QStringLiteral("DTBLOQMESA"))->key);
    EXPECT_TRUE(t.column(QStringLiteral("TXOBS"))->isMemo());
    EXPECT_EQ(t.column(QStringLiteral("QTLUGAR"))->type, FieldType::Integer);
    EXPECT_EQ(t.column(QStringLiteral("VRMIN"))->type, FieldType::Float);
    ASSERT_EQ(s.indexes.size(), 1);
    EXPECT_EQ(s.indexes.first().columns,
              (QStringList{QStringLiteral("CDFILIAL"), QStringLiteral("NMMESA")}));
    ASSERT_EQ(s.results.size(), 1);
    EXPECT_EQ(s.results.first().type, FieldType::Integer);
}

TEST(SchemaParser, RejectsMalformedDescriptionsNamingTheLine) {
    const QString head = QStringLiteral("version 1\ntable MESA\n    CDFILIAL text 4 key\n");
    struct Case {
        QString text;
        QString expected; // part of the message
    };
    const Case cases[] = {
        {QStringLiteral("table MESA\n    CDFILIAL text 4 key\n"), QStringLiteral("version")},
        {head + QStringLiteral("    NMMESA text\n"), QStringLiteral("linha 4")},
        {head + QStringLiteral("    NMMESA varchar 10\n"), QStringLiteral("tipo desconhecido")},
        {head + QStringLiteral("    NMMESA text 0\n"), QStringLiteral("largura")},
        {head + QStringLiteral("    NMMESA text 10 chave\n"), QStringLiteral("chave")},
        {head + QStringLiteral("    CDFILIAL text 4\n"), QStringLiteral("repetida")},
        {head + QStringLiteral("    nmMesa text 4\n"), QStringLiteral("inválido")},
        {head + QStringLiteral("    NMMESAMUITOLONGAQUEPASSADOLIMITE text 4\n"),
         QStringLiteral("30 caracteres")},
        {head + QStringLiteral("table MESA\n    X text 1\n"), QStringLiteral("repetida")},
        {head + QStringLiteral("table LOJA\n    CDFILIAL integer\n"), QStringLiteral("linha 5")},
        {head + QStringLiteral("table LOJA\n    CDFILIAL text 5\n"), QStringLiteral("text 4")},
        {head + QStringLiteral("table VAZIA\nindex IX on MESA (CDFILIAL)\n"),
         QStringLiteral("não tem colunas")},
        {head + QStringLiteral("index IX on LOJA (CDFILIAL)\n"), QStringLiteral("LOJA")},
        {head + QStringLiteral("index IX on MESA (NRMESA)\n"), QStringLiteral("NRMESA")},
        {head + QStringLiteral("index MESA on MESA (CDFILIAL)\n"), QStringLiteral("já foi usado")},
        {head + QStringLiteral("index PK_MESA on MESA (CDFILIAL)\n"),
         QStringLiteral("já foi usado")},
        {head + QStringLiteral("index IX on MESA CDFILIAL\n"), QStringLiteral("index NOME")},
        {QStringLiteral("    CDFILIAL text 4\nversion 1\n"), QStringLiteral("fora de uma tabela")},
        {head + QStringLiteral("results\n    CDFILIAL datetime\n"), QStringLiteral("CDFILIAL")},
        {head + QStringLiteral("results\n    QTD integer key\n"), QStringLiteral("key")},
        {head + QStringLiteral("tabela X\n"), QStringLiteral("desconhecida")},
        {head + QStringLiteral("version 3\n"), QStringLiteral("repetida")},
        // A column added later: a version after the first and up to the schema's own,
        // nullable and not a key (existing rows get it empty).
        {head + QStringLiteral("    NMMESA text 4 since 1\n"), QStringLiteral("since N")},
        {head + QStringLiteral("    NMMESA text 4 since 2\n"), QStringLiteral("since N")},
        {head + QStringLiteral("    NMMESA text 4 since\n"), QStringLiteral("since N")},
        {QStringLiteral("version 2\ntable MESA\n    CDFILIAL text 4 key\n    NMMESA text 4 "
                        "since 2 notnull\n"),
         QStringLiteral("notnull")},
        {QStringLiteral("version 2\ntable MESA\n    CDFILIAL text 4 key\n    NR text 4 since 2 "
                        "key\n"),
         QStringLiteral("chave")},
        {QStringLiteral("version 2\ntable MESA\n    CDFILIAL text 4 key\n    NR text 4 since 2 "
                        "since 2\n"),
         QStringLiteral("since")},
        {head + QStringLiteral("index IX on MESA (CDFILIAL) since 1\n"), QStringLiteral("since N")},
        {head + QStringLiteral("index IX on MESA (CDFILIAL) since 9\n"), QStringLiteral("since N")},
        {head + QStringLiteral("index IX on MESA (CDFILIAL) since\n"),
         QStringLiteral("index NOME")},
    };
    for (const Case& c : cases) {
        const QString message = parseError(c.text);
        EXPECT_FALSE(message.isEmpty()) << "accepted:\n" << c.text.toStdString();
        EXPECT_TRUE(message.contains(c.expected))
            << "message \"" << message.toStdString() << "\" lacks \"" << c.expected.toStdString()
            << "\" for:\n"
            << c.text.toStdString();
    }
}

// The description as an earlier version stood: the columns and indexes added since are
// left out, and its fingerprint is the one a database of that version recorded.
TEST(SchemaParser, AnEarlierVersionLeavesOutTheColumnsAddedSince) {
    const QString v1 = QStringLiteral("version 1\ntable MESA\n    CDFILIAL text 4 key\n"
                                      "    NMMESA text 30\nindex IX_NOME on MESA (NMMESA)\n");
    const Schema s = parseSchema(QStringLiteral("version 3\ntable MESA\n    CDFILIAL text 4 key\n"
                                                "    NMMESA text 30\n    CDCAIXA text 4 since 2\n"
                                                "    DTHR datetime since 3\n"
                                                "index IX_NOME on MESA (NMMESA)\n"
                                                "index IX_CAIXA on MESA (CDCAIXA) since 2\n"
                                                "index IX_DTHR on MESA (DTHR) since 3\n"));
    EXPECT_EQ(s.indexes.value(2).since, 3);
    EXPECT_EQ(s.at(3).indexes.size(), 3);
    EXPECT_EQ(s.at(2).indexes.size(), 2);
    EXPECT_EQ(s.at(1).indexes.size(), 1);
    EXPECT_EQ(s.tables.first().column(QStringLiteral("CDCAIXA"))->since, 2);
    EXPECT_EQ(s.tables.first().column(QStringLiteral("NMMESA"))->since, 1);
    EXPECT_EQ(s.at(3).tables.first().columns.size(), 4);
    EXPECT_EQ(s.at(2).tables.first().columns.size(), 3);
    EXPECT_EQ(s.at(1).tables.first().columns.size(), 2);
    EXPECT_EQ(s.at(1).version, 1);
    EXPECT_EQ(schemaFingerprint(s.at(1)), schemaFingerprint(parseSchema(v1)));
    EXPECT_NE(schemaFingerprint(s.at(2)), schemaFingerprint(parseSchema(v1)));
}

TEST(SchemaDescription, CompiledInDescriptionParsesAndHoldsTheKeysTheStatementsRelyOn) {
    const Schema& s = schema();
    EXPECT_GE(s.version, 1);
    const auto key = [&](const char* table) {
        const Table* t = s.table(QString::fromLatin1(table));
        return t ? t->keyColumns().join(QLatin1Char(',')) : QStringLiteral("<sem tabela>");
    };
    EXPECT_EQ(key("MESA"), QStringLiteral("CDFILIAL,CDLOJA,NRMESA"));
    EXPECT_EQ(key("VENDAREST"), QStringLiteral("CDFILIAL,NRVENDAREST"));
    EXPECT_EQ(key("COMANDAVEN"), QStringLiteral("CDFILIAL,NRVENDAREST,NRCOMANDA"));
    EXPECT_EQ(key("ITCOMANDAVEN"), QStringLiteral("CDFILIAL,NRVENDAREST,NRCOMANDA,NRPRODCOMVEN"));
    EXPECT_EQ(key("VENDA"), QStringLiteral("CDFILIAL,CDCAIXA,NRSEQVENDA"));
    EXPECT_EQ(key("ITEMVENDA"), QStringLiteral("CDFILIAL,CDCAIXA,NRSEQVENDA,NRSEQUITVEND"));
    EXPECT_EQ(key("ITVENDACAN"), QStringLiteral("CDFILIAL,CDCAIXA,NRSEQVENDA,NRSEQITVENDC"));
    EXPECT_EQ(key("MESAJUNCAO"), QStringLiteral("CDFILIAL,CDLOJA,NRJUNMESA,NRMESA"));
    EXPECT_EQ(key("NOVOCODIGO"), QStringLiteral("CDCONTADOR"));
    // Area buttons and the table buttons of every area and page share the table.
    EXPECT_EQ(key("ITMENUCONFTE"),
              QStringLiteral("CDFILIAL,NRCONFTELA,IDTPBUTTON,NRBUTTONAUX,NRPGCONFTELA,NRBUTTON"));
    const Table* counter = s.table(QStringLiteral("NOVOCODIGO"));
    ASSERT_TRUE(counter);
    EXPECT_TRUE(counter->column(QStringLiteral("NRSEQUENCIAL"))->notNull);
    EXPECT_EQ(counter->column(QStringLiteral("CDCONTADOR"))->size, 60);
}

TEST(ColumnDictionary, EveryColumnNameHasOneDefinition) {
    for (const Table& t : schema().tables) {
        for (const Column& c : t.columns) {
            const auto def = columnDef(c.name);
            ASSERT_TRUE(def) << c.name.toStdString();
            EXPECT_EQ(*def, c.fieldDef()) << t.name.toStdString() << "." << c.name.toStdString();
        }
    }
    EXPECT_EQ(columnDef(QStringLiteral("nrMesa")),
              (FieldDef{QStringLiteral("NRMESA"), FieldType::Text, 4}));
    EXPECT_EQ(columnDef(QStringLiteral("DTULTIMAVENDA"))->type, FieldType::DateTime);
    EXPECT_EQ(columnDef(QStringLiteral("QTDEMESAS"))->type, FieldType::Integer);
    EXPECT_FALSE(columnDef(QStringLiteral("NAOEXISTE")));
}

TEST(ColumnDictionary, KnowsEveryColumnOfTheAccountItemListsAndTablePackets) {
    // The columns the item lists, the table-map reads and the payment list deliver.
    const QStringList names =
        QStringLiteral(
            // item list
            "NRPRODCOMVEN CDFILIAL NRVENDAREST NRCOMANDA CDPRODUTO IDPRODIMPFIS QTPRODCOMVEN "
            "VRPRECCOMVEN IDSTPRCOMVEN VRDESCCOMVEN NRLUGARMESA CDGRPOCOR CDOCORR NRMESAORIG "
            "CDLOJAORIG CDARVPROD NMPRODUTO SGUNIDADE CDVENDEDOR DTHRABERMESA DTHRFECHMESA "
            "VRDESCOMANDA NRCUPOMFIS CDOPERADOR CDLOJA IDTPIMPOSFIS VRPEALIMPFIS CDIMPOSTO "
            "NMOPERADOR IDTPFORPGVEN CDEMPRESA VRTXSERVICO VRACRCOMANDA VRCONSUMAMIN CDLOJAIT "
            "IDCONFIGPROD DTABERCAIX CDSERVFILI NRMESA NRSEQ STCDALIQ CDCLIENTE CDFAMILISALD "
            "NMCONSVEND NRINSCRCONS CDPRODPROMOCAO VRUNITVENDCL ACRESITEM NRCONTCUPOMFISC "
            "CDORDALIQIMPR VRALIQIMPR DSENDEVENDA NRMESADSCOMORIT NRORDEMVND NRSERIEVND "
            "NRSUBSERIEVND NRCERVENDAREST NRCOOVENDAREST DTINCLUSAO NRSEQPRODCUP NRPESMESAVEN "
            "CDVENDEDORITEM VRREPIQUEVENDA CDPREFINTGCOLVEN CDPRODIMPFIS VRACRCOMVEN CDCLASFISC "
            "CDCONSUMIDOR CDNATPRODUTO NMCONSUMIDOR CDEXCONSUMID DTCHECKINPH DTCHECKOUTPH "
            "CDRESERVAPH IDORIGPEDCMD DTHRINCOMVEN CDCAIXACOLETOR DSOBSPEDDIGITA QTPRODREFIL "
            "TXPRODCOMVEN CDGRPOCORDESC DSOBSDESC CDGRPOCORDESCIT DSOBSDESCIT CDSUPERVDESC "
            "CDSUPERVISOR NRSEQPRODCOMIT DTHRMESAFECH IDCOBTXSERV DSOBSFINVEN IDORIGEMVENDA "
            "CDCUPOMDESCKOV CDCAMPCOMPGANHE DTINIVGCAMPCG CDSUPALTTXSERV CDSUPRETTXSERV "
            "DSURLFOTOCMD IDCHECKEDCMD NRIDESTRANGEIRA NRCPFFID4ALL CDPROMOFID4ALL VRDESCCASH4ALL "
            "VRDESCPROMO4ALL IDCOMANDAEXT IDENTRPLAT IDPAGAMENTOCX NRREQEXTCMD DSEMAILENVCUPOM "
            "IDSITENVCUPOM IDIMPPRGRPROMO IDOBSERVACAOAD NRCPFFIDUDS VRDESCCASHUDS IDPRODTAXASERV "
            "NRCPFINTEPROMO IDPEDINTEPROMO NRTELCRM VRDESCCRM CDURLQRCODECONS IDRESERVEGCOM "
            "NRTELGCOM VRDESCGCOM IDCONSUMERGCOM IDREQVALPRE NRCARVALPRE IDREQCOREBANC "
            "IDCARTCOREBANC NRCPFCOREBANC VRRESGCOREBANC IDCUPOMOLGA IDBENEFOLGA NRTELOLGA "
            "VRTOTOLGA NRCPFFIXECRM VRRESGFIXECRM NRIDBONUSCRM NRNFCECRMBONUS CDGRUPROMOC "
            "IDCARTCORECORP IDCARTCOREQUAL VRRESGCORECORP VRRESGCOREQUAL CDGRPOCOROLGA DSOBSOLGA "
            // cancelled items, components, withdrawals, promotions, gifts, loyalty
            "CDGRPOCORCANITE VRUNITVENCLC CDORDALIQIMPRIC VRALIQIMPRIC NRITEMCUPOM DSOBSCANITE "
            "IDPRODPRODUZ DTHRPRODCANVEN CDOPERCANC QTPROCOMEST VRPRECCOMEST VRDESITCOMEST "
            "DSOBSPEDDIGEST VRACRITCOMEST TXPRODCOMVENEST NRSEQITVENDAEST NRSEQCOMB CDCAIXA "
            "QTPRODITCOMVENDES NRSEQITCOMVENDES NRSEQPROMOCOM IDPROMOCOM NMPROMOCOM DSPROMOCOM "
            "IDTPPROMOCOM IDTPDESCPROMO VRDESCPROMO VRVENDAPROMO IDUTPROMOCOM CDCAMPANHA "
            "VRPONTOBRINDE IDUTILVOUCHER VRDESCFID "
            // table map, tabs, reservations, app payments
            "NMMESA CDSALA IDSTMESAAUX NRBUTTON CDIDENTBUTON DSBUTTON NRCOLORTEXT NRCOLORBACK "
            "NRBUTTONAUX NRPGCONFTELA NRFONTETEXT QTDEMESAS NRRESMESA DTRESMESA HRINIRESMESA "
            "HRFINRESMESA DTULTIMAVENDA IDSTCOMANDA DSCOMANDA VRCOMISVENDE NMFANVEN NRJUNMESA "
            "IDSTLUGARMESA MAIORPOSICAO NRMAXPESMES LINHA VRMOV IDUTILTXSERV DTHRINCMOV NMCAIXA "
            "IDTIPOGAVETA IDPERTROCAOP NRSEQPRODCAMP NRSEQBENEFICIO IDTPBENEFICIO DTINIVIGCAMP "
            "DTFIMVIGCAMP QTBENEFICIOCAMP NRDIASVALBENECAMP VRBENEFICIO IDTPATIVABENEFICIO "
            "VRLIMDEBCONS VRMAXDEBCONS VALCONSUMDIA VALCONSUMMES VRSALDCONFAM REGISTRO "
            "NRSEQBENECONS NRSEQUITVEND IDSTMOV IDADMTASK NRSEQVENDA CDTIPORECE DSBANDEIRA "
            "CDNSUTEFMOB NRCARTBANCO TXPRIMVIATEF TXSEGVIATEF NRAUTORIZATEF "
            // payment list of a sale
            "NRSEQUMOVI IDTIPOMOVIVE DSMOVIVEND DTDEPCHEQUE NRCONTRAVALE CDTIPOTROCO VRMOVIVEND "
            "NMTIPORECE NRORDTROCO DTMOVIMCAIXA VRMOVIVEOUT VRCOTINDOUT CDAGECHEQVEN CDBANCHEQVEN "
            "CDCNTCHEQVEN DTDEPCHEQVEN NRCHEQUEVEND DSIMPFISCAL IDTIPORECE CDFPIMPFIS CDBANCARTCR "
            "CDTIPORECEORIG CDCCUSCLIE CDNSUHOSTTEF NMTIPORECEORIG QTPARCRECEB NRCONTROLTEF "
            "NMBANDTEF IDFILAPAGMFE CDAUTORIZMFE CDBINCARTMFE NMINSTFINMFE CDPAGAMENMFE CDNSUTEF "
            "CDINTRESGSALDO IDTIPORESGATE CDCNPJRESGSALDO IDTRANSAME IDTRANSAMECAPT "
            "CDCONSRESGSALDO DSCARTDIGITAL VRSALDORESTCP CDRESGSALDO CDINSTCAR")
            .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList unknown;
    for (const QString& n : names) {
        if (!columnDef(n)) {
            unknown << n;
        }
    }
    EXPECT_TRUE(unknown.isEmpty()) << unknown.join(QLatin1Char(' ')).toStdString();
    // Types the packets depend on.
    EXPECT_EQ(columnDef(QStringLiteral("QTPRODCOMVEN"))->type, FieldType::Float);
    EXPECT_EQ(columnDef(QStringLiteral("NRPESMESAVEN"))->type, FieldType::Float);
    EXPECT_EQ(columnDef(QStringLiteral("DTMOVIMCAIXA"))->type, FieldType::DateTime);
    EXPECT_EQ(columnDef(QStringLiteral("QTPARCRECEB"))->type, FieldType::Float);
    EXPECT_EQ(columnDef(QStringLiteral("QTDEBENEFICIO"))->type, FieldType::Integer);
    EXPECT_EQ(columnDef(QStringLiteral("NRPGCONFTELA"))->type, FieldType::Integer);
}

TEST(SchemaDdl, IsGeneratedForSqliteAndPostgresqlOnly) {
    const int expected = int(schema().tables.size() + schema().indexes.size());
    EXPECT_EQ(ddlStatements(DbKind::SQLite).size(), expected);
    EXPECT_EQ(ddlStatements(DbKind::PostgreSQL).size(), expected);
    EXPECT_THROW(ddlStatements(DbKind::SqlServer), AppError);
    EXPECT_THROW(ddlStatements(DbKind::Oracle), AppError);
    const Schema s = parseSchema(kValid);
    const QString pg = ddlStatements(s, DbKind::PostgreSQL).first();
    EXPECT_TRUE(pg.contains(QStringLiteral("NRMESA VARCHAR(4) NOT NULL"))) << pg.toStdString();
    EXPECT_TRUE(pg.contains(QStringLiteral("DTBLOQMESA TIMESTAMP(3) NOT NULL")));
    EXPECT_TRUE(pg.contains(QStringLiteral("TXOBS TEXT")));
    EXPECT_TRUE(pg.contains(QStringLiteral("VRMIN DOUBLE PRECISION")));
    EXPECT_TRUE(pg.contains(QStringLiteral("CONSTRAINT PK_MESA PRIMARY KEY (CDFILIAL, NRMESA)")));
    const QString lite = ddlStatements(s, DbKind::SQLite).first();
    EXPECT_TRUE(lite.contains(QStringLiteral("NMMESA TEXT,")));
    EXPECT_TRUE(lite.contains(QStringLiteral("VRMIN REAL")));
}

TEST(SchemaDdl, GeneratedStatementsNameOnlyKnownColumns) {
    const Table* mesa = schema().table(QStringLiteral("MESA"));
    ASSERT_TRUE(mesa);
    EXPECT_EQ(insertStatement(*mesa, {QStringLiteral("CDFILIAL"), QStringLiteral("NRMESA")}),
              QStringLiteral("INSERT INTO MESA (CDFILIAL, NRMESA) VALUES (:CDFILIAL, :NRMESA)"));
    EXPECT_EQ(selectByKeyStatement(*mesa, {QStringLiteral("NMMESA")}),
              QStringLiteral("SELECT NMMESA FROM MESA WHERE CDFILIAL = :CDFILIAL AND CDLOJA = "
                             ":CDLOJA AND NRMESA = :NRMESA"));
    EXPECT_THROW(insertStatement(*mesa, {QStringLiteral("NRCOMANDA")}), AppError);
    const Table* log = schema().table(QStringLiteral("LOGACESSO"));
    ASSERT_TRUE(log);
    EXPECT_THROW(selectByKeyStatement(*log, {QStringLiteral("DSSISTEMA")}), AppError);
}

TEST(SchemaFingerprint, FollowsWhatIsStoredNotHowItIsWritten) {
    const QString base = schemaFingerprint(parseSchema(kValid));
    EXPECT_EQ(base.size(), 64);
    QString commented = kValid;
    commented.replace(QStringLiteral("# the table number"), QStringLiteral("# número"));
    commented.replace(QStringLiteral("version 2"), QStringLiteral("version 2\n\n# outro"));
    EXPECT_EQ(schemaFingerprint(parseSchema(commented)), base);
    QString wider = kValid;
    wider.replace(QStringLiteral("NMMESA text 30"), QStringLiteral("NMMESA text 40"));
    EXPECT_NE(schemaFingerprint(parseSchema(wider)), base);
    QString nullable = kValid;
    nullable.replace(QStringLiteral("datetime notnull"), QStringLiteral("datetime"));
    EXPECT_NE(schemaFingerprint(parseSchema(nullable)), base);
}
