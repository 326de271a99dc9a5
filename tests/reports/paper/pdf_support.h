// Reading a PDF back with the poppler tools.
#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace prueba {

inline QString Ejecutar(const QString& programa, const QStringList& args) {
    QProcess p;
    p.start(programa, args);
    if (!p.waitForFinished(30000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

inline int Paginas(const QString& pdf) {
    const QString info = Ejecutar(QStringLiteral("pdfinfo"), {pdf});
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Words with their top left corner in centimetres and their page.
struct Palabra {
    QString texto;
    double x = 0;
    double y = 0;
    int pagina = 0;
};

inline std::vector<Palabra> Palabras(const QString& pdf) {
    const QString html = Ejecutar(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf,
                                                                QStringLiteral("-")});
    std::vector<Palabra> v;
    int pagina = 0;
    const QRegularExpression rx(QStringLiteral(
        "<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"[0-9.]+\">([^<]*)</word>"));
    auto it = rx.globalMatch(html);
    while (it.hasNext()) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QStringLiteral("<page"))) {
            ++pagina;
            continue;
        }
        QString t = m.captured(3);
        t.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        v.push_back({t, m.captured(1).toDouble() * 2.54 / 72, m.captured(2).toDouble() * 2.54 / 72,
                     pagina});
    }
    return v;
}

inline std::optional<Palabra> Buscar(const std::vector<Palabra>& v, const QString& t,
                                     int pagina = 0) {
    for (const Palabra& p : v)
        if (p.texto == t && (pagina == 0 || p.pagina == pagina)) return p;
    return std::nullopt;
}

}  // namespace prueba
