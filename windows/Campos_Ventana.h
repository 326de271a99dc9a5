// Field, list and grid helpers the design windows share.
#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <span>
#include <string>

class QLabel;
class QWidget;

namespace platform {
class Combo;
class Grid;
class ReadOnlyBox;
}  // namespace platform

namespace windows {

class FrameHooks;

// Case caption of the result panel: "Refuerzo tipo ", the ten-character
// variant name of the catalogue (Nombre_Refuerzo), " - Núm. capas: " and
// the layer count after one blank.
QString Texto_Tipo(int j, int n);

// A value shown in a pattern.
QString Numero(double v, const char* patron);

// The text of a line or list field; empty for any other control.
QString Texto_Control(const QWidget* control);

// Writes the text of a line or list field, showing its beginning when it is
// too long for the field.
void Poner_Control(QWidget* control, const QString& texto);

// A field's shown text read back for a calculation: as shown, or failing
// that as any number the text holds; none when it is not a finite number.
std::optional<double> Leer_Mostrado(const QString& texto);

// Refuses a field's value at a calculation: the message, then the field's
// text selected and the focus on it.
void Rechazar_Control(QWidget* control, const std::string& mensaje);

// Runs a window's collector of its fields with Error_Datos cleared: true
// when the fields were right. Error_Datos afterwards also keeps an error
// set before.
bool Recoger_Campos(const std::function<void()>& recoger);

// Refills a list with the values in a pattern and selects the entry that
// reads as the stored value; a stored value not among them is added last.
void Llenar_Lista(platform::Combo* lista, std::span<const double> valores, double guardado,
                  const QString& patron);

// The frame's save and print entries and buttons, on or off.
void Entradas_Marco(FrameHooks& hooks, bool activas);

// A result box of a window's results frame: the box, its object name, its
// label (rich text), its unit and its tip.
struct Caja_Resultado {
    platform::ReadOnlyBox*& caja;
    const char* nombre;
    const char* etiqueta;
    const char* unidad;
    const char* ayuda;
};

// Places the label, the box (made here) and the unit, in that order, 20
// pixels (at 96 DPI) high at height y; returns the label.
QLabel* Poner_Caja_Resultado(QWidget* marco, const Caja_Resultado& c, int y, int xEtiqueta,
                             int wEtiqueta, int xCaja, int wCaja, int xUnidad, int wUnidad);

// Refills a results grid, layers down and product variants across: each
// cell shows texto(j, n), on yellow where alcanza(j, n), else on white.
// Every cell becomes the current one in turn, as the grid pick follows it.
void Llenar_Tabla_Capas(platform::Grid* g, const std::function<QString(int, int)>& texto,
                        const std::function<bool(int, int)>& alcanza);

}  // namespace windows
