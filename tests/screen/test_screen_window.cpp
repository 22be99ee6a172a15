#include "external/widgets.h"
#include "screen/view/ger_mesa_view.h"
#include "screen/view/status_pictures.h"
#include "tests/screen/screen_fixture.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

using namespace tmk;
using namespace tmk::test;

namespace {

class ScreenWindow : public ScreenOnly {
protected:
    void SetUp() override {
        ScreenOnly::SetUp();
        view = std::make_unique<TfrmGerMesaView>(screen());
    }
    template <typename W = QWidget>
    W* find(const QString& name) {
        auto* w = view->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    std::unique_ptr<TfrmGerMesaView> view;
};

} // namespace

TEST_F(ScreenWindow, IsAFramelessModalWindowOf800By600) {
    EXPECT_EQ(view->objectName(), QStringLiteral("frmGerMesa"));
    EXPECT_EQ(view->size(), QSize(800, 600));
    EXPECT_TRUE(view->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(view->isModal());
    EXPECT_EQ(TfrmGerMesa::posicaoJanela(QSize(1024, 768), QSize(800, 600)), QPoint(112, 84));
    EXPECT_EQ(TfrmGerMesa::posicaoJanela(QSize(640, 480), QSize(800, 600)), QPoint(-80, -60));
    EXPECT_EQ(TfrmGerMesa::posicaoJanela(QSize(799, 599), QSize(800, 600)), QPoint(0, 0));
}

TEST_F(ScreenWindow, TableButtonsFormAGridOfSixRowsOfEight) {
    for (int n = 1; n <= 48; ++n) {
        auto* b = find<QToolButton>(ScreenModel::tableButtonName(n));
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->size(), QSize(67, 54));
        EXPECT_EQ(b->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        EXPECT_FALSE(b->isEnabled());
        EXPECT_TRUE(b->text().isEmpty());
        EXPECT_EQ(b->font().family(), QStringLiteral("Arial"));
        EXPECT_EQ(b->font().pointSize(), 8);
        if (n > 1) {
            auto* prev = find<QToolButton>(ScreenModel::tableButtonName(n - 1));
            if ((n - 1) % 8 == 0) {
                EXPECT_GT(b->y(), prev->y()) << n;
                EXPECT_LT(b->x(), prev->x()) << n;
            } else {
                EXPECT_EQ(b->y(), prev->y()) << n;
                EXPECT_GT(b->x(), prev->x()) << n;
            }
        }
    }
    // Arial resolves to a real font of the machine, so captions do not turn into boxes.
    const QString family = QFontInfo(find<QToolButton>(QStringLiteral("tcb01"))->font()).family();
    EXPECT_TRUE(QFontDatabase::families().contains(family)) << family.toStdString();
}

TEST_F(ScreenWindow, AreaPagingAndTitleWidgetsHaveTheirShapes) {
    for (int n = 1; n <= 12; ++n) {
        auto* b = find<TBlendedBitBtn>(ScreenModel::areaButtonName(n));
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->size(), QSize(103, 35));
        EXPECT_FALSE(b->isVisibleTo(view.get()));
    }
    EXPECT_LT(find(QStringLiteral("sbtAmb01"))->y(), find(QStringLiteral("sbtAmb07"))->y());
    EXPECT_EQ(find(QStringLiteral("sbtAmb01"))->y(), find(QStringLiteral("sbtAmb06"))->y());
    auto* volta = find(QStringLiteral("sbtVolta"));
    auto* frente = find(QStringLiteral("sbtFrente"));
    EXPECT_LT(volta->y(), frente->y());
    EXPECT_GT(volta->x(), find(QStringLiteral("tcb08"))->geometry().right());
    auto* titulo = find<QLabel>(QStringLiteral("lblMensagem"));
    EXPECT_TRUE(titulo->font().bold());
    EXPECT_EQ(titulo->font().pointSize(), 14);
    EXPECT_EQ(titulo->palette().color(QPalette::WindowText), QColor(0xCC, 0x5B, 0x2C));
    EXPECT_EQ(find<QLabel>(QStringLiteral("lblPagMesa"))->text(), QStringLiteral("PÁGINA  1"));
    auto* buffer = find<QLineEdit>(QStringLiteral("lblBuffer"));
    EXPECT_EQ(buffer->size(), QSize(87, 19));
    EXPECT_EQ(buffer->maxLength(), 4);
    for (const QString& name : statusPictureNames()) {
        auto* img = find<QLabel>(name);
        ASSERT_NE(img, nullptr);
        EXPECT_FALSE(img->isVisibleTo(view.get()));
        EXPECT_FALSE(img->pixmap().isNull()) << name.toStdString();
    }
    for (int i = 1; i <= 12; ++i) {
        auto* app = find(QStringLiteral("sbtMesaAPP%1").arg(i));
        EXPECT_EQ(app->geometry(), QRect(14 + 53 * (i - 1), 151, 50, 35));
        EXPECT_FALSE(app->isVisibleTo(view.get()));
    }
    EXPECT_EQ(find(QStringLiteral("sbtConsultaCons"))->geometry(), QRect(731, 437, 57, 50));
    EXPECT_EQ(find(QStringLiteral("lblRodape"))->property("text").toString(),
              QStringLiteral("informações do rodapé"));
    EXPECT_EQ(find(QStringLiteral("lblCodTela"))->property("text").toString(),
              QStringLiteral("TMK00470"));
    EXPECT_EQ(find(QStringLiteral("lblValTicketMedio"))->property("text").toString(),
              QStringLiteral("R$ 0,00"));
}

TEST_F(ScreenWindow, StatePicturesAreDistinct) {
    QSet<QByteArray> bits;
    for (const QString& name : statusPictureNames()) {
        const QImage img = screenPicture(name).toImage();
        bits.insert(
            QByteArray(reinterpret_cast<const char*>(img.constBits()), int(img.sizeInBytes())));
    }
    EXPECT_EQ(bits.size(), statusPictureNames().size());
}

TEST_F(ScreenWindow, NoVisibleWidgetOverlapsAnotherWhenEverythingIsShown) {
    for (auto& a : screen().model.sbtAmb) {
        a.visible = true;
        a.caption = QStringLiteral("Área");
    }
    view->sincroniza();
    for (int i = 1; i <= 12; ++i) {
        find(QStringLiteral("sbtMesaAPP%1").arg(i))->setVisible(true);
    }
    view->show();
    QList<QWidget*> widgets;
    for (QWidget* w : view->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (w->isVisible() && !qobject_cast<TBlendedShape*>(w)) {
            widgets << w;
        }
    }
    ASSERT_GT(widgets.size(), 100);
    for (int i = 0; i < widgets.size(); ++i) {
        EXPECT_TRUE(QRect(0, 0, 800, 600).contains(widgets[i]->geometry()))
            << widgets[i]->objectName().toStdString();
        for (int j = i + 1; j < widgets.size(); ++j) {
            EXPECT_FALSE(widgets[i]->geometry().intersects(widgets[j]->geometry()))
                << widgets[i]->objectName().toStdString() << " / "
                << widgets[j]->objectName().toStdString();
        }
    }
}

TEST_F(ScreenWindow, TheWindowDrawsTheModel) {
    screen().model.tcb[16] =
        TableButtonModel{QStringLiteral("(17)"), QStringLiteral("imgCtaSol"), true, 0x0000FF, 9};
    screen().model.sbtAmb[2] =
        AreaButtonModel{QStringLiteral("Bar"), 0x00FF00, 0, 10, true, true, true};
    screen().model.commands[QStringLiteral("spbFecha")].enabled = false;
    screen().model.commands[QStringLiteral("sbtConsultaCons")].visible = false;
    screen().model.ticketPanelVisible = false;
    Q_EMIT screen().changed();
    auto* t = find<QToolButton>(QStringLiteral("tcb17"));
    EXPECT_EQ(t->text(), QStringLiteral("(17)"));
    EXPECT_TRUE(t->isEnabled());
    EXPECT_FALSE(t->icon().isNull());
    EXPECT_EQ(t->property("picture").toString(), QStringLiteral("imgCtaSol"));
    EXPECT_EQ(t->palette().color(QPalette::ButtonText), QColor(0xFF, 0, 0));
    auto* a = find<TBlendedBitBtn>(QStringLiteral("sbtAmb03"));
    EXPECT_TRUE(a->isVisibleTo(view.get()));
    EXPECT_EQ(a->faceColor(), QColor(0, 0xFF, 0));
    EXPECT_FALSE(find(QStringLiteral("spbFecha"))->isEnabled());
    EXPECT_FALSE(find(QStringLiteral("sbtConsultaCons"))->isVisibleTo(view.get()));
    EXPECT_FALSE(find(QStringLiteral("lblValTicketMedio"))->isVisibleTo(view.get()));
}

TEST_F(ScreenWindow, EscapeAsksToLeaveAndTheWindowOnlyClosesWhenTheScreenSays) {
    view->show();
    suite.common.mensagem.push(false);
    QTest::keyClick(view.get(), Qt::Key_Escape);
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(suite.last(QStringLiteral("Mensagem")).text(0), msg(QStringLiteral("Sair")));
    suite.common.mensagem.push(true);
    QTest::keyClick(view.get(), Qt::Key_Escape);
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(screen().st.RetAcao, QStringLiteral("FECHA_SISTEMA"));
}

TEST_F(ScreenWindow, TypedDigitsFillTheBufferUpToFour) {
    view->show();
    QTest::keyClicks(view.get(), QStringLiteral("12345"));
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("lblBuffer"))->text(), QStringLiteral("1234"));
    QTest::keyClick(view.get(), Qt::Key_Backspace);
    EXPECT_EQ(screen().model.lblBuffer, QStringLiteral("123"));
    QTest::keyClick(view.get(), Qt::Key_Delete);
    EXPECT_EQ(screen().model.lblBuffer, QStringLiteral("12"));
    QTest::keyClick(view.get(), Qt::Key_A, Qt::AltModifier);
    EXPECT_EQ(screen().model.lblBuffer, QStringLiteral("12"));
}

// The strip of app payments: twelve 50 x 35 buttons in one row above the map, hidden until
// the screen shows a payment on them; a touch reaches the screen's handler.
TEST_F(ScreenWindow, TheAppPaymentStripFollowsTheModel) {
    for (int n = 1; n <= 12; ++n) {
        auto* b = find<TBlendedBitBtn>(ScreenModel::appPaidButtonName(n));
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->geometry(), QRect(14 + (n - 1) * 53, 151, 50, 35)) << n;
        EXPECT_FALSE(b->isVisibleTo(view.get())) << n;
        EXPECT_EQ(b->font().pointSize(), 8);
        EXPECT_EQ(b->textColor(), QColor(Qt::white));
    }
    screen().model.sbtMesaAPP[2] = AppPaidButtonModel{QStringLiteral("Mesa 12 (03)"), true, true};
    screen().model.sbtMesaAPP[3] = AppPaidButtonModel{QStringLiteral("Mesa 7"), false, true};
    Q_EMIT screen().changed();
    auto* b3 = find<TBlendedBitBtn>(QStringLiteral("sbtMesaAPP3"));
    EXPECT_TRUE(b3->isVisibleTo(view.get()));
    EXPECT_TRUE(b3->isEnabled());
    EXPECT_EQ(b3->text(), QStringLiteral("Mesa\n12 (03)"));
    EXPECT_EQ(b3->toolTip(), QStringLiteral("Mesa 12 (03)"));
    EXPECT_FALSE(find(QStringLiteral("sbtMesaAPP4"))->isEnabled());
    EXPECT_FALSE(find(QStringLiteral("sbtMesaAPP2"))->isVisibleTo(view.get()));

    // With the fiscal printer in error the touch only shows the printer's message, and the
    // button is enabled again afterwards.
    screen().st.ErroImpressora = true;
    view->show();
    QTest::mouseClick(b3, Qt::LeftButton);
    EXPECT_EQ(mensagens(), QStringList{msg(QStringLiteral("ERRO_IMPRESSORA"))});
    EXPECT_TRUE(b3->isEnabled());
}
