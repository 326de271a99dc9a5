// The main frame: start-up, menus, the "Calcular" commands and the exit, with
// fake design windows registered through the factories.
#include "principal_test_support.h"

#include "app/FM_PRESENTACION.h"
#include "app/Inicio.h"
#include "app/MDI_PRINCIPAL.h"
#include "engine/General.h"
#include "platform/FileDialogs.h"
#include "platform/Messages.h"
#include "platform/Screen.h"
#include "windows/DesignWindow.h"
#include "tests/platform_fakes/Fakes.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyleOptionTitleBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using windows::DesignKind;
using windows::FrameEntry;

namespace {

using windows::Bandera_Abierto;

// What the fake windows did, with the case values they saw.
struct Diario {
    std::vector<std::string> pasos;
    bool guardarFalla = false;  // a "Sí" to the save question cannot complete

    void Anotar(const char* paso, DesignKind k) {
        const auto& c = General::Caso;
        pasos.push_back(QString::asprintf("%s %s Ancho=%g Diam=%g Fck=%g", paso, Nombre(k),
                                          c.Ancho, c.Diametro_Lado, c.Fck)
                            .toStdString());
    }
};

// Behaves as the design windows' steps do, as far as the frame sees them.
class VentanaFalsa : public windows::DesignWindow {
public:
    VentanaFalsa(windows::FrameHooks& hooks, DesignKind kind, Diario& diario)
        : DesignWindow(hooks), kind_(kind), diario_(diario) {
        setWindowTitle(QString::fromLatin1(Nombre(kind)));
        setFixedSize(400, 300);
        campo = new QLineEdit(QStringLiteral("0,400"), this);
        campo->move(10, 10);
        lista = new QComboBox(this);
        lista->setEditable(true);
        lista->addItem(QStringLiteral("25"));
        lista->move(10, 35);
        boton = new QPushButton(QStringLiteral("Calcular"), this);
        boton->move(10, 60);
    }
    DesignKind kind() const override { return kind_; }
    Imprimir::Foto Foto_Informe() const override { return Foto_Vacia(kind_); }
    void Form_Load() override {
        Bandera_Abierto(kind_) = true;
        if (kind_ != DesignKind::Carac) {
            General::Caso.Guardado = General::Caso.Abriendo_Fichero;
            General::Caso.Sin_Nombre = !General::Caso.Abriendo_Fichero;
        }
        diario_.Anotar("load", kind_);
    }
    void Form_Activate() override {
        Encender_Entradas(hooks(), kind_);
        diario_.Anotar("activate", kind_);
    }
    bool Form_Unload() override {
        diario_.Anotar("unload", kind_);
        auto& c = General::Caso;
        if (kind_ != DesignKind::Carac && !(c.Guardado && !c.Modificado) &&
            platform::showMessage("Los datos no se han grabado, ¿desea grabar los datos?",
                                  platform::Icon::Question,
                                  platform::Buttons::YesNo) == platform::Answer::Yes &&
            diario_.guardarFalla) {
            diario_.Anotar("abandon", kind_);
            return false;
        }
        Bandera_Abierto(kind_) = false;
        c.Calculado = false;
        Apagar_Entradas(hooks());
        return true;
    }

    QLineEdit* campo;
    QComboBox* lista;
    QPushButton* boton;

private:
    DesignKind kind_;
    Diario& diario_;
};

void Borrar_Pendientes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

constexpr DesignKind kTodas[] = {DesignKind::Flexion, DesignKind::FlexionT, DesignKind::Confina,
                                 DesignKind::Carac};

class Principal : public Principal_Prueba {
protected:
    void SetUp() override {
        General::Caso = General::Datos{};
        for (DesignKind k : kTodas) Registrar(k);
        Arrancar(false);
    }
    void Registrar(DesignKind k) {
        Sustituir_Ventana(k, [this, k](windows::FrameHooks& h) {
            diario.Anotar("create", k);
            return new VentanaFalsa(h, k, diario);
        });
    }
    VentanaFalsa* Ventana() const { return static_cast<VentanaFalsa*>(principal->Ventana()); }

    platform::ScopedFakeFileDialogs dialogos;
    Diario diario;
};

std::vector<QWidget*> Ventanas_Visibles() {
    std::vector<QWidget*> v;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) v.push_back(w);
    return v;
}

}  // namespace

// ---- Start-up ------------------------------------------------------------

TEST(Inicio, SetsTheStartFlagsShowsSplashAndFrameAndLoadsTheDefaults) {
    platform::ScopedScreenSize pantalla(QSize(800, 600));
    platform::ScopedFakeMessages mensajes;
    auto& c = General::Caso;
    c = General::Datos{};
    // Every flag the wrong way round first.
    c.Error_Datos = c.Abriendo_Fichero = c.Calculado = c.Guardado = c.Modificado = true;
    c.Flexion_Abierto = c.FlexionT_Abierto = c.Confina_Abierto = c.Carac_Abierto = true;
    c.Sesion_Correo = c.Presentacion_Visible = true;
    c.Sin_Nombre = false;

    auto principal = Inicio::Main();
    ASSERT_TRUE(principal);
    EXPECT_FALSE(c.Error_Datos || c.Abriendo_Fichero || c.Calculado || c.Guardado ||
                 c.Modificado || c.Sesion_Correo);
    EXPECT_FALSE(c.Flexion_Abierto || c.FlexionT_Abierto || c.Confina_Abierto || c.Carac_Abierto);
    EXPECT_TRUE(c.Sin_Nombre);
    // The splash loaded itself; the catalogue and the defaults are set.
    EXPECT_TRUE(c.Presentacion_Visible);
    ASSERT_TRUE(principal->Presentacion());
    EXPECT_TRUE(principal->Presentacion()->isVisible());
    EXPECT_EQ(principal->Presentacion()->TM->interval(), FM_PRESENTACION::kIntervaloTM);
    EXPECT_EQ(c.Num_Tipos_Refuerzo, 3);
    EXPECT_EQ(c.Fck, 25);
    EXPECT_EQ(c.Diametro_Lado, 0.5);

    EXPECT_TRUE(principal->isVisible());
    EXPECT_EQ(principal->windowTitle(),
              QStringLiteral("KESTRAM - Programa para el cálculo del refuerzo VORLANT®"));
    EXPECT_EQ(principal->frameGeometry().size(), QSize(800, 600));
    const QRect pantallaReal = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(principal->frameGeometry().center(), pantallaReal.center());
    EXPECT_EQ(principal->Ventana(), nullptr);
    EXPECT_TRUE(principal->Area()->subWindowList().isEmpty());
    EXPECT_TRUE(mensajes.fake.shown.empty());
}

TEST(Inicio, ScreenBelow800x600EndsWithTheMessageBeforeAnythingElse) {
    struct Caso {
        QSize pantalla;
        bool arranca;
    };
    const Caso casos[] = {{{800, 600}, true},  {{1024, 480}, false}, {{640, 480}, false},
                          {{799, 600}, false}, {{800, 599}, false},  {{1920, 1080}, true}};
    for (const Caso& caso : casos) {
        SCOPED_TRACE(QString::asprintf("%dx%d", caso.pantalla.width(), caso.pantalla.height())
                         .toStdString());
        platform::ScopedScreenSize pantalla(caso.pantalla);
        platform::ScopedFakeMessages mensajes;
        General::Caso = General::Datos{};
        General::Caso.Modificado = true;

        // The run: its event loop only when the program starts; a screen too
        // small ends it with a failure status.
        bool bucle = false;
        std::unique_ptr<MDI_PRINCIPAL> principal;
        const int salida = Inicio::Ejecutar(principal, [&bucle] {
            bucle = true;
            return 0;
        });
        EXPECT_EQ(bucle, caso.arranca);
        EXPECT_EQ(principal != nullptr, caso.arranca);
        EXPECT_EQ(salida != 0, !caso.arranca);
        EXPECT_FALSE(General::Caso.Modificado);  // the flags come first
        if (caso.arranca) {
            EXPECT_TRUE(mensajes.fake.shown.empty());
            principal.reset();
            Borrar_Pendientes();
            continue;
        }
        ASSERT_EQ(mensajes.fake.shown.size(), 1u);
        const platform::Message& m = mensajes.fake.shown[0];
        EXPECT_EQ(m.text,
                  "La resolución mínima requerida por la aplicación es 800x600.\n"
                  "Cambie la resolución de su ordenador y vuelva a ejecutar el programa.");
        EXPECT_EQ(m.icon, platform::Icon::Critical);
        EXPECT_EQ(m.buttons, platform::Buttons::Ok);
        // No splash, no defaults, nothing on screen.
        EXPECT_FALSE(General::Caso.Presentacion_Visible);
        EXPECT_EQ(General::Caso.Num_Tipos_Refuerzo, 0);
        EXPECT_EQ(General::Caso.Fck, 0);
        EXPECT_TRUE(Ventanas_Visibles().empty());
    }
    Borrar_Pendientes();
}

// ---- Menus -----------------------------------------------------------------

TEST_F(Principal, MenuTreeHasItsCaptionsShortcutsAndInitialStates) {
    struct Entrada {
        const char* nombre;
        const char* texto;  // "-": separator
        QKeySequence atajo;
        bool activa;
    };
    struct Menu {
        const char* nombre;
        const char* texto;
        std::vector<Entrada> entradas;
    };
    const QKeySequence no;
    const Menu menus[] = {
        {"mnuPrincipal",
         "&Principal",
         {{"mnuPrincipalAbrir", "&Abrir datos", QKeySequence("Ctrl+A"), true},
          {"mnuPrincipalGuardar", "&Guardar datos", QKeySequence("Ctrl+S"), false},
          {"mnuPrincipalGuardarcomo", "G&uardar datos como...", no, false},
          {"mnuPrincipalNada1", "-", no, true},
          {"mnuPrincipalImprimir", "&Imprimir", QKeySequence("Ctrl+I"), false},
          {"mnuPrincipalConfigurar", "&Configurar impresora", no, true},
          {"mnuPrincipalNada2", "-", no, true},
          {"mnuPrincipalSalir", "&Salir", QKeySequence("F7"), true}}},
        {"mnuCalcular",
         "&Calcular",
         {{"mnuCalcularFlexion", "Refuerzo a &flexión. Sección rectangular",
           QKeySequence("Ctrl+R"), true},
          {"mnuCalcularFlexionT", "Refuerzo a fle&xión. Sección en T", QKeySequence("Ctrl+T"),
           true},
          {"mnuCalcularConfina", "Refuerzo a con&finamiento", QKeySequence("Ctrl+C"), true},
          {"mnuCalcularNada1", "-", no, true},
          {"mnuCalcularCarac", "Ca&racterísticas mecánicas del refuerzo", no, true}}},
        {"mnuAyuda",
         "&Ayuda",
         {{"mnuAyudaPrograma", "Ayuda del programa", QKeySequence("F1"), true},
          {"mnuAyudaManual", "Manual de referencia", no, true},
          {"mnuAyudaNada1", "-", no, true},
          {"mnuAyudaWeb", "Kestram en la web", no, true},
          {"mnuAyudaContactar", "Contactar con Kestram", no, true},
          {"mnuAyudaNada2", "-", no, true},
          {"mnuAyudaAcerca", "Acerca de...", no, true}}},
    };
    const QList<QAction*> barra = principal->menuBar()->actions();
    ASSERT_EQ(barra.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const Menu& m = menus[i];
        QMenu* menu = barra[i]->menu();
        ASSERT_TRUE(menu);
        EXPECT_EQ(menu->objectName(), QLatin1String(m.nombre));
        EXPECT_EQ(menu->title(), QString::fromUtf8(m.texto));
        EXPECT_TRUE(barra[i]->isEnabled() && barra[i]->isVisible());
        const QList<QAction*> acciones = menu->actions();
        ASSERT_EQ(acciones.size(), static_cast<qsizetype>(m.entradas.size())) << m.nombre;
        for (std::size_t j = 0; j < m.entradas.size(); ++j) {
            const Entrada& e = m.entradas[j];
            QAction* a = acciones[static_cast<qsizetype>(j)];
            SCOPED_TRACE(e.nombre);
            EXPECT_EQ(a->objectName(), QLatin1String(e.nombre));
            EXPECT_EQ(a->isSeparator(), qstrcmp(e.texto, "-") == 0);
            if (!a->isSeparator()) {
                EXPECT_EQ(a->text(), QString::fromUtf8(e.texto));
            }
            EXPECT_EQ(a->shortcut(), e.atajo);
            EXPECT_EQ(a->isEnabled(), e.activa);
            EXPECT_TRUE(a->isVisible());
            EXPECT_FALSE(a->isCheckable() || a->isChecked());
        }
    }
    EXPECT_FALSE(principal->entryEnabled(FrameEntry::BotonGuardar));
    EXPECT_FALSE(principal->entryEnabled(FrameEntry::BotonImprimir));
}

// ---- "Calcular" commands ---------------------------------------------------

namespace {

// The values the new-case commands write: default, and which set holds it.
struct Valor {
    const char* nombre;
    double General::Datos::*campo;
    double defecto;
    bool flexion;
    bool confina;
};
const Valor kValores[] = {
    {"Gamma_Hormigon", &General::Datos::Gamma_Hormigon, 1.5, true, true},
    {"Gamma_Acero", &General::Datos::Gamma_Acero, 1.15, true, true},
    {"Gamma_Refuerzo", &General::Datos::Gamma_Refuerzo, 1.4, true, true},
    {"Fck", &General::Datos::Fck, 25, true, true},
    {"Fyk", &General::Datos::Fyk, 500, true, true},
    {"Ancho", &General::Datos::Ancho, 0.4, true, false},
    {"Canto", &General::Datos::Canto, 0.6, true, false},
    {"Ancho_Alma", &General::Datos::Ancho_Alma, 0.2, true, false},
    {"Canto_Ala", &General::Datos::Canto_Ala, 0.2, true, false},
    {"Recubrimiento", &General::Datos::Recubrimiento, 0.05, true, false},
    {"Armadura_Inf", &General::Datos::Armadura_Inf, 10, true, false},
    {"Armadura_Sup", &General::Datos::Armadura_Sup, 0, true, false},
    {"Ancho_Refuerzo", &General::Datos::Ancho_Refuerzo, 0.125, true, false},
    {"Momento_Actual", &General::Datos::Momento_Actual, 0, true, false},
    {"Momento_Solicitante", &General::Datos::Momento_Solicitante, 0, true, false},
    {"Predeformacion", &General::Datos::Predeformacion, 0, true, false},
    {"Coef_Poisson", &General::Datos::Coef_Poisson, 0.5, false, true},
    {"Diametro_Lado", &General::Datos::Diametro_Lado, 0.5, false, true},
    {"Lado_Menor", &General::Datos::Lado_Menor, 0.4, false, true},
    {"Incremento_Necesario", &General::Datos::Incremento_Necesario, 1.0, false, true},
    {"Axil_Actual", &General::Datos::Axil_Actual, 0, false, true},
};

}  // namespace

TEST_F(Principal, CalcularCommandsCloseTheOpenWindowThenWriteTheirDefaultsThenShowTheirWindow) {
    struct Comando {
        QAction* MDI_PRINCIPAL::*entrada;
        DesignKind kind;
        bool defectosFlexion;
        bool defectosConfina;
    };
    const Comando comandos[] = {
        {&MDI_PRINCIPAL::mnuCalcularFlexion, DesignKind::Flexion, true, false},
        {&MDI_PRINCIPAL::mnuCalcularFlexionT, DesignKind::FlexionT, true, false},
        {&MDI_PRINCIPAL::mnuCalcularConfina, DesignKind::Confina, false, true},
        {&MDI_PRINCIPAL::mnuCalcularCarac, DesignKind::Carac, false, false},
    };
    auto& c = General::Caso;
    for (const Comando& cmd : comandos) {
        SCOPED_TRACE(Nombre(cmd.kind));
        principal->mnuCalcularFlexion->trigger();  // a rectangular case is open...
        ASSERT_TRUE(Ventana());
        QPointer<QWidget> vieja = Ventana();
        c.Ancho = 0.9;  // ...with edited inputs of both kinds
        c.Diametro_Lado = 0.9;
        c.Fck = 40;
        c.Modificado = true;
        c.Abriendo_Fichero = true;
        // Every other value a command may write, also off its default.
        for (const Valor& v : kValores)
            if (v.campo != &General::Datos::Ancho && v.campo != &General::Datos::Diametro_Lado &&
                v.campo != &General::Datos::Fck)
                c.*v.campo = 7.5;
        c.Tipo_Seccion = 3;
        const General::Datos antes = c;
        diario.pasos.clear();
        mensajes.fake.clear();
        mensajes.fake.answers.push_back(platform::Answer::No);

        (principal.get()->*cmd.entrada)->trigger();

        // The flexure set with Predeformacion, the confinement set with
        // Coef_Poisson and Tipo_Seccion but not Predeformacion; the
        // characteristics command writes nothing.
        for (const Valor& v : kValores) {
            SCOPED_TRACE(v.nombre);
            const bool escrito = (cmd.defectosFlexion && v.flexion) ||
                                 (cmd.defectosConfina && v.confina);
            EXPECT_EQ(c.*v.campo, escrito ? v.defecto : antes.*v.campo);
        }
        EXPECT_EQ(c.Tipo_Seccion, cmd.defectosConfina ? 1 : 3);

        const double ancho = cmd.defectosFlexion ? 0.4 : 0.9;
        const double diam = cmd.defectosConfina ? 0.5 : 0.9;
        const double fck = cmd.kind == DesignKind::Carac ? 40 : 25;
        const auto valores = QString::asprintf(" Ancho=%g Diam=%g Fck=%g", ancho, diam, fck)
                                 .toStdString();
        const std::string k = Nombre(cmd.kind);
        const std::vector<std::string> esperado = {
            "unload Flexion Ancho=0.9 Diam=0.9 Fck=40",  // before any default
            "create " + k + valores, "load " + k + valores, "activate " + k + valores};
        EXPECT_EQ(diario.pasos, esperado);
        ASSERT_EQ(mensajes.fake.shown.size(), 1u);  // the save question, once
        EXPECT_EQ(c.Abriendo_Fichero, cmd.kind == DesignKind::Carac);

        ASSERT_TRUE(Ventana());
        EXPECT_EQ(Ventana()->kind(), cmd.kind);
        EXPECT_EQ(principal->Area()->subWindowList().size(), 1);
        EXPECT_TRUE(vieja.isNull());  // gone before the new one was made
        EXPECT_FALSE(c.Flexion_Abierto && cmd.kind != DesignKind::Flexion);
    }
}

TEST_F(Principal, DesignWindowSitsInAFixedChildFrameWithoutMaximise) {
    principal->mnuCalcularFlexion_Click();
    QMdiSubWindow* sub = principal->Subventana();
    ASSERT_TRUE(sub);
    EXPECT_TRUE(sub->isVisible());
    EXPECT_EQ(Ventana()->size(), QSize(400, 300));
    EXPECT_EQ(sub->minimumSize(), sub->maximumSize());
    EXPECT_FALSE(sub->windowFlags() & Qt::WindowMaximizeButtonHint);
    // Its window menu: restore, move, minimise and close; no resize, no
    // "stay on top".
    ASSERT_TRUE(sub->systemMenu());
    QStringList entradas;
    for (QAction* a : sub->systemMenu()->actions())
        if (a->isVisible() && !a->isSeparator()) entradas << a->text();
    EXPECT_EQ(entradas, QStringList({QMdiSubWindow::tr("&Restore"), QMdiSubWindow::tr("&Move"),
                                     QMdiSubWindow::tr("Mi&nimize"), QMdiSubWindow::tr("&Close")}));
    sub->showMaximized();
    QCoreApplication::processEvents();
    EXPECT_EQ(Ventana()->size(), QSize(400, 300));
    // The window's activation reached the frame's entries.
    EXPECT_TRUE(principal->mnuPrincipalGuardar->isEnabled());
    EXPECT_TRUE(principal->mnuPrincipalImprimir->isEnabled());
    EXPECT_TRUE(principal->entryEnabled(FrameEntry::BotonGuardar));
    principal->mnuCalcularCarac_Click();
    EXPECT_FALSE(principal->mnuPrincipalGuardar->isEnabled());
    EXPECT_FALSE(principal->mnuPrincipalGuardarcomo->isEnabled());
    EXPECT_TRUE(principal->mnuPrincipalImprimir->isEnabled());
    EXPECT_FALSE(principal->entryEnabled(FrameEntry::BotonGuardar));
    EXPECT_TRUE(principal->entryEnabled(FrameEntry::BotonImprimir));
}

// The compact title bar: the close button shows a cross (lit diagonals and
// centre, dark edge midpoints), the minimise button a bar along its bottom;
// a click on each does what it shows.
TEST_F(Principal, ChildTitleButtonsShowACrossAndABarAndWork) {
    principal->mnuCalcularConfina_Click();
    QMdiSubWindow* sub = principal->Subventana();
    ASSERT_TRUE(sub);
    QCoreApplication::processEvents();
    const QRect cierre = Boton_Titulo(sub, QStyle::SC_TitleBarCloseButton);
    const QRect minimo = Boton_Titulo(sub, QStyle::SC_TitleBarMinButton);
    // Room for a glyph a user can read.
    ASSERT_GE(cierre.width(), 12);
    ASSERT_GE(cierre.height(), 12);
    ASSERT_GE(minimo.height(), 12);
    EXPECT_LT(minimo.right(), cierre.left());

    const QImage img = sub->grab().toImage();
    // The glyph is drawn light on the bar's dark button.
    auto claro = [&img](QPoint p) { return qGray(img.pixel(p)) > 190; };
    auto oscuro = [&img](QPoint p) { return qGray(img.pixel(p)) < 170; };
    const QPoint c = cierre.topLeft();
    const int n = cierre.width();
    const int a = 4, b = n - 5, m = n / 2;  // glyph box and its middle
    for (QPoint p : {QPoint(a, a), QPoint(b, a), QPoint(a, b), QPoint(b, b), QPoint(m, m)})
        EXPECT_TRUE(claro(c + p)) << "cross pixel " << p.x() << "," << p.y();
    for (QPoint p : {QPoint(m, a), QPoint(a, m), QPoint(b, m), QPoint(m, b)})
        EXPECT_TRUE(oscuro(c + p)) << "between the arms " << p.x() << "," << p.y();
    const QPoint mi = minimo.topLeft();
    const int mn = minimo.height();
    EXPECT_TRUE(claro(mi + QPoint(minimo.width() / 2, mn - 4)));  // the bar
    EXPECT_TRUE(oscuro(mi + QPoint(minimo.width() / 2, mn / 2 - 1)));  // nothing above it

    QTest::mouseMove(sub, minimo.center());
    QTest::mouseClick(sub, Qt::LeftButton, {}, minimo.center());
    EXPECT_TRUE(sub->isMinimized());
    sub->showNormal();
    QCoreApplication::processEvents();
    QTest::mouseMove(sub, cierre.center());
    QTest::mouseClick(sub, Qt::LeftButton, {}, cierre.center());
    EXPECT_EQ(principal->Ventana(), nullptr);
    EXPECT_FALSE(General::Caso.Confina_Abierto);
}

TEST_F(Principal, CommandOfAWindowNotBuiltDoesNothing) {
    principal->mnuCalcularFlexion_Click();
    for (DesignKind k : kTodas) principal->Poner_Ventana(k, {});
    windows::DesignWindow* abierta = principal->Ventana();
    General::Caso.Ancho = 0.9;
    General::Caso.Abriendo_Fichero = true;
    General::Caso.Modificado = true;
    diario.pasos.clear();
    for (QAction* a : {principal->mnuCalcularFlexion, principal->mnuCalcularFlexionT,
                       principal->mnuCalcularConfina, principal->mnuCalcularCarac})
        a->trigger();
    EXPECT_TRUE(diario.pasos.empty());
    EXPECT_TRUE(mensajes.fake.shown.empty());
    EXPECT_EQ(principal->Ventana(), abierta);
    EXPECT_EQ(General::Caso.Ancho, 0.9);
    EXPECT_TRUE(General::Caso.Abriendo_Fichero);
}

TEST_F(Principal, CaseOpenedFromAFileAndUnchangedClosesWithoutQuestion) {
    General::Caso.Abriendo_Fichero = true;  // as the open command leaves it
    principal->mnuCalcularCarac_Click();
    principal->mnuCalcularConfina_Click();  // Guardado False: asks
    EXPECT_EQ(mensajes.fake.shown.size(), 0u);  // Carac asks nothing
    General::Caso.Guardado = true;
    General::Caso.Modificado = false;
    principal->mnuCalcularFlexionT_Click();
    EXPECT_EQ(mensajes.fake.shown.size(), 0u);
    EXPECT_EQ(Ventana()->kind(), DesignKind::FlexionT);
}

// ---- Abandoned close -----------------------------------------------------

TEST_F(Principal, AbandonedCloseKeepsTheWindowAndStopsTheCommand) {
    principal->mnuCalcularFlexion_Click();
    VentanaFalsa* abierta = Ventana();
    General::Caso.Ancho = 0.9;
    General::Caso.Modificado = true;
    General::Caso.Sesion_Correo = true;
    diario.guardarFalla = true;
    mensajes.fake.defaultYesNo = platform::Answer::Yes;
    QSignalSpy fin(principal.get(), &MDI_PRINCIPAL::terminado);

    struct Orden {
        const char* nombre;
        std::function<void()> ejecutar;
    };
    const Orden ordenes[] = {
        {"FlexionT", [&] { principal->mnuCalcularFlexionT->trigger(); }},
        {"Confina", [&] { principal->mnuCalcularConfina->trigger(); }},
        {"Carac", [&] { principal->mnuCalcularCarac->trigger(); }},
        {"Flexion", [&] { principal->mnuCalcularFlexion->trigger(); }},
        {"Salir", [&] { principal->mnuPrincipalSalir->trigger(); }},
        {"close frame", [&] { EXPECT_FALSE(principal->close()); }},
        {"close child", [&] { principal->Subventana()->close(); }},
    };
    for (const Orden& o : ordenes) {
        SCOPED_TRACE(o.nombre);
        diario.pasos.clear();
        o.ejecutar();
        EXPECT_EQ(diario.pasos, (std::vector<std::string>{
                                    "unload Flexion Ancho=0.9 Diam=0.5 Fck=25",
                                    "abandon Flexion Ancho=0.9 Diam=0.5 Fck=25"}));
        EXPECT_EQ(principal->Ventana(), abierta);
        EXPECT_TRUE(abierta->isVisible());
        EXPECT_TRUE(General::Caso.Flexion_Abierto);
        EXPECT_EQ(General::Caso.Ancho, 0.9);
        EXPECT_TRUE(principal->isVisible());
        EXPECT_EQ(fin.count(), 0);
        EXPECT_TRUE(General::Caso.Sesion_Correo);
    }

    // "No" closes without saving, and the exit goes on to its end.
    mensajes.fake.defaultYesNo = platform::Answer::No;
    principal->mnuPrincipalSalir->trigger();
    EXPECT_EQ(principal->Ventana(), nullptr);
    EXPECT_FALSE(General::Caso.Flexion_Abierto);
    EXPECT_EQ(fin.count(), 1);
    EXPECT_FALSE(principal->isVisible());
    EXPECT_FALSE(General::Caso.Sesion_Correo);
    EXPECT_FALSE(General::Caso.Presentacion_Visible);  // the splash went with it
}

TEST_F(Principal, ChildCloseButtonAndFrameCloseRunTheWindowsCloseStep) {
    QSignalSpy fin(principal.get(), &MDI_PRINCIPAL::terminado);
    principal->mnuCalcularConfina_Click();
    QPointer<QMdiSubWindow> sub = principal->Subventana();
    mensajes.fake.answers.push_back(platform::Answer::No);
    sub->close();
    EXPECT_EQ(principal->Ventana(), nullptr);
    EXPECT_FALSE(General::Caso.Confina_Abierto);
    EXPECT_FALSE(principal->mnuPrincipalImprimir->isEnabled());
    EXPECT_EQ(mensajes.fake.shown.size(), 1u);
    Borrar_Pendientes();
    EXPECT_TRUE(sub.isNull());

    // Closing the frame with a case open asks once, then ends.
    principal->mnuCalcularFlexion_Click();
    mensajes.fake.answers.push_back(platform::Answer::No);
    EXPECT_TRUE(principal->close());
    EXPECT_EQ(mensajes.fake.shown.size(), 2u);
    EXPECT_EQ(principal->Ventana(), nullptr);
    EXPECT_FALSE(General::Caso.Flexion_Abierto);
    EXPECT_EQ(fin.count(), 1);
}

TEST_F(Principal, FrameWithNoWindowOpenClosesAtOnce) {
    QSignalSpy fin(principal.get(), &MDI_PRINCIPAL::terminado);
    General::Caso.Sesion_Correo = true;
    EXPECT_TRUE(principal->close());
    EXPECT_EQ(fin.count(), 1);
    EXPECT_TRUE(mensajes.fake.shown.empty());
    EXPECT_FALSE(General::Caso.Sesion_Correo);
    EXPECT_FALSE(General::Caso.Presentacion_Visible);
}

// ---- An edit typed but not yet left ---------------------------------------

namespace {

// The real windows in a started, active frame, restarted for each case.
class EdicionPendiente : public Marco_Real {
protected:
    void Arrancar_De_Nuevo() {
        principal.reset();
        Borrar_Pendientes();
        General::Caso = General::Datos{};
        Arrancar(true);
        principal->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(principal.get()));
    }
};

}  // namespace

// A saved case whose focused field holds a text typed but not left: each
// command that closes the window asks the save question. "No" drops the
// text and the command goes on; "Sí" saves the text when it is valid and
// otherwise keeps the window with the text; no field's own message shows.
TEST_F(EdicionPendiente, ClosingCommandsAskAboutATextNotYetLeft) {
    enum class Respuesta { Nada, No, Si_Valido, Si_Rechazado };
    struct Ventana {
        DesignKind kind;
        const char* campo;
        double General::Datos::*valor;
        const char* fichero;
    };
    const Ventana ventanas[] = {
        {DesignKind::Flexion, "TX_CANTO", &General::Datos::Canto, "caso.krf"},
        {DesignKind::FlexionT, "TX_CANTO", &General::Datos::Canto, "caso.krf"},
        {DesignKind::Confina, "TX_DIAM", &General::Datos::Diametro_Lado, "caso.krc"},
    };
    struct Orden {
        const char* nombre;
        std::function<void(MDI_PRINCIPAL&)> ejecutar;
    };
    const Orden ordenes[] = {
        {"cierre", [](MDI_PRINCIPAL& p) { p.Subventana()->close(); }},
        {"salir", [](MDI_PRINCIPAL& p) { p.mnuPrincipalSalir->trigger(); }},
        {"otra ventana", [](MDI_PRINCIPAL& p) { p.mnuCalcularCarac->trigger(); }},
    };
    const char* const pregunta = "Los datos no se han grabado, ¿desea grabar los datos?";
    auto& c = General::Caso;
    for (const Ventana& v : ventanas) {
        for (const Orden& o : ordenes) {
            for (Respuesta r : {Respuesta::Nada, Respuesta::No, Respuesta::Si_Valido,
                                Respuesta::Si_Rechazado}) {
                SCOPED_TRACE(std::string(Nombre(v.kind)) + " " + o.nombre + " " +
                             std::to_string(static_cast<int>(r)));
                Arrancar_De_Nuevo();
                QSignalSpy fin(principal.get(), &MDI_PRINCIPAL::terminado);
                Abrir_Por_Menu(*principal, v.kind);
                windows::DesignWindow* w = principal->Ventana();
                ASSERT_TRUE(w);
                QPointer<QLineEdit> campo = w->findChild<QLineEdit*>(v.campo);
                ASSERT_TRUE(campo);
                campo->setFocus(Qt::TabFocusReason);
                platform::settle();
                ASSERT_EQ(QApplication::focusWidget(), campo);
                // Saved as it stands.
                c.Guardado = true;
                c.Modificado = false;
                const double antes = c.*v.valor;
                mensajes.fake.clear();

                if (r != Respuesta::Nada) {
                    campo->selectAll();
                    QTest::keyClicks(campo, r == Respuesta::Si_Rechazado ? "abc" : "0,7");
                }
                if (r == Respuesta::No) mensajes.fake.answers.push_back(platform::Answer::No);
                if (r == Respuesta::Si_Valido || r == Respuesta::Si_Rechazado)
                    mensajes.fake.answers.push_back(platform::Answer::Yes);
                dialogos.fake.answers.push_back(Ruta(v.fichero));
                o.ejecutar(*principal);
                platform::settle();

                std::vector<std::string> vistos;
                for (const auto& m : mensajes.fake.shown) vistos.push_back(m.text);
                std::vector<std::string> esperados;
                if (r != Respuesta::Nada) esperados.push_back(pregunta);
                if (r == Respuesta::Si_Rechazado)
                    esperados.push_back("Los datos introducidos no son correctos.");
                EXPECT_EQ(vistos, esperados);

                const bool cierra = r != Respuesta::Si_Rechazado;
                EXPECT_EQ(windows::Bandera_Abierto(v.kind), !cierra);
                EXPECT_EQ(dialogos.fake.asked.size(), r == Respuesta::Si_Valido ? 1u : 0u);
                EXPECT_EQ(QFile::exists(QString::fromStdString(Ruta(v.fichero))),
                          r == Respuesta::Si_Valido);
                EXPECT_EQ(c.*v.valor, r == Respuesta::Si_Valido ? 0.7 : antes);
                if (cierra) {
                    EXPECT_FALSE(c.Modificado);
                } else {
                    EXPECT_EQ(principal->Ventana(), w);
                    ASSERT_TRUE(campo);
                    EXPECT_EQ(campo->text(), "abc");
                }
                // The command goes on only past a closed window.
                const std::string orden = o.nombre;
                EXPECT_EQ(fin.count(), orden == "salir" && cierra ? 1 : 0);
                EXPECT_EQ(c.Carac_Abierto, orden == "otra ventana" && cierra);
                dialogos.fake.answers.clear();
                dialogos.fake.asked.clear();
                QFile::remove(QString::fromStdString(Ruta(v.fichero)));
            }
        }
    }
}

// ---- Shortcuts, splash and layout -----------------------------------------

TEST_F(Principal, CtrlAOpensFromAnyFocusCtrlCCopiesInATextField) {
    principal->Cerrar_Presentacion();
    Borrar_Pendientes();
    principal->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(principal.get()));
    QSignalSpy abrir(principal->mnuPrincipalAbrir, &QAction::triggered);

    // Ctrl+C in a text field or an editable list copies: the case stays.
    principal->mnuCalcularFlexion_Click();
    General::Caso.Guardado = true;  // no question on the way
    for (QWidget* campo : {static_cast<QWidget*>(Ventana()->campo),
                           static_cast<QWidget*>(Ventana()->lista)}) {
        campo->setFocus();
        QTest::keyClick(campo, Qt::Key_C, Qt::ControlModifier);
        QCoreApplication::processEvents();
        ASSERT_TRUE(Ventana());
        EXPECT_EQ(Ventana()->kind(), DesignKind::Flexion);
    }

    // Ctrl+A is the open command (its dialog cancelled here) wherever the
    // focus is, in a text field too; the window is closed on the way.
    int veces = 0;
    for (int foco = 0; foco < 3; ++foco) {
        principal->mnuCalcularFlexion_Click();
        General::Caso.Guardado = true;
        ASSERT_TRUE(Ventana());
        QWidget* w = foco == 0   ? static_cast<QWidget*>(Ventana()->campo)
                     : foco == 1 ? static_cast<QWidget*>(Ventana()->lista)
                                 : static_cast<QWidget*>(Ventana()->boton);
        w->setFocus();
        QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
        QCoreApplication::processEvents();
        ++veces;
        EXPECT_EQ(abrir.count(), veces) << foco;
        EXPECT_EQ(dialogos.fake.asked.size(), static_cast<std::size_t>(veces)) << foco;
        EXPECT_EQ(principal->Ventana(), nullptr) << foco;
        Borrar_Pendientes();
    }

    // Outside a text field Ctrl+C is the confinement command.
    principal->mnuCalcularFlexion_Click();
    General::Caso.Guardado = true;
    Ventana()->boton->setFocus();
    QTest::keyClick(Ventana()->boton, Qt::Key_C, Qt::ControlModifier);
    ASSERT_TRUE(Ventana());
    EXPECT_EQ(Ventana()->kind(), DesignKind::Confina);
}

// At start a key goes to the splash, not to the frame's shortcuts: the frame
// hands its activation to the splash while it is loaded, and takes it back
// once the splash is gone.
TEST_F(Principal, SplashTakesTheFirstKeyThenTheFrameIsActive) {
    QPointer<FM_PRESENTACION> splash = principal->Presentacion();
    ASSERT_TRUE(QTest::qWaitForWindowActive(splash.data()));
    principal->activateWindow();
    QCoreApplication::processEvents();
    ASSERT_TRUE(QTest::qWaitForWindowActive(splash.data()));
    QTest::keyClick(QApplication::activeWindow(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_FALSE(General::Caso.Presentacion_Visible);
    EXPECT_EQ(principal->Ventana(), nullptr);
    Borrar_Pendientes();
    EXPECT_TRUE(splash.isNull());
    ASSERT_TRUE(QTest::qWaitForWindowActive(principal.get()));
    QTest::keyClick(QApplication::activeWindow(), Qt::Key_R, Qt::ControlModifier);
    ASSERT_TRUE(principal->Ventana());
    EXPECT_EQ(principal->Ventana()->kind(), DesignKind::Flexion);
}

TEST_F(Principal, FreeAreaClickAndTopMenusCloseTheSplash) {
    QWidget* libre = principal->Area()->viewport();
    QPointer<FM_PRESENTACION> splash = principal->Presentacion();
    principal->mnuCalcularFlexion_Click();
    // A click on the design window is not a click on the free area.
    QTest::mouseClick(Ventana(), Qt::LeftButton, {}, QPoint(200, 200));
    EXPECT_TRUE(General::Caso.Presentacion_Visible);
    QTest::mouseClick(libre, Qt::RightButton, {}, QPoint(700, 500));
    EXPECT_TRUE(General::Caso.Presentacion_Visible);
    QTest::mouseClick(libre, Qt::LeftButton, {}, QPoint(700, 500));
    EXPECT_FALSE(General::Caso.Presentacion_Visible);
    Borrar_Pendientes();
    EXPECT_TRUE(splash.isNull());
    // Once closed, the same actions do nothing.
    QTest::mouseClick(libre, Qt::LeftButton, {}, QPoint(700, 500));
    EXPECT_FALSE(General::Caso.Presentacion_Visible);

    // Opening any top menu closes it.
    for (QMenu* MDI_PRINCIPAL::*menu :
         {&MDI_PRINCIPAL::mnuPrincipal, &MDI_PRINCIPAL::mnuCalcular, &MDI_PRINCIPAL::mnuAyuda}) {
        auto otro = Inicio::Main();
        ASSERT_TRUE(otro);
        SCOPED_TRACE((otro.get()->*menu)->objectName().toStdString());
        EXPECT_TRUE(General::Caso.Presentacion_Visible);
        (otro.get()->*menu)->popup(QPoint(10, 10));
        EXPECT_FALSE(General::Caso.Presentacion_Visible);
        (otro.get()->*menu)->hide();
    }
}

TEST_F(Principal, KeepsItsOuterSizeAgainstMaximiseButHonoursMinimise) {
    principal->showMaximized();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_FALSE(principal->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(principal->frameGeometry().size(), QSize(800, 600));
    principal->resize(1000, 700);
    EXPECT_EQ(principal->frameGeometry().size(), QSize(800, 600));
    principal->showMinimized();
    QCoreApplication::processEvents();
    EXPECT_TRUE(principal->windowState() & Qt::WindowMinimized);
}

TEST_F(Principal, GrabbedFrameIsItsFixedSize) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString png = dir.filePath(QStringLiteral("principal.png"));
    ASSERT_TRUE(principal->grab().save(png));
    QImage leida(png);
    ASSERT_FALSE(leida.isNull());
    EXPECT_EQ(leida.size(), principal->size());
    EXPECT_EQ(principal->frameGeometry().size(), QSize(800, 600));
    EXPECT_GT(leida.width(), 780);
    EXPECT_GT(leida.height(), 580);
}
