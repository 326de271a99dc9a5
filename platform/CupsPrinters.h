// The printers of the machine's CUPS scheduler, reached on connections of
// the program's own. A call waits at most `limitMs` in all on the clock, and
// so do all the calls of one command (between beginCommand and endCommand)
// together; past that it gives up with "El sistema de impresión no
// responde.". The exchange runs on a thread of its own while the caller's
// window keeps painting and no other command starts; at the deadline its
// socket is shut, so neither an answer that trickles in nor a name lookup
// that never ends stretches the wait. The server is the one libcups is set
// to on the calling thread (CUPS_SERVER, the client configuration, or the
// local scheduler). No call ever asks for a password: a printer that wants
// one fails at once.
#pragma once

#include "platform/Printers.h"

#include <chrono>

namespace platform {

// The bound of one command in all, as the program installs it: with the
// moment a worker is given to come back, within the 10 s the user is told.
inline constexpr int kPrintingBoundMs = 9000;

class CupsPrinterService : public PrinterService {
public:
    explicit CupsPrinterService(int limitMs = kPrintingBoundMs) : limitMs_(limitMs) {}

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
