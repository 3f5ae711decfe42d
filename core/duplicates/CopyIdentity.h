#pragma once

#include "core/duplicates/AppAttrbItem.h"
#include "core/duplicates/fileAttrbItem.h"
#include "platform/files/ChosenItem.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace core {

// What the search saw of one copy, carried into its leaf of the result tree, so that just
// before the copy is deleted the item at its path can be told to be the very one grouped: a
// file by its device, inode, size, modification and change time (no user tool can set a
// change time back, so a file rewritten to the same size and date still differs); a bundle by
// its folder and the same of every file it holds, in listing order.
struct CopyIdentity {
    using Date = std::chrono::system_clock::time_point;

    struct Stamp {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::uint64_t size = 0;
        Date modified{};
        Date changed{};

        static Stamp of(const fileAttrbItem& file);
        bool operator==(const Stamp& other) const;
        bool operator!=(const Stamp& other) const { return !(*this == other); }
    };

    bool bundle = false;
    Stamp item;                      // a bundle's: only its folder's device and inode count
    std::vector<Stamp> bundleFiles;  // a bundle's files
    platform::FileIdentity folder;   // the folder that held the copy

    // The copy at path as the search listed it, for the removal route: its own folder, which
    // must still be the folder that held it, is the anchor.
    platform::ChosenItem chosenItem(const std::string& path) const;

    static CopyIdentity ofFile(const fileAttrbItem& file);
    static CopyIdentity ofBundle(const AppAttrbItem& bundle);

    // Why the item named in an open folder is no longer this copy (path names it in the reason,
    // and a bundle's files are listed again through it); nothing when it still is.
    std::optional<std::string> differenceAt(int folderFd, const std::string& name, const std::string& path) const;

private:
    std::optional<std::string> bundleDifference(const std::string& path) const;
};

}  // namespace core
