#pragma once

#include "ui/shell/ToolColumn.h"

#include <QString>

#include <array>

namespace ui {

// The ten tools of the left column, in column order: the position is the tool identifier.
struct LeftCellEntry {
    const char* name;  // UTF-8
    const char* icon;
};

inline const std::array<LeftCellEntry, kToolCount>& leftCellTable() {
    static const std::array<LeftCellEntry, kToolCount> table{{
        {"垃圾清理", "ic_junk"},
        {"进程管理", "ic_app"},
        {"软件卸载", "ic_uninstall"},
        {"浏览器清理", "ic_browser"},
        {"重复文件清理", "ic_duplicates"},
        {"大文件清理", "ic_large_file"},
        {"文件擦除", "ic_shredder"},
        {"启动项", "ic_login"},
        {"磁盘管理", "ic_disk"},
        {"快捷操作", "ic_switch"},
    }};
    return table;
}

}  // namespace ui
