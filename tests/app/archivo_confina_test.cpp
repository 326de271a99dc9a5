// A confinement case through the main frame and the real FM_CONFINA: new
// case, Save, Save as, close and Open of ".KRC" files.
#include "principal_test_support.h"

#include "app/Inicio.h"
#include "app/MDI_PRINCIPAL.h"
#include "drawing/Grafico.h"
#include "engine/Caracteristicas.h"
#include "engine/General.h"
#include "platform/Combo.h"
#include "platform/Controls.h"
#include "platform/FieldLeave.h"
#include "platform/FileDialogs.h"
#include "platform/Messages.h"
#include "platform/Screen.h"
#include "windows/FM_CONFINA.h"

#include <QAction>
#include <QPushButton>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

class ArchivoConfina : public Marco_Real {
protected:
    FM_CONFINA* Ventana() const { return dynamic_cast<FM_CONFINA*>(principal->Ventana()); }
};

}  // namespace

TEST_F(ArchivoConfina, NewCaseSavedAndOpenedAgainThroughTheFrame) {
    auto& c = General::Caso;
    principal->mnuCalcularConfina_Click();
    FM_CONFINA* w = Ventana();
    ASSERT_TRUE(w);
    EXPECT_TRUE(principal->mnuPrincipalGuardar->isEnabled());
    EXPECT_TRUE(principal->mnuPrincipalGuardarcomo->isEnabled());
    EXPECT_TRUE(principal->mnuPrincipalImprimir->isEnabled());
    w->CO_SECCION->select(2);
    Teclear(w->TX_LADOMENOR, "0,35");
    Teclear(w->TX_DIAM, "0,45");
    Teclear(w->TX_NCP, "200");
    Teclear(w->TX_INCR, "1,15");
    ASSERT_TRUE(mensajes.fake.shown.empty()) << mensajes.fake.shown.back().text;

    dialogos.fake.answers.push_back(Ruta("confina.krc"));
    principal->mnuPrincipalGuardar_Click();
    ASSERT_EQ(dialogos.fake.asked.size(), 1u);
    EXPECT_EQ(dialogos.fake.asked[0].filter, "Archivos VORLANT - Confinamiento|*.KRC");
    EXPECT_EQ(dialogos.fake.asked[0].fileName, "confina.krc");
    EXPECT_FALSE(c.Error_Datos);
    EXPECT_FALSE(c.Modificado);
    const std::vector<std::string> l = Lineas_Exactas(Ruta("confina.krc"));
    ASSERT_EQ(l.size(), 9u);
    EXPECT_EQ(l[0], "3\r");
    EXPECT_EQ(l[1], "0.45\r");
    EXPECT_EQ(l[2], "0.35\r");
    EXPECT_EQ(l[7], "200\r");
    EXPECT_EQ(l[8], "1.15\r");

    // Save as asks again; the saved case then closes without a question.
    dialogos.fake.answers.push_back(Ruta("COLUMNA.KRC"));
    principal->mnuPrincipalGuardarcomo_Click();
    EXPECT_EQ(dialogos.fake.asked.size(), 2u);
    EXPECT_EQ(c.Nombre_Fichero, Ruta("COLUMNA.KRC"));
    const fichero::Textos_Confina antes = w->Textos();

    Caracteristicas::Poner_Defectos_Confina();
    dialogos.fake.answers.push_back(Ruta("COLUMNA.KRC"));
    principal->mnuPrincipalAbrir_Click();
    EXPECT_TRUE(mensajes.fake.shown.empty());
    w = Ventana();
    ASSERT_TRUE(w);
    const fichero::Textos_Confina despues = w->Textos();
    EXPECT_EQ(despues.CO_SECCION, 2);
    EXPECT_EQ(despues.TX_DIAM, "0,450");
    EXPECT_EQ(despues.TX_DIAM, antes.TX_DIAM);
    EXPECT_EQ(despues.TX_LADOMENOR, antes.TX_LADOMENOR);
    EXPECT_EQ(despues.CO_FCK, antes.CO_FCK);
    EXPECT_EQ(despues.TX_NCP, antes.TX_NCP);
    EXPECT_EQ(despues.TX_INCR, antes.TX_INCR);
    EXPECT_TRUE(c.Guardado);
    EXPECT_FALSE(c.Sin_Nombre);
    EXPECT_TRUE(c.Modificado);  // the opening's section selection marks it

    // Save writes the opened file again, without a dialog.
    principal->mnuPrincipalGuardar_Click();
    EXPECT_EQ(dialogos.fake.asked.size(), 3u);
    EXPECT_FALSE(c.Modificado);

    // Calculated, then closed through the frame.
    QTest::mouseClick(w->CM_CALCULAR, Qt::LeftButton);
    EXPECT_TRUE(c.Calculado);
    c.Modificado = true;
    mensajes.fake.answers.push_back(platform::Answer::No);
    principal->mnuCalcularFlexion_Click();
    ASSERT_EQ(mensajes.fake.shown.size(), 1u);
    EXPECT_EQ(mensajes.fake.shown[0].text,
              "Los datos no se han grabado, ¿desea grabar los datos?");
    EXPECT_FALSE(c.Confina_Abierto);
    EXPECT_EQ(Ventana(), nullptr);
}

TEST_F(ArchivoConfina, TextInsideTheFrameIsRegularOnlyTheResultIsBold) {
    principal->mnuCalcularConfina_Click();
    FM_CONFINA* w = Ventana();
    ASSERT_TRUE(w);
    int etiquetas = 0;
    for (QLabel* l : w->findChildren<QLabel*>()) {
        if (l->text() != QString::fromUtf8("Tipo de sección")) continue;
        ++etiquetas;
        EXPECT_FALSE(l->font().bold());
    }
    EXPECT_EQ(etiquetas, 1);
    EXPECT_FALSE(w->TX_DIAM->font().bold());
    EXPECT_FALSE(w->TX_WC->font().bold());
    EXPECT_TRUE(w->TX_RESU->font().bold());
}
