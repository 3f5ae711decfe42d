#include "platform/desktop/ProcRunningApplications.h"
#include "platform/desktop/RunningApplications.h"
#include "platform/hardware/SmartDevices.h"
#include "support/FakeSmartDevices.h"
#include "support/ManualExecutors.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "ui/kit/controls/TCImageButton.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/looks/Colors.h"
#include "ui/kit/tables/BgTableView.h"
#include "ui/kit/tables/HeaderCheckBox.h"
#include "ui/taskmanager/TaskManagerModel.h"
#include "ui/taskmanager/TaskManagerViewController.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <set>

using core::taskmanager::TaskManagerRows;
using ui::TaskManagerModel;
using ui::TaskManagerViewController;

extern char** environ;

namespace {

// The image buttons' usable flag, whose YES means usable.
bool usable(const ui::TextImageButton* button) { return button->isDisabled(); }

QColor textColor(const QLabel* label) { return label->palette().color(QPalette::WindowText); }

// The running-applications service answering with nothing.
class NoApplications : public platform::RunningApplications {
public:
    std::vector<platform::RunningApplication> runningApplications() override { return {}; }
};

// The real service, answering only for the processes this test started: programs another run or
// the user launched from a desktop entry are never listed, so "加速" can never reach them.
class OnlyTheseProcesses : public platform::RunningApplications {
public:
    explicit OnlyTheseProcesses(std::shared_ptr<platform::RunningApplications> real) : real_(std::move(real)) {}
    std::vector<platform::RunningApplication> runningApplications() override {
        auto applications = real_->runningApplications();
        applications.erase(std::remove_if(applications.begin(), applications.end(),
                                          [this](const auto& application) { return !pids.count(application.pid); }),
                           applications.end());
        return applications;
    }
    std::set<pid_t> pids;

private:
    std::shared_ptr<platform::RunningApplications> real_;
};

struct ScopedApplications {
    explicit ScopedApplications(std::shared_ptr<platform::RunningApplications> applications) {
        platform::RunningApplications::setShared(std::move(applications));
    }
    ~ScopedApplications() { platform::RunningApplications::setShared(nullptr); }
};

// Eight processors, each with the given user and system ticks out of 100.
std::string statText(int busy) {
    std::string text = "cpu  0 0 0 0 0 0 0 0 0 0\n";
    for (int cpu = 0; cpu < 8; ++cpu)
        text += "cpu" + std::to_string(cpu) + " " + std::to_string(busy * 5) + " 0 " + std::to_string(busy * 5) + " " +
                std::to_string(100 * busy - busy * 10) + " 0 0 0 0 0 0\n";
    return text + "intr 0\n";
}

// 1000 MiB of memory with the given KiB in use (all but what is available).
std::string meminfoText(int usedKiB) {
    const int total = 1024000;
    return "MemTotal: " + std::to_string(total) + " kB\nMemFree: 256000 kB\nMemAvailable: " +
           std::to_string(total - usedKiB) + " kB\nActive: 1024 kB\nInactive: 300000 kB\n";
}

// A program started from a desktop entry, as the desktop's launcher does it: the entry named in
// the environment of that very process.
pid_t launchFromEntry(const std::string& program, const std::string& entry) {
    std::vector<std::string> variables;
    for (char** variable = environ; *variable; ++variable) variables.emplace_back(*variable);
    variables.push_back("GIO_LAUNCHED_DESKTOP_FILE=" + entry);
    std::vector<char*> environment;
    for (auto& variable : variables) environment.push_back(variable.data());
    environment.push_back(nullptr);
    std::string script = "export GIO_LAUNCHED_DESKTOP_FILE_PID=$$; exec \"$0\" 600";
    std::string shell = "/bin/sh", option = "-c", name = program;
    char* arguments[] = {shell.data(), option.data(), script.data(), name.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, arguments, environment.data()) != 0) return -1;
    return pid;
}

// A program started plainly, as a session starts its own parts.
pid_t launch(const std::string& program) {
    std::string name = program, duration = "600";
    char* arguments[] = {name.data(), duration.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, arguments, environ) != 0) return -1;
    return pid;
}

// Ends and reaps the children a test started that are still there.
void endLeftovers(const std::vector<pid_t>& pids) {
    for (pid_t pid : pids)
        if (pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
}

bool runs(pid_t pid, const std::string& program) {
    std::error_code error;
    return std::filesystem::read_symlink("/proc/" + std::to_string(pid) + "/exe", error) == program;
}

QString shown(const TaskManagerViewController& page, int row, int column) {
    return page.listModel()->index(row, column).data().toString();
}

// A start-up disk whose S.M.A.R.T. data gives the temperature, installed as the shared one; its
// data page (byte 7: the temperature attribute's raw value) may be changed afterwards.
std::shared_ptr<testsupport::FakeSmartDevices> diskAt(uint8_t degrees) {
    auto devices = std::make_shared<testsupport::FakeSmartDevices>();
    devices->state->data = std::vector<uint8_t>(512, 0);
    devices->state->data[2] = 194;
    devices->state->data[7] = degrees;
    platform::SmartDevices::setShared(devices);
    return devices;
}

}  // namespace

class TaskManagerPageTest : public QObject {
    Q_OBJECT

private slots:
    void loadFiguresAndTemperature() {
        testsupport::ScopedEnvironment environment;
        environment.folder().writeFile("proc/stat", statText(0));
        environment.folder().writeFile("proc/meminfo", meminfoText(512000));
        environment.folder().writeFile("proc/vmstat", "pgpgin 0\npgpgout 0\npgfault 0\n");
        ScopedApplications applications(std::make_shared<NoApplications>());
        diskAt(36);

        TaskManagerViewController page(core::Executors::inlineExecutors());
        QCOMPARE(page.getViewID(), 1);
        QCOMPARE(page.timer().interval(), 3000);
        QCOMPARE(page.temTimer().interval(), 60000);
        QCOMPARE(page.TemperatureLabel()->text(), QStringLiteral("0°"));
        QCOMPARE(page.memoryLabel()->text(), QStringLiteral("50.0%"));
        QCOMPARE(textColor(page.memoryLabel()), getColor(78, 187, 71, 1));
        QVERIFY(!usable(page.closeBut()));

        page.changeCpuAndMemory();  // a sample of this stat to compare with
        environment.folder().writeFile("proc/stat", statText(1));
        environment.folder().writeFile("proc/meminfo", meminfoText(513024));
        page.changeCpuAndMemory();
        QCOMPARE(page.cpuLabel()->text(), QStringLiteral("10.0%"));
        QCOMPARE(textColor(page.cpuLabel()), getColor(78, 187, 71, 1));
        QCOMPARE(page.memoryLabel()->text(), QStringLiteral("50.1%"));
        QCOMPARE(textColor(page.memoryLabel()), getColor(208, 2, 27, 1));

        // A desktop with a large page cache: 18.9 % in use, as free(1) counts it.
        environment.folder().writeFile(
            "proc/meminfo", testsupport::readWholeFile(std::string(DURIDOVE_TEST_DATA) + "/proc/meminfo-page-cache"));
        page.changeCpuAndMemory();
        QCOMPARE(page.memoryLabel()->text(), QStringLiteral("18.9%"));

        page.setiTemperature();
        QCOMPARE(page.TemperatureLabel()->text(), QStringLiteral("36°"));
        platform::SmartDevices::setShared(nullptr);
    }

    // The disk (or udisks2 answering for it) is read on the global queue, never waited for on
    // the main thread: the label changes once that work has run, and each tick reads again.
    void theTemperatureIsReadOffTheMainThread() {
        testsupport::ScopedEnvironment environment;
        ScopedApplications applications(std::make_shared<NoApplications>());
        auto devices = diskAt(36);
        testsupport::ManualExecutors manual;
        TaskManagerViewController page(manual.executors());
        manual.runQueued();

        page.setiTemperature();
        QCOMPARE(page.TemperatureLabel()->text(), QStringLiteral("0°"));
        QCOMPARE(devices->state->dataReads, 0);
        manual.runQueued();
        QCOMPARE(page.TemperatureLabel()->text(), QStringLiteral("36°"));
        devices->state->data[7] = 41;
        page.setiTemperature();
        manual.runQueued();
        QCOMPARE(page.TemperatureLabel()->text(), QStringLiteral("41°"));
        platform::SmartDevices::setShared(nullptr);
    }

    // Two copies of a program started from a desktop entry in a temporary XDG data folder: the
    // page lists them, one quits by itself and shows 0 MB until the refresh, the other is
    // force-quit with "加速".
    void listsAndForceQuitsApplicationsStartedFromADesktopEntry() {
        testsupport::ScopedEnvironment environment([](auto& values) { values.procRoot = "/proc"; });
        // Names of this run's own (program and entry), so the entry names only this run's copies.
        const std::string program = environment.folder() / ("demo-app-" + std::to_string(getpid()));
        std::filesystem::copy_file("/bin/sleep", program);
        const std::string entry = environment.folder().writeFile(
            "data/applications/duridove-demo-" + std::to_string(getpid()) + ".desktop",
            "[Desktop Entry]\nType=Application\nName=Demo Editor.app\nExec=" + program + " 600\n");
        auto ours = std::make_shared<OnlyTheseProcesses>(std::make_shared<platform::ProcRunningApplications>(
            std::vector<std::string>{environment.folder() / "data/applications"}));
        ScopedApplications applications(ours);
        const pid_t first = launchFromEntry(program, entry);
        const pid_t second = launchFromEntry(program, entry);
        ours->pids = {first, second};
        // A failing check must not leave the copies holding the test runner until its timeout.
        const auto reapLeftovers = qScopeGuard([&] { endLeftovers({first, second}); });
        QVERIFY(first > 0 && second > 0);
        QTRY_VERIFY(runs(first, program) && runs(second, program));

        TaskManagerViewController page(core::Executors::inlineExecutors());
        page.resize(740, 600);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        const auto& rows = page.engine().rows();
        QCOMPARE(page.listModel()->rowCount(), 2);
        QCOMPARE(shown(page, 0, TaskManagerModel::Name), QStringLiteral("Demo Editor"));
        QCOMPARE(rows.allApplications()[0].pID, first);
        QCOMPARE(rows.allApplications()[1].pID, second);
        QVERIFY(rows.allApplications()[0].memSize > 0);
        QCOMPARE(rows.selectAllButSt(), int(TaskManagerRows::All));
        QVERIFY(usable(page.closeBut()));

        // The select-all box: none, then all again; a row's box makes it some.
        QTest::mouseClick(page.selectAllButton(), Qt::LeftButton);
        QCOMPARE(rows.selectAllButSt(), int(TaskManagerRows::None));
        QVERIFY(!usable(page.closeBut()));
        QVERIFY(!rows.allApplications()[0].bIsSelected);
        QTest::mouseClick(page.selectAllButton(), Qt::LeftButton);
        QCOMPARE(rows.selectAllButSt(), int(TaskManagerRows::All));
        QVERIFY(usable(page.closeBut()));
        const QRect secondRow = page.listTableView()->visualRect(page.listModel()->index(1, TaskManagerModel::ChcekBox));
        QTest::mouseClick(page.listTableView()->viewport(), Qt::LeftButton, {}, QPoint(31, secondRow.top() + 25));
        QCOMPARE(rows.selectAllButSt(), int(TaskManagerRows::Some));
        QVERIFY(!rows.allApplications()[1].bIsSelected);

        // The second quits: its row stays, at 0 MB, until the refresh.
        kill(second, SIGTERM);
        waitpid(second, nullptr, 0);
        page.changeCpuAndMemory();
        QCOMPARE(page.listModel()->rowCount(), 2);
        QCOMPARE(shown(page, 1, TaskManagerModel::Size), QStringLiteral("0 MB"));

        // "加速" kills the ticked one and takes its row away.
        QTest::mouseClick(page.closeBut(), Qt::LeftButton);
        int status = 0;
        QCOMPARE(waitpid(first, &status, 0), first);
        QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        QCOMPARE(page.listModel()->rowCount(), 1);
        QCOMPARE(rows.allApplications()[0].pID, second);
        QVERIFY(!usable(page.closeBut()));

        QTest::mouseClick(page.refButton(), Qt::LeftButton);
        QCOMPARE(page.listModel()->rowCount(), 0);
        QVERIFY(!usable(page.closeBut()));
    }

    // Entries shaped like those of openbox, GNOME Shell, Plasma's shell and Xfce's panel
    // settings, and each desktop part running under its entry's program name: none is listed,
    // and "加速" with every row ticked ends only the application the user started.
    void theDesktopsOwnPartsAreNeverListedNorEnded() {
        testsupport::ScopedEnvironment environment([](auto& values) { values.procRoot = "/proc"; });
        const std::string applications = environment.folder().makeFolder("data/applications");
        environment.folder().writeFile("data/applications/openbox.desktop",
                                       "[Desktop Entry]\nType=Application\nName=Openbox\nExec=openbox\nNoDisplay=true\n"
                                       "X-GNOME-Autostart-Phase=WindowManager\nX-GNOME-Provides=windowmanager\n");
        environment.folder().writeFile("data/applications/org.gnome.Shell.desktop",
                                       "[Desktop Entry]\nType=Application\nName=GNOME Shell\nExec=/usr/bin/gnome-shell\n"
                                       "Categories=GNOME;GTK;Core;\nNoDisplay=true\nX-GNOME-Provides=panel;windowmanager;\n");
        environment.folder().writeFile("data/applications/org.kde.plasmashell.desktop",
                                       "[Desktop Entry]\nType=Application\nName=Plasma\nExec=plasmashell\nNoDisplay=true\n");
        environment.folder().writeFile("data/applications/panel-preferences.desktop",
                                       "[Desktop Entry]\nType=Application\nName=Panel\nExec=xfce4-panel --preferences\n"
                                       "Categories=XFCE;GTK;Settings;DesktopSettings;X-XFCE-SettingsDialog;\n");
        const std::string program = environment.folder() / ("demo-app-" + std::to_string(getpid()));
        std::filesystem::copy_file("/bin/sleep", program);
        const std::string entry = environment.folder().writeFile(
            "data/applications/duridove-demo-" + std::to_string(getpid()) + ".desktop",
            "[Desktop Entry]\nType=Application\nName=Demo Editor\nExec=" + program + " 600\n");
        auto ours = std::make_shared<OnlyTheseProcesses>(
            std::make_shared<platform::ProcRunningApplications>(std::vector<std::string>{applications}));
        ScopedApplications running(ours);

        std::vector<pid_t> desktopParts;
        const auto reapLeftovers = qScopeGuard([&] { endLeftovers(desktopParts); });
        for (const char* name : {"openbox", "gnome-shell", "plasmashell", "xfce4-panel"}) {
            const std::string part = environment.folder().makeFolder(std::string("parts-") + name) + "/" + name;
            std::filesystem::copy_file("/bin/sleep", part);
            desktopParts.push_back(launch(part));
            QVERIFY(desktopParts.back() > 0);
            QTRY_VERIFY(runs(desktopParts.back(), part));
        }
        const pid_t application = launchFromEntry(program, entry);
        desktopParts.push_back(application);
        QTRY_VERIFY(runs(application, program));
        ours->pids = std::set<pid_t>(desktopParts.begin(), desktopParts.end());

        TaskManagerViewController page(core::Executors::inlineExecutors());
        QCOMPARE(page.listModel()->rowCount(), 1);
        QCOMPARE(shown(page, 0, TaskManagerModel::Name), QStringLiteral("Demo Editor"));
        QCOMPARE(page.engine().rows().selectAllButSt(), int(TaskManagerRows::All));

        QTest::mouseClick(page.closeBut(), Qt::LeftButton);
        int status = 0;
        QCOMPARE(waitpid(application, &status, 0), application);
        QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        for (size_t index = 0; index + 1 < desktopParts.size(); ++index)
            QCOMPARE(waitpid(desktopParts[index], nullptr, WNOHANG), 0);
    }
};

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    TaskManagerPageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_task_manager.moc"
