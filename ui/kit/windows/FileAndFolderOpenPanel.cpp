#include "ui/kit/windows/FileAndFolderOpenPanel.h"

#include "ui/kit/windows/Sheets.h"

#include <QAbstractItemView>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

namespace ui {
namespace {
const QString kAddLabel = QStringLiteral("添加");
}  // namespace

FileAndFolderOpenPanel::FileAndFolderOpenPanel(const QString& folder, QWidget* parent) : QFileDialog(parent, QString(), folder) {
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::ExistingFiles);
    setAcceptMode(QFileDialog::AcceptOpen);
    setLabelText(QFileDialog::Accept, kAddLabel);
    keepAddLabel();
}

FileAndFolderOpenPanel* FileAndFolderOpenPanel::beginFor(QWidget* owner, const QString& folder, const QSize& size,
                                                         std::function<void(const QStringList& paths)> chosen) {
    auto* panel = new FileAndFolderOpenPanel(folder, owner);
    panel->resize(size);
    auto done = [panel, chosen = std::move(chosen)](int result) {
        panel->hide();
        panel->deleteLater();
        if (result == QDialog::Accepted) chosen(panel->chosenPaths());
    };
    beginSheetForPage(panel, owner, done);
    return panel;
}

QPushButton* FileAndFolderOpenPanel::addButton() const {
    auto* buttons = findChild<QDialogButtonBox*>();
    return buttons ? buttons->button(QDialogButtonBox::Open) : nullptr;
}

// Connected after the dialog's own handlers, so the label is put back once they are done.
void FileAndFolderOpenPanel::keepAddLabel() {
    auto relabel = [this] {
        if (QPushButton* button = addButton()) button->setText(kAddLabel);
    };
    for (auto* view : findChildren<QAbstractItemView*>()) {
        if (!view->selectionModel()) continue;
        connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this, relabel);
        connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this, relabel);
    }
    for (auto* line : findChildren<QLineEdit*>()) connect(line, &QLineEdit::textChanged, this, relabel);
    connect(this, &QFileDialog::directoryEntered, this, relabel);
}

void FileAndFolderOpenPanel::accept() {
    QStringList paths;
    for (const QString& path : selectedFiles()) {
        const QFileInfo item(path);
        if (!item.exists() && !item.isSymLink()) return;
        paths.append(item.absoluteFilePath());
    }
    if (paths.isEmpty()) return;
    chosen = paths;
    QDialog::accept();
}

}  // namespace ui
