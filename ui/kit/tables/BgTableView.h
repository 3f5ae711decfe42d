#pragma once

#include "ui/kit/tables/CustomTableView.h"

namespace ui {

// The task manager's and startup items' table: drawn exactly like CustomTableView.
class BgTableView : public CustomTableView {
    Q_OBJECT
public:
    using CustomTableView::CustomTableView;
};

}  // namespace ui
