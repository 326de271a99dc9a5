#include "windows/FM_ANCLAJE.h"
#include "windows/Dibujos_Ventana.h"
#include "windows/Dialogos.h"

#include "engine/General.h"
#include "platform/Controls.h"
#include "platform/Grid.h"
#include "platform/Modal.h"
#include "platform/NumberText.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>

using platform::twips;

namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

// Dimension line between x1 and x2 at height y, with end ticks and arrows
// and its text above the middle.
void Cota(QPainter& p, double x1, double x2, double y, const QString& texto) {
    p.drawLine(QPointF(x1, y - 5), QPointF(x1, y + 5));
    p.drawLine(QPointF(x2, y - 5), QPointF(x2, y + 5));
    p.drawLine(QPointF(x1, y), QPointF(x2, y));
    const double a = 4;
    p.drawLine(QPointF(x1, y), QPointF(x1 + a, y - a / 2));
    p.drawLine(QPointF(x1, y), QPointF(x1 + a, y + a / 2));
    p.drawLine(QPointF(x2, y), QPointF(x2 - a, y - a / 2));
    p.drawLine(QPointF(x2, y), QPointF(x2 - a, y + a / 2));
    p.drawText(QRectF(x1 - 20, y - 16, x2 - x1 + 40, 14), Qt::AlignCenter, texto);
}

// A beam on two supports with its moment diagram below, the successive
// sheets under the beam ending staggered (d, then 15), and the anchorage
// length lb of the outer sheet measured along the beam.
QPixmap Dibujo_Anclaje() {
    const int W = 401, H = 211;
    QPixmap pm(W, H);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(11);
    p.setFont(f);

    const double x0 = 20, x1 = 381;  // supports
    const double yTop = 38, yBot = 68;  // beam faces
    const double xm = (x0 + x1) / 2;

    // Beam and supports.
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(225, 225, 225));
    p.drawRect(QRectF(x0 - 8, yTop, x1 - x0 + 16, yBot - yTop));
    p.setBrush(Qt::white);
    for (double x : {x0, x1}) {
        QPolygonF apoyo({QPointF(x, yBot), QPointF(x - 7, yBot + 10), QPointF(x + 7, yBot + 10)});
        p.drawPolygon(apoyo);
    }

    // Sheets under the beam, each shorter at both ends.
    const QColor rojo(200, 0, 0);
    const double capas[3][2] = {{60, 341}, {110, 291}, {148, 253}};
    for (int k = 0; k < 3; ++k) {
        const double y = yBot + 2 + 3 * k;
        p.setPen(QPen(rojo, 2.2));
        p.drawLine(QPointF(capas[k][0], y), QPointF(capas[k][1], y));
    }

    // Moment diagram (parabola) below the supports.
    const double yEje = 104, flecha = 70;
    QPainterPath ley;
    ley.moveTo(x0, yEje);
    for (int i = 1; i <= 60; ++i) {
        const double x = x0 + (x1 - x0) * i / 60.0;
        const double s = (x - x0) / (x1 - x0);
        ley.lineTo(x, yEje + 4 * flecha * s * (1 - s));
    }
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(210, 225, 245));
    p.drawPath(ley);
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(x0, yEje), QPointF(x1, yEje));
    p.drawText(QRectF(xm - 12, yEje + flecha - 20, 24, 14), Qt::AlignCenter, QStringLiteral("M"));

    // Dimensions on the left half: d and 15 between the staggered ends; lb
    // from the outer sheet's end to the section beyond which it is needed.
    p.setPen(QPen(Qt::black, 1));
    Cota(p, capas[0][0], capas[1][0], 22, QStringLiteral("d"));
    Cota(p, capas[1][0], capas[2][0], 22, QStringLiteral("15"));
    p.setPen(QPen(Qt::gray, 1, Qt::DotLine));
    for (const auto& capa : capas) p.drawLine(QPointF(capa[0], 27), QPointF(capa[0], yTop));

    const double xNecesaria = capas[0][0] + 42;
    const double sN = (xNecesaria - x0) / (x1 - x0);
    p.setPen(QPen(Qt::gray, 1, Qt::DashLine));
    p.drawLine(QPointF(xNecesaria, yBot + 10), QPointF(xNecesaria, yEje + 4 * flecha * sN * (1 - sN)));
    p.drawLine(QPointF(capas[0][0], yBot + 10), QPointF(capas[0][0], yBot + 30));
    p.setPen(QPen(rojo, 1));
    Cota(p, capas[0][0], xNecesaria, yBot + 26, QStringLiteral("lb"));

    p.setPen(Qt::black);
    p.drawText(QRectF(0, H - 20, W, 16), Qt::AlignCenter,
               Q("Escalonamiento de las capas y longitud de anclaje lb"));
    return pm;
}

}  // namespace

FM_ANCLAJE::FM_ANCLAJE(QWidget* parent) : QDialog(parent) {
    windows::Preparar_Dialogo(*this, "FM_ANCLAJE", Q("Longitud  neta de anclaje (Lb)"));

    FG_ANCLAJE = new platform::Grid(this);
    FG_ANCLAJE->setObjectName(QStringLiteral("FG_ANCLAJE"));
    FG_ANCLAJE->setAccessibleName(windowTitle().simplified());
    FG_ANCLAJE->setGeometry(twips(120), twips(120), twips(5895), twips(1900));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(twips(120), twips(2040), twips(5895), twips(3135));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(Dibujo_Anclaje());

    CM_SALIR = new QPushButton(Q("Salir"), this);
    CM_SALIR->setObjectName(QStringLiteral("CM_SALIR"));
    CM_SALIR->setGeometry(twips(2160), twips(5280), twips(1695), twips(495));
    // Not a default button: Return in the grid does nothing.
    CM_SALIR->setAutoDefault(false);
    connect(CM_SALIR, &QPushButton::clicked, this, [this] { CM_SALIR_Click(); });

    setFixedSize(twips(6135), twips(5895));
}

void FM_ANCLAJE::Form_Load() { Llenar_Tabla_Anclaje(); }

void FM_ANCLAJE::CM_SALIR_Click() { accept(); }

// Return on "Salir" while it holds the focus presses it.
void FM_ANCLAJE::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && CM_SALIR->hasFocus()) {
        CM_SALIR->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FM_ANCLAJE::Llenar_Tabla_Anclaje() {
    const auto& c = General::Caso;
    const int nv = c.Num_Tipos_Refuerzo;
    const int nc = c.Num_Capas_Max;
    platform::Grid* g = FG_ANCLAJE;
    g->setRows(nc + 1);
    g->setRowHeightAll(twips(300));
    g->setCols(nv + 1);
    for (int j = 0; j <= nv; ++j) g->setColWidth(j, twips(1600));
    g->setColWidth(0, twips(1000));
    g->setCellText(0, 0, Q("Nº capas"));
    for (int j = 1; j <= nv; ++j)
        g->setCellText(0, j, QString::fromStdString(c.Nombre_Refuerzo.Leer(j).value_or("")));
    for (int n = 1; n <= nc; ++n) {
        g->setCellText(n, 0, QString::number(n));
        for (int j = 1; j <= nv; ++j) {
            // A table not computed shows empty cells.
            const auto lb = c.Longitud_Anclaje.Leer(j, n);
            g->setCellText(n, j, lb ? platform::formatNumber(*lb, QStringLiteral("0.00")) + " m"
                                    : QString());
        }
    }
    g->setRow(1);
    g->setCol(1);
}

namespace windows {

void Mostrar_FM_ANCLAJE(QWidget* padre) {
    FM_ANCLAJE dialogo(padre);
    dialogo.Form_Load();
    platform::runModal(dialogo);
}

}  // namespace windows
