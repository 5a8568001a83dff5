#include "app/ToolbarPlacement.h"

#include "app/IniFile.h"

#include <QAction>
#include <QLayout>
#include <QMainWindow>
#include <QSignalBlocker>
#include <QToolBar>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <tuple>

namespace {

constexpr std::array<Qt::ToolBarArea, 4> Areas = {Qt::TopToolBarArea, Qt::BottomToolBarArea,
                                                  Qt::LeftToolBarArea, Qt::RightToolBarArea};

bool isHorizontal(Qt::ToolBarArea area) {
    return area == Qt::TopToolBarArea || area == Qt::BottomToolBarArea;
}

// Where a docked tool bar sits: its area, row and offset along the row.
struct TSlot {
    Qt::ToolBarArea Area = Qt::NoToolBarArea;
    int Row = 0;
    int Pos = 0;
};

struct TBar {
    QToolBar* Bar = nullptr;
    bool Floating = false;
    TSlot Slot;
};

// The window's own tool bars, in creation order.
std::vector<TBar> windowBars(QMainWindow& window) {
    std::vector<TBar> bars;
    for (QToolBar* bar : window.findChildren<QToolBar*>(Qt::FindDirectChildrenOnly)) {
        const Qt::ToolBarArea area = window.toolBarArea(bar);
        if (area != Qt::NoToolBarArea) {
            bars.push_back(TBar{bar, bar->isFloating(), TSlot{area, 0, 0}});
        }
    }
    return bars;
}

// Rows from the bars' geometry: Qt lines up the bars of one row on the same
// edge, and its first row is the one at the window's edge.
void measureSlots(std::vector<TBar>& bars) {
    for (const Qt::ToolBarArea area : Areas) {
        const bool horizontal = isHorizontal(area);
        const bool fromFarEdge = area == Qt::BottomToolBarArea || area == Qt::RightToolBarArea;
        std::vector<int> rows;
        int origin = INT32_MAX;
        for (const TBar& bar : bars) {
            if (!bar.Floating && bar.Slot.Area == area) {
                const QRect geometry = bar.Bar->geometry();
                rows.push_back(horizontal ? geometry.y() : geometry.x());
                origin = std::min(origin, horizontal ? geometry.x() : geometry.y());
            }
        }
        std::sort(rows.begin(), rows.end());
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
        if (fromFarEdge) {
            std::reverse(rows.begin(), rows.end());
        }
        for (TBar& bar : bars) {
            if (!bar.Floating && bar.Slot.Area == area) {
                const QRect geometry = bar.Bar->geometry();
                const int across = horizontal ? geometry.y() : geometry.x();
                bar.Slot.Row =
                    static_cast<int>(std::find(rows.begin(), rows.end(), across) - rows.begin());
                bar.Slot.Pos = (horizontal ? geometry.x() : geometry.y()) - origin;
            }
        }
    }
}

// Lays the window out with its hidden docked tool bars shown for the moment,
// so that they take their slots, and measures every slot.
void measureWithHiddenBarsShown(QMainWindow& window, std::vector<TBar>& bars) {
    std::vector<QToolBar*> hidden;
    std::vector<std::unique_ptr<QSignalBlocker>> blockers;
    for (const TBar& bar : bars) {
        if (!bar.Floating && bar.Bar->isHidden()) {
            hidden.push_back(bar.Bar);
            blockers.push_back(std::make_unique<QSignalBlocker>(bar.Bar));
            blockers.push_back(std::make_unique<QSignalBlocker>(bar.Bar->toggleViewAction()));
        }
    }
    for (QToolBar* bar : hidden) {
        bar->setVisible(true);
    }
    window.layout()->activate();
    measureSlots(bars);
    for (QToolBar* bar : hidden) {
        bar->setVisible(false);
    }
    window.layout()->activate();
}

const TToolbarSection* findSection(const std::vector<TToolbarSection>& sections,
                                   const QString& name) {
    if (name.isEmpty()) {
        return nullptr;
    }
    const std::string wanted = name.toStdString();
    for (const TToolbarSection& section : sections) {
        if (equalsIgnoringCase(section.Name, wanted)) {
            return &section;
        }
    }
    return nullptr;
}

int rowCount(const std::vector<TBar>& bars, Qt::ToolBarArea area) {
    int count = 0;
    for (const TBar& bar : bars) {
        if (!bar.Floating && bar.Slot.Area == area) {
            count = std::max(count, bar.Slot.Row + 1);
        }
    }
    return count;
}

} // namespace

std::string_view dockName(Qt::ToolBarArea area) {
    switch (area) {
    case Qt::TopToolBarArea:
        return TopDockName;
    case Qt::BottomToolBarArea:
        return BottomDockName;
    case Qt::LeftToolBarArea:
        return LeftDockName;
    case Qt::RightToolBarArea:
        return RightDockName;
    default:
        return {};
    }
}

std::optional<Qt::ToolBarArea> dockArea(std::string_view name) {
    for (const Qt::ToolBarArea area : Areas) {
        if (equalsIgnoringCase(dockName(area), name)) {
            return area;
        }
    }
    return std::nullopt;
}

std::vector<TToolbarSection> captureToolbarSections(QMainWindow& window) {
    std::vector<TBar> bars = windowBars(window);
    measureWithHiddenBarsShown(window, bars);
    std::vector<TToolbarSection> sections;
    for (const TBar& bar : bars) {
        if (bar.Bar->objectName().isEmpty()) {
            continue;
        }
        TToolbarSection section;
        section.Name = bar.Bar->objectName().toStdString();
        section.Visible = !bar.Bar->isHidden();
        section.LastDock = dockName(bar.Slot.Area);
        if (bar.Floating) {
            section.DockedTo = FloatingDockName;
            section.DockRow = rowCount(bars, bar.Slot.Area);
            section.FloatLeft = bar.Bar->x();
            section.FloatTop = bar.Bar->y();
            section.FloatRightX = bar.Bar->width();
        } else {
            section.DockedTo = bar.Bar->isMovable() ? section.LastDock : std::string();
            section.DockRow = bar.Slot.Row;
            section.DockPos = bar.Slot.Pos;
        }
        sections.push_back(section);
    }
    return sections;
}

void applyToolbarSections(QMainWindow& window, const std::vector<TToolbarSection>& sections) {
    std::vector<TBar> bars = windowBars(window);
    measureWithHiddenBarsShown(window, bars);

    struct TPlan {
        QToolBar* Bar;
        TSlot Slot;
        size_t Order;
        bool Visible;
    };
    std::vector<TPlan> docked;
    std::vector<std::pair<QToolBar*, bool>> floating;
    for (size_t i = 0; i < bars.size(); ++i) {
        const TBar& bar = bars[i];
        const TToolbarSection* section = findSection(sections, bar.Bar->objectName());
        const bool visible = section != nullptr ? section->Visible : !bar.Bar->isHidden();
        std::optional<TSlot> target;
        if (!bar.Floating) {
            target = bar.Slot;
        }
        if (section != nullptr) {
            const bool floats = section->DockedTo == FloatingDockName;
            const std::optional<Qt::ToolBarArea> area =
                dockArea(floats ? section->LastDock : section->DockedTo);
            if (area && bar.Bar->isAreaAllowed(*area)) {
                target = TSlot{*area, section->DockRow, section->DockPos};
            }
        }
        if (target) {
            docked.push_back(TPlan{bar.Bar, *target, i, visible});
        } else {
            floating.emplace_back(bar.Bar, visible);
        }
    }

    std::sort(docked.begin(), docked.end(), [](const TPlan& a, const TPlan& b) {
        return std::tie(a.Slot.Area, a.Slot.Row, a.Slot.Pos, a.Order) <
               std::tie(b.Slot.Area, b.Slot.Row, b.Slot.Pos, b.Order);
    });
    for (const TPlan& plan : docked) {
        window.removeToolBar(plan.Bar);
    }
    for (size_t i = 0; i < docked.size(); ++i) {
        const TPlan& plan = docked[i];
        if (i > 0 && docked[i - 1].Slot.Area == plan.Slot.Area &&
            docked[i - 1].Slot.Row != plan.Slot.Row) {
            window.addToolBarBreak(plan.Slot.Area);
        }
        window.addToolBar(plan.Slot.Area, plan.Bar);
    }
    // Removing a tool bar hides it; each takes the visibility it is to have.
    for (const TPlan& plan : docked) {
        plan.Bar->setVisible(plan.Visible);
    }
    for (const auto& [bar, visible] : floating) {
        bar->setVisible(visible);
    }
}
