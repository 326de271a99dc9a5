// The calculate command, the result grid and panel, the grid picks and the
// notice of FM_FLEXION.
#include "flexion_test_support.h"

#include "platform/Controls.h"

#include <cmath>
#include <functional>

using windows::flexion::Campo;

namespace {

const QColor kAmarillo(255, 255, 0);
const QColor kBlanco(255, 255, 255);

void Pulsar_Celda(platform::Grid* g, int fila, int col) {
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                      g->visualRect(g->model()->index(fila, col)).center());
}

}  // namespace

TEST_F(Flexion, DefaultCaseShowsTheGreenNoticeTheGridAndThePanel) {
    auto& f = Abrir();
    Calcular();
    const auto& c = General::Caso;
    EXPECT_TRUE(mensajes.fake.shown.empty()) << Ultimo_Mensaje();
    ASSERT_TRUE(c.Calculado);

    EXPECT_TRUE(f.LB_INFO->shown());
    EXPECT_EQ(f.LB_INFO->text(), " NO ES NECESARIO REFORZAR LA SECCION ");
    EXPECT_EQ(f.LB_INFO->background(), QColor(0, 128, 0));
    EXPECT_EQ(f.LB_INFO->foreground(), QColor(Qt::white));

    for (QPushButton* b : {f.CM_ANCLAJE, f.CM_ARMADURA, f.CM_DEFORMACIONES, f.CM_CAPAS})
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();

    // Grid: headers, values in "0.0", "---" for variant 3 from 3 layers.
    platform::Grid* g = f.FG_FLEXION;
    ASSERT_EQ(g->rows(), 6);
    ASSERT_EQ(g->cols(), 4);
    EXPECT_EQ(g->cellText(0, 0), "Nº capas");
    EXPECT_EQ(g->cellText(0, 3), "VORLANT MM");
    EXPECT_EQ(g->cellText(5, 0), "5");
    for (int n = 1; n <= 5; ++n) {
        for (int j = 1; j <= 3; ++j) {
            const double mu = c.Mu_Capas(j, n);
            if (j == 3 && n >= 3) {
                EXPECT_EQ(mu, -999.0) << n;
            }
            const QString esperado =
                mu == -999.0 ? QString("---") : QLocale().toString(mu, 'f', 1);
            EXPECT_EQ(g->cellText(n, j), esperado) << j << "," << n;
            EXPECT_EQ(g->cellBackground(n, j), mu == -999.0 ? kBlanco : kAmarillo);
        }
    }
    EXPECT_TRUE(g->isVisible());
    EXPECT_EQ(g->row(), 1);
    EXPECT_EQ(g->col(), 1);

    // Panel on variant 1 with one layer.
    EXPECT_EQ(f.LB_TIPO->text(), "Refuerzo tipo VORLANT 20 - Núm. capas:  1");
    EXPECT_EQ(f.TX_MU->text(), QLocale().toString(c.Mu_Capas(1, 1), 'f', 1));
    EXPECT_EQ(f.TX_MUSR->text(), QLocale().toString(c.Mu_Sin_Refuerzo, 'f', 1));
    EXPECT_EQ(f.TX_PIVOTE->text(), QString::fromStdString(c.Pivote(1, 1)));
    EXPECT_TRUE(f.TX_MU->font().bold());
    EXPECT_EQ(f.TX_MU->palette().color(QPalette::Base), platform::kReadOnlyBackground);

    // The diagram of moments against layers is on show.
    EXPECT_TRUE(General_dibujo::Dibujo.Ver_Capas);
    EXPECT_GT(General_dibujo::Dibujo.N_Linea, 0);
}

TEST_F(Flexion, CellColoursFollowTheDesignMomentEqualityIncluded) {
    auto& f = Abrir();
    Escribir(Campo::Momento_Solicitante, "150");
    Calcular();
    auto& c = General::Caso;
    ASSERT_TRUE(c.Calculado);
    for (int n = 1; n <= 5; ++n)
        for (int j = 1; j <= 3; ++j)
            EXPECT_EQ(f.FG_FLEXION->cellBackground(n, j),
                      c.Mu_Capas(j, n) >= 150.0 ? kAmarillo : kBlanco)
                << j << "," << n << " " << c.Mu_Capas(j, n);

    c.Momento_Solicitante = c.Mu_Capas(2, 2);  // exactly equal: yellow
    f.Llenar_Tabla();
    EXPECT_EQ(f.FG_FLEXION->cellBackground(2, 2), kAmarillo);
    c.Momento_Solicitante = std::nextafter(c.Mu_Capas(2, 2), 1e9);
    f.Llenar_Tabla();
    EXPECT_EQ(f.FG_FLEXION->cellBackground(2, 2), kBlanco);
}

TEST_F(Flexion, NoticeByDesignMoment) {
    struct Caso {
        const char* md;
        bool visible;
        const char* texto;
        QColor fondo;
    };
    auto& f = Abrir();
    Calcular();
    const double musr = General::Caso.Mu_Sin_Refuerzo;
    const double mumax = General::Caso.Mu_Max;
    ASSERT_LT(musr + 1, mumax);
    const QString medio = QString::number((musr + mumax) / 2, 'f', 2);
    const QString grande = QString::number(mumax + 10, 'f', 2);
    const std::pair<QString, Caso> casos[] = {
        {"0", {"", true, " NO ES NECESARIO REFORZAR LA SECCION ", QColor(0, 128, 0)}},
        {medio, {"", false, "", QColor()}},
        {grande, {"", true, " NO SE PUEDE REFORZAR LA SECCION ", QColor(255, 0, 0)}},
    };
    for (const auto& [md, caso] : casos) {
        Escribir(Campo::Momento_Solicitante, md);
        Calcular();
        EXPECT_EQ(f.LB_INFO->shown(), caso.visible) << md.toStdString();
        if (caso.visible) {
            EXPECT_EQ(f.LB_INFO->text(), caso.texto);
            EXPECT_EQ(f.LB_INFO->background(), caso.fondo);
        }
    }
}

TEST_F(Flexion, PickedCellFillsPanelAndCaption) {
    auto& f = Abrir();
    Calcular();
    const auto& c = General::Caso;

    Pulsar_Celda(f.FG_FLEXION, 5, 3);  // a "---" cell
    const QString caption = f.LB_TIPO->text();
    EXPECT_EQ(caption, "Refuerzo tipo VORLANT MM - Núm. capas:  5");
    ASSERT_EQ(caption.size(), 41);
    EXPECT_EQ(caption.mid(22, 2), "MM");
    EXPECT_EQ(caption[40], QChar('5'));
    EXPECT_EQ(f.TX_MUSR->text(), QLocale().toString(c.Mu_Sin_Refuerzo, 'f', 1));
    EXPECT_EQ(f.TX_EPS0->text(), QLocale().toString(c.Predeformacion * 1000, 'f', 2));
    for (auto* b : {f.TX_MRB, f.TX_MLIMCR, f.TX_PIVOTE, f.TX_FN, f.TX_EPSC, f.TX_EPSSI,
                    f.TX_EPSSS, f.TX_EPSR, f.TX_MU})
        EXPECT_EQ(b->text(), "---") << b->objectName().toStdString();
    EXPECT_FALSE(f.CM_DEFORMACIONES->isEnabled());

    Pulsar_Celda(f.FG_FLEXION, 2, 1);
    EXPECT_EQ(f.LB_TIPO->text(), "Refuerzo tipo VORLANT 20 - Núm. capas:  2");
    EXPECT_EQ(f.TX_MU->text(), QLocale().toString(c.Mu_Capas(1, 2), 'f', 1));
    EXPECT_EQ(f.TX_FN->text(), QLocale().toString(c.Fibra_Neutra(1, 2), 'f', 3));
    EXPECT_EQ(f.TX_EPSSS->text(),
              QLocale().toString(std::fabs(c.Def_Armadura_Sup(1, 2)) * 1000, 'f', 2));
    EXPECT_EQ(f.TX_EPSR->text(), QLocale().toString(c.Def_Refuerzo(1, 2) * 1000, 'f', 2));
    EXPECT_TRUE(f.CM_DEFORMACIONES->isEnabled());

    // The keyboard moves the panel like a click.
    f.FG_FLEXION->setFocus();
    QTest::keyClick(f.FG_FLEXION, Qt::Key_Right);
    EXPECT_EQ(f.LB_TIPO->text(), "Refuerzo tipo VORLANT 30 - Núm. capas:  2");
}

TEST_F(Flexion, InitialStrainAbove2PerMilIsRefusedAndTheGridComesBack) {
    auto& f = Abrir();
    Calcular();
    ASSERT_TRUE(f.FG_FLEXION->isVisible());
    const QString panel = f.TX_MU->text();

    Escribir(Campo::Momento_Actual, "400");
    Calcular();
    ASSERT_EQ(mensajes.fake.shown.size(), 1u);
    EXPECT_EQ(Ultimo_Mensaje(), "La predeformación de la estructura es superior al 2 por mil.");
    EXPECT_EQ(mensajes.fake.shown.back().icon, platform::Icon::Critical);
    const auto& c = General::Caso;
    EXPECT_GT(c.Predeformacion, 0.002);
    EXPECT_FALSE(f.FG_FLEXION->isVisible());
    EXPECT_FALSE(c.Rellenando_Tabla);
    EXPECT_FALSE(c.Calculado);
    EXPECT_EQ(c.Mu_Capas(1, 1), 0.0);  // arrays recreated, zero-filled
    EXPECT_EQ(f.TX_MU->text(), panel);  // the panel still shows the last case
    EXPECT_FALSE(f.CM_CAPAS->isEnabled());

    Escribir(Campo::Momento_Actual, "0");
    Calcular();
    EXPECT_TRUE(mensajes.fake.shown.empty()) << Ultimo_Mensaje();
    EXPECT_TRUE(f.FG_FLEXION->isVisible());
    EXPECT_TRUE(c.Calculado);
}

TEST_F(Flexion, CalculationUsesTheValuesAsShown) {
    General::Caso.Ancho = 0.40049;  // shows 0,400
    General::Caso.Fck = 27.4;       // appended as the entry 27
    auto& f = Abrir();
    EXPECT_EQ(f.CO_FCK->count(), 7);
    EXPECT_EQ(f.CO_FCK->entry(6), "27");
    EXPECT_EQ(f.CO_FCK->selectedIndex(), 6);
    Calcular();
    EXPECT_EQ(General::Caso.Ancho, 0.4);
    EXPECT_EQ(General::Caso.Fck, 27.0);
}

// The calculation tests the values it reads back as the fields would: a
// stored value that shows as "0,000" (from a file) never reaches the solver.
TEST_F(Flexion, CalculationRefusesWhatTheFieldsWouldRefuse) {
    struct Caso {
        const char* nombre;
        std::function<void()> antes;           // on the case data, before opening
        std::function<void(Flexion&)> despues;  // on the open window
        Campo campo;
        const char* mensaje;
    };
    const auto nada = [](Flexion&) {};
    const Caso casos[] = {
        {"ancho de fichero 0,000", [] { General::Caso.Ancho = 0.0004; }, nada, Campo::Ancho,
         "El ancho de la sección debe ser un número mayor que cero."},
        {"armadura de fichero 0,00", [] { General::Caso.Armadura_Inf = 0.004; }, nada,
         Campo::Armadura_Inf, "La armadura inferior de la sección debe ser mayor que cero."},
        {"recubrimiento mayor que medio canto tras reducir el canto", [] {},
         [](Flexion& t) {
             t.Escribir(Campo::Recubrimiento, "0,25");
             t.Escribir(Campo::Canto, "0,4");
         },
         Campo::Recubrimiento,
         "El recubrimiento de la sección debe ser menor que la mitad del canto."},
        {"refuerzo más ancho tras el aviso del ancho", [] {},
         [](Flexion& t) { t.Escribir(Campo::Ancho, "0,1"); },  // CO_ANCHOR keeps 0,125
         Campo::Ancho_Refuerzo,
         "El ancho del refuerzo a disponer en la sección debe ser menor que el ancho de la "
         "sección."},
        {"campo rechazado que no es un número", [] {},
         [](Flexion& t) { t.Escribir(Campo::Momento_Solicitante, "abc"); },
         Campo::Momento_Solicitante, "El momento de cálculo debe ser un número."},
        // Field by field in focus order: the first field's own test comes
        // before a later field's number test.
        {"ancho 0,000 antes que un momento que no es un número",
         [] { General::Caso.Ancho = 0.0004; },
         [](Flexion& t) { t.w->TX_MD->setText("abc"); }, Campo::Ancho,
         "El ancho de la sección debe ser un número mayor que cero."},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        SetUp();
        caso.antes();
        Abrir();
        caso.despues(*this);
        platform::settle();
        mensajes.fake.clear();
        w->CM_CALCULAR_Click();  // the command itself, no field left first
        platform::settle();
        ASSERT_EQ(mensajes.fake.shown.size(), 1u);
        EXPECT_EQ(Ultimo_Mensaje(), caso.mensaje);
        EXPECT_EQ(mensajes.fake.shown[0].icon, platform::Icon::Critical);
        EXPECT_FALSE(General::Caso.Mu_Capas.Existe());  // nothing solved
        EXPECT_FALSE(General::Caso.Calculado);
        EXPECT_EQ(QApplication::focusWidget(), w->Control(caso.campo));
    }
}

TEST_F(Flexion, PickBeforeAnyCalculationAndAfterAnEditKeepsStrainButtonOff) {
    auto& f = Abrir();
    Pulsar_Celda(f.FG_FLEXION, 1, 1);  // empty grid: nothing to show, no failure
    EXPECT_TRUE(f.LB_TIPO->text().isEmpty());
    EXPECT_FALSE(f.CM_DEFORMACIONES->isEnabled());

    Calcular();
    Escribir(Campo::Momento_Solicitante, "10");  // results now stale
    ASSERT_FALSE(General::Caso.Calculado);
    ASSERT_FALSE(f.CM_DEFORMACIONES->isEnabled());
    Pulsar_Celda(f.FG_FLEXION, 2, 1);
    EXPECT_EQ(f.LB_TIPO->text(), "Refuerzo tipo VORLANT 20 - Núm. capas:  2");
    EXPECT_FALSE(f.CM_DEFORMACIONES->isEnabled());
}

TEST_F(Flexion, CapasAndSeccionButtonsDraw) {
    auto& f = Abrir();
    f.CM_SECCION->click();  // needs no calculation
    EXPECT_TRUE(General_dibujo::Dibujo.Ver_Seccion);
    EXPECT_EQ(General_dibujo::Dibujo.Lista_Elementos.Num_Elementos(), 20);
    Calcular();
    f.CM_SECCION->click();
    EXPECT_TRUE(General_dibujo::Dibujo.Ver_Seccion);
    f.CM_CAPAS->click();
    EXPECT_TRUE(General_dibujo::Dibujo.Ver_Capas);
    EXPECT_FALSE(General_dibujo::Dibujo.Ver_Seccion);
}

TEST_F(Flexion, ExtremeAcceptedValuesCalculateOrAreRefusedWithAMessage) {
    const std::pair<Campo, const char*> casos[] = {
        {Campo::Ancho, "1e300"},        {Campo::Canto, "1e300"},
        {Campo::Armadura_Inf, "1e300"}, {Campo::Armadura_Sup, "1e300"},
        {Campo::Momento_Actual, "1e300"}, {Campo::Momento_Solicitante, "1e300"},
    };
    for (const auto& [campo, texto] : casos) {
        SCOPED_TRACE(windows::flexion::Buscar(1, campo)->control);
        SetUp();
        auto& f = Abrir();
        Escribir(campo, texto);
        Calcular();
        EXPECT_TRUE(General::Caso.Calculado || !mensajes.fake.shown.empty());
        EXPECT_FALSE(General::Caso.Rellenando_Tabla);
        // A calculation shown as done shows a number in every result box.
        if (General::Caso.Calculado) {
            for (platform::ReadOnlyBox* b : {f.TX_MUSR, f.TX_EPS0, f.TX_MU}) {
                EXPECT_FALSE(b->text().isEmpty()) << b->objectName().toStdString();
            }
        }
    }
}
