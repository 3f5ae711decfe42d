#pragma once

#include <string>
#include <utility>

namespace core {

// An icon named for the interface to draw, so engines never load pictures: an application
// image by name, the file manager's icon of a path, the generic folder icon, a picture file
// to show as it is (an application bundle's own icon), or the icon a desktop entry names.
struct IconReference {
    enum class Kind { None, Named, PathIcon, FolderIcon, ImageFile, DesktopIcon };
    Kind kind = Kind::None;
    std::string name;  // image name or path

    static IconReference named(std::string imageName) { return {Kind::Named, std::move(imageName)}; }
    static IconReference iconOf(std::string path) { return {Kind::PathIcon, std::move(path)}; }
    static IconReference folder() { return {Kind::FolderIcon, {}}; }
    static IconReference imageFile(std::string path) { return {Kind::ImageFile, std::move(path)}; }
    // A desktop entry's "Icon": a name of the icon theme or an absolute picture path.
    static IconReference desktopIcon(std::string icon) { return {Kind::DesktopIcon, std::move(icon)}; }
};

}  // namespace core
