#include "core/kit/EuAuthorization.h"

#include "platform/files/FileDescriptor.h"

#include "support/FakePrivilegedSession.h"
#include "support/LogCapture.h"
#include "support/TempFolder.h"
#include "support/TreeDigest.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

using core::EuAuthorization;
using Outcome = platform::PrivilegedSession::Outcome;

namespace {

using testsupport::exists;

std::string modeText(const std::string& path) {
    struct stat info {};
    lstat(path.c_str(), &info);
    char text[8];
    std::snprintf(text, sizeof text, "%04o", info.st_mode & 07777);
    return text;
}

bool createAs(const std::string& path, mode_t mode) {
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, mode);
    return fd >= 0 && fchmod(fd, mode) == 0 && close(fd) == 0;
}

class EuAuthorizationTest : public ::testing::Test {
protected:
    void SetUp() override {
        session = std::make_shared<testsupport::FakePrivilegedSession>();
        EuAuthorization::setShared(std::make_shared<EuAuthorization>(session));
        chmod(folder.path().c_str(), 0755);  // nobody may look inside
    }
    void TearDown() override { EuAuthorization::setShared(nullptr); }

    static bool remove(const std::string& path) { return EuAuthorization::shareEuAuthorization()->synFastRemovePath(path); }
    std::string summary() const {
        std::string text = "prompts " + std::to_string(session->prompts);
        for (const auto& path : session->removed) text += " | " + path.substr(folder.path().size());
        return text;
    }

    testsupport::TempFolder folder;
    std::shared_ptr<testsupport::FakePrivilegedSession> session;
};

}  // namespace

TEST_F(EuAuthorizationTest, UserRemovableItemsNeverPrompt) {
    folder.makeFolder("mine");
    chmod((folder / "mine").c_str(), 0777);
    std::string answer = testsupport::runAsNobody([&] {
        std::string readOnly = folder / "mine/read-only";
        std::string tree = folder / "mine/tree";
        if (!createAs(readOnly, 0444) || mkdir(tree.c_str(), 0755) != 0 || !createAs(tree + "/inner", 0644))
            return std::string("cannot build");
        bool removed = remove(readOnly) && remove(tree);
        return std::string(removed && !exists(readOnly) && !exists(tree) ? "removed " : "left ") + summary();
    });
    EXPECT_EQ(answer, "removed prompts 0");
}

TEST_F(EuAuthorizationTest, TwoProtectedItemsPromptOnce) {
    folder.writeFile("system/first", "x");
    folder.writeFile("system/second/inner", "x");
    std::string answer = testsupport::runAsNobody([&] {
        testsupport::LogCapture log;
        bool removed = remove(folder / "system/first") && remove(folder / "system/second");
        return std::string(removed ? "yes " : "no ") + summary() +
               (log.contains("Set deletable attributed failed") ? " (logged)" : "");
    });
    EXPECT_EQ(answer, "yes prompts 1 | /system/first | /system/second (logged)");
    EXPECT_EQ(modeText(folder / "system/first"), "0644");  // what nobody could not change
}

TEST_F(EuAuthorizationTest, OpenedPermissionsArePutBackWhenTheItemStays) {
    folder.makeFolder("system");
    folder.makeFolder("shared");
    chmod((folder / "shared").c_str(), 0777);
    // The item is nobody's, so nobody may change its mode, but its folder is root's: it stays.
    std::string item = folder / "system/owned-by-nobody";
    ASSERT_TRUE(createAs(item, 0640));
    ASSERT_EQ(chown(item.c_str(), testsupport::nobodyId, testsupport::nobodyId), 0);
    std::string target = folder / "shared/target";
    ASSERT_TRUE(createAs(target, 0600));
    ASSERT_EQ(chown(target.c_str(), testsupport::nobodyId, testsupport::nobodyId), 0);
    std::string link = folder / "system/link";
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
    ASSERT_EQ(lchown(link.c_str(), testsupport::nobodyId, testsupport::nobodyId), 0);
    session->reply = {1, "rm: cannot remove\n", false};  // the privileged way fails too
    std::string result = testsupport::runAsNobody([&] {
        testsupport::LogCapture log;
        bool first = remove(item);
        bool second = remove(link);
        return std::string(first || second ? "removed" : "kept") + " " + modeText(item) + " " + modeText(target) +
               (log.contains("Set deletable attributed failed: not changing the permissions of the link") ? " (link)" : "");
    });
    EXPECT_EQ(result, "kept 0640 0600 (link)");
}

TEST_F(EuAuthorizationTest, RefusalMakesTheNextRemovalAskAgain) {
    session->answers = {Outcome::Refused};
    testsupport::LogCapture log;
    EXPECT_FALSE(EuAuthorization::removeItemAtPath(folder / "a"));
    EXPECT_TRUE(log.contains("Copy Rights failed: 126"));
    EXPECT_TRUE(EuAuthorization::removeItemAtPath(folder / "b"));
    EXPECT_TRUE(EuAuthorization::removeItemAtPath(folder / "c"));
    EXPECT_EQ(session->prompts, 2);
    EXPECT_EQ(session->removed.size(), 2u);
}

TEST_F(EuAuthorizationTest, UnavailableMechanismAndLostRightAreFailures) {
    session->answers = {Outcome::Unavailable};
    testsupport::LogCapture log;
    EXPECT_FALSE(EuAuthorization::removeItemAtPath(folder / "a"));
    EXPECT_TRUE(log.contains("Error Creating Initial Authorization"));
    auto shared = EuAuthorization::shareEuAuthorization();
    EXPECT_TRUE(shared->allocAuthorization());
    session->loseRight();
    EXPECT_TRUE(EuAuthorization::removeItemAtPath(folder / "b"));  // asks again
    EXPECT_EQ(session->prompts, 3);
    EXPECT_TRUE(shared->freeAuthorization());
    EXPECT_EQ(shared->getAuthorizationRet(), nullptr);
}

// Only a command that ended by itself with status 0, printed nothing and left nothing behind
// removed the item; a killed or timed-out one printed nothing either.
TEST_F(EuAuthorizationTest, OnlyAWholeSuccessCountsAsRemoved) {
    struct Case {
        platform::PrivilegedSession::Removal reply;
        bool removed;
    };
    const Case cases[] = {
        {{0, "", true}, true},
        {{1, "rm: cannot remove '/x': Operation not permitted\n", false}, false},
        {{128 + SIGKILL, "", false}, false},
        {{0, "", false}, false},
        {{0, "rm: warning\n", true}, false},
    };
    testsupport::LogCapture log;
    for (const Case& test : cases) {
        session->reply = test.reply;
        EXPECT_EQ(EuAuthorization::removeItemAtPath(folder / "x"), test.removed) << test.reply.exitStatus;
    }
    EXPECT_TRUE(log.contains("privileged removal of " + (folder / "x") + " failed (status 137, still there)"));
}

// The item was chosen as "chosen/victim"; "chosen" has become a link to another folder since.
TEST_F(EuAuthorizationTest, AFolderThatBecameALinkIsRefusedWithoutPrompting) {
    folder.writeFile("chosen/victim/data", "chosen");
    folder.writeFile("outside/victim/data", "precious");
    const std::string outside = testsupport::treeDigest(folder / "outside");
    ASSERT_EQ(rename((folder / "chosen").c_str(), (folder / "moved").c_str()), 0);
    ASSERT_EQ(symlink((folder / "outside").c_str(), (folder / "chosen").c_str()), 0);
    testsupport::LogCapture log;
    EXPECT_FALSE(remove(folder / "chosen/victim"));
    EXPECT_FALSE(EuAuthorization::removeItemAtPath(folder / "chosen/victim"));
    EXPECT_EQ(summary(), "prompts 0");
    EXPECT_TRUE(log.contains("not removing " + (folder / "chosen/victim") + ": a folder on its way has become a link"));
    EXPECT_EQ(testsupport::treeDigest(folder / "outside"), outside);
}

// A folder held open since the item was chosen is where the item goes from, with the user's
// rights and with the administrator's, whatever its path leads to now.
TEST_F(EuAuthorizationTest, AnOpenFolderIsWhereTheItemGoesFrom) {
    folder.writeFile("system/victim", "chosen");
    folder.writeFile("outside/victim", "precious");
    const std::string outside = testsupport::treeDigest(folder / "outside");
    platform::FileDescriptor held(open((folder / "system").c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    ASSERT_EQ(rename((folder / "system").c_str(), (folder / "moved").c_str()), 0);
    ASSERT_EQ(symlink((folder / "outside").c_str(), (folder / "system").c_str()), 0);
    std::string answer = testsupport::runAsNobody([&] {
        testsupport::LogCapture log;
        bool removed = EuAuthorization::shareEuAuthorization()->synFastRemoveAt(held.get(), "victim");
        return std::string(removed ? "yes " : "no ") + summary();
    });
    EXPECT_EQ(answer, "yes prompts 1 | /moved/victim");
    folder.writeFile("moved/mine", "x");
    EXPECT_TRUE(EuAuthorization::shareEuAuthorization()->synFastRemoveAt(held.get(), "mine"));
    EXPECT_FALSE(exists(folder / "moved/mine"));
    EXPECT_EQ(testsupport::treeDigest(folder / "outside"), outside);
}

TEST_F(EuAuthorizationTest, MissingPathGoesThePrivilegedWayAndSucceeds) {
    testsupport::LogCapture log;
    EXPECT_TRUE(remove(folder / "missing"));
    EXPECT_EQ(summary(), "prompts 1 | /missing");
}

TEST_F(EuAuthorizationTest, OverlongPathIsRefusedWithoutPrompting) {
    testsupport::LogCapture log;
    std::string longPath = folder.path() + "/" + std::string(PATH_MAX, 'a');
    EXPECT_FALSE(EuAuthorization::removeItemAtPath(longPath));
    EXPECT_FALSE(EuAuthorization::removeItemAtPath(folder.path() + std::string("/a\0b", 4)));
    EXPECT_EQ(session->prompts, 0);
    // A path of 300 characters is fine: the limit is PATH_MAX bytes, not 260 characters.
    EXPECT_TRUE(EuAuthorization::removeItemAtPath(folder.path() + "/" + std::string(300, 'b')));
}

TEST_F(EuAuthorizationTest, PathsTheHelperWouldRefuseFailWithoutPrompting) {
    testsupport::LogCapture log;
    for (const std::string& path : {std::string(), std::string("relative/item"), std::string("/"),
                                    folder.path() + "/a/../b", folder.path() + "/a/", folder.path() + "//a"})
        EXPECT_FALSE(EuAuthorization::removeItemAtPath(path)) << path;
    EXPECT_FALSE(remove(""));
    EXPECT_EQ(summary(), "prompts 0");
    EXPECT_TRUE(log.contains("not removing an unusable path (not an absolute path): relative/item"));
    EXPECT_TRUE(log.contains("not removing an unusable path (the root folder): /"));
}

TEST(EuAuthorizationShared, OneInstanceWithASessionOfItsOwn) {
    auto session = std::make_shared<testsupport::FakePrivilegedSession>();
    platform::PrivilegedSession::setFactory([session] { return session; });
    EuAuthorization::setShared(nullptr);
    auto first = EuAuthorization::shareEuAuthorization();
    EXPECT_EQ(first, EuAuthorization::shareEuAuthorization());
    EXPECT_TRUE(first->allocAuthorization());
    EXPECT_EQ(first->getAuthorizationRet(), session);
    EuAuthorization::setShared(nullptr);
    platform::PrivilegedSession::setFactory({});
}
