#include "platform/errors.h"
#include "suite/dialogs/access_rights.h"
#include "tests/suite/dialogs/cadastre_files.h"
#include "tests/suite/print_qstring.h"

namespace tmk {
namespace {

using dialogs_test::CadastreTest;
using Status = AccessRights::Status;

constexpr int kGaveta = 31;
constexpr int kLiberaMesa = 32;

using AccessRightsTest = CadastreTest;

TEST_F(AccessRightsTest, WithoutFilesEverythingIsAllowed) {
    const AccessRights rights = AccessRights::load();
    EXPECT_TRUE(rights.allowed(kGaveta, "0001"));
    EXPECT_TRUE(rights.allowed(0, QString()));
    EXPECT_FALSE(rights.hasSupervisors());
    EXPECT_EQ(rights.authorise(kGaveta, "0009", "123").status, Status::WrongCredentials);
}

TEST_F(AccessRightsTest, ARefusedRightRefusesOnlyThatOperatorAndCode) {
    writeRights({{"0001", kGaveta, "N"}, {"0001", kLiberaMesa, "S"}, {"0002", kLiberaMesa, "N"}});
    const AccessRights rights = AccessRights::load();
    EXPECT_FALSE(rights.allowed(kGaveta, "0001"));
    EXPECT_FALSE(rights.allowed(kGaveta, " 0001 ")) << "codes are compared trimmed";
    EXPECT_TRUE(rights.allowed(kLiberaMesa, "0001"));
    EXPECT_TRUE(rights.allowed(kGaveta, "0002"));
    EXPECT_FALSE(rights.allowed(kLiberaMesa, "0002"));
    EXPECT_TRUE(rights.allowed(kGaveta, "0003")) << "no right recorded: allowed";
}

TEST_F(AccessRightsTest, DisagreeingRowsRefuseAndEmptyFlagRecordsNothing) {
    writeRights({{"ab", kGaveta, "S"}, {"AB", kGaveta, "n"}, {"0005", kGaveta, ""}});
    const AccessRights rights = AccessRights::load();
    EXPECT_FALSE(rights.allowed(kGaveta, "Ab"));
    EXPECT_TRUE(rights.allowed(kGaveta, "0005"));
}

TEST_F(AccessRightsTest, MalformedFilesFailClosedNamingTheFile) {
    const auto expectFault = [](const QString& file, const QString& fault) {
        const AccessRights rights = AccessRights::load();
        EXPECT_FALSE(rights.readable()) << fault.toStdString();
        EXPECT_TRUE(rights.fault().contains(file)) << rights.fault().toStdString();
        EXPECT_TRUE(rights.fault().contains(fault)) << rights.fault().toStdString();
        EXPECT_FALSE(rights.allowed(kGaveta, "0001")) << fault.toStdString();
        EXPECT_FALSE(rights.allowed(77, "0003")) << "nothing recorded, yet refused";
    };
    writeText("Dados/Cadastros/DireitosAcesso.cds", "<DATAPACKET Version=\"2.0\"><METADATA>");
    expectFault(rightsPath(), "DireitosAcesso.cds");

    writeRights({{"0001", kGaveta, "X"}});
    expectFault(rightsPath(), "IDPERMITE");

    writeText("Dados/Cadastros/DireitosAcesso.cds",
              "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA>"
              "<FIELDS><FIELD attrname=\"CDOPERADOR\" fieldtype=\"string\" WIDTH=\"12\"/>"
              "<FIELD attrname=\"CDACESSO\" fieldtype=\"string\" WIDTH=\"5\"/>"
              "<FIELD attrname=\"IDPERMITE\" fieldtype=\"string\" WIDTH=\"1\"/></FIELDS>"
              "<PARAMS/></METADATA><ROWDATA><ROW CDOPERADOR=\"0001\" CDACESSO=\"abc\" "
              "IDPERMITE=\"N\"/></ROWDATA></DATAPACKET>");
    expectFault(rightsPath(), "CDACESSO");

    writeRights({});
    writeText("Dados/Cadastros/Operadores.cds",
              "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA>"
              "<FIELDS><FIELD attrname=\"CDOPERADOR\" fieldtype=\"string\" WIDTH=\"12\"/>"
              "</FIELDS><PARAMS/></METADATA><ROWDATA/></DATAPACKET>");
    expectFault(operatorsPath(), "CDSENHA");

    // A store code declared as a number is a fault of the file like any other.
    writeText("Dados/Cadastros/Operadores.cds",
              "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA>"
              "<FIELDS><FIELD attrname=\"CDOPERADOR\" fieldtype=\"i4\"/>"
              "<FIELD attrname=\"CDSENHA\" fieldtype=\"string\" WIDTH=\"100\"/>"
              "<FIELD attrname=\"IDSUPERVISOR\" fieldtype=\"string\" WIDTH=\"1\"/></FIELDS>"
              "<PARAMS/></METADATA><ROWDATA><ROW CDOPERADOR=\"90\" CDSENHA=\"x\" "
              "IDSUPERVISOR=\"S\"/></ROWDATA></DATAPACKET>");
    expectFault(operatorsPath(), "CDOPERADOR");
}

TEST_F(AccessRightsTest, ACodeStoredAsTextIsRead) {
    writeText("Dados/Cadastros/DireitosAcesso.cds",
              "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA>"
              "<FIELDS><FIELD attrname=\"CDOPERADOR\" fieldtype=\"string\" WIDTH=\"12\"/>"
              "<FIELD attrname=\"CDACESSO\" fieldtype=\"string\" WIDTH=\"5\"/>"
              "<FIELD attrname=\"IDPERMITE\" fieldtype=\"string\" WIDTH=\"1\"/></FIELDS>"
              "<PARAMS/></METADATA><ROWDATA><ROW CDOPERADOR=\"0001\" CDACESSO=\" 31\" "
              "IDPERMITE=\"N\"/></ROWDATA></DATAPACKET>");
    EXPECT_FALSE(AccessRights::load().allowed(kGaveta, "0001"));
}

class SupervisorTest : public CadastreTest {
protected:
    void SetUp() override {
        CadastreTest::SetUp();
        writeRights({{"0001", kGaveta, "N"}, {"0090", kLiberaMesa, "N"}});
        writeOperators({{"0001", "Caixa", "1111", "N"},
                        {"0090", "Gerente", "9090", "S"},
                        {"0091", "Sem senha", "", "S"},
                        {"0092", "Garçom", "9292", "N"}});
    }
};

TEST_F(SupervisorTest, CorrectPasswordAuthorises) {
    const AccessRights rights = AccessRights::load();
    EXPECT_TRUE(rights.hasSupervisors());
    const auto a = rights.authorise(kGaveta, " 0090", "9090");
    EXPECT_TRUE(a.granted());
    EXPECT_EQ(a.supervisor, "0090");
    EXPECT_TRUE(a.message.isEmpty());
    EXPECT_EQ(rights.operatorName("0090"), "Gerente");
}

TEST_F(SupervisorTest, WrongPasswordAndUnknownCodeLookTheSame) {
    const AccessRights rights = AccessRights::load();
    const auto wrong = rights.authorise(kGaveta, "0090", "9091");
    const auto unknown = rights.authorise(kGaveta, "0099", "9090");
    EXPECT_EQ(wrong.status, Status::WrongCredentials);
    EXPECT_EQ(unknown.status, Status::WrongCredentials);
    EXPECT_EQ(wrong.message, "Código ou senha do supervisor incorretos.");
    EXPECT_EQ(unknown.message, wrong.message);
    EXPECT_EQ(rights.authorise(kGaveta, "0092", "0000").status, Status::WrongCredentials)
        << "a non-supervisor is not revealed before the password is right";
}

TEST_F(SupervisorTest, RefusalsAfterTheRightPassword) {
    const AccessRights rights = AccessRights::load();
    EXPECT_EQ(rights.authorise(kGaveta, "0092", "9292").status, Status::NotSupervisor);
    const auto lacking = rights.authorise(kLiberaMesa, "0090", "9090");
    EXPECT_EQ(lacking.status, Status::SupervisorRefused);
    EXPECT_FALSE(lacking.granted());
    EXPECT_TRUE(lacking.message.contains("0090"));
    EXPECT_EQ(rights.authorise(kGaveta, "", "9090").status, Status::MissingCode);
}

TEST_F(SupervisorTest, ASupervisorWithoutPasswordNeverAuthorises) {
    const AccessRights rights = AccessRights::load();
    EXPECT_EQ(rights.authorise(kGaveta, "0091", "").status, Status::NoPassword);
    EXPECT_EQ(rights.authorise(kGaveta, "0091", "x").status, Status::NoPassword);
}

TEST_F(SupervisorTest, ADamagedPasswordIsReportedWithTheFile) {
    writeText("Dados/Cadastros/Operadores.cds",
              "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA>"
              "<FIELDS><FIELD attrname=\"CDOPERADOR\" fieldtype=\"string\" WIDTH=\"12\"/>"
              "<FIELD attrname=\"CDSENHA\" fieldtype=\"string\" WIDTH=\"100\"/>"
              "<FIELD attrname=\"IDSUPERVISOR\" fieldtype=\"string\" WIDTH=\"1\"/></FIELDS>"
              "<PARAMS/></METADATA><ROWDATA><ROW CDOPERADOR=\"0090\" CDSENHA=\"9090\" "
              "IDSUPERVISOR=\"S\"/></ROWDATA></DATAPACKET>");
    const auto a = AccessRights::load().authorise(kGaveta, "0090", "9090");
    EXPECT_EQ(a.status, Status::DamagedPassword);
    EXPECT_TRUE(a.message.contains(operatorsPath())) << a.message.toStdString();
}

TEST_F(SupervisorTest, AnOperatorListedTwiceIsAFaultOfTheFile) {
    writeOperators({{"0090", "Gerente", "9090", "S"}, {"0090", "Outro", "1", "S"}});
    const AccessRights rights = AccessRights::load();
    EXPECT_FALSE(rights.operatorsReadable());
    EXPECT_TRUE(rights.fault().contains("mais de uma vez")) << rights.fault().toStdString();
}

TEST_F(SupervisorTest, UnreadableFilesGrantNothingByDefault) {
    const struct {
        const char* what;
        const char* file;
        bool supervisorCanAuthorise;
    } cases[] = {
        {"rights damaged", "Dados/Cadastros/DireitosAcesso.cds", true},
        {"operators damaged", "Dados/Cadastros/Operadores.cds", false},
    };
    for (const auto& c : cases) {
        SetUp(); // both files fine again
        writeText(c.file, "<?xml version=\"1.0\"?><DATAPACKET");
        const AccessRights rights = AccessRights::load();
        EXPECT_FALSE(rights.readable()) << c.what;
        EXPECT_TRUE(rights.fault().contains(path(c.file))) << c.what;
        // Recorded as allowed, not recorded at all, or a supervisor: refused alike.
        EXPECT_FALSE(rights.allowed(kLiberaMesa, "0001")) << c.what;
        EXPECT_FALSE(rights.allowed(77, "0092")) << c.what;
        EXPECT_FALSE(rights.allowed(kGaveta, "0090")) << c.what;
        EXPECT_EQ(rights.hasSupervisors(), c.supervisorCanAuthorise) << c.what;

        const auto granted = rights.authorise(kLiberaMesa, "0090", "9090");
        EXPECT_EQ(granted.granted(), c.supervisorCanAuthorise) << c.what;
        if (!c.supervisorCanAuthorise) {
            EXPECT_EQ(granted.status, Status::Unreadable) << c.what;
            EXPECT_TRUE(granted.message.contains(path(c.file))) << granted.message.toStdString();
        }
        // A wrong password never authorises, whatever could be read.
        EXPECT_FALSE(rights.authorise(kGaveta, "0090", "0000").granted()) << c.what;
        EXPECT_FALSE(rights.authorise(kGaveta, "0092", "9292").granted()) << c.what;
    }
}

} // namespace
} // namespace tmk
