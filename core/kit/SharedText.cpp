#include "core/kit/SharedText.h"

namespace core {

void SharedText::set(std::string text) {
    std::lock_guard<std::mutex> lock(mutex_);
    text_ = std::move(text);
}

std::string SharedText::get() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return text_;
}

}  // namespace core
