// Writing the open case to its data file, shared by the Save and Save as
// commands and by a design window that saves as it closes.
#pragma once

#include <string>

#include "platform/FileDialogs.h"
#include "windows/DesignWindow.h"

namespace windows {

// Settings of the save dialog for a flexure or a confinement case.
platform::FileRequest Pedir_Guardar(bool confina);

// The path with the extension ext added when its file name holds no dot, the
// rule by which the save dialog adds its default suffix (so the overwrite
// question is asked about the file that is written).
std::string Con_Extension(const std::string& ruta, const char* ext);

// Writes the case data (already collected from the window) for a window of
// the given kind. With pedirNombre the save dialog asks for the file,
// proposing the case's own file when proponerPropio and it has one; without
// it the file Nombre_Fichero is written again. Nombre_Fichero, Guardado,
// Modificado and Sin_Nombre change only after a successful write. Returns
// false, with Error_Datos True, when the dialog is cancelled, the user keeps
// the change another program made to the file since it was read or written
// here, or the write fails (the writer has shown its message).
bool Grabar_Caso(DesignKind kind, bool pedirNombre, bool proponerPropio = false);

}  // namespace windows
