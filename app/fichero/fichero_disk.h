// The disk under the data files. A data file is written to a temporary file
// beside its target and moved over the target only once every byte is on
// disk, so a failed save leaves the old file as it was. In a folder that
// takes no new file an existing writable file is written over itself, once
// every byte is ready; so is a file whose folder refuses the move over it
// (a sticky folder, the file another user's). Tests replace the file system to inject a failure at
// a chosen line.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace fichero {

// Failure numbers of the data-file routines ("Error <number>: <description>").
namespace failure {
inline constexpr int kBadKind = 5;          // section kind the writer cannot write
inline constexpr int kNotFinite = 6;        // a value to write is not a finite number
inline constexpr int kOutOfMemory = 7;
inline constexpr int kBadNumber = 13;       // a line is not one finite number
inline constexpr int kBadFileName = 52;
inline constexpr int kFileNotFound = 53;
inline constexpr int kDeviceError = 57;
inline constexpr int kFileTooLarge = 59;
inline constexpr int kDiskFull = 61;
inline constexpr int kPastEndOfFile = 62;
inline constexpr int kAccessDenied = 75;    // a folder, not a regular file, no permission
inline constexpr int kPathNotFound = 76;
}  // namespace failure

// Largest data file read; anything bigger is refused unread.
inline constexpr std::size_t kMaxFileSize = 64 * 1024;

struct Failure {
    int number = 0;
    std::string description;  // Spanish, shown after "Error <number>: "
};
using Outcome = std::optional<Failure>;  // nothing: success

// A data file being written. Nothing reaches the target before commit()
// succeeds; destroying it without a successful commit discards what was
// written and leaves the target untouched.
class OutputFile {
public:
    virtual ~OutputFile() = default;
    virtual Outcome write(std::string_view bytes) = 0;
    virtual Outcome commit() = 0;
};

// What tells one version of a file from another: a file written since has
// another size, modification time or identity.
struct FileIdentity {
    unsigned long long device = 0, inode = 0;
    long long size = 0, seconds = 0, nanoseconds = 0;
    bool operator==(const FileIdentity&) const = default;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Starts writing the file at target; null with failure set when it cannot.
    virtual std::unique_ptr<OutputFile> create(const std::string& target, Outcome& failure) = 0;
    // Reads a whole regular file of at most kMaxFileSize bytes.
    virtual Outcome read(const std::string& path, std::string& contents) = 0;
    // The identity of the file at path (links followed); nothing when there
    // is none or it cannot be told.
    virtual std::optional<FileIdentity> identity(const std::string& path) {
        (void)path;
        return std::nullopt;
    }
};

// The file system in force: the real disk unless a test installed another.
FileSystem& fileSystem();
FileSystem& realFileSystem();
void setFileSystem(FileSystem* fs);  // nullptr restores the real one

// Installs a file system for its lifetime, then puts back the one that was
// in force before.
class ScopedFileSystem {
public:
    explicit ScopedFileSystem(FileSystem& fs) : previous_(&fileSystem()) { setFileSystem(&fs); }
    ~ScopedFileSystem() { setFileSystem(previous_); }
    ScopedFileSystem(const ScopedFileSystem&) = delete;
    ScopedFileSystem& operator=(const ScopedFileSystem&) = delete;

private:
    FileSystem* previous_;
};

// The failure for a system error number, when writing or when reading.
Failure failureFromErrno(int error, bool writing);

}  // namespace fichero
