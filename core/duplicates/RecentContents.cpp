#include "core/duplicates/RecentContents.h"

#include <algorithm>
#include <cstring>

namespace core {

std::size_t RecentContents::copyOf(std::size_t index, std::uint64_t crc, const unsigned char* bytes,
                                   std::size_t length) {
    if (length > longest) return none;
    ++seen_;
    for (Content& content : contents_) {
        if (content.crc != crc || content.bytes.size() != length) continue;
        // A file of the same size and CRC but other bytes is compared later like any other.
        if (std::memcmp(content.bytes.data(), bytes, length) != 0) return none;
        ++content.copies;
        return content.index;
    }
    Content* replaced = nullptr;
    if (contents_.size() < kept) {
        replaced = &contents_.emplace_back();
    } else {
        replaced = &*std::min_element(contents_.begin(), contents_.end(), [](const Content& a, const Content& b) {
            return a.copies != b.copies ? a.copies < b.copies : a.since < b.since;
        });
    }
    replaced->index = index;
    replaced->crc = crc;
    replaced->copies = 0;
    replaced->since = seen_;
    replaced->bytes.assign(bytes, bytes + length);
    return none;
}

}  // namespace core
