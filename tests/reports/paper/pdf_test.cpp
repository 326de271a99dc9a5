// The reports through the real page code into PDF files, read back with the
// poppler tools; and the snapshots of the windows.
#include "reports/paper/Papel.h"

#include "pdf_support.h"

#include "drawing/General_dibujo.h"
#include "drawing/Grafico.h"
#include "drawing/Registros.h"
#include "engine/Calculos.h"
#include "engine/Caracteristicas.h"
#include "engine/General.h"
#include "platform/Controls.h"
#include "platform/Messages.h"
#include "platform/NumberText.h"
#include "platform/Combo.h"
#include "windows/FM_CARAC.h"
#include "windows/FM_CONFINA.h"
#include "windows/FM_FLEXION.h"
#include "windows/FM_FLEXIONT.h"
#include "tests/platform_fakes/Fakes.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <stdexcept>

namespace {

using namespace Imprimir;
using prueba::Buscar;

struct Marco : windows::FrameHooks {
    void setEntryEnabled(windows::FrameEntry, bool) override {}
};

// A small drawing with a title, standing in for a builder.
std::function<void()> Dibujo(const char* titulo, double color) {
    return [titulo, color] {
        auto& l = General_dibujo::Dibujo.Lista_Elementos;
        l.Limpiar();
        l.Anadir(General_dibujo::Registro_Linea(0, 0, 10, 0, color, 1, 2));
        l.Anadir(General_dibujo::Registro_Linea(0, 0, 0, 5, 0, 3, 1));
        l.Anadir(General_dibujo::Registro_Caja(General_dibujo::Elemento_Sec_Rect, 1, 4, 4, 1, 0));
        l.Anadir(General_dibujo::Registro_Caja(General_dibujo::Elemento_Sec_Cir, 6, 3, 8, 1, 255));
        General_dibujo::Elemento t =
            General_dibujo::Registro_Texto(General_dibujo::Elemento_Texto_Centrado, 5, 5.5, 12, 1);
        t.Color = color;
        l.Anadir(t, titulo);
    };
}

Foto_Flexion Foto_Fija(int tipo) {
    Foto_Flexion f;
    f.Tipo = tipo;
    f.TX_MU = "312,4";
    f.TX_MUSR = "250,0";
    f.TX_EPS0 = "0,40";
    f.TX_MRB = "280,1";
    f.TX_MLIMCR = "400,9";
    f.TX_PIVOTE = "B";
    f.TX_FN = "0,123";
    f.TX_EPSC = "3,50";
    f.TX_EPSSI = "10,00";
    f.TX_EPSSS = "1,25";
    f.TX_EPSR = "8,10";
    f.LB_TIPO = "Refuerzo tipo VORLANT 20 - Núm. capas:  2";
    QImage logo(336, 173, QImage::Format_ARGB32);
    logo.fill(QColor(0, 0, 128));
    f.IM_LOGO.Ancho = logo.width();
    f.IM_LOGO.Alto = logo.height();
    f.IM_LOGO.Pixeles.assign(reinterpret_cast<const uint32_t*>(logo.constBits()),
                             reinterpret_cast<const uint32_t*>(logo.constBits()) +
                                 logo.width() * logo.height());
    return f;
}

QByteArray Leer(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs f with every file of the process limited to `bytes`, the signal of a
// write past the limit ignored: the write fails as on a full disk.
template <class F>
auto Bajo_Limite(rlim_t bytes, F f) {
    rlimit antes{};
    getrlimit(RLIMIT_FSIZE, &antes);
    rlimit limite = antes;
    limite.rlim_cur = antes.rlim_max == RLIM_INFINITY ? bytes : std::min(bytes, antes.rlim_max);
    const auto senal = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limite);
    auto r = f();
    setrlimit(RLIMIT_FSIZE, &antes);
    std::signal(SIGXFSZ, senal);
    return r;
}

class Pdf : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        General::Caso = {};
        General_dibujo::Dibujo = {};
        Caracteristicas::Iniciar_Datos();
        General::Caso.Ancho = 0.4;
        General::Caso.Momento_Solicitante = 230000;
        ASSERT_TRUE(dir.isValid());
    }
    void TearDown() override {
        // Keep the files for a look when asked to.
        const QByteArray copia = qgetenv("KESTRAM_INFORMES");
        if (!copia.isEmpty())
            for (const QString& f : QDir(dir.path()).entryList({"*.pdf"}))
                QFile::copy(dir.filePath(f), QString::fromLocal8Bit(copia) + "/" + f);
        QLocale::setDefault(QLocale::c());
    }
    QString Ruta(const char* nombre) const { return dir.filePath(QString::fromLatin1(nombre)); }

    Resultado Flexion_Pdf(const QString& ruta, const Foto_Flexion& f) {
        return Imprimir_En("Archivo PDF", ruta, [&](Superficie& s) {
            return Imprimir_Flexion(s, f, Numeros_Locale(),
                                    {Dibujo("DIAGRAMA DE PIVOTES", 255), Dibujo("SECCION", 0),
                                     Dibujo("ARMADURA", 65280), Dibujo("CAPAS", 16711680)});
        });
    }

    QTemporaryDir dir;
};

TEST_F(Pdf, FlexureReportReadsBack) {
    const QString ruta = Ruta("flexion.pdf");
    ASSERT_EQ(Flexion_Pdf(ruta, Foto_Fija(1)).estado, Estado::Impreso);
    EXPECT_EQ(prueba::Paginas(ruta), 2);
    const QString info = prueba::Ejecutar("pdfinfo", {ruta});
    EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+595(\\.\\d+)? x 84[12]"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("(^|\n)Title: +REFUERZO A FLEXION EN SECCIONES RECTANGULARES\n")))
        << info.toStdString();

    const auto w = prueba::Palabras(ruta);
    for (const char* t : {"0,400", "230000,00", "cm²", "‰", "312,4", "REFUERZO"})
        EXPECT_TRUE(Buscar(w, QString::fromUtf8(t))) << t;
    EXPECT_FALSE(Buscar(w, "230.000,00"));
    const auto p2 = Buscar(w, "2", 2);
    const auto pagina2 = Buscar(w, "Página", 2);
    ASSERT_TRUE(p2 && pagina2);
    // Positions: label at the left margin, value at 6.5, the first data line
    // at 5.0 (the word box starts a little below the line's top).
    const auto ancho = Buscar(w, "Ancho:");
    const auto valor = Buscar(w, "0,400");
    ASSERT_TRUE(ancho && valor);
    EXPECT_NEAR(ancho->x, 2.0, 0.05);
    EXPECT_NEAR(valor->x, 6.5, 0.05);
    EXPECT_NEAR(ancho->y, 5.0, 0.1);
    EXPECT_NEAR(valor->y, ancho->y, 0.01);
    const auto titulo = Buscar(w, "REFUERZO", 1);
    ASSERT_TRUE(titulo);
    EXPECT_NEAR(titulo->x, 2.0, 0.05);
    const auto resultados = Buscar(w, "RESULTADOS");
    ASSERT_TRUE(resultados);
    EXPECT_NEAR(resultados->x, 10.5, 0.05);
    EXPECT_NEAR(resultados->y, 4.0, 0.1);

    const QString fuentes = prueba::Ejecutar("pdffonts", {ruta});
    EXPECT_TRUE(fuentes.contains("LiberationSans")) << fuentes.toStdString();
    for (const QString& linea : fuentes.split('\n').mid(2)) {
        if (linea.trimmed().isEmpty()) continue;
        EXPECT_TRUE(linea.contains(QRegularExpression("\\s+yes\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+\\s*$")))
            << "not embedded: " << linea.toStdString();
    }
}

// The darkest pixel of a box of page 1 (cm) rendered at 600 dpi in grey.
int Mas_Oscuro(const QString& pdf, double x, double y, double w, double h) {
    const auto px = [](double cm) { return QString::number(qRound(cm / 2.54 * 600)); };
    QProcess p;
    p.start("pdftoppm", {"-r", "600", "-gray", "-f", "1", "-l", "1", "-x", px(x), "-y", px(y),
                         "-W", px(w), "-H", px(h), pdf});
    if (!p.waitForFinished(30000)) return -1;
    // PGM: "P5", width, height, maximum, one whitespace, then the pixels.
    const QByteArray pgm = p.readAllStandardOutput();
    const auto m = QRegularExpression("^P5\\s+(\\d+)\\s+(\\d+)\\s+255\\s").match(QString::fromLatin1(pgm.left(40)));
    if (!m.hasMatch()) return -1;
    const int n = m.captured(1).toInt() * m.captured(2).toInt();
    const QByteArray pixeles = pgm.mid(m.capturedLength(0));
    if (pixeles.size() < n) return -1;
    int minimo = 255;
    for (int i = 0; i < n; ++i) minimo = std::min(minimo, int(static_cast<uchar>(pixeles[i])));
    return minimo;
}

// The page frame's header rule is the document's first line: a black
// stroke one device pixel wide, as dark as the same rule of the next page.
TEST_F(Pdf, FirstRuleOfTheDocumentIsAStrokeOfItsWidth) {
    const QString ruta = Ruta("regla.pdf");
    ASSERT_EQ(Flexion_Pdf(ruta, Foto_Fija(1)).estado, Estado::Impreso);
    // The rule stands 0.15 cm under the title line (about 0.41 cm high).
    const int oscuro = Mas_Oscuro(ruta, 13.0, 2.3, 1.0, 0.6);  // right of the title
    ASSERT_GE(oscuro, 0);
    EXPECT_LT(oscuro, 96);
}

// A strain diagram whose top strain is 0 draws a line whose two ends meet:
// the file must hold no path operator without a point (readers report the
// page as damaged).
TEST_F(Pdf, LineOfZeroLengthKeepsThePageWellFormed) {
    const QString ruta = Ruta("punto.pdf");
    const auto con_punto = [](const char* titulo) {
        return [titulo] {
            auto& l = General_dibujo::Dibujo.Lista_Elementos;
            l.Limpiar();
            l.Anadir(General_dibujo::Registro_Linea(0, 0, 0, 1000));
            l.Anadir(General_dibujo::Registro_Linea(0, 1000, 0, 1000));
            l.Anadir(General_dibujo::Registro_Linea(0, 0, -9.64, 0));
            l.Anadir(General_dibujo::Registro_Linea(0, 999.95, -0.0, 999.95, 0, 3));
            l.Anadir(General_dibujo::Registro_Texto(General_dibujo::Elemento_Texto_Centrado,
                                                     -3.375, 1200, 12, 1),
                      titulo);
        };
    };
    const auto r = Imprimir_En("Archivo PDF", ruta, [&](Superficie& s) {
        return Imprimir_Flexion(s, Foto_Fija(1), Numeros_Locale(),
                                {con_punto("DIAGRAMA DE PIVOTES"), con_punto("SECCION"),
                                 con_punto("ARMADURA"), con_punto("CAPAS")});
    });
    ASSERT_EQ(r.estado, Estado::Impreso);
    QProcess p;
    p.start("pdftoppm", {"-r", "10", "-png", ruta, dir.filePath("pagina")});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString errores = QString::fromUtf8(p.readAllStandardError());
    EXPECT_FALSE(errores.contains("Syntax Error")) << errores.toStdString();
}

TEST_F(Pdf, NoticeReportIsOnePage) {
    Foto_Flexion f = Foto_Fija(2);
    f.LB_INFO_Visible = true;
    f.LB_INFO = " NO SE PUEDE REFORZAR LA SECCION ";
    const QString ruta = Ruta("flexion_t.pdf");
    ASSERT_EQ(Flexion_Pdf(ruta, f).estado, Estado::Impreso);
    EXPECT_EQ(prueba::Paginas(ruta), 1);
    const auto w = prueba::Palabras(ruta);
    ASSERT_TRUE(Buscar(w, "PUEDE"));
    EXPECT_FALSE(Buscar(w, "RESULTADOS"));
    ASSERT_TRUE(Buscar(w, "alma:"));
}

TEST_F(Pdf, ConfinementAndCharacteristicsReports) {
    auto& c = General::Caso;
    Caracteristicas::Poner_Defectos_Confina();
    c.Tipo_Seccion = 3;
    Foto_Confina fc;
    fc.CO_SECCION = 2;
    fc.TX_WC = "0,196350";
    fc.TX_EPS0 = "0,12";
    fc.LB_TIPO = "Refuerzo tipo VORLANT 30 - Núm. capas:  3";
    const QString confina = Ruta("confina.pdf");
    ASSERT_EQ(Imprimir_En("Archivo PDF", confina,
                          [&](Superficie& s) {
                              return Imprimir_Confina(
                                  s, fc, Numeros_Locale(),
                                  {Dibujo("DIAGRAMA DE CONFINAMIENTO", 255), Dibujo("PILAR", 0)});
                          })
                  .estado,
              Estado::Impreso);
    EXPECT_EQ(prueba::Paginas(confina), 1);
    auto w = prueba::Palabras(confina);
    for (const char* t : {"RECTANGULAR", "menor:", "0,196350", "m³/m", "0,12‰", "Página"})
        EXPECT_TRUE(Buscar(w, QString::fromUtf8(t))) << t;

    Caracteristicas::Cargar_Refuerzo(3);
    Calculos::Calcular_Km();
    Dibujo("DIAGRAMA TENSION-DEFORMACION", 0)();
    Foto_Carac fk;
    fk.OP_V20 = false;
    fk.OP_VMM = true;
    const QString carac = Ruta("caracteristicas.pdf");
    ASSERT_EQ(Imprimir_En("Archivo PDF", carac,
                          [&](Superficie& s) {
                              return Imprimir_Caracteristicas(s, fk, Numeros_Locale());
                          })
                  .estado,
              Estado::Impreso);
    EXPECT_EQ(prueba::Paginas(carac), 1);
    w = prueba::Palabras(carac);
    for (const char* t : {"MM", "440000", "5,50‰", "(N/mm²)", "Km"})
        EXPECT_TRUE(Buscar(w, QString::fromUtf8(t))) << t;
    // The table's first column is centred in its 3.5 cm cell from x 2.0.
    const auto uno = Buscar(w, "1");
    ASSERT_TRUE(uno);
    EXPECT_NEAR(uno->x, 2.0 + 1.75 - 0.1, 0.1);
}

TEST_F(Pdf, FailuresLeaveTheTargetAlone) {
    // A folder that does not exist: the surface cannot start.
    Resultado r = Flexion_Pdf(Ruta("no/existe/flexion.pdf"), Foto_Fija(1));
    EXPECT_EQ(r.estado, Estado::Fallo);
    EXPECT_FALSE(r.motivo.empty());
    // A path that is a folder.
    EXPECT_EQ(Flexion_Pdf(dir.path(), Foto_Fija(1)).estado, Estado::Fallo);

    // A report that breaks off halfway: the old file stays, no leftovers.
    const QString ruta = Ruta("viejo.pdf");
    {
        QFile f(ruta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("viejo");
    }
    r = Imprimir_En("Archivo PDF", ruta, [](Superficie& s) -> Resultado {
        Impresora imp(s);
        Pagina p{"X", {}};
        Preparar_Pagina(imp, p);
        throw std::runtime_error("roto");
    });
    EXPECT_EQ(r.estado, Estado::Fallo);
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("viejo"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

    // A complete document replaces it.
    ASSERT_EQ(Flexion_Pdf(ruta, Foto_Fija(1)).estado, Estado::Impreso);
    EXPECT_EQ(prueba::Paginas(ruta), 2);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

    // Writes that fail on the way (a file-size limit, as a full disk), in
    // the middle or in the last line: over that file and to a new name,
    // nothing changes and nothing is left behind.
    const QByteArray completo = Leer(ruta);
    ASSERT_GT(completo.size(), 1000);
    for (const qint64 limite : {completo.size() / 2, completo.size() - 3}) {
        SCOPED_TRACE(limite);
        for (const QString& destino : {ruta, Ruta("nuevo.pdf")}) {
            r = Bajo_Limite(limite, [&] { return Flexion_Pdf(destino, Foto_Fija(1)); });
            EXPECT_EQ(r.estado, Estado::Fallo);
            EXPECT_FALSE(r.motivo.empty());
        }
        EXPECT_TRUE(Leer(ruta) == completo);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).join(' ').toStdString(),
                  "viejo.pdf");
    }
}

// The temporary file has a short name of its own, so the longest names
// print; a replaced file keeps its permission bits, a new one gets the
// user's umask.
TEST_F(Pdf, NamesAndPermissionsOfTheFileWritten) {
    struct Mascara {
        mode_t antes = umask(077);
        ~Mascara() { umask(antes); }
    } mascara;
    struct Caso {
        std::string nombre;
        int previo;  // permission bits of the file there before; -1: none
        unsigned modo;
    };
    for (const Caso& k : {Caso{"privado.pdf", 0600, 0600}, Caso{"grupo.pdf", 0664, 0664},
                          Caso{std::string(246, 'a') + ".pdf", -1, 0600}}) {
        SCOPED_TRACE(k.nombre);
        const QString ruta = dir.filePath(QString::fromStdString(k.nombre));
        if (k.previo >= 0) {
            QFile f(ruta);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("viejo");
            f.close();
            ASSERT_EQ(chmod(QFile::encodeName(ruta).constData(), k.previo), 0);
        }
        const Resultado r = Flexion_Pdf(ruta, Foto_Fija(1));
        ASSERT_EQ(r.estado, Estado::Impreso) << r.motivo;
        EXPECT_EQ(prueba::Paginas(ruta), 2);
        struct stat st {};
        ASSERT_EQ(stat(QFile::encodeName(ruta).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, k.modo);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
}

// ---- Snapshots -----------------------------------------------------------

// A result box of a window, the snapshot's field it fills and its text.
template <class F>
struct Caja {
    platform::ReadOnlyBox* caja;
    std::string F::*campo;
    const char* texto;
};

void Poner_Logo(QLabel& logo) {
    QPixmap pm(336, 173);
    pm.fill(Qt::red);
    logo.setPixmap(pm);
}

TEST(Foto, TWindowHandsWhatItShows) {
    Marco marco;
    FM_FLEXIONT v(marco);
    // Each result box with a text of its own: a box read for another fails.
    const Caja<Foto_Flexion> cajas[] = {
        {v.TX_MU, &Foto_Flexion::TX_MU, "---"},
        {v.TX_MUSR, &Foto_Flexion::TX_MUSR, "250,0"},
        {v.TX_EPS0, &Foto_Flexion::TX_EPS0, "0,40"},
        {v.TX_MRB, &Foto_Flexion::TX_MRB, "280,1"},
        {v.TX_MLIMCR, &Foto_Flexion::TX_MLIMCR, "400,9"},
        {v.TX_PIVOTE, &Foto_Flexion::TX_PIVOTE, "B"},
        {v.TX_FN, &Foto_Flexion::TX_FN, "0,123"},
        {v.TX_EPSC, &Foto_Flexion::TX_EPSC, "3,50"},
        {v.TX_EPSSI, &Foto_Flexion::TX_EPSSI, "10,00"},
        {v.TX_EPSSS, &Foto_Flexion::TX_EPSSS, "1,25"},
        {v.TX_EPSR, &Foto_Flexion::TX_EPSR, "8,10"},
    };
    for (const auto& c : cajas) c.caja->setText(QString::fromUtf8(c.texto));
    v.LB_TIPO->setText(QString::fromUtf8("Refuerzo tipo VORLANT 30 - Núm. capas:  4"));
    v.LB_INFO->showNotice(" NO SE PUEDE REFORZAR LA SECCION ", Qt::red);
    Poner_Logo(*v.IM_LOGO);
    // The window is not on screen: the notice still counts as shown.
    const Foto_Flexion f = std::get<Foto_Flexion>(v.Foto_Informe());
    EXPECT_EQ(f.Tipo, 2);
    for (const auto& c : cajas) EXPECT_EQ(f.*c.campo, c.texto);
    EXPECT_EQ(f.LB_TIPO, "Refuerzo tipo VORLANT 30 - Núm. capas:  4");
    EXPECT_TRUE(f.LB_INFO_Visible);
    EXPECT_EQ(f.LB_INFO, " NO SE PUEDE REFORZAR LA SECCION ");
    EXPECT_EQ(f.IM_LOGO.Ancho, 336);
    EXPECT_EQ(f.IM_LOGO.Pixeles.front(), 0xFFFF0000u);
    EXPECT_TRUE(Rehusa_Flexion(f));

    v.LB_INFO->hide();
    EXPECT_FALSE(std::get<Foto_Flexion>(v.Foto_Informe()).LB_INFO_Visible);
}

TEST(Foto, ConfinementAndCharacteristicsWindows) {
    Marco marco;
    Caracteristicas::Poner_Defectos_Confina();
    FM_CONFINA v(marco);
    v.Form_Load();
    v.CO_SECCION->select(1);
    const Caja<Foto_Confina> cajas[] = {
        {v.TX_WC, &Foto_Confina::TX_WC, "0,196350"},
        {v.TX_WR, &Foto_Confina::TX_WR, "0,000651"},
        {v.TX_WWD, &Foto_Confina::TX_WWD, "0,003316"},
        {v.TX_EPS0, &Foto_Confina::TX_EPS0, "0,12"},
        {v.TX_EPSR, &Foto_Confina::TX_EPSR, "4,29"},
        {v.TX_SIGMAR, &Foto_Confina::TX_SIGMAR, "986,3"},
        {v.TX_TENSCONF, &Foto_Confina::TX_TENSCONF, "0,107"},
        {v.TX_RESU, &Foto_Confina::TX_RESU, "1,38"},
    };
    for (const auto& c : cajas) c.caja->setText(QString::fromUtf8(c.texto));
    v.LB_TIPO->setText(QString::fromUtf8("Refuerzo tipo VORLANT MM - Núm. capas:  1"));
    const Foto_Confina f = std::get<Foto_Confina>(v.Foto_Informe());
    EXPECT_EQ(f.CO_SECCION, 1);
    for (const auto& c : cajas) EXPECT_EQ(f.*c.campo, c.texto);
    EXPECT_EQ(f.LB_TIPO, "Refuerzo tipo VORLANT MM - Núm. capas:  1");
    EXPECT_FALSE(f.IM_LOGO.Vacia());

    FM_CARAC k(marco);
    QRadioButton* op[3] = {k.OP_V20, k.OP_V30, k.OP_VMM};
    for (int i = 0; i < 3; ++i) {
        op[i]->setChecked(true);
        const Foto_Carac c = std::get<Foto_Carac>(k.Foto_Informe());
        EXPECT_EQ(Variante_Elegida(c), i + 1);
    }
}

TEST_F(Pdf, RectangularWindowSnapshotAndReport) {
    platform::ScopedFakeMessages mensajes;
    Grafico::Poner_Formateador([](double v, int d) {
        return platform::formatNumber(v, d).toStdString();
    });
    General::Caso.Momento_Solicitante = 280;  // needs the sheets
    Marco marco;
    FM_FLEXION w(marco);
    w.Form_Load();
    w.show();
    w.CM_CALCULAR->click();
    ASSERT_TRUE(General::Caso.Calculado) << (mensajes.fake.shown.empty() ? "" : mensajes.fake.shown.back().text);

    const Foto_Flexion f = std::get<Foto_Flexion>(w.Foto_Informe());
    EXPECT_EQ(f.TX_MU, w.TX_MU->text().toStdString());
    EXPECT_EQ(f.TX_FN, w.TX_FN->text().toStdString());
    EXPECT_EQ(f.LB_TIPO, w.LB_TIPO->text().toStdString());
    EXPECT_EQ(f.LB_INFO_Visible, !w.LB_INFO->isHidden());
    EXPECT_FALSE(f.IM_LOGO.Vacia());

    ASSERT_FALSE(f.LB_INFO_Visible);
    ASSERT_FALSE(Rehusa_Flexion(f));
    {
        const QString ruta = Ruta("ventana.pdf");
        ASSERT_EQ(Imprimir_En("Archivo PDF", ruta,
                              [&](Superficie& s) {
                                  return Imprimir_Flexion(s, f, Numeros_Locale(),
                                                          Dibujos_Grafico_Flexion(1));
                              })
                      .estado,
                  Estado::Impreso);
        EXPECT_EQ(prueba::Paginas(ruta), 2);
        // The printed number equals the shown one.
        const auto palabras = prueba::Palabras(ruta);
        EXPECT_TRUE(Buscar(palabras, w.TX_MU->text().trimmed())) << f.TX_MU;
        EXPECT_TRUE(General_dibujo::Dibujo.Ver_Capas);
    }
    Grafico::Poner_Formateador({});
}

}  // namespace
