#include "platform/FileReplacement.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

std::string parentFolder(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

unsigned long counter = 0;  // numbers the temporary files of this run

constexpr char kPrefix[] = ".krtmp";

// The file a chain of links ends at, whether it exists or not (a dangling
// link gets its target created). At most 40 links, as the system follows.
std::string finalTarget(const std::string& path) {
    std::string at = path;
    for (int i = 0; i < 40; ++i) {
        struct stat st {};
        if (::lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return at;
        char buf[PATH_MAX];
        const ssize_t n = ::readlink(at.c_str(), buf, sizeof buf - 1);
        if (n <= 0) return at;
        std::string next(buf, static_cast<std::size_t>(n));
        if (next.front() != '/') next = parentFolder(at) + "/" + next;
        at = std::move(next);
    }
    return at;
}

// A temporary a run of the program that has ended left in folder, owned by
// this user: ".krtmp<pid>-<n>" with a pid that no longer runs.
bool staleTemporary(const char* name, const std::string& folder) {
    if (std::strncmp(name, kPrefix, sizeof kPrefix - 1) != 0) return false;
    const char* p = name + sizeof kPrefix - 1;
    char* end = nullptr;
    errno = 0;
    const long pid = std::strtol(p, &end, 10);
    if (end == p || *end != '-' || errno != 0 || pid <= 0 || pid > INT_MAX) return false;
    const char* n = end + 1;
    if (*n == '\0' || std::strspn(n, "0123456789") != std::strlen(n)) return false;
    if (pid == ::getpid() || ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH)
        return false;
    struct stat st {};
    const std::string path = folder + "/" + name;
    return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid();
}

void removeStaleTemporaries(const std::string& folder) {
    DIR* d = ::opendir(folder.c_str());
    if (!d) return;
    for (int i = 0; i < 100000; ++i) {  // bounded, whatever the folder holds
        const dirent* e = ::readdir(d);
        if (!e) break;
        if (staleTemporary(e->d_name, folder)) ::unlink((folder + "/" + e->d_name).c_str());
    }
    ::closedir(d);
}

}  // namespace

int FileReplacement::open(const std::string& requested) {
    discard();
    target_.clear();
    temp_.clear();
    folderClosed_ = false;
    renameRefused_ = false;
    committed_ = false;
    if (requested.empty() || requested.find('\0') != std::string::npos) return EINVAL;
    // Replace the file a link points to, not the link.
    target_ = finalTarget(requested);
    struct stat old {};
    const bool exists = ::stat(target_.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) return EACCES;
    if (exists && ::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0) return errno;
    const std::string folder = parentFolder(target_);
    struct stat dir {};
    if (::stat(folder.c_str(), &dir) != 0 || !S_ISDIR(dir.st_mode)) return ENOENT;
    if (target_.back() == '/') return EISDIR;
    removeStaleTemporaries(folder);
    const std::string prefix = (folder == "/" ? std::string() : folder) + "/" + kPrefix +
                               std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string temp = prefix + std::to_string(counter++);
        int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            // The new file must not end up with wider bits than the old one.
            if (exists && ::fchmod(fd, old.st_mode & 07777) != 0) {
                const int e = errno;
                ::close(fd);
                ::unlink(temp.c_str());
                return e;
            }
            fd_ = fd;
            temp_ = std::move(temp);
            kept_.keep(temp_);
            return 0;
        }
        if (exists && (errno == EACCES || errno == EPERM)) {
            folderClosed_ = true;
            return errno;
        }
        if (errno != EEXIST && errno != EINTR) return errno;
    }
    return EACCES;
}

int FileReplacement::commit() {
    if (fd_ < 0) return EBADF;
    if (::fsync(fd_) != 0) return errno;
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return errno;
    if (::rename(temp_.c_str(), target_.c_str()) != 0) {
        const int e = errno;
        renameRefused_ = (e == EPERM || e == EACCES) &&
                         ::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) == 0;
        return e;
    }
    committed_ = true;
    kept_.release();
    // Make the rename itself durable; the file is in place either way.
    const int dir = ::open(parentFolder(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return 0;
}

void FileReplacement::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!committed_ && !temp_.empty()) ::unlink(temp_.c_str());
    kept_.release();
    temp_.clear();
}

}  // namespace platform
