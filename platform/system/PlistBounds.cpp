#include "platform/system/PlistBounds.h"

#include "platform/system/BinaryPlistShape.h"
#include "platform/system/InputNesting.h"
#include "platform/system/Log.h"
#include "platform/system/PlistLibrary.h"

#include <cstdint>
#include <string>
#include <utility>

namespace platform {
namespace {

using Verdict = BinaryPlistShape::Verdict;

// Parts of an XML text whose content is no element: comments, character data, processing
// instructions and declarations, each with its end.
constexpr std::pair<std::string_view, std::string_view> kSkippedParts[] = {
    {"<!--", "-->"}, {"<![CDATA[", "]]>"}, {"<?", "?>"}, {"<!", ">"}};

bool startsAt(std::string_view text, size_t position, std::string_view prefix) {
    return text.substr(position, prefix.size()) == prefix;
}

// The name of the element whose tag opens at position ("<" or "</" already passed).
std::string_view elementName(std::string_view text, size_t position) {
    const size_t end = text.find_first_of(" \t\r\n/>", position);
    return text.substr(position, end == std::string_view::npos ? std::string_view::npos : end - position);
}

bool isContainer(std::string_view name) { return name == "array" || name == "dict"; }

// The ">" that ends the tag opening at position, quoted attribute values passed over;
// npos when the tag is not closed.
size_t tagEnd(std::string_view text, size_t position) {
    char quote = 0;
    for (size_t index = position; index < text.size(); ++index) {
        const char c = text[index];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return index;
        }
    }
    return std::string_view::npos;
}

// Counts the open <array> and <dict> elements along the text. Where this count and a parser
// could differ (a stray quote, a tag name run into other text), it counts more, never fewer.
Verdict xmlShape(std::string_view text) {
    // No XML holds a zero byte; libplist would keep one inside a text or a key, and its getters
    // stop the program on such a text.
    if (text.find('\0') != std::string_view::npos) return Verdict::Unreadable;
    size_t depth = 0;
    for (size_t position = text.find('<'); position != std::string_view::npos; position = text.find('<', position + 1)) {
        bool skipped = false;
        for (const auto& [opening, closing] : kSkippedParts) {
            if (!startsAt(text, position, opening)) continue;
            const size_t end = text.find(closing, position + opening.size());
            if (end == std::string_view::npos) return Verdict::Unreadable;
            position = end + closing.size() - 1;
            skipped = true;
            break;
        }
        if (skipped) continue;
        if (startsAt(text, position, "</")) {
            if (isContainer(elementName(text, position + 2)) && depth > 0) --depth;
            continue;
        }
        if (!isContainer(elementName(text, position + 1))) continue;
        const size_t end = tagEnd(text, position);
        if (end == std::string_view::npos) return Verdict::Unreadable;
        if (depth == kDeepestInputNesting) return Verdict::TooDeep;
        if (text[end - 1] != '/') ++depth;
        position = end;
    }
    return Verdict::Fits;
}

}  // namespace

bool PlistBounds::admits(std::string_view bytes) {
    const PlistLibrary* plist = PlistLibrary::loaded();
    if (!plist) return false;
    const bool binary = plist->plist_is_binary(bytes.data(), static_cast<uint32_t>(bytes.size()));
    const Verdict verdict = binary ? BinaryPlistShape::measure(bytes, kDeepestInputNesting, bytes.size())
                                   : xmlShape(bytes);
    switch (verdict) {
    case Verdict::Fits: return true;
    case Verdict::Unreadable: return false;
    case Verdict::TooDeep:
        logWarning("a property list nested deeper than " + std::to_string(kDeepestInputNesting) +
                   " levels is refused");
        return false;
    case Verdict::TooLarge:
        logWarning("a binary property list whose shared objects unfold into more nodes than it has bytes (" +
                   std::to_string(bytes.size()) + ") is refused");
        return false;
    case Verdict::RefersToItself:
        logWarning("a binary property list that contains itself is refused");
        return false;
    case Verdict::ZeroInKey:
        logWarning("a binary property list with a zero character in a dictionary key is refused");
        return false;
    }
    return false;
}

}  // namespace platform
