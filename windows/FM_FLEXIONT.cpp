#include "windows/FM_FLEXIONT.h"

FM_FLEXIONT::FM_FLEXIONT(windows::FrameHooks& hooks, QWidget* parent)
    : windows::Ventana_Flexion(windows::DesignKind::FlexionT, hooks, parent) {
    setObjectName(QStringLiteral("FM_FLEXIONT"));
}

void FM_FLEXIONT::Dibujar_Seccion() { Grafico::Dibujar_Seccion_T(); }
void FM_FLEXIONT::Dibujar_Capas() { Grafico::Dibujar_Mu_Capas_T(); }
void FM_FLEXIONT::Dibujar_Deformaciones() { Grafico::Dibujar_Deformaciones_T(); }
void FM_FLEXIONT::Dibujar_Armadura() { Grafico::Dibujar_Mu_Armadura_T(); }
void FM_FLEXIONT::Recoger(const fichero::Textos_Flexion& textos) {
    fichero::Recoger_Datos_T(textos);
}
