// Reading typed numbers: a comma or a point is the decimal separator,
// whatever the user's locale.
#pragma once

#include <string>

namespace Decimales {

// Reads a number from the start of the text, every "," taken as ".":
// sign, digits with at most one point, optional exponent (E or e, sign,
// digits). Reading stops at the first character that does not fit; a text
// that does not start with a number gives 0. Never fails; an overflowing
// value gives an infinity (which Es_Numero refuses).
double Convertir_Numero(const std::string& texto);

// The number test of every field and collector: true exactly when the text,
// blanks (spaces, tabs) at either end allowed, is a whole number that
// Convertir_Numero reads to its end: optional sign, digits with at most one
// decimal separator ("," or "."), at least one digit, optional exponent,
// and a finite value. A grouping separator ("1.250,5") is refused.
bool Es_Numero(const std::string& texto);

// Shortest plain decimal text ("0.05", "230000") of |valor| that reads back
// as the same value; valor must be finite.
std::string Texto_Corto(double valor);

// Text of a finite value with a fixed number of decimals and the given
// separator: at least one digit before it, halves rounded away from zero on
// the value's shortest decimal text (0.125 -> "0.13"), no sign for a value
// that rounds to zero (-0.0001 -> "0.000").
std::string Texto_Decimales(double valor, int decimales, const std::string& separador = ".");

// The value as Texto_Decimales shows it, read back: what every later reader
// of a field shown with that many decimals takes. Not finite: unchanged.
double Redondear(double valor, int decimales);

// The text without its blanks (spaces and tabs) at either end.
std::string Recortar(const std::string& texto);

}  // namespace Decimales
