// Shared fixture and record helpers of the display-list builder tests: a
// fresh default case and list, labels with a decimal comma, and the records
// a builder must write.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <span>
#include <string>
#include <vector>

#include "drawing/Formato.h"
#include "drawing/General_dibujo.h"
#include "drawing/Grafico.h"
#include "drawing/Registros.h"
#include "engine/Caracteristicas.h"
#include "engine/General.h"

namespace prueba {

using General_dibujo::Elemento;

// Colour, style, width or size and bold of the records desde to hasta.
struct Estilo_Tramo {
    int desde, hasta;
    double color, estilo, grosor, negrita;
};

// Moments of the three variants with one to five layers.
using Momentos = std::array<std::array<double, 5>, 3>;

// A fresh default case and an empty display list.
inline void Caso_Nuevo() {
    General::Caso = {};
    General_dibujo::Dibujo = {};
    Caracteristicas::Iniciar_Datos();
}

// Fixture of the zoom and picture-area tests: a fresh case, and the list
// emptied again at the end.
class Caso_Prueba : public ::testing::Test {
protected:
    void SetUp() override { Caso_Nuevo(); }
    void TearDown() override { General_dibujo::Dibujo = {}; }
};

// Fixture of the builder tests: a fresh case, labels with a decimal comma.
class Dibujo_Prueba : public ::testing::Test {
protected:
    void SetUp() override {
        Caso_Nuevo();
        Grafico::Poner_Formateador([](double v, int d) { return Grafico::Texto_Decimales(v, d, ","); });
    }
    void TearDown() override { Grafico::Poner_Formateador({}); }

    static const General_dibujo::Lista& lista() { return General_dibujo::Dibujo.Lista_Elementos; }
    static const Elemento& R(int i) { return lista().Elementos(i); }
    static const std::string& T(int i) { return lista().Textos(i); }

    // The kind of every record, in order.
    static std::vector<int> Tipos() {
        std::vector<int> t;
        for (int i = 1; i <= lista().Num_Elementos(); ++i) t.push_back(static_cast<int>(lista().Elementos(i).Tipo));
        return t;
    }
    static std::vector<std::string> Textos(int desde, int hasta) {
        std::vector<std::string> t;
        for (int i = desde; i <= hasta; ++i) t.push_back(lista().Textos(i));
        return t;
    }

    // Record i is a line between these points.
    static void Esperar_Linea(int i, double x1, double y1, double x2, double y2) {
        const Elemento& e = lista().Elementos(i);
        SCOPED_TRACE("record " + std::to_string(i));
        EXPECT_EQ(e.Tipo, 1);
        EXPECT_NEAR(e.X1, x1, 1e-9);
        EXPECT_NEAR(e.Y1, y1, 1e-9);
        EXPECT_NEAR(e.X2, x2, 1e-9);
        EXPECT_NEAR(e.Y2, y2, 1e-9);
    }

    static void Esperar_Estilos(std::span<const Estilo_Tramo> tramos) {
        for (const auto& r : tramos)
            for (int i = r.desde; i <= r.hasta; ++i) {
                const Elemento& e = lista().Elementos(i);
                EXPECT_EQ(e.Color, r.color) << i;
                EXPECT_EQ(e.Estilo, r.estilo) << i;
                EXPECT_EQ(e.Grosor, r.grosor) << i;
                EXPECT_EQ(e.Negrita, r.negrita) << i;
            }
    }

    // Flexure results by hand: Mu0, the moments of the three variants, Mu_Max and Md.
    static void Resultados(double mu0, const Momentos& mu, double mumax, double md) {
        auto& c = General::Caso;
        c.Mu_Capas.Crear(3, 5);
        for (int i = 1; i <= 3; ++i)
            for (int n = 1; n <= 5; ++n) c.Mu_Capas(i, n) = mu[i - 1][n - 1];
        c.Mu_Sin_Refuerzo = mu0;
        c.Mu_Max = mumax;
        c.Momento_Solicitante = md;
    }
};

inline Elemento Linea(double x1, double y1, double x2, double y2) {
    return General_dibujo::Registro_Linea(x1, y1, x2, y2);
}
inline Elemento Barra(double x1, double y1, double x2, double y2, double color) {
    return General_dibujo::Registro_Caja(General_dibujo::Elemento_Barra, x1, y1, x2, y2, color);
}
inline Elemento Texto(int tipo, double x, double y, double tamano = 8, double negrita = 0) {
    return General_dibujo::Registro_Texto(tipo, x, y, tamano, negrita);
}

// Record i as written against the one expected, field by field.
inline void Esperar_Igual(const Elemento& real, const Elemento& esperado, int i) {
    SCOPED_TRACE("record " + std::to_string(i));
    EXPECT_EQ(real.Tipo, esperado.Tipo);
    EXPECT_NEAR(real.X1, esperado.X1, 1e-12);
    EXPECT_NEAR(real.Y1, esperado.Y1, 1e-12);
    EXPECT_NEAR(real.X2, esperado.X2, 1e-12);
    EXPECT_NEAR(real.Y2, esperado.Y2, 1e-12);
    EXPECT_EQ(real.Libre, 0);
    EXPECT_EQ(real.Color, esperado.Color);
    EXPECT_EQ(real.Estilo, esperado.Estilo);
    EXPECT_EQ(real.Grosor, esperado.Grosor);
    EXPECT_EQ(real.Negrita, esperado.Negrita);
}

}  // namespace prueba
