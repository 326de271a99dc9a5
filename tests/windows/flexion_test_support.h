// Fixture of the flexure window tests: the shared window fixture with an
// active FM_FLEXION.
#pragma once

#include "ventana_test_support.h"

#include "windows/FM_FLEXION.h"
#include "drawing/screen/PictureArea.h"
#include "platform/Controls.h"
#include "windows/ReglasFlexion.h"

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

    QString Texto(windows::flexion::Campo c) const { return w->Texto(c); }

    // Types a text into a field and leaves it the way the user does.
    void Escribir(windows::flexion::Campo c, const QString& texto) { Escribir_En(w->Control(c), texto); }

    // Presses Calcular as the user does: the field with the focus is left first.
    void Calcular() { Pulsar(w->CM_CALCULAR); }

    // Before a field is typed into: the open window calculated (results
    // current, result buttons on), the case not modified, and the field's
    // stored value set apart so a fallback shows.
    void Preparar_Campo(windows::Ventana_Flexion& v, const windows::flexion::Regla& regla) {
        Pulsar(v.CM_CALCULAR);
        auto& c = General::Caso;
        ASSERT_TRUE(c.Calculado);
        c.Modificado = false;
        c.*(regla.valor) = 7.25;
        mensajes.fake.clear();
    }

    // The result buttons follow Calculado: off after any change.
    static void Esperar_Sin_Resultados(const windows::Ventana_Flexion& v) {
        for (QPushButton* b : {v.CM_ANCLAJE, v.CM_ARMADURA, v.CM_CAPAS, v.CM_DEFORMACIONES})
            EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    }

    // A refused field: one critical message, the text left as typed and
    // selected, the focus kept on it, the case not modified.
    void Esperar_Rechazo(const windows::Ventana_Flexion& v, windows::flexion::Campo campo,
                         const char* texto, const char* mensaje) {
        QWidget* ctl = v.Control(campo);
        ASSERT_EQ(mensajes.fake.shown.size(), 1u);
        EXPECT_EQ(Ultimo_Mensaje(), mensaje);
        EXPECT_EQ(mensajes.fake.shown[0].icon, platform::Icon::Critical);
        EXPECT_EQ(v.Texto(campo), QString::fromUtf8(texto));  // left as typed
        EXPECT_EQ(v.Guardia()->refusedField(), ctl);
        EXPECT_FALSE(General::Caso.Modificado);
        EXPECT_FALSE(v.CM_CAPAS->isEnabled());  // agrees with Calculado
        EXPECT_EQ(QApplication::focusWidget(), ctl);
        if (auto* l = qobject_cast<QLineEdit*>(ctl)) {
            EXPECT_EQ(l->selectedText(), l->text());
        }
    }

    // An accepted field: no message, the value shown in its format, the case
    // modified, the result buttons off, no field refused.
    void Esperar_Aceptado(const windows::Ventana_Flexion& v, windows::flexion::Campo campo,
                          const char* mostrado) {
        EXPECT_TRUE(mensajes.fake.shown.empty()) << Ultimo_Mensaje();
        EXPECT_EQ(v.Texto(campo), QString::fromUtf8(mostrado));
        EXPECT_TRUE(General::Caso.Modificado);
        Esperar_Sin_Resultados(v);
        EXPECT_EQ(v.Guardia()->refusedField(), nullptr);
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
