#include "platform/privileged/PkexecPrivilegedSession.h"
#include "platform/files/ChosenItem.h"
#include "platform/files/PathText.h"
#include "platform/system/PosixProcessRunner.h"
#include "platform/privileged/PrivilegedProtocol.h"

#include "support/Exchanger.h"
#include "support/LogCapture.h"
#include "support/TempFolder.h"
#include "support/TreeDigest.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

using platform::PkexecPrivilegedSession;
using platform::PrivilegedProtocol;
using Outcome = platform::PrivilegedSession::Outcome;

namespace {

const std::string helper = std::string(DURIDOVE_BIN_DIR) + "/" + PkexecPrivilegedSession::kHelperName;

using testsupport::exists;

size_t occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

// Splits the helper's whole output into its replies, as "<status>:<gone>:<output>".
std::vector<std::string> replies(std::string output) {
    std::vector<std::string> result;
    while (!output.empty()) {
        size_t end = output.find('\n');
        auto header = PrivilegedProtocol::parseReplyLine(output.substr(0, end));
        if (end == std::string::npos || !header) {
            result.push_back("malformed: " + output);
            break;
        }
        result.push_back(std::to_string(header->exitStatus) + ":" + (header->gone ? "1:" : "0:") +
                         output.substr(end + 1, header->length));
        output.erase(0, end + 1 + header->length);
    }
    return result;
}

using Request = PrivilegedProtocol::Request;

// A request for the item at path with the identities it has now, as the application lists it.
Request requestFor(const std::string& path) {
    const std::optional<platform::ChosenItem> item = platform::ChosenItem::take(path);
    if (item) return {path, item->folder, item->item};
    // Nothing there: the request names what is in its folder now.
    const std::optional<platform::ListedFolder> folder = platform::ListedFolder::of(platform::parentPath(path));
    return {path, folder ? folder->identity : platform::FileIdentity{}, {}};
}

// The helper's whole run over the given input; its replies after "ready".
std::vector<std::string> runHelperOn(const std::string& input) {
    platform::PosixProcessRunner runner;
    auto result = runner.run({{helper}, std::chrono::seconds(60), input});
    if (!result.succeeded() || result.output.rfind("ready\n", 0) != 0) return {"failed: " + result.errorOutput};
    return replies(result.output.substr(6));
}

std::vector<std::string> runHelper(const std::vector<Request>& requests) {
    std::string input;
    for (const auto& request : requests) input += PrivilegedProtocol::request(request);
    return runHelperOn(input);
}

const std::string kRefused = "64:0:refused: ";

}  // namespace

TEST(PrivilegedHelper, RefusesUnsafePathsAndEndsWithItsInput) {
    testsupport::TempFolder folder;
    folder.writeFile("tree/inner/file", "x");
    folder.writeFile("-rf", "x");
    auto answers = runHelper({requestFor("relative/path"), requestFor("/"), requestFor(folder.path() + "//tree"),
                              requestFor(folder.path() + "/tree/../tree"), requestFor(folder / "missing"),
                              requestFor(folder / "tree"), requestFor(folder / "-rf"), requestFor(folder / "missing/below")});
    ASSERT_EQ(answers.size(), 8u) << answers.front();
    EXPECT_EQ(answers[0], kRefused + "relative/path: not an absolute path\n");
    EXPECT_EQ(answers[1], kRefused + "/: the root folder\n");
    EXPECT_EQ(answers[2].rfind(kRefused + folder.path() + "//tree: not a normalised path", 0), 0u);
    EXPECT_EQ(answers[3].rfind(kRefused + folder.path() + "/tree/../tree: not a normalised path", 0), 0u);
    EXPECT_EQ(answers[4], "0:1:");  // nothing there is nothing to remove
    EXPECT_EQ(answers[5], "0:1:");
    EXPECT_EQ(answers[6], "0:1:");  // a name that looks like an option is still a name
    EXPECT_EQ(answers[7], "0:1:");
    EXPECT_FALSE(exists(folder / "tree"));
    EXPECT_FALSE(exists(folder / "-rf"));
}

// The application listed "chosen/victim"; before root acts, "chosen" has become a link to a
// folder the user did not choose.
TEST(PrivilegedHelper, RefusesAPathWhoseFolderBecameALink) {
    testsupport::TempFolder folder;
    folder.writeFile("chosen/victim/data", "chosen");
    folder.writeFile("outside/victim/data", "precious");
    const std::vector<Request> requests{requestFor(folder / "chosen/victim"), requestFor(folder / "chosen/victim/data")};
    const std::string outside = testsupport::treeDigest(folder / "outside");
    ASSERT_EQ(rename((folder / "chosen").c_str(), (folder / "moved").c_str()), 0);
    ASSERT_EQ(symlink((folder / "outside").c_str(), (folder / "chosen").c_str()), 0);
    auto answers = runHelper({requests[0], requests[1], requestFor(folder / "chosen")});
    ASSERT_EQ(answers.size(), 3u) << answers.front();
    EXPECT_EQ(answers[0], kRefused + (folder / "chosen/victim") + ": passes through a link\n");
    EXPECT_EQ(answers[1].rfind(kRefused + (folder / "chosen/victim/data") + ": passes through a link", 0), 0u);
    EXPECT_EQ(answers[2], "0:1:");  // the link itself goes, never what it points at
    EXPECT_EQ(testsupport::treeDigest(folder / "outside"), outside);
    EXPECT_TRUE(exists(folder / "moved/victim/data"));
}

// The request's identities are those the application listed; the folder, or the item itself,
// has been exchanged with a look-alike since: root touches neither.
TEST(PrivilegedHelper, RefusesAFolderOrItemThatIsNotTheOneListed) {
    testsupport::TempFolder folder;
    folder.writeFile("chosen/victim/data", "chosen");
    folder.writeFile("look-alike/victim/data", "precious");
    folder.writeFile("chosen/item/data", "chosen");
    folder.writeFile("chosen/other-item/data", "precious");
    const Request folderSwapped = requestFor(folder / "chosen/victim");
    const Request itemSwapped = requestFor(folder / "chosen/item");
    const std::string lookAlike = testsupport::treeDigest(folder / "look-alike");
    const std::string otherItem = testsupport::treeDigest(folder / "chosen/other-item");
    ASSERT_EQ(renameat2(AT_FDCWD, (folder / "chosen/item").c_str(), AT_FDCWD, (folder / "chosen/other-item").c_str(), RENAME_EXCHANGE), 0);
    auto itemAnswers = runHelper({itemSwapped});
    ASSERT_EQ(renameat2(AT_FDCWD, (folder / "chosen").c_str(), AT_FDCWD, (folder / "look-alike").c_str(), RENAME_EXCHANGE), 0);
    auto folderAnswers = runHelper({folderSwapped});
    ASSERT_EQ(itemAnswers.size(), 1u);
    ASSERT_EQ(folderAnswers.size(), 1u);
    EXPECT_EQ(itemAnswers[0], kRefused + (folder / "chosen/item") + ": it is no longer the item that was chosen\n");
    EXPECT_EQ(folderAnswers[0], kRefused + (folder / "chosen/victim") + ": its folder is not the one that was chosen\n");
    EXPECT_EQ(testsupport::treeDigest(folder / "chosen"), lookAlike);  // the look-alike stands at "chosen" now
    EXPECT_EQ(testsupport::treeDigest(folder / "look-alike/item"), otherItem);
}

// A request line that never ends, or announces a path longer than any, ends the helper without
// a reply: nothing past the longest request line is read as one.
TEST(PrivilegedHelper, AnUnreadableRequestEndsTheHelper) {
    testsupport::TempFolder folder;
    folder.writeFile("victim", "x");
    const std::string victim = PrivilegedProtocol::request(requestFor(folder / "victim"));
    EXPECT_TRUE(runHelperOn(std::string(1 << 20, '1') + "\n" + victim).empty());
    EXPECT_TRUE(runHelperOn("1 2 3 4 0 99999999\n" + victim).empty());
    EXPECT_TRUE(runHelperOn("1 2 3 4 2 5\n" + victim).empty());
    EXPECT_TRUE(runHelperOn("1 2 3\n" + victim).empty());
    EXPECT_TRUE(exists(folder / "victim"));
}

// A second thread keeps exchanging the chosen folder with a link to another folder, or with a
// look-alike folder, while the helper removes the items in it: each item goes from the real
// folder or is refused, and the other folder never loses a byte.
TEST(PrivilegedHelper, AFolderSwappedWhileItWorksNeverLetsItReachOutside) {
    for (bool withLink : {true, false}) {
        testsupport::TempFolder folder;
        constexpr int kItems = 150;
        std::vector<Request> requests;
        for (int index = 0; index < kItems; ++index) {
            const std::string name = "item" + std::to_string(index);
            folder.writeFile("chosen/" + name, "chosen");
            folder.writeFile("outside/" + name, "precious");
            requests.push_back(requestFor(folder / ("chosen/" + name)));
        }
        const std::string outside = testsupport::treeDigest(folder / "outside");
        if (withLink) {
            ASSERT_EQ(symlink((folder / "outside").c_str(), (folder / "swap").c_str()), 0);
        }
        const std::string swap = folder / (withLink ? "swap" : "outside");
        testsupport::Exchanger exchanger(folder / "chosen", swap);
        auto answers = runHelper(requests);
        exchanger.stop();
        ASSERT_EQ(answers.size(), static_cast<size_t>(kItems)) << answers.front();
        for (const auto& answer : answers) EXPECT_TRUE(answer == "0:1:" || answer.rfind(kRefused, 0) == 0) << answer;
        const std::string outsideNow = folder / (withLink || exchanger.exchanges() % 2 == 0 ? "outside" : "chosen");
        EXPECT_EQ(testsupport::treeDigest(outsideNow), outside) << withLink;
    }
}

TEST(PrivilegedSession, KeepsOneHelperForAllRequestsUntilReleased) {
    testsupport::TempFolder folder;
    folder.writeFile("first/file", "x");
    folder.writeFile("second", "x");
    PkexecPrivilegedSession session({helper});
    int status = -1;
    EXPECT_EQ(session.authorize(&status), Outcome::Granted);
    EXPECT_TRUE(session.isAuthorized());
    auto first = session.removeItem(requestFor(folder / "first"));
    auto second = session.removeItem(requestFor(folder / "second"));
    auto refused = session.removeItem(requestFor("relative"));
    ASSERT_TRUE(first && second && refused);
    EXPECT_EQ(first->exitStatus, 0);
    EXPECT_TRUE(first->gone);
    EXPECT_EQ(first->output, "");
    EXPECT_EQ(second->output, "");
    EXPECT_EQ(refused->exitStatus, PrivilegedProtocol::kRefusedStatus);
    EXPECT_FALSE(exists(folder / "first"));
    EXPECT_FALSE(exists(folder / "second"));
    EXPECT_TRUE(session.release());
    EXPECT_FALSE(session.isAuthorized());
    EXPECT_FALSE(session.removeItem(requestFor(folder / "third")));
}

TEST(PrivilegedSession, RefusalIsNotKeptAndTheNextRequestAsksAgain) {
    testsupport::TempFolder folder;
    std::string asked = folder / "asked";
    PkexecPrivilegedSession session({"/bin/sh", "-c", "echo asked >> '" + asked + "'; exit 126"});
    int status = 0;
    EXPECT_EQ(session.authorize(&status), Outcome::Refused);
    EXPECT_EQ(status, 126);
    EXPECT_FALSE(session.isAuthorized());
    EXPECT_FALSE(session.removeItem(requestFor(folder / "x")));
    EXPECT_EQ(session.authorize(&status), Outcome::Refused);
    EXPECT_EQ(testsupport::readWholeFile(asked), "asked\nasked\n");
}

TEST(PrivilegedSession, HelperThatWentAwayLosesTheRight) {
    testsupport::TempFolder folder;
    PkexecPrivilegedSession session({"/bin/sh", "-c", "echo ready"});
    EXPECT_EQ(session.authorize(nullptr), Outcome::Granted);
    testsupport::LogCapture log;
    EXPECT_FALSE(session.removeItem(requestFor(folder / "x")));
    EXPECT_FALSE(session.isAuthorized());
}

TEST(PrivilegedSession, MissingProgramsMakeItUnavailable) {
    int status = 0;
    EXPECT_EQ(PkexecPrivilegedSession({"/nonexistent/pkexec", helper}).authorize(&status), Outcome::Unavailable);
    EXPECT_EQ(status, ENOENT);
    testsupport::TempFolder emptyBundle;
    const char* previous = getenv("DURIDOVE_BUNDLE_DIR");
    std::string saved = previous ? previous : "";
    setenv("DURIDOVE_BUNDLE_DIR", emptyBundle.path().c_str(), 1);
    testsupport::LogCapture log;
    EXPECT_EQ(PkexecPrivilegedSession().authorize(&status), Outcome::Unavailable);
    if (previous) setenv("DURIDOVE_BUNDLE_DIR", saved.c_str(), 1);
    else unsetenv("DURIDOVE_BUNDLE_DIR");
}

// The helper run by a user who may not remove the items: what went wrong comes back, and the
// item is not gone.
TEST(PrivilegedSession, AFailureComesBackWithItsReason) {
    testsupport::TempFolder folder;
    chmod(folder.path().c_str(), 0755);
    for (int index = 0; index < 300; ++index) folder.writeFile("locked/item" + std::to_string(index), "x");
    const Request locked = requestFor(folder / "locked");
    std::string answer = testsupport::runAsNobody([&] {
        PkexecPrivilegedSession session({helper});
        if (session.authorize(nullptr) != Outcome::Granted) return std::string("not granted");
        auto removal = session.removeItem(locked);
        if (!removal) return std::string("no reply");
        return std::to_string(removal->exitStatus) + (removal->gone ? " gone " : " there ") +
               std::to_string(occurrences(removal->output, "Permission denied"));
    });
    EXPECT_EQ(answer, "1 there 1");
}
