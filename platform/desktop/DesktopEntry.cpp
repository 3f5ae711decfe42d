#include "platform/desktop/DesktopEntry.h"

#include "platform/files/RegularFile.h"

namespace platform {
namespace {

constexpr size_t kLargestFile = 1 << 20;

std::string_view trimmed(std::string_view text) {
    size_t start = text.find_first_not_of(" \t\r");
    if (start == std::string_view::npos) return {};
    size_t end = text.find_last_not_of(" \t\r");
    return text.substr(start, end - start + 1);
}

std::string unescaped(std::string_view raw) {
    std::string text;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\' || i + 1 == raw.size()) {
            text += raw[i];
            continue;
        }
        switch (raw[++i]) {
            case 's': text += ' '; break;
            case 'n': text += '\n'; break;
            case 't': text += '\t'; break;
            case 'r': text += '\r'; break;
            default: text += raw[i]; break;
        }
    }
    return text;
}

// The value's own escapes, the reverse of unescaped(); a leading blank is kept as "\s".
std::string escaped(std::string_view text) {
    std::string raw;
    for (size_t i = 0; i < text.size(); ++i) {
        switch (text[i]) {
            case '\\': raw += "\\\\"; break;
            case '\n': raw += "\\n"; break;
            case '\t': raw += "\\t"; break;
            case '\r': raw += "\\r"; break;
            case ' ': raw += i == 0 ? "\\s" : " "; break;
            default: raw += text[i]; break;
        }
    }
    return raw;
}

// Inside double quotes a backslash escapes ", `, $ and itself; outside, words end at blanks.
// "%%" stands for "%" everywhere, as the launchers expand it before they split the line.
std::vector<std::string> splitCommandLine(const std::string& line) {
    std::vector<std::string> arguments;
    std::string current;
    bool inWord = false, quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (c == '%' && i + 1 < line.size() && line[i + 1] == '%') {
            current += line[++i];
            inWord = true;
        } else if (quoted) {
            if (c == '\\' && i + 1 < line.size()) current += line[++i];
            else if (c == '"') quoted = false;
            else current += c;
        } else if (c == ' ' || c == '\t') {
            if (inWord) arguments.push_back(current), current.clear();
            inWord = false;
        } else {
            inWord = true;
            if (c == '"') quoted = true;
            else current += c;
        }
    }
    if (inWord) arguments.push_back(current);
    return arguments;
}

bool isAssignment(const std::string& word) {
    size_t equals = word.find('=');
    return equals != std::string::npos && equals > 0 && word.front() != '/';
}

}  // namespace

std::optional<DesktopEntry> DesktopEntry::read(const std::string& file) {
    auto content = readRegularFile(file, kLargestFile);
    if (!content) return std::nullopt;
    return parse(*content);
}

std::optional<DesktopEntry> DesktopEntry::parse(std::string_view text) {
    DesktopEntry entry;
    bool inGroup = false, sawGroup = false;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.empty() || line.front() == '#') continue;
        if (line.front() == '[') {
            inGroup = line == "[Desktop Entry]";
            sawGroup = sawGroup || inGroup;
            continue;
        }
        size_t equals = line.find('=');
        if (!inGroup || equals == std::string_view::npos) continue;
        std::string key(trimmed(line.substr(0, equals)));
        // The first occurrence of a key counts.
        entry.values_.emplace(std::move(key), std::string(trimmed(line.substr(equals + 1))));
    }
    if (!sawGroup) return std::nullopt;
    return entry;
}

std::string DesktopEntry::value(const std::string& key) const {
    auto found = values_.find(key);
    return found == values_.end() ? std::string() : unescaped(found->second);
}

std::string DesktopEntry::localizedValue(const std::string& key, const std::string& locale) const {
    std::string language = locale.substr(0, locale.find('_'));
    for (const std::string& name : {locale, language}) {
        if (name.empty()) continue;
        auto found = values_.find(key + "[" + name + "]");
        if (found != values_.end()) return unescaped(found->second);
    }
    return value(key);
}

std::vector<std::string> DesktopEntry::execArguments() const { return splitCommandLine(value("Exec")); }

std::vector<std::string> DesktopEntry::execCommand() const {
    auto arguments = execArguments();
    auto command = arguments.begin();
    if (command != arguments.end() && (*command == "env" || *command == "/usr/bin/env")) {
        ++command;
        while (command != arguments.end() && isAssignment(*command)) ++command;
    }
    return std::vector<std::string>(command, arguments.end());
}

std::string DesktopEntry::execProgram() const {
    auto command = execCommand();
    return command.empty() ? std::string() : command.front();
}

void DesktopEntry::setValue(const std::string& key, const std::string& text) { values_[key] = escaped(text); }

std::string DesktopEntry::text() const {
    std::string text = "[Desktop Entry]\n";
    for (const auto& [key, raw] : values_) text += key + "=" + raw + "\n";
    return text;
}

std::string DesktopEntry::execLine(const std::vector<std::string>& arguments) {
    std::string line;
    for (const std::string& argument : arguments) {
        if (!line.empty()) line += ' ';
        line += '"';
        for (char c : argument) {
            if (c == '"' || c == '`' || c == '$' || c == '\\') line += '\\';
            line += c == '%' ? std::string("%%") : std::string(1, c);
        }
        line += '"';
    }
    return line;
}

}  // namespace platform
