// What the main frame needs of a design window (FM_FLEXION, FM_FLEXIONT,
// FM_CONFINA, FM_CARAC), and how a window makes itself known to the frame.
//
// The frame creates a window through the factory registered for its kind,
// calls Form_Load, puts it in a fixed-size child frame of its MDI area and
// shows it; it calls Form_Activate each time the child becomes active and
// Form_Unload when the window must go (a command, the child's close button,
// the closing of the main window). The window never closes or deletes
// itself; the frame destroys it after a Form_Unload that returned true.
#pragma once

#include <QWidget>

#include "engine/General.h"
#include "platform/Controls.h"

#include <functional>
#include <map>

namespace windows {

enum class DesignKind { Flexion, FlexionT, Confina, Carac };

// The client size of the largest design window, the flexure windows
// (11775 x 7815 twips): the frame keeps room for it below its toolbar.
inline QSize Tamano_Ventana_Mayor() { return {platform::twips(11775), platform::twips(7815)}; }

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

protected:
    FrameHooks& hooks() const { return hooks_; }

private:
    FrameHooks& hooks_;
};

// One factory per kind; the frame asks here when a command needs the window.
// A kind with no factory (a frame linked without the windows, or a test that
// removed it) has commands that do nothing.
using DesignWindowFactory = std::function<DesignWindow*(FrameHooks& hooks)>;

inline std::map<DesignKind, DesignWindowFactory>& designWindowFactories() {
    static std::map<DesignKind, DesignWindowFactory> factories;
    return factories;
}

// Replaces any factory of that kind; an empty factory removes it.
inline void registerDesignWindow(DesignKind kind, DesignWindowFactory factory) {
    if (factory)
        designWindowFactories()[kind] = std::move(factory);
    else
        designWindowFactories().erase(kind);
}

inline const DesignWindowFactory* findDesignWindow(DesignKind kind) {
    auto& factories = designWindowFactories();
    auto it = factories.find(kind);
    return it == factories.end() ? nullptr : &it->second;
}

// A window's source registers itself with one static object:
//   static windows::DesignWindowRegistration reg(DesignKind::Flexion,
//       [](windows::FrameHooks& h) { return new FM_FLEXION(h); });
// Nothing else refers to that object, so the program must link the windows
// library whole (WHOLE_ARCHIVE) for it to be kept.
struct DesignWindowRegistration {
    DesignWindowRegistration(DesignKind kind, DesignWindowFactory factory) {
        registerDesignWindow(kind, std::move(factory));
    }
};

}  // namespace windows
