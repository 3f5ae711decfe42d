#include "core/taskmanager/TaskManagerInfo.h"

#include <cstdio>

namespace core::taskmanager {

std::string TaskManagerInfo::displayName() const {
    const std::string ending = ".app";
    std::string shown = name;
    for (size_t found = shown.find(ending); found != std::string::npos; found = shown.find(ending, found))
        shown.erase(found, ending.size());
    return shown;
}

std::string TaskManagerInfo::sizeText() const {
    char text[32];
    if (memSize >= 1024)
        std::snprintf(text, sizeof text, "%.1f GB", static_cast<double>(memSize / 1024));
    else
        std::snprintf(text, sizeof text, "%.0f MB", static_cast<double>(memSize));
    return text;
}

}  // namespace core::taskmanager
