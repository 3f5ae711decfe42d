#pragma once

#include <memory>
#include <string>

namespace platform {

// Opening links and files, revealing a file in the file manager and starting a program. The interface layer
// installs the desktop's implementation at start-up; before that, and in a process without
// a desktop, every call is refused with a log line.
class Workspace {
public:
    virtual ~Workspace() = default;
    virtual bool openURL(const std::string& url) = 0;
    virtual bool openFile(const std::string& path) = 0;
    virtual bool revealFile(const std::string& path) = 0;
    // Starts a program of the desktop (no arguments) on its own, not waited for.
    virtual bool launchApplication(const std::string& program) = 0;

    static std::shared_ptr<Workspace> shared();
    static void setShared(std::shared_ptr<Workspace> workspace);
};

}  // namespace platform
