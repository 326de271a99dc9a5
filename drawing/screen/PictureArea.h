// The picture area of a drawing window: receives the renders of the display
// list for its window and paints them. Registers itself for its window on
// construction and withdraws (setting the element counters to 0) when it is
// destroyed.
#pragma once

#include <QFrame>
#include <memory>

#include "drawing/Grafico.h"
#include "drawing/Pantalla.h"

class PictureArea : public QFrame, public Grafico::Area_Dibujo {
    Q_OBJECT
public:
    // fuente_arial: labels in Arial (Liberation Sans); false: the widget's own
    // font (the confinement window's labels).
    explicit PictureArea(Grafico::Ventana ventana, QWidget* parent = nullptr,
                         bool fuente_arial = true);
    ~PictureArea() override;

    Grafico::Ventana Ventana_Area() const { return ventana_; }

    // Elements of the last render (the zoom may move them, then update()).
    const Grafico::Escena& Escena_Actual() const { return escena_; }
    Grafico::Escena& Escena_Actual() { return escena_; }

    // Area_Dibujo
    double Ancho_Interior() const override;
    double Alto_Interior() const override;
    const Grafico::Medidor_Texto& Medidor() const override;
    void Mostrar(Grafico::Escena escena) override;

    // Font of a label of the given size (points, held to a sane range).
    QFont Fuente(double puntos, bool negrita) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    class Medidor_Qt;
    Grafico::Ventana ventana_;
    bool fuente_arial_;
    Grafico::Escena escena_;
    std::unique_ptr<Medidor_Qt> medidor_;
};
