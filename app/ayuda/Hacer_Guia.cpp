// Build tool: makes the user guide (PDF) from the help file, so that the two
// always say the same. Usage: hacer_guia <help.html> <guide.pdf>
#include <QFile>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv) {
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

    // Written beside the target and renamed at the end: never half a guide.
    const QString destino = QString::fromLocal8Bit(argv[2]);
    const QString temporal = destino + QStringLiteral(".tmp");
    {
        QPdfWriter pdf(temporal);
        pdf.setTitle(QStringLiteral("Manual de referencia de KESTRAM - VORLANT®"));
        pdf.setCreator(QStringLiteral("KESTRAM"));
        pdf.setResolution(300);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
        QTextDocument doc;
        doc.setHtml(html);
        doc.print(&pdf);
    }
    QFile::remove(destino);
    if (!QFile::rename(temporal, destino)) {
        std::fprintf(stderr, "no se puede escribir %s\n", argv[2]);
        QFile::remove(temporal);
        return 1;
    }
    return 0;
}
