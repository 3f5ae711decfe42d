#pragma once

#include <QFileDialog>

#include <functional>

namespace ui {

// The panel that picks several files and folders at once (an application bundle is a folder),
// which the file dialog's own modes cannot do together. It is Qt's own dialog, not the
// desktop's, so its accept can take folders: "添加" accepts whatever is selected, while a double
// click still opens a folder. Hidden files stay hidden. The chosen paths are absolute and their
// links are not resolved: a chosen link is the link.
class FileAndFolderOpenPanel : public QFileDialog {
    Q_OBJECT
public:
    FileAndFolderOpenPanel(const QString& folder, QWidget* parent = nullptr);

    // Opens a panel of the given size over the owner: as a sheet of the owner's custom window,
    // else window-modal. Once it is accepted, chosen gets the paths; either way the panel then
    // goes (a QPointer to it turns null).
    static FileAndFolderOpenPanel* beginFor(QWidget* owner, const QString& folder, const QSize& size,
                                            std::function<void(const QStringList& paths)> chosen);

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
