// The floor of the start-up benchmark: a bare Qt widgets program with what
// the frame has at start (main window, menu, toolbar, MDI area), nothing else.
#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenuBar>
#include <QToolBar>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow ventana;
    ventana.setWindowTitle(QStringLiteral("Qt"));
    QMenu* menu = ventana.menuBar()->addMenu(QStringLiteral("&Archivo"));
    menu->addAction(QStringLiteral("&Abrir"));
    menu->addAction(QStringLiteral("&Salir"), &app, &QApplication::quit);
    QToolBar* barra = ventana.addToolBar(QStringLiteral("Barra"));
    barra->addAction(QStringLiteral("Abrir"));
    ventana.setCentralWidget(new QMdiArea);
    ventana.resize(800, 600);
    ventana.show();
    return app.exec();
}
