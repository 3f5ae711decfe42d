#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// One item that starts with the user's session.
struct LoginItem {
    std::string path;  // what starts: a program, a document, a folder or an entry file
    std::string name;  // the name its entry gives it; "" when none

    bool operator==(const LoginItem& other) const { return path == other.path && name == other.name; }
};

// The session's login items: listed in the session's order, added at the end, removed by
// path. On Linux they are the user's XDG autostart entries. Any thread may call; the calls
// are serialised.
class LoginItemList {
public:
    // While it lives, the handler it was made with hears of changes.
    class Watch {
    public:
        virtual ~Watch() = default;
    };
    using ChangeHandler = std::function<void()>;

    virtual ~LoginItemList() = default;
    virtual std::vector<LoginItem> loginItems() = 0;
    // Adds a path at the end of the list; false (and a log line) when it cannot be added.
    virtual bool addLoginItem(const std::string& path) = 0;
    // Takes every entry with this path out of the list; the number taken out.
    virtual int removeLoginItems(const std::string& path) = 0;
    // The handler is called, on a thread of the watch's own, after the list may have changed,
    // whoever changed it; a burst of changes is reported once.
    virtual std::unique_ptr<Watch> watchChanges(ChangeHandler handler) = 0;

    static std::shared_ptr<LoginItemList> shared();
    static void setShared(std::shared_ptr<LoginItemList> list);
};

}  // namespace platform
