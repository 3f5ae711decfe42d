#pragma once

#include "support/FakeProcessRunner.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <string>

namespace testsupport {

// Teaches a fake runner the disk utility's answers recorded in a folder: "list.plist" answers
// "list -plist" and "info-<id>.plist" answers "info -plist /dev/<id>".
inline void answerDiskUtilFrom(FakeProcessRunner& runner, const std::string& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::string name = entry.path().filename().string();
        std::string content = readWholeFile(entry.path().string());
        if (name == "list.plist") runner.answer({"list", "-plist"}, content);
        else if (name.rfind("info-", 0) == 0)
            runner.answer({"info", "-plist", "/dev/" + name.substr(5, name.size() - 5 - 6)}, content);
    }
}

inline std::string diskUtilData(const std::string& name) { return std::string(DURIDOVE_TEST_DATA) + "/diskutil/" + name; }

}  // namespace testsupport
