#include "platform/Printers.h"

#include <QApplication>
#include <QCursor>
#include <QPrinterInfo>

namespace platform {

namespace {

PrinterService* current = nullptr;
std::string chosen;  // selected in this run; "" = the system's default

FakePrinters& fallback() {
    static FakePrinters f;
    return f;
}

}  // namespace

PrinterService& printers() { return current ? *current : fallback(); }
void setPrinters(PrinterService* service) { current = service; }

std::vector<std::string> QtPrinterService::systemPrinters() {
    std::vector<std::string> names;
    for (const QString& n : QPrinterInfo::availablePrinterNames()) names.push_back(n.toStdString());
    return names;
}

std::string QtPrinterService::systemDefault() {
    return QPrinterInfo::defaultPrinterName().toStdString();
}

ScopedFakePrinters::ScopedFakePrinters() {
    setPrinters(&fake);
    resetCurrentPrinter();
}

ScopedFakePrinters::~ScopedFakePrinters() {
    setPrinters(nullptr);
    resetCurrentPrinter();
}

std::vector<std::string> printerList() {
    std::vector<std::string> list = printers().systemPrinters();
    list.push_back(kPdfPrinter);
    return list;
}

std::string currentPrinter() {
    if (!chosen.empty()) return chosen;
    const std::vector<std::string> system = printers().systemPrinters();
    const std::string def = printers().systemDefault();
    if (!def.empty()) {
        for (const std::string& n : system)
            if (n == def) return def;
    }
    return system.empty() ? std::string(kPdfPrinter) : system.front();
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
