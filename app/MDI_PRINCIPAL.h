// The main frame: a fixed window of 12000 x 9000 twips (800 x 600 pixels at
// 96 DPI) with the menu bar and an MDI area that holds at most one design
// window.
#pragma once

#include "app/FM_PRESENTACION.h"
#include "windows/DesignWindow.h"

#include <QBrush>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <map>
#include <memory>

class Barra_Herramientas;
class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace platform {
class WindowKeeper;
}

class MDI_PRINCIPAL : public QMainWindow, public windows::FrameHooks {
    Q_OBJECT

public:
    static constexpr int kAncho = 800;  // the smallest screen, in pixels
    static constexpr int kAlto = 600;
    static constexpr int kAnchoTwips = 12000;  // outer size
    static constexpr int kAltoTwips = 9000;

    explicit MDI_PRINCIPAL(QWidget* parent = nullptr);
    ~MDI_PRINCIPAL() override;

    // Load step: start flags, screen test, splash, case defaults. False when
    // the screen is too small: the program must end at once.
    bool MDIForm_Load();

    // Shows the frame at its fixed size in the centre of the screen.
    void Mostrar();

    // The client size the frame keeps: its outer size less the window
    // manager's frame, but never less than the menu bar, the toolbar and
    // the largest design window take.
    QSize Tamano_Cliente() const;

    // Closes the splash when it is loaded (free area, top menus, toolbar).
    void Cerrar_Presentacion();

    void mnuCalcularFlexion_Click();
    void mnuCalcularFlexionT_Click();
    void mnuCalcularConfina_Click();
    void mnuCalcularCarac_Click();
    void mnuPrincipalSalir_Click();

    // Open, Save and Save as of the data files.
    void mnuPrincipalAbrir_Click();
    void mnuPrincipalGuardar_Click();
    void mnuPrincipalGuardarcomo_Click();

    // Print command and printer selection.
    void mnuPrincipalImprimir_Click();
    void mnuPrincipalConfigurar_Click();

    // Help menu: help, user guide, web page, contact mail, about box.
    void mnuAyudaPrograma_Click();
    void mnuAyudaManual_Click();
    void mnuAyudaWeb_Click();
    void mnuAyudaContactar_Click();
    void mnuAyudaAcerca_Click();

    // Toolbar click: closes the splash and runs the command of the key;
    // no failure escapes it. The toolbar, the menu entries with their
    // shortcuts, the child frame's close box and the closing of the frame
    // reach their commands through one gate (Orden): while a message, a
    // dialog or a field's handler is in progress they wait until it has
    // returned. Called directly, these methods run at once.
    void TB_BARRA_ButtonClick(const QString& clave);

    // Closes the open design window, if any, with its save question. False
    // when the user abandoned the close: the window is still open and the
    // calling command must stop.
    bool Cerrar_Ventanas();

    // The frame's table of design windows: one factory per kind, the real
    // windows unless replaced. An empty factory removes the kind, whose
    // commands then do nothing.
    void Poner_Ventana(windows::DesignKind kind, windows::DesignWindowFactory crear);
    bool Hay_Ventana(windows::DesignKind kind) const { return fabricas_.count(kind) != 0; }

    // Shows the design window of kind for the case data as they are.
    void Mostrar_Caso(windows::DesignKind kind) { Mostrar_Ventana(kind); }

    // The design window on show, or nullptr.
    windows::DesignWindow* Ventana() const { return ventana_; }
    QMdiSubWindow* Subventana() const { return subventana_; }
    FM_PRESENTACION* Presentacion() const { return presentacion_; }
    QMdiArea* Area() const { return area_; }

    // The frame offers no menu of its bars: the toolbar is always on show.
    QMenu* createPopupMenu() override;

    void setEntryEnabled(windows::FrameEntry entry, bool enabled) override;
    bool entryEnabled(windows::FrameEntry entry) const;

    QMenu* mnuPrincipal = nullptr;
    QAction* mnuPrincipalAbrir = nullptr;
    QAction* mnuPrincipalGuardar = nullptr;
    QAction* mnuPrincipalGuardarcomo = nullptr;
    QAction* mnuPrincipalNada1 = nullptr;
    QAction* mnuPrincipalImprimir = nullptr;
    QAction* mnuPrincipalConfigurar = nullptr;
    QAction* mnuPrincipalNada2 = nullptr;
    QAction* mnuPrincipalSalir = nullptr;
    QMenu* mnuCalcular = nullptr;
    QAction* mnuCalcularFlexion = nullptr;
    QAction* mnuCalcularFlexionT = nullptr;
    QAction* mnuCalcularConfina = nullptr;
    QAction* mnuCalcularNada1 = nullptr;
    QAction* mnuCalcularCarac = nullptr;
    QMenu* mnuAyuda = nullptr;
    QAction* mnuAyudaPrograma = nullptr;
    QAction* mnuAyudaManual = nullptr;
    QAction* mnuAyudaNada1 = nullptr;
    QAction* mnuAyudaWeb = nullptr;
    QAction* mnuAyudaContactar = nullptr;
    QAction* mnuAyudaNada2 = nullptr;
    QAction* mnuAyudaAcerca = nullptr;
    Barra_Herramientas* TB_BARRA = nullptr;

signals:
    // The program ends (exit command or the frame closed).
    void terminado();

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void Orden(const QString& clave, std::function<void()> paso);
    void Crear_Menus();
    void Crear_Barra();
    void Poner_Fondo(const QSize& area);
    static void Compactar_Subventana(QMdiSubWindow* sub);
    void MDIForm_Activate();
    void Presentacion_Delante();
    void MDIForm_Click();
    void MDIForm_Resize();
    void Nuevo_Caso(windows::DesignKind kind);
    void Mostrar_Ventana(windows::DesignKind kind);
    bool Descargar_Ventana(bool diferido = false);
    void Cerrar_Sesion_Correo();
    void Terminar(bool cerrarMarco);
    void Subventana_Activada(QMdiSubWindow* sub);
    bool Abrir_Con_Teclas(QObject* watched, QEvent* e);
    void Abrir_Fichero();
    void Guardar(bool pedirNombre);
    windows::DesignWindow* Ventana_Caso() const;

    QMdiArea* area_ = nullptr;
    std::map<windows::DesignKind, windows::DesignWindowFactory> fabricas_;
    windows::DesignWindow* ventana_ = nullptr;
    QMdiSubWindow* subventana_ = nullptr;
    QPointer<FM_PRESENTACION> presentacion_;
    bool descargando_ = false;  // the frame itself is closing the child
    bool terminando_ = false;
    bool presentacionOtraVez_ = false;  // the splash came again over the frame
    std::unique_ptr<platform::WindowKeeper> guarda_;
    QSize lienzoFondo_;  // the layout of the background picture in force
    QSize lienzoAnterior_;  // the layout of the picture before it, kept
    QBrush fondoAnterior_;
    bool pulsadoLibre_ = false;  // left button went down on the free area
    bool abrirPendiente_ = false;  // Ctrl+A pressed, open command not run yet
    QObject* filtroTeclas_ = nullptr;
};
