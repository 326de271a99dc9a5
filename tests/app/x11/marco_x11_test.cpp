// The main frame on a real X server under a real window manager (run by
// con_gestor.sh): the largest design window whole in the client area, the
// frame coming back from full screen and from another program's resize
// request, its outer size at the scale the run sets, the modal windows and
// message boxes centred on it, the splash in front of it, and under a
// tiling manager the whole window painted at the size it imposes.
#include "app/FM_PRESENTACION.h"
#include "app/Inicio.h"
#include "app/MDI_PRINCIPAL.h"
#include "engine/General.h"
#include "tests/common/cliente_x.h"
#include "tests/platform_fakes/Fakes.h"
#include "platform/FileDialogs.h"
#include "platform/Messages.h"
#include "platform/Modal.h"
#include "platform/QtMessageService.h"
#include "platform/Screen.h"
#include "windows/Dialogos.h"

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QTimer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <QWindow>
#include <QtTest/QTest>

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

// A window's outer frame as the window manager draws it now (see
// platform::frameOf: the widget's own frame geometry may be stale).
QRect Marco(const QWidget* w) { return platform::frameOf(*w); }

class Marco_X11 : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(x.ok());
        principal = Inicio::Main();
        ASSERT_TRUE(principal);
        if (!Con_Presentacion()) principal->Cerrar_Presentacion();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(principal.get()));
        // Framed by the window manager, sized and centred on the screen
        // after it: the place it must come back to. A loaded machine may
        // take a while to get there.
        ASSERT_TRUE(QTest::qWaitFor([&] { return Enmarcada(principal.get()); }, 10000));
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return En_Reposo() && Marco(principal.get()).topLeft() == Centrado(); },
            10000))
            << "at " << Marco(principal.get()).x() << ", " << Marco(principal.get()).y()
            << ", centred at " << Centrado().x() << ", " << Centrado().y();
        lugar = Centrado();
    }
    virtual bool Con_Presentacion() const { return false; }
    // The outer top-left corner of the frame centred on the screen.
    QPoint Centrado() const {
        const QRect r = principal->screen()->geometry();
        const QSize fuera = Marco(principal.get()).size();
        return {r.x() + (r.width() - fuera.width()) / 2, r.y() + (r.height() - fuera.height()) / 2};
    }
    void TearDown() override {
        principal.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QMargins Margenes() const { return principal->windowHandle()->frameMargins(); }
    // The window manager has framed the window: its margins are known, or,
    // under a manager that draws no frame, it has taken the window in.
    bool Enmarcada(const QWidget* w) {
        if (qEnvironmentVariableIsSet("KESTRAM_GESTOR_SIN_MARCO"))
            return x.enmarcada(static_cast<xcb_window_t>(w->winId()));
        return !w->windowHandle()->frameMargins().isNull();
    }
    xcb_window_t Id() const { return static_cast<xcb_window_t>(principal->winId()); }
    bool En_Reposo() const {
        return principal->size() == principal->Tamano_Cliente() &&
               !(principal->windowState() & (Qt::WindowFullScreen | Qt::WindowMaximized));
    }
    // Back at its size and its place, out of full screen for the window
    // manager too; waits at most ten seconds (a loaded machine).
    void Esperar_Vuelta() {
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                return En_Reposo() && Marco(principal.get()).topLeft() == lugar &&
                       !x.pantalla_completa(Id());
            },
            10000))
            << "full screen for the window manager: " << x.pantalla_completa(Id());
        EXPECT_EQ(principal->size(), principal->Tamano_Cliente());
        EXPECT_EQ(Marco(principal.get()).topLeft(), lugar);
        EXPECT_FALSE(principal->windowState() & Qt::WindowFullScreen);
    }

    platform::ScopedFakeMessages mensajes;
    Cliente_X x;
    std::unique_ptr<MDI_PRINCIPAL> principal;
    QPoint lugar;
};

// Outer size 12000 x 9000 twips where the decorations allow; a thicker
// frame enlarges it by what it takes, and the menu bar, the toolbar and the
// flexure window (the largest) are whole in the client area.
TEST_F(Marco_X11, LargestDesignWindowIsWholeBelowTheToolbar) {
    principal->mnuCalcularFlexion_Click();
    QMdiSubWindow* sub = principal->Subventana();
    ASSERT_TRUE(sub);
    ASSERT_TRUE(QTest::qWaitFor([&] { return sub->isVisible(); }, 10000));
    // A window manager's late answer may still resize the frame a moment:
    // measured once it is back at its size.
    ASSERT_TRUE(QTest::qWaitFor([&] { return En_Reposo(); }, 10000));

    QWidget* vista = principal->Area()->viewport();
    const QRect enVista(vista->mapTo(principal.get(), QPoint(0, 0)), vista->size());
    const QRect subRect(sub->mapTo(principal.get(), QPoint(0, 0)), sub->size());
    EXPECT_TRUE(principal->rect().contains(enVista)) << "viewport outside the client area";
    EXPECT_TRUE(enVista.contains(subRect)) << "design window cut";
    auto* barra = principal->findChild<QToolBar*>();
    ASSERT_TRUE(barra);
    EXPECT_GE(subRect.top(), barra->geometry().bottom());
    EXPECT_GE(barra->geometry().top(), principal->menuBar()->geometry().bottom());

    const QSize fuera = Marco(principal.get()).size();
    EXPECT_GE(fuera.width(), 800);
    EXPECT_GE(fuera.height(), 600);
    const QMargins m = Margenes();
    const QSize minimo = principal->minimumSizeHint();
    if (minimo.width() + m.left() + m.right() <= 800) {
        EXPECT_EQ(fuera.width(), 800);
    }
    if (minimo.height() + m.top() + m.bottom() <= 600) {
        EXPECT_EQ(fuera.height(), 600);
    }
    EXPECT_EQ(principal->size(), principal->Tamano_Cliente());
}

// What the window manager shows, in device pixels: 800 x 600 logical
// pixels at the run's scale, within the one device pixel that rounding a
// logical size leaves.
TEST_F(Marco_X11, OuterSizeOnTheScreenIs800x600AtTheScale) {
    const QMargins m = Margenes();
    const QSize minimo = principal->minimumSizeHint();
    if (minimo.width() + m.left() + m.right() > 800 || minimo.height() + m.top() + m.bottom() > 600)
        GTEST_SKIP() << "this frame is thicker than 800 x 600 allows";
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return En_Reposo() && Marco(principal.get()).size() == QSize(800, 600); }, 10000))
        << "outer " << Marco(principal.get()).width() << " x " << Marco(principal.get()).height();
    const qreal escala = principal->devicePixelRatioF();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return x.exterior_es(Id(), QSize(800, 600), escala); }, 10000))
        << "outer " << x.tamano_exterior(Id()).width() << " x "
        << x.tamano_exterior(Id()).height() << " at scale " << escala;
}

// Full screen asked for from outside (a window manager's key, a pager),
// again and again, leaves the frame at its size and its place every time,
// the window manager agreeing: the window manager takes its frame away in
// full screen, and the frame's place is its outer corner, not its client's.
TEST_F(Marco_X11, ComesBackFromFullScreenEveryTime) {
    for (int vez = 1; vez <= 3; ++vez) {
        SCOPED_TRACE("request " + std::to_string(vez));
        bool visto = false;
        const QMetaObject::Connection c = QObject::connect(
            principal->windowHandle(), &QWindow::windowStateChanged,
            [&](Qt::WindowState s) { visto |= s == Qt::WindowFullScreen; });
        // The window manager did act: the frame went full screen or moved.
        // Now and then a loaded window manager is slow to answer: asked
        // again, at most three times, only while nothing came of it; the
        // request adds the state, so a second one arriving late asks the
        // same, where a toggle would undo the first.
        bool actuo = false;
        for (int pedido = 0; pedido < 3 && !actuo; ++pedido) {
            x.pantalla_completa_si(Id());
            actuo = QTest::qWaitFor(
                [&] {
                    return visto || Marco(principal.get()).topLeft() != lugar ||
                           x.pantalla_completa(Id());
                },
                5000);
        }
        EXPECT_TRUE(actuo);
        QObject::disconnect(c);
        Esperar_Vuelta();
    }
}

// Another program resizes the frame: it comes back to its size, in place.
TEST_F(Marco_X11, ComesBackFromAResizeRequest) {
    x.redimensionar(Id(), 1000, 700);
    // A window manager may refuse the size at once: then nothing changes.
    static_cast<void>(QTest::qWaitFor(
        [&] { return principal->size() != principal->Tamano_Cliente(); }, 500));
    Esperar_Vuelta();
}

// Every modal window and every message box sits with its frame centred on
// the frame's, within 3 pixels, once the window manager has framed and
// placed it; the fixed ones ask the window manager for a close button only.
// The boxes come from the service the program installs, which finds the
// window they belong to itself: an error box, then at once the save
// question, while no window of the program is active for a moment.
TEST_F(Marco_X11, ModalWindowsAndMessageBoxesAreCentredOnTheFrameFixedOnesWithOnlyAClose) {
    principal->mnuCalcularFlexion_Click();
    QWidget* ventana = principal->Ventana();
    ASSERT_TRUE(ventana);
    std::vector<std::string> vistos;
    auto revisar = [&](QWidget* d, bool fijo) {
        ASSERT_TRUE(d);
        const std::string nombre =
            (d->objectName().isEmpty() ? QString(d->metaObject()->className()) : d->objectName())
                .toStdString();
        SCOPED_TRACE(nombre);
        vistos.push_back(nombre);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(d, 10000));
        const auto desvio = [&] {
            return Marco(d).center() - Marco(principal.get()).center();
        };
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                return Enmarcada(d) && std::abs(desvio().x()) <= 3 &&
                       std::abs(desvio().y()) <= 3;
            },
            10000))
            << "off the frame's centre by " << desvio().x() << ", " << desvio().y();
        if (!fijo) return;
        const std::vector<uint32_t> m = x.motif(static_cast<xcb_window_t>(d->winId()));
        ASSERT_EQ(m.size(), 3u);
        const uint32_t kFunciones = 1, kMinimizar = 8, kMaximizar = 16, kCerrar = 32;
        const uint32_t kDecoMinimizar = 32, kDecoMaximizar = 64;
        EXPECT_TRUE(m[0] & kFunciones);
        EXPECT_EQ(m[1] & (kMinimizar | kMaximizar | kCerrar), kCerrar);
        EXPECT_EQ(m[2] & (kDecoMinimizar | kDecoMaximizar), 0u);
    };

    {
        platform::ScopedModalScript guion;
        guion.push([&](QDialog& d) { revisar(&d, true); });
        principal->mnuAyudaAcerca_Click();
    }
    {
        platform::ScopedModalScript guion;
        guion.push([&](QDialog& d) { revisar(&d, true); });
        guion.push([&](QDialog& d) { revisar(&d, true); });
        windows::Mostrar_FM_COEF(ventana);
        windows::Mostrar_FM_ANCLAJE(ventana);
    }

    platform::QtMessageService cajas;
    platform::setMessages(&cajas);
    auto responder = [&] {
        QTimer::singleShot(0, [&] {
            revisar(QApplication::activeModalWidget(), true);
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->done(0);
        });
    };
    responder();
    platform::showMessage("Ancho debe ser un número.", platform::Icon::Critical);
    responder();
    platform::showMessage("Los datos no se han grabado, ¿desea grabar los datos?",
                          platform::Icon::Question, platform::Buttons::YesNo);
    platform::setMessages(&mensajes.fake);

    platform::QtFileDialogService ficheros;
    QTimer::singleShot(0, [&] {
        revisar(QApplication::activeModalWidget(), false);
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->reject();
    });
    platform::FileRequest pide;
    pide.kind = platform::FileRequest::Kind::Open;
    EXPECT_FALSE(ficheros.ask(pide));
    EXPECT_EQ(vistos.size(), 6u);
}

// The splash is the frame's own window: the window manager keeps it in
// front of the frame, also when the frame is activated from outside (a
// click on its title bar, a pager), and it takes the keys.
class Presentacion_X11 : public Marco_X11 {
protected:
    bool Con_Presentacion() const override { return true; }
};

TEST_F(Presentacion_X11, SplashStaysInFrontOfTheFrameAndTakesTheKeys) {
    FM_PRESENTACION* splash = principal->Presentacion();
    ASSERT_TRUE(splash);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(splash, 10000));
    const auto s = static_cast<xcb_window_t>(splash->winId());
    EXPECT_EQ(x.transitoria(s), Id());
    EXPECT_TRUE(QTest::qWaitFor([&] { return x.encima(s, Id()); }, 10000));
    x.activar(Id());
    EXPECT_TRUE(QTest::qWaitFor([&] { return x.encima(s, Id()) && splash->isActiveWindow(); },
                                10000))
        << "in front " << x.encima(s, Id()) << ", active " << splash->isActiveWindow();
    EXPECT_TRUE(General::Caso.Presentacion_Visible);
}

// A tiling window manager (i3) gives the frame the size of its tile and
// keeps it whatever the frame asks: after its bounded attempts the frame
// takes that size, and the screen shows what it paints over the whole
// window, the background picture without a seam beyond its own size.
TEST_F(Marco_X11, TiledByTheWindowManagerTheWholeWindowIsPainted) {
    const QSize propio = principal->size();
    ASSERT_TRUE(x.enlosar(Id()));
    QSize enX;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            enX = x.tamano(Id());
            return enX.width() > propio.width() + 100 && enX.height() > propio.height() + 100 &&
                   principal->size() == enX;
        },
        10000))
        << "the window " << enX.width() << " x " << enX.height() << ", the frame "
        << principal->width() << " x " << principal->height();

    // The free area beyond the frame's own size: a strip at the right and
    // one at the bottom, inside the area's viewport.
    QWidget* vista = principal->Area()->viewport();
    const QRect libre(vista->mapTo(principal.get(), QPoint(0, 0)), vista->size());
    ASSERT_GT(libre.right(), propio.width() + 20);
    ASSERT_GT(libre.bottom(), propio.height() + 20);
    const QRect derecha(QPoint(propio.width() + 4, libre.top() + 4),
                        QPoint(libre.right() - 4, libre.bottom() - 4));
    const QRect abajo(QPoint(libre.left() + 4, propio.height() + 4),
                      QPoint(libre.right() - 4, libre.bottom() - 4));
    auto diferentes = [](const QImage& a, const QImage& b, const QRect& r) {
        int n = 0;
        for (int yy = r.top(); yy <= r.bottom(); yy += 5)
            for (int xx = r.left(); xx <= r.right(); xx += 5)
                n += (a.pixel(xx, yy) & 0xffffff) != (b.pixel(xx, yy) & 0xffffff);
        return n;
    };
    QImage pantalla, pintado;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            pantalla = x.imagen(Id());
            pintado = principal->grab().toImage().convertToFormat(QImage::Format_RGB32);
            return pantalla.size() == enX && pintado.size() == enX &&
                   diferentes(pantalla, pintado, derecha) == 0 &&
                   diferentes(pantalla, pintado, abajo) == 0;
        },
        10000))
        << "pixels the screen shows otherwise: right " << diferentes(pantalla, pintado, derecha)
        << ", bottom " << diferentes(pantalla, pintado, abajo);

    // The picture's gradient runs on without a jump: a tiled picture
    // would start again at its own edge.
    auto salto = [&](QPoint desde, QPoint paso, int n) {
        int mayor = 0;
        for (int i = 1; i < n; ++i) {
            const QColor a = pantalla.pixelColor(desde + paso * (i - 1));
            const QColor b = pantalla.pixelColor(desde + paso * i);
            mayor = std::max({mayor, std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                              std::abs(a.blue() - b.blue())});
        }
        return mayor;
    };
    EXPECT_LE(salto(QPoint(libre.left() + 2, libre.bottom() - 8), QPoint(1, 0), libre.width() - 4), 12);
    EXPECT_LE(salto(QPoint(libre.right() - 8, libre.top() + 2), QPoint(0, 1), libre.height() - 4), 12);
}

}  // namespace
