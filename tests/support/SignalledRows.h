#pragma once

#include <QDebug>
#include <QSignalSpy>
#include <QTreeView>

#include <algorithm>

namespace testsupport {

// Whether the changes a spy on a model's dataChanged caught reach the given column of every row
// the tree view shows, children of expanded rows included. A tree view repaints only the rows
// that a signalled span covers, so a row left out keeps what it drew before. The first row missed
// is named in a warning.
inline bool everyShownRowSignalled(const QTreeView& view, const QSignalSpy& changes, int column) {
    for (QModelIndex row = view.model()->index(0, 0, view.rootIndex()); row.isValid(); row = view.indexBelow(row)) {
        const bool covered = std::any_of(changes.begin(), changes.end(), [&](const QList<QVariant>& change) {
            const auto first = change[0].value<QModelIndex>();
            const auto last = change[1].value<QModelIndex>();
            return first.parent() == row.parent() && first.row() <= row.row() && row.row() <= last.row() &&
                   first.column() <= column && column <= last.column();
        });
        if (!covered) {
            qWarning() << "no change reached the row" << row.siblingAtColumn(1).data().toString();
            return false;
        }
    }
    return true;
}

}  // namespace testsupport
