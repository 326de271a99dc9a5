// The calculate command of FM_FLEXIONT: T solver, T initial strain, the
// grid, the panel, the notice and the diagram in the T window's own area.
#include "flexiont_test_support.h"

#include "drawing/screen/PictureArea.h"
#include "engine/Calculos.h"

#include <QImage>

using windows::flexion::Campo;

namespace {

QString Uno(double v) { return QLocale().toString(v, 'f', 1); }

}  // namespace

TEST_F(FlexionT, CaseIsSolvedAsATSection) {
    auto& f = Abrir();
    EXPECT_LT(Pixeles_Dibujados(f), 300);
    // A thin flange and much steel: the compressed zone reaches the web.
    Escribir(Campo::Canto_Ala, "0,05");
    Escribir(Campo::Armadura_Inf, "40");
    Escribir(Campo::Momento_Actual, "100");
    Calcular();
    auto& c = General::Caso;
    EXPECT_TRUE(mensajes.fake.shown.empty()) << Ultimo_Mensaje();
    ASSERT_TRUE(c.Calculado);
    EXPECT_FALSE(c.Rellenando_Tabla);

    // What the window shows, kept before the case data are solved again.
    platform::Grid* g = f.FG_FLEXION;
    ASSERT_EQ(g->rows(), 6);
    ASSERT_EQ(g->cols(), 4);
    QString tabla[6][4];
    for (int n = 1; n <= 5; ++n)
        for (int j = 1; j <= 3; ++j) tabla[n][j] = g->cellText(n, j);
    const double eps0 = c.Predeformacion;
    const QString musr = f.TX_MUSR->text();

    // The T procedures give what is shown; the rectangular ones would not.
    ASSERT_TRUE(Calculos::Calcular_Caso_Flexion(1));
    EXPECT_NE(Uno(c.Mu_Capas(1, 1)), tabla[1][1]);
    EXPECT_NE(Uno(c.Mu_Sin_Refuerzo), musr);
    EXPECT_NE(c.Predeformacion, eps0);
    ASSERT_TRUE(Calculos::Calcular_Caso_Flexion(2));
    EXPECT_EQ(Uno(c.Mu_Sin_Refuerzo), musr);
    EXPECT_EQ(c.Predeformacion, eps0);
    EXPECT_EQ(f.TX_EPS0->text(), QLocale().toString(eps0 * 1000, 'f', 2));
    for (int n = 1; n <= 5; ++n)
        for (int j = 1; j <= 3; ++j) {
            const double mu = c.Mu_Capas(j, n);
            EXPECT_EQ(tabla[n][j], mu == -999.0 ? QString("---") : Uno(mu)) << j << "," << n;
        }

    // Md 0 is below the unstrengthened capacity: the green notice.
    EXPECT_TRUE(f.LB_INFO->shown());
    EXPECT_EQ(f.LB_INFO->text(), " NO ES NECESARIO REFORZAR LA SECCION ");
    EXPECT_EQ(f.LB_INFO->background(), QColor(0, 128, 0));
    EXPECT_EQ(f.LB_TIPO->text(), "Refuerzo tipo VORLANT 20 - Núm. capas:  1");
    EXPECT_EQ(f.TX_MU->text(), tabla[1][1]);
    for (QPushButton* b : {f.CM_ANCLAJE, f.CM_ARMADURA, f.CM_DEFORMACIONES, f.CM_CAPAS})
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_EQ(g->row(), 1);
    EXPECT_EQ(g->col(), 1);

    // The moments against layers are drawn in this window's picture area.
    EXPECT_TRUE(General_dibujo::Dibujo.Ver_Capas);
    EXPECT_GT(Pixeles_Dibujados(f), 300);

    // A pick shows that cell.
    g->setRow(3);
    g->setCol(2);
    EXPECT_EQ(f.LB_TIPO->text(), "Refuerzo tipo VORLANT 30 - Núm. capas:  3");
    EXPECT_EQ(f.TX_MU->text(), tabla[3][2]);
}

TEST_F(FlexionT, NoticeTurnsRedWhenNoLayerCountSuffices) {
    auto& f = Abrir();
    Escribir(Campo::Momento_Solicitante, "100000");
    Calcular();
    ASSERT_TRUE(General::Caso.Calculado);
    EXPECT_TRUE(f.LB_INFO->shown());
    EXPECT_EQ(f.LB_INFO->text(), " NO SE PUEDE REFORZAR LA SECCION ");
    EXPECT_EQ(f.LB_INFO->background(), QColor(255, 0, 0));
    EXPECT_EQ(f.FG_FLEXION->cellBackground(1, 1), QColor(255, 255, 255));
}

TEST_F(FlexionT, InitialStrainAbove2PerMilIsRefused) {
    auto& f = Abrir();
    Escribir(Campo::Momento_Actual, "400");
    Calcular();
    ASSERT_EQ(mensajes.fake.shown.size(), 1u);
    EXPECT_EQ(Ultimo_Mensaje(), "La predeformación de la estructura es superior al 2 por mil.");
    EXPECT_FALSE(f.FG_FLEXION->isVisible());
    EXPECT_FALSE(General::Caso.Calculado);
    EXPECT_FALSE(General::Caso.Rellenando_Tabla);
}

TEST_F(FlexionT, CalculationUsesAndStoresTheShownWebAndFlange) {
    auto& c = General::Caso;
    c.Ancho_Alma = 0.20049;  // shows 0,200
    c.Canto_Ala = 0.19962;   // shows 0,200
    auto& f = Abrir();
    EXPECT_EQ(f.TX_ANCHOALMA->text(), "0,200");
    EXPECT_EQ(f.TX_CANTOALA->text(), "0,200");
    Calcular();
    ASSERT_TRUE(c.Calculado);
    EXPECT_EQ(c.Ancho_Alma, 0.2);
    EXPECT_EQ(c.Canto_Ala, 0.2);
}

// Read back at the calculation, values the fields would refuse (they can
// only come from a file) stop it before anything is solved.
TEST_F(FlexionT, CalculationRefusesWhatTheFieldsWouldRefuse) {
    struct Caso {
        double General::Datos::*valor;
        double v;
        const char* mensaje;
        Campo foco;
    };
    const Caso casos[] = {
        {&General::Datos::Canto_Ala, 0.7,
         "El canto del ala no puede ser mayor que el canto de la sección.", Campo::Canto_Ala},
        // Wider than the web, though not than the flange.
        {&General::Datos::Ancho_Refuerzo, 0.33,
         "El ancho del refuerzo no puede ser mayor que el ancho del alma de la sección.",
         Campo::Ancho_Refuerzo},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.mensaje);
        SetUp();
        General::Caso.*caso.valor = caso.v;
        auto& f = Abrir();
        Calcular();
        EXPECT_EQ(Ultimo_Mensaje(), caso.mensaje);
        EXPECT_FALSE(General::Caso.Calculado);
        EXPECT_FALSE(General::Caso.Mu_Capas.Existe());
        EXPECT_EQ(QApplication::focusWidget(), f.Control(caso.foco));
        TearDown();
    }
}

// The result arrays are shared with the rectangular window: before its own
// first calculation the T window shows none of them on a pick.
TEST_F(FlexionT, PickBeforeItsFirstCalculationShowsNothing) {
    Caracteristicas::Poner_Defectos_Flexion();
    ASSERT_TRUE(Calculos::Calcular_Caso_Flexion(1));  // left by the rectangular window
    auto& f = Abrir();
    f.FG_FLEXION->setRow(1);
    f.FG_FLEXION->setCol(1);
    QTest::mouseClick(f.FG_FLEXION->viewport(), Qt::LeftButton, {},
                      f.FG_FLEXION->visualRect(f.FG_FLEXION->model()->index(1, 1)).center());
    EXPECT_TRUE(f.LB_TIPO->text().isEmpty());
    EXPECT_TRUE(f.TX_MU->text().isEmpty());
    EXPECT_FALSE(f.CM_DEFORMACIONES->isEnabled());
}
