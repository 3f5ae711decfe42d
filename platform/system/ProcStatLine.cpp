#include "platform/system/ProcStatLine.h"

#include "platform/system/KernelFiles.h"

#include <algorithm>

namespace platform {
namespace {

constexpr int kFirstFieldAfterName = 3;
constexpr int kParentField = 4;
constexpr int kSessionField = 6;
constexpr int kStartTimeField = 22;
constexpr std::string_view kBlanks = " \t\n";

}  // namespace

std::optional<ProcStatLine> ProcStatLine::parse(std::string_view line) {
    const auto nameEnd = line.rfind(')');
    if (nameEnd == std::string_view::npos) return std::nullopt;
    ProcStatLine parsed;
    std::string_view rest = line.substr(nameEnd + 1);
    for (auto start = rest.find_first_not_of(kBlanks); start != std::string_view::npos;
         start = rest.find_first_not_of(kBlanks)) {
        rest.remove_prefix(start);
        const auto end = std::min(rest.find_first_of(kBlanks), rest.size());
        parsed.fieldsAfterName_.emplace_back(rest.substr(0, end));
        rest.remove_prefix(end);
    }
    return parsed;
}

bool ProcStatLine::hasField(int field) const {
    return field >= kFirstFieldAfterName &&
           static_cast<std::size_t>(field - kFirstFieldAfterName) < fieldsAfterName_.size();
}

std::optional<std::uint64_t> ProcStatLine::number(int field) const {
    if (!hasField(field)) return std::nullopt;
    return parseUnsignedNumber(fieldsAfterName_[static_cast<std::size_t>(field - kFirstFieldAfterName)]);
}

std::optional<std::uint64_t> ProcStatLine::parent() const { return number(kParentField); }

std::optional<std::uint64_t> ProcStatLine::session() const { return number(kSessionField); }

std::optional<std::uint64_t> ProcStatLine::startTime() const { return number(kStartTimeField); }

}  // namespace platform
