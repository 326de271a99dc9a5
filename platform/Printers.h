// The printers the program can print on: the system's printers, in the
// system's order, followed by "Archivo PDF" (a PDF file on disk), so a
// machine without a printer still prints. The program's current printer is
// the system's default until the user selects another; it lasts for the
// run and never changes the system's default. Tests install a fake list.
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
    std::string defaultName;         // "" when there is none
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

// The printers offered to the user and the current one, from one listing.
struct PrinterChoice {
    std::vector<std::string> offered;  // the system's, then "Archivo PDF"
    std::string current;
    std::string error;                 // the listing's; offered is then partial
};
PrinterChoice printerChoice();

// The program's current printer: the one selected in this run, else the
// system's default, else the first printer, else "Archivo PDF". When the
// system must be asked and does not answer, error (if given) tells so.
std::string currentPrinter(std::string* error = nullptr);
void setCurrentPrinter(const std::string& name);
void resetCurrentPrinter();  // back to the system's default

// The texts of the printing system's failures.
std::string printerUnavailableText(const std::string& printer);
extern const char* const kPrintingSystemSilent;

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
