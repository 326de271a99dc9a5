// The program under a real Wayland compositor (run by con_compositor.sh):
// as a native Wayland client, the splash ends in every way it can, again
// and again, without a crash, and the windows and dialogs open; as an X
// client of the compositor's XWayland, the splash is on the screen in
// front of the frame.
#include "app/FM_PRESENTACION.h"
#include "app/Inicio.h"
#include "app/MDI_PRINCIPAL.h"
#include "engine/General.h"
#include "platform/Messages.h"
#include "platform/Modal.h"
#include "platform/QtMessageService.h"
#include "tests/platform_fakes/Fakes.h"

#include <QApplication>
#include <QColor>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

bool Wayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

class Con_Compositor : public ::testing::Test {
protected:
    void TearDown() override {
        principal.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // The program started as the user starts it, its splash on screen.
    void Arrancar() {
        principal = Inicio::Main();
        ASSERT_TRUE(principal);
        splash = principal->Presentacion();
        ASSERT_TRUE(splash);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(splash.data(), 10000));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(principal.get(), 10000));
    }

    platform::ScopedFakeMessages mensajes;
    std::unique_ptr<MDI_PRINCIPAL> principal;
    QPointer<FM_PRESENTACION> splash;
};

using Presentacion_Wayland = Con_Compositor;

// Every way the splash ends, each a few times: its timer, a key, a click
// on a label, the frame closing it (a top menu). A compositor that gives
// the keys to the splash has it as its focus window while it goes, which
// is when an activation from inside its destruction crashed the program.
// The frame is left on screen, and takes the activation where the
// compositor gives it.
TEST_F(Presentacion_Wayland, SplashEndsInEveryWayAndTheFrameStays) {
    if (!Wayland()) GTEST_SKIP() << "not a Wayland client";
    struct Fin {
        const char* como;
        void (*cerrar)(MDI_PRINCIPAL&, FM_PRESENTACION&);
    };
    const Fin fines[] = {
        {"timer", [](MDI_PRINCIPAL&, FM_PRESENTACION& s) { s.Form_Load(1); }},
        {"key", [](MDI_PRINCIPAL&, FM_PRESENTACION& s) { QTest::keyClick(&s, Qt::Key_Escape); }},
        {"click", [](MDI_PRINCIPAL&, FM_PRESENTACION& s) {
             QTest::mouseClick(s.LB_VERSION, Qt::LeftButton, {}, s.LB_VERSION->rect().center());
         }},
        {"frame", [](MDI_PRINCIPAL& p, FM_PRESENTACION&) { p.Cerrar_Presentacion(); }},
    };
    // The compositor may give the splash the keys a moment later; one that
    // gave them at no first start (no keyboard) gives them at none.
    int esperaTeclas = 2000;
    for (int vez = 1; vez <= 3; ++vez) {
        for (const Fin& f : fines) {
            SCOPED_TRACE(std::string(f.como) + ", round " + std::to_string(vez));
            Arrancar();
            const bool conTeclas = QTest::qWaitFor(
                [&] { return splash && splash->isActiveWindow(); }, esperaTeclas);
            if (!conTeclas && vez == 1 && &f == fines) esperaTeclas = 0;
            f.cerrar(*principal, *splash);
            EXPECT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }, 10000));
            EXPECT_FALSE(General::Caso.Presentacion_Visible);
            EXPECT_TRUE(principal->isVisible());
            if (conTeclas) {
                EXPECT_TRUE(QTest::qWaitFor([&] { return principal->isActiveWindow(); }, 10000));
            }
            principal.reset();
        }
    }
}

// Once the splash is gone the design windows, the modal dialogs and the
// message boxes open on the compositor (where it places them).
TEST_F(Presentacion_Wayland, WindowsAndDialogsOpen) {
    if (!Wayland()) GTEST_SKIP() << "not a Wayland client";
    Arrancar();
    principal->Cerrar_Presentacion();
    ASSERT_TRUE(QTest::qWaitFor([&] { return splash.isNull(); }, 10000));

    principal->mnuCalcularFlexion_Click();
    ASSERT_TRUE(principal->Subventana());
    EXPECT_TRUE(QTest::qWaitFor([&] { return principal->Subventana()->isVisible(); }, 10000));

    std::vector<std::string> vistos;
    auto expuesta = [&](QWidget* d) {
        ASSERT_TRUE(d);
        vistos.push_back(d->metaObject()->className());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(d, 10000)) << vistos.back();
    };
    {
        platform::ScopedModalScript guion;
        guion.push([&](QDialog& d) { expuesta(&d); });
        principal->mnuAyudaAcerca_Click();
    }
    platform::QtMessageService cajas;
    platform::setMessages(&cajas);
    QTimer::singleShot(0, [&] {
        expuesta(QApplication::activeModalWidget());
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->done(0);
    });
    platform::showMessage("Ancho debe ser un número.", platform::Icon::Critical);
    platform::setMessages(&mensajes.fake);
    EXPECT_EQ(vistos.size(), 2u);
    EXPECT_TRUE(principal->isVisible());
}

using Presentacion_XWayland = Con_Compositor;

// What the compositor shows (its own screenshot): the splash picture's
// yellow border and title, in front of the frame that was mapped after it.
// The program is an X client that is not told it runs under a Wayland
// compositor.
TEST_F(Presentacion_XWayland, SplashIsInFrontOfTheFrameOnTheScreen) {
    const QString socket = qEnvironmentVariable("KESTRAM_WESTON_SOCKET");
    if (socket.isEmpty() || QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "not an X client of weston's XWayland";
    Arrancar();
    QTemporaryDir carpeta;
    ASSERT_TRUE(carpeta.isValid());
    const QRgb amarillo = qRgb(230, 200, 40);  // FM_PRESENTACION::Dibujo_Producto
    auto amarillos = [&] {
        QDir d(carpeta.path());
        for (const QString& f : d.entryList({QStringLiteral("*.png")})) d.remove(f);
        QProcess p;
        auto entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert(QStringLiteral("WAYLAND_DISPLAY"), socket);
        p.setProcessEnvironment(entorno);
        p.setWorkingDirectory(carpeta.path());
        p.start(QStringLiteral("weston-screenshooter"), {});
        if (!p.waitForFinished(10000)) {
            p.kill();
            p.waitForFinished();
            return -1;
        }
        const QStringList png = d.entryList({QStringLiteral("*.png")});
        if (png.isEmpty()) return -1;
        const QImage img = QImage(d.filePath(png.first())).convertToFormat(QImage::Format_RGB32);
        int n = 0;
        for (int y = 0; y < img.height(); ++y) {
            const auto* fila = reinterpret_cast<const QRgb*>(img.constScanLine(y));
            for (int x = 0; x < img.width(); ++x) n += (fila[x] & 0xffffff) == (amarillo & 0xffffff);
        }
        return n;
    };
    // The picture's 2-pixel border alone is some 2700 pixels.
    int visto = 0;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            visto = amarillos();
            return visto >= 2000;
        },
        10000))
        << "yellow pixels of the splash on the screen: " << visto;
    EXPECT_TRUE(General::Caso.Presentacion_Visible);
}

}  // namespace
