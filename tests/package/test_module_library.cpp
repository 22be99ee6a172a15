#include "package/exported_service_names.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QStringList>
#include <gtest/gtest.h>

#ifndef TMK_MODULE_DIR
#error "TMK_MODULE_DIR names the folder of the built module"
#endif

TEST(ModuleLibrary, ExportsTheEntryTheFlagsAndEveryOperationByName) {
    QLibrary lib(QStringLiteral(TMK_MODULE_DIR "/libtmk00470"));
    ASSERT_TRUE(lib.load()) << lib.errorString().toStdString();
    for (const char* name :
         {"CriaGerenciaMesa", "DefinePastaCaixa", "FinalizaModulo", "frmGerMesa", "rdmGerMesa",
          "boIdCriado", "boClose", "boComanPorPes", "boResultado", "StartTrans", "CommitTrans",
          "RollbackTrans", "getVersaoBanco", "Trunc2"}) {
        EXPECT_NE(lib.resolve(name), nullptr) << name;
    }
    // Every data-service operation and transaction method, as the build listed them from
    // the service headers.
    for (const char* name : tmk::kExportedServiceNames) {
        EXPECT_NE(lib.resolve(name), nullptr) << name;
    }
    // The flags start cleared when the module is loaded.
    EXPECT_FALSE(*reinterpret_cast<bool*>(lib.resolve("boIdCriado")));
    EXPECT_FALSE(*reinterpret_cast<bool*>(lib.resolve("boClose")));
    EXPECT_EQ(*reinterpret_cast<void**>(lib.resolve("frmGerMesa")), nullptr);
}
