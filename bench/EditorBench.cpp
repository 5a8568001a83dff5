// Speed of the song editor's painting and mouse editing on a large song:
// 2,000 bars with 64 hits each on 40 sample rows, in a 1920 x 1080 control
// on the off-screen platform. Rebuilding the rows bitmap for a full view, a
// repaint after a scroll within a bar, which only shifts the cached bitmaps,
// a click that adds a hit, and a move of a time drag of 1,000 hits.
#include "editor/DrumsUI.h"
#include "model/SongModel.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kBars = 2000;
constexpr int kHitsPerBar = 64;
constexpr int kTracks = 5;
constexpr int kSamplesPerTrack = 8; // 40 sample rows
constexpr int kViewBar = 1000;      // the view starts in the middle of the song

void fillSong(TSongEditor& editor) {
    const uint32_t colors[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF};
    for (int t = 0; t < kTracks; ++t) {
        editor.Plocha.AddTrack(t, colors[t], nullptr, nullptr, "Track " + std::to_string(t));
        for (int s = 0; s < kSamplesPerTrack; ++s) {
            editor.Plocha.AddSampleRow(s, colors[(t + s) % 5], nullptr,
                                       "Sample " + std::to_string(s), 120);
        }
    }
    editor.ExpandAll();
    for (int bar = 0; bar < kBars; ++bar) {
        for (int k = 0; k < kHitsPerBar; ++k) {
            auto hit = editor.CreateHit(bar, k * 1000 / kHitsPerBar, k % kSamplesPerTrack,
                                        (k / kSamplesPerTrack) % kTracks);
            if (k % 16 == 5) {
                hit->FixedLength = 40; // drawn cut short, with the hatch
            }
            hit->Selected = k % 32 == 0;
            editor.Song.AddHit(std::move(hit));
        }
    }
}

// One control for all benchmarks: building the song takes a while.
TDrumsUI& control() {
    static TDrumsUI* ui = [] {
        auto* c = new TDrumsUI;
        fillSong(c->Editor());
        c->resize(1920, 1080);
        c->show();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(c, UM_RELAYOUT);
        c->Editor().SetHorzPosition(kViewBar * 8);
        c->Grid()->repaint();
        c->RowPanel()->repaint();
        return c;
    }();
    return *ui;
}

void BM_RebuildHitsFullView(benchmark::State& state) {
    TDrumsUI& ui = control();
    TPlocha& plocha = ui.Editor().Plocha;
    for (auto _ : state) {
        plocha.Dirty |= dfHits;
        ui.Painter().Render();
    }
    state.counters["visible_bars"] = plocha.VisibleBars;
    state.counters["grid_w"] = plocha.GridWidth;
    state.counters["grid_h"] = plocha.GridHeight;
}
BENCHMARK(BM_RebuildHitsFullView)->Unit(benchmark::kMillisecond);

void BM_RebuildGridBitmaps(benchmark::State& state) {
    TDrumsUI& ui = control();
    TPlocha& plocha = ui.Editor().Plocha;
    for (auto _ : state) {
        plocha.Dirty |= dfBackground | dfRuler | dfHits;
        ui.Painter().Render();
    }
}
BENCHMARK(BM_RebuildGridBitmaps)->Unit(benchmark::kMillisecond);

void BM_RebuildRowPanel(benchmark::State& state) {
    TDrumsUI& ui = control();
    for (auto _ : state) {
        ui.Editor().Plocha.Dirty |= dfPanel;
        ui.Painter().RenderPanel();
    }
}
BENCHMARK(BM_RebuildRowPanel)->Unit(benchmark::kMillisecond);

// The scroll bar moves within one bar and the grid repaints at once.
void BM_PaintAfterScrollWithinBar(benchmark::State& state) {
    TDrumsUI& ui = control();
    TSongEditor& editor = ui.Editor();
    int step = 0;
    for (auto _ : state) {
        editor.SetHorzPosition(kViewBar * 8 + 1 + step);
        step = (step + 1) % 7;
        ui.Grid()->repaint();
    }
    if (editor.Plocha.Dirty != 0 || editor.FirstBar() != kViewBar) {
        state.SkipWithError("a scroll within a bar rebuilt bitmaps");
    }
}
BENCHMARK(BM_PaintAfterScrollWithinBar)->Unit(benchmark::kMillisecond);

// The grid's paint handler alone, into an image instead of the window.
void BM_PaintHandlerAfterScrollWithinBar(benchmark::State& state) {
    TDrumsUI& ui = control();
    TSongEditor& editor = ui.Editor();
    QImage screen(ui.Grid()->size(), QImage::Format_RGB32);
    int step = 0;
    for (auto _ : state) {
        editor.SetHorzPosition(kViewBar * 8 + 1 + step);
        step = (step + 1) % 7;
        ui.Grid()->render(&screen);
    }
    if (editor.Plocha.Dirty != 0 || editor.FirstBar() != kViewBar) {
        state.SkipWithError("a scroll within a bar rebuilt bitmaps");
    }
}
BENCHMARK(BM_PaintHandlerAfterScrollWithinBar)->Unit(benchmark::kMillisecond);

// The copy of the cached bitmaps alone, into an image of the grid's size.
void BM_ComposeGrid(benchmark::State& state) {
    TDrumsUI& ui = control();
    const TPlocha& plocha = ui.Editor().Plocha;
    QImage screen(plocha.GridWidth, plocha.GridHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&screen);
        ui.Painter().drawGrid(p, screen.rect(), ui.Editor().PixelOffset(), plocha.GridHeight);
    }
}
BENCHMARK(BM_ComposeGrid)->Unit(benchmark::kMillisecond);

// A mouse event sent to the grid as the window system would.
void sendMouse(QWidget* grid, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons buttons, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QMouseEvent event(type, at, grid->mapToGlobal(at), button, buttons, mods);
    QCoreApplication::sendEvent(grid, &event);
}

// A plain click on an empty place adds a hit; timed up to the end of the
// repaint it asks for. Each added hit is undone outside the timing.
void BM_ClickAddsHitAndRepaints(benchmark::State& state) {
    TDrumsUI& ui = control();
    TSongEditor& editor = ui.Editor();
    editor.SetHorzPosition(kViewBar * 8);
    ui.Grid()->repaint();
    QWidget* grid = ui.Grid();
    // Track 0, sample 7 (rows 20 high below the 30-pixel ruler), bar 1003.
    const QPoint at(3 * 120 + 50, RulerHeight + 8 * 20 + 10);
    const int32_t hitsBefore =
        static_cast<int32_t>(editor.Song.Bar(kViewBar + 3).StartingHits.size());
    for (auto _ : state) {
        sendMouse(grid, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        sendMouse(grid, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        grid->repaint();
        state.PauseTiming();
        editor.UndoCommand();
        grid->repaint();
        state.ResumeTiming();
    }
    if (static_cast<int32_t>(editor.Song.Bar(kViewBar + 3).StartingHits.size()) != hitsBefore) {
        state.SkipWithError("the clicks did not add and undo one hit each");
    }
}
BENCHMARK(BM_ClickAddsHitAndRepaints)->Unit(benchmark::kMillisecond);

// One mouse move of a time drag of 1,000 selected hits, alternately one bar
// right and back, with the repaint it asks for.
void BM_TimeDragMoveAcrossBar(benchmark::State& state) {
    TDrumsUI& ui = control();
    TSongEditor& editor = ui.Editor();
    editor.SetHorzPosition(kViewBar * 8);
    {
        const TSongEditLock lock(editor);
        editor.ClearSelection();
        for (int32_t bar = kViewBar; editor.SelectedCount() < 1000; ++bar) {
            for (const auto& hit : editor.Song.Bar(bar).StartingHits) {
                if (editor.SelectedCount() < 1000) {
                    editor.SelectHit(hit.get());
                }
            }
        }
    }
    ui.Grid()->repaint();
    QWidget* grid = ui.Grid();
    // The first hit of bar 1000 (tick 0, track 0, sample 0) is grabbed.
    const int y = RulerHeight + 20 + 10;
    sendMouse(grid, QEvent::MouseButtonPress, QPoint(2, y), Qt::LeftButton, Qt::LeftButton,
              Qt::ShiftModifier);
    sendMouse(grid, QEvent::MouseMove, QPoint(300, y), Qt::NoButton, Qt::LeftButton,
              Qt::ShiftModifier);
    grid->repaint();
    if (ui.DraggedHits().size() != 1000) {
        state.SkipWithError("the drag did not start with 1,000 hits");
    }
    int step = 0;
    for (auto _ : state) {
        step ^= 1;
        sendMouse(grid, QEvent::MouseMove, QPoint(step != 0 ? 420 : 300, y), Qt::NoButton,
                  Qt::LeftButton, Qt::ShiftModifier);
        grid->repaint();
    }
    // Released off the grid: the drag is cancelled and the song unchanged.
    sendMouse(grid, QEvent::MouseButtonRelease, QPoint(-50, y), Qt::LeftButton, Qt::NoButton,
              Qt::ShiftModifier);
    {
        const TSongEditLock lock(editor);
        editor.ClearSelection();
    }
    state.counters["dragged_hits"] = 1000;
}
BENCHMARK(BM_TimeDragMoveAcrossBar)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
