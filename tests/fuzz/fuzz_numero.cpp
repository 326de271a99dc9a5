// The number test and the parser on arbitrary text: a text the test accepts
// is read whole to a finite value, the same with a comma as with a point.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/Decimales.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const double value = Decimales::Convertir_Numero(text);
    const std::string trimmed = Decimales::Recortar(text);
    if (Decimales::Es_Numero(text)) {
        const double read = Decimales::Convertir_Numero(trimmed);
        if (!std::isfinite(read)) std::abort();
        std::string points = trimmed;
        for (char& ch : points)
            if (ch == ',') ch = '.';
        if (Decimales::Convertir_Numero(points) != read) std::abort();
        if (!Decimales::Es_Numero(points)) std::abort();
    }
    (void)value;
    return 0;
}
