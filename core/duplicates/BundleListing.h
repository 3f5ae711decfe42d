#pragma once

#include "core/duplicates/AppAttrbItem.h"

#include <atomic>
#include <string>

namespace core {

// One recursive listing of an application bundle as the duplicate search compares it: every
// file inside, in listing order, with its attributes. Links are followed to files; a link to a
// folder is neither entered nor a file. The bundle itself may be reached through a link.
struct BundleListing {
    AppAttrbItem item;
    bool whole = true;       // the bundle is a folder and every folder in it was listed
    bool comparable = true;  // nothing inside is other than a regular file
    bool stopped = false;    // a stop cut the listing short

    static BundleListing list(const std::string& path, const std::atomic<bool>* stop = nullptr);
};

}  // namespace core
