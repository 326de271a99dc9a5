// The main frame's toolbar TB_BARRA: twelve picture buttons in four groups,
// each known by its key and running the command of one menu entry.
#pragma once

#include <QToolBar>

#include <array>

class QAction;

class Barra_Herramientas : public QToolBar {
    Q_OBJECT

public:
    // One position of the bar, in display order; a null key is a separator.
    struct Boton {
        const char* clave;
        int imagen;           // 1..12, 0 for a separator
        const char* ayuda;    // tooltip, UTF-8
        bool activo;          // state at start
    };
    static const std::array<Boton, 15>& Botones();

    // Image k (1..12) drawn by the program, 16 x 15 pixels, transparent
    // where the light grey background shows.
    static QPixmap Imagen(int k);

    explicit Barra_Herramientas(QWidget* parent = nullptr);

    // The button of a key, or nullptr.
    QAction* Boton_Clave(const QString& clave) const;

signals:
    // An enabled button was clicked; only its key travels.
    void ButtonClick(const QString& clave);
};

// Switches the button of a key; nothing when the bar or the key is missing.
void Activar_Boton(Barra_Herramientas* barra, const char* clave, bool activo);
// Whether the button of a key is enabled; false when the bar or the key is missing.
bool Boton_Activo(const Barra_Herramientas* barra, const char* clave);
