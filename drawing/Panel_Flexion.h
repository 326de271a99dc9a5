// What a flexure window's result panel shows, as the strain diagram reads it.
// The window registers a source for its picture area's window; the drawing
// code knows nothing of the window's controls.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "drawing/Grafico.h"

namespace Grafico {

// The panel's texts, UTF-8, exactly as shown.
struct Textos_Panel {
    std::string Tipo;    // caption LB_TIPO
    std::string EpsC;    // TX_EPSC
    std::string EpsR;    // TX_EPSR
    std::string EpsSI;   // TX_EPSSI
    std::string EpsSS;   // TX_EPSSS
    std::string FN;      // TX_FN
    std::string Pivote;  // TX_PIVOTE
    std::string Eps0;    // TX_EPS0
};

struct Fuente_Panel {
    // The texts on show; nullopt when the window has gone.
    std::function<std::optional<Textos_Panel>()> Textos;
    // A shown number read back as the window wrote it (the user's locale);
    // nullopt when the text is no number.
    std::function<std::optional<double>(const std::string&)> Numero;
};

// Replaces the source of window v; an empty source removes it.
void Registrar_Panel(DesignKind v, Fuente_Panel fuente);

// Character i (from 1) of a UTF-8 text, counted in characters, not bytes;
// "" beyond its end.
std::string Caracter_Utf8(const std::string& texto, int i);

}  // namespace Grafico
