// Load and close of FM_FLEXIONT: its own open flag and caption, the two
// extra fields, the T collector and the data file of kind 2.
#include "flexiont_test_support.h"

#include <QFile>
#include <QTemporaryDir>

using windows::flexion::Campo;

TEST_F(FlexionT, LoadSetsItsOwnFlagAndFillsTheTwelveFields) {
    auto& c = General::Caso;
    c.Ancho_Alma = 0.25;
    c.Canto_Ala = 0.15;
    auto& f = Abrir();
    EXPECT_TRUE(c.FlexionT_Abierto);
    EXPECT_FALSE(c.Flexion_Abierto);
    EXPECT_EQ(f.kind(), windows::DesignKind::FlexionT);
    EXPECT_EQ(f.objectName(), "FM_FLEXIONT");
    EXPECT_EQ(f.windowTitle(), "Cálculo del refuerzo a flexión en secciones T");
    EXPECT_EQ(f.TX_ANCHO->text(), "0,400");
    EXPECT_EQ(f.TX_ANCHOALMA->text(), "0,250");
    EXPECT_EQ(f.TX_CANTO->text(), "0,600");
    EXPECT_EQ(f.TX_CANTOALA->text(), "0,150");
    EXPECT_EQ(f.CO_ANCHOR->text(), "0,125");
    EXPECT_FALSE(f.CM_CAPAS->isEnabled());
    EXPECT_TRUE(frame.Todas(true));

    // Shown again after a file was read into the case data.
    c.Ancho_Alma = 0.3;
    c.Canto_Ala = 0.1;
    f.Mostrar_Datos();
    EXPECT_EQ(f.TX_ANCHOALMA->text(), "0,300");
    EXPECT_EQ(f.TX_CANTOALA->text(), "0,100");
}

TEST_F(FlexionT, CollectorTakesTheWebAndFlangeAsShown) {
    auto& f = Abrir();
    f.TX_ANCHOALMA->setText("0,3");  // not left: the collector reads what is shown
    f.TX_CANTOALA->setText("-0,1");
    EXPECT_EQ(f.Textos().TX_ANCHOALMA, "0,3");
    EXPECT_TRUE(f.Recoger_Datos());
    EXPECT_EQ(General::Caso.Ancho_Alma, 0.3);
    EXPECT_EQ(General::Caso.Canto_Ala, 0.1);

    // A sheet wider than the web does not pass the collector.
    f.CO_ANCHOR->setText("0,33");
    f.TX_ANCHOALMA->setText("0,2");
    EXPECT_FALSE(f.Recoger_Datos());
    EXPECT_EQ(General::Caso.Ancho_Alma, 0.3);  // nothing stored
    EXPECT_TRUE(General::Caso.Error_Datos);
}

TEST_F(FlexionT, CloseAnsweredYesWritesAFileOfKind2) {
    QTemporaryDir dir;
    const QString ruta = dir.filePath("viga_t.krf");
    auto& f = Abrir();
    Escribir(Campo::Ancho_Alma, "0,25");
    Escribir(Campo::Canto_Ala, "0,12");
    Responder_Grabar(ruta.toStdString());
    EXPECT_TRUE(f.Form_Unload());
    ASSERT_EQ(mensajes.fake.shown.size(), 1u);
    EXPECT_EQ(mensajes.fake.shown[0].text, "Los datos no se han grabado, ¿desea grabar los datos?");
    ASSERT_EQ(dialogos.fake.asked.size(), 1u);
    EXPECT_EQ(dialogos.fake.asked[0].filter, "Archivos VORLANT - Flexión|*.KRF");
    EXPECT_EQ(dialogos.fake.asked[0].fileName, "flexion.krf");
    const auto& c = General::Caso;
    EXPECT_FALSE(c.FlexionT_Abierto);
    EXPECT_FALSE(c.Calculado);
    EXPECT_TRUE(c.Guardado);
    EXPECT_FALSE(c.Modificado);
    EXPECT_TRUE(frame.Todas(false));
    const QStringList l = Lineas_Fichero(ruta);
    ASSERT_EQ(l.size(), 16);
    EXPECT_EQ(l[0], "2");
    EXPECT_EQ(l[1], "0.4");
    EXPECT_EQ(l[2], "0.6");
    EXPECT_EQ(l[3], "0.25");
    EXPECT_EQ(l[4], "0.12");
}

TEST_F(FlexionT, SheetWidthHeldToTheWebStaysSavable) {
    QTemporaryDir dir;
    const QString ruta = dir.filePath("alma.krf");
    auto& f = Abrir();
    // Wider than the web but not than the flange: refused, the web width stored.
    Escribir(Campo::Ancho_Refuerzo, "0,3");
    ASSERT_EQ(mensajes.fake.shown.size(), 1u);
    EXPECT_EQ(Ultimo_Mensaje(),
              "El ancho del refuerzo no puede ser mayor que el ancho del alma de la sección.");
    EXPECT_EQ(General::Caso.Ancho_Refuerzo, 0.2);
    // A web narrower than the sheet warns and sends the focus to the sheet,
    // whose old text is then refused against the new web.
    Escribir(Campo::Ancho_Refuerzo, "0,165");
    Escribir(Campo::Ancho_Alma, "0,15");
    EXPECT_EQ(QApplication::focusWidget(), f.CO_ANCHOR);
    mensajes.fake.clear();
    Escribir(Campo::Ancho_Refuerzo, "0,165");
    EXPECT_EQ(Ultimo_Mensaje(),
              "El ancho del refuerzo no puede ser mayor que el ancho del alma de la sección.");
    EXPECT_EQ(General::Caso.Ancho_Refuerzo, 0.15);
    // Equal to the web as shown: accepted, and the case saves on close.
    Escribir(Campo::Ancho_Refuerzo, "0,1504");
    Responder_Grabar(ruta.toStdString());
    ASSERT_TRUE(f.Form_Unload());
    ASSERT_EQ(mensajes.fake.shown.size(), 1u) << Ultimo_Mensaje();
    ASSERT_EQ(dialogos.fake.asked.size(), 1u);
    t.reset();

    // Read back, it opens with the same texts.
    int16_t kind = 0;
    General::Caso.Ancho_Refuerzo = 0;
    fichero::Leer_Flexion(ruta.toStdString(), kind);
    ASSERT_FALSE(General::Caso.Error_Datos);
    EXPECT_EQ(kind, 2);
    auto& g = Abrir();
    EXPECT_EQ(g.TX_ANCHOALMA->text(), "0,150");
    EXPECT_EQ(g.CO_ANCHOR->text(), "0,150");
    EXPECT_TRUE(g.Recoger_Datos());
}
