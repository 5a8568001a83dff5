// The grid and row panel paint boxes of TDrumsUI.
#include "editor/DrumsUIViews.h"

#include "editor/DrumsUI.h"

#include <QPaintEvent>
#include <QPainter>

namespace {

// Opaque paint boxes: every paint covers its whole region.
void setUpPaintBox(QWidget& box) {
    box.setAttribute(Qt::WA_OpaquePaintEvent);
    box.setAutoFillBackground(false);
    box.setMouseTracking(true);
}

} // namespace

TGridView::TGridView(TDrumsUI& owner, QWidget* parent) : QWidget(parent), m_owner(owner) {
    setObjectName(QStringLiteral("Grid"));
    setUpPaintBox(*this);
    setCursor(Qt::CrossCursor);
    setAcceptDrops(true);
}

void TGridView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    m_owner.paintGrid(p, event->region());
}

void TGridView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_owner.postRelayout();
}

void TGridView::mousePressEvent(QMouseEvent* event) {
    m_owner.GridMouseDown(event);
}

void TGridView::mouseMoveEvent(QMouseEvent* event) {
    m_owner.GridMouseMove(event);
}

void TGridView::mouseReleaseEvent(QMouseEvent* event) {
    m_owner.GridMouseUp(event);
}

void TGridView::dragEnterEvent(QDragEnterEvent* event) {
    m_owner.GridDragEnter(event);
}

void TGridView::dragMoveEvent(QDragMoveEvent* event) {
    m_owner.GridDragMove(event);
}

void TGridView::dropEvent(QDropEvent* event) {
    m_owner.GridDrop(event);
}

TRowPanelView::TRowPanelView(TDrumsUI& owner, QWidget* parent) : QWidget(parent), m_owner(owner) {
    setObjectName(QStringLiteral("RowPanel"));
    setUpPaintBox(*this);
}

void TRowPanelView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    m_owner.paintRowPanel(p, event->region());
}

void TRowPanelView::mousePressEvent(QMouseEvent* event) {
    m_owner.RowPanelMouseDown(event);
}

void TRowPanelView::mouseMoveEvent(QMouseEvent* event) {
    m_owner.RowPanelMouseMove(event);
}
