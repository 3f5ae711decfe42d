#include "core/kit/SettingsFile.h"
#include "platform/preferences/GSettingsPreferences.h"
#include "support/FakeBluez.h"
#include "support/FakeDesktopPreferences.h"
#include "support/FakeScreenSaver.h"
#include "support/HangingDesktopPreferences.h"
#include "support/KeyfileDesktopSettings.h"
#include "support/LogCapture.h"
#include "support/ManualExecutors.h"
#include "support/PrivateBus.h"
#include "support/ScopedEnvironment.h"
#include "support/ScopedVariable.h"
#include "support/StallMeter.h"
#include "support/TempFolder.h"
#include "ui/shell/AppDelegate.h"
#include "ui/switches/HightActionViewController.h"
#include "ui/switches/SwitchButton.h"

#include <QtTest>

#include <chrono>
#include <memory>

#include <sys/stat.h>

using platform::PlistValue;
using platform::Preference;
using std::chrono::milliseconds;

class QuickSwitchesTest : public QObject {
    Q_OBJECT
private:
    testsupport::ScopedEnvironment environment;
    std::shared_ptr<testsupport::FakeDesktopPreferences> fake;

    void useFakePreferences() {
        fake = std::make_shared<testsupport::FakeDesktopPreferences>();
        platform::DesktopPreferences::setShared(fake);
    }
    static void press(ui::HightActionViewController& page, int number) {
        QTest::mouseClick(page.button(number), Qt::LeftButton);
    }
    static void expectSwitch(const ui::HightActionViewController& page, int number, bool usable, const char* image,
                             const char* icon) {
        QCOMPARE(page.button(number)->isEnabled(), usable);
        QCOMPARE(page.button(number)->image(), QString(image));
        QCOMPARE(page.iconName(number), QString(icon));
    }

private slots:
    // Before anything reaches GSettings: the real keys live in a key file of this test.
    void initTestCase() { testsupport::KeyfileDesktopSettings::use(); }
    void cleanup() { platform::DesktopPreferences::setShared(nullptr); }

    void switchOneWithNothingStoredShowsOffAndItsFirstPressHidesTheIcons() {
        useFakePreferences();
        testsupport::ManualExecutors manual;
        ui::HightActionViewController page(manual.executors());
        manual.runQueued();
        expectSwitch(page, 1, true, "Disabled", "ic_desktop");

        press(page, 1);
        expectSwitch(page, 1, true, "Active", "ic_desk_off");
        QCOMPARE(fake->writeCount(Preference::CreateDesktop), 0);
        manual.runQueued();
        QCOMPARE(fake->copyValue(Preference::CreateDesktop), PlistValue(false));
        expectSwitch(page, 1, true, "Active", "ic_desk_off");
    }

    void aSwitchWhoseChangeFailedShowsTheStateItReallyHas() {
        useFakePreferences();
        fake->store(Preference::DoNotDisturb, PlistValue(false));
        fake->failWrites(Preference::DoNotDisturb);
        testsupport::ManualExecutors manual;
        ui::HightActionViewController page(manual.executors());
        manual.runQueued();
        press(page, 6);
        expectSwitch(page, 6, true, "Active", "ic_notice_close");
        manual.runQueued();
        expectSwitch(page, 6, true, "Disabled", "ic_notice");
    }

    void aSecondDarkPressWithinTwoSecondsFindsTheButtonDisabled() {
        useFakePreferences();
        testsupport::ManualExecutors manual;
        ui::HightActionViewController page(manual.executors());
        manual.runQueued();
        press(page, 2);
        QVERIFY(page.isAppSet());
        manual.runQueued();
        expectSwitch(page, 2, false, "Active", "ic_dark");
        QCOMPARE(fake->copyValue(Preference::AppleInterfaceStyle), PlistValue("Dark"));

        manual.advance(milliseconds(1999));
        press(page, 2);
        manual.runQueued();
        QCOMPARE(fake->writeCount(Preference::AppleInterfaceStyle), 1);
        manual.advance(milliseconds(1));
        QVERIFY(!page.isAppSet());
        expectSwitch(page, 2, true, "Active", "ic_dark");
    }

    void nightShiftBelow1014AndSwitchesWithoutBackingAreUnusable() {
        // No screen saver command, no idle inhibitor service, no Bluetooth adapter.
        testsupport::PrivateBus emptyBus;
        testsupport::TempFolder noPrograms;
        testsupport::ScopedVariable path("PATH", noPrograms.path());
        testsupport::ScopedEnvironment oldSystem([](platform::Environment::Values& values) { values.systemVersion = "10.13"; });
        QVERIFY(core::SettingsFile::setValue("openNight", PlistValue(true)));
        useFakePreferences();
        fake->makeUnavailable(Preference::CreateDesktop);
        fake->makeUnavailable(Preference::DockAutohide);
        testsupport::ManualExecutors manual;
        ui::HightActionViewController page(manual.executors());
        manual.runQueued();
        struct Expected {
            int number;
            bool usable;
            const char* icon;
        };
        const Expected switches[] = {{1, false, "ic_desktop"}, {2, true, "ic_light"},      {3, true, "ic_hide"},
                                     {4, false, "ic_screensaver"}, {5, false, "ic_awake"}, {6, true, "ic_notice"},
                                     {7, false, "ic_Night"},   {8, false, "ic_dock"},      {9, false, "ic_bluetooth"}};
        for (const Expected& expected : switches) expectSwitch(page, expected.number, expected.usable, "Disabled", expected.icon);
        press(page, 7);
        press(page, 8);
        expectSwitch(page, 7, false, "Disabled", "ic_Night");
        QCOMPARE(fake->writeCount(Preference::DockAutohide), 0);
    }

    void theScreenSaverStartsAndItsPicturesStay() {
        testsupport::TempFolder programs;
        const std::string called = programs / "called";
        programs.writeFile("xdg-screensaver", "#!/bin/sh\necho \"$@\" > '" + called + "'\n");
        QVERIFY(chmod((programs / "xdg-screensaver").c_str(), 0755) == 0);
        testsupport::ScopedVariable path("PATH", programs.path());
        useFakePreferences();
        testsupport::ManualExecutors manual;
        ui::HightActionViewController page(manual.executors());
        manual.runQueued();
        expectSwitch(page, 4, true, "Disabled", "ic_screensaver");
        press(page, 4);
        manual.runQueued();
        QCOMPARE(testsupport::readWholeFile(called), std::string("activate\n"));
        expectSwitch(page, 4, true, "Disabled", "ic_screensaver");
    }

    void bluetoothShowsTheAdaptersRealPowerAfterAFailedChangeAndAfterChangesElsewhere() {
        testsupport::PrivateBus bus;
        testsupport::FakeBluez bluez(bus.address(), {{"hci0", false, true}});
        useFakePreferences();
        testsupport::ManualExecutors manual;
        ui::HightActionViewController page(manual.executors());
        manual.runQueued();
        expectSwitch(page, 9, true, "Disabled", "ic_bluetooth");

        testsupport::LogCapture log;
        press(page, 9);
        QCOMPARE(page.button(9)->image(), QString("Active"));
        manual.runQueued();
        expectSwitch(page, 9, true, "Disabled", "ic_bluetooth");
        QVERIFY(log.contains("Bluetooth left as it was: blueutil -p 1 failed (exit status 1)"));
        QVERIFY(log.contains("Blocked through rfkill"));

        bluez.setBlocked("hci0", false);
        bluez.powerFromOutside("hci0", true);
        QVERIFY(manual.waitForQueued(milliseconds(5000)));
        manual.runQueued();
        expectSwitch(page, 9, true, "Active", "ic_bluetooth");
        press(page, 9);
        manual.runQueued();
        QVERIFY(!bluez.isPowered("hci0"));
        expectSwitch(page, 9, true, "Disabled", "ic_bluetooth");
    }

    // The real desktop keys, changed through the page's buttons (Night Shift through nshift).
    void theSwitchesChangeTheDesktopKeys() {
        const auto& settings = testsupport::KeyfileDesktopSettings::use();
        platform::GSettingsPreferences desktop;
        for (Preference preference : {Preference::AppleInterfaceStyle, Preference::AppleShowAllFiles, Preference::DoNotDisturb})
            QVERIFY(desktop.setValue(preference, false));
        QVERIFY(core::SettingsFile::setValue("openNight", PlistValue(false)));
        ui::HightActionViewController page;
        QTRY_VERIFY(page.button(7)->isEnabled());

        press(page, 2);
        QTRY_COMPARE(settings.storedValue("/org/gnome/desktop/interface/", "color-scheme"), std::string("'prefer-dark'"));
        press(page, 3);
        QTRY_COMPARE(settings.storedValue("/org/gtk/gtk4/settings/file-chooser/", "show-hidden"), std::string("true"));
        QTRY_COMPARE(settings.storedValue("/org/gtk/settings/file-chooser/", "show-hidden"), std::string("true"));
        press(page, 6);
        QTRY_COMPARE(settings.storedValue("/org/gnome/desktop/notifications/", "show-banners"), std::string("false"));
        press(page, 7);
        QTRY_VERIFY(core::SettingsFile::valueForKey("openNight").toBool());
        QTRY_COMPARE(settings.storedValue("/org/gnome/settings-daemon/plugins/color/", "night-light-enabled"), std::string("true"));
        for (int number : {2, 3, 6, 7}) QTRY_COMPARE(page.button(number)->image(), QString("Active"));
    }

    // The desktop's settings store accepts the change and then cannot keep it (dconf without a
    // session bus): Night Shift shows off, and the settings file still says off.
    void nightShiftShowsOffWhenTheDesktopCouldNotKeepTheChange() {
        QVERIFY(core::SettingsFile::setValue("openNight", PlistValue(false)));
        testsupport::TempFolder runtime;
        testsupport::ScopedVariable backend("GSETTINGS_BACKEND", "dconf");
        testsupport::ScopedVariable bus("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + runtime / "no-bus");
        testsupport::ScopedVariable runtimeFolder("XDG_RUNTIME_DIR", runtime.path());
        testsupport::LogCapture log;
        ui::HightActionViewController page;
        QTRY_VERIFY(page.button(7)->isEnabled());
        press(page, 7);
        QCOMPARE(page.button(7)->image(), QString("Active"));
        QTRY_VERIFY(log.contains("Night Shift left as it was: nshift 50 failed (exit status 1)"));
        QTRY_COMPARE(page.button(7)->image(), QString("Disabled"));
        expectSwitch(page, 7, true, "Disabled", "ic_Night");
        QVERIFY(!core::SettingsFile::valueForKey("openNight").toBool());
    }

    void anOutsideChangeShowsAfterOneSecondUnlessThePageHasJustChangedIt() {
        useFakePreferences();
        testsupport::ManualExecutors manual;
        ui::HightActionViewController page(manual.executors());
        manual.runQueued();
        expectSwitch(page, 2, true, "Disabled", "ic_light");

        fake->store(Preference::AppleInterfaceStyle, PlistValue("Dark"));
        page.changeDarkModeBut();
        manual.advance(milliseconds(999));
        expectSwitch(page, 2, false, "Disabled", "ic_light");
        manual.advance(milliseconds(1));
        expectSwitch(page, 2, true, "Active", "ic_dark");

        press(page, 2);
        manual.runQueued();
        expectSwitch(page, 2, false, "Disabled", "ic_light");
        fake->store(Preference::AppleInterfaceStyle, PlistValue("Dark"));
        page.changeDarkModeBut();
        manual.advance(milliseconds(2000));
        expectSwitch(page, 2, true, "Disabled", "ic_light");
    }

    // Through the application: the appearance's change signal reaches the page.
    void anOutsideChangeReachesThePageThroughTheApplication() {
        platform::GSettingsPreferences outside;
        QVERIFY(outside.setValue(Preference::AppleInterfaceStyle, false));
        ui::AppDelegate shell;
        shell.launch();
        QTRY_VERIFY(shell.isLaunchComplete());
        auto* page = shell.window()->findChild<ui::HightActionViewController*>();
        QVERIFY(page);
        QTRY_VERIFY(page->button(2)->isEnabled());
        QCOMPARE(page->button(2)->image(), QString("Disabled"));

        QVERIFY(outside.setValue(Preference::AppleInterfaceStyle, true));
        QTRY_VERIFY(!page->button(2)->isEnabled());
        QTRY_COMPARE(page->button(2)->image(), QString("Active"));
        QVERIFY(page->button(2)->isEnabled());
    }

    // The settings store and the system bus are only ever waited for off the main thread: with
    // a store that never answers and a bus whose daemon is stopped, the page opens, its dark
    // switch flips at once when pressed and a change made elsewhere is taken, while the event
    // loop keeps turning (a generous bound: a wait would hold the loop for ten seconds).
    void theLoopKeepsTurningWhileTheSettingsAndTheBusNeverAnswer() {
        testsupport::PrivateBus bus;
        auto gate = std::make_shared<testsupport::ServiceGate>();
        platform::DesktopPreferences::setShared(std::make_shared<testsupport::HangingDesktopPreferences>(gate));
        bus.stall();
        testsupport::StallMeter meter;
        meter.start();
        {
            ui::HightActionViewController page;
            page.but_2Actton();
            QCOMPARE(page.button(2)->image(), QString("Active"));
            page.reSetIsAppSet();
            page.changeDarkModeBut();
            QTest::qWait(1100);
            QVERIFY(gate->calls() > 0);
            QVERIFY2(meter.longestMilliseconds() < 1000, qPrintable(QString::number(meter.longestMilliseconds())));
            gate->open();
            bus.resume();
            QThreadPool::globalInstance()->waitForDone();
        }
    }

    // Last: it runs the application's event loop to its end, as quitting does.
    void stayAwakeOnOffOnHoldsOneInhibitorAndQuittingGivesItBack() {
        testsupport::PrivateBus bus;
        testsupport::FakeScreenSaver screenSaver(bus.address());
        useFakePreferences();
        testsupport::ManualExecutors manual;
        ui::HightActionViewController page(manual.executors());
        manual.runQueued();
        expectSwitch(page, 5, true, "Disabled", "ic_awake");
        for (const char* image : {"Active", "Disabled", "Active"}) {
            press(page, 5);
            manual.runQueued();
            QCOMPARE(page.button(5)->image(), QString(image));
        }
        QCOMPARE(screenSaver.heldCount(), 1);
        QCOMPARE(screenSaver.inhibitCalls(), 2);

        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
        QCOMPARE(screenSaver.heldCount(), 0);
    }
};

QTEST_MAIN(QuickSwitchesTest)
#include "tst_quick_switches.moc"
