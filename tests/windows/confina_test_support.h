// Fixture of the confinement window tests: the shared window fixture on a
// fresh default confinement case, with FM_CONFINA.
#pragma once

#include "ventana_test_support.h"

#include "windows/FM_CONFINA.h"

class Confina : public VentanaPrueba {
public:
    void SetUp() override {
        VentanaPrueba::SetUp();
        Caracteristicas::Poner_Defectos_Confina();
    }
    void TearDown() override {
        w.reset();
        VentanaPrueba::TearDown();
    }

    // Opens the window on the case data as they stand.
    FM_CONFINA& Abrir() {
        w = std::make_unique<FM_CONFINA>(frame);
        Mostrar(*w);
        platform::settle();
        return *w;
    }

    // A stored section, as a file read leaves it, then the window.
    FM_CONFINA& Abrir_Seccion(int tipo, double d, double l) {
        auto& c = General::Caso;
        c.Tipo_Seccion = static_cast<int16_t>(tipo);
        c.Diametro_Lado = d;
        c.Lado_Menor = l;
        return Abrir();
    }

    // Types a text into a field and leaves it the way the user does.
    void Escribir(windows::confina::Campo c, const QString& texto) { Escribir_En(w->Control(c), texto); }

    // Presses Calcular as the user does: the field with the focus is left first.
    void Calcular() { Pulsar(w->CM_CALCULAR); }

    std::unique_ptr<FM_CONFINA> w;
};
