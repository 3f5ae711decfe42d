#include "core/junk/FastCleanScanFile.h"

namespace core::junk {

std::vector<std::string> FastCleanScanFile::getName() const {
    return {"系统垃圾", "应用程序垃圾", "电子邮件附件", "废纸篓", "Xcode垃圾文件", "社交工具垃圾"};
}

std::vector<std::string> FastCleanScanFile::subName() const {
    return {"删除所有系统垃圾文件、无用的临时文件/缓存/日志等。",
            "删除应用程序产生的垃圾文件。",
            "删除无用的电子邮件附件。",
            "清空废纸篓。",
            "删除Xcode的垃圾文件。",
            "删除QQ、微信、钉钉等社交工具的缓存文件。"};
}

std::vector<std::string> FastCleanScanFile::getIcon() const {
    return {"icon_system@2x.png", "icon_app@2x.png", "icon_email@2x.png",
            "icon_trash@2x.png",  "ic_xcode@2x.png", "ic_media@2x.png"};
}

int FastCleanScanFile::initialItemState(int index) { return index <= 2 ? 1 : 0; }

}  // namespace core::junk
