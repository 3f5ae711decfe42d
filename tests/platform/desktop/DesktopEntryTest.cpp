#include "platform/desktop/DesktopEntry.h"

#include <gtest/gtest.h>

#include <algorithm>

using platform::DesktopEntry;

TEST(DesktopEntry, WrittenValuesAndCommandsReadBackUnchanged) {
    const std::vector<std::string> arguments = {"/opt/plain",  "with space", "q\"uote", "back\\slash", "$(touch x)",
                                                "`id`",        "100%",       "%U",      " leading",    "tab\there"};
    DesktopEntry entry;
    entry.setValue("Exec", DesktopEntry::execLine(arguments));
    entry.setValue("Name", " 名字 \\ with\nnewline");
    auto read = DesktopEntry::parse(entry.text());
    ASSERT_TRUE(read);
    EXPECT_EQ(read->execArguments(), arguments);
    EXPECT_EQ(read->value("Name"), " 名字 \\ with\nnewline");
    const std::string text = entry.text();
    EXPECT_EQ(text.find('\n'), std::string("[Desktop Entry]").size()) << "the header line";
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3) << "one line per key";
}
