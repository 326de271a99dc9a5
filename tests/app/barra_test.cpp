// The toolbar: its buttons, its click handler and its fit in the frame; the
// about command.
#include "app/FM_ACERCADE.h"
#include "app/FM_PRESENTACION.h"
#include "app/TB_BARRA.h"
#include "marco_test_support.h"
#include "tests/common/lector.h"
#include "tests/platform_fakes/Fakes.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <utility>

using namespace marco_test;

namespace {

QToolButton* Boton(MDI_PRINCIPAL& m, const char* clave) {
    QAction* a = m.TB_BARRA->Boton_Clave(QString::fromLatin1(clave));
    return a ? qobject_cast<QToolButton*>(m.TB_BARRA->widgetForAction(a)) : nullptr;
}

}  // namespace

TEST_F(Marco, ToolbarHasItsFifteenPositionsInOrder) {
    struct Fila {
        const char* clave;  // nullptr: separator
        const char* ayuda;
        bool activo;
    };
    const Fila filas[] = {
        {nullptr, nullptr, true},
        {"Abrir", "Abrir", true},
        {"Guardar", "Guardar", false},
        {"Imprimir", "Imprimir", false},
        {nullptr, nullptr, true},
        {"Carac", "Características mecánicas", true},
        {"FlexionR", "Refuerzo a flexión. Sección rectangular", true},
        {"FlexionT", "Refuerzo a flexión. Sección en T", true},
        {"Confina", "Refuerzo de confinamiento", true},
        {nullptr, nullptr, true},
        {"Ayuda", "Ayuda del programa", true},
        {"Guia", "Manual de referencia", true},
        {"Web", "Kestram en la web", true},
        {"Mail", "Contactar con Kestram", true},
        {"Info", "Acerca de...", true},
    };
    Barra_Herramientas* barra = principal->TB_BARRA;
    ASSERT_TRUE(barra);
    EXPECT_EQ(barra->objectName(), "TB_BARRA");
    EXPECT_EQ(barra->iconSize(), QSize(16, 15));
    EXPECT_EQ(barra->toolButtonStyle(), Qt::ToolButtonIconOnly);
    const QList<QAction*> posiciones = barra->actions();  // display order, separators included
    ASSERT_EQ(posiciones.size(), 15);
    for (int i = 0; i < 15; ++i) {
        SCOPED_TRACE(i + 1);
        QAction* a = posiciones[i];
        EXPECT_TRUE(a->isVisible());
        if (!filas[i].clave) {
            EXPECT_TRUE(a->isSeparator());
            continue;
        }
        EXPECT_EQ(a->objectName(), filas[i].clave);
        EXPECT_EQ(a->toolTip(), QString::fromUtf8(filas[i].ayuda));
        // A picture only: a screen reader reads its tip.
        EXPECT_EQ(Nombre_Leido(barra->widgetForAction(a)).toStdString(), filas[i].ayuda);
        EXPECT_EQ(a->isEnabled(), filas[i].activo);
        EXPECT_TRUE(a->text().isEmpty());
        EXPECT_FALSE(a->icon().isNull());
    }
    // Twelve different pictures of 16 x 15.
    for (int k = 1; k <= 12; ++k) {
        const QImage img = Barra_Herramientas::Imagen(k).toImage();
        EXPECT_EQ(img.size(), QSize(16, 15));
        for (int j = 1; j < k; ++j) EXPECT_NE(img, Barra_Herramientas::Imagen(j).toImage()) << k;
    }
}

TEST_F(Marco, ClickClosesTheSplashBeforeTheCommand) {
    ASSERT_TRUE(General::Caso.Presentacion_Visible);
    QTest::mouseClick(Boton(*principal, "FlexionR"), Qt::LeftButton);
    EXPECT_FALSE(General::Caso.Presentacion_Visible);
    ASSERT_TRUE(principal->Ventana());
    EXPECT_EQ(principal->Ventana()->kind(), DesignKind::Flexion);
    EXPECT_FALSE(diario.splashAlCargar);
    EXPECT_TRUE(mensajes.fake.shown.empty());
}

TEST_F(Marco, KeysMatchExactly) {
    for (const char* clave : {"flexionr", "FlexionR ", " Carac", "INFO", ""}) {
        SCOPED_TRACE(clave);
        principal->TB_BARRA_ButtonClick(QString::fromLatin1(clave));
        EXPECT_FALSE(principal->Ventana());
        EXPECT_FALSE(General::Caso.Presentacion_Visible);
    }
    EXPECT_TRUE(mensajes.fake.shown.empty());
    EXPECT_TRUE(dialogos.fake.asked.empty());
}

TEST_F(Marco, SaveAndPrintButtonsFollowTheOpenWindow) {
    auto estado = [this] {
        return std::pair{Boton(*principal, "Guardar")->isEnabled(),
                         Boton(*principal, "Imprimir")->isEnabled()};
    };
    EXPECT_EQ(estado(), std::pair(false, false));
    // A disabled button cannot be clicked.
    QTest::mouseClick(Boton(*principal, "Guardar"), Qt::LeftButton);
    EXPECT_TRUE(dialogos.fake.asked.empty());

    QTest::mouseClick(Boton(*principal, "FlexionR"), Qt::LeftButton);
    EXPECT_EQ(estado(), std::pair(true, true));
    QTest::mouseClick(Boton(*principal, "Carac"), Qt::LeftButton);
    EXPECT_EQ(estado(), std::pair(false, true));
    QTest::mouseClick(Boton(*principal, "Confina"), Qt::LeftButton);
    EXPECT_EQ(estado(), std::pair(true, true));
    ASSERT_TRUE(principal->Cerrar_Ventanas());
    EXPECT_EQ(estado(), std::pair(false, false));
}

TEST_F(Marco, FailuresOfACommand) {
    // A cancelled open dialog: no window, Error_Datos, and no message.
    QTest::mouseClick(Boton(*principal, "Abrir"), Qt::LeftButton);
    EXPECT_EQ(dialogos.fake.asked.size(), 1u);
    EXPECT_TRUE(General::Caso.Error_Datos);
    EXPECT_FALSE(principal->Ventana());
    EXPECT_TRUE(mensajes.fake.shown.empty());

    // A failure nobody reported: one exclamation message.
    General::Caso.Error_Datos = false;
    diario.crearFalla = true;
    QTest::mouseClick(Boton(*principal, "FlexionT"), Qt::LeftButton);
    EXPECT_TRUE(General::Caso.Error_Datos);
    EXPECT_FALSE(principal->Ventana());
    ASSERT_EQ(mensajes.fake.shown.size(), 1u);
    EXPECT_EQ(mensajes.fake.shown[0].icon, platform::Icon::Exclamation);

    // The frame goes on working.
    diario.crearFalla = false;
    QTest::mouseClick(Boton(*principal, "FlexionT"), Qt::LeftButton);
    EXPECT_TRUE(principal->Ventana());
}

// ---- About box -------------------------------------------------------------

TEST_F(Marco, AboutCollectsTheOpenCaseFirst) {
    platform::ScopedModalScript guion;
    // No window, and the characteristics window: shown, nothing collected.
    principal->mnuAyudaAcerca_Click();
    principal->mnuCalcularCarac_Click();
    principal->TB_BARRA_ButtonClick(QStringLiteral("Info"));
    EXPECT_EQ(guion.shown, (std::vector<QString>{"FM_ACERCADE", "FM_ACERCADE"}));
    EXPECT_TRUE(diario.pasos.size() == 1 && diario.pasos[0] == "load");

    // A flexure case whose fields fail: nothing shown, nothing said.
    principal->mnuCalcularFlexion_Click();
    diario.recogerFalla = true;
    principal->mnuAyudaAcerca_Click();
    EXPECT_EQ(guion.shown.size(), 2u);
    EXPECT_TRUE(General::Caso.Error_Datos);
    EXPECT_TRUE(mensajes.fake.shown.empty());
    // Corrected: shown.
    diario.recogerFalla = false;
    principal->mnuAyudaAcerca_Click();
    EXPECT_EQ(guion.shown.size(), 3u);
    EXPECT_FALSE(General::Caso.Error_Datos);
}

TEST_F(Marco, AboutBoxClosesWithAceptarEnterAndEsc) {
    platform::ScopedModalScript guion;
    int pasos = 0;
    auto comprobar = [&pasos, this](QDialog& d) {
        ++pasos;
        auto& caja = static_cast<FM_ACERCADE&>(d);
        // Its frame centred on the main window's frame.
        const QPoint centro = principal->frameGeometry().center();
        EXPECT_LE((caja.frameGeometry().center() - centro).manhattanLength(), 1)
            << caja.frameGeometry().center().x() << "," << caja.frameGeometry().center().y()
            << " over " << centro.x() << "," << centro.y();
        EXPECT_EQ(caja.windowTitle(), "Acerca de VORLANT®");
        EXPECT_EQ(caja.lblTitle->text(), "KESTRAM - VORLANT®");
        EXPECT_EQ(caja.lblVersion->text(), "Versión 1.0");
        EXPECT_EQ(caja.Label1->text(), "Programa realizado por ");
        EXPECT_EQ(caja.Label3->text(), "ingeniería");
        EXPECT_EQ(caja.Image1->size(), QSize(60, 39));
        EXPECT_EQ(caja.cmdOK->text(), "Aceptar");
        EXPECT_TRUE(caja.cmdOK->isDefault());
    };
    int resultado = -1;
    guion.push([&](QDialog& d) {
        comprobar(d);
        QTest::mouseClick(static_cast<FM_ACERCADE&>(d).cmdOK, Qt::LeftButton);
        resultado = d.result();
    });
    guion.push([&](QDialog& d) {
        QTest::keyClick(&d, Qt::Key_Return);
        EXPECT_FALSE(d.isVisible());
        ++pasos;
    });
    guion.push([&](QDialog& d) {
        QTest::keyClick(&d, Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible());
        ++pasos;
    });
    for (int i = 0; i < 3; ++i) principal->mnuAyudaAcerca_Click();
    EXPECT_EQ(pasos, 3);
    EXPECT_EQ(resultado, QDialog::Accepted);
}

// A right click on the free part of the menu bar or on the toolbar offers no
// menu, so nothing can hide the bar.
TEST_F(Marco, FrameOffersNoMenuThatHidesTheToolbar) {
    principal->Cerrar_Presentacion();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(principal.get()));
    EXPECT_EQ(principal->createPopupMenu(), nullptr);
    QStringList ofrecidos;
    // A menu that opens anyway is read and closed, so the test goes on.
    QTimer vigia;
    QObject::connect(&vigia, &QTimer::timeout, [&ofrecidos] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* a : menu->actions()) ofrecidos << a->text();
            menu->close();
        }
    });
    vigia.start(0);
    QWidget* barraMenus = principal->menuWidget();
    const QPoint libre(barraMenus->width() - 10, barraMenus->height() / 2);
    ASSERT_EQ(barraMenus->childAt(libre), nullptr);
    const std::pair<QWidget*, QPoint> sitios[] = {
        {barraMenus, libre}, {principal->TB_BARRA, QPoint(principal->TB_BARRA->width() - 10, 5)}};
    for (const auto& [w, p] : sitios) {
        QTest::mouseClick(w, Qt::RightButton, {}, p);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, p, w->mapToGlobal(p));
        QApplication::sendEvent(w, &menu);
        QCoreApplication::processEvents();
    }
    vigia.stop();
    EXPECT_TRUE(ofrecidos.isEmpty()) << ofrecidos.join('|').toStdString();
    EXPECT_TRUE(principal->TB_BARRA->isVisible());
    EXPECT_FALSE(principal->TB_BARRA->isMovable());
    EXPECT_FALSE(principal->TB_BARRA->isFloatable());
}

// ---- Fit -------------------------------------------------------------------

// The real design windows, each whole inside the free area below the bar.
TEST(Encaje, EveryDesignWindowShowsWholeBelowTheToolbar) {
    platform::ScopedScreenSize pantalla(QSize(800, 600));
    platform::ScopedFakeMessages mensajes;
    General::Caso = General::Datos{};
    auto principal = Inicio::Main();
    ASSERT_TRUE(principal);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(principal.get()));
    // The frame refits once shown (its queued sizing): waited for, not slept on.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return principal->size() == principal->Tamano_Cliente(); }, 5000));
    principal->Cerrar_Presentacion();
    int vistas = 0;
    for (DesignKind k : {DesignKind::Flexion, DesignKind::FlexionT, DesignKind::Confina,
                         DesignKind::Carac}) {
        SCOPED_TRACE(static_cast<int>(k));
        Abrir_Por_Menu(*principal, k);
        QCoreApplication::processEvents();
        QMdiSubWindow* sub = principal->Subventana();
        ASSERT_TRUE(sub);
        const QRect libre = principal->Area()->viewport()->rect();
        EXPECT_TRUE(libre.contains(sub->geometry()))
            << "free " << libre.width() << "x" << libre.height() << ", window "
            << sub->width() << "x" << sub->height();
        // It would still fit if a window manager took 22 pixels of the
        // 800 x 600 for its title bar and borders.
        const int libreConGestor = MDI_PRINCIPAL::kAlto - 22 - principal->menuWidget()->height() -
                                   principal->TB_BARRA->height();
        EXPECT_LE(sub->height(), libreConGestor);
        // The bar sits above the free area, not over it.
        EXPECT_LE(principal->TB_BARRA->geometry().bottom(),
                  principal->Area()->mapTo(principal.get(), QPoint(0, 0)).y());
        // The menu entries and buttons 3 and 4 follow the real window.
        using windows::FrameEntry;
        auto estados = [&principal] {
            std::vector<bool> v;
            for (FrameEntry e : {FrameEntry::Guardar, FrameEntry::GuardarComo,
                                 FrameEntry::Imprimir, FrameEntry::BotonGuardar,
                                 FrameEntry::BotonImprimir})
                v.push_back(principal->entryEnabled(e));
            v.push_back(Boton(*principal, "Guardar")->isEnabled());
            v.push_back(Boton(*principal, "Imprimir")->isEnabled());
            return v;
        };
        const bool caso = k != DesignKind::Carac;
        EXPECT_EQ(estados(), (std::vector<bool>{caso, caso, true, caso, true, caso, true}));
        ++vistas;
        ASSERT_TRUE(principal->Cerrar_Ventanas());
        EXPECT_EQ(estados(), std::vector<bool>(7, false));
    }
    EXPECT_GE(vistas, 1);
}
