#include "ui/startup/LoginItemOpenPanel.h"

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

LoginItemOpenPanel::LoginItemOpenPanel(const QString& folder, QWidget* parent) : QFileDialog(parent, QString(), folder) {
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::ExistingFiles);
    setAcceptMode(QFileDialog::AcceptOpen);
    setLabelText(QFileDialog::Accept, kAddLabel);
    keepAddLabel();
}

QPushButton* LoginItemOpenPanel::addButton() const {
    auto* buttons = findChild<QDialogButtonBox*>();
    return buttons ? buttons->button(QDialogButtonBox::Open) : nullptr;
}

// Connected after the dialog's own handlers, so the label is put back once they are done.
void LoginItemOpenPanel::keepAddLabel() {
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

void LoginItemOpenPanel::accept() {
    QStringList paths;
    for (const QString& path : selectedFiles()) {
        const QFileInfo item(path);
        if (!item.exists()) return;
        paths.append(item.canonicalFilePath());
    }
    if (paths.isEmpty()) return;
    chosen = paths;
    QDialog::accept();
}

}  // namespace ui
