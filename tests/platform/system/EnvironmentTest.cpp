#include "platform/system/Environment.h"
#include "platform/files/PathText.h"
#include "support/ScopedEnvironment.h"
#include "support/ScopedVariable.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using platform::Environment;
using testsupport::ScopedVariable;

namespace {

Environment rootedAt(const std::string& root, const std::string& login = "alice") {
    Environment::Values values;
    values.root = root;
    values.realHome = "/home/real";
    values.loginName = login;
    return Environment(values);
}

}  // namespace

TEST(Environment, ResolveAddsTheRootExactlyOnce) {
    Environment env = rootedAt("/tmp/fixture/");
    EXPECT_EQ(env.homeFolder(), "/Users/alice");
    EXPECT_EQ(env.resolve(env.homeFolder()), "/tmp/fixture/Users/alice");
    EXPECT_EQ(env.resolve("/Users/alice/Library"), "/tmp/fixture/Users/alice/Library");
    EXPECT_EQ(env.resolve("~/Library/Caches/"), "/tmp/fixture/Users/alice/Library/Caches");
    EXPECT_EQ(env.resolve("~"), "/tmp/fixture/Users/alice");
    EXPECT_EQ(env.resolve("/Library/Caches"), "/tmp/fixture/Library/Caches");
    std::string once = env.resolve("~/Library");
    EXPECT_EQ(env.resolve(once), once);
    EXPECT_EQ(env.resolve("/"), "/tmp/fixture");
    // A sibling whose name only starts like the root is not inside it.
    EXPECT_EQ(env.resolve("/tmp/fixture2/x"), "/tmp/fixture/tmp/fixture2/x");
}

TEST(Environment, WithoutARootTheUsersFoldersAreTheLinuxDesktops) {
    Environment env = rootedAt("/", "al");
    EXPECT_FALSE(env.hasRoot());
    EXPECT_EQ(env.homeFolder(), "/home/real");
    const std::pair<const char*, const char*> cases[] = {
        {"~", "/home/real"},
        {"/Users/al", "/home/real"},
        {"~/Library/Caches", "/home/real/.cache"},
        {"/home/real/Library/Caches/pip", "/home/real/.cache/pip"},
        {"~/Library/Caches/Google/Chrome/Default/Cache", "/home/real/.cache/google-chrome/Default/Cache"},
        {"~/Library/Caches/Chromium", "/home/real/.cache/chromium"},
        {"~/.Trash/x", "/home/real/.local/share/Trash/files/x"},
        {"/Users/al/Library/Application Support/Google/Chrome/Default", "/home/real/.config/google-chrome/Default"},
        {"~/Library/Application Support/Chromium", "/home/real/.config/chromium"},
        {"~/Library/Application Support/Microsoft Edge/Default", "/home/real/.config/microsoft-edge/Default"},
        {"~/Library/Application Support/Microsoft Edge Beta/Default", "/home/real/.config/microsoft-edge-beta/Default"},
        {"~/Library/Application Support/Microsoft Edge Dev", "/home/real/.config/microsoft-edge-dev"},
        {"~/Library/Application Support/com.operasoftware.Opera", "/home/real/.config/opera"},
        {"~/Library/Caches/com.operasoftware.Opera", "/home/real/.cache/opera"},
        {"~/Library/Application Support/Firefox/Profiles/a.default-release", "/home/real/.mozilla/firefox/a.default-release"},
        {"~/Library/Caches/Firefox/Profiles/a.default-release/cache2", "/home/real/.cache/mozilla/firefox/a.default-release/cache2"},
        {"~/Library/Application Support/Steam/appcache/", "/home/real/.local/share/Steam/appcache"},
        {"~/Library/Application Support/minecraft/logs", "/home/real/.minecraft/logs"},
        {"~/Library/Application Support/Microsoft/Teams/Cache", "/home/real/.config/Microsoft/Microsoft Teams/Cache"},
        // Whole components only; without a counterpart a location keeps its macOS path.
        {"~/Library/Application Support/Microsoft Edge Canary", "/home/real/Library/Application Support/Microsoft Edge Canary"},
        {"~/Library/Caches2", "/home/real/Library/Caches2"},
        {"/Users/alice/Library/Caches", "/Users/alice/Library/Caches"},
        {"~/Library/Logs", "/home/real/Library/Logs"},
        {"~/Library/Containers/com.tencent.qq/Data/Library/Caches", "/home/real/Library/Containers/com.tencent.qq/Data/Library/Caches"},
        {"/Library/Caches", "/Library/Caches"},
        {"/private/var/log", "/private/var/log"},
        {"/System/Library/Caches/", "/System/Library/Caches"},
        {"/Applications", "/Applications"},
        {"/Library//Logs/./x/../y", "/Library/Logs/y"},
    };
    for (const auto& [macPath, linuxPath] : cases) {
        EXPECT_EQ(env.resolve(macPath), linuxPath) << macPath;
        EXPECT_EQ(env.resolve(env.resolve(macPath)), linuxPath) << macPath;
    }
}

TEST(Environment, TheXdgFoldersAreTakenWhenAbsolute) {
    Environment::Values values;
    values.realHome = "/home/real";
    values.loginName = "al";
    values.xdgCacheHome = "/xdg/cache/";
    values.xdgDataHome = "/xdg/data";
    values.xdgConfigHome = "relative/config";
    Environment env(values);
    EXPECT_EQ(env.resolve("~/Library/Caches/Google/Chrome"), "/xdg/cache/google-chrome");
    EXPECT_EQ(env.resolve("~/Library/Caches/Firefox/Profiles/a.default-esr"), "/xdg/cache/mozilla/firefox/a.default-esr");
    EXPECT_EQ(env.resolve("~/.Trash"), "/xdg/data/Trash/files");
    EXPECT_EQ(env.resolve("~/Library/Application Support/Google/Chrome"), "/home/real/.config/google-chrome");

    ScopedVariable cache("XDG_CACHE_HOME", "/from/process");
    EXPECT_EQ(Environment::valuesFromProcess().xdgCacheHome, "/from/process");
    testsupport::ScopedEnvironment scoped([](Environment::Values& scopedValues) { scopedValues.root = "/"; });
    EXPECT_EQ(Environment::current()->cacheHome(), scoped.folder() / "home/.cache");
}

TEST(Environment, AHomeOfTheRootFolderTakesInNothingButItsMacName) {
    Environment::Values values;
    values.realHome = "/";
    values.loginName = "al";
    Environment env(values);
    EXPECT_EQ(env.resolve("/Library/Caches"), "/Library/Caches");
    EXPECT_EQ(env.resolve("/Users/al/Library/Caches"), "/.cache");
}

TEST(Environment, LoginNameComesFromUserElseTheAccount) {
    {
        ScopedVariable user("USER", "someone");
        EXPECT_EQ(Environment::valuesFromProcess().loginName, "someone");
    }
    ScopedVariable user("USER", nullptr);
    std::string login = Environment::valuesFromProcess().loginName;
    EXPECT_NE(login, "(null)");
    EXPECT_FALSE(login.empty());
    if (const passwd* entry = getpwuid(geteuid())) {
        EXPECT_EQ(login, entry->pw_name);
    }
}

TEST(Environment, VersionAndRootsFollowTheirVariables) {
    ScopedVariable version("DURIDOVE_SYSTEM_VERSION", "10.9");
    ScopedVariable root("DURIDOVE_ROOT", "/srv/mac");
    ScopedVariable proc("DURIDOVE_PROC_ROOT", "/fixture/proc");
    Environment::Values values = Environment::valuesFromProcess();
    EXPECT_EQ(values.systemVersion, "10.9");
    EXPECT_EQ(values.root, "/srv/mac");
    EXPECT_EQ(values.procRoot, "/fixture/proc");
    EXPECT_EQ(values.sysRoot, "/sys");
    ScopedVariable unsetVersion("DURIDOVE_SYSTEM_VERSION", nullptr);
    EXPECT_EQ(Environment::valuesFromProcess().systemVersion, "10.15");
}

TEST(Environment, PreferredLanguagesComeFromTheLocaleVariables) {
    ScopedVariable language("LANGUAGE", "zh_CN:en_US");
    ScopedVariable all("LC_ALL", nullptr);
    ScopedVariable messages("LC_MESSAGES", nullptr);
    ScopedVariable lang("LANG", "de_DE.UTF-8");
    std::vector<std::string> expected{"zh_CN", "en_US", "de_DE"};
    EXPECT_EQ(Environment::valuesFromProcess().preferredLanguages, expected);
}

TEST(Environment, RuntimeFolderIsMadePrivate) {
    testsupport::ScopedEnvironment scoped;
    std::string folder = Environment::current()->runtimeFolder();
    ASSERT_FALSE(folder.empty());
    struct stat info {};
    ASSERT_EQ(lstat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST(Environment, RuntimeFolderThatIsALinkIsRefused) {
    testsupport::TempFolder temp;
    std::string target = temp.makeFolder("elsewhere");
    std::string link = temp / "runtime";
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
    Environment::Values values;
    values.runtimeFolder = link;
    EXPECT_EQ(Environment(values).runtimeFolder(), "");
}

TEST(PathText, LexicalHelpers) {
    // Paths already plain come back as they are; any empty, "." or ".." part or a slash at
    // the end is taken out.
    const std::pair<const char*, const char*> kNormalized[] = {
        {"/a/b/../c/", "/a/c"}, {"/../..", "/"},  {"/", "/"},        {"/a/b", "/a/b"}, {"a/b", "a/b"},
        {"/a//b", "/a/b"},      {"a/./b", "a/b"}, {"/a/b/.", "/a/b"}, {"a/", "a"},      {"../a", "../a"},
        {"./a", "a"},           {".", "."},       {"/a/..b", "/a/..b"}};
    for (const auto& [path, normalized] : kNormalized) EXPECT_EQ(platform::normalizedPath(path), normalized) << path;
    EXPECT_TRUE(platform::isInsideOrEqual("/a/b", "/a"));
    EXPECT_TRUE(platform::isInsideOrEqual("/a", "/a"));
    EXPECT_FALSE(platform::isInsideOrEqual("/ab", "/a"));
    EXPECT_TRUE(platform::isInsideOrEqual("/x", "/"));
    EXPECT_EQ(platform::lastPathComponent("/a/b.txt"), "b.txt");
    EXPECT_EQ(platform::parentPath("/a/b.txt"), "/a");
    EXPECT_EQ(platform::parentPath("/a"), "/");
    EXPECT_EQ(platform::pathExtension("/a/b.tar.GZ"), "GZ");
    EXPECT_EQ(platform::pathExtension("/a/noext"), "");
}
