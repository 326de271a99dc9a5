#include "app/Ayuda.h"

#include "app/FM_AYUDA.h"
#include "app/MDI_PRINCIPAL.h"
#include "engine/General.h"
#include "platform/DesktopHandler.h"
#include "platform/Launcher.h"
#include "platform/Messages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QUrl>

#include <optional>

namespace Ayuda {

namespace {

QString carpeta;
QPointer<FM_AYUDA> visor;
// The mail client found at sign-on.
std::optional<platform::DesktopHandler> sesion;

const char* const kSinLector =
    "No se ha encontrado ningún lector de ficheros PDF. En el CD de instalación está "
    "disponible el Adobe Acrobat Reader.";
const char* const kSinNavegador = "No se ha encontrado ningún navegador asociado en su ordenador.";
const char* const kSinCorreo = "No se ha podido establecer la aplicación de correo electrónico.";

// Starts the desktop's program for a type on one argument.
bool Lanzar(const std::string& tipo, const std::string& objetivo) {
    const std::optional<platform::DesktopHandler> h = platform::findDesktopHandler(tipo);
    return h && platform::launcher().startProgram(h->program,
                                                  platform::handlerArguments(*h, objetivo));
}

std::string Esquema(const std::string& direccion) {
    const QString s = QUrl(QString::fromStdString(direccion)).scheme().toLower();
    return s.isEmpty() ? std::string("https") : s.toStdString();
}

}  // namespace

QString Carpeta_Para(const QString& programa) {
    const QDir junto(programa);
    if (QFileInfo(junto.filePath(QString::fromLatin1(kFicheroAyuda))).isFile()) return programa;
    const QString datos =
        QDir::cleanPath(junto.filePath(QStringLiteral(KESTRAM_DATOS_DESDE_PROGRAMA)));
    if (QFileInfo(QDir(datos).filePath(QString::fromLatin1(kFicheroAyuda))).isFile()) return datos;
    return programa;
}

QString Carpeta() {
    return carpeta.isEmpty() ? Carpeta_Para(QCoreApplication::applicationDirPath()) : carpeta;
}

void Poner_Carpeta(const QString& nueva) { carpeta = nueva; }

QString Ruta_Ayuda() { return QDir(Carpeta()).filePath(QString::fromLatin1(kFicheroAyuda)); }

QString Ruta_Guia() { return QDir(Carpeta()).filePath(QString::fromLatin1(kFicheroGuia)); }

int Tema_Abierto() {
    const auto& c = General::Caso;
    if (c.Flexion_Abierto) return kTemaFlexion;
    if (c.Carac_Abierto) return kTemaCarac;
    if (c.Confina_Abierto) return kTemaConfina;
    if (c.FlexionT_Abierto) return kTemaFlexionT;
    return kTemaIndice;
}

void Mostrar_Ayuda(QWidget* marco, int tema) {
    const QString ruta = Ruta_Ayuda();
    if (!QFileInfo(ruta).isFile()) {
        platform::showMessage(
            "No se encuentra el fichero de ayuda \"" + QDir::toNativeSeparators(ruta).toStdString() +
                "\".",
            platform::Icon::Exclamation);
        return;
    }
    if (!visor) visor = new FM_AYUDA(marco);
    visor->Mostrar_Tema(ruta, tema);
}

void Abrir_Pdf(const std::string& fichero) {
    if (!QFileInfo(QString::fromStdString(fichero)).isFile()) {
        platform::showMessage("No se encuentra el manual de referencia \"" + fichero + "\".",
                              platform::Icon::Exclamation);
        return;
    }
    if (!Lanzar("application/pdf", fichero))
        platform::showMessage(kSinLector, platform::Icon::Critical);
}

void Abrir_Web(const std::string& direccion) {
    // A browser registered for plain http also takes an https address.
    const std::string esquema = Esquema(direccion);
    const bool abierta =
        Lanzar("x-scheme-handler/" + esquema, direccion) ||
        (esquema == "https" && !platform::findDesktopHandler("x-scheme-handler/https") &&
         Lanzar("x-scheme-handler/http", direccion));
    if (!abierta)
        platform::showMessage(kSinNavegador, platform::Icon::Critical);
}

std::string Enlace_Correo() {
    const QByteArray asunto = QUrl::toPercentEncoding(QString::fromUtf8(kAsuntoCorreo));
    return std::string("mailto:") + kBuzonInformacion + "?subject=" + asunto.toStdString();
}

void Enviar_Correo() {
    auto& c = General::Caso;
    if (!c.Sesion_Correo || !sesion) {
        sesion = platform::findDesktopHandler("x-scheme-handler/mailto");
        if (!sesion) {
            platform::showMessage(kSinCorreo, platform::Icon::Critical);
            return;
        }
        c.Sesion_Correo = true;
    }
    if (!platform::launcher().startProgram(sesion->program,
                                           platform::handlerArguments(*sesion, Enlace_Correo()))) {
        // A client that cannot start is forgotten: the next try looks again.
        Cerrar_Sesion_Correo();
        platform::showMessage(kSinCorreo, platform::Icon::Critical);
    }
}

void Cerrar_Sesion_Correo() {
    sesion.reset();
    General::Caso.Sesion_Correo = false;
}

}  // namespace Ayuda

// ---- Menu commands of the help menu ---------------------------------------

void MDI_PRINCIPAL::mnuAyudaPrograma_Click() { Ayuda::Mostrar_Ayuda(this, Ayuda::Tema_Abierto()); }

void MDI_PRINCIPAL::mnuAyudaManual_Click() {
    Ayuda::Abrir_Pdf(QDir::toNativeSeparators(Ayuda::Ruta_Guia()).toStdString());
}

void MDI_PRINCIPAL::mnuAyudaWeb_Click() { Ayuda::Abrir_Web(Ayuda::kDireccionWeb); }

void MDI_PRINCIPAL::mnuAyudaContactar_Click() { Ayuda::Enviar_Correo(); }
