// The help viewer by open window, and the guide, web page and contact mail
// through stand-in desktop programs registered in a private XDG tree.
#include "app/Ayuda.h"
#include "app/FM_AYUDA.h"
#include "marco_test_support.h"
#include "../common/contraste.h"
#include "platform/DesktopHandler.h"
#include "platform/Launcher.h"
#include "tests/platform_fakes/Fakes.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QThread>
#include <QWindow>

#include <optional>
#include <utility>

using namespace marco_test;

namespace {

// A private desktop: XDG folders and a bin folder first on PATH, with the
// real launcher so the stand-in programs really start.
class Escritorio {
public:
    Escritorio() {
        for (const char* v : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME",
                              "XDG_DATA_DIRS", "PATH"})
            guardadas_.append({v, qgetenv(v)});
        for (const char* d : {"config", "etc", "data/applications", "share/applications", "bin", "out"})
            QDir().mkpath(Ruta(d));
        qputenv("XDG_CONFIG_HOME", Ruta("config").toUtf8());
        qputenv("XDG_CONFIG_DIRS", Ruta("etc").toUtf8());
        qputenv("XDG_DATA_HOME", Ruta("data").toUtf8());
        qputenv("XDG_DATA_DIRS", Ruta("share").toUtf8());
        qputenv("PATH", Ruta("bin").toUtf8() + ':' + qgetenv("PATH"));
        antes_ = platform::installedLauncher();
        platform::setLauncher(&lanzador_);
    }
    ~Escritorio() {
        platform::setLauncher(antes_);
        for (const auto& [v, valor] : guardadas_) qputenv(v, valor);
    }

    QString Ruta(const QString& r) const { return dir_.filePath(r); }

    // A program on PATH that writes its arguments, NUL-separated, to out/<name>.
    void Programa(const QString& nombre) {
        const QString ruta = Ruta("bin/" + nombre);
        QFile f(ruta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        const QString salida = Ruta("out/" + nombre);
        f.write(QStringLiteral("#!/bin/sh\nprintf '%s\\0' \"$@\" > '%1.tmp'\nmv '%1.tmp' '%1'\n")
                    .arg(salida)
                    .toUtf8());
        f.close();
        f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    // Registers a .desktop file as the default of a type in a mimeapps.list.
    void Registrar(const QString& tipo, const QString& id, const QString& exec,
                   const QString& lista = QStringLiteral("config/mimeapps.list"),
                   const QString& extra = {}) {
        Escribir(lista, QStringLiteral("[Default Applications]\n%1=%2;\n").arg(tipo, id), true);
        Escribir("data/applications/" + id,
                 QStringLiteral("[Desktop Entry]\nType=Application\nName=X\nExec=%1\n%2").arg(exec, extra));
    }
    // A stand-in program registered as the default of a type.
    void Instalar(const QString& nombre, const QString& tipo, const QString& exec) {
        Programa(nombre);
        Registrar(tipo, nombre + ".desktop", exec);
    }
    void Escribir(const QString& ruta, const QString& texto, bool anadir = false) {
        QFile f(Ruta(ruta));
        ASSERT_TRUE(f.open(anadir ? QIODevice::Append : QIODevice::WriteOnly));
        f.write(texto.toUtf8());
    }

    // The arguments a stand-in program received; waits a bounded time for it.
    std::optional<std::vector<std::string>> Recibidos(const QString& nombre, int ms = 5000) {
        const QString salida = Ruta("out/" + nombre);
        QDeadlineTimer plazo(ms);
        while (!QFile::exists(salida) && !plazo.hasExpired()) QThread::msleep(5);
        QFile f(salida);
        if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
        std::vector<std::string> args;
        for (const QByteArray& a : f.readAll().split('\0')) args.push_back(a.toStdString());
        args.pop_back();  // after the last NUL
        f.close();
        f.remove();
        return args;
    }

private:
    QTemporaryDir dir_;
    QList<QPair<const char*, QByteArray>> guardadas_;
    platform::QtLauncher lanzador_;
    platform::Launcher* antes_ = nullptr;
};

const char* const kSinLector =
    "No se ha encontrado ningún lector de ficheros PDF. En el CD de instalación está "
    "disponible el Adobe Acrobat Reader.";
const char* const kSinNavegador = "No se ha encontrado ningún navegador asociado en su ordenador.";
const char* const kSinCorreo = "No se ha podido establecer la aplicación de correo electrónico.";

// The one message shown: this text, as an error.
void Esperar_Error(const platform::FakeMessages& m, const char* texto) {
    ASSERT_EQ(m.shown.size(), 1u);
    EXPECT_EQ(m.shown[0].text, texto);
    EXPECT_EQ(m.shown[0].icon, platform::Icon::Critical);
}

FM_AYUDA* Visor() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* v = qobject_cast<FM_AYUDA*>(w); v && v->isVisible()) return v;
    return nullptr;
}

}  // namespace

// ---- Help --------------------------------------------------------------------

TEST(Ayuda, TopicOfTheOpenWindowInItsOrder) {
    struct Caso {
        bool flexion, carac, confina, flexionT;
        int tema;
    };
    const Caso casos[] = {
        {false, false, false, false, Ayuda::kTemaIndice}, {true, false, false, false, 32},
        {false, true, false, false, 31},  {false, false, true, false, 33},
        {false, false, false, true, 34},  {true, true, true, true, 32},
        {false, true, true, true, 31},    {false, false, true, true, 33},
    };
    auto& c = General::Caso;
    for (const Caso& k : casos) {
        c.Flexion_Abierto = k.flexion;
        c.Carac_Abierto = k.carac;
        c.Confina_Abierto = k.confina;
        c.FlexionT_Abierto = k.flexionT;
        EXPECT_EQ(Ayuda::Tema_Abierto(), k.tema);
    }
    c = General::Datos{};
}

class Ayuda_Marco : public Marco {
protected:
    void SetUp() override {
        Marco::SetUp();
        Ayuda::Poner_Carpeta(QStringLiteral(KESTRAM_CARPETA_AYUDA));
    }
    void TearDown() override {
        Ayuda::Poner_Carpeta({});
        Marco::TearDown();
    }
};

TEST_F(Ayuda_Marco, HelpOpensAtTheTopicAndReusesItsViewer) {
    principal->mnuAyudaPrograma->trigger();  // F1 with no window: the table of topics
    FM_AYUDA* visor = Visor();
    ASSERT_TRUE(visor);
    EXPECT_EQ(visor->Ancla(), "temas");
    EXPECT_FALSE(visor->isModal());
    // A dialog window of the frame, which a window manager keeps in front of it.
    EXPECT_EQ(visor->windowType(), Qt::Dialog);
    EXPECT_EQ(visor->parentWidget(), principal.get());
    ASSERT_TRUE(visor->windowHandle());
    EXPECT_EQ(visor->windowHandle()->transientParent(), principal->windowHandle());
    // Over the middle of the main window, not at the screen's corner.
    const QPoint centro = principal->frameGeometry().center();
    EXPECT_LE((visor->frameGeometry().center() - centro).manhattanLength(), 4)
        << visor->frameGeometry().center().x() << "," << visor->frameGeometry().center().y();
    EXPECT_TRUE(visor->TX_AYUDA->toPlainText().contains("Temas de ayuda"));

    const std::pair<void (MDI_PRINCIPAL::*)(), const char*> pasos[] = {
        {&MDI_PRINCIPAL::mnuCalcularFlexion_Click, "tema32"},
        {&MDI_PRINCIPAL::mnuCalcularCarac_Click, "tema31"},
        {&MDI_PRINCIPAL::mnuCalcularConfina_Click, "tema33"},
        {&MDI_PRINCIPAL::mnuCalcularFlexionT_Click, "tema34"},
    };
    // Moved by the user: F1 shows it again where it is.
    const QPoint sitio = visor->pos() + QPoint(37, -23);
    visor->move(sitio);
    for (const auto& [abrir, ancla] : pasos) {
        (principal.get()->*abrir)();
        principal->TB_BARRA_ButtonClick(QStringLiteral("Ayuda"));
        EXPECT_EQ(Visor(), visor);  // the same window, still there
        EXPECT_EQ(visor->pos(), sitio);
        EXPECT_EQ(visor->Ancla(), ancla);
        // The anchor exists: the view moved away from the top.
        EXPECT_GT(visor->TX_AYUDA->verticalScrollBar()->value(), 0) << ancla;
    }
    visor->CM_TEMAS->click();
    EXPECT_EQ(visor->Ancla(), "temas");
    EXPECT_TRUE(mensajes.fake.shown.empty());
}

// Esc closes the viewer, from its text or from its buttons.
TEST_F(Ayuda_Marco, EscClosesTheHelpViewer) {
    principal->Cerrar_Presentacion();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the splash is gone
    for (int i = 0; i < 2; ++i) {
        principal->mnuAyudaPrograma_Click();
        QPointer<FM_AYUDA> visor = Visor();
        ASSERT_TRUE(visor);
        ASSERT_TRUE(QTest::qWaitForWindowActive(visor));
        QWidget* foco = i == 0 ? static_cast<QWidget*>(visor->TX_AYUDA) : visor->CM_TEMAS;
        foco->setFocus();
        QTest::keyClick(foco, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(visor.isNull()) << i;
        EXPECT_FALSE(Visor());
    }
}

TEST_F(Ayuda_Marco, MissingHelpOrGuideIsNamed) {
    QTemporaryDir vacia;
    Ayuda::Poner_Carpeta(vacia.path());
    platform::ScopedFakeLauncher lanzador;
    principal->mnuAyudaPrograma_Click();
    principal->mnuAyudaManual_Click();
    EXPECT_FALSE(Visor());
    EXPECT_TRUE(lanzador.fake.calls.empty());
    ASSERT_EQ(mensajes.fake.shown.size(), 2u);
    EXPECT_NE(mensajes.fake.shown[0].text.find(QDir(vacia.path()).filePath("vorlant.html").toStdString()),
              std::string::npos);
    EXPECT_NE(mensajes.fake.shown[1].text.find(QDir(vacia.path()).filePath("guia_vorlant.pdf").toStdString()),
              std::string::npos);
}

// What stands out on the help page: its headings, the header cells of its
// tables and its note, each as a block of the viewer's document.
std::vector<std::pair<QString, QTextBlock>> Bloques_Resaltados(const QTextDocument& doc) {
    std::vector<std::pair<QString, QTextBlock>> bloques;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (b.blockFormat().headingLevel() > 0) bloques.emplace_back("heading " + b.text(), b);
        if (b.text().startsWith(QStringLiteral("Se recomienda no modificar")))
            bloques.emplace_back("note", b);
        QTextCursor c(b);
        QTextTable* t = c.currentTable();
        if (t && t->cellAt(c).row() == 0) bloques.emplace_back("table header " + b.text(), b);
    }
    return bloques;
}

// Under the default light palette and a dark one, every heading, table
// header and note of the help page, as the viewer shows it, reads on what
// is behind it.
TEST(Ayuda, HeadingsTableHeadersAndNoteReadUnderLightAndDarkPalettes) {
    for (const bool oscura : {false, true}) {
        SCOPED_TRACE(oscura ? "dark palette" : "light palette");
        std::optional<Paleta_Oscura> paleta;
        if (oscura) paleta.emplace();
        auto visor = std::make_unique<FM_AYUDA>();
        visor->resize(600, 460);
        visor->Mostrar_Tema(QStringLiteral(KESTRAM_CARPETA_AYUDA "/vorlant.html"), 0);
        QTextBrowser* texto = visor->TX_AYUDA;
        const auto bloques = Bloques_Resaltados(*texto->document());
        const auto cuantos = [&bloques](const char* clase) {
            return std::count_if(bloques.begin(), bloques.end(), [clase](const auto& b) {
                return b.first.startsWith(QLatin1String(clase));
            });
        };
        ASSERT_GE(cuantos("heading"), 9);
        ASSERT_GE(cuantos("table header"), 3);
        ASSERT_EQ(cuantos("note"), 1);
        for (const auto& [que, bloque] : bloques) {
            SCOPED_TRACE(que.toStdString());
            const QRectF caja = texto->document()->documentLayout()->blockBoundingRect(bloque);
            texto->verticalScrollBar()->setValue(int(caja.top()) - 10);
            const QPoint desplazado(texto->horizontalScrollBar()->value(),
                                    texto->verticalScrollBar()->value());
            const QRect r = caja.toAlignedRect().translated(-desplazado);
            const QImage img = texto->viewport()->grab().toImage();
            ASSERT_TRUE(img.rect().contains(r)) << r.y() << " " << r.height();
            const Muestra m = Leer(img, r);
            EXPECT_GE(m.contraste(), kContrasteMinimo)
                << m.texto.name().toStdString() << " on " << m.fondo.name().toStdString();
        }
    }
}

// What a reader program of the poppler tools prints about the guide;
// nothing when it is not installed.
std::optional<QString> Leer_Guia(const QString& programa, QStringList opciones,
                                 const QStringList& despues = {}) {
    QProcess p;
    opciones << QStringLiteral(KESTRAM_CARPETA_AYUDA "/guia_vorlant.pdf");
    p.start(programa, opciones + despues);
    if (!p.waitForStarted(5000)) return std::nullopt;
    EXPECT_TRUE(p.waitForFinished(10000));
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The guide made at build time holds the help's topics; each reference to a
// topic gives the page that topic starts on, and no link is left that a PDF
// reader cannot follow ("#tema32").
TEST(Guia, MadeFromTheHelpFileWithThePagesOfItsTopics) {
    ASSERT_TRUE(QFile::exists(QStringLiteral(KESTRAM_CARPETA_AYUDA "/guia_vorlant.pdf")));
    const QStringList aSalida{QStringLiteral("-")};
    const std::optional<QString> leido = Leer_Guia(QStringLiteral("pdftotext"), {}, aSalida);
    if (!leido) GTEST_SKIP() << "pdftotext not installed";
    for (const char* titulo :
         {"Uso general del programa", "Refuerzo a flexión. Sección rectangular",
          "Refuerzo a flexión. Sección en T", "Refuerzo a confinamiento",
          "Características mecánicas del refuerzo", "Coeficientes de seguridad de los materiales",
          "Ficheros de datos e impresión"}) {
        SCOPED_TRACE(titulo);
        const QString t = QString::fromUtf8(titulo);
        // The entry of the table of topics: "Título (pág. N)".
        const QRegularExpression entrada(QRegularExpression::escape(t) +
                                         QStringLiteral(" \\(pág\\. (\\d+)\\)"));
        const QRegularExpressionMatch m = entrada.match(*leido);
        ASSERT_TRUE(m.hasMatch());
        const QString pagina = m.captured(1);
        const std::optional<QString> hoja =
            Leer_Guia(QStringLiteral("pdftotext"), {"-f", pagina, "-l", pagina}, aSalida);
        ASSERT_TRUE(hoja);
        // The topic's heading, a line of its own, is on that page.
        EXPECT_TRUE(hoja->split(QLatin1Char('\n')).contains(t)) << "page " << pagina.toStdString();
    }
    const std::optional<QString> enlaces =
        Leer_Guia(QStringLiteral("pdfinfo"), {QStringLiteral("-url")});
    ASSERT_TRUE(enlaces) << "pdfinfo not installed";
    EXPECT_FALSE(enlaces->contains(QLatin1Char('#'))) << enlaces->toStdString();
}

// On paper the guide keeps the help's colours of its own, whatever the
// viewer shows: dark blue headings, tinted table headers, a grey note. Each
// read on the first word of the guide that reads so, on its page as drawn.
TEST(Guia, KeepsItsColoursOnPaper) {
    const QString guia = QStringLiteral(KESTRAM_CARPETA_AYUDA "/guia_vorlant.pdf");
    const std::optional<QString> palabras =
        Leer_Guia(QStringLiteral("pdftotext"), {QStringLiteral("-bbox")}, {QStringLiteral("-")});
    if (!palabras) GTEST_SKIP() << "pdftotext not installed";
    const struct {
        const char* palabra;
        bool fondo;  // the colour behind the word, else its ink
        QRgb color;
    } casos[] = {
        {"Temas", false, qRgb(0x00, 0x30, 0x7a)},       // "Temas de ayuda"
        {"Menú", true, qRgb(0xd8, 0xe0, 0xf0)},         // a header cell
        {"recomienda", false, qRgb(0x44, 0x44, 0x44)},  // the note
    };
    const QStringList paginas = palabras->split(QStringLiteral("<page "));
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.palabra);
        const QRegularExpression palabra(
            QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                           "yMax=\"([\\d.]+)\">") +
            QString::fromUtf8(caso.palabra) + QStringLiteral("</word>"));
        int pagina = 0;
        QRegularExpressionMatch m;
        while (++pagina < paginas.size() && !(m = palabra.match(paginas[pagina])).hasMatch()) {
        }
        ASSERT_TRUE(m.hasMatch());
        // 144 dots per inch: two pixels a point.
        QTemporaryDir dir;
        QProcess p;
        p.start(QStringLiteral("pdftoppm"),
                {"-r", "144", "-f", QString::number(pagina), "-l", QString::number(pagina),
                 "-singlefile", "-png", guia, dir.filePath("hoja")});
        ASSERT_TRUE(p.waitForFinished(30000));
        const QImage hoja(dir.filePath("hoja.png"));
        ASSERT_FALSE(hoja.isNull()) << "pdftoppm not installed";
        const QRect caja(QPoint(int(m.captured(1).toDouble() * 2), int(m.captured(2).toDouble() * 2)),
                         QPoint(int(m.captured(3).toDouble() * 2), int(m.captured(4).toDouble() * 2)));
        const Muestra leida = Leer(hoja, caja);
        EXPECT_EQ((caso.fondo ? leida.fondo : leida.texto).name().toStdString(),
                  QColor(caso.color).name().toStdString());
    }
}

// The guide tool run on the help source with the given SOURCE_DATE_EPOCH
// (unset when empty): its exit code and the bytes it wrote.
std::pair<int, QByteArray> Hacer_Guia(const QString& destino, const QString& epoca) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    env.remove(QStringLiteral("QT_HASH_SEED"));
    if (epoca.isEmpty())
        env.remove(QStringLiteral("SOURCE_DATE_EPOCH"));
    else
        env.insert(QStringLiteral("SOURCE_DATE_EPOCH"), epoca);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KESTRAM_HACER_GUIA),
            {QStringLiteral(KESTRAM_FUENTE_AYUDA), destino});
    EXPECT_TRUE(p.waitForFinished(60000));
    QFile f(destino);
    return {p.exitCode(), f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray()};
}

// The same source makes the same guide byte for byte; its date is
// SOURCE_DATE_EPOCH when set, and a bad value makes no guide at all.
TEST(Guia, SameSourceSameBytesDatedBySourceDateEpoch) {
    QTemporaryDir dir;
    const auto [rc1, a] = Hacer_Guia(dir.filePath("a.pdf"), QStringLiteral("1700000000"));
    const auto [rc2, b] = Hacer_Guia(dir.filePath("b.pdf"), QStringLiteral("1700000000"));
    ASSERT_EQ(rc1, 0);
    ASSERT_EQ(rc2, 0);
    ASSERT_FALSE(a.isEmpty());
    EXPECT_TRUE(a == b);
    EXPECT_TRUE(a.contains("/CreationDate (D:20231114221320"));
    const auto [rc3, c] = Hacer_Guia(dir.filePath("c.pdf"), {});
    EXPECT_EQ(rc3, 0);
    EXPECT_EQ(c.size(), a.size());  // only the date's digits differ
    const auto [rc4, d] = Hacer_Guia(dir.filePath("d.pdf"), QStringLiteral("mañana"));
    EXPECT_NE(rc4, 0);
    EXPECT_TRUE(d.isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3);  // no leftover .tmp
}

// ---- Guide and web page ------------------------------------------------------

TEST(Guia, OpenedInTheRegisteredReaderAsOneArgument) {
    platform::ScopedFakeMessages mensajes;
    Escritorio e;
    const QString carpeta = e.Ruta("Mis documentos/año 2026");
    ASSERT_TRUE(QDir().mkpath(carpeta));
    const std::string guia = QDir(carpeta).filePath("guia_vorlant.pdf").toStdString();
    ASSERT_TRUE(QFile(QString::fromStdString(guia)).open(QIODevice::WriteOnly));

    // No reader registered: the message, nothing started.
    Ayuda::Abrir_Pdf(guia);
    ASSERT_NO_FATAL_FAILURE(Esperar_Error(mensajes.fake, kSinLector));

    // A registered reader gets the path, blanks and "ñ" included, whole.
    e.Instalar("lector", "application/pdf", "lector --pagina=1 %f");
    mensajes.fake.clear();
    Ayuda::Abrir_Pdf(guia);
    EXPECT_EQ(e.Recibidos("lector"), (std::vector<std::string>{"--pagina=1", guia}));
    EXPECT_TRUE(mensajes.fake.shown.empty());

    // A registered reader that cannot start: the message.
    e.Registrar("application/pdf", "roto.desktop", "no-existe-este-lector %U",
                QStringLiteral("etc/mimeapps.list"));
    QFile::remove(e.Ruta("config/mimeapps.list"));
    Ayuda::Abrir_Pdf(guia);
    ASSERT_NO_FATAL_FAILURE(Esperar_Error(mensajes.fake, kSinLector));
}

TEST(Web, OpenedInTheRegisteredBrowser) {
    platform::ScopedFakeMessages mensajes;
    Escritorio e;
    Ayuda::Abrir_Web(Ayuda::kDireccionWeb);
    ASSERT_NO_FATAL_FAILURE(Esperar_Error(mensajes.fake, kSinNavegador));

    // A browser of plain http only, then one of https over it.
    e.Instalar("antiguo", "x-scheme-handler/http", "antiguo %u");
    mensajes.fake.clear();
    Ayuda::Abrir_Web(Ayuda::kDireccionWeb);
    EXPECT_EQ(e.Recibidos("antiguo"), (std::vector<std::string>{Ayuda::kDireccionWeb}));
    e.Instalar("navegador", "x-scheme-handler/https", "navegador");
    Ayuda::Abrir_Web(Ayuda::kDireccionWeb);
    EXPECT_EQ(e.Recibidos("navegador"), (std::vector<std::string>{Ayuda::kDireccionWeb}));
    EXPECT_TRUE(mensajes.fake.shown.empty());
    // A registered https browser that cannot start is not passed over.
    QFile::remove(e.Ruta("bin/navegador"));
    Ayuda::Abrir_Web(Ayuda::kDireccionWeb);
    ASSERT_NO_FATAL_FAILURE(Esperar_Error(mensajes.fake, kSinNavegador));
    EXPECT_FALSE(e.Recibidos("antiguo", 300).has_value());
}

// ---- Contact mail -------------------------------------------------------------

TEST(Correo, LinkCarriesTheSubjectEncoded) {
    EXPECT_EQ(Ayuda::Enlace_Correo(),
              std::string("mailto:") + Ayuda::kBuzonInformacion +
                  "?subject=INFORMACION%20SOBRE%20EL%20ZIVIVUR%20DE%20REFUERZO%20VORLANT%C2%AE");
}

TEST_F(Marco, ContactSignsOnOnceForgetsAClientThatFailsAndTheExitSignsOff) {
    Escritorio e;
    auto& c = General::Caso;
    // No mail client: the sign-on fails and is tried again next time.
    principal->mnuAyudaContactar_Click();
    EXPECT_FALSE(c.Sesion_Correo);
    ASSERT_NO_FATAL_FAILURE(Esperar_Error(mensajes.fake, kSinCorreo));

    e.Instalar("correo", "x-scheme-handler/mailto", "correo --compose %u");
    mensajes.fake.clear();
    principal->TB_BARRA_ButtonClick(QStringLiteral("Mail"));
    EXPECT_TRUE(c.Sesion_Correo);
    EXPECT_EQ(e.Recibidos("correo"), (std::vector<std::string>{"--compose", Ayuda::Enlace_Correo()}));

    // Signed on: the second contact uses the client found, not the register.
    QFile::remove(e.Ruta("config/mimeapps.list"));
    principal->mnuAyudaContactar_Click();
    EXPECT_TRUE(e.Recibidos("correo").has_value());
    EXPECT_TRUE(mensajes.fake.shown.empty());

    // A client that stops starting: the message, and it is forgotten; the
    // next contact finds the one the user registers meanwhile.
    QFile::remove(e.Ruta("bin/correo"));
    principal->mnuAyudaContactar_Click();
    ASSERT_NO_FATAL_FAILURE(Esperar_Error(mensajes.fake, kSinCorreo));
    EXPECT_FALSE(c.Sesion_Correo);
    e.Instalar("otro", "x-scheme-handler/mailto", "otro %u");
    mensajes.fake.clear();
    principal->mnuAyudaContactar_Click();
    EXPECT_EQ(e.Recibidos("otro"), (std::vector<std::string>{Ayuda::Enlace_Correo()}));
    EXPECT_TRUE(c.Sesion_Correo);
    EXPECT_TRUE(mensajes.fake.shown.empty());

    principal->mnuPrincipalSalir_Click();
    EXPECT_FALSE(c.Sesion_Correo);
}

// ---- Finding the desktop's program ----------------------------------------------

TEST(Escritorio, ExecLineToArguments) {
    struct Caso {
        const char* exec;
        std::vector<std::string> esperado;  // program first
    };
    const std::string t = "/tmp/a b/ñ.pdf";
    const Caso casos[] = {
        {"lector %f", {"lector", t}},
        {"lector", {"lector", t}},
        {"lector %U --nuevo", {"lector", t, "--nuevo"}},
        {"\"/opt/mi lector/bin/lector\" --abrir=%u", {"/opt/mi lector/bin/lector", "--abrir=" + t}},
        {"lector %i %c %k 100%% %F", {"lector", "100%", t}},
        {"sh -c \"echo \\\"$0\\\"\" %f", {"sh", "-c", "echo \"$0\"", t}},
        {"lector \"sin cerrar %f", {}},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.exec);
        const std::vector<std::string> palabras = platform::splitExec(k.exec);
        if (k.esperado.empty()) {
            EXPECT_TRUE(palabras.empty());
            continue;
        }
        ASSERT_FALSE(palabras.empty());
        platform::DesktopHandler h{"x.desktop", palabras[0], {palabras.begin() + 1, palabras.end()}};
        std::vector<std::string> todo{h.program};
        for (const std::string& a : platform::handlerArguments(h, t)) todo.push_back(a);
        EXPECT_EQ(todo, k.esperado);
    }
}

TEST(Escritorio, PrecedenceOfTheRegisters) {
    Escritorio e;
    const std::string tipo = "application/pdf";
    auto id = [&tipo] {
        auto h = platform::findDesktopHandler(tipo);
        return h ? h->desktopId : std::string("-");
    };
    // The system cache only.
    e.Escribir("share/applications/mimeinfo.cache", "[MIME Cache]\napplication/pdf=cache.desktop;\n");
    e.Escribir("share/applications/cache.desktop", "[Desktop Entry]\nType=Application\nExec=cache %f\n");
    EXPECT_EQ(id(), "cache.desktop");
    // An association the user removed is passed over.
    e.Escribir("config/mimeapps.list", "[Removed Associations]\napplication/pdf=cache.desktop;\n");
    EXPECT_EQ(id(), "-");
    // A system default; a user default over it; a hidden one is skipped.
    e.Registrar(QString::fromStdString(tipo), "sistema.desktop", "sistema %f", "etc/mimeapps.list");
    EXPECT_EQ(id(), "sistema.desktop");
    e.Registrar(QString::fromStdString(tipo), "usuario.desktop", "usuario %f");
    EXPECT_EQ(id(), "usuario.desktop");
    e.Escribir("data/applications/usuario.desktop",
               "[Desktop Entry]\nType=Application\nExec=usuario %f\nHidden=true\n");
    EXPECT_EQ(id(), "sistema.desktop");
    EXPECT_EQ(platform::findDesktopHandler("x-scheme-handler/https"), std::nullopt);
}
