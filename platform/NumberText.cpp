#include "platform/NumberText.h"

#include "engine/Decimales.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <string>

namespace platform {

namespace {

// Decimals of a pattern "0" or "0.00...0"; -1 for anything else.
int decimalsOf(const QString& pattern) {
    if (pattern == QLatin1String("0")) return 0;
    if (pattern.size() < 3 || !pattern.startsWith(QLatin1String("0."))) return -1;
    for (int i = 2; i < pattern.size(); ++i)
        if (pattern.at(i) != QLatin1Char('0')) return -1;
    return static_cast<int>(pattern.size()) - 2;
}

bool allAts(const QString& pattern) {
    if (pattern.isEmpty()) return false;
    for (QChar ch : pattern)
        if (ch != QLatin1Char('@')) return false;
    return true;
}

// Shortest fixed-notation text of |value| that reads back as the value.
std::string shortestFixed(double value) {
    char buffer[400];
    auto res = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                             std::chars_format::fixed);
    return std::string(buffer, res.ptr);
}

// Rounds a plain decimal text ("123.456") to `decimals`, half away from zero.
std::string roundText(const std::string& text, int decimals) {
    std::string whole = text, frac;
    const std::size_t point = text.find('.');
    if (point != std::string::npos) {
        whole = text.substr(0, point);
        frac = text.substr(point + 1);
    }
    bool up = frac.size() > static_cast<std::size_t>(decimals) && frac[decimals] >= '5';
    frac.resize(decimals, '0');
    std::string digits = whole + frac;
    if (up) {
        int i = static_cast<int>(digits.size()) - 1;
        while (i >= 0 && digits[i] == '9') digits[i--] = '0';
        if (i >= 0)
            ++digits[i];
        else
            digits.insert(digits.begin(), '1');
    }
    const std::size_t wholeLength = digits.size() - decimals;
    std::string result = digits.substr(0, wholeLength);
    if (result.empty()) result = "0";
    if (decimals > 0) result += "." + digits.substr(wholeLength);
    return result;
}

QString localised(const std::string& plain, bool negative) {
    const QLocale locale;
    QString text = QString::fromLatin1(plain.c_str());
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    const bool zero = plain.find_first_not_of("0.") == std::string::npos;
    if (negative && !zero) text.prepend(locale.negativeSign());
    return text;
}

}  // namespace

QString formatNumber(double value, const QString& pattern) {
    if (!std::isfinite(value)) return QString();
    const bool negative = std::signbit(value);
    const int decimals = decimalsOf(pattern);
    if (decimals >= 0) return localised(roundText(shortestFixed(value), decimals), negative);
    const QString shortest = localised(shortestFixed(value), negative);
    return allAts(pattern) ? formatText(shortest, pattern) : shortest;
}

QString formatText(const QString& text, const QString& pattern) {
    if (!allAts(pattern)) return text;
    return text.rightJustified(pattern.size(), QLatin1Char(' '), false);
}

double readShown(const QString& text, bool* ok) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    bool good = false;
    double value = locale.toDouble(text.trimmed(), &good);
    if (!good || !std::isfinite(value)) {
        good = false;
        value = 0;
    }
    if (ok) *ok = good;
    return value;
}

bool isNumber(const QString& text) { return Decimales::Es_Numero(text.toStdString()); }

double typedValue(const QString& text) {
    return std::fabs(Decimales::Convertir_Numero(Decimales::Recortar(text.toStdString())));
}

}  // namespace platform
