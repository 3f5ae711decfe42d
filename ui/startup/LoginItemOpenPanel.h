#pragma once

#include <QFileDialog>

namespace ui {

// The panel that picks login items: several files and folders at once (an application bundle
// is a folder), which the file dialog's own modes cannot do together. It is Qt's own dialog,
// not the desktop's, so its accept can take folders: "添加" accepts whatever is selected,
// while a double click still opens a folder. Links are resolved.
class LoginItemOpenPanel : public QFileDialog {
    Q_OBJECT
public:
    LoginItemOpenPanel(const QString& folder, QWidget* parent = nullptr);

    // The chosen items' paths, once accepted.
    QStringList chosenPaths() const { return chosen; }
    QPushButton* addButton() const;

    void accept() override;

private:
    // The dialog names its button "Open" while a folder is selected; here it always adds.
    void keepAddLabel();

    QStringList chosen;
};

}  // namespace ui
