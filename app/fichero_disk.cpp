#include "fichero_disk.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fichero {

Failure failureFromErrno(int error, bool writing) {
    switch (error) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return {failure::kDiskFull, "Espacio en disco insuficiente."};
    case ENOMEM:
        return {failure::kOutOfMemory, "Memoria insuficiente."};
    case ENOENT:
    case ENOTDIR:
        if (writing) return {failure::kPathNotFound, "No se encuentra la ruta de acceso."};
        return {failure::kFileNotFound, "No se encuentra el fichero."};
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
    case EBUSY:
        return {failure::kAccessDenied, "No se puede acceder a la ruta o al fichero."};
    case ENAMETOOLONG:
    case EINVAL:
    case ELOOP:
        return {failure::kBadFileName, "El nombre del fichero no es válido."};
    default:
        return {failure::kDeviceError, "Error de entrada/salida en el dispositivo."};
    }
}

namespace {

Failure accessDenied() { return failureFromErrno(EACCES, true); }

// Writes every byte, again after an interrupted call.
Outcome writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return failureFromErrno(errno, true);
        if (n == 0) return failureFromErrno(EIO, true);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return std::nullopt;
}

std::string parentFolder(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

class RealOutputFile : public OutputFile {
public:
    RealOutputFile(int fd, std::string temp, std::string target)
        : fd_(fd), temp_(std::move(temp)), target_(std::move(target)) {}

    ~RealOutputFile() override {
        if (fd_ >= 0) ::close(fd_);
        if (!committed_) ::unlink(temp_.c_str());
    }

    Outcome write(std::string_view bytes) override {
        if (fd_ < 0) return failureFromErrno(EBADF, true);
        return writeAll(fd_, bytes);
    }

    Outcome commit() override {
        if (fd_ < 0) return failureFromErrno(EBADF, true);
        if (::fsync(fd_) != 0) return failureFromErrno(errno, true);
        int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) return failureFromErrno(errno, true);
        if (::rename(temp_.c_str(), target_.c_str()) != 0) return failureFromErrno(errno, true);
        committed_ = true;
        // Make the rename itself durable; the file is in place either way.
        int dir = ::open(parentFolder(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
        return std::nullopt;
    }

private:
    int fd_;
    std::string temp_;
    std::string target_;
    bool committed_ = false;
};

// A file written over itself, for a folder that takes no new file: the
// bytes wait in memory and go to the file only at commit.
class InPlaceOutputFile : public OutputFile {
public:
    explicit InPlaceOutputFile(std::string target) : target_(std::move(target)) {}

    Outcome write(std::string_view bytes) override {
        pending_ += bytes;
        return std::nullopt;
    }

    Outcome commit() override {
        int fd = ::open(target_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) return failureFromErrno(errno, true);
        struct Closer {
            int fd;
            ~Closer() {
                if (fd >= 0) ::close(fd);
            }
        } closer{fd};
        struct stat st {};
        if (::fstat(fd, &st) != 0) return failureFromErrno(errno, true);
        if (!S_ISREG(st.st_mode)) return accessDenied();
        if (Outcome failed = writeAll(fd, pending_)) return failed;
        if (::ftruncate(fd, static_cast<off_t>(pending_.size())) != 0)
            return failureFromErrno(errno, true);
        if (::fsync(fd) != 0) return failureFromErrno(errno, true);
        closer.fd = -1;
        if (::close(fd) != 0) return failureFromErrno(errno, true);
        return std::nullopt;
    }

private:
    std::string target_;
    std::string pending_;
};

class RealFileSystem : public FileSystem {
public:
    std::unique_ptr<OutputFile> create(const std::string& requested, Outcome& failure) override {
        failure.reset();
        if (requested.empty() || requested.find('\0') != std::string::npos) {
            failure = failureFromErrno(EINVAL, true);
            return nullptr;
        }
        // Replace the file a link points to, not the link.
        std::string target = requested;
        struct stat link {};
        if (::lstat(requested.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
            if (char* real = ::realpath(requested.c_str(), nullptr)) {
                target = real;
                std::free(real);
            }
        }
        struct stat old {};
        bool exists = ::stat(target.c_str(), &old) == 0;
        if (exists && !S_ISREG(old.st_mode)) {
            failure = accessDenied();
            return nullptr;
        }
        // A file the user may not write stays as it is, although the
        // rename over it would succeed.
        if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
            failure = failureFromErrno(errno, true);
            return nullptr;
        }
        std::string folder = parentFolder(target);
        struct stat dir {};
        if (::stat(folder.c_str(), &dir) != 0 || !S_ISDIR(dir.st_mode)) {
            failure = failureFromErrno(ENOENT, true);
            return nullptr;
        }
        std::string base = target.substr(target.find_last_of('/') + 1);
        if (base.empty()) {
            failure = failureFromErrno(EISDIR, true);
            return nullptr;
        }
        // A short name of its own: any name the target may have still fits.
        std::string prefix = (folder == "/" ? std::string() : folder) + "/.krtmp" +
                             std::to_string(::getpid()) + "-";
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string temp = prefix + std::to_string(counter_++);
            int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                if (exists) ::fchmod(fd, old.st_mode & 07777);
                return std::make_unique<RealOutputFile>(fd, temp, target);
            }
            // A folder that takes no new file: a writable file there is
            // written over itself.
            if (exists && (errno == EACCES || errno == EPERM))
                return std::make_unique<InPlaceOutputFile>(target);
            if (errno != EEXIST && errno != EINTR) {
                failure = failureFromErrno(errno, true);
                return nullptr;
            }
        }
        failure = accessDenied();
        return nullptr;
    }

    Outcome read(const std::string& path, std::string& contents) override {
        contents.clear();
        if (path.empty() || path.find('\0') != std::string::npos)
            return failureFromErrno(EINVAL, false);
        // Non-blocking, so that a pipe or device is refused, not waited on.
        int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return failureFromErrno(errno, false);
        struct Closer {
            int fd;
            ~Closer() { ::close(fd); }
        } closer{fd};
        struct stat st {};
        if (::fstat(fd, &st) != 0) return failureFromErrno(errno, false);
        if (!S_ISREG(st.st_mode)) return accessDenied();
        if (st.st_size > static_cast<off_t>(kMaxFileSize)) return tooLarge();
        // Read one byte past the limit to notice a file that grew meanwhile.
        contents.resize(kMaxFileSize + 1);
        std::size_t total = 0;
        while (total < contents.size()) {
            ssize_t n = ::read(fd, contents.data() + total, contents.size() - total);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                contents.clear();
                return failureFromErrno(errno, false);
            }
            if (n == 0) break;
            total += static_cast<std::size_t>(n);
        }
        if (total > kMaxFileSize) {
            contents.clear();
            return tooLarge();
        }
        contents.resize(total);
        return std::nullopt;
    }

private:
    static Failure tooLarge() {
        return {failure::kFileTooLarge, "El fichero es demasiado grande para ser un fichero de datos."};
    }
    unsigned long counter_ = 0;
};

FileSystem* current = nullptr;

}  // namespace

FileSystem& realFileSystem() {
    static RealFileSystem fs;
    return fs;
}

FileSystem& fileSystem() { return current ? *current : realFileSystem(); }

void setFileSystem(FileSystem* fs) { current = fs; }

}  // namespace fichero
