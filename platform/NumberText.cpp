#include "platform/NumberText.h"

#include "engine/Decimales.h"

#include <QLocale>

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

// A plain text of Decimales ("-12.5") with the shown decimal separator.
// The minus sign stays "-": every text written here must pass the
// program's own number test.
QString localised(const std::string& plain) {
    QString text = QString::fromStdString(plain);
    text.replace(QLatin1Char('.'), shownDecimalPoint());
    return text;
}

}  // namespace

QString shownDecimalPoint() {
    const QString point = QLocale().decimalPoint();
    if (point == QLatin1String(",") || point == QLatin1String(".")) return point;
    return QStringLiteral(",");
}

QString formatNumber(double value, const QString& pattern) {
    if (!std::isfinite(value)) return QString();
    const int decimals = decimalsOf(pattern);
    if (decimals >= 0) return localised(Decimales::Texto_Decimales(value, decimals));
    const bool sign = std::signbit(value) && value != 0;
    std::string corto = sign ? std::string("-") : std::string();
    corto += Decimales::Texto_Corto(value);
    const QString shortest = localised(corto);
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
    // A locale whose own separator is not shown: the program's texts.
    if (!good && shownDecimalPoint() != locale.decimalPoint() &&
        !text.contains(QLatin1Char('.')) && isNumber(text)) {
        value = Decimales::Convertir_Numero(Decimales::Recortar(text.toStdString()));
        good = true;
    }
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

QString formatNumber(double value, int decimals) {
    const QString pattern =
        decimals <= 0 ? QStringLiteral("0") : QStringLiteral("0.") + QString(decimals, u'0');
    return formatNumber(value, pattern);
}

}  // namespace platform
