// Every tool's removal raced by a hostile local user: while the removal runs, a second thread
// keeps exchanging the chosen items' folder (or one chosen item itself) with an outside
// look-alike, or with a link to it. Whatever the timing, nothing outside loses or changes a
// byte, and an item the tool counts as removed is really gone.
#include "core/browser/BrowerObj.h"
#include "core/browser/BrowserItemCleaner.h"
#include "core/duplicates/DuplicateDeletion.h"
#include "core/junk/CategoryRoots.h"
#include "core/junk/FastCleanScanFile.h"
#include "core/junk/JunkRemoval.h"
#include "core/kit/EuAuthorization.h"
#include "core/largefiles/FileNodeRemoval.h"
#include "core/largefiles/FileNodeTicks.h"
#include "core/largefiles/EumeRoot.h"
#include "core/shredder/RemoveFileAndFolder.h"
#include "core/startup/StartupItemRemover.h"
#include "core/uninstall/AsMDeleteExecutor.h"
#include "core/uninstall/AsMDeleteExecutorDelegate.h"
#include "platform/files/ChosenItem.h"
#include "platform/files/FileWalker.h"
#include "platform/files/FolderLister.h"
#include "platform/files/PathText.h"
#include "support/Exchanger.h"
#include "support/FakeLoginItemList.h"
#include "support/FakePrivilegedSession.h"
#include "support/LogCapture.h"
#include "support/MemoryUserDefaults.h"
#include "support/SizeTreeFixture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <functional>
#include <set>

namespace {

using testsupport::readWholeFile;

constexpr const char* kChosen = "chosen";
constexpr const char* kPrecious = "precious";
constexpr int kItems = 24;
constexpr int kRounds = 8;

enum class Swap { FolderForLookAlike, FolderForLink, ItemForLookAlike };

// A folder of chosen items ("item<n>", each a file or a small folder of files holding "chosen")
// and an outside look-alike with the same names holding "precious".
class Scene {
public:
    explicit Scene(bool folders) {
        for (int index = 0; index < kItems; ++index) {
            const std::string item = "item" + std::to_string(index);
            for (const char* side : {"chosen", "outside"}) {
                const std::string content = std::string(side) == "chosen" ? kChosen : kPrecious;
                const std::string base = std::string(side) + "/" + item;
                if (!folders) {
                    folder.writeFile(base, content);
                    continue;
                }
                for (const char* name : {"a", "b", "sub/c", "sub/d"}) folder.writeFile(base + "/" + name, content);
            }
            items.push_back(folder / ("chosen/" + item));
        }
        EXPECT_EQ(symlink((folder / "outside").c_str(), (folder / "link").c_str()), 0);
        preciousBefore = filesHolding(kPrecious);
    }

    std::string chosenFolder() const { return folder / "chosen"; }

    // The two paths the second thread exchanges.
    std::pair<std::string, std::string> swapped(Swap swap) const {
        switch (swap) {
            case Swap::FolderForLookAlike: return {folder / "chosen", folder / "outside"};
            case Swap::FolderForLink: return {folder / "chosen", folder / "link"};
            case Swap::ItemForLookAlike: break;
        }
        return {folder / "chosen/item0", folder / "outside/item0"};
    }

    // Every file below the scene holding the given content, by the names of its item and below.
    std::multiset<std::string> filesHolding(const std::string& content) const {
        std::multiset<std::string> found;
        platform::FileWalker::Callbacks callbacks;
        callbacks.visitEntry = [&](const platform::FileWalker::Visit& visit) {
            if (visit.entry().kind == platform::FileKind::File && readWholeFile(visit.path()) == content) {
                const std::string& path = visit.path();
                found.insert(path.substr(path.find("/item") + 1));
            }
            return platform::FileWalker::Step::Continue;
        };
        platform::FileWalker::walk(folder.path(), callbacks);
        return found;
    }

    // Whether anything of the chosen item remains anywhere in the scene.
    bool remains(int index) const {
        const std::string name = "item" + std::to_string(index);
        for (const std::string& file : filesHolding(kChosen))
            if (file == name || file.rfind(name + "/", 0) == 0) return true;
        return false;
    }

    testsupport::TempFolder folder;
    std::vector<std::string> items;
    std::multiset<std::string> preciousBefore;
};

// A tool's removal in two steps: listing the items (before the race starts) gives the run,
// which removes them and says which it counted as removed.
using Run = std::function<std::vector<bool>()>;
using Tool = std::function<Run(Scene& scene)>;

// The administrator's way as the race meets it: it never helps, so whatever a tool counts as
// removed, it removed itself.
std::shared_ptr<testsupport::FakePrivilegedSession> refusingSession() {
    auto session = std::make_shared<testsupport::FakePrivilegedSession>();
    session->reply = {1, "refused by the test\n", false};
    return session;
}

// refusal: what the tool's log line of a refused item says.
void race(const Tool& tool, bool folders, const char* name, const std::string& refusal) {
    core::EuAuthorization::setShared(std::make_shared<core::EuAuthorization>(refusingSession()));
    testsupport::LogCapture log;
    for (Swap swap : {Swap::FolderForLookAlike, Swap::FolderForLink, Swap::ItemForLookAlike}) {
        for (int round = 0; round < kRounds; ++round) {
            Scene scene(folders);
            Run run = tool(scene);
            const auto [first, second] = scene.swapped(swap);
            std::vector<bool> counted;
            {
                testsupport::Exchanger exchanger(first, second);
                counted = run();
            }
            const std::string where = std::string(name) + " swap " + std::to_string(static_cast<int>(swap));
            EXPECT_EQ(scene.filesHolding(kPrecious), scene.preciousBefore) << where;
            ASSERT_EQ(counted.size(), static_cast<size_t>(kItems)) << where;
            for (int index = 0; index < kItems; ++index) {
                if (counted[index]) {
                    EXPECT_FALSE(scene.remains(index)) << where << " item " << index;
                }
            }
        }
    }
    EXPECT_TRUE(log.contains(refusal)) << name;
    core::EuAuthorization::setShared(nullptr);
}

Run junkClean(Scene& scene) {
    auto category = core::junk::TCTreeNode::make("caches", "", 1, core::junk::TCTreeNode::Image::named("icon"));
    category->roots.push_back(*core::junk::ReachedRoot::reach(scene.chosenFolder()));
    for (const std::string& path : scene.items) {
        auto node = core::junk::TCTreeNode::make(platform::lastPathComponent(path), path, 1, core::junk::TCTreeNode::Image::folder());
        node->size = "1.00 KB";
        category->children.push_back(path);
        category->addChild(node);
    }
    core::junk::FastCleanScanFile::recordChosenItems(*category);
    // The junk categories are indexed: the items stand in the second one.
    auto removal = std::make_shared<core::junk::JunkRemoval>(core::junk::JunkRemoval::Categories{
        core::junk::TCTreeNode::make("logs", "", 0, {}), category});
    return [removal] {
        removal->run();
        std::vector<bool> counted;
        for (const auto& item : removal->items()) counted.push_back(item.outcome == core::junk::JunkRemoval::Outcome::Removed);
        return counted;
    };
}

class Reports : public core::uninstall::AsMDeleteExecutorDelegate {
public:
    std::vector<bool> removed;
    void deleteRelatedFile(const core::uninstall::AMAppItemPtr&, const std::string&) override { removed.push_back(true); }
    void deleteRelatedFileFail(const core::uninstall::AMAppItemPtr&, const std::string&) override { removed.push_back(false); }
};

Run uninstall(Scene& scene) {
    std::vector<core::uninstall::AMAppItemPtr> records;
    for (const std::string& path : scene.items) {
        auto record = std::make_shared<core::uninstall::AMAppItem>();
        record->path = path;
        record->chosen = platform::ChosenItem::take(path);
        records.push_back(record);
    }
    return [records] {
        Reports reports;
        auto executor = std::make_shared<core::uninstall::AsMDeleteExecutor>(
            core::Executors::inlineExecutors(), refusingSession());
        executor->setDelegate(&reports);
        executor->executeDelete(records);
        return reports.removed;
    };
}

Run startupRemoval(Scene& scene) {
    std::vector<core::startup::ASLoginStartItem> listed;
    for (const std::string& path : scene.items) {
        core::startup::ASLoginStartItem item;
        item.path = path;
        item.source = core::startup::StartupItemSource::LaunchAgent;
        item.chosen = platform::ChosenItem::take(path);
        listed.push_back(item);
    }
    return [listed] {
        testsupport::FakeLoginItemList loginItems;
        std::vector<bool> counted;
        for (const auto& item : listed) counted.push_back(core::startup::StartupItemRemover::removeItem(item, loginItems));
        return counted;
    };
}

Run largeFileRemoval(Scene& scene) {
    auto tree = std::make_shared<core::largefiles::FileNodeTree>();
    core::largefiles::EumeRoot(tree).getRootNodeListWithPath(scene.chosenFolder());
    {
        auto access = tree->access();
        for (const auto& node : access.children(nullptr)) node->setState(core::largefiles::FileNode::Ticked);
    }
    return [tree] {
        std::set<std::string> before;
        for (const std::string& name : testsupport::SizeTreeReader(tree).names()) before.insert(name);
        auto removal = core::largefiles::FileNodeRemoval::make(tree, core::Executors::inlineExecutors(), {[](int, const std::string&) {}, [] {}});
        removal->start();
        const std::vector<std::string> left = testsupport::SizeTreeReader(tree).names();
        std::vector<bool> counted;
        for (int index = 0; index < kItems; ++index)
            counted.push_back(std::find(left.begin(), left.end(), "item" + std::to_string(index)) == left.end());
        return counted;
    };
}

Run duplicateDeletion(Scene& scene) {
    std::vector<core::DuplicateDeletion::Copy> copies;
    const platform::FileIdentity folder = platform::ListedFolder::of(scene.chosenFolder())->identity;
    for (const std::string& path : scene.items) {
        core::fileAttrbItem record = core::fileAttrbItem::fromEntry(path, *platform::FolderLister::entryAt(path));
        record.folder = folder;
        copies.push_back({path, core::CopyIdentity::ofFile(record), {}});
    }
    return [copies] {
        core::DuplicateDeletion deletion(copies);
        deletion.run({});
        std::vector<bool> counted;
        for (auto result : deletion.results()) counted.push_back(result == core::DuplicateDeletion::Result::Removed);
        return counted;
    };
}

// The browser's data folder is the scene's chosen folder; each item is a cache folder in it.
Run browserClean(Scene& scene) {
    auto node = std::make_shared<core::browser::BrowerObj>();
    node->browserKey = "Google Chrome";
    node->profilePath = scene.chosenFolder() + "/Default";
    node->roots.push_back(*platform::ListedFolder::of(scene.chosenFolder()));
    for (const std::string& path : scene.items) {
        auto item = std::make_shared<core::browser::BrowerObj>();
        item->parObj = node.get();
        item->browserKey = node->browserKey;
        item->name = "Caches";
        item->urlStr = path;
        core::browser::BrowserItemCleaner::recordChosenItems(*item);
        node->chrArr.push_back(item);
    }
    return [node] {
        for (const auto& item : node->chrArr) core::browser::BrowserItemCleaner().clean(*item);
        return std::vector<bool>(kItems, false);  // the cleaner shows what is left, and claims nothing
    };
}

class ShredEnd : public core::RemoveFileAndFolderDelegate {
public:
    void removeProgress(const std::string&, float) override {}
    void removeObjEnd(core::RemoveFileAndFolder*) override {}
    void haveFailWipe() override {}
};

Run shred(Scene& scene) {
    std::vector<std::shared_ptr<core::FileObj>> files;
    for (const std::string& path : scene.items) {
        auto file = std::make_shared<core::FileObj>();
        file->name = platform::lastPathComponent(path);
        file->url = path;
        file->size = 6;
        file->chosen = platform::ChosenItem::take(path);
        files.push_back(file);
    }
    return [files] {
        ShredEnd delegate;
        auto engine = std::make_shared<core::RemoveFileAndFolder>(core::Executors::inlineExecutors());
        engine->setDelegate(&delegate);
        engine->benginToTraskWithArr(files);
        std::vector<bool> counted;
        for (const auto& file : files) counted.push_back(file->failStr == "Success");
        return counted;
    };
}

}  // namespace

TEST(RemovalRace, JunkCleanRemovesNothingOutside) { race(junkClean, true, "junk", "not removing "); }
TEST(RemovalRace, UninstallRemovesNothingOutside) { race(uninstall, true, "uninstall", "not removing "); }
TEST(RemovalRace, StartupItemsRemoveNothingOutside) { race(startupRemoval, false, "startup", "not removing "); }
TEST(RemovalRace, LargeFilesRemoveNothingOutside) { race(largeFileRemoval, true, "large files", "--delete file error ---::"); }
TEST(RemovalRace, DuplicatesRemoveNothingOutside) { race(duplicateDeletion, false, "duplicates", "not deleting the duplicate"); }
TEST(RemovalRace, BrowserCleanRemovesNothingOutside) { race(browserClean, true, "browser", "not changing "); }

TEST(RemovalRace, ShredderErasesNothingOutside) {
    auto defaults = std::make_shared<testsupport::MemoryUserDefaults>();
    platform::UserDefaults::setShared(defaults);
    race(shred, false, "shredder", "Not shredding ");
    platform::UserDefaults::setShared(nullptr);
}
