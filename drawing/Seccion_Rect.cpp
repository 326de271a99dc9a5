// Rectangular section drawing "SECCION".
#include "drawing/General_dibujo.h"
#include "drawing/Registros.h"
#include "drawing/Grafico.h"
#include "drawing/Vista_Flexion.h"
#include "drawing/Seccion_Flexion.h"
#include "engine/General.h"

namespace Grafico {

using General_dibujo::Registro_Linea;

void Dibujar_Seccion_Rect() {
    const auto& c = General::Caso;
    auto& lista = Nueva_Vista(Vista_Flexion::Seccion);

    const double b = c.Ancho;
    const double h = c.Canto;
    const double L = h < b ? h : b;

    // Outline.
    lista.Anadir(Registro_Linea(0, 0, 0, h));
    lista.Anadir(Registro_Linea(0, h, b, h));
    lista.Anadir(Registro_Linea(b, h, b, 0));
    lista.Anadir(Registro_Linea(b, 0, 0, 0));
    // Steel bands and the sheet under the bottom face.
    Bandas_Seccion(lista, L, 0, b);
    // Depth, width and sheet dimension lines with their ticks.
    Cotas_Canto_Ancho(lista, L, 0);
    Cota_Refuerzo(lista, L);
    // Values.
    Textos_Canto_Ancho(lista, L, 0);
    Textos_Refuerzo_Titulo(lista, L);

    Dibujar_Elementos(DesignKind::Flexion, 1);
}

}  // namespace Grafico
