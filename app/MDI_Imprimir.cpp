// The print command and the printer selection of the main frame.
#include "app/MDI_PRINCIPAL.h"

#include "app/FM_CONFIG_IMPR.h"
#include "drawing/Grafico.h"
#include "engine/General.h"
#include "platform/FieldLeave.h"
#include "platform/FileDialogs.h"
#include "platform/Messages.h"
#include "platform/Modal.h"
#include "platform/Printers.h"
#include "platform/Screen.h"
#include "reports/paper/Papel.h"

#include <QFileInfo>

#include <optional>

using windows::DesignKind;

namespace {

// The name a PDF of each report is first offered under: a case that has a
// file of its own gives its name ("viga12.krf": "viga12.pdf").
std::string Nombre_Pdf(DesignKind kind, const General::Datos& c) {
    if (kind != DesignKind::Carac && !c.Sin_Nombre) {
        const QString base = QFileInfo(QString::fromStdString(c.Nombre_Fichero)).completeBaseName();
        if (!base.isEmpty()) return (base + QStringLiteral(".pdf")).toStdString();
    }
    switch (kind) {
    case DesignKind::Flexion: return "flexion.pdf";
    case DesignKind::FlexionT: return "flexion_t.pdf";
    case DesignKind::Confina: return "confina.pdf";
    case DesignKind::Carac: return "caracteristicas.pdf";
    }
    return "informe.pdf";
}

}  // namespace

void MDI_PRINCIPAL::mnuPrincipalImprimir_Click() {
    const auto& c = General::Caso;
    windows::DesignWindow* v = Ventana();
    std::optional<DesignKind> kind;
    if (c.Carac_Abierto)
        kind = DesignKind::Carac;
    else if (c.Flexion_Abierto)
        kind = DesignKind::Flexion;
    else if (c.Confina_Abierto)
        kind = DesignKind::Confina;
    else if (c.FlexionT_Abierto)
        kind = DesignKind::FlexionT;
    if (!kind || !v || v->kind() != *kind) return;

    // An edit typed but not yet left makes the results stale as a left one
    // would: the report must not show a value the window no longer shows.
    if (*kind != DesignKind::Carac && (!c.Calculado || platform::hasPendingEdit(v))) {
        platform::showMessage(
            "No se han calculado los resultados o los datos han sido modificados y no se ha "
            "procedido a realizar un nuevo cálculo.",
            platform::Icon::Information);
        return;
    }

    // What the window shows, taken now.
    const Imprimir::Foto tomada = v->Foto_Informe();
    std::function<Imprimir::Resultado(Imprimir::Superficie&)> informe;
    const Imprimir::Numeros num = Imprimir::Numeros_Locale();
    if (const auto* carac = std::get_if<Imprimir::Foto_Carac>(&tomada)) {
        const Imprimir::Foto_Carac foto = *carac;
        informe = [foto, num](Imprimir::Superficie& s) {
            Grafico::Dibujar_Diagrama_Tension(Imprimir::Variante_Elegida(foto));
            return Imprimir::Imprimir_Caracteristicas(s, foto, num);
        };
    } else if (const auto* confina = std::get_if<Imprimir::Foto_Confina>(&tomada)) {
        const Imprimir::Foto_Confina foto = *confina;
        informe = [foto, num](Imprimir::Superficie& s) {
            return Imprimir::Imprimir_Confina(s, foto, num, Imprimir::Dibujos_Grafico_Confina());
        };
    } else {
        const Imprimir::Foto_Flexion foto = std::get<Imprimir::Foto_Flexion>(tomada);
        const int tipo = foto.Tipo;
        if (Imprimir::Rehusa_Flexion(foto)) {
            platform::showMessage(Imprimir::Texto_Rehusado, platform::Icon::Information);
            return;
        }
        informe = [foto, num, tipo](Imprimir::Superficie& s) {
            return Imprimir::Imprimir_Flexion(s, foto, num, Imprimir::Dibujos_Grafico_Flexion(tipo));
        };
    }

    // Which printer is current may take asking the printing system; that,
    // the printer's page and the job share one bound.
    platform::PrinterCommand orden;
    platform::BusyCursor pregunta;
    std::string sin_lista;
    const std::string impresora = platform::currentPrinter(&sin_lista);
    pregunta.release();
    if (!sin_lista.empty()) {
        platform::showMessage("No se ha podido imprimir el informe.\n" + sin_lista,
                              platform::Icon::Exclamation);
        return;
    }
    QString ruta;
    if (impresora == platform::kPdfPrinter) {
        platform::FileRequest pedido;
        pedido.kind = platform::FileRequest::Kind::Save;
        pedido.filter = "Documentos PDF|*.pdf";
        pedido.fileName = Nombre_Pdf(*kind, c);
        pedido.confirmOverwrite = true;
        pedido.defaultSuffix = "pdf";
        // Where Open and Save open: the folder of the case's file.
        if (!c.Sin_Nombre) pedido.folder = platform::folderOf(c.Nombre_Fichero);
        const std::optional<std::string> elegido = platform::fileDialogs().ask(pedido);
        if (!elegido) return;
        ruta = QString::fromStdString(*elegido);
    }

    platform::BusyCursor reloj;
    const Imprimir::Resultado r = Imprimir::Imprimir_En(impresora, ruta, informe);
    reloj.release();
    if (r.estado == Imprimir::Estado::Fallo) {
        std::string texto = "No se ha podido imprimir el informe.";
        if (!r.motivo.empty()) texto += "\n" + r.motivo;
        platform::showMessage(texto, platform::Icon::Exclamation);
    } else if (r.estado == Imprimir::Estado::Rehusado) {
        platform::showMessage(Imprimir::Texto_Rehusado, platform::Icon::Information);
    }
}

void MDI_PRINCIPAL::mnuPrincipalConfigurar_Click() {
    FM_CONFIG_IMPR dialogo(this);
    {
        platform::PrinterCommand orden;
        dialogo.Form_Load();
    }
    // The dialog still opens with what could be listed.
    if (!dialogo.Error_Lista.empty())
        platform::showMessage("No se ha podido leer la lista de impresoras.\n" + dialogo.Error_Lista,
                              platform::Icon::Exclamation);
    platform::centerOnWindow(dialogo, *this);
    platform::runModal(dialogo);
}
