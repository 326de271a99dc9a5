// The printers the program can print on: the system's printers, in the
// system's order, followed by "Archivo PDF" (a PDF file on disk), so a
// machine without a printer still prints. The program's current printer is
// the user's or the system's default until the user selects another; the
// choice lasts for the run (or until its printer goes) and never changes the
// system's default. Tests install a fake list.
//
// Every exchange with the printing system is bounded in time, and so is each
// user command in all: a system that does not answer gives an error text,
// never a wait without end.
#pragma once

#include <string>
#include <vector>

namespace platform {

inline constexpr const char* kPdfPrinter = "Archivo PDF";

// One listing of the system's printers.
struct PrinterListing {
    std::vector<std::string> names;  // device names, in the system's order
    // The default a print with no printer chosen goes to (the user's own,
    // else the system's); it may name a printer the system does not have.
    // "" when there is none.
    std::string defaultName;
    std::string error;               // "" when the system answered
};

// The margins of the printable area of an A4 sheet, in centimetres.
struct PageMargins {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

class PrinterService {
public:
    virtual ~PrinterService() = default;
    virtual PrinterListing listPrinters() = 0;
    // The printable area the printer reports for A4 portrait; "" or why the
    // printer cannot print ("La impresora «…» no está disponible.", …).
    virtual std::string a4Margins(const std::string& printer, PageMargins& margins) = 0;
    // Sends a finished PDF as one job named `title`: A4, portrait, unscaled.
    // "" once the printing system has accepted the whole job, else why not;
    // a job not taken whole within the bound is cancelled.
    virtual std::string submitPdf(const std::string& printer, const std::string& path,
                                  const std::string& title) = 0;
    // The calls between these two are the steps of one user command (a
    // print, the printer dialog) and share one bound in all.
    virtual void beginCommand() {}
    virtual void endCommand() {}
};

// The service in force (see platform/Services.h: asking before one is
// installed stops the program).
PrinterService& printers();
void setPrinters(PrinterService* service);  // nullptr: none
PrinterService* installedPrinters();

// One user command's exchanges with the printing system while it lives, on
// the service in force.
class PrinterCommand {
public:
    PrinterCommand();
    ~PrinterCommand();
    PrinterCommand(const PrinterCommand&) = delete;
    PrinterCommand& operator=(const PrinterCommand&) = delete;

private:
    PrinterService* service_;
};

// The printers offered to the user and the one the next print will use,
// from one listing.
struct PrinterChoice {
    std::vector<std::string> offered;  // the system's, then "Archivo PDF"
    std::string current;               // "" when no print can be made now
    std::string error;                 // the listing's; offered is then partial
    // What changed or is wrong with the printer in force (the one chosen
    // earlier has gone, and is dropped; the default is not among the
    // printers); "" when nothing.
    std::string notice;
};
PrinterChoice printerChoice();

// The program's current printer: the one selected in this run, else the
// user's or the system's default (as the service tells it), else the first
// printer, else "Archivo PDF". "" when the system must be asked and does not
// answer, or names a default it does not have: error (if given) tells why.
std::string currentPrinter(std::string* error = nullptr);
void setCurrentPrinter(const std::string& name);
void resetCurrentPrinter();  // back to the system's default

// The texts of the printing system's failures.
std::string printerUnavailableText(const std::string& printer);
extern const char* const kPrintingSystemSilent;
extern const char* const kConnectionLost;
extern const char* const kEncryptionFailed;
// The whole document was sent but the scheduler's answer was lost, and what
// became of the job could not be learnt in time: it may have been printed.
extern const char* const kJobFateUnknown;

// The hourglass over the whole application while it lives; restored on
// every path out of the scope. release() restores it early (before a
// message box).
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor() { release(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
    void release();

private:
    bool active_ = false;
};

}  // namespace platform
