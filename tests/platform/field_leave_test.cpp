// Leaving fields: real focus changes and the test hook run the same leave.
#include "platform/Combo.h"
#include "platform/FieldLeave.h"

#include <QDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <memory>

#include <functional>
#include <vector>

using platform::FieldGuard;
using platform::LeaveResult;

namespace {

// A window with two validated fields, a combo, a plain field and a button.
// Each field's handler records its name and answers what `answer` says.
struct Form {
    QWidget window;
    QLineEdit* a = new QLineEdit(&window);
    QLineEdit* b = new QLineEdit(&window);
    platform::Combo* combo = new platform::Combo(platform::Combo::Style::Editable, &window);
    QLineEdit* plain = new QLineEdit(&window);
    QPushButton* button = new QPushButton("Calcular", &window);
    FieldGuard* guard = new FieldGuard(&window);
    std::vector<QString> ran;
    int clicks = 0;
    std::function<LeaveResult()> answerA = [] { return LeaveResult::accepted(); };

    Form() {
        window.setObjectName("form");
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* w : {static_cast<QWidget*>(a), static_cast<QWidget*>(b),
                           static_cast<QWidget*>(combo), static_cast<QWidget*>(plain),
                           static_cast<QWidget*>(button)})
            layout->addWidget(w);
        a->setText("1,5");
        b->setText("2");
        combo->addEntry("25");
        QObject::connect(button, &QPushButton::clicked, [this] { ++clicks; });
        guard->watch(a, [this] {
            ran.push_back("a");
            return answerA();
        });
        guard->watch(b, [this] {
            ran.push_back("b");
            return LeaveResult::accepted();
        });
        guard->watch(combo, [this] {
            ran.push_back("combo");
            return LeaveResult::accepted();
        });
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        a->setFocus(Qt::TabFocusReason);
        platform::settle();
        ran.clear();
    }
};

TEST(FieldLeave, RealFocusChangeAndHookRunHandlerAlsoWhenUnchanged) {
    Form f;
    ASSERT_EQ(QApplication::focusWidget(), f.a);
    QTest::keyClick(f.a, Qt::Key_Tab);  // unchanged text, left by Tab
    EXPECT_EQ(f.ran, std::vector<QString>{"a"});
    EXPECT_EQ(QApplication::focusWidget(), f.b);

    QTest::mouseClick(f.plain, Qt::LeftButton);  // b left by the mouse
    EXPECT_EQ(f.ran, (std::vector<QString>{"a", "b"}));

    platform::leaveField(f.a);  // the hook, no focus needed
    EXPECT_EQ(f.ran, (std::vector<QString>{"a", "b", "a"}));
    EXPECT_EQ(QApplication::focusWidget(), f.plain);  // accepted: focus untouched
}

TEST(FieldLeave, PopupsAndOtherWindowsAreNotLeaves) {
    Form f;
    // A menu popping up takes the focus with the popup reason.
    QMenu menu;
    menu.addAction("Copiar");
    QTimer::singleShot(0, &menu, [&] { menu.close(); });
    menu.exec(f.a->mapToGlobal(QPoint(0, 0)));
    platform::settle();
    // A modal box (another window) takes it with the active-window reason.
    QDialog box;
    QTimer::singleShot(0, &box, [&] { box.accept(); });
    box.exec();
    platform::settle();
    // The focus leaving for nowhere (window closing) is no leave either.
    f.a->setFocus();
    f.a->clearFocus();
    EXPECT_TRUE(f.ran.empty());

    // Offscreen, a closed box does not give the activation back.
    f.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window));
    // The combo's own list is not a leave of the combo.
    f.combo->setFocus(Qt::TabFocusReason);
    platform::settle();
    f.ran.clear();
    f.combo->showPopup();
    platform::settle();
    f.combo->hidePopup();
    platform::settle();
    EXPECT_TRUE(f.ran.empty());
    // Leaving the combo itself is one (the focus is the combo's, not its edit's).
    QTest::mouseClick(f.plain, Qt::LeftButton);
    EXPECT_EQ(f.ran, std::vector<QString>{"combo"});
}

// An edit not yet left: a field's text against what it showed after its last
// check (or the program's last write while it did not hold the focus).
// Another window taking the focus and giving it back keeps that reference; a
// leave that takes the text sets a new one; a refused text is pending until
// the field is accepted. Nothing runs the handler.
TEST(FieldLeave, PendingEditIsMeasuredFromWhenTheFieldTookTheFocus) {
    Form f;
    EXPECT_FALSE(platform::hasPendingEdit(&f.window));
    QTest::keyClicks(f.a, "7");
    EXPECT_TRUE(platform::hasPendingEdit(&f.window));
    f.a->setText("1,5");  // typed back as it was
    EXPECT_FALSE(f.guard->pendingEdit());
    f.a->setText("2");

    QDialog box;
    QTimer::singleShot(0, &box, [&] { box.accept(); });
    box.exec();
    f.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window));
    ASSERT_EQ(QApplication::focusWidget(), f.a);
    EXPECT_TRUE(f.guard->pendingEdit());
    EXPECT_TRUE(f.ran.empty());

    platform::leaveField(f.a);  // taken, the focus still in the field
    EXPECT_FALSE(f.guard->pendingEdit());

    f.combo->setFocus(Qt::TabFocusReason);
    platform::settle();
    EXPECT_FALSE(f.guard->pendingEdit());
    f.combo->setText("30");
    EXPECT_TRUE(f.guard->pendingEdit());

    f.answerA = [] { return LeaveResult::refused(); };
    f.a->setFocus(Qt::TabFocusReason);
    platform::settle();
    f.a->setText("abc");
    QTest::keyClick(f.a, Qt::Key_Tab);
    platform::settle();
    ASSERT_EQ(QApplication::focusWidget(), f.a);
    EXPECT_TRUE(f.guard->pendingEdit());
    f.answerA = [] { return LeaveResult::accepted(); };
    QTest::keyClick(f.a, Qt::Key_Tab);
    platform::settle();
    EXPECT_EQ(QApplication::focusWidget(), f.b);
    EXPECT_FALSE(f.guard->pendingEdit());
}

TEST(FieldLeave, RefusalSelectsAllReturnsFocusAndSkipsTheFieldInBetween) {
    Form f;
    f.answerA = [] { return LeaveResult::refused(); };
    f.a->setText("abc");
    f.a->deselect();
    QTest::keyClick(f.a, Qt::Key_Tab);
    // Inside the focus change the focus is still on its way to b...
    EXPECT_EQ(QApplication::focusWidget(), f.b);
    platform::settle();  // ...and comes back on the queued call.
    EXPECT_EQ(QApplication::focusWidget(), f.a);
    EXPECT_EQ(f.a->selectedText(), "abc");
    EXPECT_EQ(f.a->selectionStart(), 0);
    EXPECT_EQ(f.ran, std::vector<QString>{"a"});  // b held the focus, was not left
    EXPECT_EQ(f.guard->refusedField(), f.a);

    // Every attempt to leave runs the handler again; an acceptance clears it.
    f.answerA = [] { return LeaveResult::accepted(); };
    QTest::keyClick(f.a, Qt::Key_Tab);
    platform::settle();
    EXPECT_EQ(f.ran, (std::vector<QString>{"a", "a"}));
    EXPECT_EQ(QApplication::focusWidget(), f.b);
    EXPECT_EQ(f.guard->refusedField(), nullptr);
}

TEST(FieldLeave, NoCommandRunsWhileRefused) {
    Form f;
    f.answerA = [] { return LeaveResult::refused(); };
    // The click that leaves the field: refused, so the button does not run.
    QTest::mouseClick(f.button, Qt::LeftButton);
    platform::settle();
    EXPECT_EQ(f.clicks, 0);
    EXPECT_EQ(QApplication::focusWidget(), f.a);
    // Still refused: keys and clicks on the window's commands are held.
    f.a->setFocus();
    f.button->setFocus();  // program focus: a leave, refused again
    platform::settle();
    QTest::keyClick(f.button, Qt::Key_Space);
    QTest::mouseClick(f.button, Qt::LeftButton);
    platform::settle();
    EXPECT_EQ(f.clicks, 0);
    EXPECT_EQ(f.ran.size(), 3u);
    // Typing in the refused field still works.
    QTest::keyClicks(f.a, "7");
    EXPECT_EQ(f.a->text(), "7");

    // Accepted: the next click runs the command, once.
    f.answerA = [] { return LeaveResult::accepted(); };
    QTest::mouseClick(f.button, Qt::LeftButton);
    EXPECT_EQ(f.clicks, 1);
    QTest::mouseClick(f.button, Qt::LeftButton);
    EXPECT_EQ(f.clicks, 2);
}

// A command that abandons the fields runs without leaving them, also while
// one is refused; the other commands stay held.
TEST(FieldLeave, ExemptCommandIsNeverHeldAndLeavesNothing) {
    Form f;
    auto* cancelar = new QPushButton("Cancelar", &f.window);
    f.window.layout()->addWidget(cancelar);
    cancelar->show();
    int cancelado = 0;
    QObject::connect(cancelar, &QPushButton::clicked, [&] { ++cancelado; });
    f.guard->exempt(cancelar);
    platform::settle();

    QTest::mouseClick(cancelar, Qt::LeftButton);  // from a, with the focus
    EXPECT_EQ(cancelado, 1);
    EXPECT_TRUE(f.ran.empty());

    f.answerA = [] { return LeaveResult::refused(); };
    f.a->setFocus();
    QTest::keyClick(f.a, Qt::Key_Tab);
    platform::settle();
    ASSERT_EQ(f.guard->refusedField(), f.a);
    QTest::mouseClick(f.button, Qt::LeftButton);  // held, and a refused leave again
    platform::settle();
    QTest::mouseClick(cancelar, Qt::LeftButton);
    f.a->setFocus();
    EXPECT_TRUE(platform::clickAsUser(cancelar));
    EXPECT_EQ(f.clicks, 0);
    EXPECT_EQ(cancelado, 3);
    EXPECT_EQ(f.ran.size(), 2u);
}

TEST(FieldLeave, WarningMovesFocusToTheNamedField) {
    Form f;
    f.answerA = [&f] { return LeaveResult::warning(f.combo); };
    f.combo->setText("0,125");
    QTest::mouseClick(f.button, Qt::LeftButton);  // the click that warned is dropped
    platform::settle();
    EXPECT_EQ(f.clicks, 0);
    EXPECT_EQ(QApplication::focusWidget(), f.combo);
    EXPECT_EQ(f.combo->lineEdit()->selectedText(), "0,125");
    EXPECT_EQ(f.ran, std::vector<QString>{"a"});  // the button held it meanwhile
    EXPECT_EQ(f.guard->refusedField(), nullptr);
    // Warned is accepted: commands run again.
    f.answerA = [] { return LeaveResult::accepted(); };
    QTest::mouseClick(f.button, Qt::LeftButton);
    EXPECT_EQ(f.clicks, 1);
    EXPECT_EQ(f.ran, (std::vector<QString>{"a", "combo"}));
}

TEST(FieldLeave, RefusalInsideAModalBoxStillHoldsTheClick) {
    Form f;
    // The handler's message box runs its own event loop inside the leave.
    f.answerA = [&f] {
        QDialog box(&f.window);
        QTimer::singleShot(0, &box, [&] { box.accept(); });
        box.exec();
        return LeaveResult::refused();
    };
    QTest::mouseClick(f.button, Qt::LeftButton);
    platform::settle();
    EXPECT_EQ(f.clicks, 0);
    EXPECT_EQ(f.window.focusWidget(), f.a);
    EXPECT_EQ(f.ran, std::vector<QString>{"a"});
}

TEST(FieldLeave, HooksWorkOnAWindowNeverShown) {
    QWidget window;
    auto* a = new QLineEdit("abc", &window);
    auto* b = new QLineEdit("0,5", &window);
    auto* button = new QPushButton("Calcular", &window);
    auto* guard = new FieldGuard(&window);
    LeaveResult::Kind answer = LeaveResult::Kind::Refused;
    guard->watch(a, [&] {
        if (answer == LeaveResult::Kind::Refused) return LeaveResult::refused();
        if (answer == LeaveResult::Kind::Warning) return LeaveResult::warning(b);
        return LeaveResult::accepted();
    });
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });

    platform::leaveField(a);
    EXPECT_EQ(window.focusWidget(), a);
    EXPECT_EQ(a->selectedText(), "abc");
    EXPECT_FALSE(platform::clickAsUser(button));  // leaves a again: refused
    answer = LeaveResult::Kind::Warning;
    EXPECT_FALSE(platform::clickAsUser(button));  // warned: the click is dropped
    EXPECT_EQ(window.focusWidget(), b);
    EXPECT_EQ(b->selectedText(), "0,5");
    EXPECT_TRUE(platform::clickAsUser(button));   // b is not watched
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(window.focusWidget(), button);

    // A refused field the program then disables holds the window no more.
    answer = LeaveResult::Kind::Refused;
    platform::leaveField(a);
    EXPECT_FALSE(platform::clickAsUser(button));
    a->setEnabled(false);
    EXPECT_TRUE(platform::clickAsUser(button));
    EXPECT_EQ(clicks, 2);
}

// Return in a field presses no button; Return on a button that holds the
// focus presses it.
TEST(FieldLeave, ReturnInADialogFieldPressesNoButton) {
    QDialog dialog;
    auto* field = new QLineEdit(&dialog);
    auto* ok = new QPushButton("Aceptar", &dialog);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(field);
    layout->addWidget(ok);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    auto* guard = new FieldGuard(&dialog);
    guard->watch(field, [] { return LeaveResult::refused(); });
    int result = -1;
    QTimer::singleShot(0, &dialog, [&] {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Return);
        result = dialog.isVisible() ? 1 : 0;
        dialog.reject();
    });
    dialog.exec();
    EXPECT_EQ(result, 1);  // still open
    EXPECT_FALSE(ok->autoDefault());

    guard->watch(field, [] { return LeaveResult::accepted(); });
    QTimer::singleShot(0, &dialog, [&] {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Tab);
        if (dialog.focusWidget() == ok) QTest::keyClick(ok, Qt::Key_Return);
        if (dialog.isVisible()) dialog.reject();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
}

// The edit stays pending when the focus leaves the field without a leave
// (to nowhere, then to a button); the program's own writes while the field
// does not hold the focus are no edit; a disabled field holds none.
// leavePending() runs the check of what is pending, and only of that.
TEST(FieldLeave, PendingEditOutlivesTheFocus) {
    Form f;
    QTest::keyClicks(f.a, "7");
    f.a->clearFocus();
    f.button->setFocus();
    platform::settle();
    EXPECT_TRUE(f.ran.empty());
    EXPECT_TRUE(f.guard->pendingEdit(f.a));
    EXPECT_FALSE(f.guard->pendingEdit(f.b));
    f.b->setText("9");  // the program's, b not focused
    EXPECT_FALSE(f.guard->pendingEdit(f.b));
    f.a->setEnabled(false);
    EXPECT_FALSE(f.guard->pendingEdit());
    f.a->setEnabled(true);
    EXPECT_TRUE(f.guard->pendingEdit());

    f.answerA = [] { return LeaveResult::refused(); };
    EXPECT_FALSE(f.guard->leavePending());
    platform::settle();
    EXPECT_EQ(f.ran, std::vector<QString>{"a"});
    EXPECT_EQ(QApplication::focusWidget(), f.a);
    f.answerA = [] { return LeaveResult::accepted(); };
    EXPECT_TRUE(f.guard->leavePending());
    EXPECT_FALSE(f.guard->pendingEdit());
    EXPECT_TRUE(f.guard->leavePending());  // nothing left to check
    EXPECT_EQ(f.ran, (std::vector<QString>{"a", "a"}));
}

}  // namespace

// A guarded window in a shown, active MDI child: field `a` refuses every
// leave and counts them; `b` is the window's second widget.
struct Hijo_Mdi {
    template <class Segundo>
    static std::unique_ptr<Hijo_Mdi> Crear(const char* texto, Segundo* b) {
        auto h = std::make_unique<Hijo_Mdi>();
        auto* window = new QWidget;
        auto* inner = new QVBoxLayout(window);
        h->a = new QLineEdit(texto, window);
        b->setParent(window);
        inner->addWidget(h->a);
        inner->addWidget(b);
        auto* guard = new FieldGuard(window);
        guard->watch(h->a, [p = h.get()] {
            ++p->runs;
            return LeaveResult::refused();
        });
        h->sub = h->area.addSubWindow(window);
        h->area.show();
        h->sub->show();
        h->area.activateWindow();
        return h;
    }
    QMdiArea area;
    QMdiSubWindow* sub = nullptr;
    QLineEdit* a = nullptr;
    int runs = 0;
};

// Shift+Tab from the first field of an MDI child: the focus passes through
// the child frame, a place of the window: the field is left and checked.
TEST(FieldLeave, ShiftTabThroughTheChildFrameLeavesTheField) {
    auto h = Hijo_Mdi::Crear("abc", new QPushButton("Calcular"));
    QLineEdit* a = h->a;
    ASSERT_TRUE(QTest::qWaitForWindowActive(&h->area));
    a->setFocus(Qt::TabFocusReason);
    platform::settle();
    ASSERT_EQ(QApplication::focusWidget(), a);
    QTest::keyClick(a, Qt::Key_Backtab, Qt::ShiftModifier);
    platform::settle();
    EXPECT_EQ(h->runs, 1);
    EXPECT_EQ(QApplication::focusWidget(), a);
    EXPECT_EQ(a->cursorPosition(), 0);
    EXPECT_EQ(a->selectedText(), "abc");

    // A click on the child frame's title bar (to move it, or on its close
    // box) gives the focus straight back to the field: no leave, or a refused
    // text would keep the close box from ever closing.
    QTest::mouseClick(h->sub, Qt::LeftButton, {}, QPoint(h->sub->width() / 2, 4));
    platform::settle();
    EXPECT_EQ(h->runs, 1);
    EXPECT_EQ(QApplication::focusWidget(), a);
}

// Closing a child window moves the focus out of its field on Qt's own
// account: that is no leave, and a text the user abandons shows no message.
TEST(FieldLeave, HidingTheWindowIsNoLeave) {
    auto h = Hijo_Mdi::Crear("0,001", new QLineEdit("2"));
    ASSERT_TRUE(QTest::qWaitForWindowActive(&h->area));
    h->a->setFocus(Qt::TabFocusReason);
    platform::settle();
    ASSERT_EQ(QApplication::focusWidget(), h->a);
    h->sub->hide();
    platform::settle();
    EXPECT_EQ(h->runs, 0);
}
