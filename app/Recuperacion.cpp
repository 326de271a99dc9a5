#include "app/Recuperacion.h"

#include "app/MDI_PRINCIPAL.h"
#include "app/fichero/fichero.h"
#include "app/fichero/recuperacion.h"
#include "engine/General.h"
#include "platform/Messages.h"
#include "platform/Signals.h"
#include "platform/Temporaries.h"
#include "windows/Cierre_Ventana.h"

#include <QGuiApplication>
#include <QSessionManager>

namespace Recuperacion {

using windows::DesignKind;

void Guardar_Copia(MDI_PRINCIPAL& principal) {
    windows::DesignWindow* w = principal.Ventana();
    if (!w || !windows::Caso_Sin_Grabar(*w)) return;
    auto& c = General::Caso;
    const bool error = c.Error_Datos;
    w->Recoger_Datos();
    c.Error_Datos = error;
    fichero::Escribir_Copia(w->kind() == DesignKind::Confina,
                            w->kind() == DesignKind::FlexionT ? 2 : 1,
                            c.Sin_Nombre ? std::string() : c.Nombre_Fichero);
}

void Ofrecer(MDI_PRINCIPAL& principal) {
    const std::optional<fichero::Copia> copia = fichero::Buscar_Copia();
    if (!copia) return;
    principal.Cerrar_Presentacion();  // nothing covers the question
    if (platform::showMessage("Se ha recuperado un caso que no llegó a grabarse. ¿Desea abrirlo?",
                              platform::Icon::Question,
                              platform::Buttons::YesNo) != platform::Answer::Yes) {
        fichero::Borrar_Copia();
        return;
    }
    auto& c = General::Caso;
    c.Error_Datos = false;
    DesignKind kind = DesignKind::Confina;
    bool avisado = false;
    if (copia->datos.ends_with(".krc")) {
        avisado = fichero::Leer_Confina(copia->datos);
    } else {
        int16_t tipo = 0;
        avisado = fichero::Leer_Flexion(copia->datos, tipo);
        kind = tipo == 2 ? DesignKind::FlexionT : DesignKind::Flexion;
    }
    if (c.Error_Datos) {
        if (!avisado)
            platform::showMessage("Los datos almacenados no son correctos.", platform::Icon::Critical);
        fichero::Apartar_Copia();
        return;
    }
    c.Abriendo_Fichero = true;
    c.Calculado = false;
    principal.Mostrar_Caso(kind);
    // Not saved: closing asks, and a save goes to its own file when it had one.
    c.Nombre_Fichero = copia->nombre;
    c.Sin_Nombre = copia->nombre.empty();
    c.Guardado = false;
    c.Modificado = true;
}

void Pedir_Datos(MDI_PRINCIPAL& principal, QSessionManager& sesion) {
    windows::DesignWindow* w = principal.Ventana();
    if (!w || !windows::Caso_Sin_Grabar(*w)) return;
    auto& c = General::Caso;
    if (!sesion.allowsInteraction()) {
        // The case is in the copy: the end of the session asks nothing.
        Guardar_Copia(principal);
        c.Modificado = false;
        windows::Sin_Pregunta_Una_Vez();
        return;
    }
    if (!windows::Grabar_Al_Cerrar(*w)) {
        sesion.cancel();  // not saved: the logout must not go on
    } else {
        // Saved or discarded: the window goes without asking again.
        c.Modificado = false;
        windows::Sin_Pregunta_Una_Vez();
        principal.Cerrar_Ventanas();
    }
    sesion.release();
}

namespace {

MDI_PRINCIPAL* vigilado = nullptr;
QtMessageHandler anterior = nullptr;

// The display's connection broke: the toolkit says so, then ends the
// program at once.
void Al_Mensaje(QtMsgType tipo, const QMessageLogContext& contexto, const QString& texto) {
    static bool dentro = false;
    if (!dentro && vigilado && texto.contains(QLatin1String("connection broke"))) {
        dentro = true;
        Guardar_Copia(*vigilado);
        platform::removeTemporaries();
        dentro = false;
    }
    if (anterior) anterior(tipo, contexto, texto);
}

}  // namespace

struct Vigilancia::Estado {
    explicit Estado(MDI_PRINCIPAL& principal)
        : senales(&principal, [&principal](int) {
              Guardar_Copia(principal);
              platform::removeTemporaries();
          }) {}
    platform::EndSignals senales;
};

Vigilancia::Vigilancia(MDI_PRINCIPAL& principal) : estado_(std::make_unique<Estado>(principal)) {
    vigilado = &principal;
    anterior = qInstallMessageHandler(Al_Mensaje);
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, &principal,
                     [&principal](QSessionManager& sesion) { Pedir_Datos(principal, sesion); },
                     Qt::DirectConnection);
}

Vigilancia::~Vigilancia() {
    qInstallMessageHandler(anterior);
    vigilado = nullptr;
}

}  // namespace Recuperacion
