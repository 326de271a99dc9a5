// Screen renderer, plain part: fits the display list into a picture area and
// turns each record into a screen element in pixels (x right, y down).
// The Qt picture area (drawing/screen/PictureArea.h) paints the result.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "drawing/General_dibujo.h"

namespace Grafico {

// World-to-pixel fit: the bounding box of every point of records
// 1..Num_Elementos (any kind, texts' anchors and their (0, 0) second points
// included) fills 80 % of the limiting direction, centred, Y upwards.
struct Ajuste {
    double W = 0, H = 0;            // inner size of the picture area, pixels
    double Xmin = 0, Ymin = 0;      // lower-left corner of the bounding box
    double Dx = 0, Dy = 0;          // extent of the bounding box
    double Sx = 0, Sy = 0;          // scales (0 for a zero extent)
    double OffX = 0, OffY = 0;
    double Px(double x) const { return (x - Xmin) * Sx + OffX; }
    double Py(double y) const { return OffY - (y - Ymin) * Sy; }
};

// iso == 1: both scales take the smaller one; any other value: independent.
Ajuste Ajustar(const General_dibujo::Lista& lista, double W, double H, int16_t iso);

struct Tamano_Texto {
    double Ancho = 0;
    double Alto = 0;
};

// Size in pixels of a label sized to its caption.
class Medidor_Texto {
public:
    virtual ~Medidor_Texto() = default;
    virtual Tamano_Texto Medir(const std::string& texto, double puntos, bool negrita) const = 0;
};

// Screen elements; Registro is the record they come from (painting order).
struct Linea_Pantalla {
    int Registro = 0;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    uint32_t Color = 0;  // 0x00BBGGRR as in the records
    int Estilo = 1;      // 0 none, 1 solid, 2 dash, 3 dot, 4 dash-dot, 5 dash-dot-dot
    int Grosor = 1;      // pixels; styles other than solid show solid above 1
};

// Marker (outline colour), or box / rounded box / circle (fill colour, 1-pixel
// outline in black).
struct Forma_Pantalla {
    int Registro = 0;
    double Left = 0, Top = 0, Width = 0, Height = 0;
    uint32_t Color = 0;
};

struct Tit_Pantalla {
    int Registro = 0;
    double Left = 0, Top = 0, Width = 0, Height = 0;
    std::string Caption;
    double Size = 8;  // points
    bool Bold = false;
    uint32_t Color = 0;
};

// Everything one render created, per element array. The zoom moves these.
struct Escena {
    Ajuste Ajuste_Vista;
    std::vector<Linea_Pantalla> Linea;
    std::vector<Forma_Pantalla> Punto;  // 7 x 7 pixels
    std::vector<Tit_Pantalla> Tit;
    std::vector<Forma_Pantalla> Barra;
    std::vector<Forma_Pantalla> Sec_rect;
    std::vector<Forma_Pantalla> Sec_cir;  // circle: diameter the smaller side, centred
    // The records this render drew and whether kind 5 had an array: the full
    // view places these elements again from them.
    std::shared_ptr<const General_dibujo::Lista> Origen;
    bool Con_Barras = true;
};

inline constexpr double Lado_Punto = 7;

// Builds the elements of records 1..Num_Elementos in record order. A box is
// placed from its normalised corners. con_barras false (the characteristics
// window has no Barra array): kind 5 records are skipped.
Escena Construir_Escena(const General_dibujo::Lista& lista, double W, double H, int16_t iso,
                        const Medidor_Texto& medidor, bool con_barras = true);

// Record colour to a 24-bit RGB value (rounded, held to 0..0xFFFFFF).
uint32_t Color_Entero(double color);

struct Marco_Zoom;

// A picture area that can receive a render (implemented by the Qt widget, or
// by a fake in tests).
class Area_Dibujo {
public:
    virtual ~Area_Dibujo() = default;
    virtual double Ancho_Interior() const = 0;  // pixels
    virtual double Alto_Interior() const = 0;
    virtual const Medidor_Texto& Medidor() const = 0;
    // Replaces the elements of the previous render.
    virtual void Mostrar(Escena escena) = 0;

    // For the zoom (Zoom.h): the elements of this area's last render
    // (nullptr before its first), its rubber band, and a repaint after
    // either moved.
    virtual Escena* Escena_Render() { return nullptr; }
    virtual Marco_Zoom* Window_zoom() { return nullptr; }
    virtual void Repintar() {}
};

}  // namespace Grafico
