#include "windows/FM_FLEXION.h"

#include "engine/General.h"

FM_FLEXION::FM_FLEXION(windows::FrameHooks& hooks, QWidget* parent)
    : windows::Ventana_Flexion(windows::DesignKind::Flexion, hooks, parent) {
    setObjectName(QStringLiteral("FM_FLEXION"));
}

void FM_FLEXION::Dibujar_Seccion() { Grafico::Dibujar_Seccion_Rect(); }
void FM_FLEXION::Dibujar_Capas() { Grafico::Dibujar_Mu_Capas_Rect(); }
void FM_FLEXION::Dibujar_Deformaciones() { Grafico::Dibujar_Deformaciones_Rect(); }
void FM_FLEXION::Dibujar_Armadura() { Grafico::Dibujar_Mu_Armadura_Rect(); }
void FM_FLEXION::Recoger(const fichero::Textos_Flexion& textos) {
    fichero::Recoger_Datos_Rect(textos);
}
