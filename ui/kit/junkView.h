#pragma once

#include "ui/kit/FilledView.h"

namespace ui {

// The near-white ground of the pages' panels (scan panel, tile loading view, progress strips).
class junkView : public FilledView {
    Q_OBJECT
public:
    explicit junkView(QWidget* parent = nullptr);
};

}  // namespace ui
