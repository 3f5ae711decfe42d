#include "platform/files/PathText.h"

#include <vector>

namespace platform {

namespace {

// True when the path has no empty, "." or ".." part and no slash at its end: normalising it
// would give it back unchanged.
bool isPlainPath(std::string_view path) {
    if (path == "/") return true;
    if (path.back() == '/') return false;
    for (size_t start = path.front() == '/' ? 1 : 0; start <= path.size();) {
        size_t end = path.find('/', start);
        if (end == std::string_view::npos) end = path.size();
        const std::string_view part = path.substr(start, end - start);
        if (part.empty() || part == "." || part == "..") return false;
        start = end + 1;
    }
    return true;
}

}  // namespace

std::string normalizedPath(std::string_view path) {
    if (path.empty()) return "";
    if (isPlainPath(path)) return std::string(path);
    const bool absolute = path.front() == '/';
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string_view::npos) end = path.size();
        std::string_view part = path.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty() && parts.back() != "..") parts.pop_back();
            else if (!absolute) parts.push_back(part);
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string result = absolute ? "/" : "";
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) result += '/';
        result += parts[i];
    }
    if (result.empty()) result = ".";
    return result;
}

bool isInsideOrEqual(std::string_view path, std::string_view folder) {
    if (folder == "/") return !path.empty() && path.front() == '/';
    if (path.size() < folder.size() || path.substr(0, folder.size()) != folder) return false;
    return path.size() == folder.size() || path[folder.size()] == '/';
}

std::string joinPath(std::string_view folder, std::string_view name) {
    std::string result(folder);
    if (result.empty() || result.back() != '/') result += '/';
    while (!name.empty() && name.front() == '/') name.remove_prefix(1);
    result += name;
    return result;
}

std::string lastPathComponent(std::string_view path) {
    while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
    size_t slash = path.rfind('/');
    if (slash == std::string_view::npos || path == "/") return std::string(path);
    return std::string(path.substr(slash + 1));
}

std::string parentPath(std::string_view path) {
    while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
    size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) return "";
    if (slash == 0) return "/";
    return std::string(path.substr(0, slash));
}

std::string pathExtension(std::string_view path) {
    std::string name = lastPathComponent(path);
    size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) return "";
    return name.substr(dot + 1);
}

bool endsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

}  // namespace platform
