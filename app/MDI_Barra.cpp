// The frame's toolbar: its creation, its click handler, and the child frames
// kept thin so that every design window shows whole below the bar.
#include "app/MDI_PRINCIPAL.h"
#include "app/TB_BARRA.h"
#include "engine/General.h"
#include "platform/Messages.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QProxyStyle>
#include <QStyleOption>

#include <exception>
#include <functional>

namespace {

// A child frame with a thin border and a low title bar.
class Estilo_Subventana : public QProxyStyle {
public:
    Estilo_Subventana() : QProxyStyle(QStringLiteral("Fusion")) {}
    int pixelMetric(PixelMetric m, const QStyleOption* o, const QWidget* w) const override {
        switch (m) {
        case PM_TitleBarHeight: return kTitulo;
        case PM_MdiSubWindowFrameWidth: return 1;
        case PM_TitleBarButtonIconSize: return 10;
        case PM_TitleBarButtonSize: return kTitulo - 2;
        default: return QProxyStyle::pixelMetric(m, o, w);
        }
    }
    static constexpr int kTitulo = 16;
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
    connect(TB_BARRA, &Barra_Herramientas::ButtonClick, this,
            &MDI_PRINCIPAL::TB_BARRA_ButtonClick);
}

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
