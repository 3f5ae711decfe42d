#pragma once

#include "ui/kit/windows/DialogWindowController.h"

class QLabel;
class QWidget;

namespace ui {

class TextImageButton;

// The prompt that asks the user to grant Full Disk Access, shown by the cleaners before they
// read the user's protected data. Its button opens the system's privacy settings where the
// system has them; whatever the user does, the caller goes on afterwards.
class FullDiskAccessViewController : public DialogWindowController {
    Q_OBJECT
public:
    // The privacy settings' list of applications with Full Disk Access.
    static constexpr const char* kPrivacySettingsURL =
        "x-apple.systempreferences:com.apple.preference.security?Privacy_AllFiles";

    FullDiskAccessViewController();

    // Shows the prompt centred and modal, then brings the application to the front.
    static void runPrompt();
    // A page's check before it scans: when the access state does not report access as granted
    // and the system is newer than 10.13, runs the prompt. True when it was shown.
    static bool runPromptIfAccessRefused();

    QLabel* titleLabel() const { return titleLabel_; }
    QWidget* titleBarView() const { return titleBarView_; }
    TextImageButton* settingsButton() const { return settingsButton_; }

    // Opens the Full Disk Access list of the system's settings; nothing on a system without
    // that pane or older than 10.14.
    void openSetView();

private:
    void awakeFromNib();

    QLabel* titleLabel_ = nullptr;
    QWidget* titleBarView_ = nullptr;
    TextImageButton* settingsButton_ = nullptr;
};

}  // namespace ui
