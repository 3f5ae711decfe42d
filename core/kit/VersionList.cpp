#include "core/kit/VersionList.h"

namespace core {

VersionList VersionList::fromDictionary(const platform::PlistValue& list) {
    VersionList read;
    if (!list.isDictionary()) return read;
    read.versionCheck = list["VersionCheck"].toInteger();
    if (list["Version"].isString()) read.version = list["Version"].toString();
    for (int number = 1;; ++number) {
        const platform::PlistValue& note = list[std::to_string(number)];
        if (!note.isString()) break;
        read.notes.push_back(note.toString());
    }
    return read;
}

VersionList VersionList::fromBytes(const std::string& body) {
    const std::optional<platform::PlistValue> list = platform::PlistValue::fromBytes(body);
    return list ? fromDictionary(*list) : VersionList{};
}

}  // namespace core
