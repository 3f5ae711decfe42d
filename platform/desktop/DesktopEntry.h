#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The "[Desktop Entry]" group of a freedesktop.org desktop entry file (an installed
// application or an autostart entry). Other groups (actions) are skipped.
class DesktopEntry {
public:
    // Nothing when the file cannot be read or has no "[Desktop Entry]" group. Only a regular
    // file of at most 1 MiB is read; a FIFO in its place is never waited on.
    static std::optional<DesktopEntry> read(const std::string& file);
    static std::optional<DesktopEntry> parse(std::string_view text);

    // The value with its escapes (\s \n \t \r \\) undone; "" when the key is missing.
    std::string value(const std::string& key) const;
    // The value for a locale name such as "zh_CN" ("Name[zh_CN]", then "Name[zh]"), else value().
    std::string localizedValue(const std::string& key, const std::string& locale) const;
    bool flag(const std::string& key) const { return value(key) == "true"; }

    // The "Exec" line split into arguments, with its quoting undone and "%%" read as "%".
    std::vector<std::string> execArguments() const;
    // The program "Exec" starts and its arguments, "env" and its VAR=value assignments skipped.
    std::vector<std::string> execCommand() const;
    // The first of them; "" when none.
    std::string execProgram() const;

    // Sets a key to a plain text; its escapes are added when the entry is written.
    void setValue(const std::string& key, const std::string& text);
    // The group as the text of a file, keys in name order.
    std::string text() const;
    // An "Exec" text (for setValue) that runs exactly these arguments: each one in double
    // quotes with ", `, $ and \ escaped inside them, and every "%" written as "%%". The
    // arguments must hold no control characters: the caller refuses those.
    static std::string execLine(const std::vector<std::string>& arguments);

private:
    std::map<std::string, std::string, std::less<>> values_;
};

}  // namespace platform
