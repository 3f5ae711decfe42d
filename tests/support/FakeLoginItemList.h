#pragma once

#include "platform/desktop/LoginItemList.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace testsupport {

// Login items held in memory. Adding and removing tell the watches at once, on the calling
// thread; changeFromOutside() stands for another program changing the list. Paths in
// refusedPaths cannot be added or removed.
class FakeLoginItemList : public platform::LoginItemList {
public:
    explicit FakeLoginItemList(std::vector<platform::LoginItem> items = {}) : items_(std::move(items)) {}

    std::vector<platform::LoginItem> loginItems() override {
        std::lock_guard<std::mutex> lock(mutex_);
        return items_;
    }
    bool addLoginItem(const std::string& path) override {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (refusedPaths.count(path)) return false;
            items_.push_back({path, ""});
        }
        notify();
        return true;
    }
    int removeLoginItems(const std::string& path) override {
        int removed = 0;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (refusedPaths.count(path)) return 0;
            auto kept = std::remove_if(items_.begin(), items_.end(), [&](const auto& item) { return item.path == path; });
            removed = static_cast<int>(items_.end() - kept);
            items_.erase(kept, items_.end());
        }
        if (removed) notify();
        return removed;
    }
    std::unique_ptr<Watch> watchChanges(ChangeHandler handler) override {
        auto shared = std::make_shared<ChangeHandler>(std::move(handler));
        std::lock_guard<std::mutex> lock(mutex_);
        handlers_.push_back(shared);
        return std::make_unique<HandlerWatch>(std::move(shared));
    }

    void changeFromOutside(std::vector<platform::LoginItem> items) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            items_ = std::move(items);
        }
        notify();
    }

    std::set<std::string> refusedPaths;

private:
    // The watch owns its handler; the list only looks at it while it lives.
    struct HandlerWatch : Watch {
        explicit HandlerWatch(std::shared_ptr<ChangeHandler> handler) : handler(std::move(handler)) {}
        std::shared_ptr<ChangeHandler> handler;
    };

    void notify() {
        std::vector<std::shared_ptr<ChangeHandler>> live;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            for (const auto& weak : handlers_)
                if (auto handler = weak.lock()) live.push_back(handler);
        }
        for (const auto& handler : live) (*handler)();
    }

    std::mutex mutex_;
    std::vector<platform::LoginItem> items_;
    std::vector<std::weak_ptr<ChangeHandler>> handlers_;
};

}  // namespace testsupport
