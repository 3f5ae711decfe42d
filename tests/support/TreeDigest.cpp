#include "support/TreeDigest.h"

#include "support/TempFolder.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <openssl/evp.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <set>

namespace testsupport {
namespace {

std::string sha256(const std::string& content) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_Digest(content.data(), content.size(), digest, &length, EVP_sha256(), nullptr);
    std::string text;
    char hex[3];
    for (unsigned int index = 0; index < length; ++index) {
        std::snprintf(hex, sizeof hex, "%02x", digest[index]);
        text += hex;
    }
    return text;
}

std::string lockFlags(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    int flags = 0;
    bool read = fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (fd >= 0) close(fd);
    if (!read) return "-";
    return std::string(flags & FS_IMMUTABLE_FL ? "i" : "") + (flags & FS_APPEND_FL ? "a" : "");
}

std::string describe(const std::filesystem::path& item) {
    struct stat info {};
    lstat(item.c_str(), &info);
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", info.st_mode & 07777);
    if (S_ISLNK(info.st_mode)) return std::string("link ") + std::filesystem::read_symlink(item).string();
    if (S_ISDIR(info.st_mode)) return std::string("folder ") + mode + " " + lockFlags(item);
    return std::string("file ") + mode + " " + lockFlags(item) + " " + sha256(readWholeFile(item));
}

}  // namespace

std::string treeDigest(const std::string& folder) {
    std::set<std::string> lines;
    std::error_code ignored;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored))
        lines.insert(std::filesystem::relative(it->path(), folder).string() + ": " + describe(it->path()));
    std::string digest;
    for (const auto& line : lines) digest += line + "\n";
    return digest;
}

}  // namespace testsupport
