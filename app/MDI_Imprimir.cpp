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

#include <functional>
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

// The report the print command prints: that of the characteristics window
// when it is open, else of the first design window open in the frame's
// order; none when the active window is not that one.
std::optional<DesignKind> Informe_Abierto(const windows::DesignWindow* v) {
    const auto& c = General::Caso;
    std::optional<DesignKind> kind;
    if (c.Carac_Abierto)
        kind = DesignKind::Carac;
    else if (c.Flexion_Abierto)
        kind = DesignKind::Flexion;
    else if (c.Confina_Abierto)
        kind = DesignKind::Confina;
    else if (c.FlexionT_Abierto)
        kind = DesignKind::FlexionT;
    if (!kind || !v || v->kind() != *kind) return std::nullopt;
    return kind;
}

// A design case prints only calculated results the window still shows: an
// edit typed but not yet left makes them stale as a left one would. The
// notice otherwise.
bool Resultados_Al_Dia(DesignKind kind, windows::DesignWindow* v) {
    if (kind == DesignKind::Carac || (General::Caso.Calculado && !platform::hasPendingEdit(v)))
        return true;
    platform::showMessage(
        "No se han calculado los resultados o los datos han sido modificados y no se ha "
        "procedido a realizar un nuevo cálculo.",
        platform::Icon::Information);
    return false;
}

using Informe = std::function<Imprimir::Resultado(Imprimir::Superficie&)>;

// The report of what the window shows, taken now; none (after the refusal's
// notice) for a flexure panel the report refuses.
std::optional<Informe> Tomar_Informe(const windows::DesignWindow& v) {
    const Imprimir::Foto tomada = v.Foto_Informe();
    const Imprimir::Numeros num = Imprimir::Numeros_Locale();
    if (const auto* carac = std::get_if<Imprimir::Foto_Carac>(&tomada)) {
        const Imprimir::Foto_Carac foto = *carac;
        return Informe([foto, num](Imprimir::Superficie& s) {
            Grafico::Dibujar_Diagrama_Tension(Imprimir::Variante_Elegida(foto));
            return Imprimir::Imprimir_Caracteristicas(s, foto, num);
        });
    }
    if (const auto* confina = std::get_if<Imprimir::Foto_Confina>(&tomada)) {
        const Imprimir::Foto_Confina foto = *confina;
        return Informe([foto, num](Imprimir::Superficie& s) {
            return Imprimir::Imprimir_Confina(s, foto, num, Imprimir::Dibujos_Grafico_Confina());
        });
    }
    const Imprimir::Foto_Flexion foto = std::get<Imprimir::Foto_Flexion>(tomada);
    if (Imprimir::Rehusa_Flexion(foto)) {
        platform::showMessage(Imprimir::Texto_Rehusado, platform::Icon::Information);
        return std::nullopt;
    }
    const int tipo = foto.Tipo;
    return Informe([foto, num, tipo](Imprimir::Superficie& s) {
        return Imprimir::Imprimir_Flexion(s, foto, num, Imprimir::Dibujos_Grafico_Flexion(tipo));
    });
}

void Avisar_Fallo(const std::string& motivo) {
    // Sent but unconfirmed is no failure the user can be sure of.
    if (motivo == platform::kJobFateUnknown) {
        platform::showMessage(motivo, platform::Icon::Exclamation);
        return;
    }
    std::string texto = "No se ha podido imprimir el informe.";
    if (!motivo.empty()) texto += "\n" + motivo;
    platform::showMessage(texto, platform::Icon::Exclamation);
}

// The printer the report goes to, under the hourglass; none (after the
// message) when the printing system cannot tell which.
std::optional<std::string> Impresora_En_Uso() {
    platform::BusyCursor reloj;
    std::string motivo;
    const std::string impresora = platform::currentPrinter(&motivo);
    reloj.release();
    if (!motivo.empty() || impresora.empty()) {
        Avisar_Fallo(motivo);
        return std::nullopt;
    }
    return impresora;
}

// The file a report printed on "Archivo PDF" is written to, as the user
// chooses it; none when the user cancels.
std::optional<QString> Pedir_Pdf(DesignKind kind) {
    const auto& c = General::Caso;
    platform::FileRequest pedido;
    pedido.kind = platform::FileRequest::Kind::Save;
    pedido.filter = "Documentos PDF|*.pdf";
    pedido.fileName = Nombre_Pdf(kind, c);
    pedido.confirmOverwrite = true;
    pedido.defaultSuffix = "pdf";
    // Where Open and Save open: the folder of the case's file.
    if (!c.Sin_Nombre) pedido.folder = platform::folderOf(c.Nombre_Fichero);
    const std::optional<std::string> elegido = platform::fileDialogs().ask(pedido);
    if (!elegido) return std::nullopt;
    return QString::fromStdString(*elegido);
}

// Draws the report on the printer (or into the file) under the hourglass,
// and tells what went wrong.
void Imprimir_Informe(const std::string& impresora, const QString& ruta, const Informe& informe) {
    platform::BusyCursor reloj;
    const Imprimir::Resultado r = Imprimir::Imprimir_En(impresora, ruta, informe);
    reloj.release();
    if (r.estado == Imprimir::Estado::Fallo)
        Avisar_Fallo(r.motivo);
    else if (r.estado == Imprimir::Estado::Rehusado)
        platform::showMessage(Imprimir::Texto_Rehusado, platform::Icon::Information);
}

}  // namespace

void MDI_PRINCIPAL::mnuPrincipalImprimir_Click() {
    windows::DesignWindow* v = Ventana();
    const std::optional<DesignKind> kind = Informe_Abierto(v);
    if (!kind || !Resultados_Al_Dia(*kind, v)) return;
    const std::optional<Informe> informe = Tomar_Informe(*v);
    if (!informe) return;
    // Which printer is current may take asking the printing system; that,
    // the printer's page and the job share one bound.
    platform::PrinterCommand orden;
    const std::optional<std::string> impresora = Impresora_En_Uso();
    if (!impresora) return;
    QString ruta;
    if (*impresora == platform::kPdfPrinter) {
        const std::optional<QString> elegida = Pedir_Pdf(*kind);
        if (!elegida) return;
        ruta = *elegida;
    }
    Imprimir_Informe(*impresora, ruta, *informe);
}

void MDI_PRINCIPAL::mnuPrincipalConfigurar_Click() {
    FM_CONFIG_IMPR dialogo(this);
    {
        platform::PrinterCommand orden;
        dialogo.Form_Load();
    }
    // The dialog still opens with what could be listed, after what the
    // user must know of the printer in force.
    if (!dialogo.Error_Lista.empty())
        platform::showMessage("No se ha podido leer la lista de impresoras.\n" + dialogo.Error_Lista,
                              platform::Icon::Exclamation);
    if (!dialogo.Aviso.empty()) platform::showMessage(dialogo.Aviso, platform::Icon::Exclamation);
    platform::centerOnWindow(dialogo, *this);
    platform::runModal(dialogo);
}
