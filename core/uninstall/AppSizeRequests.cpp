#include "core/uninstall/AppSizeRequests.h"

#include "core/uninstall/RelatedAppFilesScanner.h"

#include <atomic>
#include <deque>
#include <mutex>
#include <utility>

namespace core::uninstall {

// Shared with the workers, so it outlives its owner while they finish.
struct AppSizeRequests::Queue {
    Executors executors;
    Measured measured;
    size_t workers = 0;

    std::atomic<bool> closed{false};
    std::mutex mutex;
    std::deque<std::pair<AMAppItemPtr, std::string>> waiting;  // record and its path
    size_t running = 0;

    // One worker: measures waiting records until none is left.
    static void drain(const std::shared_ptr<Queue>& queue) {
        for (;;) {
            std::pair<AMAppItemPtr, std::string> next;
            {
                std::lock_guard<std::mutex> lock(queue->mutex);
                if (queue->closed || queue->waiting.empty()) {
                    --queue->running;
                    return;
                }
                next = std::move(queue->waiting.front());
                queue->waiting.pop_front();
            }
            std::string size = RelatedAppFilesScanner::getFileSizeItem(next.second);
            queue->executors.main([queue, item = std::move(next.first), size = std::move(size)] {
                if (queue->closed) return;
                item->size = size;
                if (queue->measured) queue->measured(item);
            });
        }
    }
};

AppSizeRequests::AppSizeRequests(Executors executors, Measured measured, size_t workers)
    : queue_(std::make_shared<Queue>()) {
    queue_->executors = std::move(executors);
    queue_->measured = std::move(measured);
    queue_->workers = workers == 0 ? 1 : workers;
}

AppSizeRequests::~AppSizeRequests() {
    std::lock_guard<std::mutex> lock(queue_->mutex);
    queue_->closed = true;
    queue_->waiting.clear();
}

const std::string& AppSizeRequests::sizeOf(const AMAppItemPtr& item) {
    if (!item->bIsGetSize) {
        item->bIsGetSize = true;
        bool startWorker = false;
        {
            std::lock_guard<std::mutex> lock(queue_->mutex);
            queue_->waiting.emplace_back(item, item->path);
            if (queue_->running < queue_->workers) {
                ++queue_->running;
                startWorker = true;
            }
        }
        if (startWorker) queue_->executors.global([queue = queue_] { Queue::drain(queue); });
    }
    return item->size;
}

}  // namespace core::uninstall
