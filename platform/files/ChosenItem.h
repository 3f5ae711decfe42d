#pragma once

#include "platform/files/FileEntry.h"
#include "platform/files/FileIdentity.h"
#include "platform/files/ListedFolder.h"

#include <optional>
#include <string>
#include <vector>

namespace platform {

// An item the user chose, as it was when a tool listed it: where it lies and what it was, so
// that removing it later acts on that very item or on nothing. The anchor is the folder the
// tool listed from (the item's own folder, or one above it); it is trusted as it stands, its
// own links followed, as long as it is still the folder that was listed. Everything between
// the anchor and the item is reached without links.
struct ChosenItem {
    std::string path;  // absolute and normalised, as listed; names the item in log lines
    std::string anchor;
    FileIdentity anchorIdentity;
    FileIdentity folder;  // the folder holding the item
    FileIdentity item;    // the item itself; a link's own
    // False when a folder inside the item could not be read while it was measured: what could
    // not be seen is never removed with the rest.
    bool readWhole = true;

    // The item at path as it is now, below anchor (path lies strictly inside it, or is the
    // anchor's own entry when anchor is its folder). Nothing when the anchor, a folder on the
    // way or the item is missing, or a folder on the way is a link.
    static std::optional<ChosenItem> take(const std::string& anchor, const std::string& path);
    // The same below an anchor listed before, which must still be that folder.
    static std::optional<ChosenItem> take(const ListedFolder& anchor, const std::string& path);
    // Many items below one anchor, each taken as take() takes it, in the order given; items of
    // one folder that follow each other share its reaching, so a folder's items are best given
    // together.
    static std::vector<std::optional<ChosenItem>> takeAll(const ListedFolder& anchor,
                                                          const std::vector<std::string>& paths);
    // The item at path listed by its own folder, which is the anchor.
    static std::optional<ChosenItem> take(const std::string& path);
};

}  // namespace platform
