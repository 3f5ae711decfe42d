#include "platform/desktop/DesktopApplicationIndex.h"

#include "platform/desktop/UserApplicationRule.h"
#include "platform/files/FolderLister.h"
#include "platform/files/PathText.h"

#include <sys/stat.h>

#include <algorithm>

namespace platform {
namespace {

const std::string kSuffix = ".desktop";

timespec modificationTime(const std::string& folder) {
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0) return timespec{-1, 0};
    return info.st_mtim;
}

bool sameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

}  // namespace

DesktopApplicationIndex::DesktopApplicationIndex(std::vector<std::string> folders) : folders_(std::move(folders)) {}

std::string DesktopApplicationIndex::idForFile(const std::string& file) {
    std::string name = lastPathComponent(file);
    const bool named = name.size() > kSuffix.size() && endsWith(name, kSuffix);
    return named ? name.substr(0, name.size() - kSuffix.size()) : name;
}

bool DesktopApplicationIndex::refresh() {
    std::vector<timespec> stamps;
    for (const auto& folder : folders_) stamps.push_back(modificationTime(folder));
    bool changed = !loaded_ || !std::equal(stamps.begin(), stamps.end(), stamps_.begin(), sameTime);
    if (!changed) return false;
    stamps_ = std::move(stamps);
    load();
    return true;
}

void DesktopApplicationIndex::load() {
    byId_.clear();
    idByFile_.clear();
    for (size_t i = 0; i < folders_.size(); ++i)
        if (stamps_[i].tv_sec != -1) addFolder(folders_[i], "");
    indexPrograms();
    loaded_ = true;
}

void DesktopApplicationIndex::addFolder(const std::string& folder, const std::string& idPrefix) {
    // Linked folders are not followed, so a link loop cannot recur; linked entries are read.
    auto items = FolderLister::list(folder);
    if (!items) return;
    for (const auto& item : *items) {
        std::string path = joinPath(folder, item.name);
        if (item.isFolder()) {
            addFolder(path, idPrefix + item.name + "-");
            continue;
        }
        if (!endsWith(item.name, kSuffix)) continue;
        std::string id = idPrefix + idForFile(item.name);
        if (byId_.count(id)) continue;
        auto entry = DesktopEntry::read(path);
        if (!entry) continue;
        idByFile_[path] = id;
        byId_.emplace(id, Application{id, path, std::move(*entry)});
    }
}

// Entries that may stand for a running program, per program name: the one whose id is the
// program's name first, then in id order.
void DesktopApplicationIndex::indexPrograms() {
    idsByProgram_.clear();
    for (const auto& [id, application] : byId_) {
        if (UserApplicationRule::whyLeftOut(application.entry)) continue;
        std::string program = UserApplicationRule::matchedProgramName(application.entry);
        if (program.empty()) continue;
        auto& ids = idsByProgram_[program];
        ids.insert(id == program ? ids.begin() : ids.end(), id);
    }
}

const DesktopApplicationIndex::Application* DesktopApplicationIndex::byFile(const std::string& file) const {
    auto found = idByFile_.find(file);
    return found == idByFile_.end() ? nullptr : &byId_.at(found->second);
}

std::vector<const DesktopApplicationIndex::Application*> DesktopApplicationIndex::applications() const {
    std::vector<const Application*> shown;
    for (const auto& [id, application] : byId_)
        if (!application.entry.flag("Hidden")) shown.push_back(&application);
    return shown;
}

const DesktopApplicationIndex::Application* DesktopApplicationIndex::byProgram(
    const std::string& programName, const std::vector<std::string>& processArguments) const {
    auto found = idsByProgram_.find(programName);
    if (found == idsByProgram_.end()) return nullptr;
    for (const std::string& id : found->second) {
        const Application& application = byId_.at(id);
        if (UserApplicationRule::startedWithItsArguments(application.entry, processArguments)) return &application;
    }
    return nullptr;
}

}  // namespace platform
