// Fixture of the flexure window tests: the shared window fixture with an
// active FM_FLEXION.
#pragma once

#include "ventana_test_support.h"

#include "windows/FM_FLEXION.h"

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

    std::unique_ptr<FM_FLEXION> w;
};
