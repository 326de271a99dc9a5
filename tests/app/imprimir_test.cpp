// The print command and the printer selection of the main frame, with
// windows that carry the named controls the reports read.
#include "principal_test_support.h"
#include "tests/reports/paper/pdf_support.h"

#include "app/FM_CONFIG_IMPR.h"
#include "app/Inicio.h"
#include "app/TB_BARRA.h"
#include "app/MDI_PRINCIPAL.h"
#include "engine/General.h"
#include "platform/Controls.h"
#include "platform/FileDialogs.h"
#include "platform/Messages.h"
#include "platform/Modal.h"
#include "platform/CupsPrinters.h"
#include "platform/Printers.h"
#include "platform/Screen.h"
#include "reports/Imprimir.h"
#include "tests/common/planificador.h"
#include "windows/DesignWindow.h"
#include "tests/platform_fakes/Fakes.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QThread>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
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
    // Its snapshot, from the boxes it made.
    Imprimir::Foto Foto_Informe() const override {
        auto t = [this](const char* n) {
            const auto* e = findChild<QLineEdit*>(QString::fromLatin1(n));
            return e ? e->text().toStdString() : std::string();
        };
        const std::string tipo = findChild<QLabel*>("LB_TIPO")->text().toStdString();
        if (kind_ == DesignKind::Flexion || kind_ == DesignKind::FlexionT) {
            Imprimir::Foto_Flexion f;
            f.Tipo = kind_ == DesignKind::FlexionT ? 2 : 1;
            f.TX_MU = t("TX_MU"); f.TX_MUSR = t("TX_MUSR"); f.TX_EPS0 = t("TX_EPS0");
            f.TX_MRB = t("TX_MRB"); f.TX_MLIMCR = t("TX_MLIMCR"); f.TX_PIVOTE = t("TX_PIVOTE");
            f.TX_FN = t("TX_FN"); f.TX_EPSC = t("TX_EPSC"); f.TX_EPSSI = t("TX_EPSSI");
            f.TX_EPSSS = t("TX_EPSSS"); f.TX_EPSR = t("TX_EPSR");
            f.LB_TIPO = tipo;
            const auto* info = findChild<QLabel*>("LB_INFO");
            f.LB_INFO_Visible = !info->isHidden();
            f.LB_INFO = info->text().toStdString();
            return f;
        }
        if (kind_ == DesignKind::Confina) {
            Imprimir::Foto_Confina f;
            f.CO_SECCION = findChild<QComboBox*>("CO_SECCION")->currentIndex();
            f.TX_WC = t("TX_WC"); f.TX_WR = t("TX_WR"); f.TX_WWD = t("TX_WWD");
            f.TX_EPS0 = t("TX_EPS0"); f.TX_EPSR = t("TX_EPSR"); f.TX_SIGMAR = t("TX_SIGMAR");
            f.TX_TENSCONF = t("TX_TENSCONF"); f.TX_RESU = t("TX_RESU");
            f.LB_TIPO = tipo;
            return f;
        }
        Imprimir::Foto_Carac f;
        f.OP_V20 = findChild<QRadioButton*>("OP_V20")->isChecked();
        f.OP_V30 = findChild<QRadioButton*>("OP_V30")->isChecked();
        f.OP_VMM = findChild<QRadioButton*>("OP_VMM")->isChecked();
        return f;
    }
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
// case's file, proposing the case's own name; while the case has no file,
// where the toolkit chooses, with the report's name.
TEST_F(Imprimir_Cmd, ThePdfDialogOpensInTheFolderOfTheCasesFile) {
    struct Caso {
        DesignKind kind;
        const char* fichero;
        bool sin_nombre;
        const char* carpeta;
        const char* propuesto;
    };
    for (const Caso& k : {Caso{DesignKind::Confina, "casos/col.krc", false, "casos", "col.pdf"},
                          Caso{DesignKind::Confina, "casos/col.krc", true, "", "confina.pdf"},
                          Caso{DesignKind::Flexion, "viga12.krf", false, ".", "viga12.pdf"},
                          Caso{DesignKind::FlexionT, "a/viga.t.KRF", false, "a", "viga.t.pdf"}}) {
        SCOPED_TRACE(k.propuesto);
        Abrir(k.kind);
        auto& c = General::Caso;
        c.Calculado = true;
        c.Nombre_Fichero = dir.filePath(k.fichero).toStdString();
        c.Sin_Nombre = k.sin_nombre;
        dialogos.fake.asked.clear();
        principal->mnuPrincipalImprimir_Click();  // the dialog is cancelled
        ASSERT_EQ(dialogos.fake.asked.size(), 1u);
        EXPECT_EQ(dialogos.fake.asked[0].folder,
                  *k.carpeta ? QDir::cleanPath(dir.filePath(k.carpeta)).toStdString() : "");
        EXPECT_EQ(dialogos.fake.asked[0].fileName, k.propuesto);
        EXPECT_TRUE(mensajes.fake.shown.empty());
    }
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

// ---- On a real scheduler ------------------------------------------------

// The program's printing service on the test's scheduler, bounded at 1 s,
// noting whether the hourglass was on at each exchange.
struct Impresoras_Espia : platform::PrinterService {
    platform::PrinterListing listPrinters() override {
        Anotar();
        return real.listPrinters();
    }
    std::string a4Margins(const std::string& p, platform::PageMargins& m) override {
        Anotar();
        return real.a4Margins(p, m);
    }
    std::string submitPdf(const std::string& p, const std::string& f,
                          const std::string& t) override {
        Anotar();
        if (antes_de_enviar) antes_de_enviar();
        return real.submitPdf(p, f, t);
    }
    void Anotar() {
        ++llamadas;
        if (!QApplication::overrideCursor()) ++sin_reloj;
    }
    platform::CupsPrinterService real{1000};
    std::function<void()> antes_de_enviar;
    int llamadas = 0;
    int sin_reloj = 0;
};

constexpr const char* kTituloRect = "REFUERZO A FLEXION EN SECCIONES RECTANGULARES";

class Imprimir_Cups : public Imprimir_Cmd {
protected:
    void SetUp() override {
        Imprimir_Cmd::SetUp();
        ASSERT_TRUE(cups.Arrancar()) << cups.Fallo();
        antes_ = platform::installedPrinters();
        platform::setPrinters(&espia);
    }
    void TearDown() override {
        platform::setPrinters(antes_);
        Imprimir_Cmd::TearDown();
    }
    // Ctrl+I on a calculated rectangular case; the time it took, in ms.
    qint64 Imprimir() {
        if (!principal->Ventana()) Abrir_Por_Menu(*principal, DesignKind::Flexion);
        General::Caso.Calculado = true;
        mensajes.fake.clear();
        QElapsedTimer t;
        t.start();
        principal->mnuPrincipalImprimir_Click();
        return t.elapsed();
    }
    std::string Mensaje() const {
        return mensajes.fake.shown.empty() ? std::string() : mensajes.fake.shown[0].text;
    }
    std::string Ppd(const char* nombre, double izq, double sup) {
        return cups.Ppd(nombre, izq, sup, izq, sup).toStdString();
    }

    prueba::Planificador cups;
    Impresoras_Espia espia;
    platform::PrinterService* antes_ = nullptr;
};

// Each report goes to the chosen queue as one named job, A4 portrait at its
// natural size, its page coordinates starting at the printable area the
// queue reports: the whole sheet on a queue that reports none (its data come
// back unchanged), the PPD's area on the others, also where the queue
// defaults to landscape.
TEST_F(Imprimir_Cups, EachQueueGetsTheReportA4PortraitFromItsPrintableArea) {
    const QString plena = cups.Salida("plena.pdf");
    ASSERT_TRUE(cups.Cola("Plena", "guardar:" + plena, {"-m", "raw"})) << cups.Fallo();
    const QString margenes = cups.Salida("margenes.pdf");
    ASSERT_TRUE(cups.Cola("Margenes", "file://" + margenes,
                          {"-P", QString::fromStdString(Ppd("margenes", 1.0, 0.5))}))
        << cups.Fallo();
    const QString apaisada = cups.Salida("apaisada.pdf");
    ASSERT_TRUE(cups.Cola("Apaisada", "file://" + apaisada,
                          {"-P", QString::fromStdString(Ppd("apaisada", 1.0, 0.5)), "-o",
                           "orientation-requested-default=4"}))
        << cups.Fallo();
    ASSERT_TRUE(cups.Orden("/usr/sbin/lpadmin", {"-d", "Plena"})) << cups.Fallo();

    struct Caso {
        const char* cola;  // "": the system's default
        QString salida;
        double x, y;       // the title on the sheet, cm
    };
    for (const Caso& k : {Caso{"", plena, 2.0, 2.0}, Caso{"Margenes", margenes, 3.0, 2.5},
                          Caso{"Apaisada", apaisada, 3.0, 2.5}}) {
        SCOPED_TRACE(k.salida.toStdString());
        if (*k.cola) platform::setCurrentPrinter(k.cola);
        espia.llamadas = espia.sin_reloj = 0;
        Imprimir();
        EXPECT_TRUE(mensajes.fake.shown.empty()) << Mensaje();
        EXPECT_GE(espia.llamadas, 2);
        EXPECT_EQ(espia.sin_reloj, 0);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_TRUE(dialogos.fake.asked.empty());
        ASSERT_TRUE(cups.Esperar_Salida(k.salida)) << "nothing printed";
        const QByteArray copia = qgetenv("KESTRAM_INFORMES");
        if (!copia.isEmpty())
            QFile::copy(k.salida, QString::fromLocal8Bit(copia) + "/cola_" + QFileInfo(k.salida).fileName());

        EXPECT_EQ(Paginas(k.salida), 2);
        const QString info = QString::fromUtf8([&] {
            QProcess p;
            p.start("pdfinfo", {"-f", "1", "-l", "2", k.salida});
            p.waitForFinished(30000);
            return p.readAllStandardOutput();
        }());
        for (int pagina : {1, 2})
            EXPECT_TRUE(info.contains(QRegularExpression(
                QStringLiteral("Page +%1 size: +59[45](\\.\\d+)? x 84[12](\\.\\d+)?").arg(pagina))))
                << info.toStdString();
        EXPECT_FALSE(info.contains(QRegularExpression("Page +\\d rot: +[1-9]"))) << info.toStdString();
        const auto palabras = prueba::Palabras(k.salida);
        const auto titulo = prueba::Buscar(palabras, "REFUERZO", 1);
        ASSERT_TRUE(titulo);
        EXPECT_NEAR(titulo->x, k.x, 0.03);
        EXPECT_NEAR(titulo->y, k.y, 0.03);
        EXPECT_TRUE(prueba::Buscar(palabras, "312,4"));
        EXPECT_TRUE(prueba::Buscar(palabras, "Página", 2));
    }
    // The data the scheduler received are the program's PDF, titled.
    EXPECT_TRUE(prueba::Ejecutar("pdfinfo", {plena}).contains(QString("Title:           ") + kTituloRect));
    const auto trabajos = cups.Trabajos();
    ASSERT_EQ(trabajos.size(), 3u);
    for (const auto& t : trabajos) EXPECT_EQ(t.titulo, kTituloRect) << t.cola;
}

// What the printing system does not take is reported with its reason, and
// nothing is printed anywhere; no wait lasts past the bound (1 s here).
TEST_F(Imprimir_Cups, AJobNotTakenGivesOneMessageAndPrintsNowhere) {
    const QString defecto = cups.Salida("defecto.pdf");
    ASSERT_TRUE(cups.Cola("Defecto", "guardar:" + defecto, {"-m", "raw"})) << cups.Fallo();
    ASSERT_TRUE(cups.Cola("Rechaza", "guardar:" + cups.Salida("rechaza.pdf"), {"-m", "raw"}));
    ASSERT_TRUE(cups.Cola("Quitada", "guardar:" + cups.Salida("quitada.pdf"), {"-m", "raw"}));
    ASSERT_TRUE(cups.Orden("/usr/sbin/lpadmin", {"-d", "Defecto"}));
    ASSERT_TRUE(cups.Orden("/usr/sbin/cupsreject", {"Rechaza"}));
    Abrir(DesignKind::Flexion);

    struct Caso {
        const char* nombre;
        std::function<void()> preparar, despues;
        std::string motivo;
    };
    const Caso casos[] = {
        {"refusing", [] { platform::setCurrentPrinter("Rechaza"); }, {},
         "La impresora «Rechaza» no acepta trabajos."},
        {"removed",
         [&] {
             platform::setCurrentPrinter("Quitada");
             ASSERT_TRUE(cups.Orden("/usr/sbin/lpadmin", {"-x", "Quitada"}));
         },
         {}, "La impresora «Quitada» no está disponible."},
        {"silent, none chosen",
         [&] {
             platform::resetCurrentPrinter();
             cups.Pausar();
         },
         [&] { cups.Seguir(); }, platform::kPrintingSystemSilent},
        {"silent, chosen", [&] {
             platform::setCurrentPrinter("Defecto");
             cups.Pausar();
         },
         [&] { cups.Seguir(); }, platform::kPrintingSystemSilent},
        {"silent while the job is sent",
         [&] {
             platform::setCurrentPrinter("Defecto");
             espia.antes_de_enviar = [&] { cups.Pausar(); };
         },
         [&] {
             espia.antes_de_enviar = {};
             cups.Seguir();
         },
         platform::kPrintingSystemSilent},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.nombre);
        k.preparar();
        espia.sin_reloj = 0;
        const qint64 ms = Imprimir();
        if (k.despues) k.despues();
        EXPECT_LT(ms, 4000);
        ASSERT_EQ(mensajes.fake.shown.size(), 1u);
        EXPECT_EQ(Mensaje(), "No se ha podido imprimir el informe.\n" + k.motivo);
        EXPECT_EQ(mensajes.fake.shown[0].icon, platform::Icon::Exclamation);
        EXPECT_EQ(espia.sin_reloj, 0);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
    // Nothing reached any queue, and the scheduler still answers.
    QThread::msleep(300);
    for (const auto& t : cups.Trabajos())
        EXPECT_NE(t.estado, IPP_JSTATE_COMPLETED) << t.cola << " " << t.titulo;
    EXPECT_FALSE(QFileInfo::exists(defecto));
    platform::setCurrentPrinter("Defecto");
    Imprimir();
    EXPECT_TRUE(mensajes.fake.shown.empty()) << Mensaje();
    EXPECT_TRUE(cups.Esperar_Salida(defecto));
}

// A queue whose backend fails has accepted the job: the print counts as
// done, and the scheduler keeps the job to try it again.
TEST_F(Imprimir_Cups, AFailingBackendKeepsTheAcceptedJob) {
    ASSERT_TRUE(cups.Cola("Falla", "fallar:", {"-m", "raw", "-o", "printer-error-policy=retry-job"}))
        << cups.Fallo();
    platform::setCurrentPrinter("Falla");
    Imprimir();
    EXPECT_TRUE(mensajes.fake.shown.empty()) << Mensaje();
    // Held for the next try once the backend has failed.
    std::vector<prueba::Planificador::Trabajo> trabajos;
    QElapsedTimer t;
    t.start();
    do {
        QThread::msleep(50);
        trabajos = cups.Trabajos();
    } while (t.elapsed() < 15000 && !(trabajos.size() == 1 && trabajos[0].estado == IPP_JSTATE_HELD));
    ASSERT_EQ(trabajos.size(), 1u);
    EXPECT_EQ(trabajos[0].titulo, kTituloRect);
    EXPECT_EQ(trabajos[0].estado, IPP_JSTATE_HELD);
}

// The dialog lists the scheduler's queues, preselects its default and
// selects the printer whose name it shows, whatever the system lists
// meanwhile. A scheduler that does not answer: the message, then the dialog
// with "Archivo PDF", all within the bound and under the hourglass.
TEST_F(Imprimir_Cups, PrinterDialogSelectsTheQueueItShows) {
    for (const char* q : {"B", "C"})
        ASSERT_TRUE(cups.Cola(q, "guardar:" + cups.Salida(q), {"-m", "raw"})) << cups.Fallo();
    ASSERT_TRUE(cups.Orden("/usr/sbin/lpadmin", {"-d", "C"}));
    platform::ScopedModalScript guion;
    guion.push([&](QDialog& d) {
        auto& f = static_cast<FM_CONFIG_IMPR&>(d);
        ASSERT_EQ(f.CO_IMPRESORA->count(), 3);
        EXPECT_EQ(f.CO_IMPRESORA->itemText(0), "B");
        EXPECT_EQ(f.CO_IMPRESORA->itemText(2), "Archivo PDF");
        EXPECT_EQ(f.CO_IMPRESORA->currentText(), "C");
        ASSERT_TRUE(cups.Cola("A", "guardar:" + cups.Salida("A"), {"-m", "raw"}));
        f.CM_SELECCIONAR->click();
        EXPECT_EQ(platform::currentPrinter(), "C");
        f.CO_IMPRESORA->setCurrentIndex(0);
        f.CM_SELECCIONAR->click();
        EXPECT_EQ(platform::currentPrinter(), "B");
        f.CM_SALIR->click();
    });
    principal->mnuPrincipalConfigurar_Click();
    EXPECT_TRUE(mensajes.fake.shown.empty()) << Mensaje();

    guion.push([&](QDialog& d) {
        auto& f = static_cast<FM_CONFIG_IMPR&>(d);
        ASSERT_EQ(f.CO_IMPRESORA->count(), 1);
        EXPECT_EQ(f.CO_IMPRESORA->itemText(0), "Archivo PDF");
        EXPECT_TRUE(f.CM_SELECCIONAR->isEnabled());
        f.CM_SALIR->click();
    });
    platform::resetCurrentPrinter();
    cups.Pausar();
    espia.sin_reloj = 0;
    QElapsedTimer t;
    t.start();
    principal->mnuPrincipalConfigurar_Click();
    const qint64 ms = t.elapsed();
    cups.Seguir();
    EXPECT_LT(ms, 4000);
    EXPECT_TRUE(guion.steps.empty());
    ASSERT_EQ(mensajes.fake.shown.size(), 1u);
    EXPECT_EQ(Mensaje(), std::string("No se ha podido leer la lista de impresoras.\n") +
                             platform::kPrintingSystemSilent);
    EXPECT_EQ(espia.sin_reloj, 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
