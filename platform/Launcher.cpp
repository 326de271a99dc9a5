#include "platform/Launcher.h"
#include "platform/Services.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <QUrl>

namespace platform {

namespace {
Launcher* current = nullptr;
}  // namespace

Launcher& launcher() { return serviceInForce(current, "launcher"); }
void setLauncher(Launcher* service) { current = service; }
Launcher* installedLauncher() { return current; }

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

}  // namespace platform
