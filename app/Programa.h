// The program's run: the platform services, the frame, the watch over its
// case (app/Recuperacion.h) and the event loop.
#pragma once

#include <functional>

class MDI_PRINCIPAL;

namespace Programa {

// Runs the program; alEmpezar, when given, runs once the frame is shown,
// before the event loop. Returns the exit status.
int Ejecutar(int argc, char** argv, const std::function<void(MDI_PRINCIPAL&)>& alEmpezar = {});

}  // namespace Programa
