#include "platform/privileged/PkexecPrivilegedSession.h"
#include "platform/system/PosixProcessRunner.h"
#include "platform/privileged/PrivilegedProtocol.h"

#include "support/LogCapture.h"
#include "support/TempFolder.h"
#include "support/TreeDigest.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <thread>

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

// The helper's whole run over requests; its replies after "ready".
std::vector<std::string> runHelper(const std::vector<std::string>& paths) {
    std::string input;
    for (const auto& path : paths) input += path + '\0';
    platform::PosixProcessRunner runner;
    auto result = runner.run({{helper}, std::chrono::seconds(60), input});
    if (!result.succeeded() || result.output.rfind("ready\n", 0) != 0) return {"failed: " + result.errorOutput};
    return replies(result.output.substr(6));
}

}  // namespace

TEST(PrivilegedHelper, RefusesUnsafePathsAndEndsWithItsInput) {
    testsupport::TempFolder folder;
    folder.writeFile("tree/inner/file", "x");
    folder.writeFile("-rf", "x");
    auto answers = runHelper({"relative/path", "/", folder.path() + "//tree", folder.path() + "/tree/../tree",
                              folder.path() + "/missing", folder.path() + "/tree", folder / "-rf",
                              folder / "missing/below"});
    ASSERT_EQ(answers.size(), 8u) << answers.front();
    EXPECT_EQ(answers[0], "64:0:refused (not an absolute path): relative/path\n");
    EXPECT_EQ(answers[1], "64:0:refused (the root folder): /\n");
    EXPECT_EQ(answers[2].rfind("64:0:refused (not a normalised path)", 0), 0u);
    EXPECT_EQ(answers[3].rfind("64:0:refused (not a normalised path)", 0), 0u);
    EXPECT_EQ(answers[4], "0:1:");  // rm -rf says nothing about a missing path
    EXPECT_EQ(answers[5], "0:1:");
    EXPECT_EQ(answers[6], "0:1:");  // a name that looks like an option is still a name
    EXPECT_EQ(answers[7], "0:1:");
    EXPECT_FALSE(exists(folder / "tree"));
    EXPECT_FALSE(exists(folder / "-rf"));
}

// The application chose "chosen/victim"; before root acts, "chosen" has become a link to a
// folder the user did not choose.
TEST(PrivilegedHelper, RefusesAPathWhoseFolderBecameALink) {
    testsupport::TempFolder folder;
    folder.writeFile("chosen/victim/data", "chosen");
    folder.writeFile("outside/victim/data", "precious");
    const std::string outside = testsupport::treeDigest(folder / "outside");
    ASSERT_EQ(rename((folder / "chosen").c_str(), (folder / "moved").c_str()), 0);
    ASSERT_EQ(symlink((folder / "outside").c_str(), (folder / "chosen").c_str()), 0);
    auto answers = runHelper({folder / "chosen/victim", folder / "chosen/victim/data", folder / "chosen"});
    ASSERT_EQ(answers.size(), 3u) << answers.front();
    EXPECT_EQ(answers[0], "64:0:refused (passes through a link): " + (folder / "chosen/victim") + "\n");
    EXPECT_EQ(answers[1].rfind("64:0:refused (passes through a link)", 0), 0u);
    EXPECT_EQ(answers[2], "0:1:");  // the link itself goes, never what it points at
    EXPECT_EQ(testsupport::treeDigest(folder / "outside"), outside);
    EXPECT_TRUE(exists(folder / "moved/victim/data"));
}

// A second thread keeps swapping the chosen folder with a link to another folder while the
// helper removes the items in it: each item goes from the real folder or is refused, and the
// other folder never loses a byte.
TEST(PrivilegedHelper, AFolderSwappedWhileItWorksNeverLetsItReachOutside) {
    testsupport::TempFolder folder;
    constexpr int kItems = 150;
    std::vector<std::string> paths;
    for (int index = 0; index < kItems; ++index) {
        const std::string name = "item" + std::to_string(index);
        folder.writeFile("chosen/" + name, "chosen");
        folder.writeFile("outside/" + name, "precious");
        paths.push_back(folder / ("chosen/" + name));
    }
    const std::string outside = testsupport::treeDigest(folder / "outside");
    ASSERT_EQ(symlink((folder / "outside").c_str(), (folder / "swap").c_str()), 0);
    std::atomic<bool> done{false};
    std::thread swapper([&] {
        while (!done) renameat2(AT_FDCWD, (folder / "chosen").c_str(), AT_FDCWD, (folder / "swap").c_str(), RENAME_EXCHANGE);
    });
    auto answers = runHelper(paths);
    done = true;
    swapper.join();
    ASSERT_EQ(answers.size(), static_cast<size_t>(kItems)) << answers.front();
    for (const auto& answer : answers)
        EXPECT_TRUE(answer == "0:1:" || answer.rfind("64:0:refused (passes through a link)", 0) == 0) << answer;
    EXPECT_EQ(testsupport::treeDigest(folder / "outside"), outside);
}

TEST(PrivilegedSession, KeepsOneHelperForAllRequestsUntilReleased) {
    testsupport::TempFolder folder;
    folder.writeFile("first/file", "x");
    folder.writeFile("second", "x");
    PkexecPrivilegedSession session({helper});
    int status = -1;
    EXPECT_EQ(session.authorize(&status), Outcome::Granted);
    EXPECT_TRUE(session.isAuthorized());
    auto first = session.removeTree(folder / "first");
    auto second = session.removeTree(folder / "second");
    auto refused = session.removeTree("relative");
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
    EXPECT_FALSE(session.removeTree(folder / "third"));
}

TEST(PrivilegedSession, RefusalIsNotKeptAndTheNextRequestAsksAgain) {
    testsupport::TempFolder folder;
    std::string asked = folder / "asked";
    PkexecPrivilegedSession session({"/bin/sh", "-c", "echo asked >> '" + asked + "'; exit 126"});
    int status = 0;
    EXPECT_EQ(session.authorize(&status), Outcome::Refused);
    EXPECT_EQ(status, 126);
    EXPECT_FALSE(session.isAuthorized());
    EXPECT_FALSE(session.removeTree(folder / "x"));
    EXPECT_EQ(session.authorize(&status), Outcome::Refused);
    EXPECT_EQ(testsupport::readWholeFile(asked), "asked\nasked\n");
}

TEST(PrivilegedSession, HelperThatWentAwayLosesTheRight) {
    testsupport::TempFolder folder;
    PkexecPrivilegedSession session({"/bin/sh", "-c", "echo ready"});
    EXPECT_EQ(session.authorize(nullptr), Outcome::Granted);
    testsupport::LogCapture log;
    EXPECT_FALSE(session.removeTree(folder / "x"));
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

// The helper run by a user who may not remove the items: the command's error messages, far
// more than one read's worth, come back whole.
TEST(PrivilegedSession, OutputComesBackWhole) {
    testsupport::TempFolder folder;
    chmod(folder.path().c_str(), 0755);
    for (int index = 0; index < 300; ++index) folder.writeFile("locked/item" + std::to_string(index), "x");
    std::string answer = testsupport::runAsNobody([&] {
        PkexecPrivilegedSession session({helper});
        if (session.authorize(nullptr) != Outcome::Granted) return std::string("not granted");
        auto removal = session.removeTree(folder / "locked");
        if (!removal) return std::string("no reply");
        return std::to_string(removal->exitStatus) + (removal->gone ? " gone " : " there ") +
               std::to_string(occurrences(removal->output, "Permission denied")) + " " +
               std::to_string(occurrences(removal->output, "\n"));
    });
    EXPECT_EQ(answer, "1 there 300 300");
}
