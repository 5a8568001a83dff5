// TDrumsUI: the context menus of the grid (hit, bar, tempo mark) and of the
// row panel. Each is built for one right click and shown at once; shortcut
// labels only name the main window's keys, so they go after a tab in the
// caption instead of being shortcuts of their own.
#include "editor/DrumsUI.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <exception>

namespace {

QString withShortcut(const char* caption, const char* shortcut, bool shown) {
    QString text = QString::fromLatin1(caption);
    if (shown) {
        text += QLatin1Char('\t') + QString::fromLatin1(shortcut);
    }
    return text;
}

// A menu item's work with its errors shown, as an event handler must not throw.
template <typename Fn>
auto guarded(TDrumsUI& ui, Fn action) {
    return [&ui, action] {
        try {
            action();
        } catch (const std::exception& e) {
            ui.ShowMessage(true, QString::fromLocal8Bit(e.what()));
        }
    };
}

} // namespace

void TDrumsUI::showMenu(QMenu& menu, QPoint globalPos) {
    if (m_menuHook) {
        m_menuHook(menu);
    } else {
        menu.exec(globalPos);
    }
}

std::unique_ptr<QMenu> TDrumsUI::BuildHitMenu(TDRHit* hit) {
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("HitMenu"));
    if (hit == nullptr) {
        return menu;
    }
    TSongEditor& ed = *m_editor;
    QAction* select = menu->addAction(QStringLiteral("Select"), this, [&ed, hit] {
        {
            TSongEditLock lock(ed);
            ed.SelectHit(hit);
        }
        ed.InvalidateView(dfHits);
    });
    select->setVisible(!hit->Selected);
    QAction* deselect = menu->addAction(QStringLiteral("Deselect"), this, [&ed, hit] {
        {
            TSongEditLock lock(ed);
            ed.DeselectHit(hit);
        }
        ed.InvalidateView(dfHits);
    });
    deselect->setVisible(hit->Selected);
    menu->addSeparator();
    menu->addAction(QStringLiteral("Delete"), this, [&ed, hit] { ed.DeleteHitCommand(hit); });
    menu->addSeparator();
    menu->addAction(QStringLiteral("Play"), this, guarded(*this, [this, hit] { PlayHit(*hit); }));
    menu->addSeparator();
    menu->addAction(QStringLiteral("Properties..."), this,
                    guarded(*this, [this, hit] { ShowHitProperties(*hit); }));
    return menu;
}

std::unique_ptr<QMenu> TDrumsUI::BuildBarMenu(int32_t gridX) {
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("BarMenu"));
    TSongEditor& ed = *m_editor;
    const int32_t bar = ed.BarAtX(gridX);
    const bool anySelected = !ed.Selection.empty();
    const bool canSelect = ed.BarHasUnselectedHit(bar);
    const bool canDeselect = ed.BarHasSelectedHit(bar);

    menu->addAction(withShortcut("Play from bar", "Ctrl+Space", true), this,
                    guarded(*this, [this, gridX] { PlayFromBar(gridX); }));
    menu->addSeparator();
    menu->addAction(withShortcut("Select all hits in bar", "Ctrl+T", canSelect), this,
                    [&ed, bar] { ed.SelectBarHits(bar); })
        ->setEnabled(canSelect);
    menu->addAction(withShortcut("Deselect all hits in bar", "Ctrl+T", canDeselect && !canSelect),
                    this, [&ed, bar] { ed.DeselectBarHits(bar); })
        ->setEnabled(canDeselect);
    menu->addSeparator();
    menu->addAction(QStringLiteral("Select all hits"), this, [&ed] { ed.SelectAllHits(); });
    menu->addAction(QStringLiteral("Deselect all hits"), this,
                    [&ed] {
                        {
                            TSongEditLock lock(ed);
                            ed.ClearSelection();
                        }
                        ed.InvalidateView(dfHits);
                    })
        ->setEnabled(anySelected);
    menu->addSeparator();
    menu->addAction(QStringLiteral("Delete selected hits"), this,
                    [&ed] { ed.DeleteSelectedHits(); })
        ->setEnabled(anySelected);
    menu->addAction(QStringLiteral("Delete hits in bar"), this,
                    [&ed, bar] { ed.DeleteHitsInBar(bar); })
        ->setEnabled(ed.BarHasHits(bar));
    menu->addAction(withShortcut("Delete bar", "Alt+Del", true), this, guarded(*this, [&ed, bar] {
                        ed.DeleteBarsCommand(bar, 1);
                        ed.InvalidateView(dfHits | dfRuler);
                    }));
    menu->addSeparator();
    menu->addAction(QStringLiteral("Selected hits properties..."), this,
                    guarded(*this, [this] { ShowSelectionProperties(); }))
        ->setEnabled(anySelected);
    return menu;
}

std::unique_ptr<QMenu> TDrumsUI::BuildTempoMenu(TDRTempo* mark) {
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("TempoMenu"));
    TGridEditing& editing = GridEditing();
    menu->addAction(QStringLiteral("Tempo properties..."), this, [this, &editing, mark] {
        try {
            editing.EditTempo(mark);
        } catch (const std::exception& e) {
            ShowMessage(true, QString::fromLocal8Bit(e.what()));
        }
    });
    menu->addSeparator();
    menu->addAction(QStringLiteral("Delete tempo"), this,
                    [&editing, mark] { editing.DeleteTempo(mark); });
    return menu;
}

std::unique_ptr<QMenu> TDrumsUI::BuildRowMenu(TRowAddress row) {
    auto menu = std::make_unique<QMenu>(this);
    menu->setObjectName(QStringLiteral("RowMenu"));
    TSongEditor& ed = *m_editor;
    if (row.Group < 0 || row.Group >= static_cast<int32_t>(ed.Plocha.Tracks.size())) {
        return menu;
    }
    const TDRPlTrack& track = *ed.Plocha.Tracks[static_cast<size_t>(row.Group)];
    const int32_t group = row.Group;
    const int32_t sample = row.Sample;

    menu->addAction(QStringLiteral("Select all hits in track"), this,
                    [&ed, group, sample] { ed.SelectHitsInRow(group, sample); });
    menu->addAction(QStringLiteral("Deselect all hits in track"), this,
                    [&ed, group, sample] { ed.DeselectHitsInRow(group, sample); });
    menu->addSeparator();

    auto* modes = new QActionGroup(menu.get());
    modes->setExclusive(true);
    const auto addMode = [&](const char* caption, TTrackMode mode, bool checked) {
        QAction* action = menu->addAction(QString::fromLatin1(caption), this, [&ed, group, mode] {
            TSongEditLock lock(ed);
            ed.SetTrackMode(group, mode);
        });
        action->setCheckable(true);
        action->setChecked(checked);
        modes->addAction(action);
    };
    addMode("Standard mode", TTrackMode::tmStandard, !track.VolumeMode && !track.PanningMode);
    addMode("Volume mode", TTrackMode::tmVolume, track.VolumeMode);
    addMode("Panning mode", TTrackMode::tmPanning, track.PanningMode);
    menu->addSeparator();

    QAction* muted = menu->addAction(QStringLiteral("Muted"), this, [&ed, group] {
        ed.SetTrackMuted(group, !ed.Plocha.Tracks[static_cast<size_t>(group)]->Muted);
    });
    muted->setCheckable(true);
    muted->setChecked(track.Muted);
    menu->addAction(QStringLiteral("Mute all other groups"), this,
                    [&ed, group] { ed.MuteAllOtherGroups(group); });
    menu->addAction(QStringLiteral("Mute off on all groups"), this,
                    [&ed] { ed.MuteOffAllGroups(); });
    return menu;
}
