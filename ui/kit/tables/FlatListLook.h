#pragma once

class QAbstractItemView;

namespace ui {

// The look the tools' tables and outlines share: one whole row selected at a time, no system
// selection highlight or focus frame (rows are marked by the lists' own fills), no grid.
void useFlatListLook(QAbstractItemView& view);

}  // namespace ui
