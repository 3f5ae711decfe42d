#pragma once

namespace ui {

// Told by the related-files window when an uninstall run has ended (every ticked item reported),
// whether or not its windows are still open.
class RelatedFilesCleanDelegate {
public:
    virtual ~RelatedFilesCleanDelegate() = default;
    virtual void completeCleanRelatedFiles() = 0;
};

}  // namespace ui
