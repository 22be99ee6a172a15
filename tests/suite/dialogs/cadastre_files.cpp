#include "tests/suite/dialogs/cadastre_files.h"

#include "external/common.h"
#include "platform/client_dataset.h"
#include "platform/till_folder.h"
#include "suite/dialogs/access_rights.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tmk::dialogs_test {

void CadastreTest::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    setTillFolder(dir_.path());
}

QString CadastreTest::path(const QString& relative) const {
    return QDir(dir_.path()).filePath(relative);
}

QString CadastreTest::rightsPath() {
    return AccessRights::rightsFile();
}

QString CadastreTest::operatorsPath() {
    return AccessRights::operatorsFile();
}

void CadastreTest::writeRights(const QList<RightRow>& rows) const {
    ClientDataSet ds;
    ds.setFieldDefs({{"CDOPERADOR", FieldType::Text, 12},
                     {"CDACESSO", FieldType::Integer, 0},
                     {"IDPERMITE", FieldType::Text, 1}});
    ds.createDataSet();
    for (const RightRow& r : rows) {
        ds.append();
        ds.fieldByName("CDOPERADOR").setValue(r.operador);
        ds.fieldByName("CDACESSO").setValue(r.acesso);
        ds.fieldByName("IDPERMITE").setValue(r.permite);
        ds.post();
    }
    QDir().mkpath(QFileInfo(rightsPath()).absolutePath());
    ds.saveToFile(rightsPath());
}

void CadastreTest::writeOperators(const QList<OperatorRow>& rows) const {
    ClientDataSet ds;
    ds.setFieldDefs({{"CDOPERADOR", FieldType::Text, 12},
                     {"NMOPERADOR", FieldType::Text, 60},
                     {"CDSENHA", FieldType::Text, 200},
                     {"IDSUPERVISOR", FieldType::Text, 1}});
    ds.createDataSet();
    for (const OperatorRow& r : rows) {
        ds.append();
        ds.fieldByName("CDOPERADOR").setValue(r.operador);
        ds.fieldByName("NMOPERADOR").setValue(r.nome);
        ds.fieldByName("CDSENHA").setValue(r.senhaClara.isEmpty() ? QString()
                                                                  : Cripto(r.senhaClara, 7));
        ds.fieldByName("IDSUPERVISOR").setValue(r.supervisor);
        ds.post();
    }
    QDir().mkpath(QFileInfo(operatorsPath()).absolutePath());
    ds.saveToFile(operatorsPath());
}

void CadastreTest::writeText(const QString& relative, const QByteArray& contents) const {
    QDir().mkpath(QFileInfo(path(relative)).absolutePath());
    QFile f(path(relative));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(contents);
}

} // namespace tmk::dialogs_test
