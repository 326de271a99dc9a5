#include "platform/Printers.h"
#include "platform/Services.h"

#include <QApplication>
#include <QCursor>

namespace platform {

namespace {

PrinterService* current = nullptr;
std::string chosen;  // selected in this run; "" = the system's default

std::string currentOf(const PrinterListing& l) {
    if (!chosen.empty()) return chosen;
    if (!l.defaultName.empty()) {
        for (const std::string& n : l.names)
            if (n == l.defaultName) return n;
    }
    return l.names.empty() ? std::string(kPdfPrinter) : l.names.front();
}

}  // namespace

const char* const kPrintingSystemSilent = "El sistema de impresión no responde.";

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
    c.current = currentOf(l);
    c.error = l.error;
    return c;
}

std::string currentPrinter(std::string* error) {
    if (!chosen.empty()) return chosen;
    const PrinterListing l = printers().listPrinters();
    if (error) *error = l.error;
    return currentOf(l);
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
