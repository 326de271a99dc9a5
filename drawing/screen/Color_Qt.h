// The Qt colour of a 24-bit colour value as the drawings keep it (red in the
// low byte, blue in the high one).
#pragma once

#include <QColor>
#include <cstdint>

inline QColor Color_Qt(uint32_t c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}
