#pragma once

#include "ui/kit/controls/TCImageButton.h"

namespace ui {

// The select-all box in a list's header, over the column of the rows' tick boxes: a picture
// button that shows whether all, some or none of the rows are ticked.
class HeaderCheckBox : public TCImageButton {
    Q_OBJECT
public:
    enum class State { None, Some, All };

    // Placed where a table's header holds it; a list whose boxes stand elsewhere moves it.
    explicit HeaderCheckBox(QWidget* header, State state = State::None);

    void showState(State state);
};

}  // namespace ui
