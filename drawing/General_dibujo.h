// Display list and drawing state shared by every diagram builder, the screen
// renderer, the zoom and the printed reports. One instance for the program.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace General_dibujo {

inline constexpr int Max_Elementos = 1000;

// Record kinds (field Tipo). Any other value draws nothing.
inline constexpr int Elemento_Linea = 1;
inline constexpr int Elemento_Punto = 2;
inline constexpr int Elemento_Texto_Centrado = 3;
inline constexpr int Elemento_Texto_Izquierda = 4;
inline constexpr int Elemento_Barra = 5;
inline constexpr int Elemento_Sec_Rect = 6;
inline constexpr int Elemento_Sec_Cir = 7;
inline constexpr int Elemento_Texto_Derecha = 8;

// One record: ten numbers in world units, Y upwards. Box kinds (5, 6, 7) give
// the upper-left corner first; Color is red + 256 green + 65536 blue; Grosor is
// the line width in pixels for lines and the font size in points for texts.
struct Elemento {
    double Tipo = 0;
    double X1 = 0;
    double Y1 = 0;
    double X2 = 0;
    double Y2 = 0;
    double Libre = 0;
    double Color = 0;
    double Estilo = 0;  // lines: 1 solid, 3 dotted
    double Grosor = 0;
    double Negrita = 0;  // texts: bold when not 0
    bool operator==(const Elemento&) const = default;
};

// Records 1 to 1000 and their captions; records 1 to Num_Elementos() are in use.
class Lista {
public:
    // Every record 0, every caption empty, Num_Elementos 0, complete.
    void Limpiar();

    int16_t Num_Elementos() const { return num_; }

    // Record / caption i (1..1000); outside that range a zero record / "".
    const Elemento& Elementos(int i) const;
    const std::string& Textos(int i) const;

    // Writes record Num_Elementos + 1 (and its caption) and counts it.
    // Refuses with false, writing nothing, once 1000 records are in use.
    [[nodiscard]] bool Agregar(const Elemento& e, const std::string& texto = {});

    // Agregar for the diagram builders: a refused record leaves the list
    // incomplete, and an incomplete list is never drawn (half a diagram
    // would mislead).
    void Anadir(const Elemento& e, const std::string& texto = {});
    bool Completa() const { return completa_; }

    // Writes record i directly (1..1000; false outside, nothing written).
    [[nodiscard]] bool Escribir(int i, const Elemento& e, const std::string& texto = {});
    // Sets the count, held to 0..1000.
    void Poner_Num_Elementos(int n);

private:
    std::array<Elemento, Max_Elementos> elementos_{};
    std::array<std::string, Max_Elementos> textos_{};
    int16_t num_ = 0;
    bool completa_ = true;
};

struct Datos {
    Lista Lista_Elementos;

    // Screen elements created by the last render in the open window; the
    // window's picture area sets them to 0 when it goes away.
    int16_t N_Linea = 0;
    int16_t N_Punto = 0;
    int16_t N_Tit = 0;
    int16_t N_Barra = 0;
    int16_t N_Sec_rect = 0;
    int16_t N_Sec_cir = 0;

    // Fit of the last render: inner size of the picture area (pixels) and scales.
    double Ancho_Dibujo = 0;
    double Alto_Dibujo = 0;
    double Escala_X = 0;
    double Escala_Y = 0;

    // Zoom pick (used by the zoom of the picture areas).
    double Factor_Zoom = 0;
    double Zoom_X1 = 0;
    double Zoom_Y1 = 0;
    double Zoom_X2 = 0;
    double Zoom_Y2 = 0;
    bool Zoom_Activo = false;

    // Which drawing is on show.
    bool Ver_Seccion = false;
    bool Ver_Deformaciones = false;
    bool Ver_Armadura = false;
    bool Ver_Capas = false;
};

// The drawing state of the running program.
inline Datos Dibujo;

}  // namespace General_dibujo
