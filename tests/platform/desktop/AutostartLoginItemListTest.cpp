#include "platform/desktop/AutostartLoginItemList.h"
#include "platform/desktop/AutostartWatcher.h"
#include "platform/desktop/DesktopEntry.h"
#include "platform/files/FolderLister.h"
#include "platform/system/ProcessRunner.h"
#include "support/LogCapture.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <condition_variable>
#include <thread>

using platform::AutostartLoginItemList;
using platform::DesktopEntry;
using platform::LoginItem;

namespace {

// A user autostart folder and a machine-wide one in a temporary folder.
class Autostart {
    testsupport::ScopedEnvironment environment_;

public:
    AutostartLoginItemList list{{environment_.folder() / "home/.config/autostart", {environment_.folder() / "etc/xdg/autostart"}}};

    const testsupport::TempFolder& folder() const { return environment_.folder(); }
    std::string userEntry(const std::string& name, const std::string& body) const {
        return folder().writeFile("home/.config/autostart/" + name, "[Desktop Entry]\nType=Application\n" + body);
    }
    std::string machineEntry(const std::string& name, const std::string& body) const {
        return folder().writeFile("etc/xdg/autostart/" + name, "[Desktop Entry]\nType=Application\n" + body);
    }
    std::vector<std::string> userFiles() const {
        std::vector<std::string> files;
        for (const auto& entry : platform::FolderLister::list(folder() / "home/.config/autostart").value_or(std::vector<platform::FileEntry>{}))
            files.push_back(folder() / ("home/.config/autostart/" + entry.name));
        return files;
    }
    std::string program(const std::string& relative) const {
        std::string path = folder().writeFile(relative, "#!/bin/sh\ntouch \"" + (folder() / "ran") + "\"\n");
        chmod(path.c_str(), 0755);
        return path;
    }
};

std::vector<std::string> paths(const std::vector<LoginItem>& items) {
    std::vector<std::string> result;
    for (const auto& item : items) result.push_back(item.path);
    return result;
}

// desktop-file-validate's complaints about a file; "" when it has none.
std::string lint(const std::string& file) {
    auto result = platform::ProcessRunner::shared()->run({{"desktop-file-validate", file}});
    EXPECT_TRUE(result.started) << "desktop-file-validate is missing";
    return result.output + result.errorOutput + (result.exitStatus == 0 ? "" : "failed");
}

bool waitForFile(const std::string& path) {
    for (int i = 0; i < 200 && !platform::FolderLister::entryAt(path); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return platform::FolderLister::entryAt(path).has_value();
}

}  // namespace

TEST(AutostartLoginItemList, AddedItemsComeLastInTheOrderAddedAfterOtherProgramsEntries) {
    Autostart autostart;
    autostart.userEntry("zz-other.desktop", "Name=Other\nExec=env LANG=C /usr/bin/other --quiet %U\n");
    autostart.userEntry("hidden.desktop", "Name=Hidden\nExec=/usr/bin/hidden\nHidden=true\n");
    std::string zebra = autostart.program("apps/zebra");
    std::string alpha = autostart.folder().writeFile("docs/alpha.txt", "note");

    ASSERT_TRUE(autostart.list.addLoginItem(zebra));
    ASSERT_TRUE(autostart.list.addLoginItem(alpha));

    auto items = autostart.list.loginItems();
    EXPECT_EQ(paths(items), (std::vector<std::string>{"/usr/bin/other", zebra, alpha}));
    EXPECT_EQ(items[0].name, "Other");
    EXPECT_EQ(items[1].name, "zebra");
    for (const std::string& file : autostart.userFiles()) EXPECT_EQ(lint(file), "") << file;
    // A program starts directly, a document through xdg-open.
    std::vector<std::vector<std::string>> commands;
    for (const std::string& file : autostart.userFiles())
        if (auto entry = DesktopEntry::read(file); entry && !entry->value(AutostartLoginItemList::kPathKey).empty())
            commands.push_back(entry->execArguments());
    EXPECT_EQ(commands.size(), 2u);
    EXPECT_NE(std::find(commands.begin(), commands.end(), std::vector<std::string>{zebra}), commands.end());
    EXPECT_NE(std::find(commands.begin(), commands.end(), std::vector<std::string>{"xdg-open", alpha}), commands.end());
}

TEST(AutostartLoginItemList, AChosenDesktopEntryIsCopiedWithItsOwnCommand) {
    Autostart autostart;
    std::string chosen = autostart.folder().writeFile("apps/editor.desktop",
                                                       "[Desktop Entry]\nType=Application\nName=Editor\nExec=editor --new-window %F\nIcon=editor\n");
    ASSERT_TRUE(autostart.list.addLoginItem(chosen));
    ASSERT_EQ(autostart.userFiles().size(), 1u);
    auto copy = DesktopEntry::read(autostart.userFiles()[0]);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->value("Exec"), "editor --new-window %F");
    EXPECT_EQ(copy->value("Icon"), "editor");
    EXPECT_EQ(lint(autostart.userFiles()[0]), "");
    EXPECT_EQ(autostart.list.loginItems(), (std::vector<LoginItem>{{chosen, "Editor"}}));
}

TEST(AutostartLoginItemList, ACraftedPathRunsLiterallyAndNothingElse) {
    Autostart autostart;
    std::string folder = autostart.folder().makeFolder("work");
    std::string path = autostart.program("apps/a $(touch x) \" 100% `id` \\ 'q'/run");
    ASSERT_TRUE(autostart.list.addLoginItem(path));
    EXPECT_EQ(paths(autostart.list.loginItems()), std::vector<std::string>{path});
    ASSERT_EQ(autostart.userFiles().size(), 1u);
    std::string file = autostart.userFiles()[0];
    EXPECT_EQ(lint(file), "");
    EXPECT_EQ(DesktopEntry::read(file)->execArguments().back(), path);

    auto launched = platform::ProcessRunner::shared()->run(
        {{"/bin/sh", "-c", "cd \"$1\" && exec gio launch \"$2\"", "sh", folder, file}});
    ASSERT_TRUE(launched.succeeded()) << launched.errorOutput;
    EXPECT_TRUE(waitForFile(autostart.folder() / "ran"));
    EXPECT_FALSE(platform::FolderLister::entryAt(folder + "/x"));
}

TEST(AutostartLoginItemList, PathsThatCannotBeWrittenFaithfullyAreRefused) {
    Autostart autostart;
    testsupport::LogCapture log;
    for (std::string path : {autostart.program("apps/two\nlines"), autostart.program("apps/bell\a"), std::string("relative/run"),
                             autostart.program("apps/latin\xe9")})
        EXPECT_FALSE(autostart.list.addLoginItem(path));
    EXPECT_TRUE(autostart.userFiles().empty());
    EXPECT_TRUE(log.contains("not adding the login item"));
}

TEST(AutostartLoginItemList, RemovingTakesOutEveryEntryOfThePathAndHidesMachineEntries) {
    Autostart autostart;
    std::string program = autostart.program("apps/sync");
    autostart.userEntry("sync.desktop", "Name=Sync\nExec=" + program + "\n");
    autostart.machineEntry("sync.desktop", "Name=Sync\nExec=" + program + " --system\n");
    autostart.userEntry("other.desktop", "Name=Other\nExec=/usr/bin/other\n");
    ASSERT_TRUE(autostart.list.addLoginItem(program));
    ASSERT_EQ(paths(autostart.list.loginItems()), (std::vector<std::string>{"/usr/bin/other", program, program}));

    EXPECT_EQ(autostart.list.removeLoginItems(program), 2);

    EXPECT_EQ(paths(autostart.list.loginItems()), std::vector<std::string>{"/usr/bin/other"});
    auto shadow = DesktopEntry::read(autostart.folder() / "home/.config/autostart/sync.desktop");
    ASSERT_TRUE(shadow) << "deleting it would bring the machine's entry back";
    EXPECT_TRUE(shadow->flag("Hidden"));
    EXPECT_EQ(lint(autostart.folder() / "home/.config/autostart/sync.desktop"), "");
    EXPECT_EQ(autostart.userFiles().size(), 2u);
    EXPECT_EQ(autostart.list.removeLoginItems(program), 0);
}

TEST(AutostartLoginItemList, OddEntriesAreSkippedWithoutWaiting) {
    Autostart autostart;
    autostart.userEntry("good.desktop", "Name=Good\nExec=/usr/bin/good\n");
    autostart.userEntry("empty.desktop", "Name=Nothing\n");
    autostart.folder().writeFile("home/.config/autostart/garbage.desktop", "\x01\x02 not an entry");
    autostart.folder().writeFile("home/.config/autostart/notes.txt", "[Desktop Entry]\nExec=/usr/bin/notes\n");
    ASSERT_EQ(mkfifo((autostart.folder() / "home/.config/autostart/pipe.desktop").c_str(), 0600), 0);
    EXPECT_EQ(paths(autostart.list.loginItems()), std::vector<std::string>{"/usr/bin/good"});
}

TEST(AutostartLoginItemList, FoldersUnderARootAreTheMacHomes) {
    testsupport::ScopedEnvironment environment;
    auto folders = AutostartLoginItemList::foldersFromEnvironment();
    EXPECT_EQ(folders.user, environment.root() + "/Users/tester/.config/autostart");
    EXPECT_EQ(folders.system, std::vector<std::string>{environment.root() + "/etc/xdg/autostart"});
}

TEST(AutostartWatcher, ReportsChangesOnceTheFolderAppearsAndWhileItLives) {
    Autostart autostart;
    std::mutex mutex;
    std::condition_variable changed;
    int reports = 0;
    auto waitForReports = [&](int count) {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(20), [&] { return reports >= count; });
    };
    auto watch = autostart.list.watchChanges([&] {
        std::lock_guard<std::mutex> lock(mutex);
        ++reports;
        changed.notify_all();
    });
    std::string program = autostart.program("apps/tool");

    ASSERT_TRUE(autostart.list.addLoginItem(program));  // makes the folder
    ASSERT_TRUE(waitForReports(1));
    int afterAdding = reports;
    ASSERT_EQ(autostart.list.removeLoginItems(program), 1);
    EXPECT_TRUE(waitForReports(afterAdding + 1));
}
