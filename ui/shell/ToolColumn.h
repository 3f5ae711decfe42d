#pragma once

namespace ui {

// The main window's left column: how many tools it lists (the tool identifiers run from 0 to
// one less) and how wide it is, in points.
inline constexpr int kToolCount = 10;
inline constexpr int kToolColumnWidth = 200;

// The page area beside the column, where every tool's page is laid out, in points.
inline constexpr int kPageWidth = 740;
inline constexpr int kPageHeight = 600;

}  // namespace ui
