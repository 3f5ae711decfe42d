#include "ui/kit/windows/AlertSheet.h"

#include "ui/kit/windows/Sheets.h"
#include "ui/kit/windows/TCImageWindow.h"

#include <QMessageBox>
#include <QPushButton>

namespace ui {

QMessageBox* beginAlertSheet(QWidget* page, const QString& message, const QStringList& buttons,
                             std::function<void(int button)> done) {
    auto* alert = new QMessageBox(page->window());
    alert->setAttribute(Qt::WA_DeleteOnClose);
    alert->setText(message);
    QList<QPushButton*> pushButtons;
    for (const QString& title : buttons)
        pushButtons.append(
            alert->addButton(title, pushButtons.isEmpty() ? QMessageBox::AcceptRole : QMessageBox::RejectRole));
    if (!pushButtons.isEmpty()) alert->setDefaultButton(pushButtons.front());
    auto finished = [alert, pushButtons, done = std::move(done)](int) {
        const int chosen = static_cast<int>(pushButtons.indexOf(static_cast<QPushButton*>(alert->clickedButton())));
        if (done) done(chosen);
    };
    if (auto* window = qobject_cast<TCImageWindow*>(page->window())) {
        beginSheet(alert, window, finished);
    } else {
        alert->setWindowModality(Qt::WindowModal);
        QObject::connect(alert, &QDialog::finished, alert, finished, Qt::SingleShotConnection);
        alert->open();
    }
    return alert;
}

}  // namespace ui
