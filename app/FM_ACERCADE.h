// The about box "Acerca de VORLANT®": title, version, the product picture,
// the developer's credit and logo; "Aceptar" closes it (Enter and Esc too).
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class FM_ACERCADE : public QDialog {
    Q_OBJECT

public:
    explicit FM_ACERCADE(QWidget* parent = nullptr);

    // The developer's logo drawn by the program (60 x 39 pixels).
    static QPixmap Dibujo_Logo();

    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Image1 = nullptr;
    QPushButton* cmdOK = nullptr;
};
