// The print command and the printer selection of the main frame, with
// windows that carry the named controls the reports read.
#include "principal_test_support.h"

#include "app/FM_CONFIG_IMPR.h"
#include "app/Inicio.h"
#include "app/TB_BARRA.h"
#include "app/MDI_PRINCIPAL.h"
#include "engine/General.h"
#include "platform/Controls.h"
#include "platform/FileDialogs.h"
#include "platform/Messages.h"
#include "platform/Modal.h"
#include "platform/Printers.h"
#include "platform/Screen.h"
#include "reports/Imprimir.h"
#include "windows/DesignWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

#include <optional>
#include <string>

using windows::DesignKind;

namespace {

// A design window with the result boxes, caption, notice and options that
// the reports read, and the steps the frame runs.
class VentanaInforme : public windows::DesignWindow {
public:
    VentanaInforme(windows::FrameHooks& hooks, DesignKind kind) : DesignWindow(hooks), kind_(kind) {
        setFixedSize(300, 200);
        auto caja = [this](const char* n, const char* t) {
            auto* e = new platform::ReadOnlyBox(this);
            e->setObjectName(n);
            e->setText(QString::fromUtf8(t));
            return e;
        };
        auto* tipo = new QLabel(QStringLiteral("Refuerzo tipo VORLANT 20 - Núm. capas:  1"), this);
        tipo->setObjectName("LB_TIPO");
        if (kind == DesignKind::Flexion || kind == DesignKind::FlexionT) {
            TX_MU = caja("TX_MU", "312,4");
            for (const char* n : {"TX_MUSR", "TX_EPS0", "TX_MRB", "TX_MLIMCR", "TX_FN", "TX_EPSC",
                                  "TX_EPSSI", "TX_EPSSS", "TX_EPSR"})
                caja(n, "1,00");
            caja("TX_PIVOTE", "B");
            auto* info = new platform::NoticeLabel(this);
            info->setObjectName("LB_INFO");
        } else if (kind == DesignKind::Confina) {
            auto* s = new QComboBox(this);
            s->setObjectName("CO_SECCION");
            s->addItems({"CIRCULAR", "CUADRADA", "RECTANGULAR"});
            for (const char* n : {"TX_WC", "TX_WR", "TX_WWD", "TX_EPS0", "TX_EPSR", "TX_SIGMAR",
                                  "TX_TENSCONF", "TX_RESU"})
                caja(n, "0,50");
        } else {
            for (const char* n : {"OP_V20", "OP_V30", "OP_VMM"}) {
                auto* o = new QRadioButton(this);
                o->setObjectName(n);
            }
            findChild<QRadioButton*>("OP_V20")->setChecked(true);
        }
    }
    DesignKind kind() const override { return kind_; }
    void Form_Load() override { windows::Bandera_Abierto(kind_) = true; }
    void Form_Activate() override {}
    bool Form_Unload() override {
        windows::Bandera_Abierto(kind_) = false;
        General::Caso.Calculado = false;
        return true;
    }
    QLineEdit* TX_MU = nullptr;

private:
    DesignKind kind_;
};

int Paginas(const QString& pdf) {
    QProcess p;
    p.start("pdfinfo", {pdf});
    p.waitForFinished(30000);
    const auto m = QRegularExpression("Pages:\\s+(\\d+)").match(QString::fromUtf8(p.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

constexpr DesignKind kTodas[] = {DesignKind::Flexion, DesignKind::FlexionT, DesignKind::Confina,
                                 DesignKind::Carac};

class Imprimir_Cmd : public Principal_Prueba {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        General::Caso = General::Datos{};
        for (DesignKind k : kTodas)
            Sustituir_Ventana(
                k, [k](windows::FrameHooks& h) { return new VentanaInforme(h, k); });
        Arrancar(true);
        ASSERT_TRUE(dir.isValid());
    }
    void TearDown() override {
        Principal_Prueba::TearDown();
        QLocale::setDefault(QLocale::c());
    }
    void Abrir(DesignKind k) {
        Abrir_Por_Menu(*principal, k);
        ASSERT_NE(principal->Ventana(), nullptr);
    }
    VentanaInforme* Ventana() const { return static_cast<VentanaInforme*>(principal->Ventana()); }

    platform::ScopedFakeFileDialogs dialogos;
    platform::ScopedFakePrinters impresoras;
    QTemporaryDir dir;
};

TEST_F(Imprimir_Cmd, EachWindowPrintsItsReportToThePdfFileChosen) {
    struct Caso {
        DesignKind kind;
        bool calculado;
        const char* nombre;
        int paginas;
    };
    for (const Caso& c : {Caso{DesignKind::Flexion, true, "flexion.pdf", 2},
                          Caso{DesignKind::FlexionT, true, "flexion_t.pdf", 2},
                          Caso{DesignKind::Confina, true, "confina.pdf", 1},
                          Caso{DesignKind::Carac, false, "caracteristicas.pdf", 1}}) {
        SCOPED_TRACE(c.nombre);
        Abrir(c.kind);
        General::Caso.Calculado = c.calculado;
        dialogos.fake.asked.clear();
        const QString ruta = dir.filePath(c.nombre);
        dialogos.fake.answers.push_back(ruta.toStdString());
        principal->mnuPrincipalImprimir->setEnabled(true);
        principal->mnuPrincipalImprimir->trigger();
        ASSERT_EQ(dialogos.fake.asked.size(), 1u);
        const platform::FileRequest& r = dialogos.fake.asked[0];
        EXPECT_EQ(r.kind, platform::FileRequest::Kind::Save);
        EXPECT_EQ(r.filter, "Documentos PDF|*.pdf");
        EXPECT_EQ(r.fileName, c.nombre);
        EXPECT_TRUE(r.confirmOverwrite);
        EXPECT_TRUE(mensajes.fake.shown.empty())
            << (mensajes.fake.shown.empty() ? "" : mensajes.fake.shown[0].text);
        EXPECT_EQ(Paginas(ruta), c.paginas);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}

TEST_F(Imprimir_Cmd, RefusalsAndCancelPrintNothing) {
    // Not calculated: the notice; a flexure panel showing "---": the refusal;
    // a cancelled file name: nothing at all.
    Abrir(DesignKind::Flexion);
    General::Caso.Calculado = false;
    principal->mnuPrincipalImprimir_Click();
    ASSERT_EQ(mensajes.fake.shown.size(), 1u);
    EXPECT_EQ(mensajes.fake.shown[0].text, kAvisoNoCalculado);
    EXPECT_EQ(mensajes.fake.shown[0].icon, platform::Icon::Information);
    EXPECT_TRUE(dialogos.fake.asked.empty());

    mensajes.fake.clear();
    General::Caso.Calculado = true;
    Ventana()->TX_MU->setText("---");
    principal->mnuPrincipalImprimir_Click();
    ASSERT_EQ(mensajes.fake.shown.size(), 1u);
    EXPECT_EQ(mensajes.fake.shown[0].text, Imprimir::Texto_Rehusado);
    EXPECT_EQ(mensajes.fake.shown[0].icon, platform::Icon::Information);
    EXPECT_TRUE(dialogos.fake.asked.empty());

    mensajes.fake.clear();
    Ventana()->TX_MU->setText("312,4");
    dialogos.fake.answers.push_back(std::nullopt);
    principal->mnuPrincipalImprimir_Click();
    EXPECT_EQ(dialogos.fake.asked.size(), 1u);
    EXPECT_TRUE(mensajes.fake.shown.empty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());

    // No window open: nothing.
    principal->Cerrar_Ventanas();
    principal->mnuPrincipalImprimir_Click();
    EXPECT_TRUE(mensajes.fake.shown.empty());
    EXPECT_EQ(dialogos.fake.asked.size(), 1u);
}

// The PDF's file dialog opens where Open and Save do: in the folder of the
// case's file; while the case has no file, where the toolkit chooses.
TEST_F(Imprimir_Cmd, ThePdfDialogOpensInTheFolderOfTheCasesFile) {
    Abrir(DesignKind::Confina);
    auto& c = General::Caso;
    c.Calculado = true;
    c.Nombre_Fichero = dir.filePath("casos/col.krc").toStdString();
    for (const bool sin_nombre : {false, true}) {
        c.Sin_Nombre = sin_nombre;
        principal->mnuPrincipalImprimir_Click();  // the dialog is cancelled
    }
    ASSERT_EQ(dialogos.fake.asked.size(), 2u);
    EXPECT_EQ(dialogos.fake.asked[0].folder, dir.filePath("casos").toStdString());
    EXPECT_EQ(dialogos.fake.asked[1].folder, "");
    EXPECT_TRUE(mensajes.fake.shown.empty());
}

// Records whether the hourglass was on when a message was shown.
struct MensajesReloj : platform::FakeMessages {
    platform::Answer show(const platform::Message& m) override {
        reloj.push_back(QApplication::overrideCursor() != nullptr);
        return FakeMessages::show(m);
    }
    std::vector<bool> reloj;
};

TEST_F(Imprimir_Cmd, CharacteristicsComeFirstAndNeedNoCalculation) {
    Abrir(DesignKind::Carac);
    General::Caso.Flexion_Abierto = true;  // a stale flag further down the order
    General::Caso.Calculado = false;
    const QString ruta = dir.filePath("c.pdf");
    dialogos.fake.answers.push_back(ruta.toStdString());
    principal->mnuPrincipalImprimir_Click();
    EXPECT_TRUE(mensajes.fake.shown.empty());
    ASSERT_EQ(dialogos.fake.asked.size(), 1u);
    EXPECT_EQ(dialogos.fake.asked[0].fileName, "caracteristicas.pdf");
    EXPECT_EQ(Paginas(ruta), 1);
    General::Caso.Flexion_Abierto = false;
}

TEST_F(Imprimir_Cmd, AFailedPrintGivesOneMessageAndChangesNothing) {
    MensajesReloj reloj;
    platform::setMessages(&reloj);
    struct Devolver {
        platform::FakeMessages* f;
        ~Devolver() { platform::setMessages(f); }
    } devolver{&mensajes.fake};
    Abrir(DesignKind::Confina);
    auto& c = General::Caso;
    c.Calculado = true;
    c.Modificado = true;
    c.Guardado = false;
    const std::string ruta = dir.filePath("no/existe/confina.pdf").toStdString();
    dialogos.fake.answers.push_back(ruta);
    principal->mnuPrincipalImprimir_Click();
    ASSERT_EQ(reloj.shown.size(), 1u);
    const platform::Message& m = reloj.shown[0];
    EXPECT_EQ(m.icon, platform::Icon::Exclamation);
    EXPECT_EQ(m.text.rfind("No se ha podido imprimir el informe.\n", 0), 0u) << m.text;
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(c.Calculado);
    EXPECT_TRUE(c.Modificado);
    EXPECT_FALSE(c.Guardado);
    EXPECT_TRUE(c.Confina_Abierto);

    // A listed printer that cannot be opened: the same single message.
    reloj.clear();
    impresoras.fake.list = {"Oficina"};
    impresoras.fake.defaultPrinter = "Oficina";
    principal->mnuPrincipalImprimir_Click();
    ASSERT_EQ(reloj.shown.size(), 1u);
    EXPECT_EQ(reloj.shown[0].icon, platform::Icon::Exclamation);
    EXPECT_EQ(dialogos.fake.asked.size(), 1u);  // no file name for a printer
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(reloj.reloj, (std::vector<bool>{false, false}));  // never over a message
}

// The real windows, calculated, in an active frame.
class Imprimir_Real : public Marco_Real {
protected:
    platform::ScopedFakePrinters impresoras;  // none: "Archivo PDF"
};

// A new value typed into a field and not left makes the results stale for
// Ctrl+I and for the toolbar's button, as leaving the field would: the
// notice, and no report of values the window no longer shows. The same field
// holding the focus unchanged prints.
TEST_F(Imprimir_Real, ATextTypedButNotLeftIsNotPrinted) {
    struct Ventana {
        DesignKind kind;
        const char* campo;
    };
    const Ventana ventanas[] = {{DesignKind::Flexion, "TX_CANTO"},
                                {DesignKind::FlexionT, "TX_CANTO"},
                                {DesignKind::Confina, "TX_DIAM"}};
    principal->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(principal.get()));
    auto* boton = qobject_cast<QToolButton*>(
        principal->TB_BARRA->widgetForAction(principal->TB_BARRA->Boton_Clave("Imprimir")));
    ASSERT_TRUE(boton);
    mensajes.fake.defaultYesNo = platform::Answer::No;  // the closes between cases
    for (const Ventana& v : ventanas) {
        for (const bool por_barra : {false, true}) {
            SCOPED_TRACE(std::string(v.campo) + (por_barra ? " barra" : " Ctrl+I"));
            Abrir_Por_Menu(*principal, v.kind);
            windows::DesignWindow* w = principal->Ventana();
            ASSERT_TRUE(w);
            QTest::mouseClick(w->findChild<QPushButton*>("CM_CALCULAR"), Qt::LeftButton);
            ASSERT_TRUE(General::Caso.Calculado);
            auto* campo = w->findChild<QLineEdit*>(v.campo);
            ASSERT_TRUE(campo);
            campo->setFocus(Qt::TabFocusReason);
            platform::settle();
            ASSERT_EQ(QApplication::focusWidget(), campo);
            auto imprimir = [&] {
                mensajes.fake.clear();
                dialogos.fake.asked.clear();
                if (por_barra)
                    QTest::mouseClick(boton, Qt::LeftButton);
                else
                    QTest::keyClick(campo, Qt::Key_I, Qt::ControlModifier);
                platform::settle();
            };

            imprimir();  // unchanged: on to the PDF's name (cancelled here)
            EXPECT_TRUE(mensajes.fake.shown.empty());
            EXPECT_EQ(dialogos.fake.asked.size(), 1u);

            campo->selectAll();
            QTest::keyClicks(campo, "0,7");
            imprimir();
            ASSERT_EQ(mensajes.fake.shown.size(), 1u);
            EXPECT_EQ(mensajes.fake.shown[0].text, kAvisoNoCalculado);
            EXPECT_EQ(mensajes.fake.shown[0].icon, platform::Icon::Information);
            EXPECT_TRUE(dialogos.fake.asked.empty());
            EXPECT_EQ(QApplication::focusWidget(), campo);  // still being typed
            EXPECT_EQ(campo->text(), "0,7");
        }
    }
}

TEST_F(Imprimir_Cmd, PrinterDialogListsPreselectsAndSelects) {
    struct Caso {
        std::vector<std::string> sistema;
        std::string defecto;
        std::vector<std::string> items;
        int preseleccion;
    };
    for (const Caso& c :
         {Caso{{}, "", {"Archivo PDF"}, 0},
          Caso{{"Oficina"}, "Oficina", {"Oficina", "Archivo PDF"}, 0},
          Caso{{"A", "B", "C"}, "B", {"A", "B", "C", "Archivo PDF"}, 1}}) {
        SCOPED_TRACE(c.items.size());
        impresoras.fake.list = c.sistema;
        impresoras.fake.defaultPrinter = c.defecto;
        platform::resetCurrentPrinter();
        platform::ScopedModalScript guion;
        const int elegido = static_cast<int>(c.items.size()) - 1;
        guion.push([&](QDialog& d) {
            auto& f = static_cast<FM_CONFIG_IMPR&>(d);
            EXPECT_EQ(f.windowTitle(), "Selección de impresora");
            ASSERT_EQ(f.CO_IMPRESORA->count(), static_cast<int>(c.items.size()));
            for (int i = 0; i < f.CO_IMPRESORA->count(); ++i)
                EXPECT_EQ(f.CO_IMPRESORA->itemText(i).toStdString(), c.items[i]);
            EXPECT_EQ(f.CO_IMPRESORA->currentIndex(), c.preseleccion);
            EXPECT_TRUE(f.CO_IMPRESORA->isEnabled());
            EXPECT_FALSE(f.CO_IMPRESORA->isEditable());
            const QByteArray copia = qgetenv("KESTRAM_INFORMES");
            if (!copia.isEmpty())
                f.grab().save(QString::fromLocal8Bit(copia) + QStringLiteral("/config_impr_%1.png").arg(c.items.size()));
            // Selecting the preselected one keeps the printer; the dialog stays.
            f.CM_SELECCIONAR->click();
            EXPECT_EQ(platform::currentPrinter(), c.items[c.preseleccion]);
            f.CO_IMPRESORA->setCurrentIndex(elegido);
            f.CM_SELECCIONAR->click();
            EXPECT_TRUE(f.isVisible());
            EXPECT_EQ(platform::currentPrinter(), c.items[elegido]);
            f.CM_SALIR->click();
            EXPECT_FALSE(f.isVisible());
        });
        guion.push([&](QDialog& d) {
            auto& f = static_cast<FM_CONFIG_IMPR&>(d);
            EXPECT_EQ(f.CO_IMPRESORA->currentIndex(), elegido);  // the one just chosen
            f.CM_SALIR->click();
        });
        principal->mnuPrincipalConfigurar_Click();
        principal->mnuPrincipalConfigurar_Click();
        EXPECT_TRUE(guion.steps.empty());
    }
}

}  // namespace
