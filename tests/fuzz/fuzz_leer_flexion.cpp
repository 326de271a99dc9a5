// The flexure reader on arbitrary file contents.
#include <cmath>

#include "fuzz_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::Harness harness;
    harness.load(data, size);
    int16_t kind = 0;
    fichero::Leer_Flexion("caso.krf", kind);
    const auto& c = General::Caso;
    if (harness.messages.shown.size() > 1) std::abort();
    if (!harness.messages.shown.empty() && !c.Error_Datos) std::abort();
    if (!c.Error_Datos) {
        // What was stored passes the reader's own tests.
        if (kind != 1 && kind != 2) std::abort();
        if (!(c.Fck >= 15 && c.Fck <= 50 && c.Fyk >= 300 && c.Fyk <= 600)) std::abort();
        if (!(c.Gamma_Hormigon >= 1 && c.Gamma_Acero >= 1 && c.Gamma_Refuerzo >= 1)) std::abort();
        if (!(c.Recubrimiento <= c.Canto / 2) || !std::isfinite(c.Momento_Solicitante)) std::abort();
    } else if (c.Ancho != 0.4 || c.Fyk != 500 || c.Gamma_Acero != 1.15) {
        std::abort();  // refused or failed: the defaults are back
    }
    return 0;
}
