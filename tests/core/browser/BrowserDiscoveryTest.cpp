#include "core/browser/BrowserDiscovery.h"

#include "core/browser/BrowserItemKeys.h"
#include "support/HostileInput.h"
#include "support/LogCapture.h"
#include "support/MacBundles.h"

#include <gtest/gtest.h>

using core::IconReference;
using core::browser::BrowerObj;
using core::browser::BrowserDiscovery;
using core::browser::BrowserList;
using testsupport::MacHomeFixture;
using testsupport::makeBundle;

namespace {

const std::string kChromeRoot = "~/Library/Application Support/Google/Chrome";

struct Node {
    std::string name, browserKey, profilePath, profileName;
    bool operator==(const Node& other) const {
        return std::tie(name, browserKey, profilePath, profileName) ==
               std::tie(other.name, other.browserKey, other.profilePath, other.profileName);
    }
};

std::ostream& operator<<(std::ostream& out, const Node& node) {
    return out << node.name << " | " << node.browserKey << " | " << node.profilePath << " | " << node.profileName;
}

std::vector<Node> nodesOf(const BrowserList& list) {
    std::vector<Node> nodes;
    for (const auto& node : list) nodes.push_back({node->name, node->browserKey, node->profilePath, node->profileName});
    return nodes;
}

std::vector<std::string> itemKeysOf(const BrowerObj& node) {
    std::vector<std::string> keys;
    for (const auto& item : node.chrArr) keys.push_back(item->name);
    return keys;
}

// Measures nothing; records what it was asked.
BrowserDiscovery::Options recordingOptions(std::vector<std::string>& asked) {
    BrowserDiscovery::Options options;
    options.measure = [&asked](const BrowerObj& item, const std::string& profilePath) {
        asked.push_back(item.browserKey + ":" + item.name + "@" + profilePath);
        return std::string("measured");
    };
    options.desktopEntryFolders = std::vector<std::string>{};
    return options;
}

}  // namespace

// A Chrome data root splits into its profiles, named from their preferences.
TEST(BrowserDiscovery, SplitsAChromeDataRootIntoNamedProfiles) {
    MacHomeFixture home;
    home.file(kChromeRoot + "/Default/History");
    home.file(kChromeRoot + "/Default/Preferences", R"({"profile": {"name": "Work"}})");
    home.file(kChromeRoot + "/Profile 1/Cookies");
    home.file(kChromeRoot + "/Profile 1/Preferences", "{ not json");
    home.file(kChromeRoot + "/Profile 2/History");
    home.file(kChromeRoot + "/Profile 2/Preferences", R"({"profile": {"name": ""}})");
    home.folder(kChromeRoot + "/System Profile");  // no marker file: not a profile
    home.file(kChromeRoot + "/Elsewhere/History");
    home.link(kChromeRoot + "/Profile 3", home.path(kChromeRoot + "/Elsewhere"));  // a link: skipped

    std::vector<std::string> asked;
    BrowserDiscovery discovery(recordingOptions(asked));
    BrowserList list;
    const std::string root = home.path(kChromeRoot);
    discovery.addBrowserProfilesForPath(root, "Google Chrome", "Google Chrome", IconReference::named("x"), list);

    EXPECT_EQ(nodesOf(list), (std::vector<Node>{
                                 {"Google Chrome - Work", "Google Chrome", root + "/Default", "Work"},
                                 {"Google Chrome - Profile 1", "Google Chrome", root + "/Profile 1", "Profile 1"},
                                 {"Google Chrome - Profile 2", "Google Chrome", root + "/Profile 2", "Profile 2"},
                             }));
    const BrowerObj& work = *list[0];
    EXPECT_EQ(itemKeysOf(work), (std::vector<std::string>{"Browsing History", "Downloads History", "Save Password",
                                                          "Cookies", "Caches", "Session", "Session Storage",
                                                          "Local Storage"}));
    const auto& history = *work.chrArr[0];
    EXPECT_EQ(history.parObj, &work);
    EXPECT_EQ(history.browserKey, "Google Chrome");
    EXPECT_EQ(history.urlStr, root + "/Default/History");
    EXPECT_EQ(history.size, "measured");
    EXPECT_EQ(history.isSelect, BrowerObj::kSelected);
    EXPECT_EQ(history.iconImage.name, "icon_history");
    EXPECT_EQ(history.itemDescription, "浏览历史记录，包括访问过的网站和时间");
    EXPECT_EQ(work.chrArr[4]->urlStr, home.path("~/Library/Caches/Google/Chrome/Default/Cache"));
    EXPECT_EQ(asked.front(), "Google Chrome:Browsing History@" + root + "/Default");
    // No item of any node works on the profile folder or the data root itself.
    for (const auto& node : list)
        for (const auto& item : node->chrArr) {
            EXPECT_NE(item->urlStr, node->profilePath);
            EXPECT_NE(item->urlStr, root);
        }
}

// A Preferences file nested deeper than any real one is refused while it is parsed, like a
// broken one: the profile keeps its folder's name, and nothing of the file is kept to be copied.
TEST(BrowserDiscovery, APreferencesFileNestedTooDeeplyIsRefusedLikeABrokenOne) {
    MacHomeFixture home;
    const std::pair<size_t, std::optional<std::string>> cases[] = {{255, "Work"}, {256, std::nullopt}, {500000, std::nullopt}};
    for (const auto& [levels, name] : cases) {
        SCOPED_TRACE(levels);
        testsupport::LogCapture log;
        const std::string preferences = R"({"profile": {"name": "Work"}, "extensions": )" +
                                        testsupport::nestedJsonArrays(levels) + "}";
        home.file(kChromeRoot + "/Default/Preferences", preferences);
        EXPECT_EQ(BrowserDiscovery::getChromeProfileNameFromPath(home.path(kChromeRoot + "/Default")), name);
        EXPECT_EQ(log.contains("nests deeper than 256 levels and is refused"), !name.has_value());
    }
}

// Firefox's profile folders are named by their endings; a folder may pass both tests.
TEST(BrowserDiscovery, NamesFirefoxProfilesAndFallsBackToOneDefaultNode) {
    MacHomeFixture home;
    const std::string root = home.path("~/Library/Application Support/Firefox/Profiles");
    home.file("~/Library/Application Support/Firefox/Profiles/abc.default-release/places.sqlite");
    home.file("~/Library/Application Support/Firefox/Profiles/def.default-esr/places.sqlite");
    home.file("~/Library/Application Support/Firefox/Profiles/Profile 9.default/History");
    home.file("~/Library/Application Support/Firefox/Profiles/ghi.default/notes.txt");  // no marker

    std::vector<std::string> asked;
    BrowserDiscovery discovery(recordingOptions(asked));
    BrowserList list;
    discovery.addBrowserProfilesForPath(root, "Firefox", "Firefox", {}, list);
    EXPECT_EQ(nodesOf(list), (std::vector<Node>{
                                 {"Firefox - Profile 9.default", "Firefox", root + "/Profile 9.default", "Profile 9.default"},
                                 {"Firefox - tester/Profile 9.default", "Firefox", root + "/Profile 9.default",
                                  "Profile 9.default"},
                                 {"Firefox - tester/abc.default-release", "Firefox", root + "/abc.default-release",
                                  "abc.default-release"},
                                 {"Firefox - tester/def.default-esr", "Firefox", root + "/def.default-esr",
                                  "def.default-esr"},
                             }));

    BrowserList missing;
    const std::string edge = home.path("~/Library/Application Support/Microsoft Edge");
    discovery.addBrowserProfilesForPath(edge, "Microsoft Edge", "Microsoft Edge", {}, missing);
    EXPECT_EQ(nodesOf(missing), (std::vector<Node>{{"Microsoft Edge - tester/Default", "Microsoft Edge", edge, "Default"}}));
    EXPECT_EQ(itemKeysOf(*missing[0]), (std::vector<std::string>{"Browsing History", "Downloads History", "Save Password",
                                                                 "Cookies", "Session", "Local Storage"}));
}

// Under a root the Applications folders are searched for bundles, at any depth but never inside
// one; the name decides the browser, each Edge channel before the plain one.
TEST(BrowserDiscovery, FindsBrowserBundlesInTheApplicationsFolders) {
    MacHomeFixture home;
    makeBundle(home, "/Applications/Safari.app", "com.apple.Safari");
    makeBundle(home, "/Applications/Browsers/Microsoft Edge Beta.app", "com.microsoft.edgemac.Beta");
    makeBundle(home, "/Applications/Browsers/Microsoft Edge Beta.app/Contents/Helpers/Opera.app", "x");
    makeBundle(home, "~/Applications/Google Chrome.app", "com.google.Chrome");
    makeBundle(home, "/Applications/Google Chrome.app", "com.google.Chrome");
    makeBundle(home, "/Applications/TextEdit.app", "com.apple.TextEdit");
    home.file(kChromeRoot + "/Default/History");

    std::vector<std::string> asked;
    BrowserList list = BrowserDiscovery(recordingOptions(asked)).discover();
    const std::string chromeDefault = home.path(kChromeRoot + "/Default");
    const std::string edgeBeta = home.path("~/Library/Application Support/Microsoft Edge Beta");
    EXPECT_EQ(nodesOf(list), (std::vector<Node>{
                                 {"Google Chrome - Default", "Google Chrome", chromeDefault, "Default"},
                                 {"Microsoft Edge Beta - tester/Default", "Microsoft Edge Beta", edgeBeta, "Default"},
                                 {"Google Chrome - Default", "Google Chrome", chromeDefault, "Default"},
                                 {"Safari", "Safari", "", ""},
                             }));
    const BrowerObj& safari = *list[3];
    ASSERT_FALSE(safari.chrArr.empty());
    EXPECT_EQ(safari.chrArr[0]->name, "Browsing History");
    EXPECT_EQ(safari.chrArr[0]->urlStr, "/Users/%@/Library/Safari/History.db");
    EXPECT_EQ(asked.back(), "Safari:Local Storage@");
}

// On a Linux desktop the installed desktop entries stand for the Applications folders.
TEST(BrowserDiscovery, NativelyFindsBrowsersThroughTheirDesktopEntries) {
    MacHomeFixture home([](platform::Environment::Values& values) { values.root = "/"; });
    const auto& folder = home.environment().folder();
    folder.writeFile("applications/google-chrome.desktop",
                     "[Desktop Entry]\nType=Application\nName=Google Chrome\nIcon=google-chrome\nExec=/opt/google/chrome/chrome\n");
    folder.writeFile("applications/org.gnome.Epiphany.desktop",
                     "[Desktop Entry]\nType=Application\nName=Web\nExec=epiphany\n");
    const std::string chrome = home.file("~/.config/google-chrome/Profile 1/History");
    home.file("~/.config/google-chrome/Profile 1/Preferences", R"({"profile": {"name": "Person 1"}})");

    std::vector<std::string> asked;
    auto options = recordingOptions(asked);
    options.desktopEntryFolders = std::vector<std::string>{folder / "applications"};
    BrowserList list = BrowserDiscovery(options).discover();
    const std::string profile = home.environment().environment().values().realHome + "/.config/google-chrome/Profile 1";
    EXPECT_EQ(nodesOf(list), (std::vector<Node>{{"Google Chrome - Person 1", "Google Chrome", profile, "Person 1"}}));
    EXPECT_EQ(list[0]->iconImage.kind, IconReference::Kind::DesktopIcon);
    EXPECT_EQ(list[0]->iconImage.name, "google-chrome");
    EXPECT_EQ(list[0]->chrArr[0]->urlStr, chrome);
    EXPECT_EQ(list[0]->chrArr[4]->urlStr,
              home.environment().environment().values().realHome + "/.cache/google-chrome/Profile 1/Cache");
}

// A stopped discovery ends with what it has; the progress names the node being measured.
TEST(BrowserDiscovery, StopsWhenAskedAndReportsTheNodeInHand) {
    MacHomeFixture home;
    makeBundle(home, "/Applications/Safari.app", "com.apple.Safari");
    std::vector<std::string> asked;
    auto options = recordingOptions(asked);
    core::ProgressState progress;
    options.progress = &progress;
    EXPECT_EQ(BrowserDiscovery(options).discover().size(), 1u);
    EXPECT_EQ(progress.snapshot().done, 1u);
    EXPECT_EQ(progress.currentPath(), "Safari");

    core::StopToken stop;
    stop.requestStop();
    options.stop = &stop;
    EXPECT_TRUE(BrowserDiscovery(options).discover().empty());
}
