#pragma once

#include "ui/kit/FilledView.h"

namespace ui {

// The light grey ground of the main window's left column.
class LeftView : public FilledView {
    Q_OBJECT
public:
    explicit LeftView(QWidget* parent = nullptr);
};

}  // namespace ui
