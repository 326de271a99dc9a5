// The frame's toolbar: its creation, its click handler, and the child frames
// kept thin so that every design window shows whole below the bar.
#include "app/MDI_PRINCIPAL.h"
#include "app/TB_BARRA.h"
#include "engine/General.h"
#include "platform/Messages.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>

#include <algorithm>
#include <exception>
#include <functional>
#include <utility>

namespace {

// A child frame with a thin border and a low title bar. At this height the
// base style's button glyphs shrink to a blob, so the minimise, restore and
// close buttons are drawn here: a bar, two windows and a cross.
class Estilo_Subventana : public QProxyStyle {
public:
    Estilo_Subventana() : QProxyStyle(QStringLiteral("Fusion")) {}
    int pixelMetric(PixelMetric m, const QStyleOption* o, const QWidget* w) const override {
        switch (m) {
        case PM_TitleBarHeight: return kTitulo;
        case PM_MdiSubWindowFrameWidth: return 1;
        case PM_TitleBarButtonIconSize: return 10;
        case PM_TitleBarButtonSize: return kBoton;
        default: return QProxyStyle::pixelMetric(m, o, w);
        }
    }
    // The buttons fill the bar's height, from the right edge: close, then
    // maximise or restore, then minimise; the caption ends before them.
    QRect subControlRect(ComplexControl cc, const QStyleOptionComplex* o, SubControl sc,
                         const QWidget* w) const override {
        const auto* barra = qstyleoption_cast<const QStyleOptionTitleBar*>(o);
        if (cc != CC_TitleBar || !barra ||
            (sc != SC_TitleBarCloseButton && sc != SC_TitleBarMaxButton &&
             sc != SC_TitleBarNormalButton && sc != SC_TitleBarMinButton &&
             sc != SC_TitleBarLabel))
            return QProxyStyle::subControlRect(cc, o, sc, w);
        const Qt::WindowFlags f = barra->titleBarFlags;
        const bool minimizada = barra->titleBarState & Qt::WindowMinimized;
        const bool maximizada = barra->titleBarState & Qt::WindowMaximized;
        const std::pair<SubControl, bool> orden[] = {
            {SC_TitleBarCloseButton, bool(f & Qt::WindowSystemMenuHint)},
            {SC_TitleBarMaxButton, (f & Qt::WindowMaximizeButtonHint) && !maximizada},
            {SC_TitleBarNormalButton, ((f & Qt::WindowMinimizeButtonHint) && minimizada) ||
                                          ((f & Qt::WindowMaximizeButtonHint) && maximizada)},
            {SC_TitleBarMinButton, (f & Qt::WindowMinimizeButtonHint) && !minimizada},
        };
        const QRect& r = barra->rect;
        const int lado = std::min(kBoton, r.height() - 2);
        int derecha = r.right() - 1;  // right edge of the next button
        for (const auto& [cual, hay] : orden) {
            if (!hay) continue;
            const QRect boton(derecha - lado + 1, r.top() + (r.height() - lado) / 2, lado, lado);
            if (cual == sc) return boton;
            derecha = boton.left() - 2;
        }
        if (sc != SC_TitleBarLabel) return {};
        QRect titulo = QProxyStyle::subControlRect(cc, o, sc, w);
        titulo.setRight(std::min(titulo.right(), derecha - 1));
        return titulo;
    }
    void drawComplexControl(ComplexControl cc, const QStyleOptionComplex* o, QPainter* p,
                            const QWidget* w) const override {
        const auto* barra = qstyleoption_cast<const QStyleOptionTitleBar*>(o);
        if (cc != CC_TitleBar || !barra) {
            QProxyStyle::drawComplexControl(cc, o, p, w);
            return;
        }
        constexpr SubControls propios =
            SC_TitleBarMinButton | SC_TitleBarNormalButton | SC_TitleBarCloseButton;
        QStyleOptionTitleBar resto(*barra);
        resto.subControls &= ~propios;
        QProxyStyle::drawComplexControl(cc, &resto, p, w);
        // A button the window does not have has no rectangle.
        for (SubControl cual :
             {SC_TitleBarMinButton, SC_TitleBarNormalButton, SC_TitleBarCloseButton})
            if (barra->subControls & cual) Dibujar_Boton(*barra, cual, p, w);
    }
    static constexpr int kTitulo = 16;
    static constexpr int kBoton = kTitulo - 2;

private:
    void Dibujar_Boton(const QStyleOptionTitleBar& barra, SubControl cual, QPainter* p,
                       const QWidget* w) const {
        const QRect r = subControlRect(CC_TitleBar, &barra, cual, w);
        if (!r.isValid()) return;
        const bool activa = barra.titleBarState & State_Active;
        const bool encima = (barra.activeSubControls & cual) && (barra.state & State_MouseOver);
        const bool pulsado = (barra.activeSubControls & cual) && (barra.state & State_Sunken);
        const QColor texto = activa ? barra.palette.highlightedText().color()
                                    : barra.palette.text().color();
        const QColor fondo = activa ? barra.palette.highlight().color()
                                    : barra.palette.window().color();
        p->save();
        p->setRenderHint(QPainter::Antialiasing);
        // The button: a rounded box a shade darker than the bar.
        const QRectF caja = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
        p->setPen(fondo.darker(170));
        p->setBrush(pulsado ? fondo.darker(140) : encima ? fondo.lighter(125) : fondo.darker(112));
        p->drawRoundedRect(caja, 2, 2);
        // The glyph in the title's colour, about two pixels thick, inside a
        // box 3.5 px in from the button's edge.
        const QRectF g = QRectF(r).adjusted(3.5, 3.5, -3.5, -3.5);
        QPen pluma(texto, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
        p->setBrush(Qt::NoBrush);
        if (cual == SC_TitleBarCloseButton) {
            pluma.setCapStyle(Qt::SquareCap);
            pluma.setWidthF(1.6);
            p->setPen(pluma);
            const QRectF x = g.adjusted(0.5, 0.5, -0.5, -0.5);
            p->drawLine(x.topLeft(), x.bottomRight());
            p->drawLine(x.topRight(), x.bottomLeft());
        } else if (cual == SC_TitleBarMinButton) {
            p->setPen(pluma);
            p->drawLine(QPointF(g.left(), g.bottom()), QPointF(g.right(), g.bottom()));
        } else {
            // Restore: a window behind another, the front one with a thick top edge.
            pluma.setWidthF(1);
            p->setPen(pluma);
            const qreal lado = g.width() * 0.7;
            const QRectF atras(g.right() - lado, g.top(), lado, lado);
            const QRectF delante(g.left(), g.bottom() - lado, lado, lado);
            p->drawRect(atras);
            p->fillRect(QRectF(delante).adjusted(-0.5, -0.5, 0.5, 0.5), fondo.darker(112));
            p->drawRect(delante);
            p->drawLine(QPointF(delante.left(), delante.top() + 1),
                        QPointF(delante.right(), delante.top() + 1));
        }
        p->restore();
    }
};

QStyle* estiloSubventana() {
    static Estilo_Subventana* estilo = [] {
        auto* e = new Estilo_Subventana;
        e->setParent(qApp);
        return e;
    }();
    return estilo;
}

}  // namespace

void MDI_PRINCIPAL::Crear_Barra() {
    TB_BARRA = new Barra_Herramientas(this);
    addToolBar(Qt::TopToolBarArea, TB_BARRA);
    // Through the frame's one gate, as the menu entries.
    connect(TB_BARRA, &Barra_Herramientas::ButtonClick, this, [this](const QString& clave) {
        Orden(QStringLiteral("Barra ") + clave, [this, clave] { TB_BARRA_ButtonClick(clave); });
    });
}

QMenu* MDI_PRINCIPAL::createPopupMenu() { return nullptr; }

void MDI_PRINCIPAL::Compactar_Subventana(QMdiSubWindow* sub) {
    sub->setStyle(estiloSubventana());
    QFont f = sub->font();
    f.setPointSizeF(8);
    f.setBold(true);
    sub->setFont(f);
}

void MDI_PRINCIPAL::TB_BARRA_ButtonClick(const QString& clave) {
    auto& c = General::Caso;
    try {
        if (TB_BARRA) TB_BARRA->repaint();
        Cerrar_Presentacion();
        // The keys in the order they are compared; the file commands run
        // their own steps so that this trap sees their failures.
        const std::pair<const char*, std::function<void()>> ordenes[] = {
            {"Abrir", [this] { Abrir_Fichero(); }},
            {"Guardar", [this] { Guardar(false); }},
            {"Imprimir", [this] { mnuPrincipalImprimir_Click(); }},
            {"FlexionR", [this] { mnuCalcularFlexion_Click(); }},
            {"Confina", [this] { mnuCalcularConfina_Click(); }},
            {"Carac", [this] { mnuCalcularCarac_Click(); }},
            {"FlexionT", [this] { mnuCalcularFlexionT_Click(); }},
            {"Ayuda", [this] { mnuAyudaPrograma_Click(); }},
            {"Guia", [this] { mnuAyudaManual_Click(); }},
            {"Web", [this] { mnuAyudaWeb_Click(); }},
            {"Mail", [this] { mnuAyudaContactar_Click(); }},
            {"Info", [this] { mnuAyudaAcerca_Click(); }},
        };
        for (const auto& [nombre, orden] : ordenes) {
            if (clave == QLatin1String(nombre)) {
                orden();
                break;
            }
        }
    } catch (...) {
        // A failure that no step has reported: said once, never in silence.
        c.Error_Datos = true;
        platform::showMessage("No se ha podido completar la operación solicitada.",
                              platform::Icon::Exclamation);
    }
}
