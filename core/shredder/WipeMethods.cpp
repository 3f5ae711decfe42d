#include "core/shredder/WipeMethods.h"

#include "platform/system/UserDefaults.h"

namespace core {

const std::vector<WipeMethod>& WipeMethods::all() {
    static const std::vector<WipeMethod> methods = {
        {0, "HMG Infosec Standard 5 (1次)", 1},
        {1, "NIST 800-88 (1次)", 1},
        {3, "Peter Gutmann's algorithm 2 (2次)", 2},
        {4, "DoD 5220.22-M (3次)", 3},
        {5, "U.S. Army AR380-19 (3次)", 3},
        {6, "DoD 5220.22-M ECE (7次)", 7},
        {7, "Peter Gutmann's algorithm 35 (35次)", 35},
    };
    return methods;
}

const WipeMethod& WipeMethods::forTag(int64_t tag) {
    for (const WipeMethod& method : all())
        if (method.tag == tag) return method;
    return all().front();
}

const WipeMethod& WipeMethods::stored() {
    auto defaults = platform::UserDefaults::shared();
    if (!defaults->objectForKey("WipeTimesTag")) return all().front();
    return forTag(defaults->integerForKey("WipeTimesTag"));
}

void WipeMethods::store(const WipeMethod& method) {
    auto defaults = platform::UserDefaults::shared();
    defaults->setObject("WipeTimes", static_cast<int64_t>(method.passes));
    defaults->setObject("WipeTimesTag", static_cast<int64_t>(method.tag));
}

}  // namespace core
