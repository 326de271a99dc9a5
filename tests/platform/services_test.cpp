// Services that tests answer: messages, file dialogs, modal windows, screen,
// launcher; and the small controls.
#include "platform/Busy.h"
#include "platform/CommandGate.h"
#include "platform/Controls.h"
#include "platform/FieldLeave.h"
#include "platform/FileDialogs.h"
#include "platform/Launcher.h"
#include "platform/Messages.h"
#include "platform/Modal.h"
#include "platform/Screen.h"
#include "tests/platform_fakes/Fakes.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A command runs at once when nothing is busy. Asked while a message is on
// show (or any busy scope), it waits, and runs from the event loop after the
// scope has ended, in the order asked, once per key; one whose context has
// gone is dropped.
TEST(CommandGate, CommandsWaitWhileBusyAndRunAfterwards) {
    std::vector<std::string> ran;
    QObject frame;
    EXPECT_TRUE(platform::runWhenIdle(&frame, "a", [&] { ran.push_back("a"); }));
    EXPECT_EQ(ran, std::vector<std::string>{"a"});
    ran.clear();

    platform::ScopedFakeMessages messages;
    {
        platform::BusyScope handler;
        EXPECT_TRUE(platform::busy());
        EXPECT_FALSE(platform::runWhenIdle(&frame, "open", [&] { ran.push_back("open"); }));
        EXPECT_FALSE(platform::runWhenIdle(&frame, "open", [&] { ran.push_back("twice"); }));
        auto gone = std::make_unique<QObject>();
        EXPECT_FALSE(platform::runWhenIdle(gone.get(), "x", [&] { ran.push_back("gone"); }));
        gone.reset();
        EXPECT_FALSE(platform::runWhenIdle(&frame, "close", [&] {
            ran.push_back("close");
            // A command that shows a message makes the next one wait again.
            platform::showMessage("¿desea grabar?", platform::Icon::Question,
                                  platform::Buttons::YesNo);
        }));
        EXPECT_FALSE(platform::runWhenIdle(&frame, "new", [&] { ran.push_back("new"); }));
        QCoreApplication::processEvents();  // a nested loop: nothing runs in it
        EXPECT_TRUE(ran.empty());
    }
    EXPECT_FALSE(platform::busy());
    EXPECT_TRUE(ran.empty());  // not inside the handler that ended the scope
    platform::settle();
    platform::settle();
    platform::settle();
    EXPECT_EQ(ran, (std::vector<std::string>{"open", "close", "new"}));
    EXPECT_EQ(platform::waitingCommands(), 0);
    EXPECT_EQ(messages.fake.shown.size(), 1u);
}

TEST(Messages, FakeRecordsAndAnswers) {
    platform::ScopedFakeMessages messages;
    messages.fake.answers.push_back(platform::Answer::Yes);
    EXPECT_EQ(platform::showMessage("¿desea grabar?", platform::Icon::Question,
                                    platform::Buttons::YesNo),
              platform::Answer::Yes);
    EXPECT_EQ(platform::showMessage("otra", platform::Icon::Question, platform::Buttons::YesNo),
              platform::Answer::No);
    ASSERT_EQ(messages.fake.shown.size(), 2u);
    EXPECT_EQ(messages.fake.shown[0].icon, platform::Icon::Question);
    EXPECT_EQ(std::string(platform::kTitle), "KESTRAM - VORLANT\xC2\xAE");
}

// The real dialog, answered by cancelling it: a child of the parent set,
// centred on it, in the folder asked for, and no settings file left in the
// user's home folder.
TEST(FileDialogs, QtDialogOpensOnItsParentAndLeavesNoSettingsAtHome) {
    QTemporaryDir home, carpeta;
    ASSERT_TRUE(home.isValid() && carpeta.isValid());
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toLocal8Bit());
    QWidget marco;
    marco.setGeometry(100, 80, 700, 500);
    marco.show();
    platform::setMainWindow(&marco);

    for (auto kind : {platform::FileRequest::Kind::Open, platform::FileRequest::Kind::Save}) {
        platform::FileRequest pide;
        pide.kind = kind;
        pide.filter = "Archivos VORLANT - Flexión|*.KRF";
        pide.folder = carpeta.path().toStdString();
        QWidget* padre = nullptr;
        QString directorio;
        QPoint centro;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!d) return;
            padre = d->parentWidget();
            directorio = d->directory().absolutePath();
            centro = d->frameGeometry().center();
            d->reject();
        });
        platform::QtFileDialogService real;
        EXPECT_FALSE(real.ask(pide).has_value());
        EXPECT_EQ(padre, &marco);
        EXPECT_EQ(directorio, QDir(carpeta.path()).absolutePath());
        EXPECT_LE((centro - marco.frameGeometry().center()).manhattanLength(), 4);
    }
    platform::setMainWindow(nullptr);
    const QStringList dejados =
        QDir(home.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    EXPECT_TRUE(dejados.isEmpty()) << dejados.join(' ').toStdString();
}

TEST(FileDialogs, FakeIsScriptedAndRecordsRequests) {
    EXPECT_FALSE(platform::fileDialogs().ask({}).has_value());  // fallback cancels
    platform::ScopedFakeFileDialogs dialogs;
    dialogs.fake.answers.push_back("/tmp/caso.krf");
    dialogs.fake.answers.push_back(std::nullopt);
    platform::FileRequest save{platform::FileRequest::Kind::Save,
                               "Archivos VORLANT - Flexión|*.KRF", 1, "flexion.krf", true};
    EXPECT_EQ(platform::fileDialogs().ask(save), std::optional<std::string>("/tmp/caso.krf"));
    EXPECT_FALSE(platform::fileDialogs().ask(save).has_value());
    EXPECT_FALSE(platform::fileDialogs().ask(save).has_value());  // queue empty: cancel
    ASSERT_EQ(dialogs.fake.asked.size(), 3u);
    EXPECT_EQ(dialogs.fake.asked[0].fileName, "flexion.krf");
    EXPECT_EQ(dialogs.fake.asked[0].kind, platform::FileRequest::Kind::Save);
}

TEST(FileDialogs, FiltersForQt) {
    using V = std::vector<std::string>;
    EXPECT_EQ(platform::qtNameFilters("Archivos VORLANT - Flexión|*.KRF|Archivos VORLANT - "
                                      "Confinamiento|*.KRC|Archivos VORLANT|*.KRC;*.KRF"),
              (V{"Archivos VORLANT - Flexión (*.KRF)", "Archivos VORLANT - Confinamiento (*.KRC)",
                 "Archivos VORLANT (*.KRC *.KRF)"}));
    EXPECT_EQ(platform::qtNameFilters(""), V{});
    EXPECT_EQ(platform::qtNameFilters("Todo"), V{"Todo (*)"});
}

// A dialog with a validated field, as the design windows show modally.
struct Coef : QDialog {
    QLineEdit* field = new QLineEdit(this);
    QPushButton* ok = new QPushButton("Aceptar", this);
    QLineEdit* other = new QLineEdit(this);
    platform::FieldGuard* guard = new platform::FieldGuard(this);
    int leaves = 0;
    Coef() {
        setObjectName("FM_COEF");
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(field);
        layout->addWidget(other);
        layout->addWidget(ok);
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        guard->watch(field, [this] {
            ++leaves;
            return field->text().isEmpty() ? platform::LeaveResult::refused()
                                           : platform::LeaveResult::accepted();
        });
    }
};

TEST(Modal, ScriptGetsTheLiveDialogAndUnansweredDialogsClose) {
    platform::ScopedModalScript script;
    Coef first;
    bool hadFocus = false;
    script.push([&](QDialog& d) {
        EXPECT_EQ(&d, &first);
        EXPECT_TRUE(d.isVisible());
        first.field->setFocus();
        hadFocus = QApplication::focusWidget() == first.field;
        first.field->clear();
        QTest::mouseClick(first.ok, Qt::LeftButton);  // refused: held
        platform::settle();
        EXPECT_TRUE(d.isVisible());
        first.field->setText("1,5");
        QTest::mouseClick(first.ok, Qt::LeftButton);
    });
    EXPECT_EQ(platform::runModal(first), QDialog::Accepted);
    EXPECT_TRUE(hadFocus);
    EXPECT_EQ(first.leaves, 2);

    Coef second;  // no step left: closed at once, never hangs
    EXPECT_EQ(platform::runModal(second), QDialog::Rejected);
    EXPECT_EQ(script.shown, (std::vector<QString>{"FM_COEF", "FM_COEF"}));
}

TEST(Screen, InjectedSizeAndRestore) {
    const QSize real = platform::screenSize();
    EXPECT_FALSE(real.isEmpty());
    {
        platform::ScopedScreenSize small(QSize(640, 480));
        EXPECT_EQ(platform::screenSize(), QSize(640, 480));
    }
    EXPECT_EQ(platform::screenSize(), real);
}

// Nothing answers in place of a service the program has not installed.
TEST(ServicesDeathTest, AServiceAskedBeforeItIsInstalledStopsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            platform::setMessages(nullptr);
            platform::showMessage("hola", platform::Icon::Information);
        },
        "the message service was used before it was installed");
    EXPECT_DEATH(
        {
            platform::setFileDialogs(nullptr);
            (void)platform::fileDialogs().ask({});
        },
        "the file dialog service was used before");
    EXPECT_DEATH(
        {
            platform::setLauncher(nullptr);
            (void)platform::launcher().openDocument("/tmp/guia.pdf");
        },
        "the launcher service was used before");
    EXPECT_DEATH(
        {
            platform::setPrinters(nullptr);
            (void)platform::printerChoice();
        },
        "the printer service was used before");
}

TEST(Launcher, FakeRecordsAndFallbackFails) {
    EXPECT_FALSE(platform::launcher().openDocument("/tmp/guia.pdf"));
    platform::ScopedFakeLauncher l;
    EXPECT_TRUE(platform::launcher().startProgram("lector", {"/tmp/guia.pdf"}));
    l.fake.result = false;
    EXPECT_FALSE(platform::launcher().openDocument("http://example.org"));
    ASSERT_EQ(l.fake.calls.size(), 2u);
    EXPECT_EQ(l.fake.calls[0].arguments, std::vector<std::string>{"/tmp/guia.pdf"});
    EXPECT_EQ(l.fake.calls[1].document, "http://example.org");
}

TEST(Controls, TwipsReadOnlyBoxAndNotice) {
    EXPECT_EQ(platform::twips(12000), 800);
    EXPECT_EQ(platform::twips(615), 41);
    EXPECT_EQ(platform::twips(7), 0);
    EXPECT_EQ(platform::twips(8), 1);

    platform::ReadOnlyBox box;
    EXPECT_TRUE(box.isReadOnly());
    EXPECT_EQ(box.background(), QColor(224, 224, 224));
    // A long number shows its beginning, also when the program writes the
    // same text again (a new cell with the same value).
    for (int vez = 0; vez < 2; ++vez) {
        box.setText(QStringLiteral("21060492468,4"));
        EXPECT_EQ(box.cursorPosition(), 0) << vez;
    }

    QWidget window;
    auto* notice = new platform::NoticeLabel(&window);
    window.show();
    EXPECT_FALSE(notice->shown());
    EXPECT_FALSE(notice->isVisible());
    notice->showNotice(" NO SE PUEDE REFORZAR LA SECCION ", QColor(255, 0, 0));
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->background(), QColor(255, 0, 0));
    EXPECT_EQ(notice->foreground(), QColor(Qt::white));
    EXPECT_TRUE(notice->font().bold());
    EXPECT_EQ(notice->text(), " NO SE PUEDE REFORZAR LA SECCION ");
}

}  // namespace
