#include "tests/platform_fakes/Fakes.h"

namespace platform {

std::optional<std::string> FakeFileDialogs::ask(const FileRequest& request) {
    asked.push_back(request);
    if (answers.empty()) return std::nullopt;
    std::optional<std::string> a = answers.front();
    answers.pop_front();
    return a;
}

bool FakeLauncher::startProgram(const std::string& program,
                                const std::vector<std::string>& arguments) {
    calls.push_back(Call{program, arguments, {}});
    return result;
}

bool FakeLauncher::openDocument(const std::string& pathOrUrl) {
    calls.push_back(Call{{}, {}, pathOrUrl});
    return result;
}

std::string FakePrinters::a4Margins(const std::string& printer, PageMargins&) {
    return printerUnavailableText(printer);
}

std::string FakePrinters::submitPdf(const std::string& printer, const std::string&,
                                    const std::string&) {
    return printerUnavailableText(printer);
}

ScopedFakePrinters::ScopedFakePrinters() : previous_(installedPrinters()) {
    setPrinters(&fake);
    resetCurrentPrinter();
}

ScopedFakePrinters::~ScopedFakePrinters() {
    setPrinters(previous_);
    resetCurrentPrinter();
}

void installFallbackServices() {
    installFallbackMessages();
    static FakeFileDialogs dialogs;
    setFileDialogs(&dialogs);
    static FakeLauncher launcher;
    launcher.result = false;
    setLauncher(&launcher);
    static FakePrinters printers;
    setPrinters(&printers);
}

}  // namespace platform
