#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

// The tree a binary property list ("bplist00") unfolds into, measured by following its object
// references without building anything. Objects may be shared, so a few hundred bytes can
// unfold into billions of nodes, and references may go round in a circle; a reader has to know
// before it hands the bytes to a parser that copies every shared object where it is used.
class BinaryPlistShape {
public:
    enum class Verdict { Fits, TooDeep, TooLarge, RefersToItself, ZeroInKey, Unreadable };

    // Fits when no path from the top object crosses more than deepest containers and the whole
    // tree holds at most mostNodes nodes (every dictionary key counted); ZeroInKey when a
    // dictionary key holds a zero character, on which libplist's key getter stops the program;
    // Unreadable when the trailer, offset table, a container's references or a key's text lie
    // outside the list.
    static Verdict measure(std::string_view bytes, size_t deepest, uint64_t mostNodes);

private:
    // Where a container's object references lie; none for any other object. A dictionary
    // lists its keys' references, then its values'.
    struct References {
        bool container = false;
        bool dictionary = false;
        uint64_t first = 0;
        uint64_t count = 0;
    };
    // An object's count (of items, characters) and where what it counts begins.
    struct Counted {
        uint8_t kind;
        uint64_t count;
        uint64_t position;
    };
    // What is known of an object while the walk goes on.
    struct Measure {
        enum State : uint8_t { Unseen, OnPath, Measured };
        uint64_t nodes = 0;
        size_t depth = 0;  // containers on the deepest path from the object down, itself included
        State state = Unseen;
        bool checkedAsKey = false;
    };
    // A container on the path from the top object, and how far its references are followed.
    struct Step {
        uint64_t object;
        References references;
        uint64_t next = 0;
        Measure measure{1, 1, Measure::OnPath, false};
    };

    explicit BinaryPlistShape(std::string_view bytes) : bytes_(bytes) {}
    bool readTrailer();
    // The big-endian number of size bytes at position, which must end by end.
    std::optional<uint64_t> number(uint64_t position, uint64_t size, uint64_t end) const;
    std::optional<Counted> countedAt(uint64_t object) const;
    std::optional<References> referencesOf(uint64_t object) const;
    // Whether a text object holds a zero character; nothing when its text lies outside the list.
    std::optional<bool> holdsZero(uint64_t object) const;
    std::optional<uint64_t> reference(const References& references, uint64_t index) const;
    Verdict walk(size_t deepest, uint64_t mostNodes) const;

    std::string_view bytes_;
    uint64_t dataEnd_ = 0;  // where the trailer begins
    uint64_t offsetSize_ = 0;
    uint64_t referenceSize_ = 0;
    uint64_t objectCount_ = 0;
    uint64_t topObject_ = 0;
    uint64_t offsetTable_ = 0;
};

}  // namespace platform
