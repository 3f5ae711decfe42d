#include "core/duplicates/DuplicateFileGrouper.h"
#include "core/duplicates/crc.h"
#include "support/LogCapture.h"
#include "support/OpenLedger.h"
#include "support/RandomContent.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <map>
#include <mutex>
#include <random>
#include <set>
#include <thread>

using core::algorithm;
using core::crc;
using core::DuplicateFileGrouper;
using core::DuplicateGroup;
using core::fileAttrbItem;
using testsupport::crcTwin;
using testsupport::randomContent;

namespace {

void runOnNewThread(core::Task task) { std::thread(std::move(task)).detach(); }

class DuplicateFileGrouperTest : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& content) {
        const std::string path = folder.writeFile(name, content);
        struct stat status {};
        lstat(path.c_str(), &status);
        fileAttrbItem item;
        item.filePathName = path;
        item.fileSize = content.size();
        item.device = status.st_dev;
        item.inode = status.st_ino;
        candidates.push_back(item);
        return path;
    }

    std::vector<DuplicateGroup> group(std::size_t workers = 1, core::Executor pool = {}) {
        DuplicateFileGrouper grouper(pool, workers, ledger.factory());
        DuplicateFileGrouper::Observer observer;
        observer.stop = &stop;
        observer.progress = &progress;
        return grouper.group(candidates, observer);
    }

    std::vector<std::vector<std::string>> names(const std::vector<DuplicateGroup>& groups) {
        std::vector<std::vector<std::string>> result;
        for (const auto& group : groups) {
            result.emplace_back();
            for (const auto& item : group) result.back().push_back(item.fileName());
        }
        return result;
    }

    using Names = std::vector<std::vector<std::string>>;

    std::uint64_t settled() const { return progress.snapshot().done; }

    testsupport::TempFolder folder;
    testsupport::LogCapture log;
    std::vector<fileAttrbItem> candidates;
    testsupport::OpenLedger ledger;
    std::atomic<bool> stop{false};
    core::ProgressState progress;
};

}  // namespace

TEST_F(DuplicateFileGrouperTest, ThreeCopiesListLaterCopiesThenTheFirst) {
    const std::string content = randomContent(5000, 1);
    write("first", content);
    write("other", randomContent(5000, 2));
    write("second", content);
    write("third", content);
    EXPECT_EQ(names(group()), (Names{{"second", "third", "first"}}));
    EXPECT_EQ(settled(), candidates.size());
}

TEST_F(DuplicateFileGrouperTest, InterleavedClassesOfOneSizeStayApart) {
    const std::string a = randomContent(3000, 3), b = randomContent(3000, 4);
    write("b1", b);
    write("a1", a);
    write("b2", b);
    write("a2", a);
    write("b3", b);
    EXPECT_EQ(names(group()), (Names{{"b2", "b3", "b1"}, {"a2", "a1"}}));
}

TEST_F(DuplicateFileGrouperTest, SameHeadDifferentTailGivesNoGroup) {
    std::string content = randomContent(6000, 5), changed = content;
    changed[5999] ^= 0x40;
    write("x", content);
    write("y", changed);
    EXPECT_TRUE(group().empty());
    EXPECT_NE(candidates[0].md5, 0u);
    EXPECT_NE(candidates[1].md5, 0u);
}

// The value after a piece ending in its own running value (little-endian) is 0, and zero
// bytes keep it 0: so P+v and P+v+"\0" end with the same CRC after any common tail.
TEST_F(DuplicateFileGrouperTest, EqualWholeCrcOfDifferentSizesStaysTwoGroups) {
    std::string prefix = randomContent(2000, 6);
    std::uint64_t value = crc::crc64(prefix.data(), prefix.size());
    for (int i = 0; i < 8; ++i) prefix.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    const std::string tail = randomContent(500, 7);
    const std::string shorter = prefix + tail, longer = prefix + std::string(1, '\0') + tail;
    ASSERT_EQ(crc::crc64(shorter.data(), shorter.size()), crc::crc64(longer.data(), longer.size()));
    write("s1", shorter);
    write("l1", longer);
    write("s2", shorter);
    write("l2", longer);
    EXPECT_EQ(names(group()), (Names{{"s2", "s1"}, {"l2", "l1"}}));
}

TEST_F(DuplicateFileGrouperTest, FilesOfOneSizeAndCrcGroupOnlyWithByteEqualFiles) {
    // Compared a megabyte at a time: b differs in the third chunk, c in the first.
    const std::string a = randomContent(5u << 19, 16);
    const std::string b = crcTwin(a, (2u << 20) + 100, 0x5a), c = crcTwin(a, 5000, 0x11);
    ASSERT_NE(a, b);
    ASSERT_EQ(a.substr(0, 1024), b.substr(0, 1024));
    ASSERT_EQ(crc::crc64(a.data(), a.size()), crc::crc64(b.data(), b.size()));
    ASSERT_EQ(crc::crc64(a.data(), a.size()), crc::crc64(c.data(), c.size()));
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, const std::string*>> files;
        Names groups;
    };
    for (const Case& each : {Case{"a crafted pair", {{"a", &a}, {"b", &b}}, {}},
                             Case{"the first one differs", {{"b", &b}, {"a1", &a}, {"a2", &a}}, {{"a2", "a1"}}},
                             Case{"two contents interleaved", {{"a1", &a}, {"b1", &b}, {"c", &c}, {"b2", &b}, {"a2", &a}},
                                  {{"a2", "a1"}, {"b2", "b1"}}}}) {
        SCOPED_TRACE(each.name);
        candidates.clear();
        progress.beginStage(0, 0);
        for (const auto& [name, content] : each.files) write(std::string(each.name) + "/" + name, *content);
        EXPECT_EQ(names(group()), each.groups);
        EXPECT_EQ(settled(), candidates.size());
        for (const fileAttrbItem& item : candidates) EXPECT_EQ(item.md5, crc::crc64(a.data(), a.size()));
    }
}

TEST_F(DuplicateFileGrouperTest, UnreadableMemberIsLeftOutAndTheOthersGroup) {
    const std::string content = randomContent(4000, 8);
    write("one", content);
    ledger.failing.insert(write("two", content));
    write("three", content);
    EXPECT_EQ(names(group()), (Names{{"three", "one"}}));
    EXPECT_EQ(settled(), candidates.size());
}

TEST_F(DuplicateFileGrouperTest, FilesAreOpenedOnlyWhenTheyCollide) {
    const std::string content = randomContent(7000, 9);
    const std::string lonely = write("lonely", randomContent(7001, 10));
    const std::string headA = write("headA", randomContent(7000, 11));
    const std::string copy1 = write("copy1", content);
    const std::string copy2 = write("copy2", content);
    const std::string small1 = write("small1", "tiny and same");
    const std::string small2 = write("small2", "tiny and same");
    write("empty1", "");
    write("empty2", "");
    EXPECT_EQ(names(group()), (Names{{"copy2", "copy1"}, {"small2", "small1"}}));
    EXPECT_EQ(ledger.count(lonely), 0);
    EXPECT_EQ(ledger.count(headA), 1);  // its first kilobyte is unique: never read whole
    EXPECT_EQ(ledger.count(copy1), 2);   // first kilobyte, then the whole content compared and hashed
    EXPECT_EQ(ledger.count(small1), 2);  // a file within one kilobyte is hashed once, then compared
    EXPECT_EQ(ledger.count(folder / "empty1"), 0);
}

TEST_F(DuplicateFileGrouperTest, StopKeepsOnlyCompleteGroups) {
    const std::string big = randomContent(3u << 20, 12), middle = randomContent(2u << 20, 13);
    write("big1", big);
    write("middle1", middle);
    write("big2", big);
    const std::string stopper = write("middle2", middle);
    // Stops when the last file is opened for its whole content.
    ledger.onOpen = [&](const std::string& path, int count) {
        if (path == stopper && count == 2) stop = true;
    };
    // Files are compared largest first: the big pair is complete before the stop.
    EXPECT_EQ(names(group()), (Names{{"big2", "big1"}}));
    EXPECT_LT(settled(), candidates.size());
}

TEST_F(DuplicateFileGrouperTest, StopBeforeStartGivesNothingAndOpensNothing) {
    const std::string content = randomContent(3000, 14);
    const std::string path = write("p", content);
    write("q", content);
    stop = true;
    EXPECT_TRUE(group().empty());
    EXPECT_EQ(ledger.count(path), 0);
}

TEST_F(DuplicateFileGrouperTest, ManyWorkersGiveTheSameGroupsAsOne) {
    std::mt19937_64 generator(15);
    for (int file = 0; file < 300; ++file) {
        const std::uint64_t kind = generator() % 60;
        const std::size_t length = 500 + (kind % 7) * 900;
        write("f" + std::to_string(file), randomContent(length, kind));
    }
    const auto alone = names(group(1));
    for (auto& item : candidates) item.md5 = item.md5_1k = 0;
    progress.beginStage(0, candidates.size());
    const auto together = names(group(8, runOnNewThread));
    EXPECT_FALSE(alone.empty());
    EXPECT_EQ(together, alone);
    EXPECT_EQ(settled(), candidates.size());
}
