#include "core/uninstall/RelatedAppFilesScanner.h"

#include "core/kit/CommUti.h"
#include "support/MacBundles.h"

#include <gtest/gtest.h>

using core::uninstall::AddPathIfExists;
using core::uninstall::RelatedAppFilesScanner;
using core::uninstall::RelatedFileList;
using testsupport::MacHomeFixture;
using testsupport::makeBundle;
using testsupport::pathsOf;

// The match rule: a case-insensitive prefix of the term, or of the term without its spaces,
// over all of Unicode; hidden entries count; an empty term matches nothing.
TEST(RelatedAppFilesScanner, AnEntryMatchesWhenItsNameBeginsWithTheTerm) {
    struct Case {
        std::string term;
        std::vector<std::string> entries;
        std::vector<std::string> matches;  // in name order
    };
    const std::vector<Case> cases = {
        {"Foo Bar", {"Foo Bar Tool", "FooBar", "My Foo Bar", "foo", "foobar.plist"}, {"Foo Bar Tool", "FooBar", "foobar.plist"}},
        {"Éclair", {"ÉCLAIR Data", "eclair", "éclair.plist"}, {"ÉCLAIR Data", "éclair.plist"}},
        {".Hidden", {".hidden-state", "hidden"}, {".hidden-state"}},
        {"", {"anything"}, {}},
    };
    for (const auto& test : cases) {
        MacHomeFixture home;
        std::vector<std::string> expected;
        for (const auto& entry : test.entries) home.file("~/Library/Caches/" + entry);
        for (const auto& match : test.matches) expected.push_back(home.path("~/Library/Caches/" + match));
        RelatedFileList result;
        AddPathIfExists(result, home.path("~/Library/Caches"), test.term);
        EXPECT_EQ(pathsOf(result.items()), expected) << test.term;
    }
}

// Nested applications first (each with its own related files), then the bundle, then the
// matches folder by folder and the Growl ticket, each item once, each sized.
TEST(RelatedAppFilesScanner, GathersNestedApplicationsTheBundleAndItsLibraryEntries) {
    MacHomeFixture home;
    const std::string app = makeBundle(home, "~/Downloads/Foo Bar.app", "com.example.foobar", "Foo Bar");
    const std::string helper =
        makeBundle(home, "~/Downloads/Foo Bar.app/Contents/MacOS/Helper.app", "com.example.helper", "Helper");
    const std::string deep = home.folder("~/Downloads/Foo Bar.app/Contents/MacOS/Tools/Contents/MacOS/Deep.app");
    home.link("~/Downloads/Foo Bar.app/Contents/MacOS/Other.app", home.folder("/Applications/Other.app"));
    const std::string helperCache = home.file("~/Library/Caches/com.example.helper", std::string(512, 'x'));
    const std::string cache = home.file("~/Library/Caches/FooBar/data", std::string(2048, 'x'));
    const std::string linked = home.link("~/Library/Caches/foobar-link", home.path("/Applications"));
    home.file("~/Library/Application Support/My Foo Bar/x");
    const std::string tool = home.file("~/Library/Application Support/Foo Bar Tool/x");
    const std::string preferences = home.file("~/Library/Preferences/foobar.plist");
    home.link("/Users/Shared", home.path("~/Library/Preferences"));  // a second spelling of Preferences
    const std::string container = home.folder("~/Library/Containers/com.example.foobar");
    const std::string ticket = home.file("~/Library/Application Support/Growl/Tickets/Foo Bar.growlTicket");

    auto items = RelatedAppFilesScanner::relatedFilesToApplicationAtPath(app);

    EXPECT_EQ(pathsOf(items), (std::vector<std::string>{helper, helperCache, deep, app, home.path("~/Library/Caches/FooBar"),
                                                        linked, home.path("~/Library/Application Support/Foo Bar Tool"),
                                                        preferences, container, ticket}));
    ASSERT_EQ(items.size(), 10u);
    EXPECT_EQ(items[1]->size, "0.50 KB");
    EXPECT_EQ(items[4]->size, "2.00 KB");
    EXPECT_EQ(items[5]->size, core::CommUti::convertVolSpace(home.path("/Applications").size()));  // the link itself
    for (const auto& item : items) EXPECT_TRUE(item->bIsGetSize) << item->path;
}

// Without an identifier (missing, or one space) nothing is searched; a name that begins the
// identifier's entries finds each of them once.
TEST(RelatedAppFilesScanner, SearchesOnlyWithBothTermsAndListsADoubleMatchOnce) {
    struct Case {
        std::string identifier, name;
        std::vector<std::string> matches;
    };
    const std::vector<Case> cases = {
        {"", "Acme", {}},
        {" ", "Acme", {}},
        {"acme.tools", "Acme", {"~/Library/Preferences/acme.tools.plist"}},
    };
    for (const auto& test : cases) {
        MacHomeFixture home;
        const std::string app = makeBundle(home, "/Applications/Acme.app", test.identifier, test.name);
        const std::string nested = home.folder("/Applications/Acme.app/Contents/MacOS/Part.app");
        home.file("~/Library/Preferences/acme.tools.plist");
        std::vector<std::string> expected = {nested, app};
        for (const auto& match : test.matches) expected.push_back(home.path(match));

        EXPECT_EQ(pathsOf(RelatedAppFilesScanner::relatedFilesToApplicationAtPath(app)), expected)
            << "identifier '" << test.identifier << "'";
    }
}
