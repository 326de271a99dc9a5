#include "platform/FileReplacement.h"

#include <cerrno>
#include <cstdlib>
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

}  // namespace

int FileReplacement::open(const std::string& requested) {
    discard();
    target_.clear();
    temp_.clear();
    folderClosed_ = false;
    committed_ = false;
    if (requested.empty() || requested.find('\0') != std::string::npos) return EINVAL;
    // Replace the file a link points to, not the link.
    target_ = requested;
    struct stat link {};
    if (::lstat(requested.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        if (char* real = ::realpath(requested.c_str(), nullptr)) {
            target_ = real;
            std::free(real);
        }
    }
    struct stat old {};
    const bool exists = ::stat(target_.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) return EACCES;
    if (exists && ::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0) return errno;
    const std::string folder = parentFolder(target_);
    struct stat dir {};
    if (::stat(folder.c_str(), &dir) != 0 || !S_ISDIR(dir.st_mode)) return ENOENT;
    if (target_.back() == '/') return EISDIR;
    const std::string prefix = (folder == "/" ? std::string() : folder) + "/.krtmp" +
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
    if (::rename(temp_.c_str(), target_.c_str()) != 0) return errno;
    committed_ = true;
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
    temp_.clear();
}

}  // namespace platform
