// Run from an installed tree's bin/: prints the folder where the program
// finds its help and guide, and fails when either file is not there.
#include "app/Ayuda.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString carpeta = Ayuda::Carpeta();
    std::printf("%s\n", qPrintable(carpeta));
    return QFileInfo(Ayuda::Ruta_Ayuda()).isFile() && QFileInfo(Ayuda::Ruta_Guia()).isFile() ? 0 : 1;
}
