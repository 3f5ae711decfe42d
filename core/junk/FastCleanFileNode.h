#pragma once

#include "platform/files/ItemRemoval.h"

#include <memory>
#include <string>

namespace core {
class EuAuthorization;
}

namespace core::junk {

// The junk cleaner's remover: a thin front of the shared privileged remover.
class FastCleanFileNode {
public:
    static FastCleanFileNode& shareInstall();

    // Removes a chosen item for good, with the user's rights or else with administrator rights
    // asked for once per run.
    platform::ItemRemoval::Outcome removeFile(const platform::ChosenItem& item);

private:
    std::shared_ptr<EuAuthorization> author;  // fetched on first use and kept
};

}  // namespace core::junk
