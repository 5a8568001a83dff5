// The two paint boxes of TDrumsUI: the grid and the row panel. They only
// hand their paint, mouse and drag events to the control that owns them.
#pragma once

#include <QWidget>

class TDrumsUI;

class TGridView : public QWidget {
    Q_OBJECT

public:
    TGridView(TDrumsUI& owner, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    TDrumsUI& m_owner;
};

class TRowPanelView : public QWidget {
    Q_OBJECT

public:
    TRowPanelView(TDrumsUI& owner, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    TDrumsUI& m_owner;
};
