// A file replaced in one step. The new contents go to a temporary file
// beside the target, under a short name of its own (so any name the target
// may have still fits), and move over the target only once they are on
// disk. The new file keeps the permission bits of the file it replaces; a
// new file gets the user's umask. A link is followed: the file it points to
// is replaced (or created, when it does not exist yet), not the link. Until
// a successful commit the target stays as it was, and the temporary file
// goes with the object. Temporaries that an ended run of the program left
// in the folder are removed when a new one is made there.
#pragma once

#include <string>

#include "platform/Temporaries.h"

namespace platform {

class FileReplacement {
public:
    FileReplacement() = default;
    ~FileReplacement() { discard(); }
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Creates the temporary file for path. 0, or the system's error number:
    // a target that is not a regular file or that the user may not write
    // stays as it is, although the rename over it would succeed.
    int open(const std::string& path);
    // After a failed open(): the folder takes no new file, while the target
    // exists and the user may write it.
    bool folderTakesNoFile() const { return folderClosed_; }

    // The file replaced (links followed), known once open() got that far.
    const std::string& target() const { return target_; }
    const std::string& temporary() const { return temp_; }
    int fd() const { return fd_; }  // open for writing until commit()

    // Syncs the temporary file, closes it and renames it over the target.
    // 0, or the system's error number with the target as it was.
    int commit();
    // After a failed commit(): the folder refused the rename (a sticky
    // folder, the file another user's), while the user may write the file.
    bool renameRefused() const { return renameRefused_; }
    // Closes and removes the temporary file, unless committed.
    void discard();

private:
    std::string target_;
    std::string temp_;
    int fd_ = -1;
    bool folderClosed_ = false;
    bool renameRefused_ = false;
    bool committed_ = false;
    KeptTemporary kept_;  // the temporary, for an end by a signal
};

}  // namespace platform
