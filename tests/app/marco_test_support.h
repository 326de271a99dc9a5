// A started main frame with simple stand-in design windows, for the tests of
// the toolbar and the help menu.
#pragma once

#include "principal_test_support.h"

#include "app/Inicio.h"
#include "app/MDI_PRINCIPAL.h"
#include "engine/General.h"
#include "platform/FileDialogs.h"
#include "platform/Messages.h"
#include "platform/Modal.h"
#include "platform/Screen.h"
#include "windows/DesignWindow.h"
#include "tests/platform_fakes/Fakes.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace marco_test {

using windows::DesignKind;
using windows::FrameEntry;

// What the stand-in windows saw.
struct Diario {
    std::vector<std::string> pasos;
    bool recogerFalla = false;     // Recoger_Datos refuses the fields
    bool crearFalla = false;       // the window cannot be created (throws)
    bool splashAlCargar = false;   // Presentacion_Visible at the last load
};

// Switches the frame's entries as the real windows do; keeps its case.
class Ventana_Simple : public windows::DesignWindow {
public:
    Ventana_Simple(windows::FrameHooks& hooks, DesignKind kind, Diario& diario)
        : DesignWindow(hooks), kind_(kind), diario_(diario) {
        setFixedSize(300, 200);
    }
    DesignKind kind() const override { return kind_; }
    Imprimir::Foto Foto_Informe() const override { return Foto_Vacia(kind_); }
    void Form_Load() override {
        windows::Bandera_Abierto(kind_) = true;
        diario_.splashAlCargar = General::Caso.Presentacion_Visible;
        diario_.pasos.push_back("load");
    }
    void Form_Activate() override {
        Encender_Entradas(hooks(), kind_);
    }
    bool Form_Unload() override {
        windows::Bandera_Abierto(kind_) = false;
        Apagar_Entradas(hooks());
        return true;
    }
    bool Recoger_Datos() override {
        diario_.pasos.push_back("recoger");
        if (diario_.recogerFalla) General::Caso.Error_Datos = true;
        return !diario_.recogerFalla;
    }

private:
    DesignKind kind_;
    Diario& diario_;
};

class Marco : public Principal_Prueba {
protected:
    void SetUp() override {
        General::Caso = General::Datos{};
        for (DesignKind k : {DesignKind::Flexion, DesignKind::FlexionT, DesignKind::Confina,
                             DesignKind::Carac})
            Sustituir_Ventana(k, [this, k](windows::FrameHooks& h) -> windows::DesignWindow* {
                if (diario.crearFalla) throw std::runtime_error("sin memoria");
                return new Ventana_Simple(h, k, diario);
            });
        Arrancar(false);
    }

    platform::ScopedFakeFileDialogs dialogos;
    Diario diario;
};

}  // namespace marco_test
