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

// The text without its blanks (spaces and tabs) at either end.
std::string Recortar(const std::string& texto);

}  // namespace Decimales
