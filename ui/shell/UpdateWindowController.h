#pragma once

#include "core/kit/VersionList.h"
#include "ui/kit/windows/DialogWindowController.h"

#include <QPropertyAnimation>

#include <memory>
#include <optional>

class QLabel;
class QThread;
class QScrollArea;
class QWidget;

namespace ui {

class EUHandButton;
class RFOverlayScrollView;
class SpinningImageView;
class TextImageButton;

// The update window of the main menu: each showing checks on a worker thread whether a newer
// build is published, and shows one of three outcomes: no network, no update, or the new
// version with its numbered change notes and a download link ("UpdateURL"). The window fades
// in; its buttons and its close button close it at once, while a close asked by the window
// manager, or a quit while it is open, fades it out first (and the quit then goes on).
class UpdateWindowController : public DialogWindowController {
    Q_OBJECT
public:
    UpdateWindowController();
    // Stops a check still under way and waits for its thread: the worker never outlives the
    // window it reports to, and a download never holds up the quit.
    ~UpdateWindowController() override;

    // The panes, the texts of the update pane and the notes' container.
    QWidget* checkProgressView() const { return checkProgressView_; }
    QWidget* noNetworkView() const { return noNetworkView_; }
    QWidget* noUpdateView() const { return noUpdateView_; }
    QWidget* haveUpdateView() const { return haveUpdateView_; }
    QLabel* titleLable() const { return titleLable_; }
    QLabel* versionLabel() const { return versionLabel_; }
    QWidget* showVersionScrollView() const { return showVersionScrollView_; }
    TextImageButton* haveClose() const { return haveClose_; }
    EUHandButton* updateClickHere() const { return updateClickHere_; }
    bool shuttingDown() const { return shuttingDown_; }

    // Fills the panes from a check's outcome (nothing: the network could not be reached).
    void whatIsNewVersionDiff(const std::optional<core::VersionList>& published);
    // The height of a text laid out in a box of that width, however tall it needs to be.
    static double heightForStringDrawing(const QString& text, const QFont& font, double width);

    void closeWindowAction();
    void updateClickHereAction();
    // A close asked by the window manager: the window fades out, then closes.
    void windowShouldClose();
    // A quit while the window is open: false, after starting the fade-out, the first time (the
    // quit goes on once the window is gone); true when the fade for a quit is already done.
    bool applicationShouldTerminate();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void windowDidLoad();
    QWidget* makePane(const QString& title, const QString& detail, TextImageButton*& closeButton);
    void makeHaveUpdateView();
    void showPane(QWidget* pane);
    void windowWillShow();
    void getVersionChange();
    void fadeTo(double opacity);
    void animationDidStop();

    QWidget* checkProgressView_ = nullptr;
    QWidget* noNetworkView_ = nullptr;
    QWidget* noUpdateView_ = nullptr;
    QWidget* haveUpdateView_ = nullptr;
    QLabel* titleLabel_ = nullptr;
    QLabel* titleLable_ = nullptr;
    QLabel* versionLabel_ = nullptr;
    RFOverlayScrollView* changeValueScrollView_ = nullptr;
    QScrollArea* notesArea_ = nullptr;
    QWidget* showVersionScrollView_ = nullptr;
    SpinningImageView* progressBar_ = nullptr;
    TextImageButton* proClose_ = nullptr;
    TextImageButton* noNetClose_ = nullptr;
    TextImageButton* noUpdateClose_ = nullptr;
    TextImageButton* haveClose_ = nullptr;
    EUHandButton* updateClickHere_ = nullptr;
    QPropertyAnimation fade_;
    bool shuttingDown_ = false;
    bool closingNow_ = false;  // a close of our own, not to be faded
    std::unique_ptr<QThread> worker_;
    bool checking_ = false;
};

}  // namespace ui
