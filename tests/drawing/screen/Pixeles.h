// Pixel counts of the painted areas.
#pragma once

#include <QImage>

// How many pixels of the image have this colour (alpha ignored).
inline int Contar(const QImage& img, QRgb color) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF)) ++n;
    return n;
}
