// FM_FLEXIONT: flexural strengthening of a T section. The flexure window
// with the web width and the flange depth, the T procedures and file kind 2.
#pragma once

#include "windows/Ventana_Flexion.h"

class FM_FLEXIONT : public windows::Ventana_Flexion {
    Q_OBJECT
public:
    explicit FM_FLEXIONT(windows::FrameHooks& hooks, QWidget* parent = nullptr);

protected:
    void Dibujar_Seccion() override;
    void Dibujar_Capas() override;
    void Dibujar_Deformaciones() override;
    void Dibujar_Armadura() override;
    void Recoger(const fichero::Textos_Flexion& textos) override;
};
