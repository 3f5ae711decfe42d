#pragma once

#include "ui/kit/windows/DialogWindowController.h"

class QLabel;
class QWidget;

namespace ui {

class EUHandButton;

// The About window of the main menu: the application's name, version, a short introduction,
// the copyright line and a link to the maker's page ("AboutURL" of the settings file).
class TCPreferenceWindowController : public DialogWindowController {
    Q_OBJECT
public:
    TCPreferenceWindowController();

    QLabel* name() const { return name_; }
    QLabel* verson() const { return verson_; }
    QLabel* Introduction() const { return Introduction_; }
    QLabel* copyrightLine() const { return copyrightLine_; }
    QLabel* titleLabel() const { return titleLabel_; }
    QWidget* titleBarView() const { return titleBarView_; }
    EUHandButton* aboutButton() const { return aboutButton_; }

    // Opens the link "AboutURL" in the default browser; an empty or missing link opens nothing.
    void aboutButtonAction();

private:
    void windowDidLoad();

    QLabel* name_ = nullptr;
    QLabel* verson_ = nullptr;
    QLabel* Introduction_ = nullptr;
    QLabel* copyrightLine_ = nullptr;
    QLabel* titleLabel_ = nullptr;
    QWidget* titleBarView_ = nullptr;
    EUHandButton* aboutButton_ = nullptr;
};

}  // namespace ui
