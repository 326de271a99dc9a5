#include "platform/Launcher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QUrl>

namespace platform {

namespace {
Launcher& fallback() {
    static FakeLauncher f;
    f.result = false;
    return f;
}
Launcher* current = nullptr;
}  // namespace

Launcher& launcher() { return current ? *current : fallback(); }
void setLauncher(Launcher* service) { current = service; }

bool QtLauncher::startProgram(const std::string& program,
                              const std::vector<std::string>& arguments) {
    QStringList args;
    for (const std::string& a : arguments) args << QString::fromStdString(a);
    return QProcess::startDetached(QString::fromStdString(program), args);
}

bool QtLauncher::openDocument(const std::string& pathOrUrl) {
    const QString text = QString::fromStdString(pathOrUrl);
    const QUrl url = QFileInfo::exists(text) ? QUrl::fromLocalFile(text) : QUrl(text);
    return url.isValid() && QDesktopServices::openUrl(url);
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

}  // namespace platform
