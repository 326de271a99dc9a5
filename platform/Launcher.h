// Starting other programs and opening documents or web addresses, as a
// service so tests never start anything.
#pragma once

#include <string>
#include <vector>

namespace platform {

class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts the program detached; false when it could not be started.
    virtual bool startProgram(const std::string& program,
                              const std::vector<std::string>& arguments) = 0;
    // Opens a file path or a URL ("http://...", "mailto:...") with the
    // handler registered on the desktop; false when none took it.
    virtual bool openDocument(const std::string& pathOrUrl) = 0;
};

// The service in force; never null (a fake that fails stands in until the
// program installs the real one).
Launcher& launcher();
void setLauncher(Launcher* service);  // nullptr: the fallback

class QtLauncher : public Launcher {
public:
    bool startProgram(const std::string& program,
                      const std::vector<std::string>& arguments) override;
    bool openDocument(const std::string& pathOrUrl) override;
};

// Test double: records the calls and answers `result`.
class FakeLauncher : public Launcher {
public:
    struct Call {
        std::string program;  // empty for openDocument
        std::vector<std::string> arguments;
        std::string document;  // empty for startProgram
    };
    bool startProgram(const std::string& program,
                      const std::vector<std::string>& arguments) override;
    bool openDocument(const std::string& pathOrUrl) override;

    std::vector<Call> calls;
    bool result = true;
};

class ScopedFakeLauncher {
public:
    ScopedFakeLauncher() { setLauncher(&fake); }
    ~ScopedFakeLauncher() { setLauncher(nullptr); }
    ScopedFakeLauncher(const ScopedFakeLauncher&) = delete;
    ScopedFakeLauncher& operator=(const ScopedFakeLauncher&) = delete;
    FakeLauncher fake;
};

}  // namespace platform
