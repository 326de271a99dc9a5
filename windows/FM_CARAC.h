// FM_CARAC: the mechanical characteristics of one product variant at a time,
// its Km / design strain / design stress per number of layers and the
// stress-strain diagram of every variant.
#pragma once

#include "windows/DesignWindow.h"

class QGroupBox;
class QLabel;
class QRadioButton;
class PictureArea;

namespace platform {
class Grid;
class ReadOnlyBox;
}  // namespace platform

class FM_CARAC : public windows::DesignWindow {
    Q_OBJECT
public:
    explicit FM_CARAC(windows::FrameHooks& hooks, QWidget* parent = nullptr);

    windows::DesignKind kind() const override { return windows::DesignKind::Carac; }

    // DesignWindow
    void Form_Load() override;
    void Form_Activate() override;
    bool Form_Unload() override;
    Imprimir::Foto Foto_Informe() const override;

    // Handlers: the option has become selected.
    void OP_V20_Click();
    void OP_V30_Click();
    void OP_VMM_Click();

    // Fills the boxes and the grid for the selected variant and leaves it
    // loaded as the current variant (Km and Def_Calculo_Refuerzo included).
    void Mostrar_Caracteristicas();

    // The variant of the selected option: 1 OP_V20, 2 OP_V30, 3 OP_VMM.
    int Variante() const;

    QGroupBox* FR_VORLANT = nullptr;
    QRadioButton* OP_V20 = nullptr;
    QRadioButton* OP_V30 = nullptr;
    QRadioButton* OP_VMM = nullptr;
    platform::ReadOnlyBox* TX_ESPESOR = nullptr;
    platform::ReadOnlyBox* TX_E = nullptr;
    platform::ReadOnlyBox* TX_EPSU = nullptr;
    platform::Grid* FG_EPSD = nullptr;
    PictureArea* PIC_CARAC = nullptr;
    QLabel* IM_LOGO = nullptr;  // the printed product report takes its picture

private:
    void Elegir(int j);
};
