// Numbers as the user sees them: fixed patterns with the decimal separator
// of the current default QLocale (the user's locale; tests set it with
// QLocale::setDefault) and no grouping.
#pragma once

#include <QString>

namespace platform {

// The decimal separator the program shows: the current default locale's
// when it is "," or ".", otherwise ",", so that every shown number passes
// the program's own number test.
QString shownDecimalPoint();

// Patterns "0", "0.0", "0.00", "0.000", "0.000000" (any count of zeros after
// the point): fixed decimals, at least one digit before the separator.
// Rounding is half away from zero on the shortest decimal text of the value
// (so 2.675 gives "2,68", 0.125 gives "0,13"). A value that rounds to zero
// is shown without sign: -0.0001 with "0.000" gives "0,000".
// A pattern of n "@" writes the shortest text of the value right-aligned in
// n characters. Infinite or NaN values give an empty text.
QString formatNumber(double value, const QString& pattern);

// formatNumber with the pattern of that many decimals: "0", "0.0", "0.00" ...
QString formatNumber(double value, int decimals);

// Pattern of n "@": the text right-aligned in n characters (blanks in front
// of a shorter text; a longer text unchanged). Other patterns: the text.
QString formatText(const QString& text, const QString& pattern);

// Reads a text the program showed, with the shown decimal separator
// (blanks at either end allowed, group separators refused). On failure
// returns 0 and sets *ok false.
double readShown(const QString& text, bool* ok = nullptr);

// The number test of typed fields (Decimales::Es_Numero) and the typed
// value: the absolute value Decimales::Convertir_Numero reads from the text
// without its blanks at either end.
bool isNumber(const QString& text);
double typedValue(const QString& text);

}  // namespace platform
