#include "core/shredder/RemoveFileAndFolder.h"
#include "core/shredder/ShredList.h"
#include "core/shredder/ShredWorkList.h"
#include "core/shredder/WipeMethods.h"
#include "platform/files/PathText.h"
#include "platform/files/ResolvedParentPath.h"
#include "support/MemoryUserDefaults.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

using core::FileObj;
using core::ShredWorkList;
using testsupport::TempFolder;

namespace {

using testsupport::exists;

std::shared_ptr<FileObj> chosen(const std::string& path) {
    return core::ShredList::makeItem(platform::resolvedParentPath(path).value());
}

std::vector<std::string> namesOf(const std::vector<std::shared_ptr<FileObj>>& items) {
    std::vector<std::string> names;
    for (const auto& item : items) names.push_back(item->name + (item->isDir ? "/" : ""));
    return names;
}

class CountingEraser : public core::SecureEraser {
public:
    int writes = 0;

protected:
    ssize_t writeChunk(int fd, const unsigned char* data, size_t length, uint64_t offset) override {
        ++writes;
        return SecureEraser::writeChunk(fd, data, length, offset);
    }
};

class ShredRun : public ::testing::Test {
protected:
    void SetUp() override { platform::UserDefaults::setShared(defaults); }
    void TearDown() override { platform::UserDefaults::setShared(nullptr); }

    void erase(const std::vector<std::shared_ptr<FileObj>>& items) {
        auto engine = std::make_shared<core::RemoveFileAndFolder>(core::Executors::inlineExecutors(), eraser);
        engine->benginToTraskWithArr(items);
    }

    TempFolder temp;
    std::shared_ptr<testsupport::MemoryUserDefaults> defaults = std::make_shared<testsupport::MemoryUserDefaults>();
    std::shared_ptr<CountingEraser> eraser = std::make_shared<CountingEraser>();
};

}  // namespace

TEST(ShredWorkList, FoldersAreExpandedChildrenFirstBundlesAreNotAndEachPathComesOnce) {
    TempFolder temp;
    temp.writeFile("chosen/sub/one.txt", "1");
    temp.writeFile("chosen/sub/two.txt", "2");
    temp.writeFile("chosen/z.txt", "z");
    temp.makeFolder("chosen/empty");
    temp.writeFile("Tool.app/Contents/Info.plist", "<plist/>");
    const std::string alone = temp.writeFile("alone.txt", "a");

    const auto items = ShredWorkList::build({chosen(temp / "chosen/sub/two.txt"), chosen(temp / "chosen"),
                                             chosen(temp / "Tool.app"), chosen(alone), chosen(temp / "chosen/sub")});

    EXPECT_EQ(namesOf(items), (std::vector<std::string>{"two.txt", "empty/", "one.txt", "sub/", "z.txt", "chosen/",
                                                        "Tool.app/", "alone.txt"}));
    EXPECT_EQ(ShredWorkList::countFiles(items), 4u);
    EXPECT_EQ(items[2]->url, platform::resolvedParentPath(temp / "chosen/sub/one.txt").value());
    EXPECT_EQ(items[2]->size, 1);
    EXPECT_EQ(items[3]->type, "Folder");
}

TEST_F(ShredRun, LinksAreErasedAsLinksAndTheirTargetsSurvive) {
    const std::string target = temp.writeFile("outside/target.txt", "keep me");
    const std::string targetFolder = temp.writeFile("outside/folder/inner.txt", "keep me too");
    temp.writeFile("chosen/own.txt", "mine");
    ASSERT_EQ(symlink(target.c_str(), (temp / "chosen/file.lnk").c_str()), 0);
    ASSERT_EQ(symlink(platform::parentPath(targetFolder).c_str(), (temp / "chosen/folder.lnk").c_str()), 0);
    ASSERT_EQ(symlink(target.c_str(), (temp / "dropped.lnk").c_str()), 0);

    const auto items = ShredWorkList::build({chosen(temp / "chosen"), chosen(temp / "dropped.lnk")});
    EXPECT_EQ(namesOf(items), (std::vector<std::string>{"file.lnk", "folder.lnk", "own.txt", "chosen/", "dropped.lnk"}));
    erase(items);

    EXPECT_FALSE(exists(temp / "chosen"));
    EXPECT_FALSE(exists(temp / "dropped.lnk"));
    EXPECT_EQ(testsupport::readWholeFile(target), "keep me");
    EXPECT_EQ(testsupport::readWholeFile(targetFolder), "keep me too");
    EXPECT_EQ(eraser->writes, 1);  // own.txt alone was overwritten
}

TEST_F(ShredRun, TheChosenMethodIsStoredAndTheEngineWritesAtMostFivePasses) {
    EXPECT_EQ(core::WipeMethods::stored().tag, 0);
    std::vector<int> tags;
    for (const core::WipeMethod& method : core::WipeMethods::all()) tags.push_back(method.tag);
    EXPECT_EQ(tags, (std::vector<int>{0, 1, 3, 4, 5, 6, 7}));
    EXPECT_EQ(core::WipeMethods::forTag(2).tag, 0);

    core::WipeMethods::store(core::WipeMethods::forTag(7));
    EXPECT_EQ(defaults->integerForKey("WipeTimes"), 35);
    EXPECT_EQ(defaults->integerForKey("WipeTimesTag"), 7);
    EXPECT_EQ(core::WipeMethods::stored().name, "Peter Gutmann's algorithm 35 (35次)");
    const std::string file = temp.writeFile("secret.txt", "top secret");
    erase({chosen(file)});

    EXPECT_FALSE(exists(file));
    EXPECT_EQ(eraser->writes, 5);
    defaults->setObject("WipeTimesTag", platform::PlistValue(int64_t{2}));
    EXPECT_EQ(core::WipeMethods::stored().tag, 0);
}
