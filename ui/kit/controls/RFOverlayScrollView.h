#pragma once

#include <QWidget>

class QAbstractScrollArea;

namespace ui {

class RFOverlayScroller;

// A scroll view whose vertical scroller floats over its content instead of taking width from
// it: the content (a table with its header) keeps the full width, and the scroller lies on
// the right edge from just below the table's header to the bottom, kept in step with the
// content's own scrolling.
class RFOverlayScrollView : public QWidget {
    Q_OBJECT
public:
    explicit RFOverlayScrollView(QWidget* parent = nullptr);

    // The scrolled content, taken into the view; its own vertical scroll bar is never shown.
    void setDocumentView(QAbstractScrollArea* content);
    QAbstractScrollArea* documentView() const { return content_; }
    RFOverlayScroller* verticalScroller() const { return scroller_; }

    // Where the scroller begins: the height of the content's table header.
    int headerOffset() const { return headerOffset_; }
    void setHeaderOffset(int offset);
    // The height of the header of the content when it is a table with one shown; else 0.
    int tableHeaderOffsetFromSuperview() const;
    // Lays the content over the whole view and the scroller over its right edge.
    void tile();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void followContent();

    QAbstractScrollArea* content_ = nullptr;
    RFOverlayScroller* scroller_ = nullptr;
    int headerOffset_ = 0;
};

}  // namespace ui
