// Pictures the design windows share: the logo their printed report takes and
// the command-button pictures (canvas and the calculate picture).
#pragma once

#include <QIcon>
#include <QPixmap>

#include <functional>

class QPainter;

namespace windows {

// The product logo, 336 x 173 pixels.
QPixmap Dibujo_Logo();

// A 32 x 32 button picture on a transparent, antialiased canvas.
QIcon Icono_Boton(const std::function<void(QPainter&)>& dibujar);

// The calculate button's picture: "=" in a square.
void Dibujar_Calcular(QPainter& p);

}  // namespace windows
