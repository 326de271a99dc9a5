// FM_FLEXION: flexural strengthening of a rectangular section.
#pragma once

#include "windows/Ventana_Flexion.h"

class FM_FLEXION : public windows::Ventana_Flexion {
    Q_OBJECT
public:
    explicit FM_FLEXION(windows::FrameHooks& hooks, QWidget* parent = nullptr);

protected:
    void Dibujar_Seccion() override;
    void Dibujar_Capas() override;
    void Dibujar_Deformaciones() override;
    void Dibujar_Armadura() override;
    void Recoger(const fichero::Textos_Flexion& textos) override;
};
