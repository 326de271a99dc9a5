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

// The service in force (see platform/Services.h: asking before one is
// installed stops the program).
Launcher& launcher();
void setLauncher(Launcher* service);  // nullptr: none
Launcher* installedLauncher();

class QtLauncher : public Launcher {
public:
    bool startProgram(const std::string& program,
                      const std::vector<std::string>& arguments) override;
    bool openDocument(const std::string& pathOrUrl) override;
};

}  // namespace platform
