#pragma once

#include "platform/files/ChosenItem.h"
#include "platform/files/FileDescriptor.h"
#include "platform/files/FileIdentity.h"

#include <optional>
#include <string>

namespace platform {

// The one way from an item the user chose to its removal, for every tool and for the
// privileged helper. The item's folder is reached from the anchor it was listed from (which
// must still be the folder that was listed) without passing through a link, and must itself
// still be the folder that held the item. The item is then looked at once in that folder,
// which stays held open: it must still be the item that was listed. A folder is opened once,
// checked on its open descriptor, and emptied through the descriptors of the walk, never by
// its path again; each entry inside is removed only after its identity is checked in its held
// folder, and each folder's own name goes last. So a folder swapped for a link or for a
// look-alike at any moment leads nowhere but to a refusal.
class ItemRemoval {
public:
    enum class Outcome {
        Removed,
        Gone,     // nothing there any more: nothing removed
        Refused,  // not the item that was chosen, or reached only through a link: untouched
        Failed,   // the item, or part of it, is still there
    };

    struct Result {
        Outcome outcome = Outcome::Failed;
        std::string reason;  // for the log line of a refusal or failure
        int error = 0;       // of a failure: the errno of the first step that failed, when known

        bool isRemoved() const { return outcome == Outcome::Removed; }
    };

    struct Options {
        // Folders of another file system mounted below the item are left whole (and so are
        // the folders holding them).
        bool oneFileSystem = false;
        // The immutable and append-only flags of each file and folder are cleared on the way
        // (where this process may).
        bool unlock = false;
    };

    // The folder that holds a chosen item, reached and checked, with the item's name in it.
    struct Folder {
        FileDescriptor fd;  // O_PATH
        std::string name;
        std::optional<Result> failure;  // set when the folder was not reached
    };

    static Folder reachFolder(const ChosenItem& item);
    // Removes the entry name of an open folder when it is still the expected item. path names
    // the item in the reasons.
    static Result removeAt(int folderFd, const std::string& name, const FileIdentity& expected,
                           const std::string& path, const Options& options);
    static Result remove(const ChosenItem& item, const Options& options);
    static Result remove(const ChosenItem& item);
};

}  // namespace platform
