// The confinement reader on arbitrary file contents.
#include <cmath>

#include "fuzz_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::Harness harness;
    harness.load(data, size);
    fichero::Leer_Confina("caso.krc");
    const auto& c = General::Caso;
    if (harness.messages.shown.size() > 1) std::abort();
    if (!harness.messages.shown.empty() && !c.Error_Datos) std::abort();
    if (!c.Error_Datos) {
        if (c.Tipo_Seccion < 1 || c.Tipo_Seccion > 3) std::abort();
        if (!(c.Fck >= 15 && c.Fck <= 50 && c.Incremento_Necesario >= 1)) std::abort();
        if (c.Diametro_Lado == 0 || c.Lado_Menor == 0 || !std::isfinite(c.Axil_Actual)) std::abort();
    } else if (c.Tipo_Seccion != 1 || c.Diametro_Lado != 0.5 || c.Lado_Menor != 0.4) {
        std::abort();
    }
    return 0;
}
