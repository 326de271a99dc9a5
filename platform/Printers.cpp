#include "platform/Printers.h"
#include "platform/Services.h"

#include <QApplication>
#include <QCursor>

#include <algorithm>

namespace platform {

namespace {

PrinterService* current = nullptr;
std::string chosen;  // selected in this run; "" = the system's default

bool listed(const PrinterListing& l, const std::string& name) {
    return std::find(l.names.begin(), l.names.end(), name) != l.names.end();
}

// The printer a print with none chosen goes to, from a listing: the
// default, else the first printer, else "Archivo PDF"; "" with why not when
// the listing failed or the default is not among the printers.
std::string defaultOf(const PrinterListing& l, std::string& problem) {
    problem = l.error;
    if (!problem.empty()) return {};
    if (!l.defaultName.empty()) {
        if (listed(l, l.defaultName)) return l.defaultName;
        problem = printerUnavailableText(l.defaultName);
        return {};
    }
    return l.names.empty() ? std::string(kPdfPrinter) : l.names.front();
}

}  // namespace

const char* const kPrintingSystemSilent = "El sistema de impresión no responde.";
const char* const kConnectionLost = "Se ha perdido la comunicación con el sistema de impresión.";
const char* const kEncryptionFailed =
    "El sistema de impresión pide una conexión cifrada que no se ha podido establecer.";
const char* const kJobFateUnknown =
    "El informe se ha enviado entero, pero el sistema de impresión no ha confirmado que lo haya "
    "recibido: puede que se haya impreso. Mire la cola de la impresora antes de imprimirlo otra "
    "vez.";

std::string printerUnavailableText(const std::string& printer) {
    return "La impresora «" + printer + "» no está disponible.";
}

PrinterService& printers() { return serviceInForce(current, "printer"); }
void setPrinters(PrinterService* service) { current = service; }
PrinterService* installedPrinters() { return current; }

PrinterCommand::PrinterCommand() : service_(current) {
    if (service_) service_->beginCommand();
}

PrinterCommand::~PrinterCommand() {
    if (service_) service_->endCommand();
}

PrinterChoice printerChoice() {
    const PrinterListing l = printers().listPrinters();
    PrinterChoice c;
    c.offered = l.names;
    c.offered.push_back(kPdfPrinter);
    c.error = l.error;
    // A printer chosen earlier that the whole listing no longer holds is
    // dropped, and the user told so.
    if (!chosen.empty() && l.error.empty() && chosen != kPdfPrinter && !listed(l, chosen)) {
        c.notice = "La impresora «" + chosen + "» ya no está disponible.";
        chosen.clear();
    }
    if (!chosen.empty()) {
        c.current = chosen;
        return c;
    }
    std::string problem;
    c.current = defaultOf(l, problem);
    if (l.error.empty() && !problem.empty())
        c.notice += (c.notice.empty() ? "" : "\n") + problem;
    return c;
}

std::string currentPrinter(std::string* error) {
    if (!chosen.empty()) return chosen;
    std::string problem;
    const std::string p = defaultOf(printers().listPrinters(), problem);
    if (error) *error = problem;
    return p;
}

void setCurrentPrinter(const std::string& name) { chosen = name; }
void resetCurrentPrinter() { chosen.clear(); }

BusyCursor::BusyCursor() {
    if (qApp) {
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        active_ = true;
    }
}

void BusyCursor::release() {
    if (!active_) return;
    active_ = false;
    QApplication::restoreOverrideCursor();
}

}  // namespace platform
