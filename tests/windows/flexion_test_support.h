// Fixture of the flexure window tests: the shared window fixture with an
// active FM_FLEXION, and the field checks both flexure windows share.
#pragma once

#include "ventana_test_support.h"

#include "drawing/screen/PictureArea.h"
#include "platform/Controls.h"
#include "windows/FM_FLEXION.h"
#include "windows/ReglasFlexion.h"

#include <optional>

// A text typed into a field and left, and how the window must take it.
struct Caso_Campo {
    enum class Fin { Rechazo, Acepta, Aviso };
    windows::flexion::Campo campo;
    const char* texto;
    Fin fin;
    const char* mensaje;   // refusal or warning
    double guardado;       // stored value afterwards
    const char* mostrado;  // text afterwards (accepted and warned cases)
    std::optional<windows::flexion::Campo> foco = std::nullopt;  // the other field of a warning
};

class Flexion : public VentanaPrueba {
public:
    void TearDown() override {
        w.reset();
        VentanaPrueba::TearDown();
    }

    // Opens the window on the case data as they stand.
    FM_FLEXION& Abrir() {
        w = std::make_unique<FM_FLEXION>(frame);
        return Mostrar(*w);
    }
    // The window this fixture tests, opened afresh.
    virtual windows::Ventana_Flexion& Abrir_Ventana() { return Abrir(); }

    QString Texto(windows::flexion::Campo c) const { return w->Texto(c); }

    // Types a text into a field and leaves it the way the user does.
    void Escribir(windows::flexion::Campo c, const QString& texto) { Escribir_En(w->Control(c), texto); }

    // Presses Calcular as the user does: the field with the focus is left first.
    void Calcular() { Pulsar(w->CM_CALCULAR); }

    // One field case on a fresh default case in the window of rule table
    // tipo, opened and calculated (results current, result buttons on), with
    // the case not modified and the field's stored value set apart so a
    // fallback shows.
    void Probar_Campo(int tipo, const Caso_Campo& caso) {
        const auto* regla = windows::flexion::Buscar(tipo, caso.campo);
        ASSERT_TRUE(regla);
        SCOPED_TRACE(std::string(regla->control) + " \"" + caso.texto + "\"");
        SetUp();
        windows::Ventana_Flexion& v = Abrir_Ventana();
        Pulsar(v.CM_CALCULAR);
        auto& c = General::Caso;
        ASSERT_TRUE(c.Calculado);
        c.Modificado = false;
        c.*(regla->valor) = 7.25;
        mensajes.fake.clear();

        Escribir_En(v.Control(caso.campo), QString::fromUtf8(caso.texto));
        QWidget* ctl = v.Control(caso.campo);
        EXPECT_EQ(c.*(regla->valor), caso.guardado);
        EXPECT_FALSE(c.Calculado);
        switch (caso.fin) {
            case Caso_Campo::Fin::Rechazo:
                ASSERT_EQ(mensajes.fake.shown.size(), 1u);
                EXPECT_EQ(Ultimo_Mensaje(), caso.mensaje);
                EXPECT_EQ(mensajes.fake.shown[0].icon, platform::Icon::Critical);
                EXPECT_EQ(v.Texto(caso.campo), QString::fromUtf8(caso.texto));  // left as typed
                EXPECT_EQ(v.Guardia()->refusedField(), ctl);
                EXPECT_FALSE(c.Modificado);
                EXPECT_FALSE(v.CM_CAPAS->isEnabled());  // agrees with Calculado
                EXPECT_EQ(QApplication::focusWidget(), ctl);
                if (auto* l = qobject_cast<QLineEdit*>(ctl)) {
                    EXPECT_EQ(l->selectedText(), l->text());
                }
                break;
            case Caso_Campo::Fin::Acepta:
                EXPECT_TRUE(mensajes.fake.shown.empty()) << Ultimo_Mensaje();
                EXPECT_EQ(v.Texto(caso.campo), QString::fromUtf8(caso.mostrado));
                EXPECT_TRUE(c.Modificado);
                Esperar_Sin_Resultados(v);
                EXPECT_EQ(v.Guardia()->refusedField(), nullptr);
                break;
            case Caso_Campo::Fin::Aviso: {
                ASSERT_EQ(mensajes.fake.shown.size(), 1u);
                EXPECT_EQ(Ultimo_Mensaje(), caso.mensaje);
                EXPECT_EQ(mensajes.fake.shown[0].icon, platform::Icon::Critical);
                EXPECT_EQ(v.Texto(caso.campo), QString::fromUtf8(caso.mostrado));
                EXPECT_TRUE(c.Modificado);
                Esperar_Sin_Resultados(v);
                ASSERT_TRUE(caso.foco);
                QWidget* otro = v.Control(*caso.foco);
                EXPECT_EQ(QApplication::focusWidget(), otro);
                const QLineEdit* l = qobject_cast<QLineEdit*>(otro);
                if (auto* cb = qobject_cast<platform::Combo*>(otro)) l = cb->lineEdit();
                ASSERT_TRUE(l);
                EXPECT_FALSE(l->text().isEmpty());
                EXPECT_EQ(l->selectedText(), l->text());
                break;
            }
        }
    }

    // The result buttons follow Calculado: off after any change.
    static void Esperar_Sin_Resultados(const windows::Ventana_Flexion& v) {
        for (QPushButton* b : {v.CM_ANCLAJE, v.CM_ARMADURA, v.CM_CAPAS, v.CM_DEFORMACIONES})
            EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    }

    // Dark pixels inside the picture area's border, above the notice label
    // (which is drawn over the picture when a notice is on show).
    static int Pixeles_Dibujados(const windows::Ventana_Flexion& v) {
        const QImage img = v.PIC_FLEXION->grab().toImage();
        int n = 0;
        for (int y = 3; y < v.LB_INFO->y(); ++y)
            for (int x = 3; x < img.width() - 3; ++x)
                if (QColor(img.pixel(x, y)).lightness() < 200) ++n;
        return n;
    }

    std::unique_ptr<FM_FLEXION> w;
};
