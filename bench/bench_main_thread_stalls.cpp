// The longest time the main thread's event loop does not turn (testsupport::StallMeter) while
// each page does its main actions on the demonstration root that scripts/junk-home lays out,
// and while the status item's panel opens: first with the machine's own services (a message
// bus of the bench's own standing for the session and system buses), then with one outside
// service at a time that never answers: the sound server, the message bus (its daemon stopped),
// child processes, the desktop's settings store and the list of running applications. Goal: no
// stall over 50 ms on the demonstration root and none over 100 ms with a service stalled.
//
// An action that waits for a stalled service cannot end: it is given a few seconds, the actions
// after it on that page are left out, and then the service answers and the page is dropped
// once its work is over. Before anything is measured every page is shown once and the panel
// opened once, as in the application, whose launch builds every page (fonts, pictures and the
// first windows are made then). Every action's figure is a counter of its page's benchmark; the
// table at the end gives the longest stall per page, and each stall over its goal is listed
// with the time the main thread ran, waited for a processor (the machine's load) and slept in
// it. Runs offscreen unless QT_QPA_PLATFORM says otherwise; nothing reaches the real home,
// settings or buses.
#include "core/largefiles/Controller.h"
#include "core/readings/GetSystemInfo.h"
#include "support/HangingDesktopPreferences.h"
#include "support/HangingOutputVolume.h"
#include "support/HangingProcessRunner.h"
#include "support/HangingRunningApplications.h"
#include "support/PrivateBus.h"
#include "support/ScopedEnvironment.h"
#include "support/StallMeter.h"
#include "ui/browser/InternetViewController.h"
#include "ui/disks/DiskViewController.h"
#include "ui/duplicates/DuplicateViewController.h"
#include "ui/duplicates/SameFileDeleteViewController.h"
#include "ui/junk/FastCleanViewController.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/desktop/Dispatch.h"
#include "ui/kit/windows/TCImageWindow.h"
#include "ui/largefiles/LagFileViewController.h"
#include "ui/largefiles/ListFileViewController.h"
#include "ui/panel/StatusBarView.h"
#include "ui/panel/StatusBarViewDelegate.h"
#include "ui/panel/StatusView.h"
#include "ui/shredder/FileShareController.h"
#include "ui/startup/StartupItemsViewController.h"
#include "ui/switches/HightActionViewController.h"
#include "ui/taskmanager/TaskManagerViewController.h"
#include "ui/uninstall/UninstallViewController.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QThreadPool>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

constexpr double kGoalOnTheDemonstrationRoot = 50;
constexpr double kGoalWithAServiceStalled = 100;
// How long an action may take before it counts as held by a stalled service.
constexpr auto kLongestAction = 20s;
constexpr auto kLongestActionWhileStalled = 3s;
// How long a stalled service holds a call at most: a wait for it on the main thread shows as a
// stall this long.
constexpr auto kLongestHold = 5s;

// The machine's services, or one of them stalled.
enum class Condition { DemonstrationRoot, SoundServer, MessageBus, ChildProcesses, SettingsStore, RunningApplications };

const char* nameOf(Condition condition) {
    switch (condition) {
        case Condition::DemonstrationRoot: return "demo root";
        case Condition::SoundServer: return "sound stalled";
        case Condition::MessageBus: return "bus stalled";
        case Condition::ChildProcesses: return "processes stalled";
        case Condition::SettingsStore: return "settings stalled";
        case Condition::RunningApplications: return "app list stalled";
    }
    return "";
}

// One condition's world: a fresh demonstration root and the services as the condition has them.
class World {
public:
    explicit World(Condition condition)
        : condition(condition), environment([](platform::Environment::Values& values) {
              values.loginName = "demo";
              values.procRoot = "/proc";
              values.sysRoot = "/sys";
          }) {
        const std::string command =
            std::string(DURIDOVE_SOURCE_DIR "/scripts/junk-home ") + environment.root() + " demo >/dev/null";
        if (std::system(command.c_str()) != 0) std::fprintf(stderr, "scripts/junk-home failed\n");
        stall();
    }
    ~World() {
        gate->open();
        bus.resume();
        platform::OutputVolume::setShared(nullptr);
        platform::ProcessRunner::setShared(nullptr);
        platform::DesktopPreferences::setShared(nullptr);
        platform::RunningApplications::setShared(nullptr);
    }

    std::string home() const { return environment.root() + "/Users/demo"; }
    // Lets the stalled service answer, so work that waited for it can end, and stalls it again.
    void release() {
        gate->open();
        bus.resume();
    }
    void stallAgain() {
        gate->close();
        if (condition == Condition::MessageBus) bus.stall(kLongestHold);
    }

private:
    void stall() {
        switch (condition) {
            case Condition::DemonstrationRoot: break;
            case Condition::SoundServer:
                platform::OutputVolume::setShared(std::make_shared<testsupport::HangingOutputVolume>(gate));
                break;
            case Condition::MessageBus: bus.stall(kLongestHold); break;
            case Condition::ChildProcesses:
                platform::ProcessRunner::setShared(std::make_shared<testsupport::HangingProcessRunner>(gate));
                break;
            case Condition::SettingsStore:
                platform::DesktopPreferences::setShared(std::make_shared<testsupport::HangingDesktopPreferences>(gate));
                break;
            case Condition::RunningApplications:
                platform::RunningApplications::setShared(std::make_shared<testsupport::HangingRunningApplications>(gate));
                break;
        }
    }

    const Condition condition;
    testsupport::ScopedEnvironment environment;
    testsupport::PrivateBus bus;
    std::shared_ptr<testsupport::ServiceGate> gate = std::make_shared<testsupport::ServiceGate>(kLongestHold);
};

// One action of a page: what the user does, when it has ended (no test: at once), and how long
// its aftermath (readings that come later, timers it starts) is watched after that.
struct Action {
    const char* name;
    std::function<void()> run;
    std::function<bool()> ended;
    std::chrono::milliseconds settle = 300ms;
};

// Dismisses every dialog that stays up for a while (Escape: its cancel or close button), so no
// modal loop waits for a user; what a dialog asks is not part of what is measured, and an
// action that answers its own question does so at once.
class DialogDismisser {
public:
    DialogDismisser() {
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [this] { dismissLingering(); });
        timer.start();
    }

private:
    static constexpr qint64 kLinger = 200;

    void dismissLingering() {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<ui::TCImageWindow*>(window);
            if (!dialog || !dialog->isVisible() || !dialog->isModal()) {
                firstSeen.remove(window);
                continue;
            }
            const qint64 seen = firstSeen.value(dialog, clock.elapsed());
            firstSeen.insert(dialog, seen);
            if (clock.elapsed() - seen < kLinger) continue;
            std::fprintf(stderr, "dismissed a dialog: %s\n", qPrintable(dialog->windowTitle()));
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(dialog, &escape);
        }
    }

    QTimer timer;
    QElapsedTimer clock = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    QHash<QWidget*, qint64> firstSeen;
};

// Runs the event loop until the action has ended or the time is up, then for the settling time.
bool turnUntil(const Action& action, std::chrono::milliseconds longest) {
    const auto ended = [&action] { return !action.ended || action.ended(); };
    QElapsedTimer clock;
    clock.start();
    while (!ended() && clock.elapsed() < longest.count()) {
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    const bool didEnd = ended();
    QEventLoop loop;
    QTimer::singleShot(action.settle, &loop, &QEventLoop::quit);
    loop.exec();
    return didEnd;
}

// Waits, turning the event loop, until every worker has finished and their results are in.
void drainWorkers() {
    while (!QThreadPool::globalInstance()->waitForDone(10)) QCoreApplication::processEvents();
    for (int round = 0; round < 20; ++round) QCoreApplication::processEvents();
}

// A page (or the panel) and what the user does on it, in order.
class PageBench {
public:
    virtual ~PageBench() = default;
    virtual std::vector<Action> actions() = 0;
    // Shows the page (opens and closes the panel) once, as the application's launch does before
    // any page is used, without measuring.
    virtual void warmUp() = 0;
};

// A tool page, made and shown by the first of its actions.
template <class Page>
class ToolPageBench : public PageBench {
public:
    void warmUp() override { showPage(); }

protected:
    void showPage() {
        page = std::make_unique<Page>();
        page->resize(740, 600);
        page->show();
    }

    std::unique_ptr<Page> page;
};

// The application's side of the status item.
struct PanelOwner : ui::StatusBarViewDelegate {
    void getSystemInfo() override {}
    void showMainWindow() override {}
    void freeUpButtonAction() override {}
    void optimizeButtonAction() override {}
};

class PanelBench : public PageBench {
public:
    PanelBench() {
        item.setDelegate(&owner);
        item.setIconGeometrySource([] { return QRect(400, 0, 24, 24); });
        item.setPointerSource([] { return QPoint(412, 12); });
    }
    std::vector<Action> actions() override {
        return {
            {"open", [this] { item.mouseDown(); }, {}, 1000ms},
            {"volume pop-up", [this] { item.statusView()->sonderButtonAction(); }},
            {"brightness pop-up", [this] { item.statusView()->lightButtonAction(); }},
            {"pop-up left", [this] { item.statusView()->mouseExitForPopVC(); }},
            {"close", [this] { item.mouseDown(); }},
        };
    }
    void warmUp() override {
        item.mouseDown();
        item.mouseDown();
    }

private:
    PanelOwner owner;
    ui::StatusBarView item;
};

class SwitchesBench : public ToolPageBench<ui::HightActionViewController> {
public:
    std::vector<Action> actions() override {
        return {
            {"states", [this] { showPage(); }, {}, 1500ms},
            {"dark switch", [this] { page->but_2Actton(); }, {}, 1000ms},
            {"appearance changed elsewhere", [this] { page->changeDarkModeBut(); }, {}, 1500ms},
        };
    }
};

class JunkBench : public ToolPageBench<ui::FastCleanViewController> {
public:
    std::vector<Action> actions() override {
        return {
            {"scan", [this] {
                 showPage();
                 page->beginScanFile();
             }, [this] { return page->detailView()->isVisible(); }},
            {"clean", [this] { page->beginCleanFile(); }, [this] { return page->isCanClick(); }},
        };
    }
};

class TaskManagerBench : public ToolPageBench<ui::TaskManagerViewController> {
public:
    std::vector<Action> actions() override {
        return {
            {"list", [this] { showPage(); }, {}, 1000ms},
            {"refresh", [this] { page->refButtonAction(); }, {}, 1000ms},
            {"load figures", [this] { page->changeCpuAndMemory(); }},
            {"temperature", [this] { page->setiTemperature(); }},
        };
    }
};

class UninstallBench : public ToolPageBench<ui::UninstallViewController> {
public:
    std::vector<Action> actions() override {
        return {
            {"list", [this] { showPage(); },
             [this] { return !page->isScan(); }},
            {"refresh", [this] { page->refButtonAction(); }, [this] { return !page->isScan(); }},
        };
    }
};

class BrowserBench : public ToolPageBench<ui::InternetViewController> {
public:
    std::vector<Action> actions() override {
        return {
            {"scan", [this] {
                 showPage();
                 page->checkOpenBrower();
             }, [this] { return page->detailBGView()->isVisible(); }},
            {"clean", [this] { page->cleanButtonAction(); },
             [this] { return page->isCanClick() && page->detailBGView()->isVisible(); }},
        };
    }
};

// Deletes what the search ticked, the confirmation answered with "删除".
class DuplicatesBench : public ToolPageBench<ui::DuplicateViewController> {
public:
    explicit DuplicatesBench(std::string folder) : folder(std::move(folder)) {}
    std::vector<Action> actions() override {
        return {
            {"search", [this] {
                 showPage();
                 logic().viewDragAction(QString::fromStdString(folder));
             }, [this] { return page->shownView() == logic().detailView(); }},
            {"delete", [this] {
                 confirmWhenAsked();
                 logic().removeBtnClicked();
             }, [this] { return logic().isCanClick() && logic().selection().allSelectNumArr().empty(); }},
        };
    }

private:
    ui::SameFileDeleteViewController& logic() const { return *page->sameFileDeleteVC(); }
    void confirmWhenAsked() {
        auto* poll = new QTimer(page.get());
        QObject::connect(poll, &QTimer::timeout, poll, [poll] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (!window->isVisible() || !qobject_cast<ui::TCImageWindow*>(window)) continue;
                for (auto* button : window->findChildren<ui::TextImageButton*>())
                    if (button->label()->text() == QStringLiteral("删除")) {
                        button->click();
                        poll->deleteLater();
                        return;
                    }
            }
        });
        poll->start(10);
    }

    std::string folder;
};

class LargeFilesBench : public ToolPageBench<ui::LagFileViewController> {
public:
    explicit LargeFilesBench(std::string folder) : folder(std::move(folder)) {}
    std::vector<Action> actions() override {
        return {
            {"scan", [this] {
                 showPage();
                 page->listFileVC()->startWithFolder(QString::fromStdString(folder));
             }, [this] { return page->listFileVC()->progressBgView()->isHidden() && !page->listFileVC()->isScan(); }},
        };
    }
    ~LargeFilesBench() override {
        core::largefiles::Controller::getController().stopScan();
        while (!core::largefiles::Controller::getController().isScanFinished()) QCoreApplication::processEvents();
    }

private:
    std::string folder;
};

class ShredderBench : public ToolPageBench<ui::FileShareController> {
public:
    explicit ShredderBench(QStringList paths) : paths(std::move(paths)) {}
    std::vector<Action> actions() override {
        return {
            {"add files", [this] {
                 showPage();
                 page->viewDragAction(paths);
             }, [this] { return page->listView()->isVisible(); }},
        };
    }

private:
    QStringList paths;
};

class StartupBench : public ToolPageBench<ui::StartupItemsViewController> {
public:
    std::vector<Action> actions() override {
        return {
            {"list", [this] { showPage(); }, {}, 1000ms},
            {"refresh", [this] { page->isCanClick(); }, {}, 1000ms},
        };
    }
};

class DisksBench : public ToolPageBench<ui::DiskViewController> {
public:
    std::vector<Action> actions() override {
        return {
            {"list", [this] {
                 showPage();
                 page->getallVolumes();
             }, [this] { return !page->allVolumeArr().empty(); }, 500ms},
        };
    }
};

using PageMaker = std::function<std::unique_ptr<PageBench>(const World& world)>;

const std::vector<std::pair<const char*, PageMaker>>& pages() {
    static const std::vector<std::pair<const char*, PageMaker>> all = {
        {"panel", [](const World&) { return std::make_unique<PanelBench>(); }},
        {"0 junk", [](const World&) { return std::make_unique<JunkBench>(); }},
        {"1 task manager", [](const World&) { return std::make_unique<TaskManagerBench>(); }},
        {"2 uninstaller", [](const World&) { return std::make_unique<UninstallBench>(); }},
        {"3 browsers", [](const World&) { return std::make_unique<BrowserBench>(); }},
        {"4 duplicates", [](const World& world) { return std::make_unique<DuplicatesBench>(world.home() + "/Documents"); }},
        {"5 large files", [](const World& world) { return std::make_unique<LargeFilesBench>(world.home()); }},
        {"6 shredder", [](const World& world) {
             return std::make_unique<ShredderBench>(QStringList{QString::fromStdString(world.home() + "/Documents")});
         }},
        {"7 startup items", [](const World&) { return std::make_unique<StartupBench>(); }},
        {"8 disks", [](const World&) { return std::make_unique<DisksBench>(); }},
        {"9 quick switches", [](const World&) { return std::make_unique<SwitchesBench>(); }},
    };
    return all;
}

// The world of the condition in hand, made afresh when the condition changes (benchmarks run in
// the order they were registered).
World& worldFor(Condition condition) {
    static std::unique_ptr<World> world;
    static Condition current = Condition::DemonstrationRoot;
    if (!world || current != condition) {
        world.reset();
        current = condition;
        world = std::make_unique<World>(condition);
    }
    return *world;
}

double goalOf(Condition condition) {
    return condition == Condition::DemonstrationRoot ? kGoalOnTheDemonstrationRoot : kGoalWithAServiceStalled;
}

// The longest stall per page and condition, for the table at the end, and each action's stall
// over its goal, with the main thread's share of it: ran, waited for a processor, slept.
std::map<std::string, std::map<Condition, double>> longestStalls;
std::vector<std::string> unfinished;
struct StallOverGoal {
    std::string action;
    Condition condition;
    testsupport::StallMeter::Gap gap;
};
std::vector<StallOverGoal> overGoal;

void measurePage(benchmark::State& state, Condition condition, const char* pageName, const PageMaker& make) {
    World& world = worldFor(condition);
    const auto longest = condition == Condition::DemonstrationRoot ? kLongestAction : kLongestActionWhileStalled;
    for (auto _ : state) {
        DialogDismisser dismisser;
        std::unique_ptr<PageBench> page = make(world);
        double pageLongest = 0;
        for (const Action& action : page->actions()) {
            testsupport::StallMeter meter;
            meter.start();
            action.run();
            const bool ended = turnUntil(action, longest);
            meter.stop();
            const testsupport::StallMeter::Gap gap = meter.longestGap();
            state.counters[action.name] = gap.total;
            pageLongest = std::max(pageLongest, gap.total);
            if (gap.total > goalOf(condition)) overGoal.push_back({std::string(pageName) + ": " + action.name, condition, gap});
            if (!ended) {
                unfinished.push_back(std::string(pageName) + ": " + action.name + " (" + nameOf(condition) + ")");
                break;
            }
        }
        state.SetIterationTime(pageLongest / 1000);
        longestStalls[pageName][condition] = pageLongest;
        world.release();
        drainWorkers();
        page.reset();
        drainWorkers();
        world.stallAgain();
    }
}

void printTable() {
    const Condition conditions[] = {Condition::DemonstrationRoot, Condition::SoundServer,   Condition::MessageBus,
                                    Condition::ChildProcesses,    Condition::SettingsStore, Condition::RunningApplications};
    std::printf("\nLongest stall of the main thread per page, in ms (goal: %.0f on the demo root, %.0f stalled)\n",
                kGoalOnTheDemonstrationRoot, kGoalWithAServiceStalled);
    std::printf("%-18s", "page");
    for (Condition condition : conditions) std::printf("%18s", nameOf(condition));
    std::printf("\n");
    for (const auto& [pageName, make] : pages()) {
        std::printf("%-18s", pageName);
        for (Condition condition : conditions) {
            const auto& row = longestStalls[pageName];
            auto found = row.find(condition);
            if (found == row.end()) {
                std::printf("%18s", "-");
                continue;
            }
            std::printf("%16.1f%s", found->second, found->second > goalOf(condition) ? " !" : "  ");
        }
        std::printf("\n");
    }
    for (const std::string& each : unfinished) std::printf("not ended (left after it): %s\n", each.c_str());
    for (const StallOverGoal& each : overGoal)
        std::printf("over the goal: %s (%s): %.1f ms, the main thread ran %.1f, waited for a processor %.1f, slept %.1f\n",
                    each.action.c_str(), nameOf(each.condition), each.gap.total, each.gap.running, each.gap.queued,
                    each.gap.sleeping());
}

}  // namespace

// Fonts, pictures and the first windows are made while the application launches, before a page
// or the panel is used: so here too, once, before anything is measured.
void warmUp() {
    World world(Condition::DemonstrationRoot);
    for (const auto& [pageName, make] : pages()) {
        std::unique_ptr<PageBench> page = make(world);
        page->warmUp();
        turnUntil({pageName, {}, {}, 100ms}, 0ms);
        drainWorkers();
    }
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The quick switches read and write the desktop's settings: never the user's own.
    qputenv("GSETTINGS_BACKEND", "memory");
    QApplication application(argc, argv);
    core::GetSystemInfo::setSharedExecutors(ui::Dispatch::executors());
    core::largefiles::Controller::setSharedExecutors(ui::Dispatch::executors());
    for (Condition condition : {Condition::DemonstrationRoot, Condition::SoundServer, Condition::MessageBus,
                                Condition::ChildProcesses, Condition::SettingsStore, Condition::RunningApplications})
        for (const auto& [pageName, make] : pages()) {
            const std::string name = std::string(nameOf(condition)) + "/" + pageName;
            benchmark::RegisterBenchmark(name.c_str(), [condition, pageName = pageName, make = make](benchmark::State& state) {
                measurePage(state, condition, pageName, make);
            })->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
        }
    benchmark::Initialize(&argc, argv);
    warmUp();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printTable();
    return 0;
}
