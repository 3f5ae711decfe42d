#pragma once

namespace ui {

// Asked by the format-end notice, as it closes, to read the volumes again.
class FormatEndVCDelegate {
public:
    virtual ~FormatEndVCDelegate() = default;
    virtual void getallVolumes() = 0;
};

}  // namespace ui
