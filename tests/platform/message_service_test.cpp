// The program's message boxes on the toolkit: real boxes, driven while they
// run by the keys and clicks a user gives them.
#include "platform/Messages.h"
#include "platform/QtMessageService.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// The box on show, or nullptr.
QMessageBox* Caja() { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); }

QPushButton* Boton(QMessageBox* caja, const QString& texto) {
    for (QAbstractButton* b : caja->buttons())
        if (b->text().remove(QLatin1Char('&')) == texto) return qobject_cast<QPushButton*>(b);
    return nullptr;
}

void Nada(QMessageBox*) {}

struct Resultado {
    platform::Answer respuesta = platform::Answer::Ok;
    bool abierta_tras_pasos = false;  // still on show after the steps
};

// Shows a real box; once it is up, runs pasos on it, gives it up to
// cierre ms to close (a key presses its button a moment later), notes
// whether it is still open, and then gives it fin (the user's answer). A
// box that outlives everything is answered by its first button, so no test
// hangs.
Resultado Mostrar(platform::Buttons botones, const std::function<void(QMessageBox*)>& pasos,
                  const std::function<void(QMessageBox*)>& fin, int cierre = 0) {
    QWidget ventana;
    ventana.resize(400, 300);
    ventana.show();
    platform::QtMessageService servicio(&ventana);
    Resultado r;
    QTimer::singleShot(0, [&] {
        QMessageBox* caja = Caja();
        if (!caja) return;
        pasos(caja);
        QCoreApplication::processEvents();
        if (cierre > 0) static_cast<void>(QTest::qWaitFor([&] { return Caja() != caja; }, cierre));
        r.abierta_tras_pasos = Caja() == caja && caja->isVisible();
        if (r.abierta_tras_pasos) fin(caja);
        QTimer::singleShot(500, [] {
            if (QMessageBox* quedada = Caja()) quedada->buttons().first()->click();
        });
    });
    r.respuesta = servicio.show(
        platform::Message{"¿Seguro?", platform::Icon::Question, botones});
    return r;
}

void Escape(QMessageBox* c) { QTest::keyClick(c, Qt::Key_Escape); }
void Cerrar(QMessageBox* c) { c->close(); }

TEST(QtMessageService, EscapeAndCloseLeaveAQuestionOpenAndUnanswered) {
    for (auto paso : {&Escape, &Cerrar}) {
        const Resultado r = Mostrar(platform::Buttons::YesNo, paso, [](QMessageBox* c) {
            Boton(c, QStringLiteral("Sí"))->click();
        });
        EXPECT_TRUE(r.abierta_tras_pasos);
        EXPECT_EQ(r.respuesta, platform::Answer::Yes);  // the answer given after
    }
}

TEST(QtMessageService, AQuestionIsAnsweredByItsButtonsTheirKeysAndEnter) {
    struct Caso {
        const char* nombre;
        std::function<void(QMessageBox*)> responder;
        platform::Answer respuesta;
    };
    const Caso casos[] = {
        {"clic en No", [](QMessageBox* c) { Boton(c, "No")->click(); }, platform::Answer::No},
        {"tecla N", [](QMessageBox* c) { QTest::keyClick(c, Qt::Key_N); }, platform::Answer::No},
        {"Alt+N",
         [](QMessageBox* c) { QTest::keyClick(c->windowHandle(), Qt::Key_N, Qt::AltModifier); },
         platform::Answer::No},
        {"tecla S", [](QMessageBox* c) { QTest::keyClick(c, Qt::Key_S); }, platform::Answer::Yes},
        {"Intro en Sí, el botón por defecto",
         [](QMessageBox* c) { QTest::keyClick(c, Qt::Key_Return); }, platform::Answer::Yes},
        {"Intro en No con el foco",
         [](QMessageBox* c) {
             QPushButton* no = Boton(c, "No");
             no->setFocus();
             QTest::keyClick(no, Qt::Key_Return);
         },
         platform::Answer::No},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        const Resultado r = Mostrar(platform::Buttons::YesNo, caso.responder, &Nada, 2000);
        EXPECT_FALSE(r.abierta_tras_pasos);
        EXPECT_EQ(r.respuesta, caso.respuesta);
    }
}

TEST(QtMessageService, AnOkBoxClosesWithEscapeAndEnter) {
    for (Qt::Key tecla : {Qt::Key_Escape, Qt::Key_Return}) {
        const Resultado r = Mostrar(
            platform::Buttons::Ok, [tecla](QMessageBox* c) { QTest::keyClick(c, tecla); }, &Nada,
            2000);
        EXPECT_FALSE(r.abierta_tras_pasos) << tecla;
        EXPECT_EQ(r.respuesta, platform::Answer::Ok);
    }
}

TEST(QtMessageService, KeepsTitleIconAndDefaultButton) {
    QString titulo, defecto;
    QMessageBox::Icon icono = QMessageBox::NoIcon;
    Mostrar(
        platform::Buttons::YesNo,
        [&](QMessageBox* c) {
            titulo = c->windowTitle();
            icono = c->icon();
            defecto = c->defaultButton() ? c->defaultButton()->text() : QString();
        },
        [](QMessageBox* c) { Boton(c, "No")->click(); });
    EXPECT_EQ(titulo, QString::fromUtf8(platform::kTitle));
    EXPECT_EQ(icono, QMessageBox::Question);
    EXPECT_EQ(defecto.remove(QLatin1Char('&')), QStringLiteral("Sí"));
}

}  // namespace
