#include "fichero_disk.h"

#include "platform/FileReplacement.h"

#include <cerrno>
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

class RealOutputFile : public OutputFile {
public:
    explicit RealOutputFile(std::unique_ptr<platform::FileReplacement> file)
        : file_(std::move(file)) {}

    Outcome write(std::string_view bytes) override {
        if (file_->fd() < 0) return failureFromErrno(EBADF, true);
        written_ += bytes;
        return writeAll(file_->fd(), bytes);
    }

    // A folder that refuses the move over the file: the file is written
    // over itself instead.
    Outcome commit() override {
        const int error = file_->commit();
        if (!error) return std::nullopt;
        if (!file_->renameRefused()) return failureFromErrno(error, true);
        InPlaceOutputFile inPlace(file_->target());
        file_->discard();
        inPlace.write(written_);
        return inPlace.commit();
    }

private:
    std::unique_ptr<platform::FileReplacement> file_;
    std::string written_;  // a data file is a few hundred bytes
};

class RealFileSystem : public FileSystem {
public:
    std::unique_ptr<OutputFile> create(const std::string& requested, Outcome& failure) override {
        failure.reset();
        auto file = std::make_unique<platform::FileReplacement>();
        if (int error = file->open(requested)) {
            // A folder that takes no new file: a writable file there is
            // written over itself.
            if (file->folderTakesNoFile()) return std::make_unique<InPlaceOutputFile>(file->target());
            failure = failureFromErrno(error, true);
            return nullptr;
        }
        return std::make_unique<RealOutputFile>(std::move(file));
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

    std::optional<FileIdentity> identity(const std::string& path) override {
        struct stat st {};
        if (path.empty() || ::stat(path.c_str(), &st) != 0) return std::nullopt;
        return FileIdentity{static_cast<unsigned long long>(st.st_dev),
                            static_cast<unsigned long long>(st.st_ino),
                            static_cast<long long>(st.st_size),
                            static_cast<long long>(st.st_mtim.tv_sec),
                            static_cast<long long>(st.st_mtim.tv_nsec)};
    }

private:
    static Failure tooLarge() {
        return {failure::kFileTooLarge, "El fichero es demasiado grande para ser un fichero de datos."};
    }
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
