// The demo till's local files and its preparation at start.

#include "db/demo/demo_store.h"
#include "db/schema.h"
#include "external/common.h"
#include "platform/client_dataset.h"
#include "platform/errors.h"
#include "platform/till_folder.h"
#include "tests/support/test_database.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace tmk;
using tmk::test::TestDatabase;

namespace {

const QString kCadastros = QStringLiteral("Dados/Cadastros/");

// The columns the screen reads from the parameter file, in its order, with the type
// each is read as.
const QList<QPair<QString, FieldType>>& parameterColumns() {
    static const QList<QPair<QString, FieldType>> columns = [] {
        QList<QPair<QString, FieldType>> c;
        const FieldType T = FieldType::Text;
        const FieldType B = FieldType::Boolean;
        const FieldType I = FieldType::Integer;
        for (const char* name : {"IDESQUEMA"}) {
            c << qMakePair(QString::fromLatin1(name), T);
        }
        for (const char* name :
             {"UTILIZAIMPFIS", "SISTEMALESTOVENDA", "SISTEMAKOVNFCE", "DISPLAYOK"}) {
            c << qMakePair(QString::fromLatin1(name), B);
        }
        for (const char* name :
             {"CDFILIAL",       "CDLOJA",       "CDCAIXA",        "IDCOLETOR",    "CDFILICONFTE",
              "NRCONFTELA",     "NRMINSEMCONS", "IDUTLSENHAOPER", "IDTIPOGAVETA", "CDPORTAIMPFIS",
              "IDTIPOIMPNF1",   "CDPORTIMPNF1", "IDTPVENDIMPNF1", "IDTIPOIMPNF2", "CDPORTIMPNF2",
              "IDTPVENDIMPNF2", "DATAIMP",      "IDPERTROCAOP",   "CDPRODCONSUM", "CDPRODCONSUF",
              "CDPRODCOUVER"}) {
            c << qMakePair(QString::fromLatin1(name), T);
        }
        c << qMakePair(QStringLiteral("DTABERCAIXA"), FieldType::DateTime);
        c << qMakePair(QStringLiteral("IDPAISINTEGRA"), T)
          << qMakePair(QStringLiteral("NRSERIEIMP"), T);
        c << qMakePair(QStringLiteral("IDTIPOIMPFIS"), I)
          << qMakePair(QStringLiteral("DSDIRCAD"), T);
        for (const char* name :
             {"ctAbrirGaveta", "ctCancItemGen", "ctParcCont", "ctCancComanda", "ctAltNrPessoa",
              "ctLiberarMesa", "ctConsultaPreco", "ctTrocaOperador"}) {
            c << qMakePair(QString::fromLatin1(name), I);
        }
        c << qMakePair(QStringLiteral("IDIMPCOMPCUPVEN"), T)
          << qMakePair(QStringLiteral("BOERROIMPRESSORA"), B);
        for (const char* name :
             {"CDPREFINTGCOL", "DSMODELOECFVE", "DSMARCAECFVE", "ECFIMP", "IDEXIBTICCUP",
              "CDESTADOIBGE", "CDINSJUREMPR", "IDAMBTRABNFCE", "SGESTADOFILI", "IDTIPOIMPNF3",
              "CDPORTIMPNF3", "IDTPVENDIMPNF3", "IDINTHOTEL"}) {
            c << qMakePair(QString::fromLatin1(name), T);
        }
        c << qMakePair(QStringLiteral("VRCOMISVENDA"), FieldType::Float)
          << qMakePair(QStringLiteral("SISTEMAKOVSAT"), B);
        for (const char* name : {"IDIMPCNPJCLIE", "IDSENHACUP", "IDOBRIGFECHCAIX", "CDCLIENTE",
                                 "IDCONSCAMPFIDEL", "IDUTILSATCOMP", "IDVERGAVETANFIS"}) {
            c << qMakePair(QString::fromLatin1(name), T);
        }
        c << qMakePair(QStringLiteral("NRMINSENHAAL"), I);
        for (const char* name : {"IDIMPRCUPTEFRED", "IDUTILTEF", "IDIMPRTEF", "IDENVCUPOMEMAIL",
                                 "NRMAXSENHAPED", "DSLOGOTELA", "IDIMPCUPMEI"}) {
            c << qMakePair(QString::fromLatin1(name), T);
        }
        return c;
    }();
    return columns;
}

std::unique_ptr<ClientDataSet> loaded(const QString& path) {
    auto cds = std::make_unique<ClientDataSet>(QStringLiteral("cdsTeste"));
    cds->loadFromFile(path);
    cds->first();
    return cds;
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every file of a folder (relative path -> content digest).
QMap<QString, QByteArray> folderContents(const QString& folder) {
    QMap<QString, QByteArray> contents;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        contents.insert(QDir(folder).relativeFilePath(path),
                        QCryptographicHash::hash(bytesOf(path), QCryptographicHash::Sha256));
    }
    return contents;
}

class DemoTillFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(till.isValid());
        now = QDateTime::currentDateTime();
        ASSERT_NO_THROW(writeDemoTillFiles(till.path(), now));
    }
    QString path(const QString& relative) const { return QDir(till.path()).filePath(relative); }
    QString cadastre(const char* name) const {
        return path(kCadastros + QString::fromLatin1(name));
    }

    QTemporaryDir till;
    QDateTime now;
};

} // namespace

TEST_F(DemoTillFilesTest, TheParameterFileCarriesEveryColumnWithItsType) {
    auto p = loaded(path(QStringLiteral("PARAMETROSKOV.CDS")));
    ASSERT_EQ(p->recordCount(), 1);
    for (const auto& [name, type] : parameterColumns()) {
        const int index = p->fieldIndex(name);
        ASSERT_GE(index, 0) << name.toStdString();
        EXPECT_EQ(p->fieldDefs().at(index).name, name) << "spelled " << name.toStdString();
        EXPECT_EQ(p->fieldDefs().at(index).type, type) << name.toStdString();
    }
    EXPECT_EQ(p->fieldCount(), parameterColumns().size());

    EXPECT_EQ(p->fieldByName("CDFILIAL").asString(), "0001");
    EXPECT_EQ(p->fieldByName("CDLOJA").asString(), "0001");
    EXPECT_EQ(p->fieldByName("CDCAIXA").asString(), "001");
    EXPECT_EQ(p->fieldByName("CDFILICONFTE").asString(), "0001");
    EXPECT_EQ(p->fieldByName("NRCONFTELA").asString(), "01");
    EXPECT_EQ(p->fieldByName("NRMINSEMCONS").asString(), "30");
    EXPECT_EQ(p->fieldByName("IDCOLETOR").asString(), "N");
    EXPECT_TRUE(p->fieldByName("SISTEMAKOVNFCE").asBoolean());
    EXPECT_FALSE(p->fieldByName("SISTEMAKOVSAT").asBoolean());
    EXPECT_FALSE(p->fieldByName("UTILIZAIMPFIS").asBoolean());
    EXPECT_FALSE(p->fieldByName("BOERROIMPRESSORA").asBoolean());
    EXPECT_EQ(p->fieldByName("IDOBRIGFECHCAIX").asString(), "N");
    EXPECT_DOUBLE_EQ(p->fieldByName("VRCOMISVENDA").asFloat(), 10.0);
    EXPECT_TRUE(p->fieldByName("DSLOGOTELA").asString().isEmpty());
    EXPECT_EQ(p->fieldByName("DTABERCAIXA").asDateTime().date(), now.date());
    EXPECT_LE(p->fieldByName("DTABERCAIXA").asDateTime(), now);
    // The eight access codes are distinct numbers.
    QSet<qlonglong> codes;
    for (const char* c : {"ctAbrirGaveta", "ctCancItemGen", "ctParcCont", "ctCancComanda",
                          "ctAltNrPessoa", "ctLiberarMesa", "ctConsultaPreco", "ctTrocaOperador"}) {
        codes.insert(p->fieldByName(QString::fromLatin1(c)).asInteger());
    }
    EXPECT_EQ(codes.size(), 8);
    EXPECT_FALSE(codes.contains(0));
}

TEST_F(DemoTillFilesTest, TheCadastreFilesLoadBack) {
    auto operador = loaded(cadastre("ControleAcess.cds"));
    EXPECT_EQ(operador->fieldByName("CDOPERADOR").asString(), "0001");
    EXPECT_FALSE(operador->fieldByName("NMOPERADOR").asString().isEmpty());

    auto data = loaded(cadastre("DataMovimento.cds"));
    EXPECT_EQ(data->fieldByName("DATAMOVIMENTO").asDateTime(), QDateTime(now.date(), QTime(0, 0)));

    auto abertura = loaded(cadastre("AberturaCaixa.cds"));
    EXPECT_EQ(abertura->fieldByName("CDFILIAL").asString(), "0001");
    EXPECT_EQ(abertura->fieldByName("CDCAIXA").asString(), "001");
    EXPECT_EQ(abertura->fieldByName("DTABERCAIXA").asDateTime().date(), now.date());
    auto parametros = loaded(path(QStringLiteral("PARAMETROSKOV.CDS")));
    EXPECT_EQ(abertura->fieldByName("DTABERCAIXA").asDateTime(),
              parametros->fieldByName("DTABERCAIXA").asDateTime());

    auto clientes = loaded(cadastre("Cad_Cliente.cds"));
    EXPECT_TRUE(clientes->locate("CDCLIENTE", parametros->fieldByName("CDCLIENTE").asString()));

    auto aliquotas = loaded(cadastre("AliqImpFis.cds"));
    EXPECT_EQ(aliquotas->fieldByName("VRALIQIMPFIS").type(), FieldType::Float);
    EXPECT_TRUE(aliquotas->locate("IDALIQIMPFIS;VRALIQIMPFIS", QVariantList{"T", 18.0}));
    EXPECT_FALSE(aliquotas->fieldByName("CDALIQIMPFIS").asString().isEmpty());

    auto ecf = loaded(cadastre("EcfCaixa.cds"));
    EXPECT_EQ(ecf->fieldByName("CDCAIXA").asString(), "001");
}

TEST_F(DemoTillFilesTest, ReceiptTypesNameTheCardBrandsForCreditAndDebit) {
    auto tipos = loaded(cadastre("ConfTipoRece.cds"));
    for (const char* column : {"CDTIPORECE", "NMTIPORECE", "IDTIPORECE", "CDTIPOTROCO",
                               "NRORDTROCO", "DSIMPFISCAL", "CDFPIMPFIS", "CDBANCARTCR"}) {
        EXPECT_GE(tipos->fieldIndex(QString::fromLatin1(column)), 0) << column;
    }
    for (const char* brand : {"VISA", "MASTERCARD", "ELO"}) {
        for (const char* kind : {"1", "2"}) {
            tipos->setFilter(QStringLiteral("IDTIPORECE = '%1' AND CDBANCARTCR = '%2'")
                                 .arg(QString::fromLatin1(kind), QString::fromLatin1(brand)));
            tipos->setFiltered(true);
            EXPECT_EQ(tipos->recordCount(), 1) << brand << " " << kind;
            tipos->setFiltered(false);
        }
    }
    EXPECT_TRUE(tipos->locate("IDTIPORECE", "4"));
    EXPECT_TRUE(tipos->locate("IDTIPORECE", "9"));
}

TEST_F(DemoTillFilesTest, TheSatCodeIsStoredOnlyEnciphered) {
    const QByteArray clear = QByteArrayLiteral("DEMO-SAT-7391");
    QDirIterator it(till.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        EXPECT_FALSE(bytesOf(file).contains(clear)) << file.toStdString();
    }
    auto abertura = loaded(cadastre("AberturaCaixa.cds"));
    const QString cifrado = abertura->fieldByName("CDATIVACAOSAT").asString();
    ASSERT_FALSE(cifrado.isEmpty());
    EXPECT_EQ(Uncripto(cifrado, kChaveCodigoAtivacaoSat), QString::fromLatin1(clear));
    EXPECT_THROW(Uncripto(cifrado, kChaveCodigoAtivacaoSat + 1), AppError);
}

TEST_F(DemoTillFilesTest, OperatorsAndRightsMatchTheDatabaseAndThePasswordsAreEnciphered) {
    auto operadores = loaded(cadastre("Operadores.cds"));
    EXPECT_EQ(operadores->recordCount(), 3);
    ASSERT_TRUE(operadores->locate("NMOPERADOR", "Gerente"));
    EXPECT_EQ(operadores->fieldByName("IDSUPERVISOR").asString(), "S");
    const QString senha = operadores->fieldByName("CDSENHA").asString();
    EXPECT_NE(senha, "4321");
    EXPECT_EQ(Uncripto(senha, 7), "4321");
    EXPECT_FALSE(bytesOf(cadastre("Operadores.cds")).contains("\"4321\""));
    ASSERT_TRUE(operadores->locate("CDOPERADOR", "0002"));
    EXPECT_EQ(operadores->fieldByName("IDSUPERVISOR").asString(), "N");

    auto direitos = loaded(cadastre("DireitosAcesso.cds"));
    EXPECT_EQ(direitos->fieldByName("CDACESSO").type(), FieldType::Integer);
    auto parametros = loaded(path(QStringLiteral("PARAMETROSKOV.CDS")));
    const qlonglong cancItem = parametros->fieldByName("ctCancItemGen").asInteger();
    ASSERT_TRUE(direitos->locate("CDOPERADOR;CDACESSO", QVariantList{"0002", cancItem}));
    EXPECT_EQ(direitos->fieldByName("IDPERMITE").asString(), "N");
}

TEST(DemoTillFiles, AFailureLeavesNoFileBehind) {
    QTemporaryDir till;
    ASSERT_TRUE(till.isValid());
    // The operator file cannot be written through a link into a folder that is not there.
    ASSERT_TRUE(QDir(till.path()).mkpath(kCadastros));
    ASSERT_TRUE(QFile::link(till.filePath(QStringLiteral("nao/existe/Operadores.cds")),
                            till.filePath(kCadastros + QStringLiteral("Operadores.cds"))));
    const QString link = till.filePath(kCadastros + QStringLiteral("Operadores.cds"));
    try {
        writeDemoTillFiles(till.path(), QDateTime::currentDateTime());
        FAIL() << "the files were written over a folder";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().startsWith("Não foi possível gravar os arquivos"))
            << e.message().toStdString();
    }
    QFile::remove(link);
    EXPECT_TRUE(folderContents(till.path()).isEmpty());
}

TEST(DemoTill, PreparesFilesAndStoreOnceAndThenChangesNothing) {
    TestDatabase database(TestDatabase::Contents::Empty);
    TMK_REQUIRE_DATABASE(database);
    QTemporaryDir till;
    ASSERT_TRUE(till.isValid());
    database.writeConexaoIni(till.path());
    const QDateTime now = QDateTime::currentDateTime();

    const TillPreparation first = prepareDemoTill(till.path(), now);
    EXPECT_TRUE(first.demoStoreCreated);
    EXPECT_TRUE(first.schemaCreated);
    EXPECT_EQ(first.filesWritten.size(), 10);
    EXPECT_EQ(first.filesWritten.last(), QDir(till.path()).filePath("PARAMETROSKOV.CDS"))
        << "the parameter file is written last";
    EXPECT_TRUE(QFile::exists(QDir(till.path()).filePath("PARAMETROSKOV.CDS")));
    QSqlDatabase db = database.connection();
    EXPECT_TRUE(db::schemaPresent(db));
    EXPECT_TRUE(databaseHasBranch(db));

    auto tableCounts = [&] {
        QMap<QString, qlonglong> counts;
        for (const db::Table& t : db::schema().tables) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("SELECT COUNT(*) FROM ") + t.name) && q.next()) {
                counts.insert(t.name, q.value(0).toLongLong());
            }
        }
        return counts;
    };
    const QMap<QString, qlonglong> rowsBefore = tableCounts();
    const QMap<QString, QByteArray> filesBefore = folderContents(till.path());
    EXPECT_GT(rowsBefore.value("MESA"), 0);

    EXPECT_FALSE(prepareDemoTill(till.path(), now.addSecs(3600)).changedAnything());
    EXPECT_EQ(tableCounts(), rowsBefore);
    EXPECT_EQ(folderContents(till.path()), filesBefore);
}

TEST(DemoTill, ADatabaseThatIsDownLeavesTheFolderUntouched) {
    QTemporaryDir till;
    ASSERT_TRUE(till.isValid());
    {
        QFile ini(QDir(till.path()).filePath("Conexao.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        // Nothing listens on port 1 of the loopback address.
        ini.write("[Conexao]\nProvider=QPSQL\nHost=127.0.0.1\nPort=1\nDatabase=restaurante\n"
                  "User ID=caixa\n");
    }
    const QMap<QString, QByteArray> before = folderContents(till.path());
    const QString previousFolder = tillFolder();
    try {
        prepareDemoTill(till.path(), QDateTime::currentDateTime());
        FAIL() << "a database that is down was taken as prepared";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().startsWith("Não foi possível preparar o caixa de demonstração"))
            << e.message().toStdString();
        EXPECT_TRUE(e.message().contains("PostgreSQL")) << e.message().toStdString();
    }
    EXPECT_EQ(folderContents(till.path()), before);
    EXPECT_EQ(tillFolder(), previousFolder);
}

TEST(DemoTill, WithoutConnectionSettingsTheTillUsesItsOwnSqliteFile) {
    QTemporaryDir till;
    ASSERT_TRUE(till.isValid());
    EXPECT_TRUE(prepareDemoTill(till.path(), QDateTime::currentDateTime()).demoStoreCreated);
    const QString file = QDir(till.path()).filePath("tmk.db");
    ASSERT_TRUE(QFile::exists(file));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "demo_sqlite");
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec("SELECT COUNT(*) FROM MESA WHERE IDSTMESAAUX = 'O'") && q.next());
        EXPECT_GT(q.value(0).toInt(), 0);
    }
    QSqlDatabase::removeDatabase("demo_sqlite");
}

namespace {

// A till folder prepared once on its own SQLite file.
class PreparedTill : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(till.isValid());
        ASSERT_TRUE(prepareDemoTill(till.path(), QDateTime::currentDateTime()).demoStoreCreated);
    }
    QString path(const QString& relative) const { return QDir(till.path()).filePath(relative); }
    QString database() const { return path(QStringLiteral("tmk.db")); }

    QTemporaryDir till;
};

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

} // namespace

TEST_F(PreparedTill, WithoutTheParameterFileOnlyTheMissingFilesAreWrittenAndNamed) {
    const QString operadores = path(kCadastros + QStringLiteral("Operadores.cds"));
    const QString direitos = path(kCadastros + QStringLiteral("DireitosAcesso.cds"));
    // The operator's own changes, one of them a damaged file.
    const QByteArray changed = bytesOf(operadores).replace("Gerente", "Gerência");
    writeBytes(operadores, changed);
    writeBytes(direitos, "<DATAPACKET danificado");
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("PARAMETROSKOV.CDS"))));
    ASSERT_TRUE(QFile::remove(path(kCadastros + QStringLiteral("ConfTipoRece.cds"))));
    const QByteArray databaseBefore = bytesOf(database());

    const TillPreparation again = prepareDemoTill(till.path(), QDateTime::currentDateTime());
    EXPECT_EQ(again.filesWritten,
              (QStringList{path(kCadastros + QStringLiteral("ConfTipoRece.cds")),
                           path(QStringLiteral("PARAMETROSKOV.CDS"))}));
    EXPECT_FALSE(again.demoStoreCreated);
    EXPECT_FALSE(again.schemaCreated);
    EXPECT_EQ(bytesOf(operadores), changed);
    EXPECT_EQ(bytesOf(direitos), QByteArray("<DATAPACKET danificado"));
    EXPECT_EQ(bytesOf(database()), databaseBefore);
}

TEST_F(PreparedTill, AMissingOrEmptiedDatabaseIsReportedAndNothingIsInvented) {
    const struct {
        const char* what;
        std::function<void(const QString&)> damage;
        const char* state;
    } cases[] = {
        {"emptied", [](const QString& file) { writeBytes(file, QByteArray()); },
         "está vazio (0 bytes)"},
        {"deleted", [](const QString& file) { ASSERT_TRUE(QFile::remove(file)); }, "não existe"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(QFile::copy(database(), path(QStringLiteral("copia.db"))));
        c.damage(database());
        const QMap<QString, QByteArray> before = folderContents(till.path());
        try {
            prepareDemoTill(till.path(), QDateTime::currentDateTime());
            ADD_FAILURE() << c.what << ": the till was prepared again";
        } catch (const TillDatabaseLost& e) {
            EXPECT_TRUE(e.message().contains(QDir::toNativeSeparators(database())) &&
                        e.message().contains(QString::fromUtf8(c.state)) &&
                        e.message().contains(QStringLiteral("Nada foi criado")))
                << c.what << ": " << e.message().toStdString();
        }
        EXPECT_EQ(folderContents(till.path()), before) << c.what;
        // Put the database back for the next case.
        QFile::remove(database());
        ASSERT_TRUE(QFile::rename(path(QStringLiteral("copia.db")), database()));
    }
}

TEST(DemoTill, AnEmptyFileInAFolderNeverPreparedIsANewDatabase) {
    QTemporaryDir till;
    ASSERT_TRUE(till.isValid());
    writeBytes(till.filePath(QStringLiteral("tmk.db")), QByteArray());
    const TillPreparation done = prepareDemoTill(till.path(), QDateTime::currentDateTime());
    EXPECT_TRUE(done.schemaCreated && done.demoStoreCreated);
    EXPECT_EQ(done.filesWritten.size(), 10);
}

TEST(DemoTill, APreparedTillOnADatabaseWithoutItsStoreIsToldSo) {
    const struct {
        const char* what;
        TestDatabase::Contents contents;
        const char* state;
    } cases[] = {
        {"no schema", TestDatabase::Contents::Empty,
         TestDatabase::kind() == DbKind::SQLite ? "está vazio (0 bytes)"
                                                : "não tem as tabelas do sistema"},
        {"schema without a branch", TestDatabase::Contents::Schema,
         "não tem nenhuma filial cadastrada"},
    };
    for (const auto& c : cases) {
        TestDatabase database(c.contents);
        TMK_REQUIRE_DATABASE(database);
        QTemporaryDir till;
        ASSERT_TRUE(till.isValid());
        database.writeConexaoIni(till.path());
        writeDemoTillFiles(till.path(), QDateTime::currentDateTime());
        const QMap<QString, QByteArray> before = folderContents(till.path());
        try {
            prepareDemoTill(till.path(), QDateTime::currentDateTime());
            ADD_FAILURE() << c.what << ": the demo store was made for a prepared till";
        } catch (const TillDatabaseLost& e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.state)))
                << c.what << ": " << e.message().toStdString();
        }
        EXPECT_EQ(folderContents(till.path()), before) << c.what;
        QSqlDatabase db = database.connection();
        if (c.contents == TestDatabase::Contents::Schema) {
            EXPECT_FALSE(databaseHasBranch(db)) << c.what;
        } else {
            EXPECT_FALSE(db::schemaPresent(db)) << c.what;
        }
    }
}

TEST(DemoTill, AFailedFirstPreparationLeavesNoDatabaseFileBehind) {
    QTemporaryDir till;
    ASSERT_TRUE(till.isValid());
    // The local files cannot all be written: a link into a folder that is not there.
    ASSERT_TRUE(QDir(till.path()).mkpath(kCadastros));
    const QString link = till.filePath(kCadastros + QStringLiteral("Operadores.cds"));
    ASSERT_TRUE(QFile::link(till.filePath(QStringLiteral("nao/existe/Operadores.cds")), link));
    EXPECT_THROW(prepareDemoTill(till.path(), QDateTime::currentDateTime()), AppError);
    QFile::remove(link);
    EXPECT_TRUE(folderContents(till.path()).isEmpty())
        << QStringList(folderContents(till.path()).keys()).join(", ").toStdString();
    // The next start prepares the folder as new.
    EXPECT_TRUE(prepareDemoTill(till.path(), QDateTime::currentDateTime()).demoStoreCreated);
}

// A second till of the store: prepared later against the store the first one made, with
// its own number, printer serial and the cash opening the store records for it.
TEST(DemoTill, ASecondTillOfTheStoreGetsItsOwnFilesAndTheStoresCashOpening) {
    TestDatabase database(TestDatabase::Contents::Empty);
    TMK_REQUIRE_DATABASE(database);
    QTemporaryDir caixa1;
    QTemporaryDir caixa2;
    ASSERT_TRUE(caixa1.isValid() && caixa2.isValid());
    database.writeConexaoIni(caixa1.path());
    database.writeConexaoIni(caixa2.path());
    const QDateTime criacao = QDateTime::currentDateTime();
    ASSERT_TRUE(prepareDemoTill(caixa1.path(), criacao).demoStoreCreated);

    // An hour later: the store is not made again, the till's files are written.
    const TillPreparation segundo = prepareDemoTill(caixa2.path(), criacao.addSecs(3600), "002");
    EXPECT_FALSE(segundo.demoStoreCreated);
    EXPECT_EQ(segundo.filesWritten.size(), 10);

    QSqlQuery q(database.connection());
    ASSERT_TRUE(q.exec("SELECT DTABERCAIX FROM TURCAIXA WHERE CDFILIAL = '0001' AND CDCAIXA = "
                       "'002' AND DTFECHCAIX IS NULL") &&
                q.next());
    const QDateTime abertura = TestDatabase::dialect().readDateTime(q.value(0));
    ASSERT_TRUE(abertura.isValid());
    ASSERT_TRUE(q.exec("SELECT COUNT(*) FROM CAIXA WHERE CDFILIAL = '0001' AND CDLOJA = '0001' "
                       "AND CDCAIXA IN ('001', '002')") &&
                q.next());
    EXPECT_EQ(q.value(0).toInt(), 2);

    const auto file = [&](const QString& relative) {
        return loaded(QDir(caixa2.path()).filePath(relative));
    };
    const auto parametros = file("PARAMETROSKOV.CDS");
    EXPECT_EQ(parametros->fieldByName("CDCAIXA").asString(), "002");
    EXPECT_EQ(parametros->fieldByName("NRSERIEIMP").asString(), "SIM0000002");
    EXPECT_EQ(parametros->fieldByName("DTABERCAIXA").asDateTime(), abertura);
    const auto aberturaCaixa = file(kCadastros + "AberturaCaixa.cds");
    EXPECT_EQ(aberturaCaixa->fieldByName("CDCAIXA").asString(), "002");
    EXPECT_EQ(aberturaCaixa->fieldByName("DTABERCAIXA").asDateTime(), abertura);
    const auto ecf = file(kCadastros + "EcfCaixa.cds");
    EXPECT_EQ(ecf->fieldByName("CDCAIXA").asString(), "002");
    EXPECT_EQ(ecf->fieldByName("NRSERIEIMP").asString(), "SIM0000002");
}

TEST(DemoTill, ATillTheStoreDoesNotHaveIsRefusedBeforeAnythingIsWritten) {
    const char* casos[] = {"003", "", "01", "0002", "abc"};
    for (const char* caixa : casos) {
        SCOPED_TRACE(caixa);
        QTemporaryDir till;
        ASSERT_TRUE(till.isValid());
        try {
            prepareDemoTill(till.path(), QDateTime::currentDateTime(), QString::fromLatin1(caixa));
            ADD_FAILURE() << "till accepted";
        } catch (const AppError& e) {
            EXPECT_TRUE(e.message().contains("não existe na loja de demonstração"))
                << e.message().toStdString();
            EXPECT_TRUE(e.message().contains("001 e 002")) << e.message().toStdString();
        }
        EXPECT_TRUE(folderContents(till.path()).isEmpty());
    }
}
