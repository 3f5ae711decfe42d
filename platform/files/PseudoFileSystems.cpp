#include "platform/files/PseudoFileSystems.h"

#include "platform/mounts/MountTable.h"

#include <linux/magic.h>
#include <sys/statfs.h>

#include <algorithm>

namespace platform {
namespace {

// Types that linux/magic.h does not name.
constexpr int64_t kMqueueMagic = 0x19800202;
constexpr int64_t kFuseControlMagic = 0x65735543;
constexpr int64_t kConfigfsMagic = 0x62656570;

constexpr int64_t kPseudoTypes[] = {
    PROC_SUPER_MAGIC, SYSFS_MAGIC,        CGROUP_SUPER_MAGIC, CGROUP2_SUPER_MAGIC, DEBUGFS_MAGIC,
    TRACEFS_MAGIC,    SECURITYFS_MAGIC,   PSTOREFS_MAGIC,     BPF_FS_MAGIC,        DEVPTS_SUPER_MAGIC,
    BINFMTFS_MAGIC,   EFIVARFS_MAGIC,     SELINUX_MAGIC,      SMACK_MAGIC,         NSFS_MAGIC,
    RDTGROUP_SUPER_MAGIC, kMqueueMagic,   kFuseControlMagic,  kConfigfsMagic,
};

}  // namespace

bool PseudoFileSystems::contains(int folderFd, uint64_t device) {
    for (const auto& [known, pseudo] : verdicts_)
        if (known == device) return pseudo;
    struct statfs info;
    bool pseudo = fstatfs(folderFd, &info) == 0 && isPseudoType(static_cast<int64_t>(info.f_type), device);
    verdicts_.emplace_back(device, pseudo);
    return pseudo;
}

bool PseudoFileSystems::isPseudoType(int64_t type, uint64_t device) {
    if (type == TMPFS_MAGIC) return isDeviceFileSystem(device);
    return std::find(std::begin(kPseudoTypes), std::end(kPseudoTypes), type) != std::end(kPseudoTypes);
}

bool PseudoFileSystems::isDeviceFileSystem(uint64_t device) {
    auto table = MountTable::read(MountTable::ownTablePath());
    if (!table) return false;
    for (const MountEntry& entry : table->entries())
        if (entry.deviceNumber == device) return entry.fsType == "devtmpfs";
    return false;
}

}  // namespace platform
