#include "windows/FM_FLEXION.h"

#include "engine/General.h"

using windows::flexion::Campo;

FM_FLEXION::FM_FLEXION(windows::FrameHooks& hooks, QWidget* parent)
    : windows::Ventana_Flexion(1, Grafico::Ventana::FM_FLEXION, hooks, parent) {
    setObjectName(QStringLiteral("FM_FLEXION"));
}

void FM_FLEXION::Dibujar_Seccion() { Grafico::Dibujar_Seccion_Rect(); }
void FM_FLEXION::Dibujar_Capas() { Grafico::Dibujar_Mu_Capas_Rect(); }
void FM_FLEXION::Dibujar_Deformaciones() { Grafico::Dibujar_Deformaciones_Rect(); }
void FM_FLEXION::Dibujar_Armadura() { Grafico::Dibujar_Mu_Armadura_Rect(); }
void FM_FLEXION::Recoger(const fichero::Textos_Flexion& textos) {
    fichero::Recoger_Datos_Rect(textos);
}

platform::LeaveResult FM_FLEXION::TX_ANCHO_LostFocus() { return Campo_LostFocus(Campo::Ancho); }
platform::LeaveResult FM_FLEXION::TX_CANTO_LostFocus() { return Campo_LostFocus(Campo::Canto); }
platform::LeaveResult FM_FLEXION::TX_RECUB_LostFocus() {
    return Campo_LostFocus(Campo::Recubrimiento);
}
platform::LeaveResult FM_FLEXION::TX_ASI_LostFocus() { return Campo_LostFocus(Campo::Armadura_Inf); }
platform::LeaveResult FM_FLEXION::TX_ASS_LostFocus() { return Campo_LostFocus(Campo::Armadura_Sup); }
platform::LeaveResult FM_FLEXION::CO_FCK_LostFocus() { return Campo_LostFocus(Campo::Fck); }
platform::LeaveResult FM_FLEXION::CO_FYK_LostFocus() { return Campo_LostFocus(Campo::Fyk); }
platform::LeaveResult FM_FLEXION::CO_ANCHOR_LostFocus() {
    return Campo_LostFocus(Campo::Ancho_Refuerzo);
}
platform::LeaveResult FM_FLEXION::TX_MCP_LostFocus() {
    return Campo_LostFocus(Campo::Momento_Actual);
}
platform::LeaveResult FM_FLEXION::TX_MD_LostFocus() {
    return Campo_LostFocus(Campo::Momento_Solicitante);
}

namespace {
const windows::DesignWindowRegistration registro(
    windows::DesignKind::Flexion,
    [](windows::FrameHooks& hooks) -> windows::DesignWindow* { return new FM_FLEXION(hooks); });
}  // namespace
