#pragma once

#include "ui/kit/tables/CustomTableView.h"

namespace ui {

// The browser cleaner's two tables: rows on the near-white ground, the row rowNum white at
// alpha 0.95, the flat 26-point header; drawn exactly like CustomTableView.
class BroTableView : public CustomTableView {
    Q_OBJECT
public:
    using CustomTableView::CustomTableView;
};

}  // namespace ui
