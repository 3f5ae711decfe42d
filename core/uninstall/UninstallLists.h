#pragma once

#include "core/uninstall/AMAppItem.h"
#include "core/uninstall/AppCatalogScanner.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace core::uninstall {

// The uninstaller page's lists without widgets: per kind the full list and the ticked records
// (in ticking order), the kind shown, the rows shown (that kind, filtered by the search text and
// sorted), and the one sort direction that the Size and Name columns share. Records are known
// by identity, never by row number. Main thread.
class UninstallLists {
public:
    enum class SortColumn { Size, Name };
    // The header box's picture: none, all or some of the shown rows ticked.
    enum SelectAllState { NoneTicked = 0, AllTicked = 1, SomeTicked = 2 };

    // A kind's new full list (after a scan or a refresh): its ticks are dropped; when it is the
    // kind shown, the shown rows follow with the search text applied.
    void setFullList(AppKind kind, std::vector<AMAppItemPtr> items);
    // Shows another kind, whole: the search text is dropped.
    void switchKind(AppKind kind);
    // Shows the records of the kind whose lowercased name holds the text, trimmed and lowercased;
    // an empty text shows the whole kind.
    void search(const std::string& text);

    AppKind appsType() const { return kind_; }
    const std::vector<AMAppItemPtr>& fullList(AppKind kind) const { return full_[index(kind)]; }
    const std::vector<AMAppItemPtr>& tickedList() const { return ticked_[index(kind_)]; }
    const std::vector<AMAppItemPtr>& shown() const { return shown_; }
    bool isTicked(const AMAppItemPtr& item) const;
    SelectAllState selectAllState() const;

    // Ticks the record, or unticks it when it is ticked.
    void toggle(const AMAppItemPtr& item);
    // The header box: when every shown row is ticked, nothing stays ticked; otherwise exactly
    // the shown rows are.
    void selectAll();
    // Sorts the shown rows by the column in the shared direction (the first sort of the page is
    // descending, every sort flips it); true when it sorted descending. Size compares the parsed
    // size texts, Name the names byte for byte.
    bool sort(SortColumn column);
    // Shown rows whose size is not measured yet: a Size sort waits for them.
    std::vector<AMAppItemPtr> unmeasuredShown() const;

    // After an uninstall: records whose bundle no longer exists leave every list; the records
    // that were uninstalled and are still there stay listed, unticked. The kind is shown whole:
    // the search text no longer applies (the page's field keeps it).
    void completeUninstall(const std::vector<AMAppItemPtr>& uninstalled);

private:
    static size_t index(AppKind kind) { return static_cast<size_t>(kind); }
    void showKind();

    AppKind kind_ = AppKind::Applications;
    std::array<std::vector<AMAppItemPtr>, 3> full_;
    std::array<std::vector<AMAppItemPtr>, 3> ticked_;
    std::vector<AMAppItemPtr> shown_;
    std::string filter_;
    bool isSort_ = false;  // the next sort is ascending
};

}  // namespace core::uninstall
