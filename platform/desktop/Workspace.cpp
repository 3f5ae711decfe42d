#include "platform/desktop/Workspace.h"

#include "platform/system/Log.h"
#include "platform/system/ServiceSlot.h"

namespace platform {
namespace {

class UnavailableWorkspace : public Workspace {
public:
    bool openURL(const std::string& url) override { return refuse("open " + url); }
    bool openFile(const std::string& path) override { return refuse("open " + path); }
    bool revealFile(const std::string& path) override { return refuse("reveal " + path); }
    bool launchApplication(const std::string& program) override { return refuse("start " + program); }

private:
    static bool refuse(const std::string& what) {
        logWarning("no desktop workspace to " + what);
        return false;
    }
};

ServiceSlot<Workspace>& slot() {
    static ServiceSlot<Workspace> instance([] { return std::make_shared<UnavailableWorkspace>(); });
    return instance;
}

}  // namespace

std::shared_ptr<Workspace> Workspace::shared() { return slot().get(); }
void Workspace::setShared(std::shared_ptr<Workspace> workspace) { slot().set(std::move(workspace)); }

}  // namespace platform
