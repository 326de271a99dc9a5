// Open, Save and Save as of the main frame, with fake design windows (and one
// run through the real FM_FLEXION), fake messages and fake file dialogs.
#include "principal_test_support.h"

#include "app/Inicio.h"
#include "app/MDI_PRINCIPAL.h"
#include "drawing/Grafico.h"
#include "engine/Caracteristicas.h"
#include "engine/General.h"
#include "platform/Combo.h"
#include "platform/FieldLeave.h"
#include "platform/FileDialogs.h"
#include "platform/Messages.h"
#include "platform/Screen.h"
#include "windows/DesignWindow.h"
#include "windows/FM_FLEXION.h"
#include "tests/platform_fakes/Fakes.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <new>
#include <sstream>
#include <string>
#include <vector>

using windows::DesignKind;
using windows::FrameEntry;

namespace {

namespace fs = std::filesystem;

std::string Leer(const std::string& ruta) {
    std::ifstream in(ruta, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void Escribir(const std::string& ruta, const std::string& bytes) {
    std::ofstream(ruta, std::ios::binary | std::ios::trunc) << bytes;
}

using windows::Bandera_Abierto;

// What the fake windows do and what they saw.
struct Estado {
    std::vector<std::string> pasos;
    bool rechazar = false;       // the fields fail the collector
    bool lanzar = false;         // the collector throws
    bool abandonar = false;      // a "Sí" to the save question cannot complete
    double ancho = 0.45;         // what the width field shows
    double diametro = 0.6;
};

// A design window as the frame sees it: load, activation, close with its
// save question, and the collector of its fields.
class VentanaFalsa : public windows::DesignWindow {
public:
    VentanaFalsa(windows::FrameHooks& hooks, DesignKind kind, Estado& e)
        : DesignWindow(hooks), kind_(kind), e_(e) {
        setFixedSize(300, 200);
    }
    DesignKind kind() const override { return kind_; }
    Imprimir::Foto Foto_Informe() const override { return Foto_Vacia(kind_); }
    void Form_Load() override {
        auto& c = General::Caso;
        Bandera_Abierto(kind_) = true;
        if (kind_ != DesignKind::Carac) {
            c.Guardado = c.Abriendo_Fichero;
            c.Sin_Nombre = !c.Abriendo_Fichero;
        }
        e_.pasos.push_back("load");
    }
    void Form_Activate() override {
        const bool caso = kind_ != DesignKind::Carac;
        hooks().setEntryEnabled(FrameEntry::Guardar, caso);
        hooks().setEntryEnabled(FrameEntry::GuardarComo, caso);
        hooks().setEntryEnabled(FrameEntry::Imprimir, true);
    }
    bool Form_Unload() override {
        auto& c = General::Caso;
        if (kind_ != DesignKind::Carac && !(c.Guardado && !c.Modificado)) {
            e_.pasos.push_back("question");
            if (platform::showMessage("Los datos no se han grabado, ¿desea grabar los datos?",
                                      platform::Icon::Question, platform::Buttons::YesNo) ==
                    platform::Answer::Yes &&
                e_.abandonar)
                return false;
        }
        e_.pasos.push_back("unload");
        Bandera_Abierto(kind_) = false;
        c.Calculado = false;
        for (FrameEntry f : {FrameEntry::Guardar, FrameEntry::GuardarComo, FrameEntry::Imprimir})
            hooks().setEntryEnabled(f, false);
        return true;
    }
    bool Recoger_Datos() override {
        if (e_.lanzar) throw std::bad_alloc();
        if (e_.rechazar) {
            General::Caso.Error_Datos = true;
            return false;
        }
        General::Caso.Ancho = e_.ancho;
        General::Caso.Diametro_Lado = e_.diametro;
        return true;
    }

private:
    DesignKind kind_;
    Estado& e_;
};

// File dialogs that also note when they are asked.
struct Dialogos : platform::FakeFileDialogs {
    std::vector<std::string>* pasos = nullptr;
    std::optional<std::string> ask(const platform::FileRequest& r) override {
        if (pasos) pasos->push_back("dialog");
        return FakeFileDialogs::ask(r);
    }
};

constexpr DesignKind kTodas[] = {DesignKind::Flexion, DesignKind::FlexionT, DesignKind::Confina,
                                 DesignKind::Carac};

const char* const kFiltroAbrir =
    "Archivos VORLANT - Flexión|*.KRF|Archivos VORLANT - Confinamiento|*.KRC|"
    "Archivos VORLANT|*.KRC;*.KRF";

class Archivo : public Principal_Prueba {
protected:
    void SetUp() override {
        General::Caso = General::Datos{};
        for (DesignKind k : kTodas)
            if (!real_ || k != DesignKind::Flexion)
                Sustituir_Ventana(k, [this, k](windows::FrameHooks& h) {
                    return new VentanaFalsa(h, k, estado);
                });
        antes_ = platform::installedFileDialogs();
        platform::setFileDialogs(&dialogos);
        dialogos.pasos = &estado.pasos;
        ASSERT_TRUE(dir.isValid());
        Arrancar(true);
    }
    void TearDown() override {
        Principal_Prueba::TearDown();
        platform::setFileDialogs(antes_);
        Grafico::Poner_Formateador({});
    }

    std::string Ruta(const std::string& nombre) const {
        return dir.filePath(QString::fromStdString(nombre)).toStdString();
    }
    // Answers the next dialog with a file of the scratch folder.
    void Responder(const std::string& nombre) { dialogos.answers.push_back(Ruta(nombre)); }
    void Cancelar() { dialogos.answers.push_back(std::nullopt); }

    void Nuevo(DesignKind k) {
        Abrir_Por_Menu(*principal, k);
        ASSERT_TRUE(principal->Ventana());
        ASSERT_EQ(principal->Ventana()->kind(), k);
    }
    // A saved flexure file of the scratch folder, read back as written.
    void Guardar_Caso(DesignKind k, const std::string& nombre) {
        Nuevo(k);
        Responder(nombre);
        principal->mnuPrincipalGuardar_Click();
        ASSERT_FALSE(General::Caso.Error_Datos);
        ASSERT_TRUE(fs::exists(Ruta(nombre)));
    }
    void Flags(bool guardado, bool sinNombre, bool modificado) {
        const auto& c = General::Caso;
        EXPECT_EQ(c.Guardado, guardado);
        EXPECT_EQ(c.Sin_Nombre, sinNombre);
        EXPECT_EQ(c.Modificado, modificado);
    }

    bool real_ = false;  // keep the real FM_FLEXION
    Dialogos dialogos;
    platform::FileDialogService* antes_ = nullptr;
    Estado estado;
    QTemporaryDir dir;
};

}  // namespace

// ---- Save and Save as ----------------------------------------------------

TEST_F(Archivo, NewCaseSaveAsksOnceThenWritesTheSameFileAndSaveAsAsksAgain) {
    struct Caso {
        DesignKind kind;
        const char* filtro;
        const char* nombre;
        const char* sufijo;
        std::size_t lineas;
        const char* linea1;
        const char* linea2;  // the value the fake window's field gave
    };
    const Caso casos[] = {
        {DesignKind::Flexion, "Archivos VORLANT - Flexión|*.KRF", "flexion.krf", "krf", 14, "1",
         "0.45"},
        {DesignKind::FlexionT, "Archivos VORLANT - Flexión|*.KRF", "flexion.krf", "krf", 16, "2",
         "0.45"},
        {DesignKind::Confina, "Archivos VORLANT - Confinamiento|*.KRC", "confina.krc", "krc", 9,
         "1", "0.6"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre + std::string(" ") + caso.linea1);
        dialogos.asked.clear();
        Nuevo(caso.kind);
        auto& c = General::Caso;
        c.Modificado = true;
        c.Error_Datos = true;  // the command starts from False
        Responder("primero");
        principal->mnuPrincipalGuardar_Click();

        ASSERT_EQ(dialogos.asked.size(), 1u);
        const platform::FileRequest& pide = dialogos.asked[0];
        EXPECT_EQ(pide.kind, platform::FileRequest::Kind::Save);
        EXPECT_EQ(pide.filter, caso.filtro);
        EXPECT_EQ(pide.filterIndex, 1);
        EXPECT_EQ(pide.fileName, caso.nombre);
        EXPECT_TRUE(pide.confirmOverwrite);
        EXPECT_EQ(pide.defaultSuffix, caso.sufijo);
        // A name typed without an extension gets the file kind's one.
        const std::string primero = Ruta(std::string("primero.") + caso.sufijo);
        EXPECT_FALSE(c.Error_Datos);
        EXPECT_EQ(c.Nombre_Fichero, primero);
        Flags(true, false, false);
        const std::vector<std::string> l = Lineas_Exactas(primero);
        ASSERT_EQ(l.size(), caso.lineas);
        EXPECT_EQ(l[0], std::string(caso.linea1) + "\r");
        EXPECT_EQ(l[1], std::string(caso.linea2) + "\r");
        EXPECT_TRUE(mensajes.fake.shown.empty());

        // Second save: the same file, no dialog, with what the fields show now.
        estado.ancho = estado.diametro = 0.5;
        c.Modificado = true;
        principal->mnuPrincipalGuardar_Click();
        EXPECT_EQ(dialogos.asked.size(), 1u);
        EXPECT_EQ(Lineas_Exactas(primero)[1], "0.5\r");
        Flags(true, false, false);

        // Save as: asks again, whatever the case's name, and moves the case.
        Responder("segundo.dat");
        principal->mnuPrincipalGuardarcomo_Click();
        ASSERT_EQ(dialogos.asked.size(), 2u);
        EXPECT_EQ(dialogos.asked[1].fileName, caso.nombre);
        EXPECT_EQ(c.Nombre_Fichero, Ruta("segundo.dat"));  // an extension of its own stays
        EXPECT_TRUE(fs::exists(Ruta("segundo.dat")));
        estado.ancho = 0.45;
        estado.diametro = 0.6;
    }
}

TEST_F(Archivo, NameTypedWithoutExtensionGetsTheFileKindsOne) {
    fs::create_directory(Ruta("v1.0"));
    const std::pair<const char*, const char*> casos[] = {
        {"caso", "caso.krf"},           {"caso.KRF", "caso.KRF"},
        {"caso.txt", "caso.txt"},       {"v1.0/caso", "v1.0/caso.krf"},
        {".caso", ".caso"},         {"caso.", "caso."},
    };
    Nuevo(DesignKind::Flexion);
    for (const auto& [escrito, fichero] : casos) {
        SCOPED_TRACE(escrito);
        Responder(escrito);
        principal->mnuPrincipalGuardarcomo_Click();
        EXPECT_EQ(General::Caso.Nombre_Fichero, Ruta(fichero));
        EXPECT_TRUE(fs::is_regular_file(Ruta(fichero)));
    }
}

TEST_F(Archivo, FailedWriteKeepsTheNameAndTheFlags) {
    auto& c = General::Caso;
    Guardar_Caso(DesignKind::Flexion, "a.krf");
    const std::string a = Ruta("a.krf");
    const std::string antes = Leer(a);

    // Save as into a folder that does not exist: the writer's message only.
    estado.ancho = 0.3;
    c.Modificado = true;
    Responder("no/hay/b.krf");
    principal->mnuPrincipalGuardarcomo_Click();
    EXPECT_TRUE(c.Error_Datos);
    ASSERT_EQ(mensajes.fake.shown.size(), 1u);
    EXPECT_EQ(mensajes.fake.shown[0].icon, platform::Icon::Exclamation);
    EXPECT_EQ(c.Nombre_Fichero, a);
    Flags(true, false, true);
    EXPECT_EQ(Leer(a), antes);

    // The next save still goes to the old file, without a dialog.
    principal->mnuPrincipalGuardar_Click();
    EXPECT_FALSE(c.Error_Datos);
    EXPECT_EQ(dialogos.asked.size(), 2u);
    EXPECT_EQ(Lineas_Exactas(a)[1], "0.3\r");
    Flags(true, false, false);

    // An unnamed case whose first write fails stays unnamed: Save asks again.
    Nuevo(DesignKind::Confina);
    c.Modificado = true;
    Responder("no/hay/c.krc");
    principal->mnuPrincipalGuardar_Click();
    EXPECT_TRUE(c.Error_Datos);
    EXPECT_EQ(c.Nombre_Fichero, a);
    Flags(false, true, true);
    Responder("c");
    principal->mnuPrincipalGuardar_Click();
    EXPECT_EQ(dialogos.asked.size(), 4u);
    EXPECT_EQ(c.Nombre_Fichero, Ruta("c.krc"));
    Flags(true, false, false);
}

TEST_F(Archivo, RefusedFieldsCancelledDialogAndFailuresWriteNothing) {
    auto& c = General::Caso;
    Nuevo(DesignKind::Flexion);
    c.Modificado = true;
    c.Nombre_Fichero = "anterior.krf";

    estado.rechazar = true;
    Responder("x.krf");
    principal->mnuPrincipalGuardarcomo_Click();
    EXPECT_TRUE(c.Error_Datos);
    ASSERT_EQ(mensajes.fake.shown.size(), 1u);
    EXPECT_EQ(mensajes.fake.shown[0].text, "Los datos introducidos no son correctos.");
    EXPECT_EQ(mensajes.fake.shown[0].icon, platform::Icon::Critical);
    EXPECT_TRUE(dialogos.asked.empty());
    estado.rechazar = false;
    dialogos.answers.clear();

    // A cancel is silent.
    mensajes.fake.clear();
    Cancelar();
    principal->mnuPrincipalGuardar_Click();
    EXPECT_TRUE(c.Error_Datos);
    EXPECT_EQ(dialogos.asked.size(), 1u);

    // A run-time failure of the command's own steps ends it quietly.
    estado.lanzar = true;
    principal->mnuPrincipalGuardar_Click();
    EXPECT_TRUE(c.Error_Datos);
    estado.lanzar = false;

    EXPECT_TRUE(mensajes.fake.shown.empty());
    EXPECT_EQ(c.Nombre_Fichero, "anterior.krf");
    Flags(false, true, true);
    EXPECT_TRUE(fs::is_empty(dir.path().toStdString()));
    EXPECT_TRUE(principal->Ventana());
}

TEST_F(Archivo, SaveDoesNothingWithoutADesignCaseAndItsEntriesFollowTheWindow) {
    auto& c = General::Caso;
    auto entradas = [this](bool guardar, bool imprimir) {
        EXPECT_EQ(principal->mnuPrincipalGuardar->isEnabled(), guardar);
        EXPECT_EQ(principal->mnuPrincipalGuardarcomo->isEnabled(), guardar);
        EXPECT_EQ(principal->mnuPrincipalImprimir->isEnabled(), imprimir);
    };
    entradas(false, false);
    for (bool conCarac : {false, true}) {
        SCOPED_TRACE(conCarac ? "FM_CARAC" : "ninguna");
        if (conCarac) {
            Nuevo(DesignKind::Carac);
            entradas(false, true);
        }
        c.Error_Datos = true;
        Responder("x.krf");
        principal->mnuPrincipalGuardar_Click();
        principal->mnuPrincipalGuardarcomo_Click();
        EXPECT_FALSE(c.Error_Datos);
        EXPECT_TRUE(dialogos.asked.empty());
        EXPECT_TRUE(mensajes.fake.shown.empty());
        dialogos.answers.clear();
    }
    // The menu entries run the commands while the window enables them.
    Nuevo(DesignKind::Confina);
    entradas(true, true);
    Responder("m.krc");
    principal->mnuPrincipalGuardar->trigger();
    EXPECT_EQ(c.Nombre_Fichero, Ruta("m.krc"));
    Responder("n.krc");
    principal->mnuPrincipalGuardarcomo->trigger();
    EXPECT_EQ(c.Nombre_Fichero, Ruta("n.krc"));
    principal->mnuCalcularCarac_Click();
    entradas(false, true);
    Cancelar();
    principal->mnuPrincipalAbrir->trigger();
    EXPECT_EQ(dialogos.asked.size(), 3u);
    entradas(false, false);
}

// ---- Open ----------------------------------------------------------------

TEST_F(Archivo, OpenReadsTheFileAndShowsItsWindowWhateverTheCaseOfItsExtension) {
    Guardar_Caso(DesignKind::Flexion, "rect.krf");
    Guardar_Caso(DesignKind::FlexionT, "t.krf");
    Guardar_Caso(DesignKind::Confina, "col.krc");
    fs::copy_file(Ruta("rect.krf"), Ruta("CASO.KRF"));
    fs::copy_file(Ruta("t.krf"), Ruta("t.Krf"));
    fs::copy_file(Ruta("col.krc"), Ruta("COL.KRC"));
    const std::pair<const char*, DesignKind> casos[] = {
        {"rect.krf", DesignKind::Flexion},  {"CASO.KRF", DesignKind::Flexion},
        {"t.krf", DesignKind::FlexionT},    {"t.Krf", DesignKind::FlexionT},
        {"col.krc", DesignKind::Confina},   {"COL.KRC", DesignKind::Confina},
    };
    auto& c = General::Caso;
    for (const auto& [nombre, kind] : casos) {
        SCOPED_TRACE(nombre);
        Nuevo(DesignKind::Carac);
        Caracteristicas::Poner_Defectos_Flexion();
        Caracteristicas::Poner_Defectos_Confina();
        c.Modificado = c.Calculado = c.Error_Datos = true;
        dialogos.asked.clear();
        Responder(nombre);
        principal->mnuPrincipalAbrir_Click();

        ASSERT_EQ(dialogos.asked.size(), 1u);
        const platform::FileRequest& pide = dialogos.asked[0];
        EXPECT_EQ(pide.kind, platform::FileRequest::Kind::Open);
        EXPECT_EQ(pide.filter, kFiltroAbrir);
        EXPECT_EQ(pide.filterIndex, 3);
        EXPECT_EQ(pide.fileName, "");
        ASSERT_TRUE(principal->Ventana());
        EXPECT_EQ(principal->Ventana()->kind(), kind);
        EXPECT_TRUE(Bandera_Abierto(kind));
        EXPECT_FALSE(c.Carac_Abierto);
        EXPECT_FALSE(c.Error_Datos);
        EXPECT_TRUE(c.Abriendo_Fichero);
        EXPECT_FALSE(c.Calculado);
        Flags(true, false, false);
        EXPECT_EQ(c.Nombre_Fichero, Ruta(nombre));
        EXPECT_EQ(kind == DesignKind::Confina ? c.Diametro_Lado : c.Ancho,
                  kind == DesignKind::Confina ? 0.6 : 0.45);
        EXPECT_TRUE(mensajes.fake.shown.empty());
    }
    // A case opened from a file is saved back to it without a dialog.
    estado.diametro = 0.7;
    principal->mnuPrincipalGuardar_Click();
    EXPECT_EQ(dialogos.asked.size(), 1u);
    EXPECT_EQ(Lineas_Exactas(Ruta("COL.KRC"))[1], "0.7\r");
    // The dialogs open in the folder of the case's file (both cancelled).
    principal->mnuPrincipalGuardarcomo_Click();
    principal->mnuPrincipalAbrir_Click();
    ASSERT_EQ(dialogos.asked.size(), 3u);
    for (std::size_t i : {1u, 2u}) {
        EXPECT_EQ(dialogos.asked[i].folder, platform::folderOf(Ruta("COL.KRC")));
        EXPECT_FALSE(dialogos.asked[i].folder.empty());
    }
}

TEST_F(Archivo, OpenOfARefusedFileOrAnotherNameOrACancelShowsNoWindow) {
    Guardar_Caso(DesignKind::Confina, "col.krc");
    fs::copy_file(Ruta("col.krc"), Ruta("col.KRF"));  // too short for a flexure file
    Escribir(Ruta("tipo3.krf"), "3\r\n0.4\r\n0.6\r\n0.05\r\n10\r\n0\r\n25\r\n500\r\n1.5\r\n"
                                "1.15\r\n1.4\r\n0.125\r\n0\r\n0\r\n");
    auto& c = General::Caso;
    struct Caso {
        std::optional<std::string> nombre;  // nullopt: cancel
        std::vector<platform::Icon> mensajes;
        bool error;
        const char* texto;  // the last message, when one is shown
    };
    using I = platform::Icon;
    const char* const noDatos = "El fichero elegido no es un fichero de datos (.KRF o .KRC).";
    const char* const noCorrectos = "Los datos almacenados no son correctos.";
    const Caso casos[] = {
        {"col.KRF", {I::Exclamation}, true, "Error 62: El fichero termina antes de la línea 10."},
        {"tipo3.krf", {I::Critical}, true, noCorrectos},
        {"col.txt", {I::Exclamation}, false, noDatos},
        {"kr", {I::Exclamation}, false, noDatos},  // shorter than three characters
        {"col.krf.bak", {I::Exclamation}, false, noDatos},
        {std::nullopt, {}, true, nullptr},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre.value_or("cancel"));
        Nuevo(DesignKind::Flexion);
        c.Ancho = 0.9;  // not a default: a refused file puts the defaults back
        c.Nombre_Fichero = "anterior";
        c.Guardado = true;
        c.Modificado = false;  // no question on closing
        mensajes.fake.clear();
        if (caso.nombre)
            Responder(*caso.nombre);
        else
            Cancelar();
        principal->mnuPrincipalAbrir_Click();

        EXPECT_EQ(principal->Ventana(), nullptr);
        EXPECT_FALSE(c.Flexion_Abierto || c.FlexionT_Abierto || c.Confina_Abierto);
        EXPECT_EQ(c.Error_Datos, caso.error);
        EXPECT_EQ(c.Nombre_Fichero, caso.nombre ? Ruta(*caso.nombre) : "anterior");
        ASSERT_EQ(mensajes.fake.shown.size(), caso.mensajes.size());
        for (std::size_t i = 0; i < caso.mensajes.size(); ++i)
            EXPECT_EQ(mensajes.fake.shown[i].icon, caso.mensajes[i]);
        if (caso.texto) {
            ASSERT_FALSE(mensajes.fake.shown.empty());
            EXPECT_EQ(mensajes.fake.shown.back().text, caso.texto);
        }
        // A refused data file puts the defaults back; another name reads nothing.
        EXPECT_EQ(c.Ancho, caso.error && caso.nombre ? 0.4 : 0.9);
    }
}

TEST_F(Archivo, OpenClosesTheModifiedCaseFirstAndStopsWhenThatCloseIsAbandoned) {
    auto& c = General::Caso;
    Nuevo(DesignKind::Flexion);
    c.Modificado = true;
    estado.pasos.clear();
    Cancelar();
    principal->mnuPrincipalAbrir_Click();
    EXPECT_EQ(estado.pasos, (std::vector<std::string>{"question", "unload", "dialog"}));
    EXPECT_EQ(principal->Ventana(), nullptr);

    Nuevo(DesignKind::Flexion);
    estado.pasos.clear();
    estado.abandonar = true;
    mensajes.fake.answers.push_back(platform::Answer::Yes);
    Responder("x.krf");
    principal->mnuPrincipalAbrir_Click();
    EXPECT_EQ(estado.pasos, (std::vector<std::string>{"question"}));
    EXPECT_EQ(dialogos.asked.size(), 1u);  // only the first open's
    ASSERT_TRUE(principal->Ventana());
    EXPECT_TRUE(c.Flexion_Abierto);
    estado.abandonar = false;
}

// ---- Number texts of the drawings ------------------------------------------

TEST_F(Archivo, StartUpGivesTheDrawingsThePlatformsNumberTexts) {
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    EXPECT_EQ(Grafico::Formatear(0.4, 2), "0,40");
    EXPECT_EQ(Grafico::Formatear(230000, 0), "230000");
    EXPECT_EQ(Grafico::Formatear(-0.0001, 3), "0,000");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(Grafico::Formatear(2.675, 2), "2.68");
    QLocale::setDefault(QLocale::c());
}

// ---- Through the real rectangular flexure window ---------------------------

class ArchivoFlexion : public Archivo {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        real_ = true;
        Archivo::SetUp();
    }
    void TearDown() override {
        Archivo::TearDown();
        QLocale::setDefault(QLocale::c());
    }
    FM_FLEXION* Ventana() const { return dynamic_cast<FM_FLEXION*>(principal->Ventana()); }
    // Types into a field and leaves it, as the user does.
    static void Teclear(QWidget* campo, const QString& texto) { Teclear_Campo(campo, texto); }
};

TEST_F(ArchivoFlexion, SaveReopenAndRefusalsThroughTheWindow) {
    auto& c = General::Caso;
    principal->mnuCalcularFlexion_Click();
    FM_FLEXION* w = Ventana();
    ASSERT_TRUE(w);
    EXPECT_TRUE(principal->mnuPrincipalGuardar->isEnabled());
    EXPECT_TRUE(principal->mnuPrincipalGuardarcomo->isEnabled());
    EXPECT_TRUE(principal->mnuPrincipalImprimir->isEnabled());
    Teclear(w->TX_ANCHO, "0,45");
    Teclear(w->TX_CANTO, "0.7");
    Teclear(w->TX_MD, "150");
    ASSERT_TRUE(mensajes.fake.shown.empty());
    EXPECT_TRUE(c.Modificado);

    // New case: the dialog preset to flexion.krf.
    Responder("flexion.krf");
    principal->mnuPrincipalGuardar_Click();
    ASSERT_EQ(dialogos.asked.size(), 1u);
    const platform::FileRequest& pide = dialogos.asked[0];
    EXPECT_EQ(pide.kind, platform::FileRequest::Kind::Save);
    EXPECT_EQ(pide.filter, "Archivos VORLANT - Flexión|*.KRF");
    EXPECT_EQ(pide.filterIndex, 1);
    EXPECT_EQ(pide.fileName, "flexion.krf");
    EXPECT_TRUE(pide.confirmOverwrite);
    const std::string fichero = Ruta("flexion.krf");
    EXPECT_EQ(c.Nombre_Fichero, fichero);
    Flags(true, false, false);
    const std::vector<std::string> l = Lineas_Exactas(fichero);
    ASSERT_EQ(l.size(), 14u);
    EXPECT_EQ(l[1], "0.45\r");
    EXPECT_EQ(l[2], "0.7\r");
    EXPECT_EQ(l[13], "150\r");

    // Second save without a dialog; save as asks again.
    principal->mnuPrincipalGuardar_Click();
    EXPECT_EQ(dialogos.asked.size(), 1u);
    Responder("otro.krf");
    principal->mnuPrincipalGuardarcomo_Click();
    EXPECT_EQ(dialogos.asked.size(), 2u);
    EXPECT_EQ(c.Nombre_Fichero, Ruta("otro.krf"));

    // A failed save as leaves the name and the flags.
    Responder("no/hay/x.krf");
    principal->mnuPrincipalGuardarcomo_Click();
    EXPECT_TRUE(c.Error_Datos);
    EXPECT_EQ(c.Nombre_Fichero, Ruta("otro.krf"));
    Flags(true, false, false);
    mensajes.fake.clear();

    // Fields the collector refuses: no dialog, nothing written.
    const QString canto = w->TX_CANTO->text();
    w->TX_CANTO->setText(QStringLiteral("abc"));
    principal->mnuPrincipalGuardarcomo_Click();
    EXPECT_EQ(dialogos.asked.size(), 3u);
    ASSERT_EQ(mensajes.fake.shown.size(), 1u);
    EXPECT_EQ(mensajes.fake.shown[0].text, "Los datos introducidos no son correctos.");
    EXPECT_EQ(mensajes.fake.shown[0].icon, platform::Icon::Critical);
    w->TX_CANTO->setText(canto);
    mensajes.fake.clear();

    // Close and reopen flexion.krf (also as CASO.KRF): the same texts.
    const fichero::Textos_Flexion antes = w->Textos();
    fs::copy_file(fichero, Ruta("CASO.KRF"));
    for (const char* nombre : {"flexion.krf", "CASO.KRF"}) {
        SCOPED_TRACE(nombre);
        Caracteristicas::Poner_Defectos_Flexion();
        Responder(nombre);
        principal->mnuPrincipalAbrir_Click();
        EXPECT_TRUE(mensajes.fake.shown.empty());  // saved: no question
        w = Ventana();
        ASSERT_TRUE(w);
        const fichero::Textos_Flexion despues = w->Textos();
        EXPECT_EQ(despues.TX_ANCHO, antes.TX_ANCHO);
        EXPECT_EQ(despues.TX_CANTO, antes.TX_CANTO);
        EXPECT_EQ(despues.TX_RECUB, antes.TX_RECUB);
        EXPECT_EQ(despues.TX_ASI, antes.TX_ASI);
        EXPECT_EQ(despues.TX_ASS, antes.TX_ASS);
        EXPECT_EQ(despues.CO_FCK, antes.CO_FCK);
        EXPECT_EQ(despues.CO_FYK, antes.CO_FYK);
        EXPECT_EQ(despues.CO_ANCHOR, antes.CO_ANCHOR);
        EXPECT_EQ(despues.TX_MCP, antes.TX_MCP);
        EXPECT_EQ(despues.TX_MD, antes.TX_MD);
        EXPECT_EQ(despues.TX_ANCHO, "0,450");
        EXPECT_EQ(c.Nombre_Fichero, Ruta(nombre));
        Flags(true, false, false);
        EXPECT_TRUE(principal->mnuPrincipalGuardar->isEnabled());
    }

    // A refused file: the reader's message alone, no window.
    Escribir(Ruta("corto.krf"), "1\r\n0.4\r\n");
    Responder("corto.krf");
    principal->mnuPrincipalAbrir_Click();
    ASSERT_EQ(mensajes.fake.shown.size(), 1u);
    EXPECT_EQ(mensajes.fake.shown[0].icon, platform::Icon::Exclamation);
    EXPECT_EQ(principal->Ventana(), nullptr);
    EXPECT_FALSE(principal->mnuPrincipalGuardar->isEnabled());

    // Another extension: its message; then a cancel: nothing; no window.
    mensajes.fake.clear();
    Responder("flexion.txt");
    principal->mnuPrincipalAbrir_Click();
    Cancelar();
    principal->mnuPrincipalAbrir_Click();
    EXPECT_EQ(principal->Ventana(), nullptr);
    ASSERT_EQ(mensajes.fake.shown.size(), 1u);
    EXPECT_EQ(mensajes.fake.shown[0].text, "El fichero elegido no es un fichero de datos (.KRF o .KRC).");
    mensajes.fake.clear();

    // Save with no design window does nothing.
    const std::size_t pedidos = dialogos.asked.size();
    principal->mnuPrincipalGuardar_Click();
    principal->mnuPrincipalGuardarcomo_Click();
    EXPECT_EQ(dialogos.asked.size(), pedidos);
    EXPECT_TRUE(mensajes.fake.shown.empty());
}

// A file another program wrote since it was saved here: the save asks
// before replacing it; "No" leaves the other program's file and the case
// unsaved, "Sí" replaces it. A file removed meanwhile is simply written.
TEST_F(Archivo, SaveAsksBeforeReplacingAnotherProgramsChange) {
    auto& c = General::Caso;
    Guardar_Caso(DesignKind::Confina, "col.krc");
    const std::string ruta = Ruta("col.krc");
    const std::string ajeno = "1\r\n0.9\r\n0.4\r\n25\r\n1.5\r\n1.15\r\n1.4\r\n0\r\n1\r\n\r\n";
    Escribir(ruta, ajeno);
    estado.diametro = 0.7;
    c.Modificado = true;
    mensajes.fake.clear();
    mensajes.fake.answers = {platform::Answer::No};
    principal->mnuPrincipalGuardar_Click();
    ASSERT_EQ(mensajes.fake.shown.size(), 1u);
    EXPECT_EQ(mensajes.fake.shown[0].text,
              "El fichero «col.krc» ha sido modificado por otro programa. ¿Desea reemplazarlo?");
    EXPECT_EQ(mensajes.fake.shown[0].icon, platform::Icon::Question);
    EXPECT_EQ(Leer(ruta), ajeno);
    EXPECT_TRUE(c.Modificado);
    EXPECT_TRUE(c.Error_Datos);

    mensajes.fake.answers = {platform::Answer::Yes};
    principal->mnuPrincipalGuardar_Click();
    EXPECT_EQ(mensajes.fake.shown.size(), 2u);
    EXPECT_EQ(Lineas_Exactas(ruta)[1], "0.7\r");
    EXPECT_FALSE(c.Modificado);

    // Saved here last: no question; removed meanwhile: written, no question.
    estado.diametro = 0.8;
    principal->mnuPrincipalGuardar_Click();
    fs::remove(ruta);
    principal->mnuPrincipalGuardar_Click();
    EXPECT_EQ(mensajes.fake.shown.size(), 2u);
    EXPECT_EQ(Lineas_Exactas(ruta)[1], "0.8\r");
}
