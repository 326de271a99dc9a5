// Shared fixtures of the main-frame tests: a started frame on a fake screen
// with fake messages, which a test may run with stand-in design windows, and
// the frame with the real windows in the Spanish locale.
#pragma once

#include "../common/lineas_fichero.h"
#include "../common/teclear.h"

#include "app/Inicio.h"
#include "app/MDI_PRINCIPAL.h"
#include "drawing/Grafico.h"
#include "engine/General.h"
#include "platform/Combo.h"
#include "platform/FieldLeave.h"
#include "platform/FileDialogs.h"
#include "platform/Messages.h"
#include "platform/Screen.h"
#include "windows/DesignWindow.h"
#include "tests/platform_fakes/Fakes.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QLocale>
#include <QMdiSubWindow>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>

// The print command's notice when the results are not current.
inline constexpr const char* kAvisoNoCalculado =
    "No se han calculado los resultados o los datos han sido modificados y no se ha procedido "
    "a realizar un nuevo cálculo.";

// Opens a window of this kind by its command of the "Calcular" menu.
inline void Abrir_Por_Menu(MDI_PRINCIPAL& p, windows::DesignKind k) {
    switch (k) {
    case windows::DesignKind::Flexion: p.mnuCalcularFlexion_Click(); break;
    case windows::DesignKind::FlexionT: p.mnuCalcularFlexionT_Click(); break;
    case windows::DesignKind::Confina: p.mnuCalcularConfina_Click(); break;
    case windows::DesignKind::Carac: p.mnuCalcularCarac_Click(); break;
    }
}

// The frame entries a stand-in design window switches on when activated
// (the save entries only for a case window) and off when it closes, as the
// real windows do.
inline void Encender_Entradas(windows::FrameHooks& h, windows::DesignKind k) {
    using windows::FrameEntry;
    const bool caso = k != windows::DesignKind::Carac;
    h.setEntryEnabled(FrameEntry::Guardar, caso);
    h.setEntryEnabled(FrameEntry::GuardarComo, caso);
    h.setEntryEnabled(FrameEntry::Imprimir, true);
    if (caso) h.setEntryEnabled(FrameEntry::BotonGuardar, true);
    h.setEntryEnabled(FrameEntry::BotonImprimir, true);
}
inline void Apagar_Entradas(windows::FrameHooks& h) {
    using windows::FrameEntry;
    for (FrameEntry e : {FrameEntry::Guardar, FrameEntry::GuardarComo, FrameEntry::Imprimir,
                         FrameEntry::BotonGuardar, FrameEntry::BotonImprimir})
        h.setEntryEnabled(e, false);
}

// Where the style draws a button of a child frame's title bar.
inline QRect Boton_Titulo(QMdiSubWindow* sub, QStyle::SubControl boton) {
    QStyleOptionTitleBar o;
    o.initFrom(sub);
    const int alto = sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, &o, sub);
    o.rect = QRect(0, 0, sub->width(), alto);
    o.titleBarFlags = sub->windowFlags();
    o.titleBarState = sub->windowState();
    o.subControls = QStyle::SC_All;
    return sub->style()->subControlRect(QStyle::CC_TitleBar, &o, boton, sub);
}

// The kind's name, for test traces.
inline const char* Nombre(windows::DesignKind k) {
    using windows::DesignKind;
    switch (k) {
    case DesignKind::Flexion: return "Flexion";
    case DesignKind::FlexionT: return "FlexionT";
    case DesignKind::Confina: return "Confina";
    case DesignKind::Carac: return "Carac";
    }
    return "?";
}

// The snapshot of a stand-in window that shows nothing: the empty one of
// its kind.
inline Imprimir::Foto Foto_Vacia(windows::DesignKind k) {
    switch (k) {
    case windows::DesignKind::Flexion: return Imprimir::Foto_Flexion{};
    case windows::DesignKind::FlexionT: {
        Imprimir::Foto_Flexion f;
        f.Tipo = 2;
        return f;
    }
    case windows::DesignKind::Confina: return Imprimir::Foto_Confina{};
    case windows::DesignKind::Carac: break;
    }
    return Imprimir::Foto_Carac{};
}

class Principal_Prueba : public ::testing::Test {
protected:
    void TearDown() override {
        principal.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A stand-in for a kind of design window, put in the frame's table when
    // the frame starts.
    void Sustituir_Ventana(windows::DesignKind kind, windows::DesignWindowFactory crear) {
        sustitutas_[kind] = std::move(crear);
    }

    // Starts the program's frame, with or without its splash.
    void Arrancar(bool cerrar_presentacion) {
        principal = Inicio::Main();
        ASSERT_TRUE(principal);
        for (auto& [kind, crear] : sustitutas_) principal->Poner_Ventana(kind, crear);
        if (cerrar_presentacion) principal->Cerrar_Presentacion();
    }

    platform::ScopedScreenSize pantalla{QSize(800, 600)};
    platform::ScopedFakeMessages mensajes;
    std::unique_ptr<MDI_PRINCIPAL> principal;

private:
    std::map<windows::DesignKind, windows::DesignWindowFactory> sustitutas_;
};

// The frame with the real design windows, in the Spanish locale, a fresh
// case, fake file dialogs and a scratch folder.
class Marco_Real : public Principal_Prueba {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        General::Caso = General::Datos{};
        ASSERT_TRUE(dir.isValid());
        Arrancar(true);
    }
    void TearDown() override {
        Principal_Prueba::TearDown();
        Grafico::Poner_Formateador({});
        QLocale::setDefault(QLocale::c());
    }

    std::string Ruta(const std::string& nombre) const {
        return dir.filePath(QString::fromStdString(nombre)).toStdString();
    }
    // Types a text into a field and leaves it the way the user does.
    static void Teclear(QWidget* campo, const QString& texto) { Teclear_Campo(campo, texto); }

    platform::ScopedFakeFileDialogs dialogos;
    QTemporaryDir dir;
};
