#pragma once

namespace ui {

// Told by the first-aid output when the user is done with it.
class ShowAidVCDelegate {
public:
    virtual ~ShowAidVCDelegate() = default;
    virtual void closeShowAidWindow() = 0;
};

}  // namespace ui
