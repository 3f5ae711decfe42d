#pragma once

#include "core/kit/Executors.h"
#include "core/uninstall/AMAppItem.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace core::uninstall {

// Measures the lists' sizes lazily: a record's size is measured the first time a row asks for
// it, once per record, by a few workers on the global queue, and stored into that very record
// on the main thread; the owner is then told which record changed, so it can redraw the row
// wherever the record stands by then. Used on the main thread.
class AppSizeRequests {
public:
    using Measured = std::function<void(const AMAppItemPtr&)>;

    AppSizeRequests(Executors executors, Measured measured, size_t workers = 4);
    // Measurements not yet applied are dropped; none reaches the owner afterwards.
    ~AppSizeRequests();
    AppSizeRequests(const AppSizeRequests&) = delete;
    AppSizeRequests& operator=(const AppSizeRequests&) = delete;

    // The record's size text as a table shows it ("0KB" until measured); the first call for a
    // record starts its measurement.
    const std::string& sizeOf(const AMAppItemPtr& item);

private:
    struct Queue;
    std::shared_ptr<Queue> queue_;
};

}  // namespace core::uninstall
