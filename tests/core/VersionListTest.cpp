#include "core/kit/VersionList.h"
#include "support/HostileInput.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using core::VersionList;
using platform::PlistValue;

PlistValue list(std::initializer_list<std::pair<const char*, PlistValue>> entries) {
    PlistValue dictionary{PlistValue::Dictionary{}};
    for (const auto& [key, value] : entries) dictionary.set(key, value);
    return dictionary;
}

// What the network brings is read for what is valid in it, never more.
TEST(VersionListTest, OnlyWhatIsValidIsRead) {
    struct Case {
        const char* name;
        PlistValue published;
        int64_t versionCheck;
        std::string version;
        std::vector<std::string> notes;
    };
    const Case cases[] = {
        {"complete", list({{"VersionCheck", PlistValue(120)}, {"Version", "1.2"}, {"1", "a"}, {"2", "b"}}), 120, "1.2", {"a", "b"}},
        {"number as text", list({{"VersionCheck", "  121"}, {"Version", "1.2.1"}}), 121, "1.2.1", {}},
        {"real number", list({{"VersionCheck", PlistValue(122.9)}}), 122, "", {}},
        {"not a number", list({{"VersionCheck", "new"}, {"Version", "x"}}), 0, "x", {}},
        {"a table", list({{"VersionCheck", list({})}, {"Version", PlistValue(3)}}), 0, "", {}},
        {"not a number at all", list({{"VersionCheck", PlistValue(std::nan(""))}}), 0, "", {}},
        {"beyond every integer", list({{"VersionCheck", PlistValue(1e300)}}), std::numeric_limits<int64_t>::max(), "", {}},
        {"a gap", list({{"VersionCheck", PlistValue(5)}, {"1", "a"}, {"3", "c"}}), 5, "", {"a"}},
        {"a note not a text", list({{"1", "a"}, {"2", PlistValue(7)}, {"3", "c"}}), 0, "", {"a"}},
        {"no dictionary", PlistValue("1.2"), 0, "", {}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const VersionList read = VersionList::fromDictionary(test.published);
        EXPECT_EQ(read.versionCheck, test.versionCheck);
        EXPECT_EQ(read.version, test.version);
        EXPECT_EQ(read.notes, test.notes);
    }
}

TEST(VersionListTest, ABodyThatIsNoPropertyListIsTheEmptyList) {
    for (const char* body : {"", "<html>404</html>", "<?xml version=\"1.0\"?><plist><dict><key>1</key>"}) {
        const VersionList read = VersionList::fromBytes(body);
        EXPECT_EQ(read.versionCheck, 0);
        EXPECT_TRUE(read.notes.empty());
    }
    const std::string xml = list({{"VersionCheck", PlistValue(9)}, {"Version", "9"}, {"1", "n"}}).toXml();
    EXPECT_EQ(VersionList::fromBytes(xml).notes, std::vector<std::string>{"n"});
}

// Whoever serves or intercepts the list cannot end the application with it: a list nested past
// the limit, or one whose shared objects unfold without end, is refused whole.
TEST(VersionListTest, AListNestedOrUnfoldingPastTheLimitIsTheEmptyList) {
    const std::string arrays = testsupport::repeatedText("<array>", 300) + testsupport::repeatedText("</array>", 300);
    const std::string nestedInsideAValidList = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>"
                                               "<key>VersionCheck</key><integer>9</integer><key>x</key>" +
                                               arrays + "</dict></plist>";
    for (const std::string& body : {nestedInsideAValidList, testsupport::nestedXmlList(50000),
                                    testsupport::nestedBinaryList(150000), testsupport::unfoldingBinaryList(60)}) {
        const VersionList read = VersionList::fromBytes(body);
        EXPECT_EQ(read.versionCheck, 0);
        EXPECT_TRUE(read.notes.empty());
    }
}

}  // namespace
