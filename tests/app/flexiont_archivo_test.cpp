// A T case through the main frame and the real FM_FLEXIONT: the "Calcular"
// command, Save, Save as, the close with its save question and Open.
#include "principal_test_support.h"

#include "app/Inicio.h"
#include "app/MDI_PRINCIPAL.h"
#include "drawing/Grafico.h"
#include "engine/Caracteristicas.h"
#include "engine/General.h"
#include "platform/Combo.h"
#include "platform/FieldLeave.h"
#include "platform/FileDialogs.h"
#include "platform/Messages.h"
#include "platform/Screen.h"
#include "windows/FM_FLEXION.h"
#include "windows/FM_FLEXIONT.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

using windows::DesignKind;

namespace {

// The twelve texts the fields show.
std::vector<std::string> Textos(const FM_FLEXIONT& w) {
    const fichero::Textos_Flexion t = w.Textos();
    return {t.TX_ANCHO, t.TX_ANCHOALMA, t.TX_CANTO, t.TX_CANTOALA, t.TX_RECUB, t.TX_ASI,
            t.TX_ASS,   t.CO_FCK,       t.CO_FYK,   t.CO_ANCHOR,   t.TX_MCP,   t.TX_MD};
}

class FrameFlexionT : public Marco_Real {
protected:
    void SetUp() override {
        Marco_Real::SetUp();
    }
    FM_FLEXIONT* T() const { return dynamic_cast<FM_FLEXIONT*>(principal->Ventana()); }
};

}  // namespace

TEST_F(FrameFlexionT, CommandOpensTheTWindowOnTheDefaults) {
    auto& c = General::Caso;
    c.Ancho_Alma = 0.33;  // left from an earlier case
    c.Canto_Ala = 0.05;
    principal->mnuCalcularFlexionT->trigger();
    FM_FLEXIONT* w = T();
    ASSERT_TRUE(w);
    EXPECT_TRUE(c.FlexionT_Abierto);
    EXPECT_FALSE(c.Flexion_Abierto);
    EXPECT_FALSE(c.Guardado);
    EXPECT_TRUE(c.Sin_Nombre);
    EXPECT_EQ(w->TX_ANCHOALMA->text(), "0,200");
    EXPECT_EQ(w->TX_CANTOALA->text(), "0,200");
    EXPECT_TRUE(principal->mnuPrincipalGuardar->isEnabled());
    EXPECT_TRUE(principal->mnuPrincipalGuardarcomo->isEnabled());
    EXPECT_TRUE(principal->mnuPrincipalImprimir->isEnabled());

    // The rectangular command closes it (nothing typed: answered No).
    mensajes.fake.answers.push_back(platform::Answer::No);
    principal->mnuCalcularFlexion->trigger();
    EXPECT_FALSE(c.FlexionT_Abierto);
    EXPECT_TRUE(c.Flexion_Abierto);
    EXPECT_TRUE(dynamic_cast<FM_FLEXION*>(principal->Ventana()));
}

TEST_F(FrameFlexionT, SavedClosedAndReopenedShowsTheSameTexts) {
    auto& c = General::Caso;
    principal->mnuCalcularFlexionT_Click();
    FM_FLEXIONT* w = T();
    ASSERT_TRUE(w);
    Teclear(w->TX_ANCHOALMA, "0,25");
    Teclear(w->TX_CANTOALA, "0,125");
    Teclear(w->TX_CANTO, "0,7");
    Teclear(w->TX_MD, "150");
    ASSERT_TRUE(mensajes.fake.shown.empty());

    // Save of a new case asks for the file; the file is of kind 2.
    const std::string fichero = Ruta("viga_t.krf");
    dialogos.fake.answers.push_back(fichero);
    principal->mnuPrincipalGuardar_Click();
    ASSERT_EQ(dialogos.fake.asked.size(), 1u);
    EXPECT_EQ(dialogos.fake.asked[0].fileName, "flexion.krf");
    EXPECT_FALSE(c.Error_Datos);
    EXPECT_TRUE(c.Guardado);
    EXPECT_FALSE(c.Modificado);
    QStringList l = Lineas_Fichero(QString::fromStdString(fichero));
    ASSERT_EQ(l.size(), 16);
    EXPECT_EQ(l[0], "2");
    EXPECT_EQ(l[2], "0.7");
    EXPECT_EQ(l[3], "0.25");
    EXPECT_EQ(l[4], "0.125");
    EXPECT_EQ(l[15], "150");

    // Save as asks again and writes kind 2 too.
    const std::string copia = Ruta("copia.krf");
    dialogos.fake.answers.push_back(copia);
    principal->mnuPrincipalGuardarcomo_Click();
    EXPECT_EQ(dialogos.fake.asked.size(), 2u);
    EXPECT_EQ(c.Nombre_Fichero, copia);
    EXPECT_EQ(Lineas_Fichero(QString::fromStdString(copia)), l);

    // Saved: closing (here by the rectangular command) asks nothing.
    const std::vector<std::string> antes = Textos(*w);
    principal->mnuCalcularFlexion_Click();
    EXPECT_TRUE(mensajes.fake.shown.empty());
    EXPECT_FALSE(c.FlexionT_Abierto);

    // Opened from the menu a kind-2 file comes back in the T window.
    dialogos.fake.answers.push_back(fichero);
    mensajes.fake.answers.push_back(platform::Answer::No);  // the new rectangular case
    principal->mnuPrincipalAbrir_Click();
    w = T();
    ASSERT_TRUE(w);
    EXPECT_TRUE(c.FlexionT_Abierto);
    EXPECT_EQ(Textos(*w), antes);
    EXPECT_EQ(w->TX_ANCHOALMA->text(), "0,250");
    EXPECT_TRUE(c.Guardado);
    EXPECT_FALSE(c.Sin_Nombre);

    // Edited and closed with "Sí": the close saves kind 2, proposing its file.
    Teclear(w->TX_CANTOALA, "0,1");
    mensajes.fake.clear();
    mensajes.fake.answers.push_back(platform::Answer::Yes);
    dialogos.fake.answers.push_back(fichero);
    principal->mnuCalcularFlexion_Click();
    ASSERT_EQ(mensajes.fake.shown.size(), 1u);
    EXPECT_EQ(mensajes.fake.shown[0].text, "Los datos no se han grabado, ¿desea grabar los datos?");
    EXPECT_EQ(dialogos.fake.asked.back().fileName, fichero);
    l = Lineas_Fichero(QString::fromStdString(fichero));
    ASSERT_EQ(l.size(), 16);
    EXPECT_EQ(l[0], "2");
    EXPECT_EQ(l[4], "0.1");
    EXPECT_TRUE(dynamic_cast<FM_FLEXION*>(principal->Ventana()));
}
