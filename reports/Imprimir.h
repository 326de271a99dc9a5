// The printed reports: the printer renderer of the display list and the
// table ruling, the page design shared by every report, and the four
// reports. A report draws from a snapshot of its window (what the window
// shows, taken as data when printing starts) and from the case data.
#pragma once

#include "drawing/General_dibujo.h"
#include "reports/Impresora.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>

namespace Imprimir {

// ---- Renderer ----------------------------------------------------------

// Records 1..Num_Elementos of the list fitted into the box left .. PW - der,
// sup .. PH - inf (80 % of it, centred, world y upwards); iguales 1: equal
// scales. Keeps its fit to itself: the screen's fit state is not touched.
void Imprimir_Elementos(Impresora& imp, const General_dibujo::Lista& lista, double der,
                        double izq, double sup, double inf, int16_t iguales);

// The ruling of a table of filas x columnas equal cells with its top left
// corner at (x0, y0): the horizontals top to bottom, then the verticals.
void Dibujar_Rejilla(Impresora& imp, double x0, double y0, double filas, double columnas,
                     double alto_fila, double ancho_columna);

// ---- Page design -------------------------------------------------------

inline constexpr double Margen = 2.0;
inline constexpr double Columna_Valor = 4.5;   // value x after its label x
inline constexpr double Columna_Derecha = 8.5; // right column after the left
inline constexpr double Fila_Encabezado = 4.0;
inline constexpr double Fila_Datos = 5.0;
inline constexpr double Caida_Subindice = 0.05;
inline constexpr const char* Texto_Pie = "ZIVIVUR DE REFUERZO VORLANT\u00AE";

struct Pagina {
    std::string Titulo;
    Imagen Logo;
    double PW = 0;
    double PH = 0;
};

// Page set-up (A4 is the surface's; centimetres; "arial" 10) and the frame.
// False when the surface cannot start.
bool Preparar_Pagina(Impresora& imp, Pagina& pagina);
// Title, logo, rules, footer and "Página n"; draws in black.
void Dibujar_Marco(Impresora& imp, const Pagina& pagina);
void Encabezado(Impresora& imp, double x, double y, const std::string& texto);
// Label at (x, current y), value at (xv, the same y); the print position then
// stands on the next line.
void Linea_Datos(Impresora& imp, double x, double xv, const std::string& etiqueta,
                 const std::string& valor);
// "M" then subscript "S" dropped 0.05, then ":" after the width of "MS";
// the value at (xv, y).
void Linea_Subindice(Impresora& imp, double x, double xv, const std::string& letra,
                     const std::string& subindice, const std::string& valor);

// ---- Numbers -----------------------------------------------------------

// How numbers are written and read back in the user's locale. The defaults
// use the separator given (fixed decimals, no grouping).
struct Numeros {
    std::function<std::string(double valor, int decimales)> Formatear;
    // A shown text read as a number; nullopt when it is not one.
    std::function<std::optional<double>(const std::string& texto)> Leer;
};
Numeros Numeros_Con_Separador(const std::string& separador);

// The text of a result box read as a number and written again with its
// decimals, then the unit. A text that is no number prints as shown
// (trimmed), and an empty box prints nothing.
std::string Valor_Mostrado(const Numeros& num, const std::string& caja, int decimales,
                           const std::string& unidad);

// ---- Snapshots of the windows ------------------------------------------

struct Foto_Flexion {
    int Tipo = 1;  // 1 rectangular (FM_FLEXION), 2 T (FM_FLEXIONT)
    std::string TX_MU, TX_MUSR, TX_EPS0, TX_MRB, TX_MLIMCR, TX_PIVOTE, TX_FN, TX_EPSC,
        TX_EPSSI, TX_EPSSS, TX_EPSR;
    std::string LB_TIPO;
    bool LB_INFO_Visible = false;
    std::string LB_INFO;
    Imagen IM_LOGO;
};

struct Foto_Confina {
    int CO_SECCION = 0;  // selected index: 0 circular, 1 square, 2 rectangular
    std::string TX_WC, TX_WR, TX_WWD, TX_EPS0, TX_EPSR, TX_SIGMAR, TX_TENSCONF, TX_RESU;
    std::string LB_TIPO;
    Imagen IM_LOGO;
};

struct Foto_Carac {
    bool OP_V20 = true;
    bool OP_V30 = false;
    bool OP_VMM = false;
    Imagen IM_LOGO;
};

// What a design window hands its printed report: the snapshot of its kind.
using Foto = std::variant<Foto_Flexion, Foto_Confina, Foto_Carac>;

// The variant of the selected option button (OP_V20, OP_V30, OP_VMM tested
// in that order); 1 when none is selected.
int Variante_Elegida(const Foto_Carac& foto);

// ---- Reports -----------------------------------------------------------

enum class Estado { Impreso, Rehusado, Fallo };

struct Resultado {
    Estado estado = Estado::Impreso;
    std::string motivo;  // Fallo: why, when known
};

inline constexpr const char* Texto_Rehusado =
    "El tipo de refuerzo y número de capas elegidas no cumple con los requisitos impuestos "
    "por el fabricante.";

// The diagram builders a report calls; each leaves its drawing in the
// display list. The defaults are the program's builders.
struct Dibujos_Flexion {
    std::function<void()> Deformaciones, Seccion, Mu_Armadura, Mu_Capas;
};
Dibujos_Flexion Dibujos_Grafico_Flexion(int tipo);

struct Dibujos_Confina {
    std::function<void()> Diagrama, Seccion;
};
Dibujos_Confina Dibujos_Grafico_Confina();

// The flexure report refuses a layer count shown as "---".
bool Rehusa_Flexion(const Foto_Flexion& foto);

// Each report prints its document on the surface and ends it; the display
// list is the program's (General_dibujo::Dibujo). A refused report leaves the
// surface untouched; a surface that fails gives Fallo.
Resultado Imprimir_Flexion(Superficie& s, const Foto_Flexion& foto, const Numeros& num,
                           const Dibujos_Flexion& dibujos);
Resultado Imprimir_Confina(Superficie& s, const Foto_Confina& foto, const Numeros& num,
                           const Dibujos_Confina& dibujos);
// Prints the stress-strain diagram the list holds (its caller builds it).
Resultado Imprimir_Caracteristicas(Superficie& s, const Foto_Carac& foto, const Numeros& num);

}  // namespace Imprimir
