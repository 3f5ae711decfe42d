#include "core/kit/EuAuthorization.h"

#include "platform/files/ChosenItem.h"
#include "platform/privileged/PrivilegedProtocol.h"

#include "support/FakePrivilegedSession.h"
#include "support/LogCapture.h"
#include "support/TempFolder.h"
#include "support/TreeDigest.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <fcntl.h>
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

    static std::optional<platform::ChosenItem> listed(const std::string& path) { return platform::ChosenItem::take(path); }
    static bool remove(const std::string& path) {
        std::optional<platform::ChosenItem> item = listed(path);
        return item && EuAuthorization::shareEuAuthorization()->synFastRemove(*item) == EuAuthorization::Outcome::Removed;
    }
    // The privileged half alone, on a file of the test's own.
    EuAuthorization::Result privilegedResult(const std::string& name) const {
        const std::string path = folder.writeFile(name, "x");
        platform::ChosenItem item = *listed(path);
        platform::ItemRemoval::Folder reached = platform::ItemRemoval::reachFolder(item);
        return EuAuthorization::shareEuAuthorization()->authRemoveAt(reached.fd.get(), reached.name, item);
    }
    EuAuthorization::Outcome privileged(const std::string& name) const { return privilegedResult(name).outcome; }
    std::string summary() const {
        std::string text = "prompts " + std::to_string(session->prompts);
        for (const auto& path : session->removed) text += " | " + path.substr(folder.path().size());
        return text;
    }

    testsupport::TempFolder folder;
    std::shared_ptr<testsupport::FakePrivilegedSession> session;
};

using Removal = EuAuthorization::Outcome;

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

// The helper is asked once for both, each time with the identities the items were listed with.
TEST_F(EuAuthorizationTest, TwoProtectedItemsPromptOnce) {
    folder.writeFile("system/first", "x");
    folder.writeFile("system/second/inner", "x");
    const platform::ChosenItem first = *listed(folder / "system/first");
    std::string answer = testsupport::runAsNobody([&] {
        testsupport::LogCapture log;
        bool removed = remove(folder / "system/first") && remove(folder / "system/second");
        const auto& request = session->requests.front();
        const bool identities = request.folder == first.folder && request.item == first.item;
        return std::string(removed ? "yes " : "no ") + summary() +
               (log.contains("Set deletable attributed failed") ? " (logged)" : "") + (identities ? " (identities)" : "");
    });
    EXPECT_EQ(answer, "yes prompts 1 | /system/first | /system/second (logged) (identities)");
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
    session->reply = {1, "cannot remove\n", false};  // the privileged way fails too
    std::string result = testsupport::runAsNobody([&] {
        testsupport::LogCapture log;
        bool first = remove(item);
        bool second = remove(link);
        return std::string(first || second ? "removed" : "kept") + " " + modeText(item) + " " + modeText(target);
    });
    EXPECT_EQ(result, "kept 0640 0600");
}

TEST_F(EuAuthorizationTest, RefusalMakesTheNextRemovalAskAgain) {
    session->answers = {Outcome::Refused};
    testsupport::LogCapture log;
    EXPECT_EQ(privileged("a"), Removal::Failed);
    EXPECT_TRUE(log.contains("Copy Rights failed: 126"));
    EXPECT_EQ(privileged("b"), Removal::Removed);
    EXPECT_EQ(privileged("c"), Removal::Removed);
    EXPECT_EQ(session->prompts, 2);
    EXPECT_EQ(session->removed.size(), 2u);
}

TEST_F(EuAuthorizationTest, UnavailableMechanismAndLostRightAreFailures) {
    session->answers = {Outcome::Unavailable};
    testsupport::LogCapture log;
    EXPECT_EQ(privileged("a"), Removal::Failed);
    EXPECT_TRUE(log.contains("Error Creating Initial Authorization"));
    auto shared = EuAuthorization::shareEuAuthorization();
    EXPECT_TRUE(shared->allocAuthorization());
    session->loseRight();
    EXPECT_EQ(privileged("b"), Removal::Removed);  // asks again
    EXPECT_EQ(session->prompts, 3);
    EXPECT_TRUE(shared->freeAuthorization());
    EXPECT_EQ(shared->getAuthorizationRet(), nullptr);
}

// Only a helper that ended by itself with status 0, said nothing and left nothing behind
// removed the item; its refusal is a refusal, never a removal.
TEST_F(EuAuthorizationTest, OnlyAWholeSuccessCountsAsRemoved) {
    struct Case {
        platform::PrivilegedSession::Removal reply;
        Removal outcome;
    };
    const Case cases[] = {
        {{0, "", true}, Removal::Removed},
        {{1, "cannot remove /x: Operation not permitted\n", false}, Removal::Failed},
        {{128 + SIGKILL, "", false}, Removal::Failed},
        {{0, "", false}, Removal::Failed},
        {{0, "warning\n", true}, Removal::Failed},
        {{platform::PrivilegedProtocol::kRefusedStatus, "refused: /x: its folder is not the one that was chosen\n", false},
         Removal::Refused},
    };
    int index = 0;
    for (const Case& test : cases) {
        session->reply = test.reply;
        const std::string name = "x" + std::to_string(index++);
        const EuAuthorization::Result result = privilegedResult(name);
        EXPECT_EQ(result.outcome, test.outcome) << test.reply.exitStatus;
        if (test.reply.exitStatus == 128 + SIGKILL) {
            EXPECT_EQ(result.reason, "privileged removal of " + (folder / name) + " failed (status 137, still there)");
        }
        if (test.outcome == Removal::Refused) {
            EXPECT_EQ(result.reason, "/x: its folder is not the one that was chosen");
        }
    }
}

// The item was listed as "chosen/victim"; "chosen" has become a link to another folder, or
// has been exchanged with a look-alike, since.
TEST_F(EuAuthorizationTest, AFolderThatChangedSinceListingIsRefusedWithoutPrompting) {
    for (bool asLink : {true, false}) {
        testsupport::TempFolder place;
        place.writeFile("chosen/victim/data", "chosen");
        place.writeFile("outside/victim/data", "precious");
        const platform::ChosenItem item = *platform::ChosenItem::take(place.path(), place / "chosen/victim");
        const std::string outside = testsupport::treeDigest(place / "outside");
        if (asLink) {
            ASSERT_EQ(rename((place / "chosen").c_str(), (place / "moved").c_str()), 0);
            ASSERT_EQ(symlink((place / "outside").c_str(), (place / "chosen").c_str()), 0);
        } else {
            ASSERT_EQ(renameat2(AT_FDCWD, (place / "chosen").c_str(), AT_FDCWD, (place / "outside").c_str(), RENAME_EXCHANGE), 0);
        }
        testsupport::LogCapture log;
        EXPECT_EQ(EuAuthorization::shareEuAuthorization()->synFastRemove(item), Removal::Refused);
        EXPECT_EQ(summary(), "prompts 0");
        EXPECT_TRUE(log.contains(asLink ? "not removing " + item.path + ": a folder on its way has become a link"
                                        : "not removing " + item.path + ": the folder holding it has changed"));
        EXPECT_EQ(testsupport::treeDigest(place / (asLink ? "outside" : "chosen")), outside);
    }
}

// What could not be read while it was measured is never removed, with either right.
TEST_F(EuAuthorizationTest, AnItemNotReadWholeIsNeverRemoved) {
    folder.writeFile("junk/closed/secret", "x");
    platform::ChosenItem item = *listed(folder / "junk/closed");
    item.readWhole = false;
    testsupport::LogCapture log;
    EXPECT_EQ(EuAuthorization::shareEuAuthorization()->synFastRemove(item), Removal::Refused);
    EXPECT_TRUE(exists(folder / "junk/closed/secret"));
    EXPECT_EQ(summary(), "prompts 0");
    EXPECT_TRUE(log.contains("could not be read when it was measured"));
}

TEST_F(EuAuthorizationTest, AnItemGoneSinceListingAsksForNothing) {
    const platform::ChosenItem item = *listed(folder.writeFile("gone", "x"));
    ASSERT_EQ(unlink(item.path.c_str()), 0);
    EXPECT_EQ(EuAuthorization::shareEuAuthorization()->synFastRemove(item), Removal::Gone);
    EXPECT_EQ(summary(), "prompts 0");
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
