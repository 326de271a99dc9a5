// What the flexure window accepts stays accepted, what it cannot calculate
// is said, and what it shows can be read: shown values against other fields,
// sections without finite results, other decimal signs, the result buttons
// after a refusal, long numbers, the result boxes and the grid's current cell.
#include "flexion_test_support.h"

#include <QClipboard>
#include <QGroupBox>
#include <QImage>
#include <QLabel>

using windows::flexion::Campo;

namespace {

constexpr const char* kNoCalculable =
    "Los valores de la sección no se pueden calcular: revise sus dimensiones.";

void Pulsar_Celda(platform::Grid* g, int fila, int col) {
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                      g->visualRect(g->model()->index(fila, col)).center());
}

std::vector<QPushButton*> Botones(FM_FLEXION& f) {
    return {f.CM_ANCLAJE, f.CM_ARMADURA, f.CM_DEFORMACIONES, f.CM_CAPAS};
}

}  // namespace

// Each field compares with the other as both are shown, so the fields it
// accepts one by one are accepted together by the save and the calculation.
TEST_F(Flexion, FieldsAcceptedOneByOneStayAcceptedTogether) {
    struct Caso {
        Campo primero;
        const char* texto1;
        Campo segundo;
        const char* texto2;
        bool aceptado;  // the second field
    };
    const Caso casos[] = {
        // 0,6011 shows 0,601; 0,3005 shows 0,301, more than half of 0,601.
        {Campo::Canto, "0,6011", Campo::Recubrimiento, "0,3005", false},
        {Campo::Canto, "0,6011", Campo::Recubrimiento, "0,3004", true},
        {Campo::Canto, "0,6014", Campo::Recubrimiento, "0,3006", false},
        // Both widths show 0,400: the sheet is not wider than the section.
        {Campo::Ancho, "0,4001", Campo::Ancho_Refuerzo, "0,4004", true},
        {Campo::Ancho, "0,4004", Campo::Ancho_Refuerzo, "0,4006", false},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(std::string(k.texto1) + " / " + k.texto2);
        SetUp();
        Abrir();
        Escribir(k.primero, k.texto1);
        mensajes.fake.clear();
        Escribir(k.segundo, k.texto2);
        EXPECT_EQ(mensajes.fake.shown.empty(), k.aceptado) << Ultimo_Mensaje();
        if (!k.aceptado) continue;
        EXPECT_TRUE(w->Recoger_Datos());
        Calcular();
        EXPECT_TRUE(mensajes.fake.shown.empty()) << Ultimo_Mensaje();
        EXPECT_TRUE(General::Caso.Calculado);
    }
}

TEST_F(Flexion, SectionWithoutFiniteResultsIsRefusedWithItsOwnMessage) {
    for (Campo campo : {Campo::Canto, Campo::Ancho}) {
        SCOPED_TRACE(windows::flexion::Buscar(1, campo)->control);
        SetUp();
        auto& f = Abrir();
        Escribir(campo, "1e308");
        // The field shows its value, from its first digit.
        EXPECT_TRUE(Texto(campo).startsWith("1000000000"));
        EXPECT_EQ(qobject_cast<QLineEdit*>(f.Control(campo))->cursorPosition(), 0);
        Calcular();
        ASSERT_EQ(mensajes.fake.shown.size(), 1u);
        EXPECT_EQ(mensajes.fake.shown[0].text, kNoCalculable);
        EXPECT_EQ(mensajes.fake.shown[0].icon, platform::Icon::Critical);
        const auto& c = General::Caso;
        EXPECT_FALSE(c.Calculado);
        EXPECT_FALSE(c.Rellenando_Tabla);
        EXPECT_FALSE(f.LB_INFO->shown());
        EXPECT_FALSE(f.FG_FLEXION->isVisible());
        EXPECT_TRUE(f.TX_MUSR->text().isEmpty());  // nothing was shown
        for (QPushButton* b : Botones(f)) EXPECT_FALSE(b->isEnabled());
    }
}

// A locale that writes another decimal sign: the fields still show numbers
// the program reads, so the case calculates and saves.
TEST_F(Flexion, LocaleWithAnotherDecimalSignStillCalculatesAndSaves) {
    const QLocale otro(QLocale::Arabic, QLocale::Egypt);
    ASSERT_NE(otro.decimalPoint(), ",");
    ASSERT_NE(otro.decimalPoint(), ".");
    QLocale::setDefault(otro);
    auto& f = Abrir();
    EXPECT_EQ(Texto(Campo::Ancho), "0,400");
    EXPECT_EQ(f.CO_FCK->count(), 6);  // the stored 25 is found in the list
    Escribir(Campo::Canto, "0.65");
    EXPECT_TRUE(mensajes.fake.shown.empty()) << Ultimo_Mensaje();
    EXPECT_EQ(Texto(Campo::Canto), "0,650");
    EXPECT_TRUE(w->Recoger_Datos());
    Calcular();
    EXPECT_TRUE(mensajes.fake.shown.empty()) << Ultimo_Mensaje();
    EXPECT_TRUE(General::Caso.Calculado);
    EXPECT_EQ(General::Caso.Canto, 0.65);
}

TEST_F(Flexion, RefusedFieldDisablesTheResultButtonsUntilTheNextCalculation) {
    auto& f = Abrir();
    Calcular();
    ASSERT_TRUE(General::Caso.Calculado);
    Pulsar_Celda(f.FG_FLEXION, 5, 3);  // a "---" cell: no strain diagram
    EXPECT_FALSE(f.CM_DEFORMACIONES->isEnabled());

    Escribir(Campo::Ancho, "abc");
    EXPECT_FALSE(General::Caso.Calculado);
    for (QPushButton* b : Botones(f)) EXPECT_FALSE(b->isEnabled());
    // A pick of a valid cell keeps them as Calculado says.
    w->TX_ANCHO->setText("0,4");
    Pulsar_Celda(f.FG_FLEXION, 1, 1);
    for (QPushButton* b : Botones(f)) EXPECT_FALSE(b->isEnabled());

    Calcular();
    ASSERT_TRUE(General::Caso.Calculado);
    for (QPushButton* b : Botones(f)) EXPECT_TRUE(b->isEnabled());
}

TEST_F(Flexion, ResultBoxesCopyAndTheCurrentCellIsFramed) {
    auto& f = Abrir();
    Escribir(Campo::Momento_Solicitante, "150");
    Calcular();
    ASSERT_TRUE(General::Caso.Calculado);

    // A result box takes the focus on a click and its text copies.
    QTest::mouseClick(f.TX_MU, Qt::LeftButton);
    EXPECT_TRUE(f.TX_MU->hasFocus());
    EXPECT_TRUE(f.TX_MU->isReadOnly());
    f.TX_MU->selectAll();
    QTest::keyClick(f.TX_MU, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), f.TX_MU->text());
    EXPECT_FALSE(f.TX_MU->text().isEmpty());

    // The current cell carries a black frame, whether the grid has the focus
    // or not; the others do not.
    for (bool foco : {true, false}) {
        SCOPED_TRACE(foco);
        if (foco)
            f.FG_FLEXION->setFocus();
        else
            f.TX_MU->setFocus();
        QCoreApplication::processEvents();
        const QImage img = f.FG_FLEXION->viewport()->grab().toImage();
        auto borde = [&](int fila, int col) {
            const QRect r = f.FG_FLEXION->visualRect(f.FG_FLEXION->model()->index(fila, col));
            return img.pixelColor(r.left() + 1, r.center().y());
        };
        EXPECT_EQ(borde(1, 1), QColor(Qt::black));
        EXPECT_NE(borde(2, 2), QColor(Qt::black));
        EXPECT_NE(borde(1, 2), QColor(Qt::black));
    }
}

TEST_F(Flexion, UnitLabelsLeaveTheGammaButtonsFree) {
    auto& f = Abrir();
    int unidades = 0;
    for (QLabel* l : f.FR_DATOS->findChildren<QLabel*>()) {
        for (QPushButton* g : {f.CM_GAMMA1, f.CM_GAMMA2})
            EXPECT_FALSE(l->geometry().intersects(g->geometry())) << l->text().toStdString();
        if (l->text() == QString::fromUtf8("N/mm²")) ++unidades;
    }
    EXPECT_EQ(unidades, 2);
}
