#include <gtest/gtest.h>

#include <charconv>
#include <optional>
#include <string>

#include "Area_Falsa.h"
#include "Dibujo_Prueba.h"
#include "drawing/Formato.h"
#include "drawing/General_dibujo.h"
#include "drawing/Grafico.h"
#include "drawing/Panel_Flexion.h"
#include "engine/Calculos.h"
#include "engine/Caracteristicas.h"
#include "engine/General.h"

namespace {

using General_dibujo::Elemento;

constexpr double kRojo = 255;

// A number as a Spanish panel shows it: decimal comma only.
std::optional<double> Numero_Es(const std::string& texto) {
    std::string t = texto;
    if (t.find('.') != std::string::npos) return std::nullopt;
    for (char& ch : t)
        if (ch == ',') ch = '.';
    double v = 0;
    const auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (ec != std::errc() || p != t.data() + t.size()) return std::nullopt;
    return v;
}

class Deformaciones : public prueba::Dibujo_Prueba {
protected:
    void SetUp() override {
        Dibujo_Prueba::SetUp();  // h 0.6, r 0.05
        General::Caso.Mu_Capas.Crear(3, 5);
        panel.Tipo = "Refuerzo tipo VORLANT 20 - Núm. capas:  2";
        panel.EpsC = "1,95";
        panel.EpsR = "8,67";
        panel.EpsSI = "7,66";
        panel.EpsSS = "0,18";
        panel.FN = "0,110";
        panel.Pivote = "R";
        panel.Eps0 = "0,50";
        Registrar(General::DesignKind::Flexion);
    }
    void TearDown() override {
        Grafico::Registrar_Panel(General::DesignKind::Flexion, {});
        Grafico::Registrar_Panel(General::DesignKind::FlexionT, {});
        Dibujo_Prueba::TearDown();
    }
    void Registrar(General::DesignKind v) {
        Grafico::Registrar_Panel(v, {[this] { return std::optional(panel); }, Numero_Es});
    }
    // Design strain in per mil of variant j with n layers, as recomputed.
    static double Def_Calculo(int j, int n) {
        auto& c = General::Caso;
        c.Espesor_Refuerzo = c.Datos_Refuerzo(j, 1);
        c.Modulo_Refuerzo = c.Datos_Refuerzo(j, 2);
        c.Def_Ultima_Refuerzo = c.Datos_Refuerzo(j, 3);
        Calculos::Calcular_Km();
        return 1000 * c.Def_Calculo_Refuerzo(n);
    }
    Grafico::Textos_Panel panel;
};

void Esperar(const Elemento& real, int tipo, double x1, double y1, double x2, double y2, double color,
             double estilo, double grosor, double negrita, int i) {
    SCOPED_TRACE("record " + std::to_string(i));
    EXPECT_EQ(real.Tipo, tipo);
    EXPECT_NEAR(real.X1, x1, 1e-12);
    EXPECT_NEAR(real.Y1, y1, 1e-12);
    EXPECT_NEAR(real.X2, x2, 1e-12);
    EXPECT_NEAR(real.Y2, y2, 1e-12);
    EXPECT_EQ(real.Libre, 0);
    EXPECT_EQ(real.Color, color);
    EXPECT_EQ(real.Estilo, estilo);
    EXPECT_EQ(real.Grosor, grosor);
    EXPECT_EQ(real.Negrita, negrita);
}

TEST_F(Deformaciones, EighteenRecordsFromThePanelAsShown) {
    prueba::Area_Falsa area(General::DesignKind::Flexion, 400, 300);
    General_dibujo::Dibujo.Ver_Capas = true;
    Grafico::Dibujar_Deformaciones_Rect();
    const auto& l = lista();
    ASSERT_EQ(l.Num_Elementos(), 18);
    const double h = 0.6, r = 0.05, ec = 1.95, er = 8.67;
    const double xR = -er;  // pivot R governs: the sheet's own strain
    const struct {
        int tipo;
        double x1, y1, x2, y2, color, estilo, grosor, negrita;
        const char* texto;
    } esperado[18] = {
        {1, 0, 0, 0, h, 0, 1, 1, 0, ""},
        {1, 0, h, ec, h, 0, 1, 1, 0, ""},
        {1, 0, 0, -er, 0, 0, 1, 1, 0, ""},
        {1, 0, r, -7.66, r, 0, 3, 1, 0, ""},
        {1, 0, h - r, 0.18, h - r, 0, 3, 1, 0, ""},  // x 0.110 >= r: compression side
        {1, -er, 0, ec, h, 0, 1, 1, 0, ""},
        {2, 3.5, h, 0, 0, kRojo, 0, 0, 0, ""},
        {2, -10, r, 0, 0, kRojo, 0, 0, 0, ""},
        {2, xR, 0, 0, 0, kRojo, 0, 0, 0, ""},
        {1, 0, h, 3.5, h, kRojo, 3, 1, 0, ""},
        {1, 0, 0, xR, 0, kRojo, 3, 1, 0, ""},
        {1, 0, r, -10, r, kRojo, 3, 1, 0, ""},
        {3, 1.5 * ec, 1.07 * h, 0, 0, 0, 0, 8, 0, "1,95‰"},
        {3, -1.1 * er, -0.07 * h, 0, 0, 0, 0, 8, 0, "8,67‰"},
        {3, 4, h, 0, 0, kRojo, 0, 8, 0, "B"},
        {3, xR - 0.5, 0, 0, 0, kRojo, 0, 8, 0, "R"},
        {3, -10.5, r, 0, 0, kRojo, 0, 8, 0, "A"},
        {3, -13.5 / 4, 1.2 * h, 0, 0, 0, 0, 12, 1, "DIAGRAMA DE PIVOTES"},
    };
    for (int i = 1; i <= 18; ++i) {
        const auto& e = esperado[i - 1];
        Esperar(l.Elementos(i), e.tipo, e.x1, e.y1, e.x2, e.y2, e.color, e.estilo, e.grosor, e.negrita, i);
        EXPECT_EQ(l.Textos(i), e.texto) << i;
    }
    const auto& d = General_dibujo::Dibujo;
    EXPECT_TRUE(d.Ver_Deformaciones);
    EXPECT_FALSE(d.Ver_Capas || d.Ver_Seccion || d.Ver_Armadura);
    EXPECT_EQ(area.renders, 1);
    EXPECT_EQ(area.escena.Punto.size(), 3u);
    // The variant of the caption is the current one afterwards.
    EXPECT_EQ(General::Caso.Espesor_Refuerzo, 0.111);
}

TEST_F(Deformaciones, PivotRAndUpperSteelSide) {
    const struct {
        const char* tipo;
        const char* pivote;
        const char* fn;
        int j, n;
        bool gobierna_r;
        bool compresion;
    } casos[] = {
        {"Refuerzo tipo VORLANT 20 - Núm. capas:  2", " R ", "0,050", 1, 2, true, true},   // x = r
        {"Refuerzo tipo VORLANT 30 - Núm. capas:  1", "r", "0,049", 2, 1, false, false},   // lower case: not R
        {"Refuerzo tipo VORLANT MM - Núm. capas:  5", "B", "0,200", 3, 5, false, true},
        {"Refuerzo tipo VORLANT 30 - Núm. capas:  3", "A", "0,000", 2, 3, false, false},
    };
    for (const auto& k : casos) {
        SCOPED_TRACE(k.tipo);
        panel.Tipo = k.tipo;
        panel.Pivote = k.pivote;
        panel.FN = k.fn;
        Grafico::Dibujar_Deformaciones_Rect();
        const auto& l = lista();
        ASSERT_EQ(l.Num_Elementos(), 18);
        const double xR = k.gobierna_r ? -8.67 : -Def_Calculo(k.j, k.n) - 0.5;
        EXPECT_NEAR(l.Elementos(9).X1, xR, 1e-12);
        EXPECT_NEAR(l.Elementos(11).X2, xR, 1e-12);
        EXPECT_NEAR(l.Elementos(16).X1, xR - 0.5, 1e-12);
        EXPECT_EQ(l.Elementos(5).X2, k.compresion ? 0.18 : -0.18);
        EXPECT_EQ(General::Caso.Espesor_Refuerzo, General::Caso.Datos_Refuerzo(k.j, 1));
    }
}

TEST_F(Deformaciones, DesignStrainAndInitialStrainPlacePivotR) {
    // A sheet whose design strain is 6 per mil for any layer count.
    auto& c = General::Caso;
    c.Datos_Refuerzo(1, 1) = 0.001;
    c.Datos_Refuerzo(1, 2) = 1000;
    c.Datos_Refuerzo(1, 3) = 0.006 * c.Gamma_Refuerzo / 0.9;
    panel.Pivote = "B";
    Grafico::Dibujar_Deformaciones_Rect();
    EXPECT_NEAR(lista().Elementos(9).X1, -6.5, 1e-9);
}

TEST_F(Deformaciones, CaptionOrBoxesNotAsShownDrawNothing) {
    prueba::Area_Falsa area(General::DesignKind::Flexion, 400, 300);
    Grafico::Dibujar_Seccion_Rect();
    const int antes = lista().Num_Elementos();
    General::Caso.Espesor_Refuerzo = 0.163;
    const Grafico::Textos_Panel bueno = panel;
    struct Caso {
        const char* que;
        Grafico::Textos_Panel p;
    };
    std::vector<Caso> casos;
    auto con = [&](const char* que, auto cambio) {
        Grafico::Textos_Panel p = bueno;
        cambio(p);
        casos.push_back({que, p});
    };
    // Character 41 is a blank; counted in bytes it would be the "2".
    con("bytes", [](auto& p) { p.Tipo = "Refuerzo tipo VORLANT 20 - Núm. capas: 2 "; });
    con("lower case", [](auto& p) { p.Tipo = "Refuerzo tipo VORLANT mm - Núm. capas:  1"; });
    con("layer 0", [](auto& p) { p.Tipo = "Refuerzo tipo VORLANT 20 - Núm. capas:  0"; });
    con("layer 6", [](auto& p) { p.Tipo = "Refuerzo tipo VORLANT 20 - Núm. capas:  6"; });
    con("short", [](auto& p) { p.Tipo = "Refuerzo tipo VORLANT 20"; });
    con("empty", [](auto& p) { p.Tipo.clear(); });
    con("no gain", [](auto& p) { p.EpsR = "---"; });
    con("point", [](auto& p) { p.FN = "0.110"; });
    for (const auto& k : casos) {
        panel = k.p;
        Grafico::Dibujar_Deformaciones_Rect();
        EXPECT_EQ(lista().Num_Elementos(), antes) << k.que;
        EXPECT_TRUE(General_dibujo::Dibujo.Ver_Seccion) << k.que;
        EXPECT_EQ(General::Caso.Espesor_Refuerzo, 0.163) << k.que;
    }
    EXPECT_EQ(area.renders, 1);

    // Before any result, and with no panel registered, nothing either.
    panel = bueno;
    General::Caso.Mu_Capas.Borrar();
    Grafico::Dibujar_Deformaciones_Rect();
    EXPECT_EQ(lista().Num_Elementos(), antes);
    General::Caso.Mu_Capas.Crear(3, 5);
    Grafico::Dibujar_Deformaciones_T();
    EXPECT_EQ(lista().Num_Elementos(), antes);
    Grafico::Dibujar_Deformaciones_Rect();
    EXPECT_EQ(lista().Num_Elementos(), 18);
}

TEST_F(Deformaciones, TheTWindowReadsItsOwnPanelAndDrawsInItsOwnArea) {
    prueba::Area_Falsa rect(General::DesignKind::Flexion, 400, 300);
    prueba::Area_Falsa t(General::DesignKind::FlexionT, 400, 300);
    Grafico::Textos_Panel propio = panel;
    propio.EpsC = "2,50";
    Grafico::Registrar_Panel(General::DesignKind::FlexionT,
                             {[&propio] { return std::optional(propio); }, Numero_Es});
    Grafico::Dibujar_Deformaciones_T();
    EXPECT_EQ(lista().Elementos(2).X2, 2.5);
    EXPECT_EQ(rect.renders, 0);
    EXPECT_EQ(t.renders, 1);
}

TEST(CaracterUtf8, CountsCharactersNotBytes) {
    const std::string s = "Núm. capas: 5";
    EXPECT_EQ(Grafico::Caracter_Utf8(s, 2), "ú");
    EXPECT_EQ(Grafico::Caracter_Utf8(s, 3), "m");
    EXPECT_EQ(Grafico::Caracter_Utf8(s, 13), "5");
    EXPECT_EQ(Grafico::Caracter_Utf8(s, 14), "");
    EXPECT_EQ(Grafico::Caracter_Utf8(s, 0), "");
    EXPECT_EQ(Grafico::Caracter_Utf8("\xE2\x80", 1), "\xE2\x80");  // cut short: no read beyond
}

}  // namespace
