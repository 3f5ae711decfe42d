#pragma once

#include "core/kit/Executors.h"
#include "core/kit/ProgressState.h"
#include "core/kit/StopToken.h"
#include "core/shredder/FileObj.h"
#include "core/shredder/RemoveFileAndFolderDelegate.h"
#include "core/shredder/SecureEraser.h"
#include "platform/files/FileDescriptor.h"
#include "platform/files/LinkFreePath.h"

#include <sys/stat.h>

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace core {

// Erases a list of shred items one at a time on the global queue: non-empty files through
// the secure eraser; empty files, links, special files, emptied folders and application
// bundles by plain removal. Each next item is scheduled from the main thread once the one in
// hand has finished, so a cancel takes effect between items. At the end the folders the items
// were handled in are synced on the worker (the overwrites themselves are flushed pass by
// pass), so a slow device never holds up the main thread, and only then is the end reported. Made with std::make_shared, as the queued steps keep the
// engine alive.
//
// Each item's folder is reached from "/" without passing through a link when its turn comes
// (the folders were resolved when the item was chosen, so one that is a link now was swapped
// in since: the item fails), and the item is handled relative to that folder held open.
// Nothing about an item changes before it is known that it may be erased, and an item that is
// not erased gets its old mode and flags back.
class RemoveFileAndFolder : public std::enable_shared_from_this<RemoveFileAndFolder> {
public:
    explicit RemoveFileAndFolder(Executors executors,
                                 std::shared_ptr<SecureEraser> eraser = std::make_shared<SecureEraser>());

    // Not owned; set before the run starts.
    void setDelegate(RemoveFileAndFolderDelegate* delegate) { delegate_ = delegate; }

    // Starts the run over files, in order; the first progress report comes on this thread.
    void benginToTraskWithArr(std::vector<std::shared_ptr<FileObj>> files);
    // Queues the handling of the current item.
    bool runTaskWithPath();
    // Asks the run to stop: the item in hand is finished, no further item starts.
    void isCancel();

    // The passes an overwrite makes: the user default "WipeTimes", at least 1.
    static int32_t getWipeTimes();
    // The passes an overwrite of a file really writes: getWipeTimes, at most
    // SecureEraser::maximumPasses.
    static int32_t passesWritten();
    // False only when the file cannot be opened for writing for want of permission. Never
    // blocks and never follows a link.
    static bool checkPermissions(int folderFd, const std::string& name);

    // The items handled so far, in order, each with its outcome in failStr.
    std::vector<std::shared_ptr<FileObj>> deleteErrorArr() const;
    size_t idx() const;
    // Items handled of all, the bytes they were listed with, and the item in hand.
    ProgressSnapshot progress() const { return progress_.snapshot(); }

private:
    enum class Outcome { Success, Fail, Refused };

    void eraseItem();
    Outcome shredItem(const FileObj& item);
    Outcome shredFolder(const FileObj& item, const platform::LinkFreePath::Parent& parent, const struct stat& info);
    Outcome shredFile(const FileObj& item, const platform::LinkFreePath::Parent& parent, const struct stat& info);
    void doneErasing();
    void noteWrittenFolder(int heldFolder);
    void syncWrittenFolders();
    void finish();
    void end();

    Executors executors_;
    std::shared_ptr<SecureEraser> eraser_;
    RemoveFileAndFolderDelegate* delegate_ = nullptr;

    mutable std::mutex mutex_;  // guards the lists and the run state below
    std::vector<std::shared_ptr<FileObj>> allFilesArr_;
    std::vector<std::shared_ptr<FileObj>> deleteErrorArr_;
    bool isRunning_ = false;
    bool ended_ = false;
    size_t idx_ = 0;
    StopToken isCancel_;
    ProgressState progress_;
    // Each folder an item was handled in (by device and inode), open, for the sync at the end;
    // touched by the worker only.
    std::map<std::pair<dev_t, ino_t>, platform::FileDescriptor> writtenFolders_;
};

}  // namespace core
