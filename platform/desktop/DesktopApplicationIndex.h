#pragma once

#include "platform/desktop/DesktopEntry.h"

#include <ctime>
#include <map>
#include <string>
#include <vector>

namespace platform {

// The installed desktop applications: the entries under the "applications" folders of the
// XDG data folders. An entry's id is its path below the folder with "/" turned into "-" and
// without ".desktop"; for one id the entry in the earlier folder wins. Reloaded only when a
// folder's modification time changes. Not thread-safe: its owner serialises the calls.
class DesktopApplicationIndex {
public:
    struct Application {
        std::string id;
        std::string file;
        DesktopEntry entry;
    };

    explicit DesktopApplicationIndex(std::vector<std::string> folders);

    // Re-reads the folders when one of them changed since the last call; true when it did.
    bool refresh();
    const Application* byFile(const std::string& file) const;
    // Every installed application that is not hidden, in id order.
    std::vector<const Application*> applications() const;
    // The application whose "Exec" starts a program of this file name with arguments the
    // process has (its own name first), among the entries UserApplicationRule lets stand for a
    // running program. Where several do, the one whose id is the program's name wins, else the
    // first by id.
    const Application* byProgram(const std::string& programName, const std::vector<std::string>& processArguments) const;
    // The id for an entry file outside the folders: its file name without ".desktop".
    static std::string idForFile(const std::string& file);

private:
    void load();
    void addFolder(const std::string& folder, const std::string& idPrefix);
    void indexPrograms();

    std::vector<std::string> folders_;
    std::vector<timespec> stamps_;
    bool loaded_ = false;
    std::map<std::string, Application> byId_;
    std::map<std::string, std::string> idByFile_;
    std::map<std::string, std::vector<std::string>> idsByProgram_;
};

}  // namespace platform
