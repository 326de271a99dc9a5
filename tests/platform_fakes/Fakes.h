// Stand-ins of the program's services for tests: messages, file dialogs,
// the launcher and the printers. Each records what it was asked; each
// scoped one installs itself for a scope and then puts back what was in
// force.
#pragma once

#include "platform/FileDialogs.h"
#include "platform/Launcher.h"
#include "platform/Printers.h"
#include "tests/platform_fakes/FakeMessages.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Records every request, answers from the queue, then cancels.
class FakeFileDialogs : public FileDialogService {
public:
    std::optional<std::string> ask(const FileRequest& request) override;

    std::vector<FileRequest> asked;
    std::deque<std::optional<std::string>> answers;  // nullopt = cancel
};

class ScopedFakeFileDialogs {
public:
    ScopedFakeFileDialogs() : previous_(installedFileDialogs()) { setFileDialogs(&fake); }
    ~ScopedFakeFileDialogs() { setFileDialogs(previous_); }
    ScopedFakeFileDialogs(const ScopedFakeFileDialogs&) = delete;
    ScopedFakeFileDialogs& operator=(const ScopedFakeFileDialogs&) = delete;
    FakeFileDialogs fake;

private:
    FileDialogService* previous_;
};

// Records the calls and answers `result`.
class FakeLauncher : public Launcher {
public:
    struct Call {
        std::string program;  // empty for openDocument
        std::vector<std::string> arguments;
        std::string document;  // empty for startProgram
    };
    bool startProgram(const std::string& program,
                      const std::vector<std::string>& arguments) override;
    bool openDocument(const std::string& pathOrUrl) override;

    std::vector<Call> calls;
    bool result = true;
};

class ScopedFakeLauncher {
public:
    ScopedFakeLauncher() : previous_(installedLauncher()) { setLauncher(&fake); }
    ~ScopedFakeLauncher() { setLauncher(previous_); }
    ScopedFakeLauncher(const ScopedFakeLauncher&) = delete;
    ScopedFakeLauncher& operator=(const ScopedFakeLauncher&) = delete;
    FakeLauncher fake;

private:
    Launcher* previous_;
};

// Printer names only, with no printing system behind them: printing on one
// of them fails as on a printer that has gone.
class FakePrinters : public PrinterService {
public:
    PrinterListing listPrinters() override { return {list, defaultPrinter, error}; }
    std::string a4Margins(const std::string& printer, PageMargins&) override;
    std::string submitPdf(const std::string& printer, const std::string&,
                          const std::string&) override;
    std::vector<std::string> list;
    std::string defaultPrinter;
    std::string error;
};

// Also forgets the printer chosen in the run, on the way in and out.
class ScopedFakePrinters {
public:
    ScopedFakePrinters();
    ~ScopedFakePrinters();
    ScopedFakePrinters(const ScopedFakePrinters&) = delete;
    ScopedFakePrinters& operator=(const ScopedFakePrinters&) = delete;
    FakePrinters fake;

private:
    PrinterService* previous_;
};

// The services of a whole test program: messages answered "No", dialogs
// cancelled, nothing started, no printer, so that no test depends on a
// service it did not install.
void installFallbackServices();

}  // namespace platform
