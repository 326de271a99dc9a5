// The calculate command of the confinement window: read-back tests, refusals,
// notice, grid, panel and the grid pick.
#include "confina_test_support.h"

#include "engine/Calculos.h"

#include <cmath>

using windows::confina::Campo;

TEST_F(Confina, DefaultColumnCalculated) {
    auto& f = Abrir();
    auto& c = General::Caso;
    Calcular();
    EXPECT_TRUE(mensajes.fake.shown.empty()) << Ultimo_Mensaje();
    EXPECT_TRUE(c.Calculado);
    EXPECT_TRUE(f.CM_CONFINA->isEnabled());
    EXPECT_FALSE(f.LB_INFO->shown());  // 1.00 required, every K above

    platform::Grid& g = *f.FG_CONFINA;
    EXPECT_TRUE(g.isVisible());
    ASSERT_EQ(g.rows(), 6);
    ASSERT_EQ(g.cols(), 4);
    EXPECT_EQ(g.cellText(0, 0), "Nº capas");
    EXPECT_EQ(g.cellText(0, 3), "VORLANT MM");
    EXPECT_EQ(g.cellText(5, 0), "5");
    for (int n = 1; n <= 5; ++n)
        for (int j = 1; j <= 3; ++j) {
            const double k = c.Incremento_Resistencia(j, n);
            EXPECT_EQ(g.cellText(n, j), platform::formatNumber(k, "0.00"));
            EXPECT_EQ(g.cellBackground(n, j), QColor(255, 255, 0));
        }
    EXPECT_EQ(g.row(), 1);
    EXPECT_EQ(g.col(), 1);

    // Panel: variant 1 with one layer.
    EXPECT_EQ(f.LB_TIPO->text(), "Refuerzo tipo VORLANT 20 - Núm. capas:  1");
    EXPECT_EQ(f.TX_WC->text(), platform::formatNumber(c.Vol_Hormigon(1), "0.000000"));
    EXPECT_EQ(f.TX_WR->text(), platform::formatNumber(c.Vol_Refuerzo(1, 1), "0.000000"));
    EXPECT_EQ(f.TX_EPS0->text(), "0,00");
    EXPECT_EQ(f.TX_EPSR->text(),
              platform::formatNumber(c.Def_Refuerzo_Confina(1, 1) * 1000, "0.00"));
    EXPECT_EQ(f.TX_SIGMAR->text(), platform::formatNumber(c.Tension_Refuerzo(1, 1), "0.0"));
    EXPECT_EQ(f.TX_TENSCONF->text(),
              platform::formatNumber(c.Tension_Confinamiento(1, 1), "0.000"));
    EXPECT_EQ(f.TX_RESU->text(), g.cellText(1, 1));

    // The confinement diagram is on show, with the required line.
    EXPECT_EQ(General_dibujo::Dibujo.Lista_Elementos.Num_Elementos(), 56);
    EXPECT_FALSE(General_dibujo::Dibujo.Ver_Seccion);
}

// The side typed with four decimals is calculated as shown (0,500): the
// box then shows the coefficient the calculation and the report use.
TEST_F(Confina, ShapeCoefficientAfterACalculationIsTheOneUsed) {
    auto& f = Abrir_Seccion(3, 0.45, 0.4);
    Escribir(Campo::Diametro_Lado, "0,5004");
    EXPECT_EQ(f.TX_ALFAN->text(), "0,166");  // from the side as typed
    Calcular();
    ASSERT_TRUE(General::Caso.Calculado) << Ultimo_Mensaje();
    EXPECT_NEAR(General::Caso.Coef_Forma, 1.0 / 6, 1e-12);
    EXPECT_EQ(f.TX_ALFAN->text(), "0,167");
}

TEST_F(Confina, RequiredIncreaseAboveEveryResultShowsTheRedNotice) {
    auto& f = Abrir();
    auto& c = General::Caso;
    Escribir(Campo::Incremento_Necesario, "3");
    Calcular();
    EXPECT_TRUE(f.LB_INFO->shown());
    EXPECT_EQ(f.LB_INFO->text(), " NO SE PUEDE REFORZAR LA SECCION ");
    EXPECT_EQ(f.LB_INFO->background(), QColor(255, 0, 0));
    EXPECT_EQ(f.FG_CONFINA->cellBackground(5, 3), QColor(255, 255, 255));
    EXPECT_EQ(General_dibujo::Dibujo.Lista_Elementos.Num_Elementos(), 55);

    // Equal to the largest increase, typed with three decimals: no notice,
    // and the cells compare with the typed value, not the shown one.
    c.Incremento_Necesario = c.Incremento_Max;
    Calcular();
    EXPECT_FALSE(f.LB_INFO->shown());
    const double kmax = c.Incremento_Max;
    const double typed = std::round(kmax * 1000 + 1) / 1000;  // just above, 3 decimals
    Escribir(Campo::Incremento_Necesario, platform::formatNumber(typed, "0.000"));
    EXPECT_EQ(f.TX_INCR->text(), platform::formatNumber(typed, "0.00"));
    Calcular();
    EXPECT_DOUBLE_EQ(c.Incremento_Necesario, typed);
    EXPECT_TRUE(f.LB_INFO->shown());
}

TEST_F(Confina, InitialStrainAboveTheLimitIsRefusedAndHidesTheGrid) {
    auto& f = Abrir();
    auto& c = General::Caso;
    // The largest axial force, as its field shows it, within the limit:
    // the initial strain comes within a hair of 0.002 and is calculated.
    const double ec = 8500 * std::cbrt(25.0 + 8);
    const double a = (3.141592 * 0.25 / 4) * (1 + 0.004 * 200000 / ec);
    const QString exacto =
        platform::formatNumber(std::floor(0.002 * a * ec * 1000 * 100) / 100, "0.00");

    Escribir(Campo::Axil_Actual, exacto);
    Calcular();
    EXPECT_TRUE(mensajes.fake.shown.empty()) << Ultimo_Mensaje();
    EXPECT_LE(c.Predeformacion, 0.002);
    EXPECT_NEAR(c.Predeformacion, 0.002, 1e-7);
    EXPECT_TRUE(c.Calculado);
    EXPECT_EQ(f.TX_EPS0->text(), "2,00");
    EXPECT_EQ(f.TX_RESU->text(), "1,00");  // next to no strain left for the sheet
    const QString panel = f.LB_TIPO->text();

    Escribir(Campo::Axil_Actual, platform::formatNumber(platform::readShown(exacto) + 0.01, "0.00"));
    Calcular();
    EXPECT_GT(c.Predeformacion, 0.002);
    ASSERT_EQ(mensajes.fake.shown.size(), 1u);
    EXPECT_EQ(mensajes.fake.shown[0].text,
              "La predeformación de la estructura es superior al 2 por mil.");
    EXPECT_EQ(mensajes.fake.shown[0].icon, platform::Icon::Critical);
    EXPECT_FALSE(f.FG_CONFINA->isVisible());
    EXPECT_FALSE(c.Calculado);
    EXPECT_FALSE(f.CM_CONFINA->isEnabled());
    EXPECT_EQ(f.TX_EPS0->text(), "2,00");  // the panel keeps the previous case
    EXPECT_EQ(f.LB_TIPO->text(), panel);
    EXPECT_EQ(c.Incremento_Resistencia(1, 1), 0.0);

    Escribir(Campo::Axil_Actual, "0");
    Calcular();
    EXPECT_TRUE(f.FG_CONFINA->isVisible());
    EXPECT_TRUE(c.Calculado);
}

TEST_F(Confina, ValuesThatCannotBeCalculatedAreRefusedWithTheirOwnMessage) {
    auto& f = Abrir();
    auto& c = General::Caso;
    Escribir(Campo::Diametro_Lado, "1e200");  // its area overflows
    Calcular();
    ASSERT_EQ(mensajes.fake.shown.size(), 1u);
    EXPECT_EQ(mensajes.fake.shown[0].icon, platform::Icon::Critical);
    EXPECT_NE(mensajes.fake.shown[0].text.find("no se pueden calcular"), std::string::npos);
    EXPECT_FALSE(c.Calculado);
    EXPECT_FALSE(f.LB_INFO->shown());
    EXPECT_FALSE(f.CM_CONFINA->isEnabled());
    EXPECT_EQ(c.Vol_Hormigon(1), 0.0);
}

TEST_F(Confina, ReadBackValuesFailingTheirTestsSolveNothing) {
    struct Caso_Lectura {
        const char* nombre;
        int tipo;
        double d, l;
        const char* mensaje;
        const char* foco;
    };
    const Caso_Lectura casos[] = {
        {"rectangle beyond 1.5", 3, 0.9, 0.4,
         "La relación entre lados del elemento a confinar debe ser menor de 1,5.",
         "TX_LADOMENOR"},
        {"rectangle ratio 1.5", 3, 0.6, 0.4,
         "La relación entre lados del elemento a confinar debe ser menor de 1,5.",
         "TX_LADOMENOR"},
        {"shorter side above the longer", 3, 0.3, 0.4,
         "El lado menor debe ser un número más pequeño que el lado mayor.", "TX_LADOMENOR"},
        {"diameter below 0.01 from a file", 1, 0.004, 0.4,
         "El diámetro o lado debe ser mayor que cero.", "TX_DIAM"},
    };
    for (const auto& k : casos) {
        SCOPED_TRACE(k.nombre);
        auto& f = Abrir_Seccion(k.tipo, k.d, k.l);
        General::Caso.Incremento_Resistencia.Borrar();
        f.CO_FCK->setFocus();
        platform::settle();
        Calcular();
        ASSERT_EQ(mensajes.fake.shown.size(), 1u);
        EXPECT_EQ(mensajes.fake.shown[0].text, k.mensaje);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), k.foco);
        EXPECT_FALSE(General::Caso.Calculado);
        EXPECT_FALSE(General::Caso.Incremento_Resistencia.Existe());
        w.reset();
    }

    // A circle does not test the shorter side, even one that would fail.
    Abrir_Seccion(1, 0.3, 0.4);
    Calcular();
    EXPECT_TRUE(mensajes.fake.shown.empty()) << Ultimo_Mensaje();
    EXPECT_TRUE(General::Caso.Calculado);
}

TEST_F(Confina, StoredFckOffTheListGetsItsOwnEntryAndIsCalculatedAsShown) {
    General::Caso.Fck = 27.4;
    auto& f = Abrir();
    ASSERT_EQ(f.CO_FCK->count(), 7);
    EXPECT_EQ(f.CO_FCK->entry(6), "27");
    EXPECT_EQ(f.CO_FCK->selectedIndex(), 6);
    EXPECT_EQ(f.CO_FCK->text(), "27");
    Calcular();
    EXPECT_EQ(General::Caso.Fck, 27);
}

TEST_F(Confina, GridPickShowsTheCellAndIgnoresHeaders) {
    auto& f = Abrir();
    // Before the first calculation a pick shows nothing.
    f.FG_CONFINA->setRow(1);
    f.FG_CONFINA->setCol(1);
    EXPECT_TRUE(f.LB_TIPO->text().isEmpty());

    Calcular();
    // The fill moves over every cell and the panel follows it.
    f.Llenar_Tabla_Confina();
    EXPECT_EQ(f.LB_TIPO->text(), "Refuerzo tipo VORLANT MM - Núm. capas:  5");

    f.FG_CONFINA->setRow(4);
    f.FG_CONFINA->setCol(2);
    EXPECT_EQ(f.LB_TIPO->text(), "Refuerzo tipo VORLANT 30 - Núm. capas:  4");
    EXPECT_EQ(f.TX_RESU->text(), f.FG_CONFINA->cellText(4, 2));
    f.FG_CONFINA->setCol(0);
    EXPECT_EQ(f.LB_TIPO->text(), "Refuerzo tipo VORLANT 30 - Núm. capas:  4");
}
