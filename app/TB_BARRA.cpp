#include "app/TB_BARRA.h"

#include <QAction>
#include <QApplication>
#include <QLayout>
#include <QPainter>
#include <QPainterPath>
#include <QProxyStyle>
#include <QStyleOption>
#include <QToolButton>

namespace {

// Metrics of a bar that takes as little height as the pictures allow.
class Estilo_Compacto : public QProxyStyle {
public:
    Estilo_Compacto() : QProxyStyle(QStringLiteral("Fusion")) {}
    int pixelMetric(PixelMetric m, const QStyleOption* o, const QWidget* w) const override {
        switch (m) {
        case PM_ToolBarFrameWidth: return 0;
        case PM_ToolBarItemMargin: return 0;
        case PM_ToolBarItemSpacing: return 0;
        case PM_ToolBarSeparatorExtent: return 8;
        case PM_ToolBarIconSize: return 16;
        case PM_ButtonMargin: return 0;
        default: return QProxyStyle::pixelMetric(m, o, w);
        }
    }
    QSize sizeFromContents(ContentsType t, const QStyleOption* o, const QSize& s,
                           const QWidget* w) const override {
        // Two pixels round the picture: room for the raised border only.
        if (t == CT_ToolButton) return s + QSize(6, 4);  // 22 x 19
        return QProxyStyle::sizeFromContents(t, o, s, w);
    }
};

QStyle* estiloCompacto() {
    static Estilo_Compacto* estilo = [] {
        auto* e = new Estilo_Compacto;
        e->setParent(qApp);
        return e;
    }();
    return estilo;
}

const QColor kNegro(0, 0, 0);
const QColor kBlanco(255, 255, 255);

void Carpeta(QPainter& p) {
    p.setPen(kNegro);
    p.setBrush(QColor(255, 224, 96));
    p.drawRect(1, 4, 12, 9);
    p.drawRect(1, 2, 5, 2);
    p.setBrush(QColor(255, 200, 40));
    QPolygon tapa{{3, 7}, {15, 7}, {13, 13}, {1, 13}};
    p.drawPolygon(tapa);
}

void Disco(QPainter& p) {
    p.setPen(kNegro);
    p.setBrush(QColor(40, 60, 160));
    p.drawRect(1, 1, 13, 13);
    p.setBrush(kBlanco);
    p.drawRect(4, 1, 7, 5);
    p.fillRect(8, 2, 2, 3, kNegro);
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(3, 9, 9, 5);
}

void Impresora(QPainter& p) {
    p.setPen(kNegro);
    p.setBrush(kBlanco);
    p.drawRect(4, 1, 8, 5);
    p.setBrush(QColor(176, 176, 176));
    p.drawRect(1, 6, 14, 6);
    p.setBrush(kBlanco);
    p.drawRect(4, 10, 8, 4);
    p.fillRect(12, 8, 2, 1, QColor(0, 160, 0));
}

void Curvas(QPainter& p) {
    p.setPen(kNegro);
    p.drawLine(1, 0, 1, 14);
    p.drawLine(1, 14, 15, 14);
    p.setPen(QColor(255, 0, 0));
    p.drawLine(2, 13, 12, 2);
    p.setPen(QColor(214, 204, 31));
    p.drawLine(2, 13, 15, 7);
}

void Rectangular(QPainter& p) {
    p.setPen(kNegro);
    p.setBrush(QColor(176, 176, 176));
    p.drawRect(4, 0, 8, 12);
    p.fillRect(3, 13, 11, 2, kNegro);
}

void Seccion_T(QPainter& p) {
    p.setPen(kNegro);
    p.setBrush(QColor(176, 176, 176));
    QPolygon t{{0, 0}, {15, 0}, {15, 3}, {10, 3}, {10, 12}, {5, 12}, {5, 3}, {0, 3}};
    p.drawPolygon(t);
    p.fillRect(4, 13, 8, 2, kNegro);
}

void Confinado(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kNegro, 2));
    p.setBrush(QColor(176, 176, 176));
    p.drawEllipse(QRectF(1.5, 1, 13, 13));
}

// A letter on a filled circle with a dark blue rim.
void Letra_En_Circulo(QPainter& p, const QColor& relleno, const QString& familia,
                      const QColor& tinta, const QString& letra) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0, 0, 128));
    p.setBrush(relleno);
    p.drawEllipse(QRectF(0.5, 0.5, 14, 14));
    QFont f(familia);
    f.setPixelSize(12);
    f.setBold(true);
    p.setFont(f);
    p.setPen(tinta);
    p.drawText(QRect(0, 0, 16, 15), Qt::AlignCenter, letra);
}

void Pregunta(QPainter& p) {
    Letra_En_Circulo(p, QColor(255, 255, 160), QStringLiteral("Arial"), QColor(0, 0, 128),
                     QStringLiteral("?"));
}

void Libro(QPainter& p) {
    p.setPen(kNegro);
    p.setBrush(QColor(160, 0, 0));
    p.drawRect(2, 0, 11, 14);
    p.setBrush(kBlanco);
    p.drawRect(4, 3, 7, 3);
    p.drawLine(3, 13, 12, 13);
}

void Globo(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0, 64, 160));
    p.setBrush(QColor(120, 180, 255));
    const QRectF r(1, 0.5, 14, 14);
    p.drawEllipse(r);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(5, 0.5, 6, 14));
    p.drawLine(QPointF(1, 7.5), QPointF(15, 7.5));
    p.drawLine(QPointF(8, 0.5), QPointF(8, 14.5));
}

void Sobre(QPainter& p) {
    p.setPen(kNegro);
    p.setBrush(kBlanco);
    p.drawRect(0, 2, 15, 10);
    p.drawLine(0, 2, 7, 8);
    p.drawLine(8, 8, 15, 2);
}

void Informacion(QPainter& p) {
    Letra_En_Circulo(p, QColor(0, 0, 160), QStringLiteral("Times New Roman"), kBlanco,
                     QStringLiteral("i"));
}

}  // namespace

const std::array<Barra_Herramientas::Boton, 15>& Barra_Herramientas::Botones() {
    static const std::array<Boton, 15> tabla{{
        {nullptr, 0, nullptr, true},
        {"Abrir", 1, "Abrir", true},
        {"Guardar", 2, "Guardar", false},
        {"Imprimir", 3, "Imprimir", false},
        {nullptr, 0, nullptr, true},
        {"Carac", 4, "Características mecánicas", true},
        {"FlexionR", 5, "Refuerzo a flexión. Sección rectangular", true},
        {"FlexionT", 6, "Refuerzo a flexión. Sección en T", true},
        {"Confina", 7, "Refuerzo de confinamiento", true},
        {nullptr, 0, nullptr, true},
        {"Ayuda", 8, "Ayuda del programa", true},
        {"Guia", 9, "Manual de referencia", true},
        {"Web", 10, "Kestram en la web", true},
        {"Mail", 11, "Contactar con Kestram", true},
        {"Info", 12, "Acerca de...", true},
    }};
    return tabla;
}

QPixmap Barra_Herramientas::Imagen(int k) {
    QPixmap pm(16, 15);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    using Dibujo = void (*)(QPainter&);
    static const Dibujo dibujos[] = {Carpeta,   Disco,     Impresora, Curvas,
                                     Rectangular, Seccion_T, Confinado, Pregunta,
                                     Libro,     Globo,     Sobre,     Informacion};
    if (k >= 1 && k <= 12) dibujos[k - 1](p);
    return pm;
}

Barra_Herramientas::Barra_Herramientas(QWidget* parent) : QToolBar(parent) {
    setObjectName(QStringLiteral("TB_BARRA"));
    setStyle(estiloCompacto());
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setIconSize(QSize(16, 15));
    setContextMenuPolicy(Qt::PreventContextMenu);
    setContentsMargins(0, 0, 0, 0);
    if (layout()) {
        layout()->setContentsMargins(2, 0, 2, 0);
        layout()->setSpacing(0);
    }
    for (const Boton& b : Botones()) {
        if (!b.clave) {
            addSeparator();
            continue;
        }
        const QString clave = QString::fromLatin1(b.clave);
        QAction* a = addAction(QIcon(Imagen(b.imagen)), QString());
        a->setObjectName(clave);
        a->setToolTip(QString::fromUtf8(b.ayuda));
        a->setEnabled(b.activo);
        if (QWidget* w = widgetForAction(a)) {
            w->setObjectName(clave);
            w->setAccessibleName(a->toolTip());  // a picture only
            w->setStyle(estiloCompacto());
            w->setFocusPolicy(Qt::NoFocus);
        }
        connect(a, &QAction::triggered, this, [this, clave] { emit ButtonClick(clave); });
    }
}

QAction* Barra_Herramientas::Boton_Clave(const QString& clave) const {
    for (QAction* a : actions())
        if (!a->isSeparator() && a->objectName() == clave) return a;
    return nullptr;
}

void Activar_Boton(Barra_Herramientas* barra, const char* clave, bool activo) {
    if (!barra) return;
    if (QAction* a = barra->Boton_Clave(QString::fromLatin1(clave))) a->setEnabled(activo);
}

bool Boton_Activo(const Barra_Herramientas* barra, const char* clave) {
    const QAction* a = barra ? barra->Boton_Clave(QString::fromLatin1(clave)) : nullptr;
    return a && a->isEnabled();
}
