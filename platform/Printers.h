// The printers the program can print on: the system's printers, in the
// system's order, followed by "Archivo PDF" (a PDF file on disk), so a
// machine without a printer still prints. The program's current printer is
// the system's default until the user selects another; it lasts for the
// run and never changes the system's default. Tests install a fake list.
#pragma once

#include <string>
#include <vector>

namespace platform {

inline constexpr const char* kPdfPrinter = "Archivo PDF";

class PrinterService {
public:
    virtual ~PrinterService() = default;
    // Device names of the installed printers, in the system's order.
    virtual std::vector<std::string> systemPrinters() = 0;
    // The system's default printer, or "" when there is none.
    virtual std::string systemDefault() = 0;
};

// The service in force; never null (a fake with no printer stands in until
// the program installs the real one).
PrinterService& printers();
void setPrinters(PrinterService* service);  // nullptr: the fallback

class QtPrinterService : public PrinterService {
public:
    std::vector<std::string> systemPrinters() override;
    std::string systemDefault() override;
};

class FakePrinters : public PrinterService {
public:
    std::vector<std::string> systemPrinters() override { return list; }
    std::string systemDefault() override { return defaultPrinter; }
    std::vector<std::string> list;
    std::string defaultPrinter;
};

class ScopedFakePrinters {
public:
    ScopedFakePrinters();
    ~ScopedFakePrinters();
    ScopedFakePrinters(const ScopedFakePrinters&) = delete;
    ScopedFakePrinters& operator=(const ScopedFakePrinters&) = delete;
    FakePrinters fake;
};

// The printers offered to the user: the system's, then "Archivo PDF".
std::vector<std::string> printerList();

// The program's current printer: the one selected in this run, else the
// system's default, else "Archivo PDF".
std::string currentPrinter();
void setCurrentPrinter(const std::string& name);
void resetCurrentPrinter();  // back to the system's default

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
