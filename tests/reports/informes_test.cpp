// The four reports on the recording surface, from fixture snapshots and
// fixture drawings.
#include <gtest/gtest.h>

#include "drawing/General_dibujo.h"
#include "drawing/Registros.h"
#include "engine/Caracteristicas.h"
#include "engine/General.h"
#include "tests/reports/Grabadora.h"
#include "reports/Imprimir.h"

#include <algorithm>
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

// Width of a text on the recorder.
double Ancho(const std::string& t, bool negrita = false) {
    return Grabadora().Medir(t, Fuente{"arial", 10, negrita}).Ancho;
}

// A text as the page must hold it: regular "arial" 10 in black unless bold.
struct Esperado {
    std::string texto;
    double x = 0, y = 0;
    bool negrita = false;
    int pagina = 1;
};

// A label/value line; with a subscript, the label is its letter.
struct Fila {
    std::string etiqueta;
    std::string valor;
    std::string subindice = {};
};

// The frame's title, footer and page text of page n.
void Marco(std::vector<Esperado>& e, const std::string& titulo, int n) {
    const double y = 29.7 - LH - 2.0;
    const std::string pagina = "Página " + std::to_string(n);
    e.push_back({titulo, 2.0, 2.0, false, n});
    e.push_back({"ZIVIVUR DE REFUERZO VORLANT®", 2.0, y, false, n});
    e.push_back({pagina, 19.0 - Ancho(pagina), y, false, n});
}

void Encabezado(std::vector<Esperado>& e, const std::string& texto, double x, double y) {
    e.push_back({texto, x, y, true});
}

// Lines LH apart from y0: label at x, value at xv; a subscript dropped 0.05
// after its letter, the colon after both.
void Columna(std::vector<Esperado>& e, double x, double xv, double y0,
             const std::vector<Fila>& filas) {
    double y = y0;
    for (const Fila& f : filas) {
        e.push_back({f.etiqueta, x, y});
        if (!f.subindice.empty()) {
            e.push_back({f.subindice, x + Ancho(f.etiqueta), y + Caida_Subindice});
            e.push_back({":", x + Ancho(f.etiqueta + f.subindice), y});
        }
        e.push_back({f.valor, xv, y});
        y += LH;
    }
}

// Every text of the document but the drawings' captions, in order, against
// the expected page.
void Comparar(const Grabadora& g, const std::vector<Esperado>& esperados,
              const std::vector<std::string>& dibujos) {
    std::vector<const Trazo*> hechos;
    for (const Trazo* t : g.Textos())
        if (std::find(dibujos.begin(), dibujos.end(), t->texto) == dibujos.end())
            hechos.push_back(t);
    const std::size_t n = std::max(hechos.size(), esperados.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (i >= hechos.size()) {
            ADD_FAILURE() << "not printed: \"" << esperados[i].texto << "\"";
            continue;
        }
        const Trazo& h = *hechos[i];
        if (i >= esperados.size()) {
            ADD_FAILURE() << "printed besides: \"" << h.texto << "\" at (" << h.x1 << ", "
                          << h.y1 << ")";
            continue;
        }
        const Esperado& e = esperados[i];
        SCOPED_TRACE("text " + std::to_string(i) + ", \"" + e.texto + "\"");
        EXPECT_EQ(h.texto, e.texto);
        EXPECT_NEAR(h.x1, e.x, 1e-9);
        EXPECT_NEAR(h.y1, e.y, 1e-9);
        EXPECT_EQ(h.fuente.Negrita, e.negrita);
        EXPECT_EQ(h.fuente.Nombre, "arial");
        EXPECT_EQ(h.fuente.Tamano, 10);
        EXPECT_EQ(h.color, 0u);
        EXPECT_EQ(h.pagina, e.pagina);
    }
}

// The boxes the drawings were fitted into, in order of printing.
void Comparar_Cajas(const Grabadora& g, const std::vector<Caja_Grabada>& esperadas) {
    ASSERT_EQ(g.cajas.size(), esperadas.size());
    for (std::size_t i = 0; i < esperadas.size(); ++i) {
        SCOPED_TRACE("drawing " + std::to_string(i + 1));
        const Caja_Grabada& h = g.cajas[i];
        const Caja_Grabada& e = esperadas[i];
        EXPECT_EQ(h.pagina, e.pagina);
        EXPECT_NEAR(h.x1, e.x1, 1e-9);
        EXPECT_NEAR(h.y1, e.y1, 1e-9);
        EXPECT_NEAR(h.x2, e.x2, 1e-9);
        EXPECT_NEAR(h.y2, e.y2, 1e-9);
    }
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
        // Box texts printed again with their patterns.
        f.TX_MU = "312,4";
        f.TX_MUSR = "250";
        f.TX_EPS0 = "0,4";
        f.TX_MRB = "280,1";
        f.TX_MLIMCR = "400,94";
        f.TX_PIVOTE = " B ";
        f.TX_FN = "0,1234";
        f.TX_EPSC = "3,5";
        f.TX_EPSSI = "10";
        f.TX_EPSSS = "1,25";
        f.TX_EPSR = "8,1";
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

// Every text of both flexure reports from a case whose inputs all differ.
TEST_F(Informes, FlexureEveryLine) {
    auto& c = General::Caso;
    c.Ancho = 0.4;
    c.Canto = 0.6;
    c.Ancho_Alma = 0.25;
    c.Canto_Ala = 0.12;
    c.Recubrimiento = 0.045;
    c.Armadura_Inf = 12.5;
    c.Armadura_Sup = 4.02;
    c.Fck = 30;
    c.Fyk = 500;
    c.Gamma_Hormigon = 1.5;
    c.Gamma_Acero = 1.15;
    c.Gamma_Refuerzo = 1.2;
    c.Ancho_Refuerzo = 0.3;
    c.Momento_Actual = 120.75;
    c.Momento_Solicitante = 230.5;
    const std::vector<Fila> resultados = {
        {"Momento último s/r:", "250,0 mkN"},
        {"Predeformación inicial:", "0,40 ‰"},
        {"M", "280,1 mkN", "RB"},
        {"M", "400,9 mkN", "lím"},
        {"Pivote:", "B"},
        {"Prof. fibra neutra:", "0,123 m"},
        {"Def. hormigón:", "3,50‰"},
        {"Def. armadura inferior:", "10,00‰"},
        {"Def. armadura superior:", "1,25‰"},
        {"Def. refuerzo:", "8,10‰"},
        {"Momento último c/r:", "312,4 mkN"},
    };
    for (int tipo : {1, 2}) {
        SCOPED_TRACE(tipo == 2 ? "T" : "rectangular");
        std::vector<Fila> datos = {
            {"Ancho:", "0,400 m"},
            {"Canto:", "0,600 m"},
            {"Recubrimiento:", "0,045 m"},
            {"Armadura inferior:", "12,50 cm²"},
            {"Armadura superior:", "4,02 cm²"},
            {"f", "30 N/mm²", "ck"},
            {"f", "500 N/mm²", "yk"},
            {"Coef. seg. hormigón:", "1,50"},
            {"Coef. seg. acero:", "1,15"},
            {"Coef. seg. VORLANT®:", "1,20"},
            {"Ancho del refuerzo:", "0,300 m"},
            {"Momento actual:", "120,75 mkN"},
            {"Mom. flector solicitante:", "230,50 mkN"},
        };
        if (tipo == 2)
            datos.insert(datos.begin() + 2,
                         {{"Ancho del alma:", "0,250 m"}, {"Canto del ala:", "0,120 m"}});
        const std::string titulo = tipo == 2 ? "REFUERZO A FLEXION EN SECCIONES EN T"
                                             : "REFUERZO A FLEXION EN SECCIONES RECTANGULARES";
        std::vector<Esperado> e;
        Marco(e, titulo, 1);
        Encabezado(e, "DATOS GENERALES", 2.0, 4.0);
        Columna(e, 2.0, 6.5, 5.0, datos);
        Encabezado(e, "RESULTADOS DE LA SECCION", 10.5, 4.0);
        e.push_back({"Refuerzo tipo VORLANT 20 - Núm. capas:  2", 10.5, 5.0});
        Columna(e, 10.5, 15.0, 6.0, resultados);
        Marco(e, titulo, 2);

        Grabadora g;
        ASSERT_EQ(Flexion(g, Flexion(tipo)).estado, Estado::Impreso);
        Comparar(g, e, {"DEF", "SECCION", "ARMADURA", "CAPAS"});
        // Page 1 from 2.0 below the top of the last result line to 7.0 above
        // the bottom: strain diagram right, section left; page 2 split at 15.
        const double yR = 6.0 + 10 * LH;
        Comparar_Cajas(g, {{1, 10.5, 2.0 + yR, 19.0, 29.7 - 7.0},
                           {1, 2.0, 2.0 + yR, 10.5, 29.7 - 7.0},
                           {2, 2.0, 2.0, 19.0, 29.7 - 15.0},
                           {2, 2.0, 15.0, 19.0, 29.7 - 2.0}});

        // With the notice the page holds the frame, the data and the notice
        // centred on the sheet 2.0 below the top of the last data line.
        const std::string aviso = " NO SE PUEDE REFORZAR LA SECCION ";
        std::vector<Esperado> a;
        Marco(a, titulo, 1);
        Encabezado(a, "DATOS GENERALES", 2.0, 4.0);
        Columna(a, 2.0, 6.5, 5.0, datos);
        const double yD = 5.0 + static_cast<double>(datos.size() - 1) * LH;
        a.push_back({aviso, (21.0 - Ancho(aviso)) / 2, yD + 2.0});
        Foto_Flexion f = Flexion(tipo);
        f.LB_INFO_Visible = true;
        f.LB_INFO = aviso;
        Grabadora h;
        ASSERT_EQ(Flexion(h, f).estado, Estado::Impreso);
        Comparar(h, a, {});
        EXPECT_TRUE(h.cajas.empty());
    }
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

// Every text of the confinement report for the three kinds of column; the
// right column and the results never move.
TEST_F(Informes, ConfinementEveryLine) {
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
    c.Fck = 25;
    c.Axil_Actual = 1200;
    c.Incremento_Necesario = 1.3;
    c.Coef_Poisson = 0.5;
    c.Coef_Forma = 0.333;
    c.Gamma_Hormigon = 1.5;
    c.Gamma_Acero = 1.15;
    c.Gamma_Refuerzo = 1.2;
    Foto_Confina f;
    // Box texts printed again with their patterns.
    f.TX_WC = "0,19635";
    f.TX_WR = "0,000651";
    f.TX_WWD = "0,003316";
    f.TX_EPS0 = "0,12";
    f.TX_EPSR = "4,3";
    f.TX_SIGMAR = "986,31";
    f.TX_TENSCONF = "0,1074";
    f.TX_RESU = "1,4";
    f.LB_TIPO = " Refuerzo tipo VORLANT 30 - Núm. capas:  3";
    const std::vector<Fila> auxiliares = {
        {"Coeficiente de Poisson:", "0,50"},
        {"Coeficiente de forma:", "0,333"},
        {"Coef. seg. hormigón:", "1,50"},
        {"Coef. seg. acero:", "1,15"},
        {"Coef. seg. VORLANT®:", "1,20"},
    };
    const std::vector<Fila> resultados = {
        {"Vol. hormigón confinado:", "0,196350 m³/m"},
        {"Vol. de refuerzo:", "0,000651 m³/m"},
        {"Cuantía volumétrica:", "0,003316"},
        {"Predeformación inicial:", "0,12‰"},
        {"Def. refuerzo:", "4,30‰"},
        {"Tensión en refuerzo:", "986,3 N/mm²"},
        {"Tensión de confinamiento:", "0,107"},
        {"Incremento de resistencia:", "1,40"},
    };
    const double yA = 5.0 + 4 * LH;
    for (const Caso& k : {Caso{0, 1, "CIRCULAR", "Diámetro:", false},
                          Caso{1, 2, "CUADRADA", "Lado:", false},
                          Caso{2, 3, "RECTANGULAR", "Lado mayor:", true}}) {
        SCOPED_TRACE(k.nombre);
        c.Tipo_Seccion = k.tipo;
        f.CO_SECCION = k.indice;
        std::vector<Fila> datos = {{"Tipo de sección:", k.nombre}, {k.lado, "0,500 m"}};
        if (k.menor) datos.push_back({"Lado menor:", "0,400 m"});
        datos.insert(datos.end(), {{"f", "25 N/mm²", "ck"},
                                   {"Axil actual:", "1200,00 kN"},
                                   {"Incr. de resistencia:", "1,30"}});
        std::vector<Esperado> e;
        Marco(e, "REFUERZO A CONFINAMIENTO", 1);
        Encabezado(e, "DATOS GENERALES", 2.0, 4.0);
        Columna(e, 2.0, 6.5, 5.0, datos);
        Encabezado(e, "DATOS AUXILIARES", 10.5, 4.0);
        Columna(e, 10.5, 15.0, 5.0, auxiliares);
        Encabezado(e, "RESULTADOS DE LA SECCION", 10.5, yA + 1.5);
        e.push_back({"Refuerzo tipo VORLANT 30 - Núm. capas:  3", 10.5, yA + 2.5});
        Columna(e, 10.5, 15.0, yA + 3.5, resultados);

        int n[2] = {};
        Grabadora g;
        ASSERT_EQ(Imprimir_Confina(g, f, num, {Dibujo("DIAGRAMA", 255, &n[0]),
                                               Dibujo("COLUMNA", 0, &n[1])})
                      .estado,
                  Estado::Impreso);
        EXPECT_EQ(g.paginas, 1);
        Comparar(g, e, {"DIAGRAMA", "COLUMNA"});
        // Diagram across the lower page from 14.0, then the section in the
        // left half from 7.0 to 14.0 above the bottom.
        Comparar_Cajas(g, {{1, 2.0, 14.0, 19.0, 29.7 - 2.0}, {1, 2.0, 7.0, 10.5, 29.7 - 14.0}});
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

// Every text of the characteristics report, the design-strain table cell by
// cell, and the table's ruling.
TEST_F(Informes, CharacteristicsEveryLine) {
    auto& c = General::Caso;
    c.Espesor_Refuerzo = 0.131;
    c.Modulo_Refuerzo = 240000;
    c.Def_Ultima_Refuerzo = 0.0155;
    c.Gamma_Refuerzo = 1.2;
    c.Num_Capas_Max = 5;
    const double km[] = {0.9, 0.8571, 0.7826, 0.7143, 0.6667};
    const double def[] = {0.00931, 0.00873, 0.00812, 0.00759, 0.00694};
    c.Km.Crear(5);
    c.Def_Calculo_Refuerzo.Crear(5);
    for (int n = 1; n <= 5; ++n) {
        c.Km(n) = km[n - 1];
        c.Def_Calculo_Refuerzo(n) = def[n - 1];
    }
    // Layers, Km, design strain in per mil, modulus x design strain.
    const std::vector<std::vector<std::string>> tabla = {
        {"Núm. de capas", "Km", "Def. cálculo (‰)", "Tensión (N/mm²)"},
        {"1", "0,900", "9,31", "2234,4"},
        {"2", "0,857", "8,73", "2095,2"},
        {"3", "0,783", "8,12", "1948,8"},
        {"4", "0,714", "7,59", "1821,6"},
        {"5", "0,667", "6,94", "1665,6"},
    };
    General_dibujo::Dibujo.Lista_Elementos.Anadir(General_dibujo::Registro_Linea(0, 0, 0.01, 440));
    Foto_Carac f;
    f.OP_V20 = false;
    f.OP_VMM = true;

    const double yL = 5.0 + 4 * LH;
    const double yT = yL + 2.5;
    std::vector<Esperado> e;
    Marco(e, "CARACTERISTICAS MECANICAS DEL REFUERZO", 1);
    Encabezado(e, "DATOS GENERALES", 2.0, 4.0);
    Columna(e, 2.0, 6.5, 5.0,
            {{"Tipo de refuerzo:", "VORLANT MM"},
             {"Espesor:", "0,131 mm"},
             {"Módulo de Young:", "240000 N/mm²"},
             {"Deformación última:", "15,50‰"},
             {"Coef. seg. VORLANT®:", "1,20"}});
    Encabezado(e, "DEFORMACION DE CALCULO", 2.0, yL + 1.5);
    for (std::size_t n = 0; n < tabla.size(); ++n)
        for (std::size_t k = 0; k < 4; ++k) {
            const std::string& t = tabla[n][k];
            const bool cabecera = n == 0;
            e.push_back({t, 2.0 + 3.5 * static_cast<double>(k) + (3.5 - Ancho(t, cabecera)) / 2,
                         yT + 0.8 * static_cast<double>(n) + (0.8 - LH) / 2, cabecera});
        }

    Grabadora g;
    ASSERT_EQ(Imprimir_Caracteristicas(g, f, num).estado, Estado::Impreso);
    EXPECT_EQ(g.paginas, 1);
    Comparar(g, e, {});
    Comparar_Cajas(g, {{1, 2.0, 14.0, 19.0, 29.7 - 2.0}});

    // Ruling: after the frame's two rules, 7 horizontals then 5 verticals.
    auto lineas = g.De_Tipo(Tipo::Linea);
    ASSERT_GE(lineas.size(), 2u + 12u);
    for (int i = 0; i < 7; ++i) {
        EXPECT_NEAR(lineas[2 + i]->y1, yT + 0.8 * i, 1e-9);
        EXPECT_DOUBLE_EQ(lineas[2 + i]->x1, 2.0);
        EXPECT_DOUBLE_EQ(lineas[2 + i]->x2, 16.0);
    }
    for (int j = 0; j < 5; ++j) EXPECT_NEAR(lineas[9 + j]->x1, 2.0 + 3.5 * j, 1e-9);
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
