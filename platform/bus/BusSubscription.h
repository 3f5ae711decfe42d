#pragma once

namespace platform {

// Keeps a handler of a message bus's signals registered for as long as it lives.
class BusSubscription {
public:
    virtual ~BusSubscription() = default;
};

}  // namespace platform
