#include "platform/system/PlistValue.h"
#include "support/HostileInput.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

using platform::PlistValue;
using namespace testsupport;

namespace {

// Containers on the way down through every first item.
size_t depthOf(const PlistValue& value) {
    size_t depth = 0;
    for (const PlistValue* level = &value; level->isArray() || level->isDictionary(); ++depth) {
        if (level->isArray() && !level->array().empty()) level = &level->array().front();
        else if (level->isDictionary() && !level->dictionary().empty()) level = &level->dictionary().begin()->second;
        else return depth + 1;
    }
    return depth;
}

std::string xmlList(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">" + body + "</plist>\n";
}

}  // namespace

// Nesting past 256 levels, shared objects that unfold without end, a list inside itself and a
// zero in a key are refused before libplist builds a tree (its binary reader and its destructor
// recurse per level, it copies a shared object wherever it is used, and its key getter stops the
// program on a zero), so the conversion never sees them.
TEST(PlistValue, ListsTooDeepOrUnfoldingTooFarAreRefusedBeforeAnythingIsBuilt) {
    struct Case {
        const char* name;
        std::string bytes;
        size_t depth;         // of the list read; 0: refused
        const char* logged;  // a fragment of the refusal's line
    };
    const Case cases[] = {
        {"XML at the limit", nestedXmlList(256), 256, ""},
        {"XML a level deeper", nestedXmlList(257), 0, "nested deeper than 256 levels"},
        {"XML of 50,000 levels", nestedXmlList(50000), 0, "nested deeper than 256 levels"},
        {"XML dictionaries a level deeper", xmlList(repeatedText("<dict><key>k</key>", 257) + repeatedText("</dict>", 257)), 0,
         "nested deeper than 256 levels"},
        {"XML with tags inside comments", xmlList("<array><!-- " + repeatedText("<array>", 300) + " --></array>"), 1, ""},
        {"XML of many empty arrays side by side", xmlList("<array>" + repeatedText("<array/>", 1000) + "</array>"), 2, ""},
        {"binary at the limit", nestedBinaryList(256), 256, ""},
        {"binary a level deeper", nestedBinaryList(257), 0, "nested deeper than 256 levels"},
        {"binary of 150,000 levels", nestedBinaryList(150000), 0, "nested deeper than 256 levels"},
        {"binary unfolding into 2^60 nodes", unfoldingBinaryList(60), 0, "unfold into more nodes"},
        {"binary holding itself", selfContainingBinaryList(), 0, "contains itself"},
        {"binary with a zero in a key", binaryDictionary(std::string("a\0b", 3), "x"), 0, "zero character in a dictionary key"},
        {"XML holding a zero byte", xmlList(std::string("<dict><key>a\0b</key><string>x</string></dict>", 45)), 0, ""},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        LogCapture log;
        const auto read = PlistValue::fromBytes(test.bytes);
        EXPECT_EQ(read.has_value(), test.depth > 0);
        if (read) {
            EXPECT_EQ(depthOf(*read), test.depth);
        }
        if (*test.logged) EXPECT_TRUE(log.contains(test.logged));
        else EXPECT_TRUE(log.lines().empty());
    }
}

// A text holding a zero character ends there; libplist's copying getter would end the program.
TEST(PlistValue, ATextEndsAtItsFirstZeroCharacter) {
    const auto read = PlistValue::fromBytes(binaryDictionary("path", std::string("/\0\0usr/lib", 10)));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ((*read)["path"].toString(), "/");
}

// libplist keeps a date in 32-bit seconds: a date beyond them is written as the nearest one.
TEST(PlistValue, DatesBeyondWhatTheWriterHoldsAreWrittenAsTheNearest) {
    const std::pair<double, double> dates[] = {{12, 12}, {1e12, 2147483647.0}, {-1e12, -2147483648.0}};
    for (const auto& [date, written] : dates) {
        const auto read = PlistValue::fromBytes(PlistValue::date(date).toXml());
        ASSERT_TRUE(read.has_value());
        EXPECT_DOUBLE_EQ(read->dateValue(), written) << date;
    }
}
