#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace core {

// One erase method the user can choose: its tag (the row of the method pop-up), the name shown
// and the passes stored for the engine. The overwrite itself makes at most five passes, so the
// methods of 7 and 35 passes write five.
struct WipeMethod {
    int tag;
    std::string name;
    int32_t passes;
};

// The erase methods and the user defaults that remember the chosen one: "WipeTimes" (the passes
// the engine reads) and "WipeTimesTag" (the method's tag).
class WipeMethods {
public:
    // The seven methods, in tag order (0, 1, 3, 4, 5, 6, 7: no method has tag 2).
    static const std::vector<WipeMethod>& all();
    // The method of a tag; an unknown tag gives method 0.
    static const WipeMethod& forTag(int64_t tag);
    // The method "WipeTimesTag" names; without one, method 0.
    static const WipeMethod& stored();
    // Stores the method's passes and tag.
    static void store(const WipeMethod& method);
};

}  // namespace core
