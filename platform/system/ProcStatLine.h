#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// One line of /proc/<pid>/stat, its fields numbered as the kernel documents them (1 is the pid).
// The command name (field 2, in parentheses) may itself hold blanks and parentheses, so the
// fields are counted after its last ")".
class ProcStatLine {
public:
    // Nothing when the line holds no name in parentheses.
    static std::optional<ProcStatLine> parse(std::string_view line);

    // Field N (3 and later) as a number; nothing past the line's end or for another text.
    std::optional<std::uint64_t> number(int field) const;

    std::optional<std::uint64_t> parent() const;     // field 4
    std::optional<std::uint64_t> session() const;    // field 6, the session leader's pid
    std::optional<std::uint64_t> startTime() const;  // field 22, in clock ticks since boot

private:
    bool hasField(int field) const;

    std::vector<std::string> fieldsAfterName_;  // field 3 on
};

}  // namespace platform
