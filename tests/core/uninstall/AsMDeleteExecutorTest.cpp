#include "core/uninstall/AsMDeleteExecutor.h"

#include "core/uninstall/AsMDeleteExecutorDelegate.h"
#include "support/FakePrivilegedSession.h"
#include "support/LogCapture.h"
#include "support/ManualExecutors.h"
#include "support/TempFolder.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

using core::uninstall::AMAppItem;
using core::uninstall::AMAppItemPtr;
using core::uninstall::AsMDeleteExecutor;
using Outcome = platform::PrivilegedSession::Outcome;
using Removal = platform::PrivilegedSession::Removal;

namespace {

using testsupport::exists;

// A record as the related-files scan lists it.
AMAppItemPtr recordAt(const std::string& path) {
    auto item = std::make_shared<AMAppItem>();
    item->path = path;
    item->name = std::filesystem::path(path).filename();
    item->chosen = platform::ChosenItem::take(path);
    return item;
}

std::vector<AMAppItemPtr> recordsAt(const std::vector<std::string>& paths) {
    std::vector<AMAppItemPtr> items;
    for (const auto& path : paths) items.push_back(recordAt(path));
    return items;
}

// Writes each report as "+name" (removed) or "-name" (not removed).
class RecordingDelegate : public core::uninstall::AsMDeleteExecutorDelegate {
public:
    std::string reports;
    void deleteRelatedFile(const AMAppItemPtr& item, const std::string&) override { reports += " +" + item->name; }
    void deleteRelatedFileFail(const AMAppItemPtr& item, const std::string&) override { reports += " -" + item->name; }
};

class AsMDeleteExecutorTest : public ::testing::Test {
protected:
    void SetUp() override { chmod(folder.path().c_str(), 0755); }  // nobody may look inside

    // Removes the paths with a fresh executor on the calling thread; the reports and the prompts.
    std::string removeAll(const std::vector<std::string>& paths) {
        RecordingDelegate delegate;
        auto executor = std::make_shared<AsMDeleteExecutor>(core::Executors::inlineExecutors(), session);
        executor->setDelegate(&delegate);
        executor->executeDelete(recordsAt(paths));
        return delegate.reports.substr(1) + " | prompts " + std::to_string(session->prompts);
    }
    // A root-owned file nobody may remove.
    std::string protectedFile(const std::string& name) { return folder.writeFile("system/" + name, "x"); }

    testsupport::TempFolder folder;
    std::shared_ptr<testsupport::FakePrivilegedSession> session = std::make_shared<testsupport::FakePrivilegedSession>();
};

}  // namespace

// Run as the user: their file and their read-only folder (opened to 0777 first) go with no prompt.
TEST_F(AsMDeleteExecutorTest, TheUsersOwnItemsGoWithoutAPrompt) {
    folder.makeFolder("mine");
    ASSERT_EQ(chown((folder / "mine").c_str(), testsupport::nobodyId, testsupport::nobodyId), 0);
    std::string answer = testsupport::runAsNobody([&] {
        std::string file = folder.writeFile("mine/file", "x");
        std::string readOnly = folder.writeFile("mine/read-only/inner", "x");
        chmod((folder / "mine/read-only").c_str(), 0555);
        std::string reports = removeAll({file, folder / "mine/read-only"});
        return reports + (exists(file) || exists(folder / "mine/read-only") ? " (left)" : "");
    });
    EXPECT_EQ(answer, "+file +read-only | prompts 0");
}

// Protected items of one window ask once; a refusal fails its item and the next one asks again.
TEST_F(AsMDeleteExecutorTest, TheRightIsAskedOncePerExecutorAndAgainAfterARefusal) {
    const std::vector<std::string> items = {protectedFile("a"), protectedFile("b"), protectedFile("c")};
    std::string granted = testsupport::runAsNobody([&] { return removeAll(items); });
    EXPECT_EQ(granted, "+a +b +c | prompts 1");

    session->answers = {Outcome::Refused};
    std::string refused = testsupport::runAsNobody([&] {
        testsupport::LogCapture log;
        std::string reports = removeAll(items);
        return reports + (log.contains("Alloc authorization failed!!!") ? " (logged)" : "");
    });
    EXPECT_EQ(refused, "-a +b +c | prompts 2 (logged)");
}

// A privileged removal counts only with status 0, no output and the item gone.
TEST_F(AsMDeleteExecutorTest, APrivilegedRemovalCountsOnlyWhenCleanSilentAndGone) {
    struct Case {
        Removal reply;
        const char* report;
    };
    const std::vector<Case> cases = {
        {{0, "", true}, "+a"},
        {{0, "rm: cannot remove 'a': Operation not permitted\n", true}, "-a"},
        {{1, "", true}, "-a"},
        {{0, "", false}, "-a"},
        {{128 + 9, "", false}, "-a"},
    };
    const std::string item = protectedFile("a");
    for (const auto& test : cases) {
        session->reply = test.reply;
        std::string answer = testsupport::runAsNobody([&] { return removeAll({item}); });
        EXPECT_EQ(answer, std::string(test.report) + " | prompts 1") << test.reply.exitStatus << test.reply.output;
    }
}

// An item listed twice, or gone before the run, is reported removed without asking for rights;
// one that could not be listed at all fails.
TEST_F(AsMDeleteExecutorTest, AnItemAlreadyGoneIsReportedRemovedWithoutAPrompt) {
    const std::string twice = folder.writeFile("app/twice", "x");
    const std::string vanished = folder.writeFile("app/vanished", "x");
    const std::vector<AMAppItemPtr> records = recordsAt({twice, twice, vanished, folder / "no-folder/item"});
    ASSERT_EQ(unlink(vanished.c_str()), 0);
    RecordingDelegate delegate;
    auto executor = std::make_shared<AsMDeleteExecutor>(core::Executors::inlineExecutors(), session);
    executor->setDelegate(&delegate);
    testsupport::LogCapture log;
    executor->executeDelete(records);
    EXPECT_EQ(delegate.reports, " +twice +twice +vanished -item");
    EXPECT_FALSE(exists(twice));
    EXPECT_EQ(session->prompts, 0);
    EXPECT_TRUE(log.contains("could not be reached when it was listed"));
}

// A folder swapped for a link after the items were listed is refused before any right is
// asked, and what the link points at stays.
TEST_F(AsMDeleteExecutorTest, AFolderSwappedForALinkAfterConfirmingIsRefused) {
    const std::string chosen = folder.writeFile("Caches/com.example/data", "x");
    const std::string lookAlike = folder.writeFile("elsewhere/com.example/data", "x");
    testsupport::ManualExecutors manual;
    RecordingDelegate delegate;
    auto executor = std::make_shared<AsMDeleteExecutor>(manual.executors(), session);
    executor->setDelegate(&delegate);
    executor->executeDelete(recordsAt({folder / "Caches/com.example"}));

    std::filesystem::rename(folder / "Caches", folder / "Caches-moved");
    std::filesystem::create_directory_symlink(folder / "elsewhere", folder / "Caches");
    manual.runQueued();

    EXPECT_EQ(delegate.reports, " -com.example");
    EXPECT_TRUE(exists(lookAlike));
    EXPECT_EQ(session->prompts, 0);
}

// The window may go while the run goes on: its reports are dropped, and the run still ends.
TEST_F(AsMDeleteExecutorTest, ARunOutlivesItsOwnerAndItsReportsAreDropped) {
    const std::vector<std::string> items = {folder.writeFile("first", "x"), folder.writeFile("second", "x")};
    testsupport::ManualExecutors manual;
    RecordingDelegate delegate;
    {
        auto executor = std::make_shared<AsMDeleteExecutor>(manual.executors(), session);
        executor->setDelegate(&delegate);
        executor->executeDelete(recordsAt(items));
        executor->setDelegate(nullptr);
    }
    manual.runQueued();
    EXPECT_EQ(delegate.reports, "");
    EXPECT_FALSE(exists(items[0]));
    EXPECT_FALSE(exists(items[1]));
}
