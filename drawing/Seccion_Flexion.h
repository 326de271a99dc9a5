// Pieces the rectangular and the T section drawings share. Each reads the
// case's sizes; L is the reference length of every offset.
#pragma once

#include "drawing/General_dibujo.h"

namespace Grafico {

// Outer end of a dimension tick.
double Tick_Seccion(double L);

// Steel bands (lower one between the faces izq and der, upper one across
// the width) and the sheet under the bottom face.
void Bandas_Seccion(General_dibujo::Lista& lista, double L, double izq, double der);

// Depth line at the left (moved dL further out) and width line on top, with
// their ticks.
void Cotas_Canto_Ancho(General_dibujo::Lista& lista, double L, double dL);

// Sheet width line under the section, with its ticks.
void Cota_Refuerzo(General_dibujo::Lista& lista, double L);

// Depth and width values.
void Textos_Canto_Ancho(General_dibujo::Lista& lista, double L, double dL);

// Sheet width and steel areas, then the title.
void Textos_Refuerzo_Titulo(General_dibujo::Lista& lista, double L);

}  // namespace Grafico
