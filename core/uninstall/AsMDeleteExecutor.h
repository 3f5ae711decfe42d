#pragma once

#include "core/kit/EuAuthorization.h"
#include "core/kit/Executors.h"
#include "core/uninstall/AMAppItem.h"
#include "platform/privileged/PrivilegedSession.h"

#include <memory>
#include <string>
#include <vector>

namespace core::uninstall {

class AsMDeleteExecutorDelegate;

// The uninstaller's remover, one per related-files window. It removes the ticked records for
// good, in list order, on one worker: each with the user's rights first and, when that fails,
// through its own privileged session, so the password is asked at most once per window while
// the right stays granted; a refusal fails that item and the next item that needs the right
// asks again. Each item gets one report, delivered to the delegate on the main thread.
//
// Always owned through a shared_ptr: a run keeps its executor alive until its last item,
// whatever happens to the window that started it.
class AsMDeleteExecutor : public std::enable_shared_from_this<AsMDeleteExecutor> {
public:
    AsMDeleteExecutor(Executors executors, std::shared_ptr<platform::PrivilegedSession> session);
    // The right is given up when the executor goes.
    ~AsMDeleteExecutor();
    AsMDeleteExecutor(const AsMDeleteExecutor&) = delete;
    AsMDeleteExecutor& operator=(const AsMDeleteExecutor&) = delete;

    // With a new privileged session of the system's kind.
    static std::shared_ptr<AsMDeleteExecutor> make(Executors executors);

    // Main thread only. An owner that goes away first clears it: reports not delivered yet are
    // dropped, and the run goes on to the end of its list.
    AsMDeleteExecutorDelegate* delegate() const { return delegate_; }
    void setDelegate(AsMDeleteExecutorDelegate* delegate) { delegate_ = delegate; }

    // Main thread. Each record's folder is resolved now, as the user chose it; the removals then
    // run in list order on the global queue.
    void executeDelete(const std::vector<AMAppItemPtr>& items);

    // The steps of a run, on its worker. removeTrahFile: true when nothing is left at the path
    // (an item already gone asks for no right). The item's folder is reached from "/" without
    // passing through a link, and the item is removed relative to that folder.
    bool removeTrahFile(const std::string& path);
    // True when the right is held; asks the user when it is not.
    bool allocAuthorization();
    // The privileged removal, judged by the remove command's status, its silence and the item
    // being gone.
    bool authDeleteAtPath(const std::string& path);
    void freeAuthorization();

private:
    void report(const AMAppItemPtr& item, const std::string& path, bool removed);

    Executors executors_;
    EuAuthorization authorization_;
    AsMDeleteExecutorDelegate* delegate_ = nullptr;
};

}  // namespace core::uninstall
