#include "app/fichero/recuperacion.h"

#include "app/fichero/fichero.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace fichero {

namespace {

const char* const kDatos[] = {"copia.krf", "copia.krc"};
constexpr char kNombre[] = "copia.nombre";

std::string En_Carpeta(const char* nombre) { return Carpeta_Recuperacion() + "/" + nombre; }

// The folder and the ones above it, private to the user where new.
bool Crear_Carpeta(const std::string& carpeta) {
    for (std::size_t barra = carpeta.find('/', 1);; barra = carpeta.find('/', barra + 1)) {
        const std::string parte = carpeta.substr(0, barra);
        if (::mkdir(parte.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (barra == std::string::npos) return true;
    }
}

bool Existe(const std::string& ruta) {
    struct stat st {};
    return ::stat(ruta.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

std::string Carpeta_Recuperacion() {
    const char* estado = std::getenv("XDG_STATE_HOME");
    // A relative XDG_STATE_HOME is ignored, as the desktop rules say.
    if (estado && estado[0] == '/') return std::string(estado) + "/kestram";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.local/state/kestram";
    return {};
}

Outcome Escribir_Copia(bool confina, int16_t kind, const std::string& nombre) {
    const std::string carpeta = Carpeta_Recuperacion();
    if (carpeta.empty()) return failureFromErrno(ENOENT, true);
    if (!Crear_Carpeta(carpeta)) return failureFromErrno(errno, true);
    Borrar_Copia();
    Outcome fallo;
    std::unique_ptr<OutputFile> out = fileSystem().create(En_Carpeta(kNombre), fallo);
    if (!out) return fallo ? fallo : failureFromErrno(EIO, true);
    if (Outcome f = out->write(nombre)) return f;
    if (Outcome f = out->commit()) return f;
    return Escribir_Caso(En_Carpeta(kDatos[confina ? 1 : 0]), confina, kind);
}

std::optional<Copia> Buscar_Copia() {
    if (Carpeta_Recuperacion().empty()) return std::nullopt;
    for (const char* datos : kDatos) {
        const std::string ruta = En_Carpeta(datos);
        if (!Existe(ruta)) continue;
        Copia copia{ruta, {}};
        std::string nombre;
        if (!fileSystem().read(En_Carpeta(kNombre), nombre) &&
            nombre.find('\0') == std::string::npos)
            copia.nombre = nombre;
        return copia;
    }
    return std::nullopt;
}

void Borrar_Copia() {
    if (Carpeta_Recuperacion().empty()) return;
    for (const char* datos : kDatos) ::unlink(En_Carpeta(datos).c_str());
    ::unlink(En_Carpeta(kNombre).c_str());
}

void Apartar_Copia() {
    if (Carpeta_Recuperacion().empty()) return;
    for (const char* datos : kDatos) {
        const std::string ruta = En_Carpeta(datos);
        if (Existe(ruta)) std::rename(ruta.c_str(), (ruta + ".ilegible").c_str());
    }
    ::unlink(En_Carpeta(kNombre).c_str());
}

}  // namespace fichero
