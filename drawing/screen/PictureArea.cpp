#include "drawing/screen/PictureArea.h"

#include <QBitmap>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <vector>

#include "drawing/General_dibujo.h"
#include "drawing/screen/Color_Qt.h"

namespace {

// Painting limits: coordinates beyond them are clipped or clamped, font sizes
// held within them, so no zoom can overflow the painter.
constexpr double kLimite = 1e5;
constexpr double kPuntosMin = 1;
constexpr double kPuntosMax = 1000;

double Limitar(double v) {
    if (!std::isfinite(v)) return 0;
    return std::clamp(v, -kLimite, kLimite);
}

// Clips the segment to the square of side 2 kLimite (Liang-Barsky); false when
// nothing of it lies inside.
bool Recortar(double& x1, double& y1, double& x2, double& y2) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return false;
    const double dx = x2 - x1, dy = y2 - y1;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 + kLimite, kLimite - x1, y1 + kLimite, kLimite - y1};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0) return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const double ax = x1 + t0 * dx, ay = y1 + t0 * dy;
    x2 = x1 + t1 * dx;
    y2 = y1 + t1 * dy;
    x1 = ax;
    y1 = ay;
    return true;
}

// Whether a box reaches into the painted area (elements wholly outside it are
// not painted).
bool Se_Ve(const QRectF& r, const QRectF& area) {
    return r.right() >= area.left() && r.left() <= area.right() && r.bottom() >= area.top() &&
           r.top() <= area.bottom();
}

QRectF Caja(const Grafico::Forma_Pantalla& f) {
    const double l = Limitar(f.Left), t = Limitar(f.Top);
    const double r = Limitar(f.Left + f.Width), b = Limitar(f.Top + f.Height);
    return QRectF(QPointF(l, t), QPointF(r, b)).normalized();
}

}  // namespace

class PictureArea::Medidor_Qt : public Grafico::Medidor_Texto {
public:
    explicit Medidor_Qt(const PictureArea& area) : area_(area) {}
    Grafico::Tamano_Texto Medir(const std::string& texto, double puntos, bool negrita) const override {
        const QFontMetricsF fm(area_.Fuente(puntos, negrita), const_cast<PictureArea*>(&area_));
        return {fm.horizontalAdvance(QString::fromStdString(texto)), fm.height()};
    }

private:
    const PictureArea& area_;
};

PictureArea::PictureArea(General::DesignKind ventana, QWidget* parent, bool fuente_arial)
    : QFrame(parent), ventana_(ventana), fuente_arial_(fuente_arial), medidor_(std::make_unique<Medidor_Qt>(*this)) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    // Its border and the outlines of the shapes are drawn in the text
    // colour: black on the forced white, whatever the theme.
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);  // Esc reaches the area once it was clicked
    setCursor(Cursor_Lupa());
    Grafico::Registrar_Area(ventana_, this);
}

PictureArea::~PictureArea() {
    if (Grafico::Area_Registrada(ventana_) == this) {
        // The window's elements vanish with it.
        auto& d = General_dibujo::Dibujo;
        d.N_Linea = d.N_Punto = d.N_Tit = d.N_Barra = d.N_Sec_rect = d.N_Sec_cir = 0;
    }
    Grafico::Quitar_Area(ventana_, this);
}

double PictureArea::Ancho_Interior() const { return contentsRect().width(); }
double PictureArea::Alto_Interior() const { return contentsRect().height(); }
const Grafico::Medidor_Texto& PictureArea::Medidor() const { return *medidor_; }

void PictureArea::Mostrar(Grafico::Escena escena) {
    escena_ = std::move(escena);
    renderizado_ = true;
    update();
}

Grafico::Escena* PictureArea::Escena_Render() { return renderizado_ ? &escena_ : nullptr; }

QCursor PictureArea::Cursor_Lupa() {
    // Monochrome: the bitmap's set pixels are black, the mask's set pixels
    // are drawn; a white lens inside a black ring, and a black handle.
    QBitmap forma(32, 32), mascara(32, 32);
    forma.fill(Qt::color0);
    mascara.fill(Qt::color0);
    {
        QPainter m(&mascara);
        m.setPen(QPen(Qt::color1, 1));
        m.setBrush(Qt::color1);
        m.drawEllipse(QPointF(9, 8), 7.5, 7.5);
        m.setPen(QPen(Qt::color1, 4, Qt::SolidLine, Qt::RoundCap));
        m.drawLine(QPointF(15, 14), QPointF(27, 26));
        QPainter f(&forma);
        f.setPen(QPen(Qt::color1, 2));
        f.setBrush(Qt::NoBrush);
        f.drawEllipse(QPointF(9, 8), 6.5, 6.5);
        f.setPen(QPen(Qt::color1, 4, Qt::SolidLine, Qt::RoundCap));
        f.drawLine(QPointF(15, 14), QPointF(27, 26));
    }
    return QCursor(forma, mascara, 9, 8);
}

void PictureArea::mousePressEvent(QMouseEvent* event) {
    QFrame::mousePressEvent(event);
    const QPointF pos = event->position() - QPointF(contentsRect().topLeft());
    int boton = 0;
    if (event->button() == Qt::LeftButton)
        boton = 1;
    else if (event->button() == Qt::RightButton)
        boton = 2;
    Grafico::Zoom_MouseDown(*this, ventana_, boton, pos.x(), pos.y());
    event->accept();
}

void PictureArea::mouseMoveEvent(QMouseEvent* event) {
    const QPointF pos = event->position() - QPointF(contentsRect().topLeft());
    Grafico::Zoom_MouseMove(*this, pos.x(), pos.y());
    event->accept();
}

void PictureArea::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Grafico::Zoom_KeyPress(*this, 27);
        event->accept();
        return;
    }
    QFrame::keyPressEvent(event);
}

QFont PictureArea::Fuente(double puntos, bool negrita) const {
    QFont f = fuente_arial_ ? QFont(QStringLiteral("Arial")) : font();
    if (!std::isfinite(puntos)) puntos = kPuntosMin;
    f.setPointSizeF(std::clamp(puntos, kPuntosMin, kPuntosMax));
    f.setBold(negrita);
    return f;
}

void PictureArea::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter p(this);
    const QRect cr = contentsRect();
    p.setClipRect(cr);
    p.translate(cr.topLeft());
    const QRectF visible(0, 0, cr.width(), cr.height());
    const QColor contorno = palette().color(QPalette::WindowText);

    // Filled shapes first, the earlier record on top of the later ones.
    struct Forma {
        const Grafico::Forma_Pantalla* f;
        int tipo;
    };
    std::vector<Forma> formas;
    for (const auto& f : escena_.Barra) formas.push_back({&f, General_dibujo::Elemento_Barra});
    for (const auto& f : escena_.Sec_rect) formas.push_back({&f, General_dibujo::Elemento_Sec_Rect});
    for (const auto& f : escena_.Sec_cir) formas.push_back({&f, General_dibujo::Elemento_Sec_Cir});
    std::stable_sort(formas.begin(), formas.end(),
                     [](const Forma& a, const Forma& b) { return a.f->Registro > b.f->Registro; });
    p.setPen(QPen(contorno, 1));
    for (const auto& [f, tipo] : formas) {
        const QRectF r = Caja(*f);
        if (!Se_Ve(r.adjusted(-1, -1, 1, 1), visible)) continue;
        p.setBrush(Color_Qt(f->Color));
        if (tipo == General_dibujo::Elemento_Barra) {
            p.drawRect(r);
        } else if (tipo == General_dibujo::Elemento_Sec_Rect) {
            const double radio = std::min(r.width(), r.height()) / 6;
            p.drawRoundedRect(r, radio, radio);
        } else {
            const double lado = std::min(r.width(), r.height());
            p.drawEllipse(QRectF(r.center().x() - lado / 2, r.center().y() - lado / 2, lado, lado));
        }
    }

    // Lines.
    p.setBrush(Qt::NoBrush);
    for (const auto& l : escena_.Linea) {
        if (l.Estilo == 0) continue;  // transparent
        QPen pen(Color_Qt(l.Color));
        pen.setWidth(l.Grosor);
        pen.setCapStyle(Qt::FlatCap);
        if (l.Grosor == 1) {
            switch (l.Estilo) {
                case 2: pen.setStyle(Qt::DashLine); break;
                case 3: pen.setDashPattern({1, 1}); break;
                case 4: pen.setStyle(Qt::DashDotLine); break;
                case 5: pen.setStyle(Qt::DashDotDotLine); break;
                default: break;
            }
        }
        p.setPen(pen);
        double x1 = l.x1, y1 = l.y1, x2 = l.x2, y2 = l.y2;
        if (!Recortar(x1, y1, x2, y2)) continue;
        const double g = l.Grosor;
        if (!Se_Ve(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized().adjusted(-g, -g, g, g), visible)) continue;
        p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    }

    // Markers: outline only.
    for (const auto& m : escena_.Punto) {
        if (!Se_Ve(Caja(m).adjusted(-1, -1, 1, 1), visible)) continue;
        p.setPen(QPen(Color_Qt(m.Color), 1));
        p.drawEllipse(Caja(m));
    }

    // Labels, transparent, drawn at the baseline.
    for (const auto& t : escena_.Tit) {
        if (!std::isfinite(t.Left) || !std::isfinite(t.Top) ||
            !Se_Ve(QRectF(t.Left, t.Top, std::max(t.Width, 0.0), std::max(t.Height, 0.0)), visible))
            continue;
        const QFont f = Fuente(t.Size, t.Bold);
        p.setFont(f);
        p.setPen(Color_Qt(t.Color));
        const QFontMetricsF fm(f, this);
        p.drawText(QPointF(Limitar(t.Left), Limitar(t.Top) + fm.ascent()), QString::fromStdString(t.Caption));
    }

    // The zoom's rubber band, over everything.
    if (window_zoom_.Visible) {
        p.setPen(QPen(QColor(128, 0, 0), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(Limitar(window_zoom_.Left), Limitar(window_zoom_.Top), Limitar(window_zoom_.Width),
                          Limitar(window_zoom_.Height)));
    }
}
