// The help of the program, the user guide, the maker's web page and the
// contact mail. The guide, the page and the mail go to the desktop's
// default programs (PDF reader, browser, mail client), each started with the
// document or address as one argument, never through a shell.
#pragma once

#include <QString>

#include <string>

class QWidget;

namespace Ayuda {

// The maker's addresses, in this one place.
inline constexpr const char* kDireccionWeb = "https://www.kestram.example/vorlant";
inline constexpr const char* kBuzonInformacion = "informacion@kestram.example";
inline constexpr const char* kAsuntoCorreo = "INFORMACION SOBRE EL ZIVIVUR DE REFUERZO VORLANT\u00AE";

// File names in the program's folder.
inline constexpr const char* kFicheroAyuda = "vorlant.html";
inline constexpr const char* kFicheroGuia = "guia_vorlant.pdf";

// Help topics of the design windows; 0 is the table of topics.
inline constexpr int kTemaIndice = 0;
inline constexpr int kTemaCarac = 31;
inline constexpr int kTemaFlexion = 32;
inline constexpr int kTemaConfina = 33;
inline constexpr int kTemaFlexionT = 34;

// The folder of the help file and the guide: the one that was set, else
// Carpeta_Para(the program's folder). An empty text restores the default.
QString Carpeta();
// Beside a program in the build tree; for an installed one, its data folder
// (share/kestram beside bin/); beside the program when neither holds the help.
QString Carpeta_Para(const QString& programa);
void Poner_Carpeta(const QString& carpeta);
QString Ruta_Ayuda();
QString Ruta_Guia();

// Topic of the open design window, tested in the order FM_FLEXION, FM_CARAC,
// FM_CONFINA, FM_FLEXIONT; kTemaIndice when none is open.
int Tema_Abierto();

// Shows the help at a topic in the program's help viewer (one window,
// reused, not modal); a missing help file gives a message naming it.
void Mostrar_Ayuda(QWidget* marco, int tema);

// The user guide in the PDF reader; a missing guide gives a message naming it.
void Abrir_Pdf(const std::string& fichero);
// The address in the web browser.
void Abrir_Web(const std::string& direccion);
// A new message to the maker in the mail client; signs on (finds the mail
// client) the first time and keeps it while Sesion_Correo is True. A client
// that fails to start signs off, so the next message finds the client again.
void Enviar_Correo();
// Signs off: forgets the mail client and sets Sesion_Correo False.
void Cerrar_Sesion_Correo();

// The mailto link of the contact mail, subject percent-encoded in UTF-8.
std::string Enlace_Correo();

}  // namespace Ayuda
