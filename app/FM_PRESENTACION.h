// Splash window shown while the program starts. It closes itself after its
// timer, on a click on its free area, its frame or one of its labels (not the
// picture nor the name), or on any key; the main frame may close it too.
// Presentacion_Visible is True exactly while it is loaded.
#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QTimer;

class FM_PRESENTACION : public QWidget {
    Q_OBJECT

public:
    static constexpr int kIntervaloTM = 15000;  // milliseconds

    // Deletes itself when closed.
    explicit FM_PRESENTACION(QWidget* parent = nullptr);

    // Load step: flag True and the timer started with the given interval.
    void Form_Load(int intervalo = kIntervaloTM);

    // The product picture drawn by the program (447 x 231 pixels).
    static QPixmap Dibujo_Producto();

    QTimer* TM = nullptr;
    QFrame* Frame1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* LB_NOMBRE = nullptr;
    QLabel* LB_VERSION = nullptr;
    QLabel* LB_COMENTARIOS = nullptr;
    QLabel* LB_AUTOR = nullptr;

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void TM_Timer();
    void Form_Unload();

    QObject* pulsado_ = nullptr;  // where the left button went down
};
