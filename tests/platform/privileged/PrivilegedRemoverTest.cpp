#include "platform/privileged/PkexecPrivilegedSession.h"
#include "platform/system/PosixProcessRunner.h"
#include "platform/privileged/PrivilegedProtocol.h"

#include "support/LogCapture.h"
#include "support/TempFolder.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

using platform::PkexecPrivilegedSession;
using platform::PrivilegedProtocol;
using Outcome = platform::PrivilegedSession::Outcome;

namespace {

const std::string helper = std::string(DURIDOVE_BIN_DIR) + "/" + PkexecPrivilegedSession::kHelperName;

bool exists(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

size_t occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

// Splits the helper's whole output into its replies, as "<status>:<output>".
std::vector<std::string> replies(std::string output) {
    std::vector<std::string> result;
    while (!output.empty()) {
        size_t end = output.find('\n');
        auto header = PrivilegedProtocol::parseReplyLine(output.substr(0, end));
        if (end == std::string::npos || !header) {
            result.push_back("malformed: " + output);
            break;
        }
        result.push_back(std::to_string(header->first) + ":" + output.substr(end + 1, header->second));
        output.erase(0, end + 1 + header->second);
    }
    return result;
}

}  // namespace

TEST(PrivilegedHelper, RefusesUnsafePathsAndEndsWithItsInput) {
    testsupport::TempFolder folder;
    std::string tree = folder.writeFile("tree/inner/file", "x");
    std::string input = std::string("relative/path") + '\0' + "/" + '\0' + folder.path() + "//tree" + '\0' +
                        folder.path() + "/tree/../tree" + '\0' + folder.path() + "/missing" + '\0' + folder.path() +
                        "/tree" + '\0';
    platform::PosixProcessRunner runner;
    auto result = runner.run({{helper}, std::chrono::seconds(30), input});
    ASSERT_TRUE(result.succeeded()) << result.errorOutput;
    ASSERT_EQ(result.output.rfind("ready\n", 0), 0u);
    auto answers = replies(result.output.substr(6));
    ASSERT_EQ(answers.size(), 6u);
    EXPECT_EQ(answers[0], "64:refused (not an absolute path): relative/path\n");
    EXPECT_EQ(answers[1], "64:refused (the root folder): /\n");
    EXPECT_EQ(answers[2].rfind("64:refused (not a normalised path)", 0), 0u);
    EXPECT_EQ(answers[3].rfind("64:refused (not a normalised path)", 0), 0u);
    EXPECT_EQ(answers[4], "0:");  // rm -rf says nothing about a missing path
    EXPECT_EQ(answers[5], "0:");
    EXPECT_FALSE(exists(folder / "tree"));
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
        return std::to_string(removal->exitStatus) + " " +
               std::to_string(occurrences(removal->output, "Permission denied")) + " " +
               std::to_string(occurrences(removal->output, "\n"));
    });
    EXPECT_EQ(answer, "1 300 300");
}
