// Readers of the data files the tests write: the lines byte for byte, or
// trimmed without the empty ones.
#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

#include <fstream>
#include <string>
#include <vector>

// Every line as written; a "\r" before the "\n" stays on its line.
inline std::vector<std::string> Lineas_Exactas(const std::string& ruta) {
    std::ifstream in(ruta, std::ios::binary);
    std::vector<std::string> v;
    for (std::string l; std::getline(in, l);) v.push_back(l);
    return v;
}

// The non-empty lines, trimmed; none when the file cannot be read.
inline QStringList Lineas_Fichero(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QStringList l = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
    for (QString& s : l) s = s.trimmed();
    return l;
}
