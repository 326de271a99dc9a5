#include "app/Inicio.h"

#include "app/MDI_PRINCIPAL.h"
#include "drawing/Grafico.h"
#include "platform/NumberText.h"

#include <QString>

namespace Inicio {

namespace {

// The diagrams write their numbers as the windows do: the platform's
// pattern "0", "0.0", "0.00" ... in the user's locale.
std::string Numero_Dibujo(double valor, int decimales) {
    return platform::formatNumber(valor, decimales).toStdString();
}

}  // namespace

std::unique_ptr<MDI_PRINCIPAL> Main() {
    Grafico::Poner_Formateador(Numero_Dibujo);
    auto principal = std::make_unique<MDI_PRINCIPAL>();
    if (!principal->MDIForm_Load()) return nullptr;
    principal->Mostrar();
    return principal;
}

int Ejecutar(std::unique_ptr<MDI_PRINCIPAL>& principal, const std::function<int()>& bucle) {
    principal = Main();
    if (!principal) return kSalida_Pantalla;
    return bucle();
}

}  // namespace Inicio
