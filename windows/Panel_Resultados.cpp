#include "windows/Panel_Resultados.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>

#include "drawing/Panel_Flexion.h"
#include "platform/Controls.h"
#include "platform/NumberText.h"
#include "windows/Ventana_Flexion.h"

namespace windows {

void Registrar_Panel_Resultados(Ventana_Flexion* ventana, General::DesignKind cual) {
    QPointer<Ventana_Flexion> v(ventana);
    Grafico::Fuente_Panel fuente;
    fuente.Textos = [v]() -> std::optional<Grafico::Textos_Panel> {
        if (!v) return std::nullopt;
        auto texto = [](const QLineEdit* caja) { return caja ? caja->text().toStdString() : std::string{}; };
        Grafico::Textos_Panel t;
        t.Tipo = v->LB_TIPO ? v->LB_TIPO->text().toStdString() : std::string{};
        t.EpsC = texto(v->TX_EPSC);
        t.EpsR = texto(v->TX_EPSR);
        t.EpsSI = texto(v->TX_EPSSI);
        t.EpsSS = texto(v->TX_EPSSS);
        t.FN = texto(v->TX_FN);
        t.Pivote = texto(v->TX_PIVOTE);
        t.Eps0 = texto(v->TX_EPS0);
        return t;
    };
    fuente.Numero = [](const std::string& texto) -> std::optional<double> {
        bool ok = false;
        const double valor = platform::readShown(QString::fromStdString(texto), &ok);
        if (!ok) return std::nullopt;
        return valor;
    };
    Grafico::Registrar_Panel(cual, std::move(fuente));
}

}  // namespace windows
