#pragma once

namespace ui {

// Told about the two buttons of a junk category tile, with the tile's tag (its category).
class FastTypeViewDelegate {
public:
    virtual ~FastTypeViewDelegate() = default;
    virtual void checkBoxButtonAction(int tag) = 0;
    virtual void detailButtonAction(int tag) = 0;
};

}  // namespace ui
