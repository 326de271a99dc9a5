#include "windows/Cierre_Ventana.h"

#include "app/fichero/recuperacion.h"
#include "drawing/General_dibujo.h"
#include "engine/General.h"
#include "platform/FieldLeave.h"
#include "platform/Messages.h"
#include "windows/DesignWindow.h"
#include "windows/Grabar_Caso.h"

namespace windows {

namespace {
bool sinPregunta = false;
}  // namespace

void Sin_Pregunta_Una_Vez() { sinPregunta = true; }

bool Caso_Sin_Grabar(const DesignWindow& ventana) {
    const auto& c = General::Caso;
    // An edit typed but not yet left counts as a change: it is only in the
    // field, and closing would lose it without the question.
    return ventana.kind() != DesignKind::Carac &&
           !(c.Guardado && !c.Modificado && !platform::hasPendingEdit(&ventana));
}

bool Grabar_Al_Cerrar(DesignWindow& ventana) {
    auto& c = General::Caso;
    if (sinPregunta) {
        sinPregunta = false;
        if (!c.Modificado) return true;  // nothing changed since the answer
    }
    if (!Caso_Sin_Grabar(ventana)) return true;
    const auto respuesta =
        platform::showMessage("Los datos no se han grabado, ¿desea grabar los datos?",
                              platform::Icon::Question, platform::Buttons::YesNo);
    if (respuesta != platform::Answer::Yes) {
        fichero::Borrar_Copia();
        return true;
    }
    c.Error_Datos = false;
    if (!ventana.Recoger_Datos()) {
        platform::showMessage("Los datos introducidos no son correctos.", platform::Icon::Critical);
        return false;
    }
    return Grabar_Caso(ventana.kind(), true, true);
}

void Olvidar_Dibujo() {
    auto& d = General_dibujo::Dibujo;
    d.N_Linea = d.N_Tit = d.N_Barra = d.N_Punto = d.N_Sec_rect = d.N_Sec_cir = 0;
}

}  // namespace windows
