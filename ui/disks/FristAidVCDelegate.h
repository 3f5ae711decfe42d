#pragma once

namespace ui {

// Told by the first-aid choice whether to verify or to repair.
class FristAidVCDelegate {
public:
    virtual ~FristAidVCDelegate() = default;
    virtual void checkDiskAction() = 0;
    virtual void repairDiskAction() = 0;
};

}  // namespace ui
