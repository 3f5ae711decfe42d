#include "core/uninstall/AppCatalogScanner.h"

#include "core/kit/Executors.h"
#include "support/MacBundles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using core::IconReference;
using core::uninstall::AMAppItemPtr;
using core::uninstall::AppCatalogScanner;
using core::uninstall::AppKind;
using testsupport::MacHomeFixture;
using testsupport::makeBundle;
using testsupport::pathsOf;

namespace {

struct Row {
    std::string path, name, bundleID, isSystemAppStr, size;
    bool operator==(const Row& other) const {
        return std::tie(path, name, bundleID, isSystemAppStr, size) ==
               std::tie(other.path, other.name, other.bundleID, other.isSystemAppStr, other.size);
    }
};

std::ostream& operator<<(std::ostream& out, const Row& row) {
    return out << row.path << " | " << row.name << " | " << row.bundleID << " | " << row.isSystemAppStr << " | "
               << row.size;
}

std::vector<Row> rowsOf(const std::vector<AMAppItemPtr>& items) {
    std::vector<Row> rows;
    for (const auto& item : items)
        rows.push_back({item->path, item->name, item->bundleID, item->isSystemAppStr, item->size});
    return rows;
}


}  // namespace

// The whole catalogue, scanned as the page does it: every kind handed over whole, in order.
TEST(AppCatalogScanner, ListsEachKindFromItsFoldersOnTheWorker) {
    MacHomeFixture home;
    const std::string one = makeBundle(home, "/Applications/Vendor/One.app", "com.example.one");
    const std::string two = makeBundle(home, "/Applications/Vendor/Two.app", "com.example.two");
    const std::string outer = makeBundle(home, "/Applications/Outer.app", "com.example.outer");
    makeBundle(home, "/Applications/Outer.app/Contents/Helpers/Inner.app", "com.example.inner");
    makeBundle(home, "/Applications/Safari.app", "com.apple.Safari");
    home.file("/Applications/NotABundle.app", "a file");
    const std::string bare = home.path("~/Applications/Bare.app");
    home.folder("~/Applications/Bare.app/Contents");
    const std::string linked = home.link("~/Desktop/Linked.app", one);
    home.link("~/Downloads/loop", home.path("~/Downloads"));  // a loop: the scan must end
    home.link("~/Downloads/elsewhere", home.path("/Applications"));
    // Widgets: only "wdgt", at any depth; plug-ins: the eight extensions, never entered.
    const std::string clock = home.folder("~/Library/Widgets/Clock.wdgt");
    const std::string weather = home.folder("/Library/Widgets/More/Weather.wdgt");
    home.file("~/Library/Widgets/notes.txt");
    const std::vector<std::string> pluginNames = {"a.app", "b.plugin", "c.webplugin", "d.component",
                                                  "e.mdimporter", "f.qlgenerator", "g.dictionary"};
    std::vector<std::string> plugins;
    for (const auto& name : pluginNames) plugins.push_back(home.folder("~/Library/Internet Plug-Ins/" + name));
    home.folder("~/Library/Internet Plug-Ins/b.plugin/Contents/PlugIns/inside.plugin");
    plugins.push_back(home.file("/Library/Safari/Deep/h.safariextz"));

    std::vector<std::pair<AppKind, std::vector<AMAppItemPtr>>> reports;
    bool finished = false;
    AppCatalogScanner::scanInBackground(
        core::Executors::inlineExecutors(), AppCatalogScanner::searchPaths(),
        {AppKind::Applications, AppKind::Widgets, AppKind::Plugins},
        {[&](AppKind kind, std::vector<AMAppItemPtr> items) { reports.emplace_back(kind, std::move(items)); },
         [&] { finished = true; }});

    ASSERT_EQ(reports.size(), 3u);
    EXPECT_TRUE(finished);
    EXPECT_EQ(reports[0].first, AppKind::Applications);
    EXPECT_EQ(rowsOf(reports[0].second),
              (std::vector<Row>{{bare, "Bare", "", "NO", "0KB"},
                                {outer, "Outer", "com.example.outer", "NO", "0KB"},
                                {one, "One", "com.example.one", "NO", "0KB"},
                                {two, "Two", "com.example.two", "NO", "0KB"},
                                {linked, "Linked", "com.example.one", "NO", "0KB"}}));
    EXPECT_EQ(reports[1].first, AppKind::Widgets);
    EXPECT_EQ(pathsOf(reports[1].second), (std::vector<std::string>{clock, weather}));
    EXPECT_EQ(reports[2].first, AppKind::Plugins);
    EXPECT_EQ(pathsOf(reports[2].second), plugins);
}

TEST(AppCatalogScanner, ABinaryInfoPlistReadsTheSameAsItsXmlTwin) {
    MacHomeFixture home;
    const std::string binary = testsupport::makeBundleWithRecordedInfo(home, "/Applications/Binary.app",
                                                                       "binary-Info.plist");
    const std::string xml = testsupport::makeBundleWithRecordedInfo(home, "/Applications/Xml.app", "xml-Info.plist");
    home.file("/Applications/Binary.app/Contents/Resources/AppIcon.icns", "icns");
    home.file("/Applications/Xml.app/Contents/Resources/AppIcon.icns", "icns");
    const auto before = std::chrono::system_clock::now() - std::chrono::minutes(1);

    auto items = AppCatalogScanner::scanKind(AppKind::Applications, {home.path("/Applications")});

    ASSERT_EQ(items.size(), 2u);
    for (const auto& item : items) {
        EXPECT_EQ(item->bundleID, "com.example.twin");
        EXPECT_EQ(item->bundleVersion, "2.1");
        EXPECT_EQ(item->image.kind, IconReference::Kind::ImageFile);
        EXPECT_EQ(item->image.name, item->path + "/Contents/Resources/AppIcon.icns");
        EXPECT_GT(item->date, before);
        EXPECT_LE(item->date, std::chrono::system_clock::now());
    }
    EXPECT_EQ(items[0]->path, binary);
    EXPECT_EQ(items[1]->path, xml);
}

// A broken or oversized Info.plist, or a pipe in its place, reads as none: the bundle is
// listed with no identifier and the generic icon, and the scan does not wait on the pipe.
TEST(AppCatalogScanner, AnUnreadableInfoPlistGivesARecordWithoutIdentifier) {
    MacHomeFixture home;
    home.file("/Applications/Broken.app/Contents/Info.plist", "<plist><dict><key>CFBundle");
    home.file("/Applications/Huge.app/Contents/Info.plist", std::string(1024 * 1024 + 1, ' '));
    home.folder("/Applications/Piped.app/Contents");
    ASSERT_EQ(mkfifo(home.path("/Applications/Piped.app/Contents/Info.plist").c_str(), 0644), 0);

    auto items = AppCatalogScanner::scanKind(AppKind::Applications, {home.path("/Applications")});

    ASSERT_EQ(items.size(), 3u);
    for (const auto& item : items) {
        EXPECT_EQ(item->bundleID, "");
        EXPECT_EQ(item->isSystemAppStr, "NO");
        EXPECT_EQ(item->image.kind, IconReference::Kind::PathIcon);
    }
}
