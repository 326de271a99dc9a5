// Diagram builders and the screen render of the display list.
//
// Every builder clears the list (General_dibujo::Dibujo), sets the flags of the
// drawing on show, writes its records and as its last step calls
// Dibujar_Elementos for its window. With no picture area registered for that
// window the list is still built (reports and tests rely on it).
#pragma once

#include "engine/General.h"

#include <cstdint>
#include <functional>
#include <string>

namespace Grafico {

class Area_Dibujo;

// The windows that hold a picture area, one each, by their kind:
// FM_FLEXION.PIC_FLEXION, FM_FLEXIONT.PIC_FLEXION, FM_CONFINA.PIC_CONFINA,
// FM_CARAC.PIC_CARAC.
using General::DesignKind;

// A picture area registers itself for its window (replacing any earlier one);
// Quitar_Area removes it only if it is the one registered. Not owned.
void Registrar_Area(DesignKind v, Area_Dibujo* area);
void Quitar_Area(DesignKind v, Area_Dibujo* area);
Area_Dibujo* Area_Registrada(DesignKind v);

// Screen render of records 1..Num_Elementos into the window's picture area:
// iso 1 equal scales, any other value independent. Writes Ancho_Dibujo,
// Alto_Dibujo, Escala_X, Escala_Y and the six counters; never changes the list.
// Nothing registered: does nothing.
void Dibujar_Elementos(DesignKind v, int16_t iso);

// Number text of the diagram labels: value with a fixed number of decimals
// ("0", "0.0", "0.00" ... patterns). The default writes the decimal separator
// of the C locale in force (the user's, once the application has set it);
// the program may install its own (e.g. the platform's locale formatting).
using Formateador = std::function<std::string(double valor, int decimales)>;
void Poner_Formateador(Formateador f);  // empty: back to the default
std::string Formatear(double valor, int decimales);

// Rectangular section "SECCION" of FM_FLEXION from Ancho, Canto,
// Recubrimiento, Armadura_Inf, Armadura_Sup, Ancho_Refuerzo; equal scales.
// Ver_Seccion True, the other three flags False.
void Dibujar_Seccion_Rect();

// "DIAGRAMA DE MOMENTOS ULTIMOS" against the number of layers, from Mu_Capas,
// Mu_Sin_Refuerzo, Mu_Max and Momento_Solicitante; independent scales; on
// FM_FLEXION (_Rect) or FM_FLEXIONT (_T). Ver_Capas True, the others False.
// Before any result exists (Mu_Capas not created) it does nothing at all.
void Dibujar_Mu_Capas_Rect();
void Dibujar_Mu_Capas_T();

// T section "SECCION" of FM_FLEXIONT; equal scales.
void Dibujar_Seccion_T();

// Ultimate moment against sheet area, on FM_FLEXION (_Rect) or FM_FLEXIONT (_T).
void Dibujar_Mu_Armadura_Rect();
void Dibujar_Mu_Armadura_T();

// Strain diagram "DIAGRAMA DE PIVOTES" of the case on show in the window's
// result panel.
void Dibujar_Deformaciones_Rect();
void Dibujar_Deformaciones_T();

// Confinement diagram and column section of FM_CONFINA.
void Dibujar_Diagrama_Confina();
void Dibujar_Seccion_Confina();

// Stress-strain diagram of the product variants on FM_CARAC, variant j chosen.
void Dibujar_Diagrama_Tension(int j);

}  // namespace Grafico
