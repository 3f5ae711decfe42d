#pragma once

#include <mutex>
#include <string>

namespace core {

// A text that a worker writes and other threads read, such as the path a search shows as its
// current one; every read gets a whole copy.
class SharedText {
public:
    void set(std::string text);
    std::string get() const;

private:
    mutable std::mutex mutex_;
    std::string text_;
};

}  // namespace core
