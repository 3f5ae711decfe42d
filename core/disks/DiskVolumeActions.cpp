#include "core/disks/DiskVolumeActions.h"

#include "core/disks/VolumeRules.h"

namespace core::disks {
namespace {

DiskUtilRunner::ActionResult runTool(const std::vector<std::string>& args, const char* fileName) {
    return DiskUtilRunner::runDiskUtilWithArguments(args, fileName);
}

}  // namespace

DiskVolumeActions::DiskVolumeActions(Executors executors, std::shared_ptr<DiskVolumeList> volumes)
    : executors_(std::move(executors)), volumes_(std::move(volumes)) {}

void DiskVolumeActions::run(std::function<Result()> action, bool rescanOnSuccess, Done done) {
    Executors executors = executors_;
    std::weak_ptr<DiskVolumeList> weakVolumes = volumes_;
    executors_.global([executors, weakVolumes, action = std::move(action), rescanOnSuccess, done = std::move(done)] {
        Result result = action();
        executors.main([weakVolumes, result, rescanOnSuccess, done] {
            if (result.succeeded() && rescanOnSuccess)
                if (auto volumes = weakVolumes.lock()) volumes->getallVolumes();
            if (done) done(result);
        });
    });
}

void DiskVolumeActions::mountButtonAction(const VolumeObj& volume, bool isMount, Done done) {
    if (volume.volumePath.empty()) return;
    std::vector<std::string> args = {isMount ? "unmount" : "mount", volume.volumePath};
    run([args] { return runTool(args, "VolumeTemp.plist"); }, true, std::move(done));
}

void DiskVolumeActions::ejectButtonAction(const VolumeObj& volume, Done done) {
    if (volume.diskUUID.empty()) return;
    std::vector<std::string> args = {"eject", volume.diskUUID};
    run([args] { return runTool(args, "RepairTemp.plist"); }, true, std::move(done));
}

bool DiskVolumeActions::makeSureToChangeName(const VolumeObj& volume, const std::string& name, Done done) {
    auto newName = VolumeRules::renameName(volume, name);
    if (!newName) return false;
    if (volume.diskUUID.empty()) {
        Result refused;
        refused.message = "无法重命名“" + volume.volumeName + "”：这个宗卷没有 UUID。";
        executors_.main([refused, done = std::move(done)] {
            if (done) done(refused);
        });
        return true;
    }
    std::vector<std::string> args = {"rename", volume.diskUUID, *newName};
    run([args] { return runTool(args, "RepairTemp.plist"); }, true, std::move(done));
    return true;
}

void DiskVolumeActions::makeSureToFormat(const VolumeObj& volume, const std::string& name, const std::string& typeText,
                                         Done done) {
    if (!VolumeRules::isApfsType(volume.diskType)) {
        std::vector<std::string> args = {"eraseVolume", VolumeRules::formatType(typeText),
                                         VolumeRules::formatName(typeText, name), volume.volumePath};
        run([args] { return runTool(args, "VolumeTemp.plist"); }, false, std::move(done));
        return;
    }
    std::vector<std::string> rename = {"rename", volume.diskUUID, name};
    std::vector<std::string> reformat = {"reformat", volume.volumePath};
    run(
        [rename, reformat] {
            Result renamed = runTool(rename, "ChangeNameTemp.plist");
            return renamed.succeeded() ? runTool(reformat, "VolumeTemp.plist") : renamed;
        },
        false, std::move(done));
}

void DiskVolumeActions::firstAid(const VolumeObj& volume, bool repair, Shown shown, Done done) {
    const std::vector<std::string> args = VolumeRules::firstAidArguments(volume, repair);
    Executor main = executors_.main;
    executors_.detached([main, args, shown = std::move(shown), done = std::move(done)] {
        Result result = DiskUtilRunner::streamDiskUtilWithArguments(
            args, [&main, &shown](const std::string& piece) { main([shown, piece] { shown(piece); }); });
        main([done, result] { done(result); });
    });
}

}  // namespace core::disks
