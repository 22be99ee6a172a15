#include "platform/errors.h"
#include "suite/devices/fiscal_printer.h"
#include "suite/devices/simulated_fiscal_device.h"
#include "tests/suite/devices/fiscal_samples.h"
#include "tests/suite/devices/till_folder_fixture.h"
#include "tests/suite/print_qstring.h"

namespace tmk {
namespace {

class FiscalPrinterTest : public devices_test::TillFolderTest {
protected:
    static QDateTime at() { return QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9)); }
    SimulatedFiscalPrinter printer{at};
    SimulatedFiscalDevice device{at};
};

TEST_F(FiscalPrinterTest, CouponsAreNumberedPrintedAndCancelled) {
    EXPECT_TRUE(printer.ultimoCupom().isEmpty());
    EXPECT_EQ(printer.abrirCupom(), "000001");
    EXPECT_EQ(printer.cupomAberto(), "000001");
    EXPECT_THROW(printer.abrirCupom(), AppError) << "one coupon open at a time";
    const QString pdf = printer.fecharCupom(devices_test::sampleSale());
    EXPECT_TRUE(pdf.endsWith("2026-12-08_14-05-09_CupomFiscal_000001.pdf"));
    const QString text = devices_test::pdfText(pdf);
    EXPECT_TRUE(text.contains("CUPOM FISCAL"));
    EXPECT_TRUE(text.contains("PICANHA NA CHAPA"));
    EXPECT_TRUE(text.contains("299,25"));
    EXPECT_TRUE(printer.cupomAberto().isEmpty());
    EXPECT_EQ(printer.situacaoUltimoCupom(), "FECHADO");

    SimulatedFiscalPrinter restarted;
    EXPECT_EQ(restarted.abrirCupom(), "000002") << "numbers go on after a restart";
}

TEST_F(FiscalPrinterTest, CancelaCupomImpAnswersTheCancelledNumber) {
    printer.abrirCupom();
    QVariant retorno = QVariantList(10);
    device.Cancela_Cupom_Imp({"002", false, false, false, "0001", "001", "SIM0000001"}, retorno);
    const QVariantList out = retorno.toList();
    ASSERT_EQ(out.size(), 10);
    EXPECT_EQ(out[1].toString(), "000001");
    EXPECT_EQ(printer.situacaoUltimoCupom(), "CANCELADO");
    EXPECT_TRUE(devices_test::pdfText(path("Impressoes/2026-12-08_14-05-09_CancelamentoCupom_"
                                           "000001.pdf"))
                    .contains("CUPOM FISCAL CANCELADO"));
    EXPECT_THROW(device.Cancela_Cupom_Imp(QVariantList(7), retorno), AppError)
        << "a coupon is cancelled once";

    printer.abrirCupom();
    printer.fecharCupom(devices_test::sampleSale());
    QVariant fresh; // an empty out value gets its ten elements too
    device.Cancela_Cupom_Imp(QVariantList(7), fresh);
    EXPECT_EQ(fresh.toList().value(1).toString(), "000002") << "the last closed coupon";
}

TEST_F(FiscalPrinterTest, FaultsLeaveTheCouponAsItWas) {
    EXPECT_THROW(printer.fecharCupom(devices_test::sampleSale()), AppError) << "none open";
    printer.abrirCupom();
    FiscalSale bad = devices_test::sampleSale();
    bad.troco = 0;
    EXPECT_THROW(printer.fecharCupom(bad), AppError);
    EXPECT_EQ(printer.cupomAberto(), "000001");

    write("Impressoes", "not a folder");
    EXPECT_THROW(printer.cancelarCupom(), AppError);
    EXPECT_EQ(printer.cupomAberto(), "000001") << "not cancelled without its printout";

    write("Dispositivos/ImpressoraFiscal.ini",
          "[ImpressoraFiscal]\nUltimoCupom=000001\nSituacao=X\n");
    EXPECT_THROW(printer.cupomAberto(), AppError);
}

} // namespace
} // namespace tmk
