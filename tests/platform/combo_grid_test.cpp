// Combo and grid: the program's selections and moves raise the user's event.
#include "platform/Combo.h"
#include "platform/Grid.h"
#include "../common/contraste.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

using platform::Combo;
using platform::Grid;

namespace {

TEST(Combo, FillingRaisesNothingAndKeepsSelectionAndText) {
    for (Combo::Style style : {Combo::Style::Editable, Combo::Style::List}) {
        Combo combo(style);
        int events = 0;
        QObject::connect(&combo, &Combo::selected, [&] { ++events; });
        combo.addEntry("25");  // the first entry of an empty combo
        combo.addEntry("30");
        EXPECT_EQ(combo.selectedIndex(), -1);
        EXPECT_EQ(combo.text(), "");
        combo.setEntry(2, "35");  // one past the last appends
        combo.setEntry(5, "x");   // beyond: ignored
        EXPECT_EQ(combo.count(), 3);
        EXPECT_EQ(events, 0);
    }
}

TEST(Combo, ProgramSelectionRaisesTheEventOnceSynchronously) {
    Combo combo(Combo::Style::Editable);
    for (const char* t : {"0,125", "0,165", "0,250"}) combo.addEntry(t);
    std::vector<int> seen;  // index and text at the moment of the event
    QString textSeen;
    QObject::connect(&combo, &Combo::selected, [&] {
        seen.push_back(combo.selectedIndex());
        textSeen = combo.text();
    });
    combo.select(1);
    EXPECT_EQ(seen, std::vector<int>{1});
    EXPECT_EQ(textSeen, "0,165");
    combo.select(1);  // already selected: raised again
    EXPECT_EQ(seen, (std::vector<int>{1, 1}));
    combo.select(-1);  // clearing raises nothing
    combo.select(7);   // out of range: ignored
    EXPECT_EQ(seen.size(), 2u);
    EXPECT_EQ(combo.selectedIndex(), -1);
}

TEST(Combo, RewritingEntriesKeepsTheEditText) {
    Combo combo(Combo::Style::Editable);
    combo.addEntry("0,125");
    combo.addEntry("0,200");
    combo.select(1);
    combo.setText("0,3");
    combo.setEntry(1, "0,165");  // the selected entry
    EXPECT_EQ(combo.text(), "0,3");
    EXPECT_EQ(combo.entry(1), "0,165");
    EXPECT_EQ(combo.selectedIndex(), 1);
}

TEST(Combo, KeysRaiseDownSelectUpInOrderAndReturnPicksNothing) {
    Combo list(Combo::Style::List);
    for (const char* t : {"CIRCULAR", "CUADRADA", "RECTANGULAR"}) list.addEntry(t);
    list.select(0);
    std::vector<QString> order;
    QObject::connect(&list, &Combo::keyDown, [&](int) { order.push_back("down"); });
    QObject::connect(&list, &Combo::selected, [&] { order.push_back("selected"); });
    QObject::connect(&list, &Combo::keyUp, [&](int) { order.push_back("up"); });
    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(order, (std::vector<QString>{"down", "selected", "up"}));
    EXPECT_EQ(list.text(), "CUADRADA");

    Combo edit(Combo::Style::Editable);
    edit.addEntry("25");
    edit.addEntry("30");
    int events = 0;
    QObject::connect(&edit, &Combo::selected, [&] { ++events; });
    edit.lineEdit()->setText("30");
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_EQ(events, 0);
    EXPECT_EQ(edit.selectedIndex(), -1);
    EXPECT_EQ(edit.count(), 2);
    // No inline completion: typing "2" stays "2".
    edit.lineEdit()->clear();
    QTest::keyClicks(&edit, "2");
    EXPECT_EQ(edit.text(), "2");
}

// keyUp follows only a keyDown the list gave; a modifier alone and a
// shortcut give neither.
TEST(Combo, KeyHooksOnlyForKeysPressedInTheList) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* list = new Combo(Combo::Style::List, &window);
    auto* other = new QLineEdit(&window);
    layout->addWidget(list);
    layout->addWidget(other);
    for (const char* t : {"CIRCULAR", "CUADRADA", "RECTANGULAR"}) list->addEntry(t);
    // A shortcut of the window whose action is off: its key reaches the list.
    auto* help = new QAction(&window);
    help->setShortcut(Qt::Key_F1);
    help->setEnabled(false);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    std::vector<QString> hooks;
    auto name = [](int key) {
        return QString(key == Qt::Key_Up ? "Up" : key == Qt::Key_Down ? "Down" : "?");
    };
    QObject::connect(list, &Combo::keyDown, [&](int k) { hooks.push_back("down " + name(k)); });
    QObject::connect(list, &Combo::keyUp, [&](int k) { hooks.push_back("up " + name(k)); });
    auto autoRepeat = [list](QEvent::Type type) {
        QKeyEvent e(type, Qt::Key_Down, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(list, &e);
    };
    struct Case {
        const char* name;
        std::function<void()> keys;
        std::vector<QString> expected;
    };
    const Case cases[] = {
        {"release of a key pressed elsewhere",
         [&] { QTest::keyRelease(list, Qt::Key_Return); },
         {}},
        {"lone Ctrl", [&] { QTest::keyClick(list, Qt::Key_Control); }, {}},
        {"lone Shift, lone Alt",
         [&] {
             QTest::keyClick(list, Qt::Key_Shift);
             QTest::keyClick(list, Qt::Key_Alt);
         },
         {}},
        {"Ctrl+S", [&] { QTest::keyClick(list, Qt::Key_S, Qt::ControlModifier); }, {}},
        {"Alt with a letter", [&] { QTest::keyClick(list, Qt::Key_R, Qt::AltModifier); }, {}},
        {"shortcut of the window", [&] { QTest::keyClick(list, Qt::Key_F1); }, {}},
        {"arrow", [&] { QTest::keyClick(list, Qt::Key_Down); }, {"down Down", "up Down"}},
        {"arrows held: every repeat goes down, one release up",
         [&] {
             QTest::keyPress(list, Qt::Key_Up);
             QTest::keyPress(list, Qt::Key_Down);
             autoRepeat(QEvent::KeyRelease);
             autoRepeat(QEvent::KeyPress);
             QTest::keyRelease(list, Qt::Key_Down);
             QTest::keyRelease(list, Qt::Key_Up);
         },
         {"down Up", "down Down", "down Down", "up Down", "up Up"}},
        {"focus gone between press and release",
         [&] {
             QTest::keyPress(list, Qt::Key_Down);
             other->setFocus();
             list->setFocus();
             QTest::keyRelease(list, Qt::Key_Down);
         },
         {"down Down"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        list->setFocus();
        list->select(0);
        hooks.clear();
        c.keys();
        EXPECT_EQ(hooks, c.expected);
    }
}

struct GridEvents {
    std::vector<std::pair<int, int>> cells;  // current cell at each event
    int clicks = 0;
    explicit GridEvents(Grid& grid) {
        QObject::connect(&grid, &Grid::enterCell, [this, &grid] { cells.push_back({grid.row(), grid.col()}); });
        QObject::connect(&grid, &Grid::gridClicked, [this] { ++clicks; });
    }
};

TEST(Grid, ProgramMovesRaiseTheEventExactlyOnceAlsoToTheCurrentCell) {
    Grid grid;
    grid.setRows(6);
    grid.setCols(4);
    GridEvents ev(grid);
    grid.setRow(1);
    grid.setCol(1);
    grid.setCol(1);  // already current
    grid.setRow(0);  // a header cell, by the program
    grid.setCol(0);
    grid.setRow(9);  // outside: ignored
    using P = std::pair<int, int>;
    EXPECT_EQ(ev.cells, (std::vector<P>{{1, 0}, {1, 1}, {1, 1}, {0, 1}, {0, 0}}));
}

TEST(Grid, ResizingRaisesNothingAndKeepsTheCurrentCellInside) {
    Grid grid;
    grid.setRows(6);
    grid.setCols(4);
    grid.setRow(5);
    grid.setCol(3);
    GridEvents ev(grid);
    grid.setRows(3);
    grid.setCols(2);
    grid.setRows(6);
    EXPECT_TRUE(ev.cells.empty());
    EXPECT_EQ(grid.row(), 2);
    EXPECT_EQ(grid.col(), 1);
    EXPECT_EQ(grid.rows(), 6);
    grid.setRowHeightAll(20);
    grid.setRows(8);
    EXPECT_EQ(grid.rowHeight(7), 20);
    EXPECT_TRUE(ev.cells.empty());
}

TEST(Grid, UserMovesAndClicks) {
    Grid grid;
    grid.setRows(6);
    grid.setCols(4);
    for (int c = 0; c < 4; ++c) grid.setColWidth(c, 60);
    grid.setRowHeightAll(20);
    grid.resize(300, 200);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    grid.setRow(1);
    grid.setCol(1);
    GridEvents ev(grid);
    const QRect cell22 = grid.visualItemRect(grid.item(2, 2));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell22.center());
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell22.center());  // same cell
    using P = std::pair<int, int>;
    EXPECT_EQ(ev.cells, (std::vector<P>{{2, 2}}));
    EXPECT_EQ(ev.clicks, 2);
    // A header cell cannot be made current by the user, by mouse or keys.
    const QRect header = grid.visualItemRect(grid.item(0, 2));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, header.center());
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Up);
    QTest::keyClick(&grid, Qt::Key_Up);
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(ev.cells, (std::vector<P>{{2, 2}, {1, 2}, {2, 2}}));
}

TEST(Grid, TextsAndColours) {
    Grid grid;
    grid.setRows(3);
    grid.setCols(3);
    grid.setCellText(1, 2, "12,5");
    grid.setCellBackground(1, 2, QColor(255, 255, 0));
    grid.setCellText(7, 7, "x");  // outside: ignored
    EXPECT_EQ(grid.cellText(1, 2), "12,5");
    EXPECT_EQ(grid.cellText(7, 7), "");
    EXPECT_EQ(grid.cellBackground(1, 2), QColor(255, 255, 0));
    EXPECT_EQ(grid.item(1, 2)->textAlignment(), int(Qt::AlignCenter));
}

// The current cell's frame stands out from the cell, 3:1 at least, under
// the light and a dark palette: on a plain cell, on the yellow and white of
// the result grids, on a dark colour, and on one whose own text colour reads
// poorly on it (white on bright green). The cells keep their colours.
TEST(Grid, CurrentCellFrameStandsOutFromTheCellUnderAnyPalette) {
    const std::optional<QColor> fondos[] = {
        std::nullopt, QColor(255, 255, 0), QColor(255, 255, 255), QColor(0, 0, 128),
        QColor(0, 200, 0),
    };
    const int n = int(std::size(fondos));
    for (const bool oscura : {false, true}) {
        SCOPED_TRACE(oscura ? "dark palette" : "light palette");
        std::optional<Paleta_Oscura> paleta;
        if (oscura) paleta.emplace();
        Grid grid;
        grid.setRows(2);
        grid.setCols(n + 1);
        grid.setRowHeightAll(24);
        for (int j = 1; j <= n; ++j) {
            grid.setColWidth(j, 40);
            if (fondos[j - 1]) grid.setCellBackground(1, j, *fondos[j - 1]);
        }
        grid.resize(60 + 40 * n, 80);
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
        for (int j = 1; j <= n; ++j) {
            SCOPED_TRACE("column " + std::to_string(j));
            grid.setRow(1);
            grid.setCol(j);
            const QImage img = grid.viewport()->grab().toImage();
            const QRect r = grid.visualItemRect(grid.item(1, j));
            const int f = platform::kCurrentCellFrame;
            const QColor celda = Leer(img, r.adjusted(f + 2, f + 2, -f - 2, -f - 2)).fondo;
            const QColor marco = Leer(img, QRect(r.left(), r.top() + f, f, r.height() - 2 * f)).fondo;
            EXPECT_EQ(celda, fondos[j - 1].value_or(grid.palette().color(QPalette::Base)));
            EXPECT_GE(Contraste(marco, celda), 3.0)
                << marco.name().toStdString() << " on " << celda.name().toStdString();
        }
    }
}

}  // namespace
