#include "support/JunkHomeFixture.h"

#include "support/FakeMountedVolumes.h"

#include <stdexcept>

namespace testsupport {
namespace {

constexpr uint64_t KB = 1024;
const std::string kQQData = "~/Library/Containers/com.tencent.qq/Data/Library/Application Support/QQ/nt_qq_1/";
const std::string kWeChatCaches = "~/Library/Containers/com.tencent.xinWeChat/Data/Library/Caches";

}  // namespace

JunkHomeFixture::JunkHomeFixture()
    : MacHomeFixture([](platform::Environment::Values& values) { values.systemVersion = "10.15"; }),
      volumes_(FakeMountedVolumes::install({})) {
    add(0, "~/Library/Logs/app.log", 2 * KB, true);
    add(0, "~/Library/Logs/Old", 1 * KB, true, "old.log");
    // The user's caches are offered by what each application's cache folder holds.
    add(1, "~/Library/Caches/com.example.browser/data", 6 * KB, true);
    add(1, "~/Library/Caches/com.example.editor/cache.db", 4 * KB, true);
    add(2, "~/Library/Containers/com.apple.mail/Data/Library/Mail Downloads/invoice.pdf", 8 * KB, true);
    add(3, "~/.Trash/old.txt", 3 * KB, false);
    add(4, "~/Library/Developer/Xcode/DerivedData/App-abc", 16 * KB, false, "Build/x.o");
    // QQ: its cache and pictures start unselected, its logs selected; 微信's caches selected.
    add(5, kQQData + "Cache", 4 * KB, false, "blob");
    add(5, kQQData + "nt_data/log/a.log", 1 * KB, true);
    add(5, kQQData + "nt_data/log/b.log", 2 * KB, true);
    add(5, kQQData + "nt_data/Pic/p.jpg", KB / 2, false);
    add(5, kWeChatCaches, 2 * KB, true, "com.tencent.xinWeChat/x.db");
    for (const char* macPath : {"~/Documents/keep.txt", "~/Library/Preferences/com.example.plist",
                                "~/Library/Application Support/Important/data"})
        outside_.push_back(file(macPath, "keep"));
}

JunkHomeFixture::~JunkHomeFixture() { platform::MountedVolumes::setShared(nullptr); }

void JunkHomeFixture::add(int category, const std::string& macPath, uint64_t bytes, bool selected,
                          const std::string& inner) {
    file(inner.empty() ? macPath : macPath + "/" + inner, std::string(bytes, 'j'));
    items_.push_back({category, macPath, bytes, selected});
}

const JunkHomeFixture::Item& JunkHomeFixture::item(const std::string& macPath) const {
    for (const Item& each : items_)
        if (each.macPath == macPath) return each;
    throw std::invalid_argument("no junk item " + macPath);
}

std::vector<std::string> JunkHomeFixture::categorySizes() {
    return {"3.00 KB", "10.00 KB", "8.00 KB", "3.00 KB", "16.00 KB", "9.50 KB"};
}

uint64_t JunkHomeFixture::defaultTotal() { return (3 + 10 + 8 + 3 + 2) * KB; }

}  // namespace testsupport
