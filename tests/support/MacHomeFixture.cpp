#include "support/MacHomeFixture.h"

#include "platform/files/AtomicFile.h"
#include "platform/files/PathText.h"

#include <unistd.h>

#include <stdexcept>

namespace testsupport {

std::string MacHomeFixture::relative(const std::string& macPath) const {
    return path(macPath).substr(environment_.folder().path().size() + 1);
}

std::string MacHomeFixture::file(const std::string& macPath, const std::string& content) const {
    return environment_.folder().writeFile(relative(macPath), content);
}

std::string MacHomeFixture::folder(const std::string& macPath) const {
    return environment_.folder().makeFolder(relative(macPath));
}

std::string MacHomeFixture::link(const std::string& macPath, const std::string& target) const {
    std::string at = path(macPath);
    platform::makeFolders(platform::parentPath(at), 0755);
    if (symlink(target.c_str(), at.c_str()) != 0) throw std::runtime_error("cannot make the link " + at);
    return at;
}

}  // namespace testsupport
