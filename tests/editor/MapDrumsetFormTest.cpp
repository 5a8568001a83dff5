// The "Drumset mapper" window driven with Qt Test: clicks in the trees, the
// tool bar buttons, OK, Cancel and the close box.
#include "MapDrumsetFormTest.h"

#include "EditorTestSupport.h"
#include "editor/DrumsUI.h"
#include "editor/MapDrumsetForm.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

namespace {

const QString NoSongNode = QStringLiteral("No sample or group selected in song drumset tree.");
const QString NoCurrentNode =
    QStringLiteral("No sample or group selected in current drumset tree.");
const QString LevelMismatch = QStringLiteral("Group can be linked to group, sample to sample.\r\n"
                                             "Group cannot be linked to individual sample.");

// Keeps the error boxes' texts instead of showing them.
class CapturingForm : public TMapDrumsetForm {
public:
    std::vector<QString> Errors;

protected:
    void showError(const QString& message) override { Errors.push_back(message); }
};

// The loaded drumset's rows and a song whose "Kick other" and "Caja" match
// nothing; "Kick" and "Kick soft" are matched by name.
struct MapperRig {
    MapperRig() {
        const std::vector<TMappingRow> rows = {{"Kick", {"Kick soft", "Kick hard"}},
                                               {"Snare", {"Snare rim", "Snare hard"}}};
        TLoadGroupInfo kick;
        kick.Name = "Kick";
        kick.MappedGroup = 0;
        kick.Samples[0] = {"Kick soft", 100, 0, 0, 0};
        kick.Samples[1] = {"Kick other", 100, 0, 0, -1};
        TLoadGroupInfo caja;
        caja.Name = "Caja";
        caja.Index = 1;
        caja.Samples[0] = {"Caja 1", 100, 0, -1, -1};
        groups = {{0, kick}, {1, caja}};
        mapper.Reset();
        mapper.FillCurrentTree(rows);
        mapper.FillSongTree(groups);
        mapper.LinkByIndices();
        form.load(mapper);
        form.show();
        active = QTest::qWaitForWindowActive(&form);
    }

    // "Group" or "Group/Sample" in the song tree or the current tree.
    TMapNode* node(bool song, const std::string& path) {
        const auto& tree = song ? mapper.songTree() : mapper.currentTree();
        const auto slash = path.find('/');
        for (const auto& g : tree) {
            if (g->Name != path.substr(0, slash)) {
                continue;
            }
            if (slash == std::string::npos) {
                return g.get();
            }
            for (const auto& s : g->Children) {
                if (s->Name == path.substr(slash + 1)) {
                    return s.get();
                }
            }
        }
        return nullptr;
    }
    QTreeWidgetItem* item(bool song, const std::string& path) {
        return form.itemFor(node(song, path));
    }

    // A click on a node as the user makes it (Ctrl adds to the selection).
    void click(bool song, const std::string& path, Qt::KeyboardModifiers modifiers = {}) {
        QTreeWidget* tree = song ? form.OrigTree() : form.CurrentTree();
        QTreeWidgetItem* target = item(song, path);
        tree->scrollToItem(target);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, modifiers,
                          tree->visualItemRect(target).center());
    }

    bool struckOut(bool song, const std::string& path) {
        return item(song, path)->font(0).strikeOut();
    }
    bool emphasized(bool song, const std::string& path) {
        const QFont font = item(song, path)->font(0);
        return font.bold() && font.underline();
    }

    TLoadGroupList groups;
    TDrumsetMapper mapper;
    CapturingForm form;
    bool active = false;
};

// Runs the script once the modal window is up; a stuck window is closed
// after a while so a failing test cannot hang.
void whenModal(std::function<void(TMapDrumsetForm&)> script) {
    QTimer::singleShot(0, [script] {
        if (auto* form = qobject_cast<TMapDrumsetForm*>(QApplication::activeModalWidget())) {
            script(*form);
        }
    });
    QTimer::singleShot(10000, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
        }
    });
}

QTreeWidgetItem* findItem(QTreeWidget* tree, const QString& group) {
    const QList<QTreeWidgetItem*> found = tree->findItems(group, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

} // namespace

void MapDrumsetFormTest::treesShowTheLinks() {
    MapperRig rig;
    QCOMPARE(rig.form.windowTitle(), QStringLiteral("Drumset mapper"));
    QCOMPARE(rig.form.OrigTree()->topLevelItemCount(), 2);
    QCOMPARE(rig.form.CurrentTree()->topLevelItemCount(), 2);
    QCOMPARE(rig.form.LinkButton()->toolTip(), QStringLiteral("Link"));
    QCOMPARE(rig.form.DeleteLinkButton()->toolTip(), QStringLiteral("Delete link"));
    QCOMPARE(rig.form.OkButton()->text(), QStringLiteral("&OK"));
    QCOMPARE(rig.form.CancelButton()->text(), QStringLiteral("&Cancel"));

    QVERIFY(!rig.struckOut(true, "Kick"));
    QVERIFY(!rig.struckOut(true, "Kick/Kick soft"));
    QVERIFY(rig.struckOut(true, "Kick/Kick other"));
    QVERIFY(rig.struckOut(true, "Caja"));
    QVERIFY(rig.struckOut(true, "Caja/Caja 1"));
    QVERIFY(!rig.struckOut(false, "Snare"));
    // Three images: group, sample, not linked.
    const auto icon = [&](bool song, const std::string& path) {
        return rig.item(song, path)->icon(0).cacheKey();
    };
    QCOMPARE(icon(true, "Kick"), icon(false, "Snare"));
    QCOMPARE(icon(true, "Kick/Kick soft"), icon(false, "Snare/Snare rim"));
    QCOMPARE(icon(true, "Caja"), icon(true, "Kick/Kick other"));
    QVERIFY(icon(true, "Caja") != icon(true, "Kick"));
    QVERIFY(icon(true, "Caja") != icon(true, "Kick/Kick soft"));
    QVERIFY(icon(true, "Kick") != icon(true, "Kick/Kick soft"));
}

void MapDrumsetFormTest::linkWithClicks() {
    MapperRig rig;
    QVERIFY(rig.active);
    rig.click(true, "Caja");
    rig.click(false, "Snare");
    rig.form.LinkButton()->trigger();
    QVERIFY(rig.form.Errors.empty());
    QCOMPARE(rig.node(true, "Caja")->Link, rig.node(false, "Snare"));
    QVERIFY(!rig.struckOut(true, "Caja"));
    // Focus on both ends: each partner is drawn bold and underlined.
    QVERIFY(rig.emphasized(false, "Snare"));
    QVERIFY(rig.emphasized(true, "Caja"));
    QVERIFY(!rig.emphasized(true, "Kick"));

    rig.click(true, "Kick");
    QVERIFY(rig.emphasized(false, "Kick"));
    QVERIFY(!rig.emphasized(false, "Snare"));

    TLoadGroupInfo& caja = rig.groups[1];
    rig.mapper.ApplyGroupLink(caja);
    QCOMPARE(caja.MappedGroup, 1);
}

void MapDrumsetFormTest::songSelectionKeepsToOneLevel() {
    MapperRig rig;
    QVERIFY(rig.active);
    rig.click(true, "Caja");
    rig.form.OrigTree()->expandAll();
    rig.click(true, "Caja/Caja 1", Qt::ControlModifier);
    // The focused sample's level wins; the group drops out.
    const QList<QTreeWidgetItem*> selected = rig.form.OrigTree()->selectedItems();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected.first(), rig.item(true, "Caja/Caja 1"));

    rig.click(true, "Kick/Kick other", Qt::ControlModifier);
    QCOMPARE(rig.form.OrigTree()->selectedItems().size(), 2);
    rig.form.CurrentTree()->expandAll();
    rig.click(false, "Snare/Snare rim");
    rig.form.LinkButton()->trigger();
    QVERIFY(rig.form.Errors.empty());
    TMapNode* rim = rig.node(false, "Snare/Snare rim");
    QCOMPARE(rig.node(true, "Caja/Caja 1")->Link, rim);
    QCOMPARE(rig.node(true, "Kick/Kick other")->Link, rim);
    QCOMPARE(rim->LinkedBy.size(), size_t{2});
}

void MapDrumsetFormTest::buttonsRefuse_data() {
    QTest::addColumn<bool>("deleteLink");
    QTest::addColumn<QString>("songPath");
    QTest::addColumn<QString>("currentPath");
    QTest::addColumn<bool>("currentSelected");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("focusedTree"); // 0 none, 1 song, 2 current
    for (const bool del : {false, true}) {
        const char* button = del ? "delete link: " : "link: ";
        QTest::newRow(qPrintable(QString(button) + "nothing chosen"))
            << del << ""
            << "" << false << NoSongNode << 1;
        QTest::newRow(qPrintable(QString(button) + "no current node"))
            << del << "Caja"
            << "" << false << NoCurrentNode << 2;
        QTest::newRow(qPrintable(QString(button) + "current node focused, not selected"))
            << del << "Caja"
            << "Snare" << false << NoCurrentNode << 0;
        QTest::newRow(qPrintable(QString(button) + "group onto a sample"))
            << del << "Caja"
            << "Snare/Snare rim" << true << LevelMismatch << 0;
    }
}

void MapDrumsetFormTest::buttonsRefuse() {
    QFETCH(bool, deleteLink);
    QFETCH(QString, songPath);
    QFETCH(QString, currentPath);
    QFETCH(bool, currentSelected);
    QFETCH(QString, message);
    QFETCH(int, focusedTree);
    MapperRig rig;
    QVERIFY(rig.active);
    rig.form.OrigTree()->expandAll();
    rig.form.CurrentTree()->expandAll();
    if (!songPath.isEmpty()) {
        rig.form.OrigTree()->setCurrentItem(rig.item(true, songPath.toStdString()));
    }
    if (!currentPath.isEmpty()) {
        rig.form.CurrentTree()->setCurrentItem(rig.item(false, currentPath.toStdString()), 0,
                                               currentSelected ? QItemSelectionModel::ClearAndSelect
                                                               : QItemSelectionModel::NoUpdate);
    }
    rig.form.OkButton()->setFocus();
    (deleteLink ? rig.form.DeleteLinkButton() : rig.form.LinkButton())->trigger();

    QCOMPARE(rig.form.Errors, std::vector<QString>{message});
    QVERIFY(rig.form.isVisible()); // the window stays open
    QCOMPARE(rig.node(true, "Caja")->Link, nullptr);
    if (focusedTree == 1) {
        QVERIFY(rig.form.OrigTree()->hasFocus());
    } else if (focusedTree == 2) {
        QVERIFY(rig.form.CurrentTree()->hasFocus());
    } else {
        QVERIFY(rig.form.OkButton()->hasFocus());
    }
}

void MapDrumsetFormTest::deleteLink() {
    MapperRig rig;
    QVERIFY(rig.active);
    // "Kick" is linked to "Kick" by the name match; a link to another node
    // is not deleted.
    rig.click(true, "Kick");
    rig.click(false, "Snare");
    rig.form.DeleteLinkButton()->trigger();
    QCOMPARE(rig.node(true, "Kick")->Link, rig.node(false, "Kick"));

    rig.click(false, "Kick");
    rig.form.DeleteLinkButton()->trigger();
    QVERIFY(rig.form.Errors.empty());
    QCOMPARE(rig.node(true, "Kick")->Link, nullptr);
    QVERIFY(rig.node(false, "Kick")->LinkedBy.empty());
    QVERIFY(rig.struckOut(true, "Kick"));
    QVERIFY(!rig.emphasized(true, "Kick"));
}

void MapDrumsetFormTest::expandingASongGroupExpandsItsPartner() {
    MapperRig rig;
    rig.item(true, "Kick")->setExpanded(true);
    QVERIFY(rig.item(false, "Kick")->isExpanded());
    QVERIFY(!rig.item(false, "Snare")->isExpanded());
    rig.item(true, "Kick")->setExpanded(false);
    QVERIFY(!rig.item(false, "Kick")->isExpanded());
    // An unlinked group takes nothing with it.
    rig.item(true, "Caja")->setExpanded(true);
    QVERIFY(!rig.item(false, "Kick")->isExpanded());
    QVERIFY(!rig.item(false, "Snare")->isExpanded());
}

void MapDrumsetFormTest::closing_data() {
    QTest::addColumn<int>("how"); // 0 OK, 1 Cancel, 2 close box
    QTest::addColumn<bool>("accepted");
    QTest::newRow("OK") << 0 << true;
    QTest::newRow("Cancel") << 1 << false;
    QTest::newRow("close box") << 2 << false;
}

void MapDrumsetFormTest::closing() {
    QFETCH(int, how);
    QFETCH(bool, accepted);
    TDrumsetMapper mapper;
    mapper.Reset();
    mapper.FillCurrentTree({{"Kick", {"Kick soft"}}});
    TLoadGroupList groups;
    groups[0].Name = "Caja";
    mapper.FillSongTree(groups);
    TMapDrumsetForm form;
    int shownItems = 0;
    whenModal([&](TMapDrumsetForm& modal) {
        shownItems = modal.OrigTree()->topLevelItemCount();
        if (how == 0) {
            QTest::mouseClick(modal.OkButton(), Qt::LeftButton);
        } else if (how == 1) {
            QTest::mouseClick(modal.CancelButton(), Qt::LeftButton);
        } else {
            modal.close();
        }
    });
    form.showModal(mapper);
    QCOMPARE(shownItems, 1);
    QCOMPARE(mapper.Accepted(), accepted);
    QVERIFY(!form.isVisible());
    // The trees pointed into the mapper; they are emptied with the window.
    QCOMPARE(form.OrigTree()->topLevelItemCount(), 0);
    QCOMPARE(form.CurrentTree()->topLevelItemCount(), 0);
}

void MapDrumsetFormTest::songLoadGoesThroughTheWindow_data() {
    QTest::addColumn<bool>("linkAndAccept");
    QTest::addColumn<int>("kickHits");
    QTest::addColumn<int>("caixaHits");
    QTest::newRow("Snare linked to Caixa, OK") << true << 1 << 2;
    QTest::newRow("Cancel: the unmatched group's hits are dropped") << false << 1 << 0;
}

void MapDrumsetFormTest::songLoadGoesThroughTheWindow() {
    QFETCH(bool, linkAndAccept);
    QFETCH(int, kickHits);
    QFETCH(int, caixaHits);
    TempFolder folder;
    const std::string written =
        writeSimpleDrumset(folder, "written.dum", {{"Kick", 1}, {"Snare", 2}});
    const std::string current =
        writeSimpleDrumset(folder, "current.dum", {{"Kick", 1}, {"Caixa", 2}});
    const std::string song = folder.file("song.drm");
    TDrumsUI ui;
    ui.SetDrumsetFile(written);
    TSongEditor& editor = ui.Editor();
    struct Placed {
        int32_t group, sample, tick;
    };
    for (const Placed& p : {Placed{0, 0, 0}, Placed{1, 0, 250}, Placed{1, 1, 500}}) {
        editor.Song.AddHit(editor.CreateHit(0, p.tick, p.sample, p.group));
    }
    ui.SaveSong(song, false);

    ui.SetDrumsetFile(current);
    bool shown = false;
    whenModal([&](TMapDrumsetForm& form) {
        shown = true;
        if (!linkAndAccept) {
            QTest::mouseClick(form.CancelButton(), Qt::LeftButton);
            return;
        }
        QVERIFY(findItem(form.OrigTree(), "Snare")->font(0).strikeOut());
        form.OrigTree()->setCurrentItem(findItem(form.OrigTree(), "Snare"));
        form.CurrentTree()->setCurrentItem(findItem(form.CurrentTree(), "Caixa"));
        form.LinkButton()->trigger();
        QTest::mouseClick(form.OkButton(), Qt::LeftButton);
    });
    ui.LoadSong(song, true, 0, 0, false, false);
    QVERIFY(shown);

    std::vector<int> hitsPerGroup(2, 0);
    for (int32_t b = 0; b <= editor.Song.LastBar; ++b) {
        for (const auto& hit : editor.Song.Bar(b).StartingHits) {
            ++hitsPerGroup.at(static_cast<size_t>(hit->Group));
        }
    }
    QCOMPARE(hitsPerGroup[0], kickHits);
    QCOMPARE(hitsPerGroup[1], caixaHits);
}
