// Open and save dialogs as a service: a window fills a request and gets the
// chosen path back, or nothing when the user cancelled. Tests install a
// scripted fake and read what was asked.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct FileRequest {
    enum class Kind { Open, Save };
    Kind kind = Kind::Open;
    // Pairs of description and patterns joined by "|", as the program writes
    // them: "Archivos VORLANT - Flexión|*.KRF|Archivos VORLANT|*.KRC;*.KRF".
    std::string filter;
    int filterIndex = 1;          // 1-based choice of the filter shown first
    std::string fileName;         // proposed name (UTF-8), may be empty
    bool confirmOverwrite = true; // Save: ask before replacing a file
    // Save: extension (no dot) the dialog adds to a name typed without one,
    // before it asks about replacing a file; empty: the name as typed.
    std::string defaultSuffix{};
    // Folder the dialog opens in (UTF-8); empty: the toolkit's choice.
    std::string folder{};
};

// The folder part of a path ("/a/b.krf" -> "/a"); empty when it has none.
std::string folderOf(const std::string& path);

class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    // The chosen full path (UTF-8), or std::nullopt when cancelled.
    virtual std::optional<std::string> ask(const FileRequest& request) = 0;
};

// The service in force (see platform/Services.h: asking before one is
// installed stops the program).
FileDialogService& fileDialogs();
void setFileDialogs(FileDialogService* service);  // nullptr: none
FileDialogService* installedFileDialogs();

// The Qt dialog (non-native, so it behaves the same everywhere): a child of
// the main window (platform/Screen.h; else of the active window),
// centred on its frame. The toolkit keeps the dialog's history in a settings file;
// that file goes to a private temporary folder, removed when the program
// ends, so the user's home folder receives none. While it is on show the
// program counts as busy (platform/Busy.h).
class QtFileDialogService : public FileDialogService {
public:
    std::optional<std::string> ask(const FileRequest& request) override;
};


// "Desc|*.A|Desc2|*.B;*.C" -> {"Desc (*.A)", "Desc2 (*.B *.C)"}, for Qt.
std::vector<std::string> qtNameFilters(const std::string& filter);

}  // namespace platform
