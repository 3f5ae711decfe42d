#include "core/duplicates/DuplicateFileGrouper.h"
#include "core/duplicates/crc.h"
#include "support/LogCapture.h"
#include "support/OpenLedger.h"
#include "support/RandomContent.h"
#include "support/TempFolder.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <functional>

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

    static std::string text(const Names& groups) {
        std::string joined;
        for (const auto& names : groups) {
            for (const auto& name : names) joined += name + " ";
            joined += "; ";
        }
        return joined;
    }

    // Runs the body in a child process allowed only 64 descriptors: with eight workers, so few
    // that every class of more than two files is read in rounds and compared in batches.
    static std::string withFewDescriptors(const std::function<std::string()>& body) {
        return testsupport::runInChild([&] {
            struct rlimit limit {64, 64};
            if (setrlimit(RLIMIT_NOFILE, &limit) != 0) return std::string("no limit");
            return body();
        });
    }
    std::string namesWithFewDescriptors() {
        return withFewDescriptors([&] { return text(names(group(8, runOnNewThread))); });
    }

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
    // b differs past the second megabyte, c within the first chunk.
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
        const std::vector<DuplicateGroup> groups = group();
        EXPECT_EQ(names(groups), each.groups);
        EXPECT_EQ(settled(), candidates.size());
        for (const DuplicateGroup& copies : groups)
            for (const fileAttrbItem& copy : copies) EXPECT_EQ(copy.md5, crc::crc64(a.data(), a.size()));
        EXPECT_EQ(namesWithFewDescriptors(), text(each.groups));
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
    EXPECT_EQ(ledger.count(headA), 1);  // read whole once: its CRC is its own
    // Each short copy is read whole once; the second is known equal to the first at once.
    for (const std::string& read : {copy1, copy2, small1, small2}) EXPECT_EQ(ledger.count(read), 1) << read;
    EXPECT_EQ(ledger.count(folder / "empty1"), 0);
}

// Short files of one size and CRC-64 but other bytes, read one after another: a copy is told by
// its bytes, never by its CRC.
TEST_F(DuplicateFileGrouperTest, ShortFilesOfOneSizeAndCrcGroupOnlyWithByteEqualFiles) {
    const std::string s = randomContent(6000, 20), t = crcTwin(s, 3000, 0x33);
    ASSERT_NE(s, t);
    ASSERT_EQ(crc::crc64(s.data(), s.size()), crc::crc64(t.data(), t.size()));
    for (const auto& [name, content] : {std::pair{"s1", &s}, {"t1", &t}, {"s2", &s}, {"t2", &t}, {"t3", &t}})
        write(name, *content);
    EXPECT_EQ(names(group()), (Names{{"s2", "s1"}, {"t2", "t3", "t1"}}));
    EXPECT_EQ(settled(), candidates.size());
    EXPECT_EQ(namesWithFewDescriptors(), text({{"s2", "s1"}, {"t2", "t3", "t1"}}));
}

TEST_F(DuplicateFileGrouperTest, StopKeepsOnlyCompleteGroups) {
    const std::string big = randomContent(3u << 20, 12), middle = randomContent(2u << 20, 13);
    write("big1", big);
    write("middle1", middle);
    write("big2", big);
    const std::string stopper = write("middle2", middle);
    ASSERT_EQ(names(group()), (Names{{"big2", "big1"}, {"middle2", "middle1"}}));
    const int opensOfAWholeSearch = ledger.count(stopper);
    // Stops when the last file is opened for the last time: to be compared with its partner.
    for (auto& item : candidates) item.md5 = item.md5_1k = 0;
    progress.beginStage(0, candidates.size());
    ledger.onOpen = [&](const std::string& path, int count) {
        if (path == stopper && count == 2 * opensOfAWholeSearch) stop = true;
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

namespace {

// The peak resident memory since the last reset, and the reset; 0 where the kernel has none.
std::uint64_t peakResidentBytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stoull(line.substr(6)) * 1024;
    return 0;
}

std::uint64_t residentBytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stoull(line.substr(6)) * 1024;
    return 0;
}

bool resetPeakResidentBytes() { return static_cast<bool>(std::ofstream("/proc/self/clear_refs") << "5\n"); }

}  // namespace

// Far more equal files than descriptors: each worker holds a bounded number open, so every copy
// is found and none is given up as unreadable.
TEST_F(DuplicateFileGrouperTest, ThreeThousandEqualFilesGroupWholeWithSixtyFourDescriptors) {
    const std::string content = randomContent(1500, 17);
    for (int file = 0; file < 3000; ++file) write("same/" + std::to_string(file), content);
    const std::string answer = withFewDescriptors([&] {
        const auto groups = group(8, runOnNewThread);
        std::string sizes;
        for (const auto& each : groups) sizes += std::to_string(each.size()) + " ";
        return sizes + "unreadable " + std::to_string(log.linesWith("open file").size()) + ", settled " + std::to_string(settled());
    });
    EXPECT_EQ(answer, "3000 unreadable 0, settled 3000");
}

// 2,000 files of 4 MiB (sparse past their first block) with one first kilobyte, all different
// just after it: each is read only as far as it takes to tell it apart, in memory that does not
// grow with the number of files.
TEST_F(DuplicateFileGrouperTest, TwoThousandFilesOfOneSizeAndHeadThatDifferAreReadLittle) {
    const std::string head = randomContent(1024, 18);
    const off_t size = 4 << 20;
    for (int file = 0; file < 2000; ++file) {
        const std::string path = write("f/" + std::to_string(file), head + "file " + std::to_string(file));
        ASSERT_EQ(truncate(path.c_str(), size), 0);
        candidates.back().fileSize = static_cast<std::uint64_t>(size);
    }
    const std::string answer = testsupport::runInChild([&] {
        if (!resetPeakResidentBytes()) return std::string("no peak");
        const std::uint64_t before = residentBytes();
        const std::size_t groups = group(8, runOnNewThread).size();
        const std::uint64_t grown = peakResidentBytes() - before;
        return std::to_string(groups) + " groups, opened at most twice each: " +
               (ledger.total() <= 2 * 2000 ? "yes" : "no, " + std::to_string(ledger.total())) +
               ", memory within 64 MiB: " + (grown < (64u << 20) ? "yes" : "no, " + std::to_string(grown >> 20) + " MiB");
    });
    if (answer == "no peak") GTEST_SKIP() << "the kernel keeps no resettable peak of resident memory";
    EXPECT_EQ(answer, "0 groups, opened at most twice each: yes, memory within 64 MiB: yes");
}

// A file that cannot be read is named on a line of its own, and one line of the search counts them.
TEST_F(DuplicateFileGrouperTest, UnreadFilesAreCountedOnceASearch) {
    const std::string content = randomContent(4000, 19);
    for (const char* name : {"a", "b", "c", "d"}) {
        const std::string path = write(name, content);
        if (std::string(name) != "a") ledger.failing.insert(path);
    }
    EXPECT_TRUE(group().empty());
    EXPECT_EQ(log.linesWith("open file :").size(), 3u);
    EXPECT_EQ(log.linesWith("files could not be read"),
              (std::vector<std::string>{"3 files could not be read and were not compared"}));
}
