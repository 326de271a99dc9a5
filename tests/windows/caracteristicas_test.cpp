// The characteristics window: boxes and grid per variant against the
// engine, option change, menu states, close; and its diagram.
#include "flexion_test_support.h"

#include "drawing/screen/PictureArea.h"
#include "engine/Calculos.h"
#include "windows/FM_CARAC.h"

#include <QGroupBox>
#include <QRadioButton>

using windows::FrameEntry;

namespace {

class Carac : public Flexion {
public:
    FM_CARAC& AbrirCarac() {
        carac = std::make_unique<FM_CARAC>(frame);
        return Mostrar(*carac);
    }
    void TearDown() override {
        carac.reset();
        Flexion::TearDown();
    }
    static QString N(double v, const char* patron) { return platform::formatNumber(v, patron); }

    // The window shows variant j: its data, and the engine's Km, design
    // strain and stress for every layer count.
    void Esperar_Variante(const FM_CARAC& f, int j) {
        SCOPED_TRACE("variant " + std::to_string(j));
        const auto c = General::Caso;  // the engine writes the shared case: restored below
        Caracteristicas::Cargar_Refuerzo(j);
        Calculos::Calcular_Km();
        const auto& e = General::Caso;
        EXPECT_EQ(f.TX_ESPESOR->text(), N(e.Espesor_Refuerzo, "0.000"));
        EXPECT_EQ(f.TX_E->text(), N(e.Modulo_Refuerzo, "0"));
        EXPECT_EQ(f.TX_EPSU->text(), N(e.Def_Ultima_Refuerzo * 1000, "0.00"));
        ASSERT_EQ(f.FG_EPSD->rows(), 6);
        ASSERT_EQ(f.FG_EPSD->cols(), 4);
        for (int n = 1; n <= 5; ++n) {
            EXPECT_EQ(f.FG_EPSD->cellText(n, 0), QString::number(n));
            EXPECT_EQ(f.FG_EPSD->cellText(n, 1), N(e.Km(n), "0.000"));
            EXPECT_EQ(f.FG_EPSD->cellText(n, 2), N(e.Def_Calculo_Refuerzo(n) * 1000, "0.00"));
            EXPECT_EQ(f.FG_EPSD->cellText(n, 3),
                      N(e.Modulo_Refuerzo * e.Def_Calculo_Refuerzo(n), "0.0"));
        }
        General::Caso = c;
    }
    const General_dibujo::Lista& lista() const { return General_dibujo::Dibujo.Lista_Elementos; }

    std::unique_ptr<FM_CARAC> carac;
};

TEST_F(Carac, EachVariantShowsItsDataAndDesignValues) {
    auto& f = AbrirCarac();
    EXPECT_TRUE(General::Caso.Carac_Abierto);
    EXPECT_EQ(f.windowTitle(), "Características mecánicas del refuerzo");
    EXPECT_TRUE(f.OP_V20->isChecked());
    EXPECT_EQ(f.FG_EPSD->cellText(0, 0), "Capas");
    EXPECT_EQ(f.FG_EPSD->cellText(0, 1), "Km");
    EXPECT_EQ(f.FG_EPSD->cellText(0, 2), "Def. cálculo");
    EXPECT_EQ(f.FG_EPSD->cellText(0, 3), "FR (N/mm²)");
    EXPECT_EQ(f.FG_EPSD->row(), 5);
    EXPECT_EQ(f.FG_EPSD->col(), 3);

    struct Fila {
        QRadioButton* op;
        int j;
        const char *t, *E, *eu;
    };
    const Fila filas[] = {
        {f.OP_V30, 2, "0,167", "230000", "15,00"},
        {f.OP_VMM, 3, "0,163", "440000", "5,50"},
        {f.OP_V20, 1, "0,111", "230000", "15,00"},
    };
    Esperar_Variante(f, 1);
    for (const Fila& r : filas) {
        r.op->click();
        EXPECT_EQ(f.Variante(), r.j);
        EXPECT_EQ(f.TX_ESPESOR->text(), r.t);
        EXPECT_EQ(f.TX_E->text(), r.E);
        EXPECT_EQ(f.TX_EPSU->text(), r.eu);
        Esperar_Variante(f, r.j);
        // The current variant stays the one on show, and the diagram is its own.
        EXPECT_EQ(General::Caso.Espesor_Refuerzo, General::Caso.Datos_Refuerzo(r.j, 1));
        EXPECT_EQ(lista().Num_Elementos(), 41);
        EXPECT_EQ(lista().Textos(3 + r.j), General::Caso.Nombre_Refuerzo(r.j));
    }
    // Km capped for one layer of variants 1 and 2, below the cap for MM;
    // every column falls from row to row.
    f.OP_V30->click();
    EXPECT_EQ(f.FG_EPSD->cellText(1, 1), "0,900");
    f.OP_VMM->click();
    EXPECT_LT(platform::readShown(f.FG_EPSD->cellText(1, 1)), 0.9);
    for (int k = 1; k <= 3; ++k)
        for (int n = 2; n <= 5; ++n)
            EXPECT_LT(platform::readShown(f.FG_EPSD->cellText(n, k)),
                      platform::readShown(f.FG_EPSD->cellText(n - 1, k)));

    // A product coefficient changed meanwhile shows at the next fill.
    General::Caso.Gamma_Refuerzo = 2.8;
    f.OP_V20->click();
    EXPECT_EQ(f.FG_EPSD->cellText(1, 1), "0,900");
    EXPECT_EQ(f.FG_EPSD->cellText(1, 2), N(0.015 / 2.8 * 0.9 * 1000, "0.00"));
}

// Only the legend symbols are bold, also inside a child frame whose title
// font is bold.
TEST_F(Carac, ControlsAreRegularInsideABoldFrame) {
    QWidget marco;
    QFont negrita = marco.font();
    negrita.setBold(true);
    marco.setFont(negrita);
    auto& f = AbrirCarac();
    f.setParent(&marco);
    QWidget* controles[] = {f.OP_V20, f.TX_ESPESOR, f.FG_EPSD, f.FR_VORLANT};
    for (QWidget* w : controles)
        EXPECT_FALSE(w->font().bold()) << w->objectName().toStdString();
    f.setParent(nullptr);
}

TEST_F(Carac, ArrowKeysChangeTheVariant) {
    auto& f = AbrirCarac();
    f.OP_V20->setFocus();
    QTest::keyClick(f.OP_V20, Qt::Key_Right);
    EXPECT_TRUE(f.OP_V30->isChecked());
    EXPECT_EQ(f.TX_ESPESOR->text(), "0,167");
    EXPECT_EQ(lista().Textos(5), "VORLANT 30");
    QTest::keyClick(f.OP_V30, Qt::Key_Right);
    EXPECT_TRUE(f.OP_VMM->isChecked());
    EXPECT_EQ(f.TX_E->text(), "440000");
    EXPECT_EQ(lista().Textos(6), "VORLANT MM");
    Esperar_Variante(f, 3);
}

TEST_F(Carac, MenuStatesOnActivationAndAfterTheClose) {
    frame.entradas[FrameEntry::BotonGuardar] = true;  // left as it was
    auto& f = AbrirCarac();
    EXPECT_FALSE(frame.entradas.at(FrameEntry::Guardar));
    EXPECT_FALSE(frame.entradas.at(FrameEntry::GuardarComo));
    EXPECT_TRUE(frame.entradas.at(FrameEntry::Imprimir));
    EXPECT_TRUE(frame.entradas.at(FrameEntry::BotonImprimir));
    EXPECT_TRUE(frame.entradas.at(FrameEntry::BotonGuardar));

    auto& c = General::Caso;
    c.Calculado = true;
    c.Modificado = true;
    ASSERT_GT(General_dibujo::Dibujo.N_Linea, 0);
    EXPECT_TRUE(f.Form_Unload());
    EXPECT_TRUE(mensajes.fake.shown.empty());
    EXPECT_FALSE(c.Carac_Abierto);
    EXPECT_TRUE(c.Calculado);  // the design cases' results are not this window's
    EXPECT_TRUE(frame.Todas(false));
    const auto& d = General_dibujo::Dibujo;
    EXPECT_EQ(d.N_Linea + d.N_Tit + d.N_Punto + d.N_Barra + d.N_Sec_rect + d.N_Sec_cir, 0);
}

}  // namespace
