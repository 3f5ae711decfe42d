#include "ui/kit/windows/Sheets.h"

#include "ui/kit/looks/LightAppearance.h"
#include "ui/kit/windows/TCImageWindow.h"
#include "ui/kit/windows/TCImageWindowDelegateProxy.h"

#include <QDialog>

namespace ui {
namespace {

// The window proposes its top edge; the proxy moves the line the sheet hangs from.
void positionSheet(QDialog* sheet, TCImageWindow* window) {
    const QRectF proposed(0, 0, window->width(), 0);
    const QRectF placed = window->delegateProxy()->windowWillPositionSheet(window, sheet, proposed);
    const QPoint topLeft(qRound(placed.center().x() - sheet->width() / 2.0), qRound(placed.bottom()));
    sheet->move(window->mapToGlobal(topLeft));
}

}  // namespace

void beginSheet(QDialog* sheet, TCImageWindow* window, std::function<void(int returnCode)> completionHandler) {
    sheet->setParent(window, Qt::Dialog | Qt::FramelessWindowHint);
    sheet->setWindowModality(Qt::WindowModal);
    setLightAppearance(sheet);
    if (!sheet->testAttribute(Qt::WA_Resized)) sheet->adjustSize();
    positionSheet(sheet, window);
    QObject::connect(sheet, &QDialog::finished, sheet,
                     [handler = std::move(completionHandler)](int result) {
                         if (handler) handler(result);
                     },
                     Qt::SingleShotConnection);
    sheet->open();
    // Some dialogs settle their size only while they are shown.
    positionSheet(sheet, window);
}

void beginSheetForPage(QDialog* sheet, QWidget* page, std::function<void(int returnCode)> completionHandler) {
    if (auto* window = qobject_cast<TCImageWindow*>(page->window())) {
        beginSheet(sheet, window, std::move(completionHandler));
        return;
    }
    QObject::connect(sheet, &QDialog::finished, page, std::move(completionHandler));
    sheet->open();
}

}  // namespace ui
