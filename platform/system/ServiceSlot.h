#pragma once

#include <functional>
#include <memory>
#include <mutex>

namespace platform {

// Holds the one instance of a platform service. The running application gets the Linux
// implementation from the factory on first use; a test puts a fake in its place with set().
template <class Service>
class ServiceSlot {
public:
    using Factory = std::function<std::shared_ptr<Service>()>;

    explicit ServiceSlot(Factory factory) : factory_(std::move(factory)) {}

    std::shared_ptr<Service> get() {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!instance_) instance_ = factory_();
        return instance_;
    }

    // Passing nullptr goes back to the factory's instance on the next get().
    void set(std::shared_ptr<Service> instance) {
        std::lock_guard<std::mutex> lock(mutex_);
        instance_ = std::move(instance);
    }

private:
    std::mutex mutex_;
    Factory factory_;
    std::shared_ptr<Service> instance_;
};

}  // namespace platform
