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

    // Main thread. The removals run in list order on the global queue, each record as it was
    // listed (a record that could not be reached then fails).
    void executeDelete(const std::vector<AMAppItemPtr>& items);

    // The steps of a run, on its worker. removeTrahFile: true when the item is gone (an item
    // already gone asks for no right); an item or folder that is no longer what was listed is
    // refused, never removed.
    bool removeTrahFile(const platform::ChosenItem& item);
    // True when the right is held; asks the user when it is not.
    bool allocAuthorization();
    // The privileged removal of the item in its reached folder, judged by the helper's status,
    // its silence and the item being gone.
    bool authDeleteAtPath(const platform::ItemRemoval::Folder& folder, const platform::ChosenItem& item);
    void freeAuthorization();

private:
    void report(const AMAppItemPtr& item, const std::string& path, bool removed);

    Executors executors_;
    EuAuthorization authorization_;
    AsMDeleteExecutorDelegate* delegate_ = nullptr;
};

}  // namespace core::uninstall
