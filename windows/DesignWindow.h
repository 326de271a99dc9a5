// What the main frame needs of a design window (FM_FLEXION, FM_FLEXIONT,
// FM_CONFINA, FM_CARAC).
//
// The frame creates a window through the factory of its kind in its table,
// calls Form_Load, puts it in a fixed-size child frame of its MDI area and
// shows it; it calls Form_Activate each time the child becomes active and
// Form_Unload when the window must go (a command, the child's close button,
// the closing of the main window). The window never closes or deletes
// itself; the frame destroys it after a Form_Unload that returned true.
#pragma once

#include <QWidget>

#include "engine/General.h"
#include "platform/Controls.h"
#include "reports/Imprimir.h"

#include <functional>

namespace windows {

using General::DesignKind;

// The client size of a design window: all are 11775 twips wide, each with
// a height of its own.
inline QSize Tamano_Ventana(int alto_twips) {
    return {platform::twips(11775), platform::twips(alto_twips)};
}
// The largest, the flexure windows (7815 twips high): the frame keeps room
// for it below its toolbar.
inline QSize Tamano_Ventana_Mayor() { return Tamano_Ventana(7815); }

// The case data's open flag of a window kind (Flexion_Abierto, ...).
inline bool& Bandera_Abierto(DesignKind kind) {
    auto& c = General::Caso;
    switch (kind) {
    case DesignKind::Flexion: return c.Flexion_Abierto;
    case DesignKind::FlexionT: return c.FlexionT_Abierto;
    case DesignKind::Confina: return c.Confina_Abierto;
    case DesignKind::Carac: return c.Carac_Abierto;
    }
    return c.Flexion_Abierto;
}

// Entries of the main frame that the design windows switch on and off.
enum class FrameEntry {
    Guardar,       // mnuPrincipalGuardar
    GuardarComo,   // mnuPrincipalGuardarcomo
    Imprimir,      // mnuPrincipalImprimir
    BotonGuardar,  // toolbar button 3
    BotonImprimir  // toolbar button 4
};

// Implemented by the main frame; handed to every window it creates.
class FrameHooks {
public:
    virtual ~FrameHooks() = default;
    virtual void setEntryEnabled(FrameEntry entry, bool enabled) = 0;
};

class DesignWindow : public QWidget {
public:
    explicit DesignWindow(FrameHooks& hooks, QWidget* parent = nullptr)
        : QWidget(parent), hooks_(hooks) {}

    virtual DesignKind kind() const = 0;

    // Load step, before the window is first shown: sets its open flag
    // (Flexion_Abierto, ...), Guardado := Abriendo_Fichero and
    // Sin_Nombre := !Abriendo_Fichero (design cases), fills its fields from
    // General::Caso.
    virtual void Form_Load() = 0;

    // Activation, on every activation: enables or disables the frame's
    // entries through hooks() as fits the window.
    virtual void Form_Activate() = 0;

    // Close step with its save question. Returns true when the window has
    // closed its case: open flag and Calculado False, the five frame entries
    // disabled. Returns false when the close was abandoned (the user said
    // "Sí" and the save could not complete); then nothing changed and the
    // window stays open. The frame destroys the window only after true.
    virtual bool Form_Unload() = 0;

    // For the frame's save commands: checks the window's fields and copies
    // them into General::Caso. False (and Error_Datos True) when they fail;
    // a window with nothing to save (FM_CARAC) keeps this default.
    virtual bool Recoger_Datos() { return false; }

    // What the window shows, typed, for its printed report (Foto_Flexion,
    // Foto_Confina or Foto_Carac as fits its kind).
    virtual Imprimir::Foto Foto_Informe() const = 0;

protected:
    FrameHooks& hooks() const { return hooks_; }

private:
    FrameHooks& hooks_;
};

// Creates a window of one kind for the frame; the frame holds one per kind.
using DesignWindowFactory = std::function<DesignWindow*(FrameHooks& hooks)>;

}  // namespace windows
