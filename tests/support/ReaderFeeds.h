#pragma once

#include "support/FakeProcessRunner.h"
#include "support/ScopedEnvironment.h"

#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

// Hands bytes to each reader of input from outside the application, the way the application
// reads them: a file where the reader reads a file (in a scratch environment of its own), a
// program's output where it runs a program. The fuzz targets (tests/fuzz) feed one reader each,
// and the suite replays what they found (tests/data/fuzz/<reader>) through the same feeds.
// Beyond not crashing and not hanging, a feed checks what its reader promises about what it
// keeps (nothing nested past the limit, a property list read back from what we write) and aborts
// when the promise is broken.
class ReaderFeeds {
public:
    ReaderFeeds();
    ~ReaderFeeds();
    ReaderFeeds(const ReaderFeeds&) = delete;
    ReaderFeeds& operator=(const ReaderFeeds&) = delete;

    // "property-list", "desktop-entry", "version-list", "chrome-preferences", "lsblk", "busctl",
    // "proc-stat", "proc-meminfo", "smart-page", "size-text".
    static std::vector<std::string> readers();
    static bool knows(const std::string& reader);
    void feed(const std::string& reader, std::string_view bytes);

    void propertyList(std::string_view bytes);
    void desktopEntry(std::string_view bytes);
    void versionList(std::string_view bytes);
    void chromePreferences(std::string_view bytes);
    void lsblk(std::string_view bytes);
    // busctl's answer to any call, and to udisks2's S.M.A.R.T. attributes of a drive that exists.
    void busctl(std::string_view bytes);
    // /proc/stat, and one process's stat line.
    void procStat(std::string_view bytes);
    // /proc/meminfo, and the same lines as /proc/vmstat.
    void procMeminfo(std::string_view bytes);
    void smartPage(std::string_view bytes);
    void sizeText(std::string_view bytes);

private:
    void writeScratchFile(const std::string& relative, std::string_view bytes) const;

    ScopedEnvironment environment_;
};

}  // namespace testsupport
