#include "windows/Dibujos_Ventana.h"

#include <QFont>
#include <QPainter>

namespace windows {

QPixmap Dibujo_Logo() {
    QPixmap pm(336, 173);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.fillRect(0, 140, 336, 33, QColor(214, 204, 31));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(44);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(QRect(0, 20, 336, 60), Qt::AlignCenter, QStringLiteral("KESTRAM"));
    f.setPixelSize(28);
    p.setFont(f);
    p.setPen(Qt::red);
    p.drawText(QRect(0, 80, 336, 50), Qt::AlignCenter, QString::fromUtf8("VORLANT®"));
    return pm;
}

QIcon Icono_Boton(const std::function<void(QPainter&)>& dibujar) {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    {
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        dibujar(p);
    }
    return QIcon(pm);
}

void Dibujar_Calcular(QPainter& p) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(20);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QPen(Qt::black, 2));
    p.drawRect(3, 3, 26, 26);
    p.drawText(QRect(3, 3, 26, 26), Qt::AlignCenter, QStringLiteral("="));
}

}  // namespace windows
