// Load, activation, close with its save question, and a ".KRC" case saved
// and opened again.
#include "confina_test_support.h"

#include "app/fichero/fichero.h"
#include "drawing/screen/PictureArea.h"
#include "platform/Modal.h"

#include <QTemporaryDir>

using windows::confina::Campo;

TEST_F(Confina, LoadFillsTheFieldsAndLeavesTheCaseModified) {
    auto& f = Abrir();
    const auto& c = General::Caso;
    EXPECT_EQ(f.windowTitle(), "Refuerzo a confinamiento");
    EXPECT_TRUE(c.Confina_Abierto);
    EXPECT_FALSE(c.Guardado);
    EXPECT_TRUE(c.Sin_Nombre);
    EXPECT_TRUE(c.Modificado);  // the section selection marks it
    EXPECT_FALSE(c.Calculado);
    EXPECT_TRUE(mensajes.fake.shown.empty());

    ASSERT_EQ(f.CO_SECCION->count(), 3);
    EXPECT_EQ(f.CO_SECCION->entry(2), "RECTANGULAR");
    EXPECT_EQ(f.CO_SECCION->selectedIndex(), 0);
    EXPECT_EQ(f.TX_DIAM->text(), "0,500");
    EXPECT_EQ(f.TX_LADOMENOR->text(), "0,400");
    EXPECT_FALSE(f.TX_LADOMENOR->isEnabled());
    EXPECT_EQ(f.CO_FCK->count(), 6);
    EXPECT_EQ(f.CO_FCK->text(), "25");
    EXPECT_EQ(f.TX_NCP->text(), "0,00");
    EXPECT_EQ(f.TX_INCR->text(), "1,00");
    EXPECT_EQ(f.TX_NU->text(), "0,50");
    EXPECT_EQ(f.TX_ALFAN->text(), "1,000");
    EXPECT_TRUE(f.TX_ALFAN->isReadOnly());

    EXPECT_FALSE(f.CM_CONFINA->isEnabled());
    EXPECT_TRUE(f.CM_SECCION->isEnabled());
    EXPECT_FALSE(f.LB_INFO->shown());
    EXPECT_TRUE(f.LB_TIPO->text().isEmpty());
    EXPECT_EQ(f.FG_CONFINA->rows(), 2);
    EXPECT_TRUE(frame.Todas(true));

    EXPECT_EQ(f.CM_CONFINA->toolTip(), "Diagrama Capas-Incremento de resistencia");
    EXPECT_EQ(f.CM_CALCULAR->toolTip(), "Calcular confinamiento");
    EXPECT_EQ(f.TX_WR->toolTip(), "Volumen de refuerzo VORLANT® de confinamiento");
    for (const char* nombre : {"CO_SECCION", "TX_DIAM", "LB_LM", "TX_LADOMENOR", "LB_LMU",
                               "CM_GAMMA1", "CO_FCK", "TX_NCP", "TX_INCR", "TX_NU", "TX_ALFAN",
                               "PIC_CONFINA", "LB_INFO", "FG_CONFINA", "LB_TIPO", "TX_WC",
                               "TX_WWD", "TX_EPS0", "TX_EPSR", "TX_SIGMAR", "TX_TENSCONF",
                               "TX_RESU", "IM_LOGO"})
        EXPECT_NE(f.findChild<QWidget*>(nombre), nullptr) << nombre;
    // Layout in twips at 15 per pixel.
    EXPECT_EQ(f.PIC_CONFINA->geometry(), QRect(272, 24, 457, 257));
    EXPECT_EQ(f.CM_CALCULAR->geometry(), QRect(736, 240, 41, 41));
}

TEST_F(Confina, CoefficientsDialogDisablesTheDiagram) {
    auto& f = Abrir();
    Calcular();
    ASSERT_TRUE(f.CM_CONFINA->isEnabled());
    platform::ScopedModalScript guion;  // the dialog closes at once, cancelled
    f.CM_GAMMA1->click();
    EXPECT_FALSE(f.CM_CONFINA->isEnabled());
}

TEST_F(Confina, OpenedUntouchedCaseStillAsksTheSaveQuestion) {
    General::Caso.Abriendo_Fichero = true;
    auto& f = Abrir();
    EXPECT_TRUE(General::Caso.Guardado);
    EXPECT_FALSE(General::Caso.Sin_Nombre);
    mensajes.fake.answers.push_back(platform::Answer::No);
    EXPECT_TRUE(f.Form_Unload());
    ASSERT_EQ(mensajes.fake.shown.size(), 1u);
    EXPECT_EQ(mensajes.fake.shown[0].text, "Los datos no se han grabado, ¿desea grabar los datos?");
    EXPECT_FALSE(General::Caso.Confina_Abierto);
    EXPECT_TRUE(frame.Todas(false));
}

TEST_F(Confina, CloseWithFieldsThatFailTheCollectionKeepsTheWindow) {
    auto& f = Abrir();
    f.TX_INCR->setText("0,5");  // not left: the collector refuses it
    mensajes.fake.answers.push_back(platform::Answer::Yes);
    EXPECT_FALSE(f.Form_Unload());
    ASSERT_EQ(mensajes.fake.shown.size(), 2u);
    EXPECT_EQ(mensajes.fake.shown[0].text, "Los datos no se han grabado, ¿desea grabar los datos?");
    EXPECT_EQ(Ultimo_Mensaje(), "Los datos introducidos no son correctos.");
    EXPECT_TRUE(dialogos.fake.asked.empty());
    EXPECT_TRUE(General::Caso.Confina_Abierto);
}

TEST_F(Confina, CaseSavedClosedAndOpenedAgainShowsTheSame) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string ruta = dir.filePath("columna.KRC").toStdString();

    auto& f = Abrir();
    f.CO_SECCION->select(2);
    Escribir(Campo::Lado_Menor, "0,45");
    Escribir(Campo::Diametro_Lado, "0,6");
    ASSERT_TRUE(mensajes.fake.shown.empty()) << Ultimo_Mensaje();
    Escribir(Campo::Fck, "30");
    Escribir(Campo::Axil_Actual, "150");
    Escribir(Campo::Incremento_Necesario, "1,2");
    const auto antes = f.Textos();
    const QString alfa = f.TX_ALFAN->text();

    Responder_Grabar(ruta);
    ASSERT_TRUE(f.Form_Unload());
    ASSERT_EQ(dialogos.fake.asked.size(), 1u);
    EXPECT_EQ(dialogos.fake.asked[0].filter, "Archivos VORLANT - Confinamiento|*.KRC");
    EXPECT_EQ(dialogos.fake.asked[0].fileName, "confina.krc");
    EXPECT_EQ(General::Caso.Nombre_Fichero, ruta);
    w.reset();

    Caracteristicas::Poner_Defectos_Confina();
    General::Caso.Error_Datos = false;
    fichero::Leer_Confina(ruta);
    ASSERT_FALSE(General::Caso.Error_Datos);
    General::Caso.Abriendo_Fichero = true;
    auto& g = Abrir();
    const auto despues = g.Textos();
    EXPECT_EQ(despues.CO_SECCION, 2);
    EXPECT_EQ(despues.TX_DIAM, antes.TX_DIAM);
    EXPECT_EQ(despues.TX_LADOMENOR, antes.TX_LADOMENOR);
    EXPECT_EQ(despues.CO_FCK, antes.CO_FCK);
    EXPECT_EQ(despues.TX_NCP, antes.TX_NCP);
    EXPECT_EQ(despues.TX_INCR, antes.TX_INCR);
    EXPECT_EQ(g.TX_ALFAN->text(), alfa);
    EXPECT_TRUE(g.TX_LADOMENOR->isEnabled());
}
