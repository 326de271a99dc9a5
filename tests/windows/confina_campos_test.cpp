// Field rules of the confinement window and its section-type logic.
#include "confina_test_support.h"

#include <QWheelEvent>

#include <algorithm>
#include <functional>

using windows::confina::Campo;

namespace {

const char* const kRazon = "La relación entre lados del elemento a confinar debe ser menor de 1,5.";
const char* const kLadoMenor = "El lado menor debe ser un número más pequeño que el lado mayor.";

struct Caso_Campo {
    const char* nombre;
    int tipo;  // stored section type
    double d, l;
    Campo campo;
    const char* texto;
    const char* mensaje;  // "" when accepted
    double guardado;      // stored value afterwards
    const char* mostrado; // text afterwards
};

}  // namespace

TEST_F(Confina, EveryFieldAtBelowAndBeyondItsBound) {
    const Caso_Campo casos[] = {
        {"diameter at its bound", 1, 0.5, 0.4, Campo::Diametro_Lado, "0,01", "", 0.01, "0,010"},
        {"diameter below", 1, 0.5, 0.4, Campo::Diametro_Lado, "0,009",
         "El diámetro o lado debe ser mayor que cero.", 0.5, "0,009"},
        {"diameter empty", 1, 0.6, 0.4, Campo::Diametro_Lado, "",
         "Debe darse el diámetro o lado del elemento a confinar.", 0.5, ""},
        {"diameter not a number", 1, 0.6, 0.4, Campo::Diametro_Lado, "x",
         "El diámetro o lado debe ser un número.", 0.5, "x"},
        {"rectangle ratio 1.5", 3, 0.6, 0.5, Campo::Diametro_Lado, "0,75", kRazon, 0.5, "0,75"},
        {"rectangle ratio below 1.5", 3, 0.6, 0.5, Campo::Diametro_Lado, "0,74", "", 0.74, "0,740"},
        {"ratio 1.5 as the field shows it", 3, 0.6, 0.5, Campo::Diametro_Lado, "0,7498", kRazon,
         0.5, "0,7498"},
        {"ratio 0.6 / 0.4 is 1.5", 3, 0.5, 0.4, Campo::Diametro_Lado, "0,6", kRazon, 0.5, "0,6"},
        {"circle has no ratio", 1, 0.5, 0.5, Campo::Diametro_Lado, "2", "", 2, "2,000"},
        {"shorter side equal to the longer", 3, 0.75, 0.5, Campo::Lado_Menor, "0,75", "", 0.75,
         "0,750"},
        {"shorter side above the longer", 3, 0.75, 0.5, Campo::Lado_Menor, "0,76", kLadoMenor,
         0.4, "0,76"},
        {"shorter side ratio 1.5", 3, 0.75, 0.6, Campo::Lado_Menor, "0,5", kRazon, 0.4, "0,5"},
        {"shorter side ratio below 1.5", 3, 0.75, 0.6, Campo::Lado_Menor, "0,51", "", 0.51,
         "0,510"},
        {"shorter side below 0.01", 3, 0.75, 0.6, Campo::Lado_Menor, "0,001",
         "El lado menor debe ser mayor que cero.", 0.4, "0,001"},
        {"shorter side empty", 3, 0.75, 0.6, Campo::Lado_Menor, "",
         "Debe darse el lado menor del elemento a confinar.", 0.4, ""},
        {"fck 15", 1, 0.5, 0.4, Campo::Fck, "15", "", 15, "15"},
        {"fck 50", 1, 0.5, 0.4, Campo::Fck, "50", "", 50, "50"},
        {"fck 50.5", 1, 0.5, 0.4, Campo::Fck, "50,5",
         "La resistencia del hormigón de la sección no puede ser mayor de 50 N/mm².", 25, "50,5"},
        {"fck 14.9", 1, 0.5, 0.4, Campo::Fck, "14,9",
         "La resistencia del hormigón de la sección no puede ser menor de 15 N/mm².", 25, "14,9"},
        {"fck not a number", 1, 0.5, 0.4, Campo::Fck, "a",
         "La resistencia del hormigón de la sección debe ser un número.", 25, "a"},
        {"axial force 0", 1, 0.5, 0.4, Campo::Axil_Actual, "0", "", 0, "0,00"},
        {"axial force sign dropped", 1, 0.5, 0.4, Campo::Axil_Actual, "-150", "", 150, "150,00"},
        {"axial force empty", 1, 0.5, 0.4, Campo::Axil_Actual, "",
         "Debe darse el axil que actúa en el momento de colocar el refuerzo.", 0, ""},
        {"increase 1", 1, 0.5, 0.4, Campo::Incremento_Necesario, "1", "", 1, "1,00"},
        {"increase 0.99", 1, 0.5, 0.4, Campo::Incremento_Necesario, "0,99",
         "El incremento de resistencia necesario debe ser mayor que 1.", 1, "0,99"},
        {"increase not a number", 1, 0.5, 0.4, Campo::Incremento_Necesario, "1,2,3",
         "El incremento de resistencia necesario debe ser un número.", 1, "1,2,3"},
    };
    const auto& reglas = windows::confina::Reglas();
    for (const auto& k : casos) {
        SCOPED_TRACE(k.nombre);
        General::Caso = General::Datos{};
        Caracteristicas::Iniciar_Datos();
        Abrir_Seccion(k.tipo, k.d, k.l);
        auto& c = General::Caso;
        c.Modificado = false;
        c.Calculado = true;
        w->CM_CONFINA->setEnabled(true);
        mensajes.fake.clear();
        Escribir(k.campo, QString::fromUtf8(k.texto));
        const bool aceptado = std::string(k.mensaje).empty();
        if (aceptado) {
            EXPECT_TRUE(mensajes.fake.shown.empty()) << Ultimo_Mensaje();
            EXPECT_TRUE(c.Modificado);
        } else {
            ASSERT_EQ(mensajes.fake.shown.size(), 1u);
            EXPECT_EQ(mensajes.fake.shown[0].text, k.mensaje);
            EXPECT_EQ(mensajes.fake.shown[0].icon, platform::Icon::Critical);
            EXPECT_FALSE(c.Modificado);
            EXPECT_EQ(w->Guardia()->refusedField(), w->Control(k.campo));
        }
        // A fallback also makes the results stale: the diagram button agrees.
        EXPECT_FALSE(c.Calculado);
        EXPECT_FALSE(w->CM_CONFINA->isEnabled());
        const auto r = std::find_if(reglas.begin(), reglas.end(),
                                    [&](const auto& regla) { return regla.campo == k.campo; });
        ASSERT_NE(r, reglas.end());
        EXPECT_DOUBLE_EQ(c.*(r->valor), k.guardado);
        EXPECT_EQ(w->Texto(k.campo), QString::fromUtf8(k.mostrado));
        w.reset();
    }
}

TEST_F(Confina, ShapeCoefficientForTheThreeShapesAndAfterASide) {
    auto& f = Abrir_Seccion(3, 0.45, 0.4);
    EXPECT_TRUE(f.TX_LADOMENOR->isEnabled());
    Escribir(Campo::Diametro_Lado, "0,5");
    EXPECT_EQ(f.TX_ALFAN->text(), "0,167");  // 1 - (2/3) 0.5 / 0.4
    EXPECT_NEAR(General::Caso.Coef_Forma, 1.0 / 6, 1e-12);
    Escribir(Campo::Lado_Menor, "0,5");
    EXPECT_EQ(f.TX_ALFAN->text(), "0,333");

    f.CO_SECCION->select(1);
    EXPECT_EQ(f.TX_ALFAN->text(), "0,333");
    EXPECT_EQ(General::Caso.Tipo_Seccion, 2);
    EXPECT_FALSE(f.TX_LADOMENOR->isEnabled());
    EXPECT_FALSE(f.LB_LM->isEnabled());
    EXPECT_FALSE(f.LB_LMU->isEnabled());
    f.CO_SECCION->select(0);
    EXPECT_EQ(f.TX_ALFAN->text(), "1,000");
    EXPECT_EQ(General::Caso.Tipo_Seccion, 1);
    EXPECT_DOUBLE_EQ(General::Caso.Lado_Menor, 0.5);  // kept for a later rectangle
}

TEST_F(Confina, RectangleChosenWithSidesThatFailWarnsAndMovesTheFocus) {
    struct Lados {
        double d, l;
        const char* mensaje;  // null: no warning, the focus stays
        const char* alfa;
    };
    const Lados casos[] = {
        {0.3, 0.4, kLadoMenor, "0,500"},
        {0.9, 0.4, kRazon, "-0,500"},
        {0.75, 0.5, kRazon, "0,000"},
        {0.3996, 0.4, nullptr, "0,334"},  // both sides show 0,400
    };
    for (const auto& k : casos) {
        SCOPED_TRACE(k.d);
        auto& f = Abrir_Seccion(1, k.d, k.l);
        f.TX_NCP->setFocus();
        platform::settle();
        mensajes.fake.clear();
        f.CO_SECCION->select(2);
        platform::settle();
        EXPECT_EQ(f.TX_ALFAN->text(), k.alfa);
        EXPECT_EQ(General::Caso.Tipo_Seccion, 3);
        EXPECT_DOUBLE_EQ(General::Caso.Diametro_Lado, k.d);  // nothing refused
        if (!k.mensaje) {
            EXPECT_TRUE(mensajes.fake.shown.empty()) << Ultimo_Mensaje();
            EXPECT_EQ(QApplication::focusWidget(), f.TX_NCP);
            w.reset();
            continue;
        }
        ASSERT_EQ(mensajes.fake.shown.size(), 1u);
        EXPECT_EQ(mensajes.fake.shown[0].text, k.mensaje);
        EXPECT_EQ(QApplication::focusWidget(), f.TX_LADOMENOR);
        EXPECT_EQ(f.TX_LADOMENOR->selectedText(), f.TX_LADOMENOR->text());
        w.reset();
    }
}

TEST_F(Confina, CaseOpenedWithFailingSidesWarnsAndStillOpens) {
    auto& f = Abrir_Seccion(3, 0.9, 0.4);
    ASSERT_EQ(mensajes.fake.shown.size(), 1u);
    EXPECT_EQ(mensajes.fake.shown[0].text, kRazon);
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(f.CO_SECCION->selectedIndex(), 2);
    EXPECT_EQ(f.TX_ALFAN->text(), "-0,500");
}

TEST_F(Confina, KeysInTheSectionListMarkTheCaseButOnlyASelectionDisablesTheDiagram) {
    auto& f = Abrir();
    auto& c = General::Caso;
    f.CO_SECCION->setFocus();
    platform::settle();

    // A key that changes the type: the selection disables CM_CONFINA.
    f.CM_CONFINA->setEnabled(true);
    QTest::keyClick(f.CO_SECCION, Qt::Key_Down);
    EXPECT_EQ(f.CO_SECCION->selectedIndex(), 1);
    EXPECT_EQ(c.Tipo_Seccion, 2);
    EXPECT_EQ(f.TX_ALFAN->text(), "0,333");
    EXPECT_FALSE(f.CM_CONFINA->isEnabled());

    // A key that changes nothing, after a calculation: marked, still enabled.
    Calcular();
    ASSERT_TRUE(f.CM_CONFINA->isEnabled());
    f.CO_SECCION->setFocus();
    platform::settle();
    c.Modificado = false;
    QTest::keyClick(f.CO_SECCION, Qt::Key_X);  // no entry starts with it
    EXPECT_EQ(f.CO_SECCION->selectedIndex(), 1);
    EXPECT_TRUE(c.Modificado);
    EXPECT_FALSE(c.Calculado);
    EXPECT_TRUE(f.CM_CONFINA->isEnabled());
    EXPECT_EQ(c.Tipo_Seccion, 2);
}

// Only a key pressed in the list runs its logic: the release of a key
// pressed elsewhere (Return in a dialog, the Tab that brought the focus), a
// modifier alone and the frame's shortcuts leave a saved, calculated case so.
TEST_F(Confina, SectionListIgnoresKeysItNeverReceived) {
    auto& f = Abrir();
    auto& c = General::Caso;
    Calcular();
    ASSERT_TRUE(c.Calculado);
    struct Teclas {
        const char* nombre;
        std::function<void(QWidget*)> pulsar;
        bool marca;
    };
    const Teclas casos[] = {
        {"release without its press", [](QWidget* l) { QTest::keyRelease(l, Qt::Key_Return); },
         false},
        {"Ctrl+S", [](QWidget* l) { QTest::keyClick(l, Qt::Key_S, Qt::ControlModifier); }, false},
        {"Ctrl+I", [](QWidget* l) { QTest::keyClick(l, Qt::Key_I, Qt::ControlModifier); }, false},
        {"lone Ctrl", [](QWidget* l) { QTest::keyClick(l, Qt::Key_Control); }, false},
        {"Alt with a letter", [](QWidget* l) { QTest::keyClick(l, Qt::Key_P, Qt::AltModifier); },
         false},
        // Up on the first entry changes nothing and still marks the case.
        {"arrow", [](QWidget* l) { QTest::keyClick(l, Qt::Key_Up); }, true},
    };
    for (const Teclas& k : casos) {
        SCOPED_TRACE(k.nombre);
        f.CO_SECCION->setFocus();
        platform::settle();
        c.Modificado = false;
        c.Calculado = true;
        k.pulsar(f.CO_SECCION);
        platform::settle();
        EXPECT_EQ(c.Modificado, k.marca);
        EXPECT_EQ(c.Calculado, !k.marca);
        EXPECT_EQ(f.CO_SECCION->selectedIndex(), 0);
        EXPECT_TRUE(f.CM_CONFINA->isEnabled());
    }
}

TEST_F(Confina, WheelTurnsTheSectionListOnlyWhenItHasTheFocus) {
    auto& f = Abrir_Seccion(3, 0.5, 0.4);
    auto rueda = [&f] {
        const QPointF p = f.CO_SECCION->rect().center();
        QWheelEvent e(p, f.CO_SECCION->mapToGlobal(p), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(f.CO_SECCION, &e);
        platform::settle();
    };
    // A shorter side being typed: the list under the pointer stays as it is,
    // so the field is not disabled with a text it never checked.
    f.TX_LADOMENOR->setFocus();
    platform::settle();
    f.TX_LADOMENOR->setText("abc");
    mensajes.fake.clear();
    rueda();
    EXPECT_EQ(f.CO_SECCION->selectedIndex(), 2);
    EXPECT_TRUE(f.TX_LADOMENOR->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), f.TX_LADOMENOR);
    EXPECT_TRUE(mensajes.fake.shown.empty()) << Ultimo_Mensaje();

    // With the focus, the wheel picks as the arrow keys do.
    Escribir(Campo::Lado_Menor, "0,4");
    f.CO_SECCION->setFocus();
    platform::settle();
    rueda();
    EXPECT_EQ(f.CO_SECCION->selectedIndex(), 1);
    EXPECT_EQ(General::Caso.Tipo_Seccion, 2);
    EXPECT_FALSE(f.TX_LADOMENOR->isEnabled());
}
