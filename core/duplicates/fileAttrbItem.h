#pragma once

#include "platform/files/FileEntry.h"
#include "platform/files/FileIdentity.h"

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace core {

// One candidate file of the duplicate search and its two content fingerprints. Both
// fingerprints are CRC-64 values (the field names are historical); 0 means "not computed".
struct fileAttrbItem {
    std::string filePathName;  // full path
    std::uint64_t fileSize = 0;
    std::uint64_t md5 = 0;     // CRC-64 of the whole content
    std::uint64_t md5_1k = 0;  // CRC-64 of the first kilobyte
    std::chrono::system_clock::time_point ModificationDate;
    // The status change time: with the pair below and the size, what tells before a deletion
    // that the path still holds the file that was grouped.
    std::chrono::system_clock::time_point changeDate;
    // Which file this is: two paths that reach one file (a link, a hard link, a bind mount)
    // carry the same pair, and only the first of them becomes a candidate.
    dev_t device = 0;
    ino_t inode = 0;
    // The folder that held it when it was listed: a deletion reaches the copy only through
    // that very folder.
    platform::FileIdentity folder;

    // The record of the item at path with the attributes listed for it.
    static fileAttrbItem fromEntry(const std::string& path, const platform::FileEntry& entry);
    // The last path component, taken from the path when asked: a search holds hundreds of
    // thousands of records, and keeps each path once.
    std::string fileName() const;
};

// Copies of one content, in the order the page lists them: the matches in collection order,
// then the earliest copy.
using DuplicateGroup = std::vector<fileAttrbItem>;

}  // namespace core
