// Lays out every kit control in each of its states on one page and saves a picture of it, so the
// looks can be checked by eye: scripts/gallery controls_gallery [out.png] runs it under Xvfb.

#include "ui/kit/DMImageView.h"
#include "ui/kit/DTextImageButton.h"
#include "ui/kit/EUHandButton.h"
#include "ui/kit/EUProgressView.h"
#include "ui/kit/ImageNamed.h"
#include "ui/kit/LeftView.h"
#include "ui/kit/SystemFont.h"
#include "ui/kit/TCImageButton.h"
#include "ui/kit/TabBarWButton.h"
#include "ui/kit/TextImageButton.h"
#include "ui/kit/junkView.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

#include <cstdio>

namespace {

enum class State { Rest, Hover, Pressed, NotUsable };
const State kStates[] = {State::Rest, State::Hover, State::Pressed, State::NotUsable};

constexpr int kCaptionWidth = 150;
constexpr int kColumnWidth = 140;
constexpr int kRowHeight = 48;

// Puts a control into a state the way the pointer would.
void putInState(ui::StateButton* button, State state) {
    if (state == State::Hover) {
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(button, &enter);
    } else if (state == State::Pressed) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(button, &press);
    }
}

class Gallery : public ui::junkView {
public:
    Gallery() {
        resize(900, 880);
        auto* column = new ui::LeftView(this);
        column->setGeometry(0, 0, 12, height());
        addHeaders();
        addTextButtonRow("TextImageButton", "btn_sec", "btn_sec_press", "btn_sec_press", "btn_sec_disable", "取消");
        addTextButtonRow("", "btn_pri", "btn_pri_press", "btn_pri_press", "btn_pri_disable", "删除");
        addTextButtonRow("", "new_btn_scan", "new_btn_scan_press", "new_btn_scan_press", "new_btn_scan_disable", "扫描");
        addRowButtonRow();
        addRowButtonVariants();
        addTabButtonRow();
        addPictureButtonRows();
        addCheckBoxes();
        addProgressBars();
        addIcons();
    }

private:
    int y = 16;

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
                                             "ic_volume", "ic_volume_disable"}, 44);
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
    QTimer::singleShot(500, [&gallery, &output] {
        if (!gallery.grab().save(output)) std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
        QApplication::quit();
    });
    return application.exec();
}
