// The printers of the machine's CUPS scheduler, reached on a connection of
// the program's own. Each command (a listing, a look at one printer, a job)
// waits at most `limitMs` in all; past that it gives up with "El sistema de
// impresión no responde.". The server is the one libcups is set to
// (CUPS_SERVER, the client configuration, or the local scheduler).
#pragma once

#include "platform/Printers.h"

namespace platform {

class CupsPrinterService : public PrinterService {
public:
    explicit CupsPrinterService(int limitMs = 10000) : limitMs_(limitMs) {}

    PrinterListing listPrinters() override;
    std::string a4Margins(const std::string& printer, PageMargins& margins) override;
    std::string submitPdf(const std::string& printer, const std::string& path,
                          const std::string& title) override;

private:
    int limitMs_;
};

}  // namespace platform
