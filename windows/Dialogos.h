// The modal dialogs that the design windows open.
#pragma once

class QWidget;

namespace windows {

// FM_COEF, the safety coefficients: shown modally over padre; returns when
// it has closed, by accepting or cancelling.
void Mostrar_FM_COEF(QWidget* padre);

// FM_ANCLAJE, the anchorage lengths of Longitud_Anclaje (already computed):
// shown modally over padre; returns when it has closed.
void Mostrar_FM_ANCLAJE(QWidget* padre);

}  // namespace windows
