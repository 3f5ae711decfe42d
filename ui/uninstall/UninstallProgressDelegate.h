#pragma once

namespace ui {

// Told when the user closes the uninstall progress window ("好的" or its close button).
class UninstallProgressDelegate {
public:
    virtual ~UninstallProgressDelegate() = default;
    virtual void uninstallEnd() = 0;
};

}  // namespace ui
