#include "platform/mounts/MountTable.h"

#include "platform/mounts/MountLibrary.h"
#include "platform/system/Environment.h"
#include "platform/system/Log.h"

#include <cstring>
#include <memory>

namespace platform {
namespace {

// Reached only through read(), once the library is loaded.
const MountLibrary& mount() { return *MountLibrary::loaded(); }

struct TableDeleter {
    void operator()(libmnt_table* table) const { mount().mnt_unref_table(table); }
};
struct IterDeleter {
    void operator()(libmnt_iter* iter) const { mount().mnt_free_iter(iter); }
};

std::string text(const char* value) { return value ? value : ""; }

bool isBlockDeviceMount(libmnt_fs* fs) {
    const char* source = mount().mnt_fs_get_source(fs);
    return source && std::strncmp(source, "/dev/", 5) == 0 && !mount().mnt_fs_is_pseudofs(fs) && !mount().mnt_fs_is_netfs(fs);
}

MountEntry entryOf(libmnt_fs* fs) {
    MountEntry entry;
    entry.source = text(mount().mnt_fs_get_source(fs));
    entry.target = text(mount().mnt_fs_get_target(fs));
    entry.fsType = text(mount().mnt_fs_get_fstype(fs));
    entry.readOnly = mount().mnt_fs_match_options(fs, "ro") == 1;
    entry.blockDevice = isBlockDeviceMount(fs);
    entry.deviceNumber = mount().mnt_fs_get_devno(fs);
    return entry;
}

bool sameMount(const MountEntry& a, const MountEntry& b) { return a.source == b.source && a.target == b.target; }

bool containsMount(const std::vector<MountEntry>& entries, const MountEntry& wanted) {
    for (const auto& entry : entries)
        if (sameMount(entry, wanted)) return true;
    return false;
}

void addMissing(const std::vector<MountEntry>& from, const std::vector<MountEntry>& in, MountChange::Kind kind,
                std::vector<MountChange>& changes) {
    for (const auto& entry : from)
        if (entry.blockDevice && !containsMount(in, entry)) changes.push_back({kind, entry});
}

}  // namespace

std::optional<MountTable> MountTable::read(const std::string& mountinfoPath) {
    if (!MountLibrary::loaded()) return std::nullopt;
    std::unique_ptr<libmnt_table, TableDeleter> table(mount().mnt_new_table());
    std::unique_ptr<libmnt_iter, IterDeleter> iter(mount().mnt_new_iter(MNT_ITER_FORWARD));
    if (!table || !iter) return std::nullopt;
    int status = mount().mnt_table_parse_file(table.get(), mountinfoPath.c_str());
    if (status != 0) {
        logWarning("cannot read the mount table " + mountinfoPath + ": " + std::strerror(-status));
        return std::nullopt;
    }
    std::vector<MountEntry> entries;
    libmnt_fs* fs = nullptr;
    while (mount().mnt_table_next_fs(table.get(), iter.get(), &fs) == 0) entries.push_back(entryOf(fs));
    return MountTable(std::move(entries));
}

std::string MountTable::ownTablePath() { return Environment::current()->procRoot() + "/self/mountinfo"; }

const MountEntry* MountTable::entryAt(const std::string& target) const {
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
        if (it->target == target) return &*it;
    return nullptr;
}

std::vector<MountChange> MountTable::blockDeviceChangesSince(const MountTable& older) const {
    std::vector<MountChange> changes;
    addMissing(entries_, older.entries_, MountChange::Kind::Mounted, changes);
    addMissing(older.entries_, entries_, MountChange::Kind::Unmounted, changes);
    return changes;
}

}  // namespace platform
