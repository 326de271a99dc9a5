// Files and folders of this run that must not outlive it. They go with the
// objects that made them; when the program is ended by a signal before that,
// removeTemporaries() removes what is still kept.
#pragma once

#include <string>

namespace platform {

// Keeps path (a file, or a folder removed with its contents) until released.
class KeptTemporary {
public:
    KeptTemporary() = default;
    explicit KeptTemporary(const std::string& path) { keep(path); }
    ~KeptTemporary() { release(); }
    KeptTemporary(const KeptTemporary&) = delete;
    KeptTemporary& operator=(const KeptTemporary&) = delete;

    void keep(const std::string& path);
    void release();

private:
    long id_ = -1;
};

// Removes every kept file and folder. From any thread, not from a signal
// handler.
void removeTemporaries();

}  // namespace platform
