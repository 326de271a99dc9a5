// Validation of the fields of FM_FLEXIONT: the web width and the flange
// depth, and the rules in which the T window differs from the rectangular one.
#include "flexiont_test_support.h"

#include "windows/ReglasFlexion.h"

#include <optional>

using windows::flexion::Campo;

namespace {

using Caso = Caso_Campo;
using Fin = Caso_Campo::Fin;

const char* const kAlma0 = "El ancho del alma de la sección debe ser un número mayor que cero.";
const char* const kAla0 = "El canto del ala de la sección debe ser un número mayor que cero.";
const char* const kAlaCanto = "El canto del ala no puede ser mayor que el canto de la sección.";
const char* const kAvisoAlma =
    "El ancho del refuerzo no puede ser mayor que el ancho del alma de la sección.";

// Default case: flange 0.4 × depth 0.6, web 0.2, flange depth 0.2, sheet 0.125.
const Caso kCasos[] = {
    {Campo::Ancho_Alma, "", Fin::Rechazo, "Debe darse el ancho del alma de la sección.", 0.2,
     nullptr},
    {Campo::Ancho_Alma, "0.2x", Fin::Rechazo, "El ancho del alma de la sección debe ser un número.",
     0.2, nullptr},
    {Campo::Ancho_Alma, "0,009", Fin::Rechazo, kAlma0, 0.2, nullptr},
    {Campo::Ancho_Alma, "0,125", Fin::Acepta, nullptr, 0.125, "0,125"},  // equal to the sheet
    {Campo::Ancho_Alma, "-0,35", Fin::Acepta, nullptr, 0.35, "0,350"},
    {Campo::Ancho_Alma, "0,01", Fin::Aviso, kAvisoAlma, 0.01, "0,010", Campo::Ancho_Refuerzo},
    {Campo::Canto_Ala, "", Fin::Rechazo, "Debe darse el canto del ala de la sección.", 0.2,
     nullptr},
    {Campo::Canto_Ala, "ala", Fin::Rechazo, "El canto del ala de la sección debe ser un número.",
     0.2, nullptr},
    {Campo::Canto_Ala, "0,009", Fin::Rechazo, kAla0, 0.2, nullptr},
    {Campo::Canto_Ala, "0,01", Fin::Acepta, nullptr, 0.01, "0,010"},
    {Campo::Canto_Ala, "0,6", Fin::Acepta, nullptr, 0.6, "0,600"},  // equal to the depth
    {Campo::Canto_Ala, "0,61", Fin::Rechazo, kAlaCanto, 0.2, nullptr},
    // The flange width has no warning against the sheet width.
    {Campo::Ancho, "0,1", Fin::Acepta, nullptr, 0.1, "0,100"},
    // The depth warns against the flange depth.
    {Campo::Canto, "0,2", Fin::Acepta, nullptr, 0.2, "0,200"},
    {Campo::Canto, "0,15", Fin::Aviso, kAlaCanto, 0.15, "0,150", Campo::Canto_Ala},
    // The sheet width is measured against the web; a wider one stores the web width.
    {Campo::Ancho_Refuerzo, "0,2", Fin::Acepta, nullptr, 0.2, "0,200"},
    {Campo::Ancho_Refuerzo, "0,2004", Fin::Acepta, nullptr, 0.2004, "0,200"},  // as shown
    {Campo::Ancho_Refuerzo, "0,3", Fin::Rechazo, kAvisoAlma, 0.2, nullptr},
};

}  // namespace

TEST_F(FlexionT, FieldsRefuseAcceptOrWarnByTheirRules) {
    for (const Caso& caso : kCasos) ASSERT_NO_FATAL_FAILURE(Probar_Campo(2, caso));
}

TEST_F(FlexionT, WebWidthRewritesTheSheetWidthListUnlessWarned) {
    General::Caso.Ancho_Refuerzo = 0.2;
    auto& f = Abrir();
    ASSERT_EQ(f.CO_ANCHOR->count(), 6);
    EXPECT_EQ(f.CO_ANCHOR->text(), "0,200");

    f.CO_ANCHOR->setEntry(0, "9");
    Escribir(Campo::Ancho_Alma, "0,1");  // narrower than the sheet: warned
    EXPECT_EQ(f.CO_ANCHOR->entry(0), "9");
    EXPECT_EQ(QApplication::focusWidget(), f.CO_ANCHOR);
    EXPECT_EQ(f.CO_ANCHOR->lineEdit()->selectedText(), "0,200");

    Escribir(Campo::Ancho_Alma, "0,25");
    const char* esperado[] = {"0,125", "0,165", "0,250", "0,330", "0,500", "0,200"};
    ASSERT_EQ(f.CO_ANCHOR->count(), 6);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(f.CO_ANCHOR->entry(i), esperado[i]) << i;
    EXPECT_EQ(f.CO_ANCHOR->text(), "0,200");
    EXPECT_EQ(General::Caso.Ancho_Refuerzo, 0.2);

    // The flange width rewrites it too, though it has no warning.
    f.CO_ANCHOR->setEntry(1, "9");
    Escribir(Campo::Ancho, "0,15");
    EXPECT_EQ(mensajes.fake.shown.size(), 1u);  // only the earlier warning
    EXPECT_EQ(f.CO_ANCHOR->entry(1), "0,165");
}

TEST_F(FlexionT, TabLeadsThroughBothFieldsOfEachRowAndLeavesThem) {
    auto& f = Abrir();
    const QWidget* orden[] = {f.TX_ANCHO,  f.TX_ANCHOALMA, f.TX_CANTO, f.TX_CANTOALA,
                              f.TX_RECUB,  f.TX_ASI,       f.TX_ASS,  f.CO_FCK,
                              f.CM_GAMMA1, f.CO_FYK,       f.CM_GAMMA2, f.CO_ANCHOR,
                              f.TX_MCP,    f.TX_MD};
    f.TX_ANCHO->setFocus();
    platform::settle();
    for (std::size_t i = 0; i + 1 < std::size(orden); ++i) {
        QWidget* actual = QApplication::focusWidget();
        ASSERT_TRUE(actual);
        const QWidget* propio = qobject_cast<platform::Combo*>(actual->parentWidget())
                                   ? actual->parentWidget()
                                   : actual;
        ASSERT_EQ(propio, orden[i]) << i;
        QTest::keyClick(actual, Qt::Key_Tab);
        platform::settle();
    }
    EXPECT_TRUE(mensajes.fake.shown.empty()) << Ultimo_Mensaje();

    // A Tab from an unacceptable web width is a leave: refused, focus kept.
    f.TX_ANCHOALMA->setFocus();
    platform::settle();
    f.TX_ANCHOALMA->setText("0,005");
    QTest::keyClick(f.TX_ANCHOALMA, Qt::Key_Tab);
    platform::settle();
    EXPECT_EQ(Ultimo_Mensaje(), kAlma0);
    EXPECT_EQ(QApplication::focusWidget(), f.TX_ANCHOALMA);
    EXPECT_EQ(General::Caso.Ancho_Alma, 0.2);
    // And from a flange depth deeper than the section.
    f.TX_ANCHOALMA->setText("0,2");
    f.TX_CANTOALA->setFocus();
    platform::settle();
    mensajes.fake.clear();
    f.TX_CANTOALA->setText("0,7");
    QTest::keyClick(f.TX_CANTOALA, Qt::Key_Tab);
    platform::settle();
    EXPECT_EQ(Ultimo_Mensaje(), kAlaCanto);
    EXPECT_EQ(QApplication::focusWidget(), f.TX_CANTOALA);
}

TEST_F(FlexionT, SecondFieldsStandOnTheRowsOfTheirPartners) {
    auto& f = Abrir();
    EXPECT_EQ(f.TX_ANCHOALMA->y(), f.TX_ANCHO->y());
    EXPECT_EQ(f.TX_CANTOALA->y(), f.TX_CANTO->y());
    EXPECT_GT(f.TX_ANCHOALMA->x(), f.TX_ANCHO->geometry().right());
    EXPECT_GT(f.TX_CANTOALA->x(), f.TX_CANTO->geometry().right());
    using platform::twips;
    EXPECT_EQ(f.TX_ANCHOALMA->geometry(), QRect(twips(2400), twips(480), twips(615), twips(285)));
    EXPECT_EQ(f.TX_CANTOALA->geometry(), QRect(twips(2400), twips(840), twips(615), twips(285)));
    EXPECT_EQ(f.TX_ANCHOALMA->objectName(), "TX_ANCHOALMA");
    EXPECT_EQ(f.TX_CANTOALA->objectName(), "TX_CANTOALA");
}
