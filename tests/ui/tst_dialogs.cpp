#include "platform/desktop/AccessState.h"
#include "platform/system/PlistValue.h"
#include "platform/desktop/LinuxAccessState.h"
#include "platform/desktop/Workspace.h"
#include "support/FakeAccessState.h"
#include "support/LogCapture.h"
#include "support/RecordingWorkspace.h"
#include "support/ScopedEnvironment.h"
#include "support/ScopedVariable.h"
#include "ui/kit/windows/ModalLoop.h"
#include "ui/kit/windows/TCImageWindow.h"
#include "ui/kit/controls/EUHandButton.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/shell/FullDiskAccessViewController.h"
#include "ui/shell/MarkSureDeleteWC.h"
#include "ui/shell/MarkSureDeleteWCDelegate.h"
#include "ui/shell/TCPreferenceWindowController.h"
#include "ui/shell/UpdateWindowController.h"
#include "ui/browser/CloseBrowerWindowController.h"
#include "ui/browser/CloseBrowerWindowControllerDelegate.h"
#include "ui/disks/FormatEndViewController.h"
#include "ui/disks/FristAidVCDelegate.h"
#include "ui/disks/FristAidViewController.h"
#include "ui/disks/MakeSureFormatVCDelegate.h"
#include "ui/disks/MakeSureFormatViewController.h"
#include "ui/disks/RenameVCDelegate.h"
#include "ui/disks/RenameViewController.h"
#include "ui/disks/ShowAidVCDelegate.h"
#include "ui/disks/ShowAidViewControllrt.h"
#include "ui/largefiles/ProgressWindowController.h"
#include "ui/shredder/NTFSWindowController.h"
#include "ui/shredder/ShredProgressWindowController.h"
#include "ui/shredder/ShredProgressWindowDelegate.h"
#include "ui/uninstall/UninstallProgressDelegate.h"
#include "ui/uninstall/UninstallProgressWindowController.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using platform::AccessState;

namespace {

// Runs the action once the window's modal loop has started.
void whenModal(std::function<void()> action) { QTimer::singleShot(0, std::move(action)); }

void clickCloseButton(ui::TCImageWindow* window) {
    QTest::mouseClick(window->standardWindowButton(ui::NSWindowCloseButton), Qt::LeftButton);
}

// The custom windows on screen, whoever made them.
QList<ui::TCImageWindow*> visibleCustomWindows() {
    QList<ui::TCImageWindow*> found;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<ui::TCImageWindow*>(widget); window && window->isVisible()) found << window;
    return found;
}

// Notes each call and whether the confirmation was still on screen when it came.
class CountingDelegate : public ui::MarkSureDeleteWCDelegate {
public:
    explicit CountingDelegate(const ui::MarkSureDeleteWC& controller) : controller(controller) {}
    void deleteFileButtonAction() override {
        ++calls;
        windowOpenAtCall = controller.window()->isVisible();
    }
    int calls = 0;
    bool windowOpenAtCall = false;

private:
    const ui::MarkSureDeleteWC& controller;
};

// Counts what the dialogs' confirming buttons ask of their callers.
class ConfirmationRecorder : public ui::MarkSureDeleteWCDelegate,
                             public ui::RenameVCDelegate,
                             public ui::FristAidVCDelegate,
                             public ui::MakeSureFormatVCDelegate,
                             public ui::CloseBrowerWindowControllerDelegate,
                             public ui::ShredProgressWindowDelegate,
                             public ui::ShowAidVCDelegate,
                             public ui::UninstallProgressDelegate {
public:
    void deleteFileButtonAction() override { ++confirmations; }
    void makeSureToChangeName(const QString&) override { ++confirmations; }
    void checkDiskAction() override { ++confirmations; }
    void repairDiskAction() override { ++confirmations; }
    void makeSureToFormatSelectVolumeWithName(const QString&, const QString&) override { ++confirmations; }
    void closeBrowerButtonAction() override { ++confirmations; }
    void doDeleteButtonClick() override { ++confirmations; }
    void cancelShred() override { ++stops; }
    void closeShowAidWindow() override { ++confirmations; }
    void uninstallEnd() override { ++confirmations; }
    int confirmations = 0;
    int stops = 0;
};

using DialogMaker = std::function<std::unique_ptr<ui::DialogWindowController>(ConfirmationRecorder&)>;

template <typename Dialog, typename... Arguments>
DialogMaker withDelegate(Arguments... arguments) {
    return [=](ConfirmationRecorder& recorder) {
        auto dialog = std::make_unique<Dialog>(arguments...);
        dialog->setDelegate(&recorder);
        return std::unique_ptr<ui::DialogWindowController>(std::move(dialog));
    };
}

// The first-aid output once the disk utility has finished, its "完成" usable.
std::unique_ptr<ui::DialogWindowController> finishedFirstAid(ConfirmationRecorder& recorder) {
    auto dialog = std::make_unique<ui::ShowAidViewControllrt>(QString("Untitled"));
    dialog->setDelegate(&recorder);
    dialog->setProgressValue(101);
    return dialog;
}

// The uninstall's progress window on its end pane.
std::unique_ptr<ui::DialogWindowController> endedUninstall(ConfirmationRecorder& recorder) {
    auto dialog = std::make_unique<ui::UninstallProgressWindowController>();
    dialog->setDelegate(&recorder);
    dialog->changeProgressValue(100, QString("/Applications/Foo.app"));
    return dialog;
}

template <typename Dialog, typename... Arguments>
DialogMaker plain(Arguments... arguments) {
    return [=](ConfirmationRecorder&) { return std::unique_ptr<ui::DialogWindowController>(new Dialog(arguments...)); };
}

// A shared access state and workspace of the test's own, and a system version.
class ScopedSystem {
public:
    ScopedSystem(const std::string& version, std::shared_ptr<AccessState> access)
        : environment([&](platform::Environment::Values& values) { values.systemVersion = version; }) {
        AccessState::setShared(std::move(access));
        platform::Workspace::setShared(workspace);
    }
    ~ScopedSystem() {
        AccessState::setShared(nullptr);
        platform::Workspace::setShared(nullptr);
    }
    std::shared_ptr<testsupport::RecordingWorkspace> workspace = std::make_shared<testsupport::RecordingWorkspace>();

private:
    testsupport::ScopedEnvironment environment;
};

std::shared_ptr<AccessState> refusing(bool settingsPane = true) {
    return std::make_shared<testsupport::FakeAccessState>(AccessState::Status::Denied, settingsPane);
}

// A shipped settings file whose Chinese link table holds the given About link (none when null),
// and a workspace that records what it is asked to open.
class AboutLinkFixture {
public:
    explicit AboutLinkFixture(const char* aboutURL)
        : environment([](platform::Environment::Values& values) { values.preferredLanguages = {"zh_CN"}; }),
          bundle("DURIDOVE_BUNDLE_DIR", environment.folder().makeFolder("bundle")) {
        platform::PlistValue links(platform::PlistValue::Dictionary{});
        if (aboutURL) links.set("AboutURL", aboutURL);
        platform::PlistValue settings(platform::PlistValue::Dictionary{});
        settings.set("zh-Hans", links);
        settings.writeFile(environment.folder() / "bundle/StringMessage.plist");
        platform::Workspace::setShared(workspace);
    }
    ~AboutLinkFixture() { platform::Workspace::setShared(nullptr); }
    std::shared_ptr<testsupport::RecordingWorkspace> workspace = std::make_shared<testsupport::RecordingWorkspace>();

private:
    testsupport::ScopedEnvironment environment;
    testsupport::ScopedVariable bundle;
};

}  // namespace

Q_DECLARE_METATYPE(DialogMaker)

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void confirmationHasCancelAndDeleteButtons() {
        ui::MarkSureDeleteWC controller;
        QCOMPARE(controller.cancelButton()->label()->text(), QStringLiteral("取消"));
        QCOMPARE(controller.cancelButton()->normalImageName(), QStringLiteral("btn_sec"));
        QVERIFY(controller.cancelButton()->isDisabled());
        QCOMPARE(controller.okButton()->label()->text(), QStringLiteral("删除"));
        QCOMPARE(controller.okButton()->normalImageName(), QStringLiteral("btn_pri"));
        QVERIFY(controller.okButton()->isDisabled());
    }

    void closingTheConfirmationDeletesNothing_data() {
        QTest::addColumn<bool>("byCancelButton");
        QTest::newRow("close button") << false;
        QTest::newRow("取消") << true;
    }
    void closingTheConfirmationDeletesNothing() {
        QFETCH(bool, byCancelButton);
        ui::MarkSureDeleteWC controller;
        CountingDelegate delegate(controller);
        controller.setDelegate(&delegate);
        whenModal([&] {
            if (byCancelButton)
                QTest::mouseClick(controller.cancelButton(), Qt::LeftButton);
            else
                clickCloseButton(controller.window());
        });
        ui::runModal(controller.window());
        QCOMPARE(delegate.calls, 0);
        QVERIFY(!controller.window()->isVisible());
    }

    void deleteTellsTheDelegateOnceThenCloses() {
        ui::MarkSureDeleteWC controller;
        CountingDelegate delegate(controller);
        controller.setDelegate(&delegate);
        whenModal([&] {
            QTest::mouseClick(controller.okButton(), Qt::LeftButton);
            QTest::mouseClick(controller.okButton(), Qt::LeftButton);
        });
        ui::runModal(controller.window());
        QCOMPARE(delegate.calls, 1);
        QVERIFY(delegate.windowOpenAtCall);
        QVERIFY(!controller.window()->isVisible());
    }

    void aClosedDialogLeavesAnotherWindowsModalLoopAlone() {
        ui::MarkSureDeleteWC closed;
        ui::MarkSureDeleteWC running;
        whenModal([&] {
            closed.cancelButtonAction();
            whenModal([&] { clickCloseButton(running.window()); });
        });
        ui::runModal(running.window());
        QVERIFY(!running.window()->isVisible());
    }

    void deleteWithoutADelegateOnlyCloses() {
        ui::MarkSureDeleteWC controller;
        whenModal([&] { QTest::mouseClick(controller.okButton(), Qt::LeftButton); });
        ui::runModal(controller.window());
        QVERIFY(!controller.window()->isVisible());
    }

    // As in the platform's own dialogs, Escape cancels (the cancel button, else the close button)
    // and Return presses the default button, wherever the keyboard focus is in the window.
    void escapeCancelsAndReturnConfirmsInEveryDialog_data() {
        QTest::addColumn<DialogMaker>("make");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("confirmations");
        QTest::addColumn<bool>("closes");
        const struct {
            const char* name;
            DialogMaker make;
            bool returnCloses;
        } dialogs[] = {
            {"delete confirmation", withDelegate<ui::MarkSureDeleteWC>(), true},
            {"rename", withDelegate<ui::RenameViewController>(QString("Untitled")), true},
            {"first aid", withDelegate<ui::FristAidViewController>(), true},
            {"format", withDelegate<ui::MakeSureFormatViewController>(), false},
            {"close browsers", withDelegate<ui::CloseBrowerWindowController>(), true},
            {"erase confirmation", withDelegate<ui::ShredProgressWindowController>(), false},
        };
        for (const auto& dialog : dialogs) {
            QTest::addRow("%s, Escape", dialog.name) << dialog.make << int(Qt::Key_Escape) << 0 << true;
            QTest::addRow("%s, Return", dialog.name) << dialog.make << int(Qt::Key_Return) << 1 << dialog.returnCloses;
        }
        const auto notice = plain<ui::NTFSWindowController>(ui::NTFSWindowController::Notice::NTFSVolume, QString("x"));
        const auto formatEnd = plain<ui::FormatEndViewController>(QString("title"), QString("message"));
        QTest::newRow("notice, Escape") << notice << int(Qt::Key_Escape) << 0 << true;
        QTest::newRow("notice, Return") << notice << int(Qt::Key_Return) << 0 << true;
        QTest::newRow("format result, Return") << formatEnd << int(Qt::Key_Return) << 0 << true;
        QTest::newRow("About, Escape") << plain<ui::TCPreferenceWindowController>() << int(Qt::Key_Escape) << 0 << true;
        QTest::newRow("About has no default button") << plain<ui::TCPreferenceWindowController>() << int(Qt::Key_Return)
                                                     << 0 << false;
        QTest::newRow("update, Escape") << plain<ui::UpdateWindowController>() << int(Qt::Key_Escape) << 0 << true;
        QTest::newRow("first aid output, Return once done") << DialogMaker(finishedFirstAid) << int(Qt::Key_Return) << 1
                                                            << true;
        QTest::newRow("first aid output, Return while it runs")
            << withDelegate<ui::ShowAidViewControllrt>(QString("Untitled")) << int(Qt::Key_Return) << 0 << false;
        QTest::newRow("first aid output, Escape") << withDelegate<ui::ShowAidViewControllrt>(QString("Untitled"))
                                                  << int(Qt::Key_Escape) << 0 << true;
        QTest::newRow("full disk access, Escape") << plain<ui::FullDiskAccessViewController>() << int(Qt::Key_Escape) << 0
                                                  << true;
        QTest::newRow("uninstall ended, Return") << DialogMaker(endedUninstall) << int(Qt::Key_Return) << 1 << true;
        QTest::newRow("deletion progress, Escape stops") << plain<ui::ProgressWindowController>() << int(Qt::Key_Escape)
                                                         << 0 << false;
    }
    void escapeCancelsAndReturnConfirmsInEveryDialog() {
        QFETCH(DialogMaker, make);
        QFETCH(int, key);
        QFETCH(int, confirmations);
        QFETCH(bool, closes);
        ConfirmationRecorder recorder;
        std::unique_ptr<ui::DialogWindowController> dialog = make(recorder);
        bool closedByKey = false;
        whenModal([&] {
            QWidget* window = dialog->window();
            QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, Qt::Key(key));
            closedByKey = !window->isVisible();
            dialog->closeWindow();
        });
        ui::runModal(dialog->window());
        QCOMPARE(recorder.confirmations, confirmations);
        QCOMPARE(closedByKey, closes);
    }

    void pageCheckShowsThePromptWhenAccessIsRefusedAfter1013_data() {
        QTest::addColumn<QString>("version");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("shown");
        QTest::newRow("denied on 10.14") << "10.14" << int(AccessState::Status::Denied) << true;
        QTest::newRow("not determined on 11.2") << "11.2" << int(AccessState::Status::NotDetermined) << true;
        QTest::newRow("denied on 10.13") << "10.13" << int(AccessState::Status::Denied) << false;
        QTest::newRow("denied on 10.9") << "10.9" << int(AccessState::Status::Denied) << false;
        QTest::newRow("granted on 10.15") << "10.15" << int(AccessState::Status::Granted) << false;
    }
    void pageCheckShowsThePromptWhenAccessIsRefusedAfter1013() {
        QFETCH(QString, version);
        QFETCH(int, status);
        QFETCH(bool, shown);
        ScopedSystem system(version.toStdString(),
                            std::make_shared<testsupport::FakeAccessState>(AccessState::Status(status)));
        int prompts = 0;
        whenModal([&] {
            for (ui::TCImageWindow* window : visibleCustomWindows()) {
                ++prompts;
                QCOMPARE(window->titleBarHeight(), 22.0);
                clickCloseButton(window);
            }
        });
        QCOMPARE(ui::FullDiskAccessViewController::runPromptIfAccessRefused(), shown);
        QCoreApplication::processEvents();
        QCOMPARE(prompts, shown ? 1 : 0);
        QVERIFY(visibleCustomWindows().isEmpty());
    }

    void linuxNeverShowsThePrompt() {
        ScopedSystem system("10.15", std::make_shared<platform::LinuxAccessState>());
        QVERIFY(!ui::FullDiskAccessViewController::runPromptIfAccessRefused());
    }

    void settingsButtonOpensThePrivacyPaneFrom1014() {
        ScopedSystem system("10.14", refusing());
        ui::FullDiskAccessViewController controller;
        QTest::mouseClick(controller.settingsButton(), Qt::LeftButton);
        QCOMPARE(system.workspace->calls(),
                 std::vector<std::string>{std::string("openURL ") + ui::FullDiskAccessViewController::kPrivacySettingsURL});
    }

    void settingsButtonOpensNothingWithoutAPaneOrOn1013() {
        for (const auto& [version, pane] : {std::pair{"10.13", true}, std::pair{"10.15", false}}) {
            testsupport::LogCapture log;
            ScopedSystem system(version, refusing(pane));
            ui::FullDiskAccessViewController controller;
            controller.openSetView();
            QVERIFY(system.workspace->calls().empty());
            QCOMPARE(log.contains("no privacy settings pane"), !pane);
        }
    }

    void aboutWindowNamesTheApplicationAndClosesByItsButton() {
        ui::TCPreferenceWindowController controller;
        QCOMPARE(controller.name()->text(), QStringLiteral("Duridove"));
        QVERIFY(controller.verson()->text().startsWith(QStringLiteral("版本 ")));
        QVERIFY(!controller.Introduction()->text().isEmpty());
        QVERIFY(!controller.copyrightLine()->text().isEmpty());
        whenModal([&] { clickCloseButton(controller.window()); });
        ui::runModal(controller.window());
        QVERIFY(!controller.window()->isVisible());
    }

    void aboutLinkOpensInTheBrowser() {
        AboutLinkFixture fixture("https://duridove.example/about");
        ui::TCPreferenceWindowController controller;
        QTest::mouseClick(controller.aboutButton(), Qt::LeftButton);
        QCOMPARE(fixture.workspace->calls(), std::vector<std::string>{"openURL https://duridove.example/about"});
    }

    void anEmptyOrMissingAboutLinkOpensNothing_data() {
        QTest::addColumn<bool>("present");
        QTest::newRow("empty") << true;
        QTest::newRow("missing") << false;
    }
    void anEmptyOrMissingAboutLinkOpensNothing() {
        QFETCH(bool, present);
        testsupport::LogCapture log;
        AboutLinkFixture fixture(present ? "" : nullptr);
        ui::TCPreferenceWindowController controller;
        controller.aboutButtonAction();
        QVERIFY(fixture.workspace->calls().empty());
        QVERIFY(log.contains("AboutURL"));
    }
};

QTEST_MAIN(DialogsTest)
#include "tst_dialogs.moc"
