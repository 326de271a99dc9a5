#include "app/MDI_PRINCIPAL.h"

#include "app/Ayuda.h"
#include "app/FM_PRESENTACION.h"
#include "app/Fuente_Arial.h"
#include "app/TB_BARRA.h"
#include "app/fichero/fichero.h"
#include "engine/Caracteristicas.h"
#include "engine/General.h"
#include "platform/Busy.h"
#include "platform/CommandGate.h"
#include "platform/Controls.h"
#include "platform/FieldLeave.h"
#include "platform/FileDialogs.h"
#include "platform/Messages.h"
#include "platform/Picture.h"
#include "platform/Screen.h"
#include "platform/WindowKeeper.h"
#include "windows/FM_CARAC.h"
#include "windows/FM_CONFINA.h"
#include "windows/FM_FLEXION.h"
#include "windows/FM_FLEXIONT.h"
#include "windows/Grabar_Caso.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWindow>

#include <cmath>
#include <functional>
#include <optional>
#include <string>

using windows::DesignKind;
using windows::FrameEntry;

namespace {

// The free area the background picture is laid out on: the 798 x 564 of
// 96 DPI, scaled with the layout, or the free area itself when larger.
QSize Lienzo_Fondo(const QSize& area) {
    const double escala = platform::pixels(798) / 798.0;
    return QSize(static_cast<int>(std::ceil(area.width() / escala)),
                 static_cast<int>(std::ceil(area.height() / escala)))
        .expandedTo(QSize(798, 564));
}

// Background of the free client area: a patterned picture with the
// program's name, at least the frame's size and the free area's (a brush
// tiles, so the brush is larger than the area).
void Pintar_Fondo(QImage& fondo, const QColor& espacio, double escala, const QSize& lienzo) {
    fondo.fill(espacio);
    // The pattern covers the whole picture, so no plain band shows whatever
    // the free area's size; the gradient and the name span the free area.
    QPainter p(&fondo);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(escala, escala);
    const int ancho = std::max(lienzo.width(), static_cast<int>(std::ceil(fondo.width() / escala)));
    const int alto = std::max(lienzo.height(), static_cast<int>(std::ceil(fondo.height() / escala)));
    QLinearGradient g(0, 0, lienzo.width(), lienzo.height());
    g.setColorAt(0, QColor(96, 104, 116));
    g.setColorAt(1, QColor(52, 58, 66));
    p.fillRect(QRect(0, 0, ancho, alto), g);
    p.setPen(QPen(QColor(255, 255, 255, 18), 1));
    for (int x = -alto; x < ancho; x += 14) {
        p.drawLine(x, alto, x + alto, 0);
        p.drawLine(x, 0, x + alto, alto);
    }
    QFont titulo = Fuente_Arial(30, true);
    titulo.setPixelSize(40);  // 30 points at 96 DPI, scaled with the picture
    p.setFont(titulo);
    p.setPen(QColor(255, 255, 255, 60));
    p.drawText(QRect(QPoint(0, 0), lienzo), Qt::AlignCenter, QStringLiteral("KESTRAM - VORLANT®"));
}

QImage Dibujo_Fondo(const QColor& espacio, const QSize& area) {
    const QSize tamano = area.expandedTo(QSize(platform::twips(MDI_PRINCIPAL::kAnchoTwips),
                                               platform::twips(MDI_PRINCIPAL::kAltoTwips)));
    // The scale and the layout are the GUI thread's to read.
    const double escala = platform::pixels(798) / 798.0;
    const QSize lienzo = Lienzo_Fondo(area);
    return platform::drawPicture(tamano, QImage::Format_RGB32, [&](QImage& fondo) {
        Pintar_Fondo(fondo, espacio, escala, lienzo);
    });
}

// The child frame of a design window: fixed, without a maximise button.
constexpr Qt::WindowFlags kBanderasSubventana =
    Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

// An event filter that runs a function.
class Filtro_Eventos : public QObject {
public:
    Filtro_Eventos(std::function<bool(QObject*, QEvent*)> f, QObject* parent)
        : QObject(parent), f_(std::move(f)) {}
    bool eventFilter(QObject* watched, QEvent* e) override { return f_(watched, e); }

private:
    std::function<bool(QObject*, QEvent*)> f_;
};

QIcon Dibujo_Icono() {
    QPixmap pm(32, 32);
    pm.fill(QColor(0, 0, 128));
    QPainter p(&pm);
    p.setPen(QColor(255, 255, 0));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(24);
    f.setBold(true);
    p.setFont(f);
    p.drawText(pm.rect(), Qt::AlignCenter, QStringLiteral("K"));
    return QIcon(pm);
}

}  // namespace

MDI_PRINCIPAL::MDI_PRINCIPAL(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("MDI_PRINCIPAL"));
    setWindowTitle(QStringLiteral("KESTRAM - Programa para el cálculo del refuerzo VORLANT®"));
    setWindowIcon(Dibujo_Icono());

    area_ = new QMdiArea(this);
    area_->setObjectName(QStringLiteral("Area"));
    area_->viewport()->installEventFilter(this);
    setCentralWidget(area_);
    connect(area_, &QMdiArea::subWindowActivated, this, &MDI_PRINCIPAL::Subventana_Activada);

    fabricas_[DesignKind::Flexion] = [](windows::FrameHooks& h) { return new FM_FLEXION(h); };
    fabricas_[DesignKind::FlexionT] = [](windows::FrameHooks& h) { return new FM_FLEXIONT(h); };
    fabricas_[DesignKind::Confina] = [](windows::FrameHooks& h) { return new FM_CONFINA(h); };
    fabricas_[DesignKind::Carac] = [](windows::FrameHooks& h) { return new FM_CARAC(h); };

    Crear_Menus();
    Crear_Barra();
    // The area holds the largest design window in its child frame whole.
    {
        auto* ventana = new QWidget;
        ventana->setFixedSize(windows::Tamano_Ventana_Mayor());
        QMdiSubWindow* prueba = area_->addSubWindow(ventana, kBanderasSubventana);
        Compactar_Subventana(prueba);
        const int borde = 2 * area_->frameWidth();
        area_->setMinimumSize(prueba->sizeHint().expandedTo(prueba->minimumSizeHint()) +
                              QSize(borde, borde));
        area_->removeSubWindow(prueba);
        delete prueba;
    }
    // The outer size it keeps, with room for the bars and the largest window.
    guarda_ = std::make_unique<platform::WindowKeeper>(*this, QSize(kAnchoTwips, kAltoTwips),
                                                       minimumSizeHint());
    Poner_Fondo(QSize());
    MDIForm_Resize();
    // Ctrl+A opens a file wherever the focus is (Abrir_Con_Teclas).
    filtroTeclas_ = new Filtro_Eventos(
        [this](QObject* o, QEvent* e) { return Abrir_Con_Teclas(o, e); }, this);
    qApp->installEventFilter(filtroTeclas_);
    platform::setMainWindow(this);
}

MDI_PRINCIPAL::~MDI_PRINCIPAL() {
    delete filtroTeclas_;  // before this object is half gone
    // The area's children go after this object: no more activation calls.
    area_->disconnect(this);
    if (presentacion_) {
        presentacion_->disconnect(this);
        presentacion_->close();
        delete presentacion_.data();
    }
}

// The background picture for a free area of this size; made again only
// when the area outgrows the picture's layout (a window manager imposing a
// larger size), so that it never tiles. The picture before is kept: the
// frame's first sizing passes through a size before the window manager's
// frame is known, and comes back to the layout of the first picture.
void MDI_PRINCIPAL::Poner_Fondo(const QSize& area) {
    const QSize lienzo = Lienzo_Fondo(area);
    if (lienzo == lienzoFondo_) return;
    const QBrush fondo = lienzo == lienzoAnterior_
                             ? fondoAnterior_
                             : QBrush(Dibujo_Fondo(area_->palette().color(QPalette::Dark), area));
    lienzoAnterior_ = lienzoFondo_;
    fondoAnterior_ = area_->background();
    lienzoFondo_ = lienzo;
    area_->setBackground(fondo);
}

void MDI_PRINCIPAL::Crear_Menus() {
    struct Entrada {
        QAction** accion;
        const char* nombre;
        const char* texto;  // "-" is a separator
        QKeySequence atajo;
        bool activa;
    };
    auto llenar = [this](QMenu*& menu, const char* nombre, const char* texto,
                         std::initializer_list<Entrada> entradas) {
        menu = menuBar()->addMenu(QString::fromUtf8(texto));
        menu->setObjectName(QString::fromLatin1(nombre));
        for (const Entrada& e : entradas) {
            QAction* a = qstrcmp(e.texto, "-") == 0 ? menu->addSeparator()
                                                    : menu->addAction(QString::fromUtf8(e.texto));
            a->setObjectName(QString::fromLatin1(e.nombre));
            a->setShortcut(e.atajo);
            a->setEnabled(e.activa);
            *e.accion = a;
        }
        // Opening a top menu closes the splash.
        connect(menu, &QMenu::aboutToShow, this, &MDI_PRINCIPAL::Cerrar_Presentacion);
    };
    // Ctrl+C stays with a text field that has the focus (copy): line edits,
    // editable lists and text editors claim it first. Ctrl+A opens a file
    // from anywhere (Abrir_Con_Teclas).
    const QKeySequence nada;
    llenar(mnuPrincipal, "mnuPrincipal", "&Principal",
           {{&mnuPrincipalAbrir, "mnuPrincipalAbrir", "&Abrir datos",
             QKeySequence(Qt::CTRL | Qt::Key_A), true},
            {&mnuPrincipalGuardar, "mnuPrincipalGuardar", "&Guardar datos",
             QKeySequence(Qt::CTRL | Qt::Key_S), false},
            {&mnuPrincipalGuardarcomo, "mnuPrincipalGuardarcomo", "G&uardar datos como...", nada,
             false},
            {&mnuPrincipalNada1, "mnuPrincipalNada1", "-", nada, true},
            {&mnuPrincipalImprimir, "mnuPrincipalImprimir", "&Imprimir",
             QKeySequence(Qt::CTRL | Qt::Key_I), false},
            {&mnuPrincipalConfigurar, "mnuPrincipalConfigurar", "&Configurar impresora", nada,
             true},
            {&mnuPrincipalNada2, "mnuPrincipalNada2", "-", nada, true},
            {&mnuPrincipalSalir, "mnuPrincipalSalir", "&Salir", QKeySequence(Qt::Key_F7), true}});
    llenar(mnuCalcular, "mnuCalcular", "&Calcular",
           {{&mnuCalcularFlexion, "mnuCalcularFlexion",
             "Refuerzo a &flexión. Sección rectangular", QKeySequence(Qt::CTRL | Qt::Key_R), true},
            {&mnuCalcularFlexionT, "mnuCalcularFlexionT", "Refuerzo a fle&xión. Sección en T",
             QKeySequence(Qt::CTRL | Qt::Key_T), true},
            {&mnuCalcularConfina, "mnuCalcularConfina", "Refuerzo a con&finamiento",
             QKeySequence(Qt::CTRL | Qt::Key_C), true},
            {&mnuCalcularNada1, "mnuCalcularNada1", "-", nada, true},
            {&mnuCalcularCarac, "mnuCalcularCarac", "Ca&racterísticas mecánicas del refuerzo",
             nada, true}});
    llenar(mnuAyuda, "mnuAyuda", "&Ayuda",
           {{&mnuAyudaPrograma, "mnuAyudaPrograma", "Ayuda del programa",
             QKeySequence(Qt::Key_F1), true},
            {&mnuAyudaManual, "mnuAyudaManual", "Manual de referencia", nada, true},
            {&mnuAyudaNada1, "mnuAyudaNada1", "-", nada, true},
            {&mnuAyudaWeb, "mnuAyudaWeb", "Kestram en la web", nada, true},
            {&mnuAyudaContactar, "mnuAyudaContactar", "Contactar con Kestram", nada, true},
            {&mnuAyudaNada2, "mnuAyudaNada2", "-", nada, true},
            {&mnuAyudaAcerca, "mnuAyudaAcerca", "Acerca de...", nada, true}});

    // Every entry (and its shortcut) goes through the frame's one gate.
    auto conectar = [this](QAction* entrada, void (MDI_PRINCIPAL::*orden)()) {
        connect(entrada, &QAction::triggered, this, [this, entrada, orden] {
            Orden(entrada->objectName(), [this, orden] { (this->*orden)(); });
        });
    };
    conectar(mnuCalcularFlexion, &MDI_PRINCIPAL::mnuCalcularFlexion_Click);
    conectar(mnuCalcularFlexionT, &MDI_PRINCIPAL::mnuCalcularFlexionT_Click);
    conectar(mnuCalcularConfina, &MDI_PRINCIPAL::mnuCalcularConfina_Click);
    conectar(mnuCalcularCarac, &MDI_PRINCIPAL::mnuCalcularCarac_Click);
    conectar(mnuPrincipalSalir, &MDI_PRINCIPAL::mnuPrincipalSalir_Click);
    conectar(mnuPrincipalAbrir, &MDI_PRINCIPAL::mnuPrincipalAbrir_Click);
    conectar(mnuPrincipalGuardar, &MDI_PRINCIPAL::mnuPrincipalGuardar_Click);
    conectar(mnuPrincipalGuardarcomo, &MDI_PRINCIPAL::mnuPrincipalGuardarcomo_Click);
    conectar(mnuPrincipalImprimir, &MDI_PRINCIPAL::mnuPrincipalImprimir_Click);
    conectar(mnuPrincipalConfigurar, &MDI_PRINCIPAL::mnuPrincipalConfigurar_Click);
    conectar(mnuAyudaPrograma, &MDI_PRINCIPAL::mnuAyudaPrograma_Click);
    conectar(mnuAyudaManual, &MDI_PRINCIPAL::mnuAyudaManual_Click);
    conectar(mnuAyudaWeb, &MDI_PRINCIPAL::mnuAyudaWeb_Click);
    conectar(mnuAyudaContactar, &MDI_PRINCIPAL::mnuAyudaContactar_Click);
    conectar(mnuAyudaAcerca, &MDI_PRINCIPAL::mnuAyudaAcerca_Click);
}

// The frame's one gate (platform/CommandGate.h): a command runs at once when
// nothing is busy; asked while a message, a dialog or a guarded handler is
// in progress, it runs once that has returned, whole, or not at all.
void MDI_PRINCIPAL::Orden(const QString& clave, std::function<void()> paso) {
    platform::runWhenIdle(this, clave, std::move(paso));
}

bool MDI_PRINCIPAL::MDIForm_Load() {
    auto& c = General::Caso;
    c.Error_Datos = false;
    c.Presentacion_Visible = false;
    c.Abriendo_Fichero = false;
    c.Calculado = false;
    c.Guardado = false;
    c.Sin_Nombre = true;
    c.Modificado = false;
    c.Flexion_Abierto = false;
    c.Confina_Abierto = false;
    c.Carac_Abierto = false;
    c.FlexionT_Abierto = false;
    c.Sesion_Correo = false;

    const QSize pantalla = platform::screenSize();
    if (pantalla.width() < kAncho || pantalla.height() < kAlto) {
        platform::showMessage(
            "La resolución mínima requerida por la aplicación es 800x600.\n"
            "Cambie la resolución de su ordenador y vuelva a ejecutar el programa.",
            platform::Icon::Critical);
        return false;
    }

    // The splash belongs to the frame: the window manager, or a Wayland
    // compositor, keeps it in front of the frame until it closes.
    winId();
    windowHandle()->installEventFilter(this);  // its first exposure (Presentacion_Delante)
    presentacion_ = new FM_PRESENTACION(this);
    // Once the splash is gone the frame takes the keys again, unless a
    // window opened meanwhile has them: after its destruction, not from
    // inside it (a Wayland client still has the splash as its focus window
    // then, and the toolkit crashes).
    connect(
        presentacion_, &QObject::destroyed, this,
        [this] {
            if (!isVisible() || isMinimized()) return;
            for (const QWidget* w : QApplication::topLevelWidgets()) {
                const Qt::WindowType tipo = w->windowType();
                if (w != this && w->isVisible() && (tipo == Qt::Window || tipo == Qt::Dialog))
                    return;
            }
            activateWindow();
        },
        Qt::QueuedConnection);
    presentacion_->Form_Load();
    presentacion_->show();

    Caracteristicas::Iniciar_Datos();
    return true;
}

void MDI_PRINCIPAL::Mostrar() {
    winId();  // the platform window exists, so its frame margins are known
    guarda_->centre();
    show();
    if (presentacion_) presentacion_->raise();
}

QSize MDI_PRINCIPAL::Tamano_Cliente() const { return guarda_->clientSize(); }

// Keeps the outer size at 12000 x 9000 twips (or what the bars and the
// largest window need) in the normal state; a minimised frame is left alone.
void MDI_PRINCIPAL::MDIForm_Resize() { guarda_->keepSize(); }

bool MDI_PRINCIPAL::event(QEvent* e) {
    // The keeper has redone the outer size and the centring already.
    if (e->type() == QEvent::WindowActivate) MDIForm_Activate();
    return QMainWindow::event(e);
}

// While the splash is loaded it stays in front of the frame and keeps the
// activation, so that a key press reaches it and closes it.
void MDI_PRINCIPAL::MDIForm_Activate() {
    if (General::Caso.Presentacion_Visible && presentacion_ && presentacion_->isVisible()) {
        presentacion_->raise();
        presentacion_->activateWindow();
    }
}

// A Wayland compositor (also for the X windows of XWayland) lets no program
// raise a window, and keeps the splash over the frame only when the frame
// was on screen when the splash came: once the frame is on screen the
// splash comes again, and takes the keys. An X client of XWayland is not
// always told the Wayland socket; XWayland names its screens XWAYLAND0...
void MDI_PRINCIPAL::Presentacion_Delante() {
    if (presentacionOtraVez_) return;
    presentacionOtraVez_ = true;
    const QScreen* pantalla = screen();
    const bool wayland = QGuiApplication::platformName().startsWith(QLatin1String("wayland")) ||
                         qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
                         (pantalla && pantalla->name().startsWith(QLatin1String("XWAYLAND")));
    if (!wayland || !General::Caso.Presentacion_Visible || !presentacion_ ||
        !presentacion_->isVisible())
        return;
    presentacion_->hide();
    presentacion_->show();
    presentacion_->activateWindow();
}

void MDI_PRINCIPAL::MDIForm_Click() { Cerrar_Presentacion(); }

void MDI_PRINCIPAL::Cerrar_Presentacion() {
    if (General::Caso.Presentacion_Visible && presentacion_) presentacion_->close();
}

// A text field claims Ctrl+A for itself (select all) before the menu's
// shortcut is tried; in this frame the key is the open command wherever the
// focus is. The command runs once the key event is over, since it closes
// the window that holds the field.
bool MDI_PRINCIPAL::Abrir_Con_Teclas(QObject* watched, QEvent* e) {
    if (e->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    auto* tecla = static_cast<QKeyEvent*>(e);
    if (tecla->keyCombination() != QKeyCombination(Qt::ControlModifier, Qt::Key_A)) return false;
    if (static_cast<QWidget*>(watched)->window() != this) return false;
    e->accept();
    if (!abrirPendiente_ && mnuPrincipalAbrir->isEnabled()) {
        abrirPendiente_ = true;
        QTimer::singleShot(0, this, [this] {
            abrirPendiente_ = false;
            mnuPrincipalAbrir->trigger();
        });
    }
    return true;
}

bool MDI_PRINCIPAL::eventFilter(QObject* watched, QEvent* e) {
    if (watched == windowHandle() && e->type() == QEvent::Expose) {
        if (windowHandle()->isExposed() && !presentacionOtraVez_)
            QTimer::singleShot(0, this, &MDI_PRINCIPAL::Presentacion_Delante);
        return false;
    }
    if (watched == area_->viewport() && e->type() == QEvent::Resize) {
        Poner_Fondo(area_->viewport()->size());
        return false;
    }
    if (watched == area_->viewport() &&
        (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonRelease)) {
        // A click on the free area: a left press and release there, not on a child.
        auto* me = static_cast<QMouseEvent*>(e);
        const QPoint pos = me->position().toPoint();
        const bool libre = me->button() == Qt::LeftButton &&
                           area_->viewport()->childAt(pos) == nullptr &&
                           area_->viewport()->rect().contains(pos);
        if (e->type() == QEvent::MouseButtonPress) {
            pulsadoLibre_ = libre;
        } else {
            if (pulsadoLibre_ && libre) MDIForm_Click();
            pulsadoLibre_ = false;
        }
        return false;
    }
    if (watched == subventana_ && e->type() == QEvent::Close && !descargando_) {
        // The child's own close button: the window may keep its case. Through
        // the gate: never while a handler of the window is on the stack; a
        // close of a child frame that has gone meanwhile is dropped.
        e->ignore();
        QPointer<QMdiSubWindow> sub(subventana_);
        Orden(QStringLiteral("Cierre"), [this, sub] {
            if (sub && sub == subventana_) Descargar_Ventana(true);
        });
        return true;
    }
    return QMainWindow::eventFilter(watched, e);
}

void MDI_PRINCIPAL::setEntryEnabled(FrameEntry entry, bool enabled) {
    switch (entry) {
    case FrameEntry::Guardar: mnuPrincipalGuardar->setEnabled(enabled); break;
    case FrameEntry::GuardarComo: mnuPrincipalGuardarcomo->setEnabled(enabled); break;
    case FrameEntry::Imprimir: mnuPrincipalImprimir->setEnabled(enabled); break;
    case FrameEntry::BotonGuardar: Activar_Boton(TB_BARRA, "Guardar", enabled); break;
    case FrameEntry::BotonImprimir: Activar_Boton(TB_BARRA, "Imprimir", enabled); break;
    }
}

bool MDI_PRINCIPAL::entryEnabled(FrameEntry entry) const {
    switch (entry) {
    case FrameEntry::Guardar: return mnuPrincipalGuardar->isEnabled();
    case FrameEntry::GuardarComo: return mnuPrincipalGuardarcomo->isEnabled();
    case FrameEntry::Imprimir: return mnuPrincipalImprimir->isEnabled();
    case FrameEntry::BotonGuardar: return Boton_Activo(TB_BARRA, "Guardar");
    case FrameEntry::BotonImprimir: return Boton_Activo(TB_BARRA, "Imprimir");
    }
    return false;
}

// ---- Design windows ----------------------------------------------------

// The frame holds at most one design window: closing the open windows is
// closing that one, and its close step may keep it.
bool MDI_PRINCIPAL::Cerrar_Ventanas() { return Descargar_Ventana(); }

// The window is destroyed at once, before a command shows the next one,
// unless its own child frame is still busy with its close button.
bool MDI_PRINCIPAL::Descargar_Ventana(bool diferido) {
    if (!ventana_) return true;
    if (!ventana_->Form_Unload()) return false;
    QMdiSubWindow* sub = subventana_;
    ventana_ = nullptr;
    subventana_ = nullptr;
    descargando_ = true;
    sub->hide();
    area_->removeSubWindow(sub);
    descargando_ = false;
    if (diferido)
        sub->deleteLater();
    else
        delete sub;
    return true;
}

void MDI_PRINCIPAL::Poner_Ventana(DesignKind kind, windows::DesignWindowFactory crear) {
    if (crear)
        fabricas_[kind] = std::move(crear);
    else
        fabricas_.erase(kind);
}

void MDI_PRINCIPAL::Mostrar_Ventana(DesignKind kind) {
    const auto crear = fabricas_.find(kind);
    if (crear == fabricas_.end()) return;
    windows::DesignWindow* w = crear->second(*this);
    if (!w) return;
    w->Form_Load();
    // Fixed size on the child frame, without a maximise button.
    auto* sub = area_->addSubWindow(w, kBanderasSubventana);
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    Compactar_Subventana(sub);
    sub->setFixedSize(sub->sizeHint().expandedTo(sub->minimumSizeHint()));
    sub->installEventFilter(this);
    sub->move(0, 0);
    // Its window menu offers only what a fixed-size window can do.
    if (QMenu* menu = sub->systemMenu())
        for (QAction* a : menu->actions())
            if (a->text() == QMdiSubWindow::tr("&Size") ||
                a->text() == QMdiSubWindow::tr("Stay on &Top"))
                menu->removeAction(a);
    ventana_ = w;
    subventana_ = sub;
    sub->show();
    area_->setActiveSubWindow(sub);
}

void MDI_PRINCIPAL::Subventana_Activada(QMdiSubWindow* sub) {
    if (sub && sub == subventana_ && ventana_) ventana_->Form_Activate();
}

void MDI_PRINCIPAL::Nuevo_Caso(DesignKind kind) {
    // No window of the kind in the table: nothing to open.
    if (!Hay_Ventana(kind)) return;
    General::Caso.Abriendo_Fichero = false;
    if (!Cerrar_Ventanas()) return;
    if (kind == DesignKind::Confina)
        Caracteristicas::Poner_Defectos_Confina();
    else
        Caracteristicas::Poner_Defectos_Flexion();
    Mostrar_Ventana(kind);
}

void MDI_PRINCIPAL::mnuCalcularFlexion_Click() { Nuevo_Caso(DesignKind::Flexion); }

void MDI_PRINCIPAL::mnuCalcularFlexionT_Click() { Nuevo_Caso(DesignKind::FlexionT); }

void MDI_PRINCIPAL::mnuCalcularConfina_Click() { Nuevo_Caso(DesignKind::Confina); }

void MDI_PRINCIPAL::mnuCalcularCarac_Click() {
    if (!Hay_Ventana(DesignKind::Carac)) return;
    if (!Cerrar_Ventanas()) return;
    Mostrar_Ventana(DesignKind::Carac);
}

// ---- Data files --------------------------------------------------------

namespace {

const char* const kFiltroAbrir =
    "Archivos VORLANT - Flexión|*.KRF|Archivos VORLANT - Confinamiento|*.KRC|"
    "Archivos VORLANT|*.KRC;*.KRF";

// The last three characters upper-cased; a shorter name gives "".
std::string Ultimas_Tres(const std::string& nombre) {
    if (nombre.size() < 3) return {};
    std::string fin = nombre.substr(nombre.size() - 3);
    for (char& ch : fin)
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    return fin;
}

// Any run-time failure of a file command's own steps ends it quietly.
template <class Paso>
void Sin_Fallos(Paso paso) {
    try {
        paso();
    } catch (...) {
        General::Caso.Error_Datos = true;
    }
}

}  // namespace

void MDI_PRINCIPAL::mnuPrincipalAbrir_Click() {
    Sin_Fallos([this] { Abrir_Fichero(); });
}

void MDI_PRINCIPAL::mnuPrincipalGuardar_Click() {
    Sin_Fallos([this] { Guardar(false); });
}

void MDI_PRINCIPAL::mnuPrincipalGuardarcomo_Click() {
    Sin_Fallos([this] { Guardar(true); });
}

void MDI_PRINCIPAL::Abrir_Fichero() {
    auto& c = General::Caso;
    if (!Cerrar_Ventanas()) return;
    c.Error_Datos = false;

    platform::FileRequest pide;
    pide.kind = platform::FileRequest::Kind::Open;
    pide.filter = kFiltroAbrir;
    pide.filterIndex = 3;
    pide.fileName.clear();
    pide.confirmOverwrite = true;
    if (!c.Sin_Nombre) pide.folder = platform::folderOf(c.Nombre_Fichero);
    const std::optional<std::string> ruta = platform::fileDialogs().ask(pide);
    if (!ruta) {
        c.Error_Datos = true;
        return;
    }
    c.Nombre_Fichero = *ruta;

    DesignKind kind = DesignKind::Flexion;
    const std::string fin = Ultimas_Tres(c.Nombre_Fichero);
    bool avisado = false;  // the reader has said why it refused the file
    if (fin == "KRF") {
        int16_t tipo = 0;
        avisado = fichero::Leer_Flexion(c.Nombre_Fichero, tipo);
        kind = tipo == 2 ? DesignKind::FlexionT : DesignKind::Flexion;
    } else if (fin == "KRC") {
        avisado = fichero::Leer_Confina(c.Nombre_Fichero);
        kind = DesignKind::Confina;
    } else {
        platform::showMessage("El fichero elegido no es un fichero de datos (.KRF o .KRC).",
                              platform::Icon::Exclamation);
        return;
    }
    if (c.Error_Datos) {
        if (!avisado)
            platform::showMessage("Los datos almacenados no son correctos.", platform::Icon::Critical);
        return;
    }
    // The case now is the file's: nothing edited, nothing calculated.
    c.Abriendo_Fichero = true;
    c.Modificado = false;
    c.Calculado = false;
    Mostrar_Ventana(kind);
}

// The design window whose case a save writes: FM_FLEXION, FM_CONFINA,
// FM_FLEXIONT in this order of their flags; none for FM_CARAC.
windows::DesignWindow* MDI_PRINCIPAL::Ventana_Caso() const {
    const DesignKind orden[] = {DesignKind::Flexion, DesignKind::Confina, DesignKind::FlexionT};
    for (DesignKind kind : orden)
        if (windows::Bandera_Abierto(kind)) return ventana_ && ventana_->kind() == kind ? ventana_ : nullptr;
    return nullptr;
}

// Collects the open case's fields and writes its file; the dialog only
// when asked or when the case has no file yet.
void MDI_PRINCIPAL::Guardar(bool pedirNombre) {
    auto& c = General::Caso;
    c.Error_Datos = false;
    windows::DesignWindow* w = Ventana_Caso();
    if (!w) return;
    // A field holding an edit not yet left is checked first, as leaving it
    // would: its refusal (its own message) ends the command, nothing written.
    if (!platform::leavePendingFields(w)) {
        c.Error_Datos = true;
        return;
    }
    if (!w->Recoger_Datos() || c.Error_Datos) {
        c.Error_Datos = true;
        platform::showMessage("Los datos introducidos no son correctos.", platform::Icon::Critical);
        return;
    }

    windows::Grabar_Caso(w->kind(), pedirNombre || c.Sin_Nombre);
}

// ---- Ending ------------------------------------------------------------

void MDI_PRINCIPAL::mnuPrincipalSalir_Click() {
    if (!Cerrar_Ventanas()) return;
    Cerrar_Sesion_Correo();
    Terminar(true);
}

// Closing the frame: the same as the exit command.
void MDI_PRINCIPAL::closeEvent(QCloseEvent* e) {
    if (!terminando_ && platform::busy()) {
        // A handler is on the stack (a message or dialog on show): the close
        // comes back through the gate once it has returned.
        e->ignore();
        Orden(QStringLiteral("CerrarMarco"), [this] { close(); });
        return;
    }
    if (!terminando_) {
        if (!Cerrar_Ventanas()) {
            e->ignore();
            return;
        }
        Cerrar_Sesion_Correo();
        Terminar(false);
    }
    e->accept();
}

void MDI_PRINCIPAL::Cerrar_Sesion_Correo() { Ayuda::Cerrar_Sesion_Correo(); }

// Ends the program; any window still loaded (the splash) goes with it.
void MDI_PRINCIPAL::Terminar(bool cerrarMarco) {
    if (terminando_) return;
    terminando_ = true;
    if (presentacion_) presentacion_->close();
    emit terminado();
    if (cerrarMarco) close();
    QCoreApplication::quit();
}
