// Reading colours off rendered widgets: a dark palette as a dark desktop
// theme gives the toolkit, the contrast ratio of two colours, and what a
// rectangle of a rendered image shows (its background and its text).
#pragma once

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QPalette>
#include <QRect>

#include <algorithm>
#include <cmath>
#include <map>

// Installs a dark application palette for its lifetime.
class Paleta_Oscura {
public:
    Paleta_Oscura() : antes_(QApplication::palette()) {
        QPalette p;
        const QColor fondo(45, 45, 45), campo(30, 30, 30), texto(238, 238, 236);
        p.setColor(QPalette::Window, fondo);
        p.setColor(QPalette::WindowText, texto);
        p.setColor(QPalette::Base, campo);
        p.setColor(QPalette::AlternateBase, fondo);
        p.setColor(QPalette::Text, texto);
        p.setColor(QPalette::Button, fondo);
        p.setColor(QPalette::ButtonText, texto);
        p.setColor(QPalette::ToolTipBase, campo);
        p.setColor(QPalette::ToolTipText, texto);
        p.setColor(QPalette::PlaceholderText, QColor(150, 150, 150));
        QApplication::setPalette(p);
    }
    ~Paleta_Oscura() { QApplication::setPalette(antes_); }
    Paleta_Oscura(const Paleta_Oscura&) = delete;
    Paleta_Oscura& operator=(const Paleta_Oscura&) = delete;

private:
    QPalette antes_;
};

// Relative luminance and contrast ratio of two colours (1 to 21).
inline double Luminancia(QColor c) {
    auto lineal = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lineal(c.redF()) + 0.7152 * lineal(c.greenF()) + 0.0722 * lineal(c.blueF());
}

inline double Contraste(QColor a, QColor b) {
    const double la = Luminancia(a), lb = Luminancia(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// What a rectangle of a rendered widget shows: its background (the colour
// of most pixels) and its text (the pixel that differs most from it).
struct Muestra {
    QColor fondo;
    QColor texto;
    double contraste() const { return Contraste(fondo, texto); }
};

inline Muestra Leer(const QImage& imagen, QRect r) {
    const QImage img = imagen.convertToFormat(QImage::Format_RGB32);
    r &= img.rect();
    std::map<QRgb, int> cuenta;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) ++cuenta[img.pixel(x, y)];
    Muestra m;
    if (cuenta.empty()) return m;
    m.fondo = QColor(std::max_element(cuenta.begin(), cuenta.end(), [](const auto& a, const auto& b) {
                         return a.second < b.second;
                     })->first);
    m.texto = m.fondo;
    for (const auto& [rgb, n] : cuenta)
        if (Contraste(QColor(rgb), m.fondo) > m.contraste()) m.texto = QColor(rgb);
    return m;
}

// Well above what anti-aliased light text on a light background reaches.
constexpr double kContrasteMinimo = 4.5;
