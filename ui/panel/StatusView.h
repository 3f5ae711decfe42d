#pragma once

#include "ui/panel/LightViewController.h"
#include "ui/panel/SonderViewController.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QTimer;

namespace ui {

class DTextImageButton;
class ImageButton;
struct OutputVolumeReading;
class StatusPopBgView;
class StatusViewDelegate;
class TabBarWButton;
class TextImageButton;

// The status item's panel: CPU load, memory use, battery, the start-up volume's free space,
// buttons to the main window, the task manager and the junk cleaner, the desktop's settings,
// quit, and the volume and brightness pop-ups. While shown it refreshes its readings every
// 2 s; a reading that is missing leaves its label as it was.
class StatusView : public QWidget, public SonderVCDelegate, public LightVCDelegate {
    Q_OBJECT
public:
    static constexpr int kWidth = 300;
    static constexpr int kHeight = 230;

    explicit StatusView(StatusViewDelegate* delegate);
    ~StatusView() override;

    // The start-up volume, as the status item knows it; an empty text leaves its label.
    void setSystemName(const QString& name);
    void setSystemFreeSize(const QString& freeSize);

    void openMainWindowAction();
    // Ends the application the normal way.
    void closePop();
    void openSetButtonAction();
    void sonderButtonAction();
    void lightButtonAction();
    void senderfreeUpButtonAction();
    void optimizeButtonAction();

    // One refresh, unless one is still reading.
    void getSysInfo();
    void GoTimer();
    void EndTimer();
    bool timerRuns() const { return timer != nullptr; }
    // Asks for the output volume; the speaker follows when it comes.
    void setNormalValue();
    void closeWin();
    void mouseExitForPopVC() override;

    QLabel* memoryVLabel = nullptr;
    QLabel* CPUVLabel = nullptr;
    QLabel* tempVLabel = nullptr;  // the start-up volume's free space
    QLabel* batttyVLabel = nullptr;
    QLabel* batteryBLabel = nullptr;
    QLabel* SystemNameLabel = nullptr;
    DTextImageButton* openMainButton = nullptr;
    ImageButton* lightBut = nullptr;
    ImageButton* sonderBut = nullptr;
    ImageButton* settingBut = nullptr;
    TabBarWButton* qiutBut = nullptr;
    TextImageButton* freeUpButton = nullptr;
    TextImageButton* optimizeButton = nullptr;
    QPointer<StatusPopBgView> lightBgView;
    QPointer<StatusPopBgView> volumBgView;

private:
    void loadInterface();
    void awakeFromNib();
    void showReadings();
    void showVolume(const OutputVolumeReading& reading);
    template <class Controller>
    StatusPopBgView* openPopUp(QPointer<StatusPopBgView>& frame, const QRectF& cocoaFrame, Controller*& controller);

    StatusViewDelegate* delegate;  // not owned
    SonderViewController* sonderVC = nullptr;  // owned by its pop-up frame
    LightViewController* lightVC = nullptr;
    QTimer* timer = nullptr;
    bool unLock = true;  // false while a refresh is reading
    std::string settingsProgram;
};

}  // namespace ui
