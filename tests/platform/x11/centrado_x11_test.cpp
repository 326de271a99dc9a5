// The centring of a dialog over its window on a real X server under the
// tests' frameless stand-in window manager (run by con_gestor.sh), where
// the manager is stubborn: it refuses every move and puts the dialog back
// at the screen's centre. The dialog is not chased for ever.
#include "platform/Screen.h"
#include "tests/common/cliente_x.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QWidget>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// The moves a dialog asks of the window manager once it is mapped, as the
// stand-in counts them.
uint32_t Movidas(Cliente_X& x, const QWidget& w) {
    return x.numero(static_cast<xcb_window_t>(w.winId()), "_KESTRAM_MOVIDAS").value_or(0);
}

// Three moves at most, all within two seconds of the dialog's first
// exposure: put back at once, it asks three and no more; put back 1.1 s
// after each move, it asks its second move within the two seconds and
// none after them (the third would come at 2.2 s).
TEST(Centrado_X11, AStubbornWindowManagerIsAskedAFewMovesEarlyOnly) {
    Cliente_X x;
    ASSERT_TRUE(x.ok());
    QWidget marco;
    marco.setWindowTitle(QStringLiteral("Marco"));
    marco.setGeometry(100, 80, 600, 400);
    marco.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&marco, 10000));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return x.enmarcada(static_cast<xcb_window_t>(marco.winId())); }, 10000));

    struct Caso {
        int vueltaMs;  // the stand-in puts the dialog back this long after a move
        uint32_t movidas;
    };
    for (const Caso caso : {Caso{0, 3}, Caso{1100, 2}}) {
        SCOPED_TRACE("put back after " + std::to_string(caso.vueltaMs) + " ms");
        QDialog dialogo(&marco);
        dialogo.resize(300, 200);
        x.poner_numero(static_cast<xcb_window_t>(dialogo.winId()), "_KESTRAM_TERCO",
                       static_cast<uint32_t>(caso.vueltaMs));
        platform::centerOnWindow(dialogo, marco);
        QElapsedTimer desde;
        desde.start();
        dialogo.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialogo, 10000));
        EXPECT_TRUE(QTest::qWaitFor([&] { return Movidas(x, dialogo) >= caso.movidas; }, 10000))
            << "moves asked " << Movidas(x, dialogo);
        // Nothing more: half a second past the two seconds, and long enough
        // after the last move for the stand-in to have put it back.
        const qint64 resto = std::max<qint64>(2500 - desde.elapsed(), caso.vueltaMs + 500);
        EXPECT_FALSE(QTest::qWaitFor([&] { return Movidas(x, dialogo) > caso.movidas; },
                                     static_cast<int>(resto)));
        EXPECT_EQ(Movidas(x, dialogo), caso.movidas);
    }
}

}  // namespace
