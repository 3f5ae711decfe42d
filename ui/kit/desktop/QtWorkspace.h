#pragma once

#include "platform/desktop/Workspace.h"

namespace ui {

// The desktop's workspace: links and files open through QDesktopServices; a file is revealed
// with the file manager's FileManager1 D-Bus call, else by opening its folder.
class QtWorkspace : public platform::Workspace {
public:
    bool openURL(const std::string& url) override;
    bool openFile(const std::string& path) override;
    bool revealFile(const std::string& path) override;
    bool launchApplication(const std::string& program) override;
};

}  // namespace ui
