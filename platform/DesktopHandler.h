// The desktop's default program for a MIME type or URL scheme, found as the
// freedesktop rules say: the mimeapps.list files of the user and of the
// system ([Default Applications], then [Added Associations]), then the
// mimeinfo.cache of the application folders; the program and its arguments
// come from the Exec line of the chosen .desktop file. Nothing is run here:
// the caller starts the command through the launcher, never through a shell.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

struct DesktopHandler {
    std::string desktopId;  // "lector.desktop"
    std::string program;    // first word of Exec
    // The remaining words of Exec, field codes still in them.
    std::vector<std::string> arguments;
};

// The handler registered for `mimeType` ("application/pdf",
// "x-scheme-handler/https"); nothing when none is registered or its .desktop
// file is missing, hidden or has no usable Exec line.
std::optional<DesktopHandler> findDesktopHandler(const std::string& mimeType);

// The argument list that starts the handler on `target` (a path or an
// address): %f %F %u %U become `target` as one argument, %% a "%", the other
// field codes are dropped; with no file or URL code, `target` is appended.
std::vector<std::string> handlerArguments(const DesktopHandler& handler,
                                          const std::string& target);

// Splits an Exec value into words by the desktop entry quoting rules; empty
// when the quoting is broken.
std::vector<std::string> splitExec(const std::string& exec);

}  // namespace platform
