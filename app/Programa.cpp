#include "app/Programa.h"

#include "app/Inicio.h"
#include "app/MDI_PRINCIPAL.h"
#include "app/Recuperacion.h"
#include "platform/CupsPrinters.h"
#include "platform/FileDialogs.h"
#include "platform/Launcher.h"
#include "platform/QtMessageService.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include <csignal>

namespace Programa {

namespace {

// The toolkit's own texts (file dialogs, window menus) in Spanish, like
// every text of the program; key names stay as the menus write them ("Ctrl+A").
class Textos_Qt : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char* disambiguation,
                      int n) const override {
        if (qstrcmp(context, "QShortcut") == 0) return {};
        return QTranslator::translate(context, source, disambiguation, n);
    }
};

}  // namespace

int Ejecutar(int argc, char** argv, const std::function<void(MDI_PRINCIPAL&)>& alEmpezar) {
    // A write past the user's file-size limit fails with its error, which
    // the save and print commands report, instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    Textos_Qt qtTextos;
    if (qtTextos.load(QLocale(QLocale::Spanish, QLocale::Spain), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTextos);
    platform::QtMessageService mensajes;
    platform::setMessages(&mensajes);
    platform::QtFileDialogService dialogos;
    platform::setFileDialogs(&dialogos);
    platform::QtLauncher lanzador;
    platform::setLauncher(&lanzador);
    platform::CupsPrinterService impresoras;  // bounded at kPrintingBoundMs
    platform::setPrinters(&impresoras);

    std::unique_ptr<MDI_PRINCIPAL> principal;
    int codigo = Inicio::Ejecutar(principal, [&app, &principal, &alEmpezar] {
        const Recuperacion::Vigilancia vigilancia(*principal);
        // A case an earlier run could not save is offered once the frame shows.
        QTimer::singleShot(0, principal.get(), [&principal] { Recuperacion::Ofrecer(*principal); });
        if (alEmpezar) alEmpezar(*principal);
        return app.exec();
    });

    principal.reset();
    platform::setPrinters(nullptr);
    platform::setLauncher(nullptr);
    platform::setFileDialogs(nullptr);
    platform::setMessages(nullptr);
    return codigo;
}

}  // namespace Programa
