// The characteristics window and the coefficients dialog reached from the
// running frame with the real design windows.
#include "app/Inicio.h"
#include "app/MDI_PRINCIPAL.h"
#include "engine/General.h"
#include "platform/FieldLeave.h"
#include "platform/FileDialogs.h"
#include "platform/Messages.h"
#include "platform/Modal.h"
#include "platform/Screen.h"
#include "windows/FM_CARAC.h"
#include "windows/Ventana_Flexion.h"
#include "tests/platform_fakes/Fakes.h"

#include <QCoreApplication>
#include <QDialog>
#include <QPushButton>
#include <gtest/gtest.h>

using windows::DesignKind;
using windows::FrameEntry;

TEST(Caracteristicas, MenuOpensTheWindowAndTheNextCaseClosesIt) {
    platform::ScopedScreenSize pantalla{QSize(800, 600)};
    platform::ScopedFakeMessages mensajes;
    platform::ScopedFakeFileDialogs dialogos;
    General::Caso = General::Datos{};
    auto principal = Inicio::Main();
    ASSERT_TRUE(principal);
    const auto& c = General::Caso;

    principal->mnuCalcularCarac_Click();
    ASSERT_NE(principal->Ventana(), nullptr);
    ASSERT_EQ(principal->Ventana()->kind(), DesignKind::Carac);
    EXPECT_TRUE(c.Carac_Abierto);
    EXPECT_EQ(static_cast<FM_CARAC*>(principal->Ventana())->Variante(), 1);
    EXPECT_TRUE(principal->entryEnabled(FrameEntry::Imprimir));
    EXPECT_TRUE(principal->entryEnabled(FrameEntry::BotonImprimir));
    EXPECT_FALSE(principal->entryEnabled(FrameEntry::Guardar));
    EXPECT_FALSE(principal->entryEnabled(FrameEntry::GuardarComo));

    // A new flexure case closes it without a question; its coefficients
    // dialog opens from the γ button.
    principal->mnuCalcularFlexion_Click();
    EXPECT_TRUE(mensajes.fake.shown.empty());
    EXPECT_FALSE(c.Carac_Abierto);
    ASSERT_EQ(principal->Ventana()->kind(), DesignKind::Flexion);
    auto* flexion = static_cast<windows::Ventana_Flexion*>(principal->Ventana());
    platform::ScopedModalScript guion;
    guion.push([](QDialog& d) { d.findChild<QPushButton*>("CM_RESTAURAR")->click(); });
    EXPECT_TRUE(platform::clickAsUser(flexion->CM_GAMMA1));
    EXPECT_EQ(guion.shown, std::vector<QString>{"FM_COEF"});

    mensajes.fake.defaultYesNo = platform::Answer::No;
    principal.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
