#pragma once

#include "ui/kit/windows/DialogWindowController.h"

class QLabel;

namespace ui {

class EUHandButton;
class TextImageButton;

// The shredder's notices: the NTFS notice (a drop from an NTFS or read-only volume is refused;
// its link opens the support page) and the notice of folders that are never erased. "好的"
// closes it.
class NTFSWindowController : public DialogWindowController {
    Q_OBJECT
public:
    enum class Notice { NTFSVolume, ProtectedFolders };

    NTFSWindowController(Notice notice, const QString& message);

    QLabel* titleLabel() const { return titleLabel_; }
    QLabel* messageLabel() const { return messageLabel_; }
    EUHandButton* linkButton() const { return linkButton_; }
    TextImageButton* yesButton() const { return yesButton_; }

    // Opens the support link of the settings file in the browser.
    void linkButtonAction();

    // The text of the NTFS notice.
    static QString ntfsMessage();

private:
    QLabel* titleLabel_ = nullptr;
    QLabel* messageLabel_ = nullptr;
    EUHandButton* linkButton_ = nullptr;
    TextImageButton* yesButton_ = nullptr;
};

}  // namespace ui
