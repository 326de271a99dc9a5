#include "windows/Grabar_Caso.h"

#include <cstdint>
#include <optional>

#include "app/fichero/fichero.h"
#include "app/fichero/recuperacion.h"
#include "engine/General.h"
#include "platform/Messages.h"

namespace windows {

platform::FileRequest Pedir_Guardar(bool confina) {
    platform::FileRequest pide;
    pide.kind = platform::FileRequest::Kind::Save;
    pide.filter = confina ? "Archivos VORLANT - Confinamiento|*.KRC"
                          : "Archivos VORLANT - Flexión|*.KRF";
    pide.filterIndex = 1;
    pide.fileName = confina ? "confina.krc" : "flexion.krf";
    pide.confirmOverwrite = true;
    pide.defaultSuffix = confina ? "krc" : "krf";
    return pide;
}

std::string Con_Extension(const std::string& ruta, const char* ext) {
    const std::size_t barra = ruta.find_last_of('/');
    const std::string nombre = barra == std::string::npos ? ruta : ruta.substr(barra + 1);
    if (nombre.empty() || nombre.find('.') != std::string::npos) return ruta;
    return ruta + "." + ext;
}

bool Grabar_Caso(DesignKind kind, bool pedirNombre, bool proponerPropio) {
    auto& c = General::Caso;
    const bool confina = kind == DesignKind::Confina;

    std::string ruta = c.Nombre_Fichero;
    if (pedirNombre) {
        platform::FileRequest pide = Pedir_Guardar(confina);
        if (proponerPropio && !c.Sin_Nombre && !c.Nombre_Fichero.empty())
            pide.fileName = c.Nombre_Fichero;
        if (!c.Sin_Nombre) pide.folder = platform::folderOf(c.Nombre_Fichero);
        const std::optional<std::string> elegida = platform::fileDialogs().ask(pide);
        if (!elegida) {
            c.Error_Datos = true;
            return false;
        }
        ruta = Con_Extension(*elegida, pide.defaultSuffix.c_str());
    }

    // Another program's change to the file is replaced only when the user says so.
    if (fichero::Cambiado_Por_Otro(ruta)) {
        const std::size_t barra = ruta.find_last_of('/');
        const std::string nombre = barra == std::string::npos ? ruta : ruta.substr(barra + 1);
        if (platform::showMessage("El fichero «" + nombre +
                                      "» ha sido modificado por otro programa. ¿Desea reemplazarlo?",
                                  platform::Icon::Question,
                                  platform::Buttons::YesNo) != platform::Answer::Yes) {
            c.Error_Datos = true;
            return false;
        }
    }
    if (confina)
        fichero::Grabar_Confina(ruta);
    else
        fichero::Grabar_Flexion(ruta, static_cast<int16_t>(kind == DesignKind::FlexionT ? 2 : 1));
    if (c.Error_Datos) return false;
    c.Nombre_Fichero = ruta;
    c.Guardado = true;
    c.Modificado = false;
    c.Sin_Nombre = false;
    fichero::Borrar_Copia();  // the case is on disk now
    return true;
}

}  // namespace windows
