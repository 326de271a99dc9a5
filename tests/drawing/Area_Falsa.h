// Test doubles: a picture area of a fixed size that keeps what it was shown,
// and a text measurer with fixed metrics.
#pragma once

#include <string>

#include "drawing/Grafico.h"
#include "drawing/Pantalla.h"
#include "drawing/Zoom.h"

namespace prueba {

// Width: 5 pixels per byte at 8 points, scaled with the size; height 2 x size.
class Medidor_Fijo : public Grafico::Medidor_Texto {
public:
    Grafico::Tamano_Texto Medir(const std::string& texto, double puntos, bool negrita) const override {
        const double ancho = 5.0 * static_cast<double>(texto.size()) * puntos / 8 * (negrita ? 1.2 : 1);
        return {ancho, 2 * puntos};
    }
};

class Area_Falsa : public Grafico::Area_Dibujo {
public:
    Area_Falsa(General::DesignKind v, double w, double h) : v_(v), w_(w), h_(h) { Grafico::Registrar_Area(v_, this); }
    ~Area_Falsa() override { Grafico::Quitar_Area(v_, this); }
    double Ancho_Interior() const override { return w_; }
    double Alto_Interior() const override { return h_; }
    const Grafico::Medidor_Texto& Medidor() const override { return medidor_; }
    void Mostrar(Grafico::Escena e) override {
        escena = std::move(e);
        ++renders;
    }
    Grafico::Escena* Escena_Render() override { return renders ? &escena : nullptr; }
    Grafico::Marco_Zoom* Window_zoom() override { return &marco; }
    void Repintar() override { ++repintados; }
    Grafico::Escena escena;
    Grafico::Marco_Zoom marco;
    int renders = 0;
    int repintados = 0;

private:
    General::DesignKind v_;
    double w_, h_;
    Medidor_Fijo medidor_;
};

}  // namespace prueba
