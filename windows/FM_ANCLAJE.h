// FM_ANCLAJE: the net anchorage length of the sheets for every product
// variant and number of layers (Longitud_Anclaje, computed by the caller just
// before), with an explanatory drawing. Modal; edits nothing.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace platform {
class Grid;
}

class FM_ANCLAJE : public QDialog {
    Q_OBJECT
public:
    explicit FM_ANCLAJE(QWidget* parent = nullptr);

    void Form_Load();
    void CM_SALIR_Click();

    // Fills FG_ANCLAJE from Longitud_Anclaje.
    void Llenar_Tabla_Anclaje();

    platform::Grid* FG_ANCLAJE = nullptr;
    QLabel* Image1 = nullptr;
    QPushButton* CM_SALIR = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
