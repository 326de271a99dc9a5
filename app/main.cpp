// The program: installs the platform services and starts the main frame.
#include "app/Inicio.h"
#include "app/MDI_PRINCIPAL.h"
#include "platform/FileDialogs.h"
#include "platform/Launcher.h"
#include "platform/QtMessageService.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    platform::QtMessageService mensajes;
    platform::setMessages(&mensajes);
    platform::QtFileDialogService dialogos;
    platform::setFileDialogs(&dialogos);
    platform::QtLauncher lanzador;
    platform::setLauncher(&lanzador);

    std::unique_ptr<MDI_PRINCIPAL> principal = Inicio::Main();
    int codigo = principal ? app.exec() : 0;

    principal.reset();
    platform::setLauncher(nullptr);
    platform::setFileDialogs(nullptr);
    platform::setMessages(nullptr);
    return codigo;
}
