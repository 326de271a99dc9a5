// Fixture of the T-section window tests: the flexure fixture (fresh default
// case, Spanish locale, fake messages and dialogs) with an FM_FLEXIONT open.
#pragma once

#include "flexion_test_support.h"

#include "windows/FM_FLEXIONT.h"

class FlexionT : public Flexion {
public:
    void TearDown() override {
        t.reset();
        Flexion::TearDown();
    }

    // Opens the T window on the case data as they stand.
    FM_FLEXIONT& Abrir() {
        t = std::make_unique<FM_FLEXIONT>(frame);
        return Mostrar(*t);
    }
    windows::Ventana_Flexion& Abrir_Ventana() override { return Abrir(); }

    QString Texto(windows::flexion::Campo c) const { return t->Texto(c); }

    void Escribir(windows::flexion::Campo c, const QString& texto) { Escribir_En(t->Control(c), texto); }

    void Calcular() { Pulsar(t->CM_CALCULAR); }

    std::unique_ptr<FM_FLEXIONT> t;
};
