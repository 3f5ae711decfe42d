#pragma once

namespace ui {

// The main window's left column: how many tools it lists (the tool identifiers run from 0 to
// one less) and how wide it is, in points.
inline constexpr int kToolCount = 10;
inline constexpr int kToolColumnWidth = 200;

}  // namespace ui
