// Zoom and full view of a picture area: a rectangle picked with two left
// clicks is enlarged to the area (successive zooms compound), a right click
// returns to the fitted full view, Esc abandons a pick. They move the
// elements of the area's last render and never change the display list.
// The pick (Zoom_Activo and its corners) is global: a pick left open in a
// window that closed is finished by the next left click in any area.
#pragma once

#include <cstdint>

#include "drawing/Grafico.h"
#include "drawing/Pantalla.h"

namespace Grafico {

// The rubber band Window_zoom of a picture area, pixels of its inner area.
struct Marco_Zoom {
    double Left = 0, Top = 0, Width = 0, Height = 0;
    bool Visible = false;
};

// Largest coordinate a line may reach under a zoom (beyond it the zoom stops).
inline constexpr double Limite_Zoom = 1e8;

// Mouse and key handlers of a picture area (ventana: the window it belongs
// to, which decides the scales of the full view). boton: 1 left, 2 right;
// positions in pixels of the area's inner area; codigo: the character code
// (27 is Esc).
void Zoom_MouseDown(Area_Dibujo& area, DesignKind ventana, int boton, double x, double y);
void Zoom_MouseMove(Area_Dibujo& area, double x, double y);
void Zoom_KeyPress(Area_Dibujo& area, int codigo);

// Enlarges the area's elements to the picked rectangle (corners Zoom_X1,
// Zoom_Y1 and Zoom_X2, Zoom_Y2), writing Escala_X, Escala_Y and Factor_Zoom.
void Zoom_Ventana(Area_Dibujo& area);

// Places the elements of the area's last render again in the fitted full view
// (iso 1 equal scales) and writes the scales and the six counters. An area
// that has rendered nothing yet is left alone.
void Restaurar_Vista(Area_Dibujo& area, int16_t iso);

}  // namespace Grafico
