// FM_CONFIG_IMPR: picks the program's printer among those the platform
// lists. It preselects the printer the next print will use (none when no
// print can be made now). "Seleccionar" makes the printer whose name is
// shown current and keeps the dialog open; "Salir" closes it.
#pragma once

#include <QDialog>

#include <string>

class QComboBox;
class QLabel;
class QPushButton;

class FM_CONFIG_IMPR : public QDialog {
    Q_OBJECT
public:
    explicit FM_CONFIG_IMPR(QWidget* parent = nullptr);

    void Form_Load();
    void CM_SELECCIONAR_Click();
    void CM_SALIR_Click();

    QLabel* LB_IMPRESORA = nullptr;
    QComboBox* CO_IMPRESORA = nullptr;
    QPushButton* CM_SELECCIONAR = nullptr;
    QPushButton* CM_SALIR = nullptr;

    // Why the list is incomplete after Form_Load (the printing system did
    // not answer); "" when it is whole.
    std::string Error_Lista;
    // What the user must know of the printer in force after Form_Load (the
    // one chosen earlier has gone, the default does not exist); "" when
    // nothing.
    std::string Aviso;
};
