#include "core/readings/LoadFigures.h"
#include "core/taskmanager/TaskManagerEngine.h"
#include "platform/desktop/RunningApplications.h"
#include "platform/system/ProcessSignaller.h"
#include "support/FakeProcessSignaller.h"
#include "support/ScopedEnvironment.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <deque>
#include <filesystem>

using core::taskmanager::TaskManagerEngine;
using core::taskmanager::TaskManagerInfo;
using core::taskmanager::TaskManagerRows;

namespace {

// The running-applications service answering from a list the test changes.
class FixedApplications : public platform::RunningApplications {
public:
    std::vector<platform::RunningApplication> running;
    std::vector<platform::RunningApplication> runningApplications() override { return running; }
};

platform::RunningApplication application(pid_t pid, const std::string& name, uint64_t startTime = 500) {
    platform::RunningApplication running;
    running.pid = pid;
    running.name = name;
    running.startTime = startTime;
    running.icon = "icon-" + name;
    return running;
}

// Global work waits until the test runs it, in any order; main-queue work runs at once.
struct HeldGlobalQueue {
    std::deque<core::Task> held;
    core::Executors executors() {
        core::Executors made = core::Executors::inlineExecutors();
        made.global = [this](core::Task task) { held.push_back(std::move(task)); };
        return made;
    }
    void runAll() {
        while (!held.empty()) runAt(0);
    }
    void runAt(size_t index) {
        core::Task task = std::move(held[index]);
        held.erase(held.begin() + static_cast<long>(index));
        task();
    }
};

// A process table under the test's /proc root and a fake service over it.
class EngineFixture {
public:
    EngineFixture() {
        platform::RunningApplications::setShared(applications);
        engine = TaskManagerEngine::make(queue.executors(), reports());
    }
    ~EngineFixture() { platform::RunningApplications::setShared(nullptr); }

    void launch(pid_t pid, const std::string& name, uint64_t residentPages, uint64_t startTime = 500) {
        applications->running.push_back(application(pid, name, startTime));
        setResidentPages(pid, residentPages);
    }
    void setResidentPages(pid_t pid, uint64_t pages) const {
        environment.folder().writeFile("proc/" + std::to_string(pid) + "/statm",
                                       "9999 " + std::to_string(pages) + " 1 1 0 1 0\n");
    }
    void quit(pid_t pid) {
        auto& running = applications->running;
        running.erase(std::remove_if(running.begin(), running.end(), [&](const auto& each) { return each.pid == pid; }),
                      running.end());
        std::filesystem::remove_all(environment.folder() / ("proc/" + std::to_string(pid)));
    }

    std::vector<std::string> shown() const {
        std::vector<std::string> rows;
        for (const auto& row : engine->rows().allApplications())
            rows.push_back(row.displayName() + " " + row.sizeText() + (row.bIsSelected ? " ticked" : ""));
        return rows;
    }

    static uint64_t pagesOfMiB(double mib) { return static_cast<uint64_t>(mib * 1024 * 1024 / sysconf(_SC_PAGESIZE)); }

    testsupport::ScopedEnvironment environment;
    std::shared_ptr<FixedApplications> applications = std::make_shared<FixedApplications>();
    HeldGlobalQueue queue;
    std::shared_ptr<TaskManagerEngine> engine;
    int rowReports = 0;
    int sizeReports = 0;

private:
    TaskManagerEngine::Reports reports() {
        TaskManagerEngine::Reports made;
        made.rowsChanged = [this] { ++rowReports; };
        made.sizesChanged = [this] { ++sizeReports; };
        return made;
    }
};

}  // namespace

TEST(TaskManagerFigures, LoadTextsAndColours) {
    std::vector<core::CpuLoad> eightAtTen(8, core::CpuLoad{0.04, 0.06});
    auto cpu = core::averageCpuPercentage(eightAtTen, 8);
    ASSERT_TRUE(cpu);
    EXPECT_EQ(core::percentText(*cpu), "10.0%");
    EXPECT_FALSE(core::isHighLoad(*cpu));
    EXPECT_FALSE(core::averageCpuPercentage(eightAtTen, 4));
    EXPECT_FALSE(core::averageCpuPercentage({}, 8));
    EXPECT_EQ(core::averageCpuPercentage(std::vector<core::CpuLoad>(2, core::CpuLoad{0.7, 0.6}), 2), 100.0f);

    EXPECT_FALSE(core::isHighLoad(50.0f));
    EXPECT_TRUE(core::isHighLoad(50.1f));
    EXPECT_EQ(core::percentText(50.06f), "50.1%");
}

TEST(TaskManagerFigures, SizeAndNameTexts) {
    const std::pair<float, const char*> sizes[] = {
        {0, "0 MB"}, {12.4f, "12 MB"}, {1023.9f, "1024 MB"}, {1024, "1.0 GB"}, {3584, "3.5 GB"}};
    for (const auto& [memSize, text] : sizes) {
        TaskManagerInfo row;
        row.memSize = memSize;
        EXPECT_EQ(row.sizeText(), text) << memSize;
    }
    const std::pair<const char*, const char*> names[] = {
        {"Safari.app", "Safari"}, {"My.app Tool.app", "My Tool"}, {"Editor", "Editor"}, {".application", "lication"}};
    for (const auto& [name, shown] : names) {
        TaskManagerInfo row;
        row.name = name;
        EXPECT_EQ(row.displayName(), shown) << name;
    }
}

TEST(TaskManagerRows, SelectAllFollowsTheRowsAndTheButtonIsUnusableOnlyAtNone) {
    TaskManagerRows rows;
    rows.setAllSelectOrNoSelect();  // an empty list: the box still turns to all
    EXPECT_EQ(rows.selectAllButSt(), TaskManagerRows::All);
    EXPECT_TRUE(rows.isCloseButtonEnabled());
    EXPECT_TRUE(rows.selectedRows().empty());

    std::vector<TaskManagerInfo> found(3);
    for (int index = 0; index < 3; ++index) found[index].pID = 100 + index;
    rows.merge(found);
    EXPECT_EQ(rows.selectAllButSt(), TaskManagerRows::All);  // new rows come ticked

    rows.setAllSelectOrNoSelect();
    EXPECT_EQ(rows.selectAllButSt(), TaskManagerRows::None);
    EXPECT_FALSE(rows.isCloseButtonEnabled());
    EXPECT_TRUE(rows.selectedRows().empty());

    rows.setAllSelectOrNoSelect();
    EXPECT_EQ(rows.selectAllButSt(), TaskManagerRows::All);
    EXPECT_EQ(rows.selectedRows().size(), 3u);

    rows.changeCloseButtonState(1);
    EXPECT_EQ(rows.selectAllButSt(), TaskManagerRows::Some);
    EXPECT_TRUE(rows.isCloseButtonEnabled());
    rows.setAllSelectOrNoSelect();  // from some to all
    EXPECT_EQ(rows.selectAllButSt(), TaskManagerRows::All);

    for (int row : {0, 1, 2}) rows.changeCloseButtonState(row);
    EXPECT_EQ(rows.selectAllButSt(), TaskManagerRows::None);
    EXPECT_FALSE(rows.isCloseButtonEnabled());
    rows.changeCloseButtonState(7);  // no such row
    EXPECT_EQ(rows.selectAllButSt(), TaskManagerRows::None);
}

TEST(TaskManagerEngine, ListsApplicationsWithTheirMemoryAndKeepsQuitOnesUntilRefresh) {
    EngineFixture fixture;
    fixture.launch(getpid(), "Anything", 10);  // the program itself, by pid
    fixture.launch(300, "Duridove", 10);        // and by name
    fixture.launch(400, "Safari.app", EngineFixture::pagesOfMiB(1024));
    fixture.launch(500, "Editor", EngineFixture::pagesOfMiB(12));
    fixture.engine->getAllProcess();
    fixture.queue.runAll();
    EXPECT_EQ(fixture.shown(), (std::vector<std::string>{"Safari 1.0 GB ticked", "Editor 12 MB ticked"}));
    EXPECT_EQ(fixture.engine->rows().allApplications()[0].image, "icon-Safari.app");
    EXPECT_EQ(fixture.engine->rows().allApplications()[0].startTime, 500u);

    // A known process keeps its row and its tick; only its memory changes.
    fixture.engine->rows().changeCloseButtonState(1);
    fixture.setResidentPages(500, EngineFixture::pagesOfMiB(20));
    fixture.launch(600, "Mail", EngineFixture::pagesOfMiB(30));
    fixture.engine->getAllProcess();
    fixture.queue.runAll();
    EXPECT_EQ(fixture.shown(),
              (std::vector<std::string>{"Safari 1.0 GB ticked", "Editor 20 MB", "Mail 30 MB ticked"}));
    EXPECT_EQ(fixture.engine->rows().selectAllButSt(), TaskManagerRows::Some);

    // A quit application stays, at 0 MB, until the refresh.
    fixture.quit(400);
    fixture.engine->changeCpuAndMemory();
    fixture.queue.runAll();
    EXPECT_EQ(fixture.shown(), (std::vector<std::string>{"Safari 0 MB ticked", "Editor 20 MB", "Mail 30 MB ticked"}));
    const int rowReports = fixture.rowReports;
    fixture.engine->refButtonAction();
    fixture.queue.runAll();
    EXPECT_EQ(fixture.shown(), (std::vector<std::string>{"Editor 20 MB ticked", "Mail 30 MB ticked"}));
    EXPECT_EQ(fixture.rowReports, rowReports + 2);  // emptied, then rebuilt
}

TEST(TaskManagerEngine, AChangeCheckBuildsOnlyWhenTheCountDiffersAndMemoryPassesChangeOnlySizes) {
    EngineFixture fixture;
    fixture.launch(400, "Safari", EngineFixture::pagesOfMiB(100));
    fixture.engine->getAllProcess();
    fixture.queue.runAll();
    const int rowReports = fixture.rowReports;

    fixture.setResidentPages(400, EngineFixture::pagesOfMiB(200));
    fixture.engine->checkApp();
    fixture.engine->updateMemoryUsage();
    fixture.queue.runAll();
    EXPECT_EQ(fixture.rowReports, rowReports);
    EXPECT_EQ(fixture.sizeReports, 1);
    EXPECT_EQ(fixture.shown(), (std::vector<std::string>{"Safari 200 MB ticked"}));

    fixture.launch(500, "Editor", EngineFixture::pagesOfMiB(1));
    fixture.engine->checkApp();
    fixture.queue.runAll();
    EXPECT_EQ(fixture.rowReports, rowReports + 1);
    EXPECT_EQ(fixture.shown(), (std::vector<std::string>{"Safari 200 MB ticked", "Editor 1 MB ticked"}));
}

TEST(TaskManagerEngine, OverlappingBuildsDropTheOlderResult) {
    EngineFixture fixture;
    fixture.launch(400, "Safari", 1);
    fixture.engine->getAllProcess();  // reads the list when its work runs
    fixture.engine->getAllProcess();
    fixture.queue.runAt(1);  // the newer build answers first
    fixture.launch(500, "Editor", 1);
    fixture.queue.runAt(0);  // the older one, which would add Editor, is dropped
    EXPECT_EQ(fixture.shown(), (std::vector<std::string>{"Safari 0 MB ticked"}));

    // A build started before a refresh does not bring back what the refresh cleared.
    fixture.engine->getAllProcess();
    fixture.quit(400);
    fixture.engine->refButtonAction();
    fixture.queue.runAt(1);
    EXPECT_EQ(fixture.shown(), (std::vector<std::string>{"Editor 0 MB ticked"}));
    fixture.launch(400, "Safari", 1);
    fixture.queue.runAt(0);
    EXPECT_EQ(fixture.shown(), (std::vector<std::string>{"Editor 0 MB ticked"}));
}

TEST(TaskManagerEngine, APidGivenToAnotherProcessGetsThatProcesssRow) {
    EngineFixture fixture;
    fixture.launch(400, "Safari", 1, 500);
    fixture.engine->getAllProcess();
    fixture.queue.runAll();
    fixture.engine->rows().changeCloseButtonState(0);
    fixture.quit(400);
    fixture.launch(400, "Editor", 1, 900);
    fixture.engine->getAllProcess();
    fixture.queue.runAll();
    EXPECT_EQ(fixture.shown(), (std::vector<std::string>{"Editor 0 MB ticked"}));
    EXPECT_EQ(fixture.engine->rows().allApplications()[0].startTime, 900u);
}

TEST(TaskManagerEngine, ForceQuitSignalsOnlyTheTickedProcessesTheRowsWereMadeFor) {
    EngineFixture fixture;
    auto signaller = std::make_shared<testsupport::FakeProcessSignaller>();
    testsupport::ScopedProcessSignaller installed(signaller);
    signaller->run(400, 500);        // as listed
    signaller->run(500, 900);        // the pid was given to a later process
    signaller->run(600, 500, false); // survives the signal, as a refusal would leave it
    signaller->run(700, 500);        // unticked
    std::vector<TaskManagerInfo> rows;
    for (int pid : {0, -1, static_cast<int>(getpid()), 400, 500, 700}) {
        TaskManagerInfo row;
        row.pID = pid;
        row.startTime = 500;
        row.name = "p" + std::to_string(pid);
        rows.push_back(row);
    }
    fixture.engine->rows().merge(rows);
    fixture.engine->rows().changeCloseButtonState(5);

    fixture.engine->closeButtonAction();
    EXPECT_EQ(signaller->sent(), (std::vector<std::pair<platform::ProcessIdentity, int>>{{{400, 500}, SIGKILL}}));
    std::vector<int> left;
    for (const auto& row : fixture.engine->rows().allApplications()) left.push_back(row.pID);
    EXPECT_EQ(left, (std::vector<int>{0, -1, static_cast<int>(getpid()), 700}));
    EXPECT_EQ(fixture.engine->rows().selectAllButSt(), TaskManagerRows::Some);
}

TEST(TaskManagerEngine, AKillRefusedToAnUnprivilegedUserKeepsItsRow) {
    if (!testsupport::runningAsRoot()) GTEST_SKIP() << "needs root to start a process nobody may signal";
    testsupport::ScopedEnvironment environment([](auto& values) { values.procRoot = "/proc"; });
    pid_t child = fork();
    if (child == 0) {
        for (;;) pause();
    }
    auto identity = platform::ProcessSignaller::shared()->identify(child);
    ASSERT_TRUE(identity);
    std::string answer = testsupport::runAsNobody([&] {
        auto applications = std::make_shared<FixedApplications>();
        applications->running.push_back(application(child, "Root's", identity->startTime));
        platform::RunningApplications::setShared(applications);
        auto engine = TaskManagerEngine::make(core::Executors::inlineExecutors(), {});
        engine->getAllProcess();
        engine->closeButtonAction();
        return std::to_string(engine->rows().allApplications().size()) + " row";
    });
    EXPECT_EQ(answer, "1 row");
    int status = 0;
    EXPECT_EQ(waitpid(child, &status, WNOHANG), 0);  // still running
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
}
