// The real design windows in a started, active frame: every field that is
// left is checked (Tab and Shift+Tab through the real focus chain), an edit
// not left counts wherever the focus went, and a command queued while a
// message is up never destroys the window under its handler.
#include "principal_test_support.h"

#include "app/MDI_PRINCIPAL.h"
#include "app/TB_BARRA.h"
#include "engine/General.h"
#include "platform/Combo.h"
#include "platform/FieldLeave.h"
#include "platform/FileDialogs.h"
#include "platform/Messages.h"
#include "platform/Modal.h"
#include "windows/DesignWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QStyleOptionTitleBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using windows::DesignKind;

namespace {

const char* const kPregunta = "Los datos no se han grabado, ¿desea grabar los datos?";

// Answers as the recording fake does, but "shows" as a real box does: a
// nested event loop runs while it is up, so the calls and events queued
// before it run inside it.
class Mensajes_Anidados : public platform::FakeMessages {
public:
    platform::Answer show(const platform::Message& m) override {
        const platform::Answer a = FakeMessages::show(m);
        QEventLoop bucle;
        QTimer::singleShot(0, &bucle, &QEventLoop::quit);
        bucle.exec();
        return a;
    }
};

// The frame with the real windows, started and active.
class Campos_Marco : public Marco_Real {
protected:
    void SetUp() override {
        Marco_Real::SetUp();
        principal->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(principal.get()));
    }

    // Opens a window of this kind and gives the focus to one of its fields.
    QWidget* Abrir_Con_Foco(DesignKind kind, const char* campo) {
        Abrir_Por_Menu(*principal, kind);
        platform::settle();
        windows::DesignWindow* w = principal->Ventana();
        if (!w) return nullptr;
        auto* c = w->findChild<QWidget*>(campo);
        if (!c) return nullptr;
        c->setFocus(Qt::TabFocusReason);
        platform::settle();
        Mensajes().clear();
        dialogos.fake.asked.clear();
        return QApplication::focusWidget() == c ? c : nullptr;
    }

    virtual platform::FakeMessages& Mensajes() { return mensajes.fake; }

    std::vector<std::string> Vistos() {
        std::vector<std::string> v;
        for (const auto& m : Mensajes().shown) v.push_back(m.text);
        return v;
    }
};

// The same with the nested-loop messages.
class Carrera : public Campos_Marco {
protected:
    void SetUp() override {
        Campos_Marco::SetUp();
        platform::setMessages(&anidados);
    }
    void TearDown() override {
        platform::setMessages(&mensajes.fake);
        Campos_Marco::TearDown();
    }
    platform::FakeMessages& Mensajes() override { return anidados; }

    Mensajes_Anidados anidados;
};

struct Campo_Rechazo {
    DesignKind kind;
    const char* campo;
    const char* mensaje;  // its message for "abc"
};
const Campo_Rechazo kRechazos[] = {
    {DesignKind::Flexion, "TX_ANCHO", "El ancho de la sección debe ser un número."},
    {DesignKind::FlexionT, "TX_ANCHO", "El ancho de la sección debe ser un número."},
    {DesignKind::Confina, "TX_DIAM", "El diámetro o lado debe ser un número."},
};

// Clicks on a widget posted as the window system queues them: they run in
// the next event loop, here the one of the refusal's message.
void Pulsar_Despues(QWidget* w, QPoint p) {
    const QPointF local(p);
    const QPointF global(w->mapToGlobal(p));
    QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseMove, local, global, Qt::NoButton,
                                                   Qt::NoButton, Qt::NoModifier));
    QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonPress, local, global,
                                                   Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonRelease, local, global,
                                                   Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

// The centre of the child frame's close box.
QPoint Cierre(QMdiSubWindow* sub) {
    return Boton_Titulo(sub, QStyle::SC_TitleBarCloseButton).center();
}

}  // namespace

// Ctrl+A and Tab at once on a refused text: the Tab's refusal shows its
// message, and the open command that Ctrl+A queued runs only after the leave
// handler has returned: the save question, the file dialog (cancelled), the
// window closed.
TEST_F(Carrera, CtrlAAndTabTogetherOpenAfterTheRefusal) {
    for (const Campo_Rechazo& r : kRechazos) {
        SCOPED_TRACE(Nombre(r.kind));
        QWidget* campo = Abrir_Con_Foco(r.kind, r.campo);
        ASSERT_TRUE(campo);
        qobject_cast<QLineEdit*>(campo)->selectAll();
        QTest::keyClicks(campo, "abc");
        QTest::keyClick(campo, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(campo, Qt::Key_Tab);
        platform::settle();
        EXPECT_EQ(Vistos(), (std::vector<std::string>{r.mensaje, kPregunta}));
        EXPECT_EQ(dialogos.fake.asked.size(), 1u);
        EXPECT_EQ(principal->Ventana(), nullptr);
        EXPECT_FALSE(windows::Bandera_Abierto(r.kind));
    }
}

// The same race with a toolbar button (a new characteristics window) and
// with the child frame's close box, both clicked before the Tab's message
// and run from inside its loop: each waits until the leave has returned.
TEST_F(Carrera, ToolbarAndCloseBoxQueuedUnderTheRefusalWaitForIt) {
    for (const bool por_barra : {true, false}) {
        for (const Campo_Rechazo& r : kRechazos) {
            SCOPED_TRACE(std::string(Nombre(r.kind)) + (por_barra ? " barra" : " cierre"));
            QWidget* campo = Abrir_Con_Foco(r.kind, r.campo);
            ASSERT_TRUE(campo);
            qobject_cast<QLineEdit*>(campo)->selectAll();
            QTest::keyClicks(campo, "abc");
            if (por_barra) {
                auto* boton = qobject_cast<QToolButton*>(principal->TB_BARRA->widgetForAction(
                    principal->TB_BARRA->Boton_Clave(QStringLiteral("Carac"))));
                ASSERT_TRUE(boton);
                Pulsar_Despues(boton, boton->rect().center());
            } else {
                Pulsar_Despues(principal->Subventana(), Cierre(principal->Subventana()));
            }
            QTest::keyClick(campo, Qt::Key_Tab);
            // The leave has returned whole: fallback stored, focus back.
            EXPECT_EQ(Vistos(), std::vector<std::string>{r.mensaje});
            EXPECT_TRUE(windows::Bandera_Abierto(r.kind));
            platform::settle();
            EXPECT_EQ(Vistos(), (std::vector<std::string>{r.mensaje, kPregunta}));
            EXPECT_FALSE(windows::Bandera_Abierto(r.kind));
            EXPECT_EQ(General::Caso.Carac_Abierto, por_barra);
            EXPECT_EQ(principal->Ventana() != nullptr, por_barra);
        }
    }
}

namespace {

// A field of a window, a valid new text and how the field shows it.
struct Fila {
    DesignKind kind;  // Carac: the coefficients dialog, from the rectangular window
    const char* campo;
    const char* valido;
    const char* mostrado;
};
const Fila kFilas[] = {
    {DesignKind::Flexion, "TX_ANCHO", "0,45", "0,450"},
    {DesignKind::Flexion, "TX_CANTO", "0,65", "0,650"},
    {DesignKind::Flexion, "TX_RECUB", "0,06", "0,060"},
    {DesignKind::Flexion, "TX_ASI", "12", "12,00"},
    {DesignKind::Flexion, "TX_ASS", "3", "3,00"},
    {DesignKind::Flexion, "CO_FCK", "30,4", "30"},
    {DesignKind::Flexion, "CO_FYK", "450,2", "450"},
    {DesignKind::Flexion, "CO_ANCHOR", "0,2", "0,200"},
    {DesignKind::Flexion, "TX_MCP", "5", "5,00"},
    {DesignKind::Flexion, "TX_MD", "250", "250,00"},
    {DesignKind::FlexionT, "TX_ANCHO", "0,45", "0,450"},
    {DesignKind::FlexionT, "TX_ANCHOALMA", "0,25", "0,250"},
    {DesignKind::FlexionT, "TX_CANTO", "0,65", "0,650"},
    {DesignKind::FlexionT, "TX_CANTOALA", "0,15", "0,150"},
    {DesignKind::FlexionT, "TX_RECUB", "0,06", "0,060"},
    {DesignKind::FlexionT, "TX_ASI", "12", "12,00"},
    {DesignKind::FlexionT, "TX_ASS", "3", "3,00"},
    {DesignKind::FlexionT, "CO_FCK", "30,4", "30"},
    {DesignKind::FlexionT, "CO_FYK", "450,2", "450"},
    {DesignKind::FlexionT, "CO_ANCHOR", "0,2", "0,200"},
    {DesignKind::FlexionT, "TX_MCP", "5", "5,00"},
    {DesignKind::FlexionT, "TX_MD", "250", "250,00"},
    {DesignKind::Confina, "TX_DIAM", "0,55", "0,550"},
    {DesignKind::Confina, "TX_LADOMENOR", "0,45", "0,450"},
    {DesignKind::Confina, "CO_FCK", "30,4", "30"},
    {DesignKind::Confina, "TX_NCP", "100", "100,00"},
    {DesignKind::Confina, "TX_INCR", "1,2", "1,20"},
    {DesignKind::Carac, "TX_GC", "1,6", "1,60"},
    {DesignKind::Carac, "TX_GS", "1,2", "1,20"},
    {DesignKind::Carac, "TX_GR", "1,5", "1,50"},
};

QLineEdit* Linea(QWidget* campo) {
    if (auto* c = qobject_cast<QComboBox*>(campo)) return c->lineEdit();
    return qobject_cast<QLineEdit*>(campo);
}

// Tab and Shift+Tab sent as key events to the widget that has the focus, as
// the window system delivers them: each runs the field's check, a refused
// text ("abc") and a valid new one, first and last field included.
void Probar_Fila(QWidget* ventana, const Fila& f, platform::FakeMessages& mensajes) {
    auto* campo = ventana->findChild<QWidget*>(f.campo);
    ASSERT_TRUE(campo) << f.campo;
    for (const bool atras : {false, true}) {
        SCOPED_TRACE(std::string(f.campo) + (atras ? " Shift+Tab" : " Tab"));
        auto pulsar = [atras] {
            QWidget* foco = QApplication::focusWidget();
            ASSERT_TRUE(foco);
            if (atras)
                QTest::keyClick(foco, Qt::Key_Backtab, Qt::ShiftModifier);
            else
                QTest::keyClick(foco, Qt::Key_Tab);
            platform::settle();
        };
        auto escribir = [campo](const char* texto) {
            campo->setFocus(Qt::TabFocusReason);
            platform::settle();
            ASSERT_EQ(QApplication::focusWidget(), campo);
            Linea(campo)->selectAll();
            QTest::keyClicks(Linea(campo), texto);
        };
        escribir("abc");
        mensajes.clear();
        pulsar();
        ASSERT_EQ(mensajes.shown.size(), 1u);
        EXPECT_NE(mensajes.shown[0].text.find("ser un número."), std::string::npos)
            << mensajes.shown[0].text;
        EXPECT_EQ(mensajes.shown[0].icon, platform::Icon::Critical);
        EXPECT_EQ(QApplication::focusWidget(), campo);
        EXPECT_EQ(Linea(campo)->text(), "abc");
        EXPECT_EQ(Linea(campo)->selectedText(), "abc");

        escribir(f.valido);
        mensajes.clear();
        pulsar();
        EXPECT_TRUE(mensajes.shown.empty()) << mensajes.shown[0].text;
        EXPECT_EQ(Linea(campo)->text(), QString::fromUtf8(f.mostrado));
        EXPECT_NE(QApplication::focusWidget(), campo);
    }
}

}  // namespace

TEST_F(Campos_Marco, TabAndShiftTabCheckEveryField) {
    for (DesignKind kind : {DesignKind::Flexion, DesignKind::FlexionT, DesignKind::Confina}) {
        SCOPED_TRACE(Nombre(kind));
        Abrir_Por_Menu(*principal, kind);
        platform::settle();
        windows::DesignWindow* w = principal->Ventana();
        ASSERT_TRUE(w);
        if (kind == DesignKind::Confina)  // the shorter side takes the focus
            w->findChild<platform::Combo*>("CO_SECCION")->select(2);
        for (const Fila& f : kFilas)
            if (f.kind == kind) Probar_Fila(w, f, mensajes.fake);
    }

    // The coefficients dialog, from the rectangular window's gamma button.
    Abrir_Por_Menu(*principal, DesignKind::Flexion);
    windows::DesignWindow* w = principal->Ventana();
    ASSERT_TRUE(w);
    platform::ScopedModalScript guion;
    bool probado = false;
    guion.push([&](QDialog& d) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
        for (const Fila& f : kFilas)
            if (f.kind == DesignKind::Carac) Probar_Fila(&d, f, mensajes.fake);
        probado = true;
    });
    QTest::mouseClick(w->findChild<QPushButton*>("CM_GAMMA1"), Qt::LeftButton);
    platform::settle();
    EXPECT_TRUE(probado);
    EXPECT_EQ(guion.shown, std::vector<QString>{QStringLiteral("FM_COEF")});
}

// An edit left without a check (the focus went nowhere, then to a button):
// it still counts for print (the not-calculated notice, nothing printed) and
// for the close (the save question); the calculation and the save check it
// first, as leaving the field would.
TEST_F(Campos_Marco, AnEditTheFocusLeftWithoutACheckStillCounts) {
    const struct {
        DesignKind kind;
        const char* campo;
        double General::Datos::*valor;
        const char* no_numero;
        double respaldo;  // its fallback value
    } ventanas[] = {
        {DesignKind::Flexion, "TX_CANTO", &General::Datos::Canto,
         "El canto de la sección debe ser un número.", 0.6},
        {DesignKind::FlexionT, "TX_CANTO", &General::Datos::Canto,
         "El canto de la sección debe ser un número.", 0.6},
        {DesignKind::Confina, "TX_DIAM", &General::Datos::Diametro_Lado,
         "El diámetro o lado debe ser un número.", 0.5}};
    enum class Orden { Imprimir_Y_Cerrar, Calcular, Guardar };
    auto& c = General::Caso;
    for (const auto& v : ventanas) {
        for (const Orden orden : {Orden::Imprimir_Y_Cerrar, Orden::Calcular, Orden::Guardar}) {
            SCOPED_TRACE(std::string(Nombre(v.kind)) + " " +
                         std::to_string(static_cast<int>(orden)));
            QWidget* campo = Abrir_Con_Foco(v.kind, v.campo);
            ASSERT_TRUE(campo);
            windows::DesignWindow* w = principal->Ventana();
            auto* calcula = w->findChild<QPushButton*>("CM_CALCULAR");
            auto* seccion = w->findChild<QPushButton*>("CM_SECCION");
            QTest::mouseClick(calcula, Qt::LeftButton);
            platform::settle();
            ASSERT_TRUE(c.Calculado);
            c.Guardado = true;
            c.Modificado = false;
            c.Sin_Nombre = false;
            c.Nombre_Fichero = Ruta(v.kind == DesignKind::Confina ? "caso.krc" : "caso.krf");
            campo->setFocus(Qt::TabFocusReason);
            Linea(campo)->selectAll();
            QTest::keyClicks(campo, orden == Orden::Guardar ? "abc" : "0,7");
            campo->clearFocus();                      // to nowhere: no leave
            seccion->setFocus(Qt::OtherFocusReason);  // from nowhere: no leave
            platform::settle();
            mensajes.fake.clear();
            ASSERT_EQ(QApplication::focusWidget(), seccion);
            ASSERT_TRUE(platform::hasPendingEdit(w));

            switch (orden) {
            case Orden::Calcular:
                QTest::mouseClick(calcula, Qt::LeftButton);
                platform::settle();
                EXPECT_TRUE(mensajes.fake.shown.empty());
                EXPECT_EQ(Linea(campo)->text(), "0,700");
                EXPECT_EQ(c.*v.valor, 0.7);
                EXPECT_TRUE(c.Calculado);
                EXPECT_TRUE(c.Modificado);
                EXPECT_FALSE(platform::hasPendingEdit(w));
                break;
            case Orden::Guardar:
                QTest::keyClick(seccion, Qt::Key_S, Qt::ControlModifier);
                platform::settle();
                EXPECT_EQ(Vistos(), std::vector<std::string>{v.no_numero});
                EXPECT_EQ(QApplication::focusWidget(), campo);
                EXPECT_FALSE(QFile::exists(QString::fromStdString(c.Nombre_Fichero)));
                EXPECT_TRUE(c.Error_Datos);
                EXPECT_EQ(c.*v.valor, v.respaldo);
                break;
            case Orden::Imprimir_Y_Cerrar:
                QTest::keyClick(seccion, Qt::Key_I, Qt::ControlModifier);
                platform::settle();
                EXPECT_EQ(Vistos(), std::vector<std::string>{kAvisoNoCalculado});
                EXPECT_TRUE(dialogos.fake.asked.empty());  // no report
                mensajes.fake.clear();
                mensajes.fake.answers.push_back(platform::Answer::No);
                principal->Subventana()->close();
                platform::settle();
                EXPECT_EQ(Vistos(), std::vector<std::string>{kPregunta});
                EXPECT_EQ(principal->Ventana(), nullptr);
                break;
            }
        }
    }
}

// A refused text longer than its box shows its start: fck "50,5" in the
// confinement window's 41-pixel list, the whole text selected.
TEST_F(Campos_Marco, ARefusedTextShowsItsStart) {
    QWidget* campo = Abrir_Con_Foco(DesignKind::Confina, "CO_FCK");
    ASSERT_TRUE(campo);
    QLineEdit* linea = Linea(campo);
    linea->selectAll();
    QTest::keyClicks(linea, "50,5");
    QTest::keyClick(campo, Qt::Key_Tab);
    platform::settle();
    EXPECT_EQ(Vistos(), std::vector<std::string>{
                            "La resistencia del hormigón de la sección no puede ser mayor de 50 "
                            "N/mm²."});
    ASSERT_EQ(QApplication::focusWidget(), campo);
    EXPECT_EQ(linea->selectedText(), "50,5");
    EXPECT_EQ(linea->selectionStart(), 0);
    EXPECT_EQ(linea->cursorPosition(), 0);
    campo->grab();  // painted: the box scrolls to its cursor
    EXPECT_LT(linea->inputMethodQuery(Qt::ImCursorRectangle).toRect().left(), linea->width() / 4);
}
