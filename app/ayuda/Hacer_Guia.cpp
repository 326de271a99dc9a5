// Build tool: makes the user guide (PDF) from the help file, so that the two
// always say the same. Usage: hacer_guia <help.html> <guide.pdf>
//
// A PDF reader follows no link to "#tema32": in the guide each link of the
// help to one of its own topics becomes plain text followed by the page of
// that topic, "(pág. 3)". A link to a topic that does not exist stops the build.
//
// The same source gives the same file byte for byte: the hash seed is fixed
// (the PDF writer orders its font objects by hash) and the creation date is
// SOURCE_DATE_EPOCH when it is set, else the help file's modification time.
#include <QAbstractTextDocumentLayout>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHashSeed>
#include <QMap>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

// Margins of the text inside the page's printable area, as a printed text
// document has them: 2 cm, in the layout's units of 96 per inch.
constexpr qreal kMargen = 2 / 2.54 * 96;

struct Enlace {
    int inicio, fin;  // characters of the link text
    QString destino;  // anchor name, without "#"
};

// The links of the document to its own anchors, in document order.
std::vector<Enlace> Enlaces_Internos(const QTextDocument& doc) {
    std::vector<Enlace> enlaces;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const QString href = f.charFormat().anchorHref();
            if (!f.charFormat().isAnchor() || !href.startsWith(QLatin1Char('#'))) continue;
            const int fin = f.position() + f.length();
            if (!enlaces.empty() && enlaces.back().fin == f.position() &&
                enlaces.back().destino == href.mid(1))
                enlaces.back().fin = fin;  // one link split by a change of format
            else
                enlaces.push_back({f.position(), fin, href.mid(1)});
        }
    }
    return enlaces;
}

// The page (from 1) of every anchor of the laid-out document.
QMap<QString, int> Paginas_Anclas(const QTextDocument& doc) {
    QMap<QString, int> paginas;
    const qreal alto = doc.pageSize().height();
    QAbstractTextDocumentLayout* maqueta = doc.documentLayout();
    auto anotar = [&paginas, alto](const QStringList& nombres, qreal y) {
        for (const QString& n : nombres)
            if (!paginas.contains(n)) paginas.insert(n, int(std::floor(y / alto)) + 1);
    };
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const qreal arriba = maqueta->blockBoundingRect(b).top();
        // An empty anchor before a heading names the heading's block.
        anotar(b.charFormat().anchorNames(), arriba);
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            qreal y = arriba;
            if (const QTextLayout* l = b.layout()) {
                const QTextLine linea = l->lineForTextPosition(f.position() - b.position());
                if (linea.isValid()) y += linea.y();
            }
            anotar(f.charFormat().anchorNames(), y);
        }
    }
    return paginas;
}

// The help laid out on the guide's pages, each link to a topic replaced by
// its text and the page given for that topic.
void Maquetar(QTextDocument& doc, const QString& html, QPdfWriter& pdf,
              const QMap<QString, int>& paginas) {
    // The help's colours for paper, not the viewer's.
    doc.setMetaInformation(QTextDocument::CssMedia, QStringLiteral("print"));
    doc.setHtml(html);
    doc.documentLayout()->setPaintDevice(&pdf);
    QTextFrameFormat marco = doc.rootFrame()->frameFormat();
    marco.setMargin(kMargen);
    doc.rootFrame()->setFrameFormat(marco);

    const std::vector<Enlace> enlaces = Enlaces_Internos(doc);
    // From the last, so that the positions of the others stay valid.
    for (auto e = enlaces.rbegin(); e != enlaces.rend(); ++e) {
        QTextCursor c(&doc);
        c.setPosition(e->inicio);
        c.setPosition(e->fin, QTextCursor::KeepAnchor);
        QTextCharFormat texto = c.charFormat();
        // Gone, not just empty: the PDF writer makes a link of any href.
        texto.clearProperty(QTextFormat::IsAnchor);
        texto.clearProperty(QTextFormat::AnchorHref);
        texto.clearForeground();
        texto.setFontUnderline(false);
        c.setCharFormat(texto);
        c.clearSelection();
        c.insertText(QStringLiteral(" (pág. %1)").arg(paginas.value(e->destino, 0)), texto);
    }
    // Cut into pages once the text is final: a paginated document laid out
    // again piece by piece after edits may leave blocks without lines.
    doc.setPageSize(QSizeF(pdf.width(), pdf.height()));
}

// Each page as a printed text document shows it: the slice of the document,
// and the page number at the bottom right, under the text.
void Imprimir(const QTextDocument& doc, QPdfWriter& pdf) {
    QPainter p(&pdf);
    const QSizeF pagina = doc.pageSize();
    const qreal escalaX = pdf.logicalDpiX() / 96.0;
    const qreal escalaY = pdf.logicalDpiY() / 96.0;
    const QFont letra = doc.defaultFont();
    const QPointF numero(pagina.width() - kMargen * escalaX,
                         pagina.height() - kMargen * escalaY +
                             QFontMetricsF(letra, &pdf).ascent() + 5 * pdf.logicalDpiY() / 72.0);
    for (int i = 0; i < doc.pageCount(); ++i) {
        if (i > 0) pdf.newPage();
        const QRectF vista(0, i * pagina.height(), pagina.width(), pagina.height());
        p.save();
        p.translate(0, -vista.top());
        p.setClipRect(vista);
        QAbstractTextDocumentLayout::PaintContext ctx;
        ctx.clip = vista;
        ctx.palette.setColor(QPalette::Text, Qt::black);
        doc.documentLayout()->draw(&p, ctx);
        p.setClipping(false);
        p.setFont(letra);
        const QString n = QString::number(i + 1);
        p.drawText(QPointF(numero.x() - p.fontMetrics().horizontalAdvance(n),
                           numero.y() + vista.top()),
                   n);
        p.restore();
    }
}

// The date the guide carries: SOURCE_DATE_EPOCH (seconds, UTC) when set,
// else the help file's modification time. Invalid when the variable is bad.
QDateTime Fecha_Guia(const QString& ayuda) {
    const QByteArray epoca = qgetenv("SOURCE_DATE_EPOCH");
    if (epoca.isEmpty()) return QFileInfo(ayuda).lastModified().toUTC();
    bool ok = false;
    const qlonglong segundos = epoca.toLongLong(&ok);
    if (!ok || segundos < 0) return {};
    return QDateTime::fromSecsSinceEpoch(segundos, Qt::UTC);
}

// Puts the date into the written PDF's "/CreationDate (D:YYYYMMDDHHMMSS",
// in place: the digits keep their length, so the offsets stay valid.
bool Fijar_Fecha(const QString& pdf, const QDateTime& fecha) {
    QFile f(pdf);
    if (!f.open(QIODevice::ReadWrite)) return false;
    const QByteArray datos = f.readAll();
    const QByteArray clave("/CreationDate (D:");
    const qsizetype en = datos.indexOf(clave);
    if (en < 0 || datos.indexOf(clave, en + 1) >= 0) return false;
    const QByteArray digitos = fecha.toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1();
    const qsizetype desde = en + clave.size();
    if (digitos.size() != 14 || datos.size() < desde + 14) return false;
    for (qsizetype i = desde; i < desde + 14; ++i)
        if (datos[i] < '0' || datos[i] > '9') return false;
    return f.seek(desde) && f.write(digitos) == 14 && f.flush();
}

}  // namespace

int main(int argc, char** argv) {
    QHashSeed::setDeterministicGlobalSeed();
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "uso: hacer_guia ayuda.html guia.pdf\n");
        return 2;
    }
    QFile entrada(QString::fromLocal8Bit(argv[1]));
    if (!entrada.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "no se puede leer %s\n", argv[1]);
        return 1;
    }
    const QString html = QString::fromUtf8(entrada.readAll());
    const QDateTime fecha = Fecha_Guia(entrada.fileName());
    if (!fecha.isValid() || fecha.date().year() > 9999) {
        std::fprintf(stderr, "SOURCE_DATE_EPOCH no es un número de segundos válido\n");
        return 1;
    }

    // Written beside the target and renamed at the end: never half a guide.
    const QString destino = QString::fromLocal8Bit(argv[2]);
    const QString temporal = destino + QStringLiteral(".tmp");
    bool escrita = false;
    {
        QPdfWriter pdf(temporal);
        pdf.setTitle(QStringLiteral("Manual de referencia de KESTRAM - VORLANT®"));
        pdf.setCreator(QStringLiteral("KESTRAM"));
        pdf.setResolution(300);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
        // The page references take room of their own: laid out again until
        // every topic stays on the page its references give (a few rounds).
        QTextDocument doc;
        QMap<QString, int> paginas;
        bool estable = false;
        for (int ronda = 0; ronda < 5 && !estable; ++ronda) {
            Maquetar(doc, html, pdf, paginas);
            const QMap<QString, int> nuevas = Paginas_Anclas(doc);
            estable = ronda > 0 && nuevas == paginas;
            paginas = nuevas;
        }
        bool destinos = true;
        QTextDocument origen;
        origen.setHtml(html);
        for (const Enlace& e : Enlaces_Internos(origen)) {
            if (!paginas.contains(e.destino)) {
                std::fprintf(stderr, "enlace a un tema que no existe: #%s\n",
                             qPrintable(e.destino));
                destinos = false;
            }
        }
        if (estable && destinos) {
            Imprimir(doc, pdf);
            escrita = true;
        } else if (!estable) {
            std::fprintf(stderr, "las páginas de los temas no se estabilizan\n");
        }
    }
    if (escrita && !Fijar_Fecha(temporal, fecha)) {
        std::fprintf(stderr, "no se puede fijar la fecha de %s\n", qPrintable(temporal));
        escrita = false;
    }
    if (!escrita) {
        QFile::remove(temporal);
        return 1;
    }
    QFile::remove(destino);
    if (!QFile::rename(temporal, destino)) {
        std::fprintf(stderr, "no se puede escribir %s\n", argv[2]);
        QFile::remove(temporal);
        return 1;
    }
    return 0;
}
