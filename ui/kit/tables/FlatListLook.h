#pragma once

class QAbstractItemView;
class QAbstractScrollArea;

namespace ui {

// The look the tools' tables and outlines share: one whole row selected at a time, no system
// selection highlight or focus frame (rows are marked by the lists' own fills), no grid, and
// the flat scroll bars.
void useFlatListLook(QAbstractItemView& view);

// Scroll bars as on the Mac: a dark rounded knob on the near-white ground, no arrows. The
// desktop style draws the knob in the palette's button colour, which the light look makes white,
// on a track a shade darker: the track then reads as the knob, at the far end of the list.
void useFlatScrollBars(QAbstractScrollArea& area);

}  // namespace ui
