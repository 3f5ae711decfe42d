// One libFuzzer target: every input goes to the reader named when it is built
// (DURIDOVE_FUZZ_READER), through the same feed the suite replays findings with.
#include "platform/system/Log.h"
#include "support/ReaderFeeds.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

testsupport::ReaderFeeds& feeds() {
    static testsupport::ReaderFeeds feeds;
    return feeds;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The readers' complaints about broken input are expected, and writing them would be most of
    // the work.
    platform::setLogSink([](platform::LogLevel, const std::string&) {});
    if (!testsupport::ReaderFeeds::knows(DURIDOVE_FUZZ_READER)) {
        std::fprintf(stderr, "no reader named %s\n", DURIDOVE_FUZZ_READER);
        std::abort();
    }
    feeds();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    feeds().feed(DURIDOVE_FUZZ_READER, std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
