#include "platform/DesktopHandler.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTextStream>

#include <set>
#include <string_view>

namespace platform {

namespace {

QString homeDir() { return QDir::homePath(); }

QStringList envDirs(const char* name, const QString& fallback) {
    QString value = qEnvironmentVariable(name);
    if (value.isEmpty()) value = fallback;
    QStringList dirs;
    for (const QString& d : value.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (QDir::isAbsolutePath(d)) dirs << d;
    return dirs;
}

QString configHome() {
    const QString v = qEnvironmentVariable("XDG_CONFIG_HOME");
    return QDir::isAbsolutePath(v) ? v : homeDir() + QStringLiteral("/.config");
}

QString dataHome() {
    const QString v = qEnvironmentVariable("XDG_DATA_HOME");
    return QDir::isAbsolutePath(v) ? v : homeDir() + QStringLiteral("/.local/share");
}

// Folders of .desktop files, most important first.
QStringList applicationDirs() {
    QStringList dirs{dataHome() + QStringLiteral("/applications")};
    for (const QString& d :
         envDirs("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share")))
        dirs << d + QStringLiteral("/applications");
    return dirs;
}

// The mimeapps.list files in the order of precedence.
QStringList mimeappsFiles() {
    const QString name = QStringLiteral("/mimeapps.list");
    QStringList files{configHome() + name};
    for (const QString& d : envDirs("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg")))
        files << d + name;
    for (const QString& d : applicationDirs()) files << d + name;
    return files;
}

// Key-value lines of one group of an ini-like file; keys with a locale
// suffix are kept as written ("Name[es]").
QList<QPair<QString, QString>> readGroup(const QString& path, const QString& group) {
    QList<QPair<QString, QString>> entries;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return entries;
    QTextStream in(&f);
    bool inside = false;
    // A bounded read: configuration files are small.
    for (int n = 0; n < 100000 && !in.atEnd(); ++n) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        if (line.startsWith(QLatin1Char('['))) {
            inside = line == QLatin1Char('[') + group + QLatin1Char(']');
            continue;
        }
        if (!inside) continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0) continue;
        entries.append({line.left(eq).trimmed(), line.mid(eq + 1).trimmed()});
    }
    return entries;
}

QStringList idsFor(const QList<QPair<QString, QString>>& entries, const QString& mimeType) {
    QStringList ids;
    for (const auto& [key, value] : entries)
        if (key == mimeType)
            for (const QString& id : value.split(QLatin1Char(';'), Qt::SkipEmptyParts))
                ids << id.trimmed();
    return ids;
}

// Unescapes a desktop entry string value (\s \n \t \r \\).
QString unescapeValue(const QString& value) {
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar n = value[++i];
        if (n == QLatin1Char('s')) out += QLatin1Char(' ');
        else if (n == QLatin1Char('n')) out += QLatin1Char('\n');
        else if (n == QLatin1Char('t')) out += QLatin1Char('\t');
        else if (n == QLatin1Char('r')) out += QLatin1Char('\r');
        else if (n == QLatin1Char('\\')) out += QLatin1Char('\\');
        else out += QLatin1Char('\\') + n;
    }
    return out;
}

std::optional<DesktopHandler> loadDesktopFile(const QString& id) {
    if (id.isEmpty() || id.contains(QLatin1Char('/')) || !id.endsWith(QStringLiteral(".desktop")))
        return std::nullopt;
    for (const QString& dir : applicationDirs()) {
        const QString path = dir + QLatin1Char('/') + id;
        if (!QFileInfo(path).isFile()) continue;
        // The first file of that id hides the others, usable or not.
        QString exec;
        bool hidden = false;
        bool application = true;
        for (const auto& [key, value] : readGroup(path, QStringLiteral("Desktop Entry"))) {
            if (key == QLatin1String("Exec")) exec = unescapeValue(value);
            else if (key == QLatin1String("Hidden")) hidden = value == QLatin1String("true");
            else if (key == QLatin1String("Type")) application = value == QLatin1String("Application");
        }
        if (hidden || !application) return std::nullopt;
        std::vector<std::string> words = splitExec(exec.toStdString());
        if (words.empty() || words.front().empty()) return std::nullopt;
        DesktopHandler h;
        h.desktopId = id.toStdString();
        h.program = words.front();
        h.arguments.assign(words.begin() + 1, words.end());
        return h;
    }
    return std::nullopt;
}

}  // namespace

std::optional<DesktopHandler> findDesktopHandler(const std::string& mimeType) {
    const QString type = QString::fromStdString(mimeType);
    if (type.isEmpty()) return std::nullopt;
    const QStringList files = mimeappsFiles();

    // Defaults first, file by file; the first installed one wins.
    for (const QString& file : files)
        for (const QString& id : idsFor(readGroup(file, QStringLiteral("Default Applications")), type))
            if (auto h = loadDesktopFile(id)) return h;

    std::set<QString> removed;
    for (const QString& file : files)
        for (const QString& id : idsFor(readGroup(file, QStringLiteral("Removed Associations")), type))
            removed.insert(id);
    auto usable = [&removed](const QString& id) -> std::optional<DesktopHandler> {
        if (removed.count(id)) return std::nullopt;
        return loadDesktopFile(id);
    };
    for (const QString& file : files)
        for (const QString& id : idsFor(readGroup(file, QStringLiteral("Added Associations")), type))
            if (auto h = usable(id)) return h;
    for (const QString& dir : applicationDirs())
        for (const QString& id :
             idsFor(readGroup(dir + QStringLiteral("/mimeinfo.cache"), QStringLiteral("MIME Cache")), type))
            if (auto h = usable(id)) return h;
    return std::nullopt;
}

std::vector<std::string> splitExec(const std::string& exec) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (quoted) {
            if (c == '"') {
                quoted = false;
            } else if (c == '\\' && i + 1 < exec.size() &&
                       std::string_view("\"`$\\").find(exec[i + 1]) != std::string_view::npos) {
                word += exec[++i];
            } else {
                word += c;
            }
        } else if (c == '"') {
            quoted = true;
            inWord = true;
        } else if (c == ' ' || c == '\t' || c == '\n') {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quoted) return {};
    if (inWord) words.push_back(word);
    return words;
}

std::vector<std::string> handlerArguments(const DesktopHandler& handler,
                                          const std::string& target) {
    std::vector<std::string> out;
    bool placed = false;
    for (const std::string& word : handler.arguments) {
        if (word == "%f" || word == "%F" || word == "%u" || word == "%U") {
            if (!placed) out.push_back(target);
            placed = true;
            continue;
        }
        // Field codes that stand alone and take nothing from the target.
        if (word.size() == 2 && word[0] == '%' && word[1] != '%') continue;
        std::string expanded;
        for (size_t i = 0; i < word.size(); ++i) {
            if (word[i] != '%' || i + 1 == word.size()) {
                expanded += word[i];
                continue;
            }
            const char code = word[++i];
            if (code == '%') {
                expanded += '%';
            } else if (code == 'f' || code == 'F' || code == 'u' || code == 'U') {
                expanded += target;
                placed = true;
            }
        }
        out.push_back(expanded);
    }
    if (!placed) out.push_back(target);
    return out;
}

}  // namespace platform
