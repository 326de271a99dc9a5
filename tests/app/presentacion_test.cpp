// The splash window: its timer, the keys and the clicks that close it.
#include "app/FM_PRESENTACION.h"
#include "engine/General.h"

#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class Presentacion : public ::testing::Test {
protected:
    void SetUp() override {
        General::Caso = General::Datos{};
        splash = new FM_PRESENTACION;
        splash->Form_Load();
        splash->show();
        ASSERT_TRUE(General::Caso.Presentacion_Visible);
    }
    void TearDown() override {
        delete splash.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Closed: the flag down and the window gone.
    bool Cerrada() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return !General::Caso.Presentacion_Visible && splash.isNull();
    }

    QPointer<FM_PRESENTACION> splash;
};

}  // namespace

TEST_F(Presentacion, ClosesItselfWhenItsTimerTicks) {
    EXPECT_EQ(splash->TM->interval(), 15000);
    EXPECT_EQ(splash->TM->timerType(), Qt::PreciseTimer);  // never closes early
    EXPECT_TRUE(splash->TM->isActive());
    splash->Form_Load(20);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !General::Caso.Presentacion_Visible; }, 2000));
    EXPECT_TRUE(Cerrada());
}

TEST_F(Presentacion, AnyKeyClosesIt) {
    const Qt::Key teclas[] = {Qt::Key_A, Qt::Key_Escape, Qt::Key_Return, Qt::Key_F5,
                              Qt::Key_Space};
    for (Qt::Key tecla : teclas) {
        SCOPED_TRACE(tecla);
        if (!splash) SetUp();
        QTest::keyClick(splash, tecla);
        EXPECT_TRUE(Cerrada());
    }
    // A modifier held down closes nothing yet; the key pressed with it does,
    // and the splash takes it (it goes to no shortcut of another window).
    SetUp();
    for (Qt::Key modificador : {Qt::Key_Control, Qt::Key_Shift, Qt::Key_Alt, Qt::Key_Meta}) {
        SCOPED_TRACE(modificador);
        QTest::keyPress(splash, modificador);
        EXPECT_FALSE(Cerrada());
        QTest::keyRelease(splash, modificador);
    }
    QKeyEvent ctrlR(QEvent::KeyPress, Qt::Key_R, Qt::ControlModifier);
    EXPECT_TRUE(QCoreApplication::sendEvent(splash, &ctrlR));
    EXPECT_TRUE(ctrlR.isAccepted());
    EXPECT_TRUE(Cerrada());
}

TEST_F(Presentacion, ClicksOnItsFrameAndLabelsCloseItButNotOnThePictureOrTheName) {
    struct Clic {
        const char* donde;
        QWidget* (*control)(FM_PRESENTACION&);
        QPoint punto;  // null: the centre of the control
        bool cierra;
    };
    const Clic clics[] = {
        {"Image1", [](FM_PRESENTACION& s) -> QWidget* { return s.Image1; }, {}, false},
        {"LB_NOMBRE", [](FM_PRESENTACION& s) -> QWidget* { return s.LB_NOMBRE; }, {}, false},
        {"LB_VERSION", [](FM_PRESENTACION& s) -> QWidget* { return s.LB_VERSION; }, {}, true},
        {"LB_COMENTARIOS", [](FM_PRESENTACION& s) -> QWidget* { return s.LB_COMENTARIOS; }, {},
         true},
        {"LB_AUTOR", [](FM_PRESENTACION& s) -> QWidget* { return s.LB_AUTOR; }, {}, true},
        {"Frame1", [](FM_PRESENTACION& s) -> QWidget* { return s.Frame1; }, {4, 4}, true},
        {"form", [](FM_PRESENTACION& s) -> QWidget* { return &s; }, {2, 2}, true},
    };
    for (const Clic& c : clics) {
        SCOPED_TRACE(c.donde);
        if (!splash) SetUp();
        QWidget* w = c.control(*splash);
        const QPoint p = c.punto.isNull() ? w->rect().center() : c.punto;
        ASSERT_EQ(w->childAt(p), nullptr);  // the click lands on that control itself
        QTest::mouseClick(w, Qt::RightButton, {}, p);
        EXPECT_FALSE(Cerrada());
        QTest::mouseClick(w, Qt::LeftButton, {}, p);
        EXPECT_EQ(Cerrada(), c.cierra);
    }
}

TEST_F(Presentacion, ShowsItsTextsAndClosingByProgramDropsTheFlag) {
    EXPECT_EQ(splash->LB_NOMBRE->text(), QStringLiteral("Vorlant"));
    EXPECT_EQ(splash->LB_VERSION->text(), QStringLiteral("Versión 1.0"));
    EXPECT_EQ(splash->LB_COMENTARIOS->text(),
              QStringLiteral("Programa de cálculo del refuerzo de secciones mediante fibra de "
                             "carbono VORLANT®."));
    EXPECT_EQ(splash->Image1->pixmap().size(), QSize(447, 231));
    EXPECT_TRUE(splash->windowTitle().isEmpty());
    splash->close();
    EXPECT_TRUE(Cerrada());
}
