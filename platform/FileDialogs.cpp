#include "platform/FileDialogs.h"

#include "platform/Busy.h"
#include "platform/Screen.h"
#include "platform/Services.h"
#include "platform/Temporaries.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

namespace platform {

namespace {
FileDialogService* current = nullptr;

// The settings the dialogs write go to a private folder for this run.
void keepSettingsPrivate() {
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/kestram-XXXXXX"));
    static bool done = false;
    if (done) return;
    done = true;
    const QString path = folder.isValid() ? folder.path() : QStringLiteral("/nonexistent");
    static KeptTemporary kept;
    if (folder.isValid()) kept.keep(QFile::encodeName(path).toStdString());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, path);
}

// Centred on its window's frame once its size is final.
class Dialogo : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

protected:
    void showEvent(QShowEvent* e) override {
        QFileDialog::showEvent(e);
        if (parentWidget()) centerOnWindow(*this, *parentWidget());
    }
};

std::vector<std::string> split(const std::string& text, char sep) {
    std::vector<std::string> parts;
    std::string part;
    for (char ch : text) {
        if (ch == sep) {
            parts.push_back(part);
            part.clear();
        } else {
            part += ch;
        }
    }
    parts.push_back(part);
    return parts;
}
}  // namespace

FileDialogService& fileDialogs() { return serviceInForce(current, "file dialog"); }
void setFileDialogs(FileDialogService* service) { current = service; }
FileDialogService* installedFileDialogs() { return current; }

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return {};
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::vector<std::string> qtNameFilters(const std::string& filter) {
    std::vector<std::string> result;
    if (filter.empty()) return result;
    const std::vector<std::string> parts = split(filter, '|');
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        std::string patterns = i + 1 < parts.size() ? parts[i + 1] : std::string("*");
        for (char& ch : patterns)
            if (ch == ';') ch = ' ';
        result.push_back(parts[i] + " (" + patterns + ")");
    }
    return result;
}

std::optional<std::string> QtFileDialogService::ask(const FileRequest& request) {
    keepSettingsPrivate();
    QWidget* parent = mainWindow() ? mainWindow() : QApplication::activeWindow();
    Dialogo dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (!request.folder.empty()) dialog.setDirectory(QString::fromStdString(request.folder));
    QStringList filters;
    for (const std::string& f : qtNameFilters(request.filter)) filters << QString::fromStdString(f);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = request.filterIndex >= 1 && request.filterIndex <= filters.size()
                              ? request.filterIndex - 1
                              : 0;
        dialog.selectNameFilter(filters.at(index));
    }
    if (request.kind == FileRequest::Kind::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
        if (!request.defaultSuffix.empty())
            dialog.setDefaultSuffix(QString::fromStdString(request.defaultSuffix));
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!request.fileName.empty()) dialog.selectFile(QString::fromStdString(request.fileName));
    {
        // Its event loop runs queued calls: the program is busy meanwhile.
        const BusyScope ocupado;
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    }
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    return files.first().toStdString();
}

}  // namespace platform
