// The safety-coefficients dialog, run modally through a script as the user
// works it: leave tests, Aceptar, Cancelar, Esc, Restablecer.
#include "flexion_test_support.h"

#include "platform/FieldLeave.h"
#include "platform/Modal.h"
#include "windows/Dialogos.h"
#include "windows/FM_COEF.h"

#include <functional>
#include <ostream>

namespace {

class Coef : public Flexion {
public:
    // Opens the dialog and runs paso on it; false when the dialog was still
    // open when paso returned (the script then closes it).
    bool Dialogo(std::function<void(FM_COEF&)> paso) {
        bool cerrado = false;
        platform::ScopedModalScript guion;
        guion.push([&](QDialog& d) {
            auto& f = static_cast<FM_COEF&>(d);
            paso(f);
            platform::settle();
            cerrado = !f.isVisible();
        });
        windows::Mostrar_FM_COEF(nullptr);
        EXPECT_EQ(guion.shown, std::vector<QString>{"FM_COEF"});
        return cerrado;
    }
    static void Escribir(QLineEdit* campo, const QString& texto) {
        campo->setText(texto);
        platform::leaveField(campo);
    }
    void Coeficientes(double gc, double gs, double gr) {
        auto& c = General::Caso;
        c.Gamma_Hormigon = gc;
        c.Gamma_Acero = gs;
        c.Gamma_Refuerzo = gr;
    }
    void Esperar_Coeficientes(double gc, double gs, double gr) {
        const auto& c = General::Caso;
        EXPECT_EQ(c.Gamma_Hormigon, gc);
        EXPECT_EQ(c.Gamma_Acero, gs);
        EXPECT_EQ(c.Gamma_Refuerzo, gr);
    }
    // Flags of a case just calculated and saved.
    void Flags_Limpias() {
        General::Caso.Calculado = true;
        General::Caso.Modificado = false;
    }
};

TEST_F(Coef, EachFieldAcceptsOneAndAbsoluteValuesAndRefusesWithItsOwnText) {
    struct Caso {
        int campo;
        const char* texto;
        const char* mensaje;  // nullptr: accepted
        const char* muestra;
    };
    const Caso casos[] = {
        {0, "1", nullptr, "1,00"},
        {0, "0,99", "El coeficiente de seguridad del hormigón no puede ser menor que 1.", "0,99"},
        {0, "", "Debe darse el coeficiente de seguridad del hormigón.", ""},
        {0, "x", "El coeficiente de seguridad del hormigón de ser un número.", "x"},
        {1, "1", nullptr, "1,00"},
        {1, "0,99", "El coeficiente de seguridad del acero no puede ser menor de 1.", "0,99"},
        {1, "", "Debe darse el coeficiente de seguridad del acero.", ""},
        {1, "1,2,", "El coeficiente de seguridad del acero de ser un número.", "1,2,"},
        {2, "-1,2", nullptr, "1,20"},
        {2, "0.99", "El coeficiente de seguridad del refuerzo VORLANT® no puede ser menor que 1.",
         "0.99"},
        {2, "", "Debe darse el coeficiente de seguridad del refuerzo VORLANT®.", ""},
        {2, "abc", "El coeficiente de seguridad del refuerzo VORLANT® de ser un número.", "abc"},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(std::to_string(k.campo) + " '" + k.texto + "'");
        Flags_Limpias();
        mensajes.fake.clear();
        EXPECT_FALSE(Dialogo([&](FM_COEF& f) {
            QLineEdit* campos[] = {f.TX_GC, f.TX_GS, f.TX_GR};
            QLineEdit* campo = campos[k.campo];
            Escribir(campo, QString::fromUtf8(k.texto));
            EXPECT_EQ(campo->text(), QString::fromUtf8(k.muestra));
            if (k.mensaje) {
                ASSERT_EQ(mensajes.fake.shown.size(), 1u);
                EXPECT_EQ(mensajes.fake.shown[0].text, k.mensaje);
                EXPECT_EQ(mensajes.fake.shown[0].icon, platform::Icon::Critical);
                EXPECT_EQ(QApplication::focusWidget(), campo);
                EXPECT_EQ(campo->selectedText(), campo->text());
            } else {
                EXPECT_TRUE(mensajes.fake.shown.empty());
            }
        }));
        // A leave stores nothing; an accepted one marks the case.
        Esperar_Coeficientes(1.5, 1.15, 1.4);
        EXPECT_EQ(General::Caso.Modificado, k.mensaje == nullptr);
        EXPECT_EQ(General::Caso.Calculado, k.mensaje != nullptr);
    }
}

TEST_F(Coef, AceptarStoresTheShownTextsRoundedCancelarKeepsTheStoredOnes) {
    // A stored value with three decimals shows rounded; Cancelar keeps it.
    Coeficientes(1.456, 1.15, 1.4);
    EXPECT_TRUE(Dialogo([](FM_COEF& f) {
        EXPECT_EQ(f.TX_GC->text(), "1,46");
        EXPECT_EQ(QApplication::focusWidget(), f.TX_GC);
        QTest::mouseClick(f.CM_CANCELAR, Qt::LeftButton);
    }));
    Esperar_Coeficientes(1.456, 1.15, 1.4);
    // ... and Aceptar stores it rounded, without an edit.
    EXPECT_TRUE(Dialogo([](FM_COEF& f) { QTest::mouseClick(f.CM_ACEPTAR, Qt::LeftButton); }));
    Esperar_Coeficientes(1.46, 1.15, 1.4);

    // -1,2 accepted as 1.2 and stored by Aceptar.
    Flags_Limpias();
    EXPECT_TRUE(Dialogo([](FM_COEF& f) {
        f.TX_GR->setFocus();
        f.TX_GR->setText("-1,2");
        QTest::mouseClick(f.CM_ACEPTAR, Qt::LeftButton);
    }));
    Esperar_Coeficientes(1.46, 1.15, 1.2);
    EXPECT_TRUE(General::Caso.Modificado);
    EXPECT_FALSE(General::Caso.Calculado);
}

TEST_F(Coef, RestablecerShowsTheStartValuesWhichOnlyAceptarStores) {
    for (bool aceptar : {false, true}) {
        SCOPED_TRACE(aceptar ? "Aceptar" : "Cancelar");
        Coeficientes(2, 2, 2);
        EXPECT_TRUE(Dialogo([&](FM_COEF& f) {
            QTest::mouseClick(f.CM_RESTAURAR, Qt::LeftButton);
            EXPECT_EQ(f.TX_GC->text(), "1,50");
            EXPECT_EQ(f.TX_GS->text(), "1,15");
            EXPECT_EQ(f.TX_GR->text(), "1,40");
            Esperar_Coeficientes(2, 2, 2);
            QTest::mouseClick(aceptar ? f.CM_ACEPTAR : f.CM_CANCELAR, Qt::LeftButton);
        }));
        if (aceptar)
            Esperar_Coeficientes(1.5, 1.15, 1.4);
        else
            Esperar_Coeficientes(2, 2, 2);
    }
}

// Aceptar by mouse, Return or its access key runs the leave of the field
// first; a refused text is never stored and keeps the dialog open.
TEST_F(Coef, AceptarNeverStoresARefusedText) {
    const std::function<void(FM_COEF&)> pulsaciones[] = {
        [](FM_COEF& f) { QTest::keyClick(f.TX_GS, Qt::Key_Return); },
        [](FM_COEF& f) { QTest::keyClick(f.TX_GS, Qt::Key_Enter); },
        [](FM_COEF& f) { QTest::mouseClick(f.CM_ACEPTAR, Qt::LeftButton); },
        [](FM_COEF& f) {
            QTest::keyClick(f.TX_GS, Qt::Key_A, Qt::AltModifier);
            // The access key animates its click.
            EXPECT_TRUE(QTest::qWaitFor([&f] { return !f.CM_ACEPTAR->isDown(); }, 1000));
        },
    };
    int i = 0;
    for (const auto& aceptar : pulsaciones) {
        SCOPED_TRACE(i++);
        Flags_Limpias();
        mensajes.fake.clear();
        EXPECT_FALSE(Dialogo([&](FM_COEF& f) {
            f.TX_GS->setFocus();
            f.TX_GS->setText("0,5");
            aceptar(f);
            platform::settle();
            ASSERT_EQ(mensajes.fake.shown.size(), 1u);
            EXPECT_EQ(mensajes.fake.shown[0].text,
                      "El coeficiente de seguridad del acero no puede ser menor de 1.");
            EXPECT_EQ(QApplication::focusWidget(), f.TX_GS);
            // Pressed again while refused: the same message, still open.
            QTest::keyClick(f.TX_GS, Qt::Key_Return);
            platform::settle();
            EXPECT_EQ(mensajes.fake.shown.size(), 2u);
            EXPECT_TRUE(f.isVisible());
        }));
        Esperar_Coeficientes(1.5, 1.15, 1.4);
    }

    // Return on a valid text accepts it and then the dialog.
    EXPECT_TRUE(Dialogo([](FM_COEF& f) {
        f.TX_GS->setFocus();
        f.TX_GS->setText("1,3");
        QTest::keyClick(f.TX_GS, Qt::Key_Return);
    }));
    Esperar_Coeficientes(1.5, 1.3, 1.4);
    EXPECT_FALSE(General::Caso.Calculado);
}

// Return on the button that holds the focus presses it, as Space does.
TEST_F(Coef, ReturnOnAFocusedButtonPressesIt) {
    struct Caso {
        int tabs;  // from TX_GR: 1 Aceptar, 2 Cancelar, 3 Restablecer
        bool cerrado;
        double gs;
    };
    for (const Caso& k : {Caso{1, true, 1.3}, Caso{2, true, 1.15}, Caso{3, false, 1.15}}) {
        SCOPED_TRACE(k.tabs);
        Coeficientes(1.5, 1.15, 1.4);
        EXPECT_EQ(Dialogo([&](FM_COEF& f) {
            f.TX_GS->setFocus();
            f.TX_GS->setText("1,3");
            QTest::keyClick(f.TX_GS, Qt::Key_Tab);
            for (int i = 0; i < k.tabs; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            if (!k.cerrado) {
                EXPECT_EQ(f.TX_GS->text(), "1,15");
            }
        }), k.cerrado);
        Esperar_Coeficientes(1.5, k.gs, 1.4);
    }
}

// Alt+C and Alt+R act exactly as a click on their buttons: the field with
// the focus is left first; a refused text holds Restablecer but not
// Cancelar, which abandons it.
struct Estado {
    bool cerrado;
    std::size_t mensajes;
    QString gc;       // TX_GC afterwards (open dialog)
    QString foco;     // the widget with the focus (open dialog)
    bool modificado;  // after the dialog
    bool operator==(const Estado&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Estado& e) {
    return os << (e.cerrado ? "closed" : "open") << ", " << e.mensajes << " messages, TX_GC '"
              << e.gc.toStdString() << "', focus '" << e.foco.toStdString() << "', "
              << (e.modificado ? "modified" : "not modified");
}

TEST_F(Coef, AccessKeysActAsTheClicksOfTheirButtons) {
    struct Caso {
        const char* texto;
        char tecla;  // 'C' Cancelar, 'R' Restablecer
        Estado esperado;
    };
    const Caso casos[] = {
        {"1,3", 'C', {true, 0, "", "", true}},
        {"0,5", 'C', {true, 0, "", "", false}},
        {"1,3", 'R', {false, 0, "1,50", "CM_RESTAURAR", true}},
        {"0,5", 'R', {false, 1, "0,5", "TX_GC", false}},
    };
    for (const Caso& k : casos) {
        for (bool teclado : {false, true}) {
            SCOPED_TRACE(std::string(k.texto) + " " + k.tecla + (teclado ? " key" : " click"));
            Flags_Limpias();
            mensajes.fake.clear();
            Estado e{};
            e.cerrado = Dialogo([&](FM_COEF& f) {
                QPushButton* boton = k.tecla == 'C' ? f.CM_CANCELAR : f.CM_RESTAURAR;
                // The focus is in TX_GC since the dialog opened.
                f.TX_GC->setText(k.texto);
                if (teclado)
                    QTest::keyClick(f.TX_GC, k.tecla == 'C' ? Qt::Key_C : Qt::Key_R,
                                    Qt::AltModifier);
                else
                    QTest::mouseClick(boton, Qt::LeftButton);
                platform::settle();
                if (!f.isVisible()) return;
                e.gc = f.TX_GC->text();
                e.foco = QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                                     : QString();
            });
            e.mensajes = mensajes.fake.shown.size();
            e.modificado = General::Caso.Modificado;
            EXPECT_EQ(e, k.esperado);
            Esperar_Coeficientes(1.5, 1.15, 1.4);
        }
    }
}

// Cancelar, Esc and the close button leave the dialog even on a refused text.
TEST_F(Coef, CancelarEscAndCloseNeverTrapTheUser) {
    const std::function<void(FM_COEF&)> salidas[] = {
        [](FM_COEF& f) { QTest::mouseClick(f.CM_CANCELAR, Qt::LeftButton); },
        [](FM_COEF& f) { QTest::keyClick(f.TX_GR, Qt::Key_Escape); },
        [](FM_COEF& f) { f.close(); },
    };
    int i = 0;
    for (const auto& salir : salidas) {
        SCOPED_TRACE(i++);
        Flags_Limpias();
        mensajes.fake.clear();
        EXPECT_TRUE(Dialogo([&](FM_COEF& f) {
            f.TX_GR->setFocus();
            f.TX_GR->setText("0");
            QTest::keyClick(f.TX_GR, Qt::Key_Tab);  // refused, the focus stays
            platform::settle();
            ASSERT_EQ(mensajes.fake.shown.size(), 1u);
            ASSERT_EQ(QApplication::focusWidget(), f.TX_GR);
            salir(f);
        }));
        EXPECT_EQ(mensajes.fake.shown.size(), 1u);
        Esperar_Coeficientes(1.5, 1.15, 1.4);
    }
}

TEST_F(Coef, FlagsAfterCancelarFollowTheFieldsAccepted) {
    // Esc straight away: nothing accepted, nothing marked.
    Flags_Limpias();
    EXPECT_TRUE(Dialogo([](FM_COEF& f) { QTest::keyClick(f.TX_GC, Qt::Key_Escape); }));
    EXPECT_FALSE(General::Caso.Modificado);
    EXPECT_TRUE(General::Caso.Calculado);
    // A click on Cancelar leaves the field with its valid text: accepted.
    EXPECT_TRUE(Dialogo([](FM_COEF& f) { QTest::mouseClick(f.CM_CANCELAR, Qt::LeftButton); }));
    EXPECT_TRUE(General::Caso.Modificado);
    EXPECT_FALSE(General::Caso.Calculado);
    Esperar_Coeficientes(1.5, 1.15, 1.4);
}

TEST_F(Coef, TheFlexureWindowDisablesItsResultsAfterTheDialog) {
    auto& f = Abrir();
    Calcular();
    ASSERT_TRUE(f.CM_CAPAS->isEnabled());
    for (QPushButton* gamma : {f.CM_GAMMA1, f.CM_GAMMA2}) {
        Calcular();
        platform::ScopedModalScript guion;
        guion.push([](QDialog& d) {
            QTest::keyClick(static_cast<FM_COEF&>(d).TX_GC, Qt::Key_Escape);
        });
        ASSERT_TRUE(platform::clickAsUser(gamma));
        EXPECT_EQ(guion.shown, std::vector<QString>{"FM_COEF"});
        for (QPushButton* b : {f.CM_ANCLAJE, f.CM_ARMADURA, f.CM_CAPAS, f.CM_DEFORMACIONES})
            EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
        EXPECT_TRUE(f.CM_CALCULAR->isEnabled());
    }
}

}  // namespace
