// The picture area of a drawing window: receives the renders of the display
// list for its window and paints them. Registers itself for its window on
// construction and withdraws (setting the element counters to 0) when it is
// destroyed. Every picture area has the zoom (drawing/Zoom.h): two left
// clicks pick a rectangle shown by its rubber band, a right click returns to
// the full view, Esc abandons a pick; the pointer is a magnifying glass.
#pragma once

#include <QFrame>
#include <memory>

#include "drawing/Grafico.h"
#include "drawing/Pantalla.h"
#include "drawing/Zoom.h"

class PictureArea : public QFrame, public Grafico::Area_Dibujo {
    Q_OBJECT
public:
    // fuente_arial: labels in Arial (Liberation Sans); false: the widget's own
    // font (the confinement window's labels).
    explicit PictureArea(General::DesignKind ventana, QWidget* parent = nullptr,
                         bool fuente_arial = true);
    ~PictureArea() override;

    // Elements of the last render, as the zoom left them.
    const Grafico::Escena& Escena_Actual() const { return escena_; }

    // Area_Dibujo
    double Ancho_Interior() const override;
    double Alto_Interior() const override;
    const Grafico::Medidor_Texto& Medidor() const override;
    void Mostrar(Grafico::Escena escena) override;
    Grafico::Escena* Escena_Render() override;
    Grafico::Marco_Zoom* Window_zoom() override { return &window_zoom_; }
    void Repintar() override { update(); }

    // Font of a label of the given size (points, held to a sane range).
    QFont Fuente(double puntos, bool negrita) const;

    // The magnifying-glass pointer, 32 x 32, hot spot (9, 8).
    static QCursor Cursor_Lupa();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    class Medidor_Qt;
    General::DesignKind ventana_;
    bool fuente_arial_;
    Grafico::Escena escena_;
    bool renderizado_ = false;  // something rendered here since it was created
    Grafico::Marco_Zoom window_zoom_;
    std::unique_ptr<Medidor_Qt> medidor_;
};
