#include "windows/Dibujos_Ventana.h"

#include <QDialog>

#include <QFont>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

#include "platform/Controls.h"

namespace windows {

QFont Fuente_Ventana() {
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(8);
    f.setWeight(QFont::Normal);
    f.setItalic(false);
    return f;
}

void Preparar_Dialogo(QDialog& dialogo, const char* nombre, const QString& titulo) {
    dialogo.setObjectName(QString::fromLatin1(nombre));
    dialogo.setWindowTitle(titulo);
    dialogo.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint);
    dialogo.setFont(Fuente_Ventana());
}

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

QLabel* Etiqueta_Logo(QWidget* ventana) {
    auto* logo = new QLabel(ventana);
    logo->setObjectName(QStringLiteral("IM_LOGO"));
    logo->setPixmap(Dibujo_Logo());
    logo->hide();
    return logo;
}

Imprimir::Imagen Imagen_Etiqueta(const QLabel& etiqueta) {
    Imprimir::Imagen img;
    const QPixmap pm = etiqueta.pixmap();
    if (pm.isNull()) return img;
    const QImage q = pm.toImage().convertToFormat(QImage::Format_ARGB32);
    img.Ancho = q.width();
    img.Alto = q.height();
    img.Pixeles.resize(static_cast<std::size_t>(img.Ancho) * static_cast<std::size_t>(img.Alto));
    for (int y = 0; y < q.height(); ++y) {
        const auto* fila = reinterpret_cast<const uint32_t*>(q.constScanLine(y));
        std::copy(fila, fila + q.width(),
                  img.Pixeles.begin() + static_cast<std::ptrdiff_t>(y) * img.Ancho);
    }
    return img;
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

QPushButton* Boton_Orden(QWidget* padre, const char* nombre, const char* ayuda,
                         const QIcon& icono, int x, int y, std::function<void()> accion) {
    using platform::twips;
    auto* boton = new QPushButton(padre);
    boton->setObjectName(QString::fromUtf8(nombre));
    boton->setToolTip(QString::fromUtf8(ayuda));
    boton->setAccessibleName(boton->toolTip());  // it shows a picture only
    boton->setIcon(icono);
    boton->setIconSize(QSize(32, 32));
    boton->setGeometry(twips(x), twips(y), twips(615), twips(615));
    QObject::connect(boton, &QPushButton::clicked, padre, std::move(accion));
    return boton;
}

}  // namespace windows
