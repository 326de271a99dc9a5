// The printers of the machine's CUPS scheduler, reached on connections of
// the program's own. A call waits at most `limitMs` in all, and so do all
// the calls of one command (between beginCommand and endCommand) together;
// past that it gives up with "El sistema de impresión no responde.". The
// server is the one libcups is set to (CUPS_SERVER, the client
// configuration, or the local scheduler). No call ever asks for a password:
// a printer that wants one fails at once.
#pragma once

#include "platform/Printers.h"

#include <chrono>

namespace platform {

class CupsPrinterService : public PrinterService {
public:
    // libcups itself may wait up to one second more for the first reply to a
    // request, so the default keeps a command within 10 s in all.
    explicit CupsPrinterService(int limitMs = 9000) : limitMs_(limitMs) {}

    PrinterListing listPrinters() override;
    std::string a4Margins(const std::string& printer, PageMargins& margins) override;
    std::string submitPdf(const std::string& printer, const std::string& path,
                          const std::string& title) override;
    void beginCommand() override;
    void endCommand() override;

private:
    class Turn;

    int limitMs_;
    int commands_ = 0;                        // nested commands in progress
    std::chrono::steady_clock::duration left_{};  // of the command in progress
};

}  // namespace platform
