// The four reports on the recording surface, from fixture snapshots and
// fixture drawings.
#include <gtest/gtest.h>

#include "drawing/General_dibujo.h"
#include "drawing/Registros.h"
#include "engine/Calculos.h"
#include "engine/Caracteristicas.h"
#include "engine/General.h"
#include "tests/reports/Grabadora.h"
#include "reports/Imprimir.h"

#include <string>
#include <vector>

namespace {

using namespace Imprimir;
using Tipo = Trazo::Tipo;

constexpr double LH = 0.5;  // line height of the recorder at 10 pt

// A drawing fixture: a caption in the given colour over a diagonal from
// (0, 0) to (10, 5), so its box on the page tells where it was printed.
std::function<void()> Dibujo(const std::string& titulo, double color, int* llamadas) {
    return [=] {
        ++*llamadas;
        auto& l = General_dibujo::Dibujo.Lista_Elementos;
        l.Limpiar();
        l.Anadir(General_dibujo::Registro_Linea(0, 0, 10, 5));
        General_dibujo::Elemento t =
            General_dibujo::Registro_Texto(General_dibujo::Elemento_Texto_Centrado, 5, 5, 12, 1);
        t.Color = color;
        l.Anadir(t, titulo);
    };
}

class Informes : public ::testing::Test {
protected:
    void SetUp() override {
        General::Caso = {};
        Caracteristicas::Iniciar_Datos();
        auto& c = General::Caso;
        c.Ancho = 0.4;
        c.Canto = 0.6;
        c.Ancho_Alma = 0.25;
        c.Canto_Ala = 0.12;
        c.Momento_Solicitante = 230000;
        c.Armadura_Inf = 12.5;
        c.Fck = 30;
        General_dibujo::Dibujo = {};
    }

    static Foto_Flexion Flexion(int tipo) {
        Foto_Flexion f;
        f.Tipo = tipo;
        f.TX_MU = "312,4";
        f.TX_MUSR = "250,0";
        f.TX_EPS0 = "0,4";  // printed again with its pattern
        f.TX_MRB = "280,1";
        f.TX_MLIMCR = "400,9";
        f.TX_PIVOTE = " B ";
        f.TX_FN = "0,123";
        f.TX_EPSC = "3,50";
        f.TX_EPSSI = "10,00";
        f.TX_EPSSS = "1,25";
        f.TX_EPSR = "8,10";
        f.LB_TIPO = "  Refuerzo tipo VORLANT 20 - Núm. capas:  2 ";
        f.IM_LOGO = {2, 1, {0xFFFF0000u, 0xFF0000FFu}};
        return f;
    }

    Resultado Flexion(Grabadora& g, const Foto_Flexion& f) {
        return Imprimir_Flexion(g, f, num, {Dibujo("DEF", 255, &llamadas[0]),
                                            Dibujo("SECCION", 255, &llamadas[1]),
                                            Dibujo("ARMADURA", 65280, &llamadas[2]),
                                            Dibujo("CAPAS", 255, &llamadas[3])});
    }

    // Label at (x, y) and its value at (xv, y).
    static void Linea(const Grabadora& g, const std::string& etiqueta, double x, double y,
                      const std::string& valor, double xv) {
        const Trazo* e = g.Buscar(etiqueta);
        ASSERT_NE(e, nullptr) << etiqueta;
        EXPECT_NEAR(e->x1, x, 1e-9) << etiqueta;
        EXPECT_NEAR(e->y1, y, 1e-9) << etiqueta;
        const Trazo* v = g.Buscar(valor);
        ASSERT_NE(v, nullptr) << etiqueta << " -> " << valor;
        EXPECT_NEAR(v->x1, xv, 1e-9) << valor;
        EXPECT_NEAR(v->y1, y, 1e-9) << valor;
    }

    Numeros num = Numeros_Con_Separador(",");
    int llamadas[4] = {};
};

TEST_F(Informes, PageFrame) {
    Grabadora g;
    ASSERT_EQ(Flexion(g, Flexion(1)).estado, Estado::Impreso);
    const Trazo* titulo = g.Buscar("REFUERZO A FLEXION EN SECCIONES RECTANGULARES");
    ASSERT_NE(titulo, nullptr);
    EXPECT_EQ(titulo->x1, 2.0);
    EXPECT_EQ(titulo->y1, 2.0);
    auto imagenes = g.De_Tipo(Tipo::Imagen);
    ASSERT_EQ(imagenes.size(), 2u);  // one per page
    EXPECT_DOUBLE_EQ(imagenes[0]->x1, 17.0);
    EXPECT_DOUBLE_EQ(imagenes[0]->y1, 2.0 + LH - 1.0);
    EXPECT_DOUBLE_EQ(imagenes[0]->x2 - imagenes[0]->x1, 2.0);
    EXPECT_DOUBLE_EQ(imagenes[0]->y2 - imagenes[0]->y1, 1.0);
    // The header and footer rules are the first lines of the page.
    auto lineas = g.De_Tipo(Tipo::Linea);
    EXPECT_DOUBLE_EQ(lineas[0]->y1, 2.0 + LH + 0.15);
    EXPECT_DOUBLE_EQ(lineas[0]->x2, 19.0);
    EXPECT_DOUBLE_EQ(lineas[1]->y1, 29.7 - 2.0 - LH - 0.15);
    const Trazo* pie = g.Buscar("ZIVIVUR DE REFUERZO VORLANT®");
    ASSERT_NE(pie, nullptr);
    EXPECT_DOUBLE_EQ(pie->y1, 29.7 - LH - 2.0);
    const Trazo* p1 = g.Buscar("Página 1");
    ASSERT_NE(p1, nullptr);
    EXPECT_NEAR(p1->x1 + 8 * 0.2, 19.0, 1e-9);  // ends on the right margin
    const Trazo* p2 = g.Buscar("Página 2");
    ASSERT_NE(p2, nullptr);
    EXPECT_EQ(p2->pagina, 2);

    // A smaller printable area moves the right and bottom items only.
    Grabadora h;
    h.ancho = 20.0;
    h.alto = 28.0;
    Flexion(h, Flexion(1));
    EXPECT_DOUBLE_EQ(h.De_Tipo(Tipo::Imagen)[0]->x1, 16.0);
    EXPECT_DOUBLE_EQ(h.Buscar("Página 1")->y1, 28.0 - LH - 2.0);
    EXPECT_EQ(h.Buscar("REFUERZO A FLEXION EN SECCIONES RECTANGULARES")->x1, 2.0);
}

TEST_F(Informes, FlexureDataAndResults) {
    Grabadora g;
    ASSERT_EQ(Flexion(g, Flexion(1)).estado, Estado::Impreso);
    const Trazo* h = g.Buscar("DATOS GENERALES");
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(h->fuente.Negrita);
    EXPECT_EQ(h->y1, 4.0);
    Linea(g, "Ancho:", 2.0, 5.0, "0,400 m", 6.5);
    Linea(g, "Canto:", 2.0, 5.0 + LH, "0,600 m", 6.5);
    Linea(g, "Armadura inferior:", 2.0, 5.0 + 3 * LH, "12,50 cm²", 6.5);
    Linea(g, "Coef. seg. VORLANT®:", 2.0, 5.0 + 9 * LH, "1,40", 6.5);
    Linea(g, "Mom. flector solicitante:", 2.0, 5.0 + 12 * LH, "230000,00 mkN", 6.5);
    EXPECT_FALSE(g.Buscar("Mom. flector solicitante:")->fuente.Negrita);
    // f, subscript ck dropped 0.05, the colon after the width of "fck".
    const double yf = 5.0 + 5 * LH;
    auto textos = g.Textos();
    std::vector<const Trazo*> fck;
    for (std::size_t i = 0; i + 2 < textos.size(); ++i)
        if (textos[i]->texto == "f" && textos[i + 1]->texto == "ck")
            fck = {textos[i], textos[i + 1], textos[i + 2], textos[i + 3]};
    ASSERT_EQ(fck.size(), 4u);
    EXPECT_DOUBLE_EQ(fck[0]->y1, yf);
    EXPECT_DOUBLE_EQ(fck[1]->x1, 2.2);
    EXPECT_DOUBLE_EQ(fck[1]->y1, yf + 0.05);
    EXPECT_EQ(fck[2]->texto, ":");
    EXPECT_NEAR(fck[2]->x1, 2.6, 1e-9);
    EXPECT_DOUBLE_EQ(fck[2]->y1, yf);
    EXPECT_EQ(fck[3]->texto, "30 N/mm²");

    const Trazo* caso = g.Buscar("Refuerzo tipo VORLANT 20 - Núm. capas:  2");
    ASSERT_NE(caso, nullptr);
    EXPECT_EQ(caso->x1, 10.5);
    EXPECT_EQ(caso->y1, 5.0);
    Linea(g, "Momento último s/r:", 10.5, 6.0, "250,0 mkN", 15.0);
    Linea(g, "Predeformación inicial:", 10.5, 6.0 + LH, "0,40 ‰", 15.0);
    ASSERT_NE(g.Buscar("lím"), nullptr);
    Linea(g, "Pivote:", 10.5, 6.0 + 4 * LH, "B", 15.0);
    Linea(g, "Prof. fibra neutra:", 10.5, 6.0 + 5 * LH, "0,123 m", 15.0);
    Linea(g, "Def. hormigón:", 10.5, 6.0 + 6 * LH, "3,50‰", 15.0);
    Linea(g, "Momento último c/r:", 10.5, 6.0 + 10 * LH, "312,4 mkN", 15.0);
}

TEST_F(Informes, FlexureDrawingsAndSecondPage) {
    Grabadora g;
    ASSERT_EQ(Flexion(g, Flexion(1)).estado, Estado::Impreso);
    for (int n : llamadas) EXPECT_EQ(n, 1);
    EXPECT_EQ(g.paginas, 2);
    // The page-1 boxes start 2.0 below the top of "Momento último c/r:".
    const double top = 2.0 + 6.0 + 10 * LH;
    const double bottom = 29.7 - 7.0;
    const double y_mid = (top + bottom) / 2;
    const Trazo* def = g.Buscar("DEF");
    const Trazo* sec = g.Buscar("SECCION");
    ASSERT_TRUE(def && sec);
    EXPECT_EQ(def->pagina, 1);
    EXPECT_NEAR(def->x1 + def->fuente.Tamano / 10 * 3 * 0.22 / 2, (10.5 + 19.0) / 2, 1e-9);
    EXPECT_NEAR(sec->x1 + sec->fuente.Tamano / 10 * 7 * 0.22 / 2, (2.0 + 10.5) / 2, 1e-9);
    auto lineas = g.De_Tipo(Tipo::Linea);
    const Trazo* diagonal = nullptr;
    for (const Trazo* l : lineas)
        if (l->pagina == 1 && l->x1 > 10.5) diagonal = l;
    ASSERT_NE(diagonal, nullptr);
    EXPECT_NEAR((diagonal->y1 + diagonal->y2) / 2, y_mid, 1e-9);
    EXPECT_NEAR(diagonal->y1 - diagonal->y2, 0.8 * (bottom - top), 1e-9);

    const Trazo* arm = g.Buscar("ARMADURA");
    const Trazo* capas = g.Buscar("CAPAS");
    ASSERT_TRUE(arm && capas);
    EXPECT_EQ(arm->pagina, 2);
    EXPECT_EQ(capas->pagina, 2);
    EXPECT_LT(arm->y1, 29.7 - 15.0);
    EXPECT_GT(capas->y1, 15.0);

    // The red caption of the section drawing does not colour page 2's frame.
    EXPECT_EQ(sec->color, 255u);
    int marco = 0;
    for (const Trazo* t : g.Textos()) {
        if (t->pagina == 2 && (t->texto == "Página 2" || t->texto.rfind("REFUERZO", 0) == 0)) {
            EXPECT_EQ(t->color, 0u) << t->texto;
            ++marco;
        }
    }
    for (const Trazo* l : lineas) {
        if (l->pagina == 2 && l->x1 == 2.0 && l->x2 == 19.0) {
            EXPECT_EQ(l->color, 0u);
            ++marco;
        }
    }
    EXPECT_EQ(marco, 4);
    EXPECT_TRUE(g.terminada);
}

TEST_F(Informes, FlexureNoticeIsOnePage) {
    for (int tipo : {1, 2}) {
        Foto_Flexion f = Flexion(tipo);
        f.LB_INFO_Visible = true;
        f.LB_INFO = " NO ES NECESARIO REFORZAR LA SECCION ";
        Grabadora g;
        llamadas[0] = llamadas[1] = llamadas[2] = llamadas[3] = 0;
        ASSERT_EQ(Flexion(g, f).estado, Estado::Impreso);
        EXPECT_EQ(g.paginas, 1);
        EXPECT_TRUE(g.terminada);
        const double yD = 5.0 + (tipo == 2 ? 14 : 12) * LH;
        const Trazo* n = g.Buscar(f.LB_INFO);
        ASSERT_NE(n, nullptr);
        EXPECT_NEAR(n->x1, (21.0 - 37 * 0.2) / 2, 1e-9);  // outer blanks counted
        EXPECT_NEAR(n->y1, yD + 2.0, 1e-9);
        EXPECT_FALSE(n->fuente.Negrita);
        EXPECT_EQ(g.Buscar("RESULTADOS DE LA SECCION"), nullptr);
        EXPECT_EQ(g.Buscar("Momento último s/r:"), nullptr);
        for (int k : llamadas) EXPECT_EQ(k, 0);
    }
}

TEST_F(Informes, TFlexureAddsTwoDataLines) {
    Grabadora g;
    ASSERT_EQ(Flexion(g, Flexion(2)).estado, Estado::Impreso);
    ASSERT_NE(g.Buscar("REFUERZO A FLEXION EN SECCIONES EN T"), nullptr);
    Linea(g, "Ancho del alma:", 2.0, 5.0 + 2 * LH, "0,250 m", 6.5);
    Linea(g, "Canto del ala:", 2.0, 5.0 + 3 * LH, "0,120 m", 6.5);
    Linea(g, "Mom. flector solicitante:", 2.0, 5.0 + 14 * LH, "230000,00 mkN", 6.5);
    Linea(g, "Momento último s/r:", 10.5, 6.0, "250,0 mkN", 15.0);
}

TEST_F(Informes, RefusalAndFailures) {
    Foto_Flexion f = Flexion(1);
    f.TX_MU = "---";
    Grabadora g;
    EXPECT_EQ(Flexion(g, f).estado, Estado::Rehusado);
    EXPECT_FALSE(g.iniciada);
    EXPECT_TRUE(g.trazos.empty());
    for (int k : llamadas) EXPECT_EQ(k, 0);

    Grabadora inicio;
    inicio.fallar_inicio = true;
    inicio.error = "sin papel";
    Resultado r = Flexion(inicio, Flexion(1));
    EXPECT_EQ(r.estado, Estado::Fallo);
    EXPECT_EQ(r.motivo, "sin papel");
    EXPECT_TRUE(inicio.trazos.empty());

    Grabadora fin;
    fin.fallar_fin = true;
    EXPECT_EQ(Imprimir_Confina(fin, {}, num, {}).estado, Estado::Fallo);
    Grabadora fin2;
    fin2.fallar_fin = true;
    EXPECT_EQ(Imprimir_Caracteristicas(fin2, {}, num).estado, Estado::Fallo);
}

TEST_F(Informes, ConfinementColumns) {
    struct Caso {
        int indice;
        int16_t tipo;
        const char* nombre;
        const char* lado;
        bool menor;
    };
    auto& c = General::Caso;
    Caracteristicas::Poner_Defectos_Confina();
    c.Diametro_Lado = 0.5;
    c.Lado_Menor = 0.4;
    c.Axil_Actual = 1200;
    c.Incremento_Necesario = 1.3;
    c.Coef_Forma = 0.333;
    Foto_Confina f;
    f.TX_WC = "0,196350";
    f.TX_WR = "0,000651";
    f.TX_WWD = "0,003316";
    f.TX_EPS0 = "0,12";
    f.TX_EPSR = "4,29";
    f.TX_SIGMAR = "986,3";
    f.TX_TENSCONF = "0,107";
    f.TX_RESU = "1,38";
    f.LB_TIPO = " Refuerzo tipo VORLANT 30 - Núm. capas:  3";
    for (const Caso& k : {Caso{0, 1, "CIRCULAR", "Diámetro:", false},
                          Caso{1, 2, "CUADRADA", "Lado:", false},
                          Caso{2, 3, "RECTANGULAR", "Lado mayor:", true}}) {
        SCOPED_TRACE(k.nombre);
        c.Tipo_Seccion = k.tipo;
        f.CO_SECCION = k.indice;
        int n[4] = {};
        Grabadora g;
        ASSERT_EQ(Imprimir_Confina(g, f, num, {Dibujo("DIAGRAMA", 255, &n[0]),
                                               Dibujo("COLUMNA", 0, &n[1])})
                      .estado,
                  Estado::Impreso);
        EXPECT_EQ(g.paginas, 1);
        ASSERT_NE(g.Buscar("REFUERZO A CONFINAMIENTO"), nullptr);
        Linea(g, "Tipo de sección:", 2.0, 5.0, k.nombre, 6.5);
        Linea(g, k.lado, 2.0, 5.0 + LH, "0,500 m", 6.5);
        if (k.menor) {
            Linea(g, "Lado menor:", 2.0, 5.0 + 2 * LH, "0,400 m", 6.5);
        } else {
            EXPECT_EQ(g.Buscar("Lado menor:"), nullptr);
        }
        const double y4 = 5.0 + (k.menor ? 3 : 2) * LH;
        EXPECT_DOUBLE_EQ(g.Buscar("f")->y1, y4);
        Linea(g, "Axil actual:", 2.0, y4 + LH, "1200,00 kN", 6.5);
        Linea(g, "Incr. de resistencia:", 2.0, y4 + 2 * LH, "1,30", 6.5);
        // The right column and the results never move.
        Linea(g, "Coeficiente de Poisson:", 10.5, 5.0, "0,50", 15.0);
        Linea(g, "Coeficiente de forma:", 10.5, 5.0 + LH, "0,333", 15.0);
        const double yA = 5.0 + 4 * LH;
        EXPECT_DOUBLE_EQ(g.Buscar("RESULTADOS DE LA SECCION")->y1, yA + 1.5);
        Linea(g, "Refuerzo tipo VORLANT 30 - Núm. capas:  3", 10.5, yA + 2.5,
              "Refuerzo tipo VORLANT 30 - Núm. capas:  3", 10.5);
        Linea(g, "Vol. hormigón confinado:", 10.5, yA + 3.5, "0,196350 m³/m", 15.0);
        Linea(g, "Cuantía volumétrica:", 10.5, yA + 3.5 + 2 * LH, "0,003316", 15.0);
        Linea(g, "Predeformación inicial:", 10.5, yA + 3.5 + 3 * LH, "0,12‰", 15.0);
        Linea(g, "Tensión en refuerzo:", 10.5, yA + 3.5 + 5 * LH, "986,3 N/mm²", 15.0);
        Linea(g, "Incremento de resistencia:", 10.5, yA + 3.5 + 7 * LH, "1,38", 15.0);
        // Diagram across the lower page, then the section in the left half.
        const Trazo* d = g.Buscar("DIAGRAMA");
        const Trazo* s = g.Buscar("COLUMNA");
        ASSERT_TRUE(d && s);
        EXPECT_GT(d->y1, 14.0);
        EXPECT_LT(s->y1, 29.7 - 14.0);
        EXPECT_LT(s->x1, 10.5);
        EXPECT_EQ(n[0], 1);
        EXPECT_EQ(n[1], 1);
    }
}

TEST_F(Informes, CharacteristicsTable) {
    auto& c = General::Caso;
    Caracteristicas::Cargar_Refuerzo(3);
    Calculos::Calcular_Km();
    General_dibujo::Dibujo.Lista_Elementos.Anadir(General_dibujo::Registro_Linea(0, 0, 0.01, 440));
    Foto_Carac f;
    f.OP_V20 = false;
    f.OP_VMM = true;
    Grabadora g;
    ASSERT_EQ(Imprimir_Caracteristicas(g, f, num).estado, Estado::Impreso);
    EXPECT_EQ(g.paginas, 1);
    ASSERT_NE(g.Buscar("CARACTERISTICAS MECANICAS DEL REFUERZO"), nullptr);
    ASSERT_NE(g.Buscar("Página 1"), nullptr);
    Linea(g, "Tipo de refuerzo:", 2.0, 5.0, "VORLANT MM", 6.5);
    Linea(g, "Espesor:", 2.0, 5.0 + LH, "0,163 mm", 6.5);
    Linea(g, "Módulo de Young:", 2.0, 5.0 + 2 * LH, "440000 N/mm²", 6.5);
    Linea(g, "Deformación última:", 2.0, 5.0 + 3 * LH, "5,50‰", 6.5);
    const double yL = 5.0 + 4 * LH;
    EXPECT_DOUBLE_EQ(g.Buscar("DEFORMACION DE CALCULO")->y1, yL + 1.5);
    const double yT = yL + 2.5;

    // Ruling: after the frame's two rules, 7 horizontals then 5 verticals.
    auto lineas = g.De_Tipo(Tipo::Linea);
    ASSERT_GE(lineas.size(), 2u + 12u);
    for (int i = 0; i < 7; ++i) {
        EXPECT_NEAR(lineas[2 + i]->y1, yT + 0.8 * i, 1e-9);
        EXPECT_DOUBLE_EQ(lineas[2 + i]->x1, 2.0);
        EXPECT_DOUBLE_EQ(lineas[2 + i]->x2, 16.0);
    }
    for (int j = 0; j < 5; ++j) EXPECT_NEAR(lineas[9 + j]->x1, 2.0 + 3.5 * j, 1e-9);

    // Header cells bold and centred; the data cells centred in their row.
    const Trazo* h = g.Buscar("Def. cálculo (‰)");
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(h->fuente.Negrita);
    EXPECT_NEAR(h->x1, 2.0 + 7.0 + (3.5 - 16 * 0.22) / 2, 1e-9);
    EXPECT_NEAR(h->y1, yT + (0.8 - LH) / 2, 1e-9);
    for (int n = 1; n <= 5; ++n) {
        const Trazo* t = g.Buscar(std::to_string(n));
        ASSERT_NE(t, nullptr) << n;
        EXPECT_NEAR(t->x1, 2.0 + (3.5 - 0.2) / 2, 1e-9);
        EXPECT_NEAR(t->y1, yT + 0.8 * n + (0.8 - LH) / 2, 1e-9);
    }
    const double def1 = c.Def_Calculo_Refuerzo(1);
    ASSERT_NE(g.Buscar(num.Formatear(c.Km(1), 3)), nullptr);
    ASSERT_NE(g.Buscar(num.Formatear(def1 * 1000, 2)), nullptr);
    ASSERT_NE(g.Buscar(num.Formatear(440000 * def1, 1)), nullptr);
}

TEST_F(Informes, NumbersHaveNoGroupingAndReadBack) {
    const Numeros n = Numeros_Con_Separador(",");
    EXPECT_EQ(n.Formatear(230000, 0), "230000");
    EXPECT_EQ(n.Formatear(-0.0001, 3), "0,000");
    EXPECT_EQ(n.Leer(" 12,5 "), 12.5);
    EXPECT_EQ(n.Leer("---"), std::nullopt);
    EXPECT_EQ(n.Leer(""), std::nullopt);
    EXPECT_EQ(n.Leer("1,2,3"), std::nullopt);
    EXPECT_EQ(Valor_Mostrado(n, " 0,4 ", 2, " ‰"), "0,40 ‰");
    EXPECT_EQ(Valor_Mostrado(n, " R ", 2, " m"), "R m");
    EXPECT_EQ(Valor_Mostrado(n, "  ", 2, " m"), "");
}

}  // namespace
