// The flexure (.KRF) and confinement (.KRC) data files, and the collection of
// a design window's fields into the case data before a save.
//
// Every routine reports failure only by setting General::Caso.Error_Datos
// True; none sets it False. Run-time failures of the file routines are shown
// with the exclamation icon; a refused or unreadable file puts the defaults
// of a new case back.
#pragma once

#include <cstdint>
#include <string>

#include "app/fichero/fichero_disk.h"

namespace fichero {

// Writes the flexure file of section kind 1 (rectangular, 14 lines) or
// 2 (T, 16 lines) from the case data. The old file is replaced only once
// the new one is complete.
void Grabar_Flexion(const std::string& file, int16_t kind);

// Writes the confinement file (9 lines); line 1 is Tipo_Seccion.
void Grabar_Confina(const std::string& file);

// Writes the case's file as the two above do (kind is ignored for a
// confinement case), with no message: the failure is returned.
Outcome Escribir_Caso(const std::string& file, bool confina, int16_t kind);

// Reads a flexure file into the case data (absolute values). kind receives
// line 1 once it has been read (0 when it is not a small integer); it is
// meaningful only when Error_Datos stays False. Both readers return true
// when they showed the message of a run-time failure; a file whose values
// are refused gives no message of its own.
bool Leer_Flexion(const std::string& file, int16_t& kind);

// Reads a confinement file into the case data, Tipo_Seccion included.
bool Leer_Confina(const std::string& file);

// The texts a flexure window shows in its input fields. The rectangular
// collector ignores TX_ANCHOALMA and TX_CANTOALA.
struct Textos_Flexion {
    std::string TX_ANCHO;
    std::string TX_CANTO;
    std::string TX_ANCHOALMA;
    std::string TX_CANTOALA;
    std::string TX_RECUB;
    std::string TX_ASI;
    std::string TX_ASS;
    std::string CO_FCK;
    std::string CO_FYK;
    std::string CO_ANCHOR;
    std::string TX_MCP;
    std::string TX_MD;
};

// The texts of the confinement window and the position of its section list
// (0 circular, 1 square, 2 rectangular).
struct Textos_Confina {
    std::string TX_DIAM;
    std::string TX_LADOMENOR;
    std::string CO_FCK;
    std::string TX_NCP;
    std::string TX_INCR;
    int CO_SECCION = 0;
};

// Test every field, then store all of them (absolute values) or none.
// No message; the safety coefficients, Predeformacion and Tipo_Seccion are
// never touched.
void Recoger_Datos_Rect(const Textos_Flexion& textos);
void Recoger_Datos_T(const Textos_Flexion& textos);
void Recoger_Datos_Confina(const Textos_Confina& textos);

// True when file is the one the case was last read from or written to and
// another program has written it since (size, modification time or
// identity). A file that is gone now, or was never read or written here,
// gives false.
bool Cambiado_Por_Otro(const std::string& file);

// The text of the message shown for a run-time failure.
std::string Texto_Fallo(const Failure& f);

}  // namespace fichero
