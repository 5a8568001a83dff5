// TDrumsUI: the child controls and their layout, the queued relayout, the
// scroll bars, the editor's host callbacks and the song file commands.
#include "editor/DrumsUI.h"

#include "audio/Playback.h"
#include "editor/DrumsUIPlaybackHost.h"
#include "editor/DrumsUIViews.h"
#include "editor/MapDrumsetForm.h"
#include "songfile/SongFile.h"

#include <QCoreApplication>
#include <QCursor>
#include <QFrame>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <algorithm>

TDrumsUI::TDrumsUI(QWidget* parent)
    : QWidget(parent), m_editor(std::make_unique<TSongEditor>()),
      m_painter(std::make_unique<TGridPainter>(m_editor->Plocha)) {
    setObjectName(QStringLiteral("DrumsUI"));
    m_painter->setColors(TBevelColors::fromPalette(palette()));

    // In the order the controls are laid out by: edges first, then the rest.
    m_vertScroll = new QScrollBar(Qt::Vertical, this);
    m_vertScroll->setObjectName(QStringLiteral("VertScrollBar"));
    m_bottomStrip = new QFrame(this);
    m_bottomStrip->setObjectName(QStringLiteral("BottomStrip"));
    m_bottomStrip->setFrameStyle(QFrame::NoFrame);
    m_cornerBox = new QFrame(m_bottomStrip);
    m_cornerBox->setObjectName(QStringLiteral("CornerBox"));
    m_cornerBox->setFrameStyle(QFrame::Box | QFrame::Raised);
    m_horzScroll = new QScrollBar(Qt::Horizontal, m_bottomStrip);
    m_horzScroll->setObjectName(QStringLiteral("HorzScrollBar"));
    m_rowPanel = new TRowPanelView(*this, this);
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("Splitter"));
    m_grid = new TGridView(*this, this);

    m_splitter->addWidget(m_rowPanel);
    m_splitter->addWidget(m_grid);
    m_splitter->setHandleWidth(SplitterWidth);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_rowPanel->resize(InitialPanelWidth, m_rowPanel->height());
    m_splitter->setSizes({InitialPanelWidth, 1000});

    m_horzScroll->setSingleStep(1);
    m_horzScroll->setPageStep(8);
    m_vertScroll->setSingleStep(StandardRowHeight);
    for (QScrollBar* bar : {m_vertScroll, m_horzScroll}) {
        bar->installEventFilter(this);
    }
    connect(m_horzScroll, &QScrollBar::valueChanged, this, &TDrumsUI::horzScrollMoved);
    connect(m_vertScroll, &QScrollBar::valueChanged, this, &TDrumsUI::vertScrollMoved);
    connect(m_splitter, &QSplitter::splitterMoved, this, [this] { relayout(); });

    m_editor->setHost(this);
    layoutChildren();
    syncScrollBars();
}

TDrumsUI::~TDrumsUI() {
    // The worker reads the song; it ends before anything goes.
    m_playback.reset();
    // The children call back into this control; they go while it is whole.
    m_editor->setHost(nullptr);
    delete m_mapForm;
    delete m_splitter;
    delete m_bottomStrip;
    delete m_vertScroll;
}

QWidget* TDrumsUI::RowPanel() const {
    return m_rowPanel;
}

QWidget* TDrumsUI::Grid() const {
    return m_grid;
}

// --- Layout ---------------------------------------------------------------------------

void TDrumsUI::layoutChildren() {
    const int w = width();
    const int h = height();
    const int innerWidth = std::max(w - ScrollBarSize, 0);
    const int innerHeight = std::max(h - ScrollBarSize, 0);
    m_bottomStrip->setGeometry(0, h - ScrollBarSize, w, ScrollBarSize);
    m_cornerBox->setGeometry(w - ScrollBarSize, 0, ScrollBarSize, ScrollBarSize);
    m_horzScroll->setGeometry(0, 0, innerWidth, ScrollBarSize);
    m_vertScroll->setGeometry(w - ScrollBarSize, 0, ScrollBarSize, innerHeight);
    m_splitter->setGeometry(0, 0, innerWidth, innerHeight);
}

void TDrumsUI::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutChildren();
    postRelayout();
}

void TDrumsUI::postRelayout() {
    // One message stands for any number of size changes before it arrives.
    if (m_relayoutPosted) {
        return;
    }
    m_relayoutPosted = true;
    QCoreApplication::postEvent(this, new QEvent(UM_RELAYOUT));
}

void TDrumsUI::relayout() {
    m_relayoutPosted = false;
    m_editor->Plocha.Relayout(m_rowPanel->width(), m_grid->width(), m_grid->height());
    m_editor->InvalidateView(dfAll);
}

bool TDrumsUI::event(QEvent* event) {
    if (event->type() == UM_RELAYOUT) {
        relayout();
        return true;
    }
    return QWidget::event(event);
}

void TDrumsUI::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        m_painter->setColors(TBevelColors::fromPalette(palette()));
        m_editor->InvalidateView(dfAll);
    }
}

bool TDrumsUI::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == m_vertScroll || watched == m_horzScroll)) {
        return ScrollBarKeyDown(static_cast<QKeyEvent*>(event));
    }
    return QWidget::eventFilter(watched, event);
}

// --- Scrolling and the editor's callbacks ---------------------------------------------

void TDrumsUI::syncScrollBars() {
    if (m_syncingScroll) {
        return;
    }
    m_syncingScroll = true;
    {
        const QSignalBlocker horzBlocker(m_horzScroll);
        const QSignalBlocker vertBlocker(m_vertScroll);
        m_horzScroll->setRange(0, std::max(m_editor->HorzMaximum(), 0));
        m_horzScroll->setValue(m_editor->HorzPosition());
        m_vertScroll->setRange(0, m_editor->VertMaximum());
        m_vertScroll->setValue(m_editor->Plocha.TopOffset);
        m_vertScroll->setPageStep(
            std::max(m_editor->Plocha.GridHeight - RulerHeight - TimeStripHeight, 1));
    }
    m_syncingScroll = false;
    // Rows that shrank below the scroll position pull it back, as a scroll
    // bar does when its maximum drops under its position.
    if (m_editor->Plocha.TopOffset > m_editor->VertMaximum()) {
        m_editor->SetTopOffset(m_editor->VertMaximum());
    }
}

void TDrumsUI::horzScrollMoved(int value) {
    if (!m_syncingScroll) {
        m_editor->SetHorzPosition(value);
    }
}

void TDrumsUI::vertScrollMoved(int value) {
    if (!m_syncingScroll) {
        m_editor->SetTopOffset(value);
    }
}

void TDrumsUI::viewInvalidated(uint32_t /*flags*/) {
    m_grid->update();
    m_rowPanel->update();
    syncScrollBars();
}

void TDrumsUI::scrollChanged() {
    EraseCrosshair();
    if (m_editor->HorzPosition() != m_lastHorzPosition) {
        m_lastHorzPosition = m_editor->HorzPosition();
        EraseCursor();
    }
    syncScrollBars();
}

bool TDrumsUI::runTempoDialog(int32_t& bar, int32_t& tick, int32_t& tempo) {
    return m_tempoDialog ? m_tempoDialog(bar, tick, tempo) : false;
}

int32_t TDrumsUI::BarAtX(int32_t x) const {
    if (x == -1) {
        x = m_grid->mapFromGlobal(QCursor::pos()).x();
    }
    return m_editor->BarAtX(x);
}

TRowAddress TDrumsUI::RowAtGridY(int32_t y) const {
    // Rows scrolled up behind the ruler or down behind the time strip are
    // not under the mouse.
    if (y < RulerHeight || y >= m_grid->height() - TimeStripHeight) {
        return {};
    }
    return m_editor->Plocha.RowAt(m_editor->RowY(y));
}

// --- Song files -------------------------------------------------------------------------

TMapDrumsetForm& TDrumsUI::MapDrumsetForm() {
    if (m_mapForm == nullptr) {
        m_mapForm = new TMapDrumsetForm(this);
    }
    return *m_mapForm;
}

void TDrumsUI::LoadSong(const std::string& fileName, bool keepDrumset, int32_t barOffset,
                        int32_t tickOffset, bool merge, bool keepFile) {
    if (!merge || !keepDrumset) {
        // A replaced song or drumset would leave the worker reading freed hits.
        StopPlayback();
    }
    const TSongEditLock lock(*m_editor);
    ::LoadSong(*m_editor, fileName, keepDrumset, barOffset, tickOffset, merge, keepFile,
               &MapDrumsetForm());
}

void TDrumsUI::SetDrumsetFile(const std::string& fileName) {
    StopPlayback();
    m_editor->SetDrumsetFile(fileName);
}

void TDrumsUI::ClearSongCommand() {
    StopPlayback();
    m_editor->ClearSongCommand();
}

void TDrumsUI::SaveSong(const std::string& fileName, bool selectedOnly) {
    ::SaveSong(*m_editor, fileName, selectedOnly);
}

void TDrumsUI::ResolveNames(TLoadGroupList& groups) {
    std::vector<TMappingRow> rows;
    for (const auto& track : m_editor->Plocha.Tracks) {
        TMappingRow& row = rows.emplace_back();
        row.Name = track->Name;
        for (const auto& sample : track->Samples) {
            row.Samples.push_back(sample->Name);
        }
    }
    ::ResolveNames(groups, rows, &MapDrumsetForm());
}
