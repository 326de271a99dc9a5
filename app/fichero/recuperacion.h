// The recovery copy of a case that the program had to leave unsaved (ended
// by a signal, by a lost display, or by a logout that allowed no question):
// in $XDG_STATE_HOME/kestram/, by default ~/.local/state/kestram/, the data
// file "copia.krf" or "copia.krc" and "copia.nombre", the case's own file
// name (empty for a case that never had one). Each file is replaced in one
// step; the data file is written last and removed first, so that a copy is
// there only when whole.
#pragma once

#include <optional>
#include <string>

#include "app/fichero/fichero_disk.h"

namespace fichero {

// The folder of the copy; empty when neither XDG_STATE_HOME nor HOME tell one.
std::string Carpeta_Recuperacion();

// Writes the case data (General::Caso) as the copy, with the file name
// nombre (empty: none). confina and kind as for Escribir_Caso. No message.
Outcome Escribir_Copia(bool confina, int16_t kind, const std::string& nombre);

struct Copia {
    std::string datos;   // the data file, .krf or .krc
    std::string nombre;  // the case's own file name, or empty
};
// The copy left by an earlier run, if any.
std::optional<Copia> Buscar_Copia();

// Removes the copy, if any.
void Borrar_Copia();

// Moves an unreadable copy aside ("<name>.ilegible"), so that it is
// offered no more and is still there for whoever wants to look at it.
void Apartar_Copia();

}  // namespace fichero
