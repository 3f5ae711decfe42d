#include "platform/desktop/AutostartLoginItemList.h"

#include "platform/desktop/AutostartWatcher.h"
#include "platform/files/AtomicFile.h"
#include "platform/files/FileManager.h"
#include "platform/files/FolderLister.h"
#include "platform/files/PathText.h"
#include "platform/system/Environment.h"
#include "platform/system/KernelFiles.h"
#include "platform/system/Log.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform {
namespace {

const std::string kSuffix = ".desktop";

size_t utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead >> 5) == 0x6) return 2;
    if ((lead >> 4) == 0xe) return 3;
    if ((lead >> 3) == 0x1e) return 4;
    return 0;
}

// An entry file holds UTF-8 text, one value per line. A path with a control character, or
// with bytes that are no UTF-8, cannot be written into one faithfully.
bool isWritableText(const std::string& text) {
    for (size_t i = 0; i < text.size();) {
        unsigned char lead = static_cast<unsigned char>(text[i]);
        size_t length = utf8SequenceLength(lead);
        if (lead < 0x20 || lead == 0x7f || length == 0 || i + length > text.size()) return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xc0) != 0x80) return false;
        i += length;
    }
    return true;
}

// The path for a log line, its control characters shown as "?".
std::string printable(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
    return text;
}

// One file per path: a readable part of the item's name and a hash of the whole path.
std::string entryFileName(const std::string& path) {
    std::string stem;
    for (char c : lastPathComponent(path)) {
        if (stem.size() == 40) break;
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
        stem += plain ? c : '_';
    }
    uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (unsigned char c : path) hash = (hash ^ c) * 1099511628211ull;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return "duridove-" + stem + "-" + hex + kSuffix;
}

// Launchers look the program up before they turn "%%" back into "%", so they cannot find one
// whose path holds a "%". Such a program is started by the shell, which takes the path as a
// parameter and never parses it.
std::vector<std::string> programArguments(const std::string& path) {
    if (path.find('%') == std::string::npos) return {path};
    return {"/bin/sh", "-c", "exec \"$0\"", path};
}

std::string preferredLanguage() {
    const auto& languages = Environment::current()->preferredLanguages();
    return languages.empty() ? std::string() : languages.front();
}

std::vector<std::string> systemConfigFolders() {
    const char* list = std::getenv("XDG_CONFIG_DIRS");
    std::string text = list && *list ? list : "/etc/xdg";
    std::vector<std::string> folders;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = std::min(text.find(':', start), text.size());
        std::string folder = text.substr(start, end - start);
        if (!folder.empty() && folder.front() == '/') folders.push_back(joinPath(folder, "autostart"));
        start = end + 1;
    }
    return folders;
}

}  // namespace

AutostartLoginItemList::AutostartLoginItemList(Folders folders) : folders_(std::move(folders)) {}

AutostartLoginItemList::Folders AutostartLoginItemList::foldersFromEnvironment() {
    auto environment = Environment::current();
    if (environment->hasRoot())
        return {environment->resolve("~/.config/autostart"), {environment->resolve("/etc/xdg/autostart")}};
    return {joinPath(environment->configHome(), "autostart"), systemConfigFolders()};
}

std::vector<LoginItem> AutostartLoginItemList::loginItems() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<LoginItem> items;
    for (const Entry& entry : readEntries()) items.push_back(entry.item);
    return items;
}

bool AutostartLoginItemList::addLoginItem(const std::string& path) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (path.empty() || path.front() != '/' || !isWritableText(path)) {
        logWarning("not adding the login item " + printable(path) +
                   ": only an absolute UTF-8 path without control characters can start with the session");
        return false;
    }
    auto entry = entryToStart(path);
    if (!entry) return false;
    uint64_t last = 0;
    for (const Entry& listed : readEntries()) last = std::max(last, listed.order);
    entry->setValue(kPathKey, path);
    entry->setValue(kOrderKey, std::to_string(last + 1));
    return writeFileAtomically(userFile(entryFileName(path)), entry->text(), 0644);
}

int AutostartLoginItemList::removeLoginItems(const std::string& path) {
    std::lock_guard<std::mutex> lock(mutex_);
    int removed = 0;
    for (const Entry& entry : readEntries())
        if (entry.item.path == path && takeOut(entry)) ++removed;
    return removed;
}

std::unique_ptr<LoginItemList::Watch> AutostartLoginItemList::watchChanges(ChangeHandler handler) {
    return std::make_unique<AutostartWatcher>(folders_.user, std::move(handler));
}

std::vector<AutostartLoginItemList::Entry> AutostartLoginItemList::readEntries() const {
    auto folder = FolderLister::entryAt(folders_.user, true);
    if (!folder || !folder->isFolder()) return {};
    auto listed = FolderLister::list(folders_.user, true);
    std::vector<Entry> entries;
    if (!listed) return entries;
    for (const FileEntry& file : *listed) {
        if (!endsWith(file.name, kSuffix)) continue;
        if (auto entry = readEntry(file.name)) entries.push_back(std::move(*entry));
    }
    // Name order among equals: other programs' entries first, then ours as they were added.
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.order < b.order; });
    return entries;
}

std::optional<AutostartLoginItemList::Entry> AutostartLoginItemList::readEntry(const std::string& fileName) const {
    std::string file = userFile(fileName);
    auto desktopEntry = DesktopEntry::read(file);
    if (!desktopEntry) {
        logWarning("cannot read the autostart entry " + file);
        return std::nullopt;
    }
    if (desktopEntry->flag("Hidden")) return std::nullopt;
    Entry entry{fileName, *desktopEntry, {}, 0};
    std::string ours = desktopEntry->value(kPathKey);
    if (!ours.empty()) {
        entry.item = {ours, desktopEntry->value("Name")};
        entry.order = parseUnsignedNumber(desktopEntry->value(kOrderKey)).value_or(0);
        return entry;
    }
    entry.item = {desktopEntry->execProgram(), desktopEntry->localizedValue("Name", preferredLanguage())};
    if (entry.item.path.empty()) {
        logWarning("the autostart entry " + file + " starts no program");
        return std::nullopt;
    }
    return entry;
}

std::optional<DesktopEntry> AutostartLoginItemList::entryToStart(const std::string& path) const {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        logWarning("cannot add the login item " + path + ": " + std::strerror(errno));
        return std::nullopt;
    }
    DesktopEntry entry;
    entry.setValue("Type", "Application");
    entry.setValue("Name", FileManager::displayNameAtPath(path));
    if (S_ISREG(info.st_mode) && endsWith(path, kSuffix)) {
        auto chosen = DesktopEntry::read(path);
        if (!chosen || chosen->value("Exec").empty()) {
            logWarning("cannot add the login item " + path + ": it is no desktop entry that starts a program");
            return std::nullopt;
        }
        for (const char* key : {"Name", "Exec", "Icon", "Path", "Terminal", "TryExec"})
            if (!chosen->value(key).empty()) entry.setValue(key, chosen->value(key));
    } else if (S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0) {
        entry.setValue("Exec", DesktopEntry::execLine(programArguments(path)));
    } else {
        entry.setValue("Exec", DesktopEntry::execLine({"xdg-open", path}));
    }
    return entry;
}

bool AutostartLoginItemList::shadowsMachineEntry(const std::string& fileName) const {
    for (const std::string& folder : folders_.system)
        if (FolderLister::entryAt(joinPath(folder, fileName), true)) return true;
    return false;
}

// Deleting a user entry that overrides a machine-wide one would bring that one back, so such
// an entry is kept and hidden instead.
bool AutostartLoginItemList::takeOut(const Entry& entry) const {
    std::string file = userFile(entry.fileName);
    if (shadowsMachineEntry(entry.fileName)) {
        DesktopEntry hidden = entry.desktopEntry;
        hidden.setValue("Hidden", "true");
        return writeFileAtomically(file, hidden.text(), 0644);
    }
    if (unlink(file.c_str()) == 0) return true;
    logWarning("cannot remove the autostart entry " + file + ": " + std::strerror(errno));
    return false;
}

std::string AutostartLoginItemList::userFile(const std::string& fileName) const { return joinPath(folders_.user, fileName); }

}  // namespace platform
