// Lays out every kit control in each of its states on one page and saves a picture of it, so the
// looks can be checked by eye: scripts/gallery controls_gallery [out.png] runs it under Xvfb.

#include "tests/support/PointerEvents.h"
#include "ui/kit/controls/BaseWbgView.h"
#include "ui/kit/tables/CheckButtonCell.h"
#include "ui/kit/looks/CocoaRect.h"
#include "ui/kit/tables/CustemOutlineView.h"
#include "ui/kit/tables/CustomTableView.h"
#include "ui/kit/controls/RFOverlayScrollView.h"
#include "ui/kit/controls/DMImageView.h"
#include "ui/kit/controls/DTextImageButton.h"
#include "ui/kit/controls/EUHandButton.h"
#include "ui/kit/controls/EUProgressView.h"
#include "ui/kit/tables/FlatHeaderView.h"
#include "ui/kit/tables/ImageAndTextCell.h"
#include "ui/kit/looks/ImageNamed.h"
#include "ui/kit/tables/LagImageATextCell.h"
#include "ui/kit/controls/LeftView.h"
#include "ui/kit/windows/MAAttachedWindow.h"
#include "ui/kit/tables/NewOutlineView.h"
#include "ui/kit/tables/SocialOutlineView.h"
#include "ui/kit/controls/SortSelectBgView.h"
#include "ui/kit/looks/SystemFont.h"
#include "ui/kit/controls/TCImageButton.h"
#include "ui/kit/controls/SegmentedControl.h"
#include "ui/kit/controls/TabBarWButton.h"
#include "ui/kit/controls/TextImageButton.h"
#include "ui/kit/controls/junkView.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStandardItemModel>
#include <QTimer>

#include <cstdio>
#include <type_traits>

namespace {

enum class State { Rest, Hover, Pressed, NotUsable };
const State kStates[] = {State::Rest, State::Hover, State::Pressed, State::NotUsable};

constexpr int kCaptionWidth = 150;
constexpr int kColumnWidth = 140;
constexpr int kRowHeight = 48;
constexpr int kListsX = 870;
constexpr int kListWidth = 395;

// Puts a control into a state the way the pointer would.
void putInState(ui::StateButton* button, State state) {
    if (state == State::Hover) {
        testsupport::sendEnter(button);
    } else if (state == State::Pressed) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(button, &press);
    }
}

class Gallery : public ui::junkView {
public:
    Gallery() {
        resize(kListsX + kListWidth + 10, 1200);
        auto* column = new ui::LeftView(this);
        column->setGeometry(0, 0, 12, height());
        addHeaders();
        addTextButtonRow("TextImageButton", "btn_sec", "btn_sec_press", "btn_sec_press", "btn_sec_disable", "取消");
        addTextButtonRow("", "btn_pri", "btn_pri_press", "btn_pri_press", "btn_pri_disable", "删除");
        addTextButtonRow("", "new_btn_scan", "new_btn_scan_press", "new_btn_scan_press", "new_btn_scan_disable", "扫描");
        addRowButtonRow();
        addRowButtonVariants();
        addTabButtonRow();
        addSegmentRow();
        addPictureButtonRows();
        addCheckBoxes();
        addProgressBars();
        addIcons();
        addPopUpPlace();
        addLists();
    }

    // A pop-up list as the format dialog opens it: four rows below a point of the page, the
    // second under the pointer. The pop-up is a window of its own, so it is made once the page
    // stands on the screen.
    ui::MAAttachedWindow* openPopUpList() {
        auto* rows = new QWidget;
        rows->resize(130, 4 * 26);
        const char* types[] = {"ExFAT", "MS-DOS FAT32", "Mac OS扩展", "APFS"};
        for (int index = 0; index < 4; ++index) {
            auto* row = new ui::SortSelectBgView(rows);
            row->setObjectName(QString::number(index));
            row->setGeometry(0, index * 26, 130, 26);
            auto* label = new QLabel(types[index], row);
            label->setFont(ui::systemFontOfSize(13));
            label->setGeometry(12, 0, 118, 26);
            if (index == 1) testsupport::sendEnter(row);
        }
        const QPointF point = ui::cocoaRect(height(), QRectF(popUpPoint, QSizeF(0, 0))).topLeft();
        auto* popUp = ui::MAAttachedWindow::initWithView(rows, point, this, ui::AttachedSide::Below, 0, 1.0);
        popUp->show();
        return popUp;
    }

private:
    int y = 16;
    QPointF popUpPoint;

    QLabel* caption(const QString& text, int x, int top, int width) {
        auto* label = new QLabel(text, this);
        label->setFont(ui::systemFontOfSize(12));
        label->setGeometry(x, top, width, 20);
        return label;
    }

    void addHeaders() {
        caption("rest", kCaptionWidth + 24, y, kColumnWidth);
        caption("pointer over", kCaptionWidth + 24 + kColumnWidth, y, kColumnWidth);
        caption("pressed", kCaptionWidth + 24 + 2 * kColumnWidth, y, kColumnWidth);
        caption("not usable", kCaptionWidth + 24 + 3 * kColumnWidth, y, kColumnWidth);
        y += 28;
    }

    QPoint cell(int column) const { return QPoint(kCaptionWidth + 24 + column * kColumnWidth, y); }

    // One control per state along the current row, each set up by setUp before it takes the state.
    template <typename Button, typename SetUp>
    void addStateRow(const QSize& size, SetUp setUp) {
        int column = 0;
        for (State state : kStates) {
            auto* button = new Button(this);
            button->setGeometry(QRect(cell(column++), size));
            setUp(button, state == State::NotUsable);
            putInState(button, state);
        }
    }

    void addTextButtonRow(const QString& title, const QString& normal, const QString& active, const QString& hover,
                          const QString& disable, const QString& text) {
        caption(title, 24, y + 6, kCaptionWidth);
        addStateRow<ui::TextImageButton>(QSize(normal == "new_btn_scan" ? 120 : 100, 32),
                                         [&](ui::TextImageButton* button, bool notUsable) {
                                             button->setImageFromFileNormalName(normal, active, hover, disable);
                                             button->setTextWithName(text);
                                             button->setButtonEnabled(!notUsable);
                                         });
        y += kRowHeight;
    }

    void addRowButtonRow() {
        caption("DTextImageButton", 24, y + 2, kCaptionWidth);
        addStateRow<ui::DTextImageButton>(QSize(72, 24), [](ui::DTextImageButton* button, bool notUsable) {
            button->setImageFromFileNormalName("btn_format", "btn_format_press", "btn_format_hover", "btn_format_disable");
            button->setTextWithName("格式化", 12);
            button->setButtonEnabled(!notUsable);
        });
        y += 40;
    }

    void addRowButtonVariants() {
        caption("label colours", 24, y + 6, kCaptionWidth);
        int column = 0;
        for (const char* name : {"btn_main", "btn_pril_normal", "btn_secl_normal", "btn_s_normal"}) {
            auto* button = new ui::DTextImageButton(this);
            button->setGeometry(QRect(cell(column++), QSize(100, 32)));
            button->setImageFromFileNormalName(name, name, name, name);
            button->setTextWithName("确定", 14);
        }
        y += kRowHeight;
    }

    void addTabButtonRow() {
        caption("TabBarWButton", 24, y + 4, kCaptionWidth);
        addStateRow<ui::TabBarWButton>(QSize(100, 26), [](ui::TabBarWButton* button, bool notUsable) {
            button->setTextWithName("全部");
            button->setButtonEnabled(!notUsable);
        });
        auto* hand = new ui::EUHandButton(this);
        hand->setText("EUHandButton");
        hand->setGeometry(QRect(cell(4), QSize(110, 26)));
        y += kRowHeight;
    }

    // Usable, then disabled.
    void addSegmentRow() {
        caption("SegmentedControl", 24, y + 4, kCaptionWidth);
        for (int column : {0, 2}) {
            auto* segments = new ui::SegmentedControl({"应用程序", "小部件", "插件"}, this);
            segments->setGeometry(QRect(cell(column), QSize(240, 28)));
            segments->setSelectedSegment(1);
            segments->setEnabled(column == 0);
        }
        y += kRowHeight;
    }

    void addPictureButtonRows() {
        caption("TCImageButton", 24, y + 4, kCaptionWidth);
        for (const char* base : {"btn_refresh", "btn_add", "btn_empty", "btn_detail_back"}) {
            const QString name(base);
            addStateRow<ui::TCImageButton>(QSize(), [&name](ui::TCImageButton* button, bool notUsable) {
                button->setImageFromFileNormalName(name, name + "_press", name + "_hover", name + "_disable");
                button->setEnabled(!notUsable);
            });
            y += 36;
        }
        int column = 0;
        for (State state : {State::Rest, State::Pressed}) {
            auto* button = new ui::TCImageButton(this);
            button->move(cell(column++));
            button->setImageFromFileNormalName("btn_detail", "btn_detail_press", "btn_detail_press", "btn_detail");
            putInState(button, state);
        }
        y += kRowHeight;
    }

    void addPictureStrip(const QString& title, const QStringList& names, int pitch) {
        caption(title, 24, y, kCaptionWidth);
        int x = kCaptionWidth + 24;
        int tallest = 0;
        for (const QString& name : names) {
            auto* view = new ui::DMImageView(this);
            const QPixmap picture = ui::imageNamed(name);
            view->setImage(picture);
            view->setGeometry(QRect(QPoint(x, y), picture.deviceIndependentSize().toSize()));
            x += qMax(pitch, view->width() + 12);
            tallest = qMax(tallest, view->height());
        }
        y += tallest + 20;
    }

    void addCheckBoxes() {
        addPictureStrip("check boxes", {"checkbox-unsel", "checkbox-checked", "checkbox-halfchecked", "checkbox-unsel-disable"},
                        40);
    }

    void addProgressBars() {
        caption("EUProgressView", 24, y - 6, kCaptionWidth);
        for (float value : {0.0f, 33.0f, 66.0f, 100.0f}) {
            auto* bar = new ui::EUProgressView(QRect(kCaptionWidth + 24, y, 392, 4), this);
            bar->changeProgressValue(value);
            y += 14;
        }
        y += 20;
    }

    void addIcons() {
        addPictureStrip("tiles", {"icon_system@2x.png", "icon_app@2x.png", "icon_email@2x.png", "icon_trash@2x.png",
                                  "ic_xcode@2x.png", "ic_media@2x.png"}, 68);
        addPictureStrip("quick switches", {"Active", "Disabled", "ic_desktop", "ic_desk_off", "ic_light", "ic_dark",
                                           "ic_hide", "ic_unhide", "ic_notice", "ic_notice_close"}, 52);
        addPictureStrip("", {"ic_Night", "ic_Nighton", "ic_dock", "ic_dock_off", "ic_bluetooth"}, 52);
        addPictureStrip("lists and panels", {"ic_disk_in", "ic_disk_os", "ic_disk_out", "ic_open", "open_icon",
                                             "ic_volume", "ic_volume_disable", "cell_uninstall",
                                             "cell_uninstall_hover"}, 44);
    }

    // --- Tables and outlines, in a column of their own at the right.
    int listY = 16;

    static QList<QStandardItem*> listRow(const QString& check, const QString& icon, const QString& name,
                                         const QString& size, int height) {
        auto* box = new QStandardItem;
        box->setData(ui::imageNamed(check), Qt::DecorationRole);
        box->setSizeHint(QSize(-1, height));
        auto* title = new QStandardItem(name);
        if (!icon.isEmpty()) title->setData(ui::imageNamed(icon), Qt::DecorationRole);
        return {box, title, new QStandardItem(size)};
    }

    QStandardItemModel* listModel() {
        auto* model = new QStandardItemModel(0, 3, this);
        model->setHorizontalHeaderLabels({"", "名称", "大小"});
        return model;
    }

    template <typename List>
    List* addList(const QString& title, QStandardItemModel* model, int height, QAbstractItemDelegate* nameCell,
                  bool qqLayout) {
        caption(title, kListsX, listY, kListWidth);
        auto* list = new List(this);
        list->setGeometry(kListsX, listY + 22, kListWidth, height);
        list->setModel(model);
        auto* check = new ui::CheckButtonCell(list);
        check->setIsQQ(qqLayout);
        list->setItemDelegateForColumn(0, check);
        list->setItemDelegateForColumn(1, nameCell);
        if constexpr (std::is_base_of_v<QTreeView, List>) list->setTreePosition(1);
        list->setColumnWidth(0, 60);
        list->setColumnWidth(1, 230);
        listY += height + 40;
        return list;
    }

    void addPopUpPlace() {
        caption("MAAttachedWindow", 24, y, kCaptionWidth);
        popUpPoint = QPointF(kCaptionWidth + 24 + 65, y);
        caption("BaseWbgView", kCaptionWidth + 24 + 2 * kColumnWidth, y, kColumnWidth);
        auto* block = new ui::BaseWbgView(this);
        block->setGeometry(kCaptionWidth + 24 + 2 * kColumnWidth, y + 26, 100, 40);
        y += 130;
    }

    void addLists() {
        QStandardItemModel* files = listModel();
        files->appendRow(listRow("checkbox-checked", "icon_system@2x.png", "系统缓存", "1.20 GB", 40));
        files->appendRow(listRow("checkbox-unsel", "icon_app@2x.png", "应用缓存", "356.40 MB", 40));
        files->appendRow(listRow("checkbox-halfchecked", "icon_email@2x.png", "邮件附件", "12.00 KB", 40));
        files->appendRow(listRow("checkbox-unsel-disable", "", "没有图标的一行", "0.00 KB", 40));
        auto* table = addList<ui::CustomTableView>("CustomTableView: rowNum 1, row 2 selected, sorted by 大小", files, 196,
                                                   new ui::ImageAndTextCell(this), false);
        table->verticalHeader()->setDefaultSectionSize(40);
        table->setRowNum(1);
        table->selectRow(2);
        table->headerView()->setSortIndicatorShown(true);
        table->headerView()->setSortIndicator(2, Qt::AscendingOrder);

        auto* duplicates = addList<ui::NewOutlineView>("NewOutlineView: rowNum 2", groupedModel(30), 220,
                                                       new ui::ImageAndTextCell(this), false);
        duplicates->expandAll();
        duplicates->setRowNum(2);

        auto* chats = addList<ui::SocialOutlineView>("SocialOutlineView (QQ layout): rowNum 1", groupedModel(40), 200,
                                                     new ui::LagImageATextCell(this), true);
        chats->expand(chats->model()->index(0, 0));
        chats->setRowNum(1);

        auto* related = addList<ui::CustemOutlineView>("CustemOutlineView: row 1 selected", groupedModel(26), 150,
                                                       new ui::ImageAndTextCell(this), false);
        related->expand(related->model()->index(0, 0));
        related->setCurrentIndex(related->model()->index(0, 0, related->model()->index(0, 0)));

        // The same kind of table in an overlay scroll view: the knob floats over the rows.
        QStandardItemModel* many = listModel();
        for (int row = 0; row < 8; ++row)
            many->appendRow(listRow("checkbox-checked", "icon_history", QStringLiteral("浏览历史 %1").arg(row + 1), "120项", 40));
        auto* overlaid = addList<ui::CustomTableView>("RFOverlayScrollView: the knob below the header", many, 150,
                                                      new ui::ImageAndTextCell(this), false);
        overlaid->verticalHeader()->setDefaultSectionSize(40);
        auto* scrollView = new ui::RFOverlayScrollView(this);
        scrollView->setGeometry(overlaid->geometry());
        scrollView->setDocumentView(overlaid);
    }

    QStandardItemModel* groupedModel(int rowHeight) {
        QStandardItemModel* model = listModel();
        const char* groups[][2] = {{"微信", "ic_open"}, {"QQ", "open_icon"}};
        for (const auto& group : groups) {
            QList<QStandardItem*> row = listRow("checkbox-halfchecked", group[1], group[0], "48.00 MB", rowHeight);
            row[0]->appendRow(listRow("checkbox-checked", "", QString(group[0]) + " 缓存", "40.00 MB", rowHeight));
            row[0]->appendRow(listRow("checkbox-unsel", "", QString(group[0]) + " 日志", "8.00 MB", rowHeight));
            model->appendRow(row);
        }
        return model;
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("controls_gallery.png");
    // Keep the real pointer away from the page, so only the states set above show.
    if (QScreen* screen = QGuiApplication::primaryScreen()) QCursor::setPos(screen->geometry().bottomRight());
    Gallery gallery;
    gallery.move(0, 0);
    gallery.show();
    ui::MAAttachedWindow* popUp = gallery.openPopUpList();
    QTimer::singleShot(500, [&gallery, popUp, &output] {
        QPixmap picture = gallery.grab();
        QPainter(&picture).drawPixmap(gallery.mapFromGlobal(popUp->pos()), popUp->grab());
        if (!picture.save(output)) std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
        QApplication::quit();
    });
    return application.exec();
}
