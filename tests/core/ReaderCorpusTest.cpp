// What the fuzz targets (scripts/fuzz) found to crash, hang or break a reader's promise, kept in
// tests/data/fuzz/<reader> and replayed through the same reader, so the suite checks every
// finding without clang.
#include "support/LogCapture.h"
#include "support/ReaderFeeds.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

using testsupport::ReaderFeeds;

namespace {

const std::filesystem::path kCorpus = std::filesystem::path(DURIDOVE_TEST_DATA) / "fuzz";

class ReaderCorpus : public ::testing::TestWithParam<std::string> {};

std::string testNameOf(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = info.param;
    for (char& c : name)
        if (c == '-') c = '_';
    return name;
}

}  // namespace

TEST_P(ReaderCorpus, EveryFindingIsReadWithoutHarm) {
    const std::filesystem::path folder = kCorpus / GetParam();
    if (!std::filesystem::exists(folder)) return;
    testsupport::LogCapture log;  // the readers' complaints about these inputs are expected
    ReaderFeeds feeds;
    for (const auto& file : std::filesystem::directory_iterator(folder)) {
        SCOPED_TRACE(file.path().string());
        feeds.feed(GetParam(), testsupport::readWholeFile(file.path().string()));
    }
}

INSTANTIATE_TEST_SUITE_P(Readers, ReaderCorpus, ::testing::ValuesIn(ReaderFeeds::readers()), testNameOf);

TEST(ReaderCorpusFolders, EachNamesAReader) {
    for (const auto& folder : std::filesystem::directory_iterator(kCorpus))
        EXPECT_TRUE(ReaderFeeds::knows(folder.path().filename().string())) << folder.path();
}
