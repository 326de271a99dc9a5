// Pictures and command buttons the design windows share: the logo their
// printed report takes, the button pictures' canvas and calculate picture,
// and the square picture buttons of the command column.
#pragma once

#include <QFont>
#include <QIcon>
#include <QPixmap>

#include <functional>

#include "reports/Superficie.h"

class QDialog;
class QLabel;
class QPainter;
class QPushButton;
class QWidget;

namespace windows {

// The windows' own font, Arial 8 pt regular, set whole so that a bold font
// of the frame around a window does not reach its labels.
QFont Fuente_Ventana();

// A fixed modal dialog: its name, caption, a title bar with only the close
// button, and the windows' font.
void Preparar_Dialogo(QDialog& dialogo, const char* nombre, const QString& titulo);

// The product logo, 336 x 173 pixels.
QPixmap Dibujo_Logo();

// The hidden IM_LOGO label holding the logo, which the printed report takes.
QLabel* Etiqueta_Logo(QWidget* ventana);

// The picture a label holds, for a printed report; empty when it holds none.
Imprimir::Imagen Imagen_Etiqueta(const QLabel& etiqueta);

// A 32 x 32 button picture on a transparent, antialiased canvas.
QIcon Icono_Boton(const std::function<void(QPainter&)>& dibujar);

// The calculate button's picture: "=" in a square.
void Dibujar_Calcular(QPainter& p);

// A 615-twip square command button with a picture and a tip, its upper-left
// corner at (x, y) twips, that runs accion when clicked.
QPushButton* Boton_Orden(QWidget* padre, const char* nombre, const char* ayuda,
                         const QIcon& icono, int x, int y, std::function<void()> accion);

}  // namespace windows
