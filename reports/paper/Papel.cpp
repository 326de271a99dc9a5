#include "reports/paper/Papel.h"

#include "drawing/screen/Color_Qt.h"
#include "platform/FileReplacement.h"
#include "platform/NumberText.h"
#include "platform/Printers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <algorithm>
#include <cmath>
#include <utility>

namespace Imprimir {

namespace {

constexpr double kGrados = 180.0 / 3.14159265358979323846;

// Whether the file holds the whole document as the PDF writer ends it: the
// last lines give the place of the cross-reference table and "%%EOF", and
// the table stands there with every entry, followed by the trailer. The
// writer does not report a failed write; a lost or cut write moves the
// table away from the place it counted.
bool Pdf_Completo(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray datos = f.readAll();
    static const QRegularExpression fin(
        QStringLiteral("startxref\\s+(\\d{1,15})\\s+%%EOF(?:\\r?\\n)?\\z"));
    const QRegularExpressionMatch m = fin.match(QString::fromLatin1(datos.right(64)));
    if (!m.hasMatch()) return false;
    const qint64 tabla = m.captured(1).toLongLong();
    if (tabla >= datos.size()) return false;
    static const QRegularExpression cabecera(
        QStringLiteral("^xref[ \\r\\n]+0[ ]+(\\d{1,9})[ ]*\\r?\\n"));
    const QRegularExpressionMatch c =
        cabecera.match(QString::fromLatin1(datos.mid(tabla, 40)));
    if (!c.hasMatch()) return false;
    // Every entry of the table is 20 bytes long.
    const qint64 trailer = tabla + c.capturedLength(0) + 20 * c.captured(1).toLongLong();
    return trailer < datos.size() && datos.mid(trailer, 7) == "trailer";
}

}  // namespace

// Both kinds of document are a PDF file of A4 portrait sheets at 600 dpi,
// fonts embedded, written by the toolkit's PDF writer (which, unlike its
// printer, never asks the printing system anything).
Superficie_Papel::Superficie_Papel()
    : disposicion_(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                   QPageLayout::Millimeter) {}

std::unique_ptr<Superficie_Papel> Superficie_Papel::Pdf(const QString& ruta) {
    std::unique_ptr<Superficie_Papel> s(new Superficie_Papel);
    s->destino_ = ruta;
    return s;
}

std::unique_ptr<Superficie_Papel> Superficie_Papel::Impresora_Sistema(const std::string& nombre) {
    std::unique_ptr<Superficie_Papel> s(new Superficie_Papel);
    s->impresora_ = nombre;
    return s;
}

Superficie_Papel::~Superficie_Papel() {
    if (painter_.isActive()) painter_.end();
    Descartar();
}

void Superficie_Papel::Descartar() {
    pdf_.reset();
    temporal_.reset();
    trabajoGuardado_.release();
    trabajo_.reset();
}

bool Superficie_Papel::Fallar(const QString& motivo) {
    error_ = motivo;
    Descartar();
    return false;
}

void Superficie_Papel::Poner_Titulo(const std::string& titulo) {
    if (!iniciada_) titulo_ = titulo;
}

bool Superficie_Papel::Abrir_Pdf() {
    const QFileInfo info(destino_);
    if (info.isDir()) {
        error_ = QStringLiteral("«%1» es una carpeta.").arg(destino_);
        return false;
    }
    // Beside the target, so the final rename stays on one file system.
    auto temporal = std::make_unique<platform::FileReplacement>();
    if (temporal->open(QFile::encodeName(destino_).toStdString()) != 0) {
        // An existing file the user may not write stays as it is.
        const QFileInfo objetivo(QFile::decodeName(temporal->target().c_str()));
        error_ = objetivo.exists() && !temporal->folderTakesNoFile()
                     ? QStringLiteral("No se puede escribir en el fichero «%1».")
                           .arg(QDir::toNativeSeparators(destino_))
                     : QStringLiteral("No se puede escribir en la carpeta «%1».")
                           .arg(QDir::toNativeSeparators(info.absolutePath()));
        return false;
    }
    temporal_ = std::move(temporal);
    salida_ = QFile::decodeName(temporal_->temporary().c_str());
    return true;
}

bool Superficie_Papel::Abrir_Trabajo() {
    // The page starts at the top left corner of the printable area the
    // printer reports; the sheet stays A4 portrait, as the job asks.
    platform::PageMargins m;
    const std::string motivo = platform::printers().a4Margins(impresora_, m);
    if (!motivo.empty()) {
        error_ = QString::fromStdString(motivo);
        return false;
    }
    const QMarginsF margenes(m.left * 10, m.top * 10, m.right * 10, m.bottom * 10);
    if (m.left < 0 || m.top < 0 || m.right < 0 || m.bottom < 0 ||
        m.left + m.right >= 21.0 || m.top + m.bottom >= 29.7 ||
        !disposicion_.setMargins(margenes)) {
        error_ = QStringLiteral("La impresora «%1» no ofrece un área de impresión en A4.")
                     .arg(QString::fromStdString(impresora_));
        return false;
    }
    trabajo_ = std::make_unique<QTemporaryFile>(QDir::tempPath() +
                                                QStringLiteral("/kestram-XXXXXX.pdf"));
    if (!trabajo_->open()) {
        error_ = QStringLiteral("No se puede escribir en la carpeta temporal «%1».")
                     .arg(QDir::toNativeSeparators(QDir::tempPath()));
        trabajo_.reset();
        return false;
    }
    trabajo_->close();
    salida_ = trabajo_->fileName();
    trabajoGuardado_.keep(QFile::encodeName(salida_).toStdString());
    return true;
}

bool Superficie_Papel::Iniciar() {
    if (iniciada_) return true;
    if (!(destino_.isEmpty() ? Abrir_Trabajo() : Abrir_Pdf())) return false;
    pdf_ = std::make_unique<QPdfWriter>(salida_);
    pdf_->setResolution(600);
    pdf_->setCreator(QStringLiteral("KESTRAM - VORLANT\u00AE"));
    pdf_->setTitle(QString::fromStdString(titulo_));
    // The painter's origin is the top left corner of the layout's margins.
    if (!pdf_->setPageLayout(disposicion_) || !painter_.begin(pdf_.get())) {
        return Fallar(QStringLiteral("No se ha podido iniciar el documento."));
    }
    // The PDF writer never receives a first pen equal to the painter's
    // initial one, and draws the lines under it as hairline fills: start
    // from a different pen, so the report's first pen reaches it.
    painter_.setPen(Qt::NoPen);
    dpi_ = pdf_->resolution() > 0 ? pdf_->resolution() : 600;
    const QRectF area = pdf_->pageLayout().paintRectPixels(pdf_->resolution());
    ancho_ = area.width() * 2.54 / dpi_;
    alto_ = area.height() * 2.54 / dpi_;
    iniciada_ = true;
    return true;
}

QFont Superficie_Papel::Fuente_Qt(const Fuente& f) const {
    // "arial" is drawn with a metric-compatible free face where Arial is
    // not installed.
    QFont q(QString::fromStdString(f.Nombre));
    q.setStyleHint(QFont::SansSerif);
    q.setFamilies({QString::fromStdString(f.Nombre), QStringLiteral("Arial"),
                   QStringLiteral("Liberation Sans")});
    q.setPointSizeF(f.Tamano > 0 ? f.Tamano : 10);
    q.setBold(f.Negrita);
    return q;
}

Medida Superficie_Papel::Medir(const std::string& texto, const Fuente& f) const {
    QFontMetricsF fm(Fuente_Qt(f), Dispositivo());
    return {fm.horizontalAdvance(QString::fromStdString(texto)) * 2.54 / dpi_,
            fm.height() * 2.54 / dpi_};
}

void Superficie_Papel::Abarcar(double x1, double y1, double x2, double y2) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    if (!dibujado_) {
        min_x_ = x1, min_y_ = y1, max_x_ = x2, max_y_ = y2;
        dibujado_ = true;
        return;
    }
    min_x_ = std::min(min_x_, x1);
    min_y_ = std::min(min_y_, y1);
    max_x_ = std::max(max_x_, x2);
    max_y_ = std::max(max_y_, y2);
}

bool Superficie_Papel::Cabe() const {
    // A tenth of a millimetre for the rounding of the metrics.
    constexpr double kHolgura = 0.01;
    return !sin_sitio_ &&
           (!dibujado_ || (min_x_ >= -kHolgura && min_y_ >= -kHolgura &&
                           max_x_ <= ancho_ + kHolgura && max_y_ <= alto_ + kHolgura));
}

void Superficie_Papel::Caja_Dibujo(double x1, double y1, double x2, double y2) {
    if (!(x2 > x1 && y2 > y1))
        sin_sitio_ = true;
    else
        Abarcar(x1, y1, x2, y2);
}

void Superficie_Papel::Texto(double x, double y, const std::string& texto, const Fuente& f,
                             uint32_t color) {
    if (!painter_.isActive()) return;
    const QFont q = Fuente_Qt(f);
    painter_.setFont(q);
    painter_.setPen(Color_Qt(color));
    QFontMetricsF fm(q, Dispositivo());
    const QString t = QString::fromStdString(texto);
    Abarcar(x, y, x + fm.horizontalAdvance(t) * 2.54 / dpi_, y + fm.height() * 2.54 / dpi_);
    painter_.drawText(QPointF(Px(x), Px(y) + fm.ascent()), t);
}

void Superficie_Papel::Poner_Pluma(const Pluma& p, uint32_t color) {
    QPen pen(Color_Qt(color));
    pen.setWidthF(p.Ancho < 1 ? 1 : p.Ancho);
    pen.setStyle(p.Estilo == 2 ? Qt::DotLine : Qt::SolidLine);
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
}

void Superficie_Papel::Linea(double x1, double y1, double x2, double y2, const Pluma& p,
                             uint32_t color) {
    if (!painter_.isActive()) return;
    const QPointF a(Px(x1), Px(y1)), b(Px(x2), Px(y2));
    // A line whose ends meet shows nothing on paper, and the PDF writer would
    // leave an empty path behind that readers report as a damaged page.
    if (a == b) return;
    Abarcar(x1, y1, x2, y2);
    Poner_Pluma(p, color);
    painter_.drawLine(a, b);
}

void Superficie_Papel::Rectangulo(double x1, double y1, double x2, double y2, const Pluma& p,
                                  uint32_t color) {
    if (!painter_.isActive()) return;
    Abarcar(x1, y1, x2, y2);
    Poner_Pluma(p, color);
    painter_.drawRect(QRectF(QPointF(Px(x1), Px(y1)), QPointF(Px(x2), Px(y2))).normalized());
}

void Superficie_Papel::Circulo(double cx, double cy, double r, const Pluma& p, uint32_t color) {
    if (!painter_.isActive()) return;
    Abarcar(cx - r, cy - r, cx + r, cy + r);
    Poner_Pluma(p, color);
    painter_.drawEllipse(QPointF(Px(cx), Px(cy)), Px(r), Px(r));
}

void Superficie_Papel::Arco(double cx, double cy, double r, double a0, double a1,
                            const Pluma& p, uint32_t color) {
    if (!painter_.isActive()) return;
    // The arc's ends, and the points of the circle at right angles that it
    // passes (y downwards on the page).
    const auto punto = [&](double a) { Abarcar(cx + r * std::cos(a), cy - r * std::sin(a),
                                               cx + r * std::cos(a), cy - r * std::sin(a)); };
    punto(a0);
    punto(a1);
    const double desde = std::min(a0, a1), hasta = std::max(a0, a1);
    constexpr double kCuarto = 3.14159265358979323846 / 2;
    if (hasta - desde >= 4 * kCuarto) {
        Abarcar(cx - r, cy - r, cx + r, cy + r);
    } else {
        // At most four right angles lie within less than a full turn.
        const double primero = std::ceil(desde / kCuarto);
        for (int k = 0; k < 4; ++k) {
            const double a = (primero + k) * kCuarto;
            if (!(a <= hasta)) break;
            punto(a);
        }
    }
    Poner_Pluma(p, color);
    const QRectF caja(Px(cx - r), Px(cy - r), Px(2 * r), Px(2 * r));
    painter_.drawArc(caja, qRound(a0 * kGrados * 16), qRound((a1 - a0) * kGrados * 16));
}

void Superficie_Papel::Dibujar_Imagen(double x, double y, double w, double h,
                                      const Imagen& imagen) {
    if (!painter_.isActive() || imagen.Vacia()) return;
    Abarcar(x, y, x + w, y + h);
    QImage q(reinterpret_cast<const uchar*>(imagen.Pixeles.data()), imagen.Ancho, imagen.Alto,
             imagen.Ancho * 4, QImage::Format_ARGB32);
    painter_.drawImage(QRectF(Px(x), Px(y), Px(w), Px(h)), q);
}

void Superficie_Papel::Nueva_Pagina() {
    // A page that cannot start fails the whole document at its end.
    if (painter_.isActive() && !pdf_->newPage() && pagina_fallida_.isEmpty())
        pagina_fallida_ = QStringLiteral("No se ha podido empezar una página del documento.");
}

bool Superficie_Papel::Terminar() {
    if (!painter_.isActive()) {
        return Fallar(error_.isEmpty() ? QStringLiteral("El documento no se ha iniciado.") : error_);
    }
    if (!painter_.end()) return Fallar(QStringLiteral("La impresora ha devuelto un error."));
    if (!pagina_fallida_.isEmpty()) return Fallar(pagina_fallida_);
    if (trabajo_) {
        // A report cut at the edges of the printable area, or with a drawing
        // squeezed out, is not printed.
        if (!Cabe())
            return Fallar(QStringLiteral("El informe no cabe en el área de impresión de la "
                                         "impresora «%1» (%2 × %3 cm en A4): sus márgenes son "
                                         "demasiado anchos.")
                              .arg(QString::fromStdString(impresora_),
                                   platform::formatNumber(ancho_, 1),
                                   platform::formatNumber(alto_, 1)));
        // Only a whole document goes to the printer.
        if (!Pdf_Completo(trabajo_->fileName()))
            return Fallar(QStringLiteral("No se ha podido escribir el documento."));
        const std::string motivo = platform::printers().submitPdf(
            impresora_, QFile::encodeName(trabajo_->fileName()).toStdString(), titulo_);
        Descartar();
        error_ = QString::fromStdString(motivo);
        return motivo.empty();
    }
    // Complete, on disk, then in place of the target in one step.
    if (!Pdf_Completo(QFile::decodeName(temporal_->temporary().c_str())) ||
        temporal_->commit() != 0) {
        return Fallar(QStringLiteral("No se ha podido escribir el fichero «%1».")
                          .arg(QDir::toNativeSeparators(destino_)));
    }
    temporal_.reset();
    return true;
}

Numeros Numeros_Locale() {
    Numeros n;
    n.Formatear = [](double v, int d) {
        return platform::formatNumber(v, d).toStdString();
    };
    n.Leer = [](const std::string& t) -> std::optional<double> {
        bool ok = false;
        const double v = platform::readShown(QString::fromStdString(t), &ok);
        if (!ok) return std::nullopt;
        return v;
    };
    return n;
}

Resultado Imprimir_En(const std::string& impresora, const QString& ruta_pdf,
                      const std::function<Resultado(Superficie&)>& informe) {
    std::unique_ptr<Superficie_Papel> s =
        impresora == platform::kPdfPrinter
            ? Superficie_Papel::Pdf(ruta_pdf)
            : Superficie_Papel::Impresora_Sistema(impresora);
    try {
        return informe(*s);
    } catch (...) {
        // The surface drops its unfinished document when it goes.
        return {Estado::Fallo, {}};
    }
}

}  // namespace Imprimir
