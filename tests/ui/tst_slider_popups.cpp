#include "support/FakeOutputVolume.h"
#include "support/FakeProcessRunner.h"
#include "support/PointerEvents.h"
#include "ui/kit/controls/ImageButton.h"
#include "ui/panel/CustomSlider.h"
#include "ui/panel/LightViewController.h"
#include "ui/panel/SonderViewController.h"

#include <QtTest>

#include <memory>

namespace {

struct Panel : ui::SonderVCDelegate, ui::LightVCDelegate {
    int exits = 0;
    void mouseExitForPopVC() override { ++exits; }
};

// A pop-up's view owns its controller.
template <class Controller>
struct PopUp {
    explicit PopUp(Panel* panel) : controller(new Controller(panel)), view(controller->view()) {}
    Controller* controller;
    std::unique_ptr<QWidget> view;
    ui::CustomSlider* slider() const { return controller->mySoundSlider(); }
    QString picture() const { return controller->closeSoundButton()->imageName(); }
    // A press on the slider, y points from its top (85 points high).
    void pressAt(int y) const {
        holdAt(y);
        QTest::mouseRelease(slider(), Qt::LeftButton);
    }
    // The button goes down and stays down, as at the start of a drag.
    void holdAt(int y) const { QTest::mousePress(slider(), Qt::LeftButton, {}, QPoint(slider()->width() / 2, y)); }
};

std::vector<std::string> lastArguments(const testsupport::FakeProcessRunner& runner) {
    auto calls = runner.calls();
    return calls.empty() ? std::vector<std::string>() : std::vector<std::string>(calls.back().begin() + 1, calls.back().end());
}

}  // namespace

class SliderPopUpsTest : public QObject {
    Q_OBJECT
    std::shared_ptr<testsupport::FakeOutputVolume> output;
    std::unique_ptr<testsupport::ScopedOutputVolume> installed;
    Panel panel;

private slots:
    void init() {
        output = std::make_shared<testsupport::FakeOutputVolume>();
        installed = std::make_unique<testsupport::ScopedOutputVolume>(output);
    }
    void cleanup() {
        QThreadPool::globalInstance()->waitForDone();
        installed.reset();
    }

    void volumeShownWithItsSpeaker_data() {
        QTest::addColumn<double>("reported");
        QTest::addColumn<double>("shown");
        QTest::addColumn<QString>("picture");
        QTest::newRow("half") << 0.5 << 50.0 << "ic_volume";
        QTest::newRow("half a percent") << 0.005 << 0.0 << "ic_volume_disable";
        QTest::newRow("louder than 1 reported") << 1.2 << 0.0 << "ic_volume_disable";
    }
    // Read off the main thread, shown once read.
    void volumeShownWithItsSpeaker() {
        QFETCH(double, reported);
        QFETCH(double, shown);
        QFETCH(QString, picture);
        output->reported = reported;
        PopUp<ui::SonderViewController> popUp(&panel);
        popUp.controller->changeSondValue();
        QTRY_COMPARE(popUp.picture(), picture);
        QTRY_COMPARE(popUp.slider()->doubleValue(), shown);
    }

    void sliderBottomIsTheLowestVolumeNotMute() {
        PopUp<ui::SonderViewController> popUp(&panel);
        popUp.pressAt(85);
        // The device's volume is set first and its mute after it, both on a worker.
        QTRY_COMPARE(output->mutesSet(), std::vector<bool>{false});
        QCOMPARE(output->volumesSet(), std::vector<double>{0.001});
        QCOMPARE(popUp.picture(), QString("ic_volume_disable"));

        popUp.pressAt(17);
        QTRY_COMPARE(output->volumesSet().back(), 0.8);
        QCOMPARE(popUp.picture(), QString("ic_volume"));

        popUp.slider()->setDoubleValue(50);
        popUp.controller->changeSound();
        QTRY_COMPARE(output->mutesSet(), (std::vector<bool>{false, false, false}));
        QCOMPARE(output->volumesSet().back(), 0.5);
    }

    void speakerButtonGivesTheLowestVolume() {
        PopUp<ui::SonderViewController> popUp(&panel);
        popUp.controller->closeSoundButton()->click();
        QTRY_COMPARE(output->volumesSet(), std::vector<double>{0.001});
        QCOMPARE(popUp.picture(), QString("ic_volume_disable"));
    }

    void aBurstOfVolumeMovesEndsAtTheLastValue() {
        PopUp<ui::SonderViewController> popUp(&panel);
        for (int value = 1; value <= 100; ++value) {
            popUp.slider()->setDoubleValue(value);
            popUp.controller->changeSound();
        }
        QThreadPool::globalInstance()->waitForDone();
        const auto set = output->volumesSet();
        QVERIFY(!set.empty());
        QCOMPARE(set.back(), 1.0);
        QVERIFY(std::is_sorted(set.begin(), set.end()));
    }

    // What the device holds is shown once a change has been tried, except under the user's
    // pointer: a volume the device refused gives way to the volume read back when the slider is
    // let go and read again.
    void aRefusedVolumeGivesWayToTheDevicesOnceLetGo() {
        output->setsSucceed = false;
        PopUp<ui::SonderViewController> popUp(&panel);
        popUp.holdAt(17);
        QTRY_COMPARE(output->volumesSet(), std::vector<double>{0.8});
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        QCOMPARE(popUp.slider()->doubleValue(), 80.0);
        QTest::mouseRelease(popUp.slider(), Qt::LeftButton);
        popUp.controller->changeSondValue();
        QTRY_COMPARE(popUp.slider()->doubleValue(), 50.0);
    }

    void aBrightnessNotAppliedGivesWayToTheLevelReadBack() {
        auto runner = std::make_shared<testsupport::FakeProcessRunner>();
        testsupport::ScopedProcessRunner installedRunner(runner);
        runner->answer({"-l"}, "display 0: brightness 0.750000\n");
        runner->fail({"0.300000"}, 1, "", "no logind\n");
        PopUp<ui::LightViewController> popUp(&panel);
        popUp.slider()->setDoubleValue(0.3);
        popUp.controller->changeLight();
        QTRY_COMPARE(popUp.slider()->doubleValue(), 0.75);

        // Every other level fails too; while the slider is dragged it stays under the pointer.
        popUp.holdAt(60);
        const double held = popUp.slider()->doubleValue();
        QTRY_COMPARE(runner->countOf({"-l"}), 2);
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        QCOMPARE(popUp.slider()->doubleValue(), held);
        QTest::mouseRelease(popUp.slider(), Qt::LeftButton);
    }

    void leavingAPopUpTellsThePanel() {
        PopUp<ui::LightViewController> popUp(&panel);
        const int before = panel.exits;
        testsupport::sendLeave(popUp.view.get());
        QCOMPARE(panel.exits, before + 1);
    }

    void brightnessReadFromTheTool() {
        auto runner = std::make_shared<testsupport::FakeProcessRunner>();
        testsupport::ScopedProcessRunner installedRunner(runner);
        runner->answer({"-l"}, "display 0: brightness 0.750000\n");
        PopUp<ui::LightViewController> popUp(&panel);
        popUp.controller->changeLightValue();
        QTRY_COMPARE(popUp.slider()->doubleValue(), 0.75);

        // A silent tool leaves the slider as it is.
        runner->answer({"-l"}, "");
        popUp.controller->changeLightValue();
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        QCOMPARE(popUp.slider()->doubleValue(), 0.75);
    }

    void aBurstOfBrightnessMovesEndsAtTheLastLevel() {
        auto runner = std::make_shared<testsupport::FakeProcessRunner>();
        testsupport::ScopedProcessRunner installedRunner(runner);
        runner->answerEveryOther("");
        PopUp<ui::LightViewController> popUp(&panel);
        for (int step = 1; step <= 40; ++step) {
            popUp.slider()->setDoubleValue(step / 40.0);
            popUp.controller->changeLight();
        }
        QThreadPool::globalInstance()->waitForDone();
        QCOMPARE(lastArguments(*runner), std::vector<std::string>{"1.000000"});

        popUp.controller->closeSoundButton()->click();
        QThreadPool::globalInstance()->waitForDone();
        QCOMPARE(lastArguments(*runner), std::vector<std::string>{"0.000000"});
        QCOMPARE(popUp.slider()->doubleValue(), 0.0);
    }

    void barFillsFromTheBottomUpToItsValue() {
        PopUp<ui::SonderViewController> popUp(&panel);
        popUp.slider()->setDoubleValue(50);  // 42.5 of the 85 points
        const QImage picture = popUp.slider()->grab().toImage();
        const int barMiddle = 10;
        QCOMPARE(picture.pixelColor(barMiddle, 80), QColor(58, 181, 73));
        QCOMPARE(picture.pixelColor(barMiddle, 10), QColor(51, 58, 72));
        for (QColor bar : {QColor(58, 181, 73), QColor(51, 58, 72)}) QVERIFY(picture.pixelColor(2, 80) != bar);
    }
};

QTEST_MAIN(SliderPopUpsTest)
#include "tst_slider_popups.moc"
