// The main window's menu bar: the menu tree with its captions, shortcuts and
// separators, the action lists, and the check marks refreshed as a menu opens.
//
// Object names of the menu items (for action()):
//   File:  NewItem OpenItem OpenWithCurrentDrumsetItem ReopenItem (MRU1..MRU5)
//          SaveItem SaveAsItem ImportMidiItem ExportMidiItem ExportWavItem
//          LoadDrumsetItem ConfigurationItem ExitItem
//   Edit:  UndoItem RedoItem InsertBarItem DeleteBarItem InsertTempoItem
//          SelectAllItem DeselectAllItem CopyItem PasteSpecialItem
//          DeleteSelectedItem SaveAsPatternItem
//   View:  Division<N>Item (N = 1, 2, 3, 4, 6, 8, 9, 12, 16, 24, 32, 5, 7, 11, 13)
//          CustomDivisionItem GoToBarItem
//   Operation: NormalModeItem SelectionModeItem PlayModeItem HeavyHitItem
//          MediumHitItem LightHitItem ZoomInItem ZoomOutItem ExpandGroupsItem
//          CollapseGroupsItem MuteOffItem
//   Options: LoopItem SnapToItem PatternMouseModeItem
//   Tools: DrumsetEditorItem PatternManagerItem BeatCalculatorItem MidiInfoItem
//          StiahniHitsItem DeleteMultipleHitsItem ResetToolbarsItem
//   Help:  HelpItem Tutorial{Basic,Advanced,Advanced2,Creative,Patterns}Item
//          SupportForumItem ShowTipsItem Web{Samples,Bass,Patterns}Item AboutItem
//   MainActionList: PlayAction PlayFromCurrentPositionAction ToggleBarAction
//          DeleteBarAction
#include "app/MainWindow.h"
#include "app/MenuShortcuts.h"
#include "app/WebPages.h"
#include "editor/DrumsUI.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace {

struct TDivisionItem {
    int32_t Number;
    const char* Shortcut;
};

// In menu order.
constexpr TDivisionItem DivisionItems[] = {
    {1, "Alt+1"}, {2, ""},      {3, "Alt+3"},  {4, "Alt+4"},  {6, ""},
    {8, "Alt+8"}, {9, "Alt+9"}, {12, "Alt+2"}, {16, "Alt+6"}, {24, ""},
    {32, ""},     {5, "Alt+5"}, {7, "Alt+7"},  {11, ""},      {13, ""},
};

QMenu* addMenu(QMenuBar* bar, const char* name, const QString& title) {
    QMenu* menu = bar->addMenu(title);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QMenu* addSubmenu(QMenu* parent, const char* name, const QString& title) {
    QMenu* menu = parent->addMenu(title);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Item"));
    return menu;
}

} // namespace

QAction* TTavorineForm::makeAction(const char* name, const QString& caption,
                                   const QString& shortcut, void (TTavorineForm::*slot)()) {
    auto* item = new QAction(caption, this);
    item->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty()) {
        item->setShortcut(QKeySequence(shortcut, QKeySequence::PortableText));
    }
    if (slot != nullptr) {
        connect(item, &QAction::triggered, this, slot);
    }
    return item;
}

void TTavorineForm::createActionLists() {
    m_mainActionList = new TActionList(QStringLiteral("MainActionList"), this);
    m_patternActionList = new TActionList(QStringLiteral("PatternActionList"), this);
    m_drumsetActionList = new TActionList(QStringLiteral("DrumsetActionList"), this);
    m_mainActionList->addAction(makeAction("PlayAction", QStringLiteral("Play"), "Space",
                                           &TTavorineForm::PlayActionExecute));
    m_mainActionList->addAction(
        makeAction("PlayFromCurrentPositionAction", QStringLiteral("Play from current position"),
                   "Ctrl+Space", &TTavorineForm::PlayFromCurrentPositionActionExecute));
    m_mainActionList->addAction(makeAction("ToggleBarAction", QStringLiteral("Toggle bar"),
                                           "Ctrl+T", &TTavorineForm::ToggleBarActionExecute));
    m_mainActionList->addAction(makeAction("DeleteBarAction", QStringLiteral("Delete bar"),
                                           "Alt+Del", &TTavorineForm::DeleteBarActionExecute));
}

void TTavorineForm::createMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));
    using T = TTavorineForm;

    QMenu* file = addMenu(bar, "FileMenu", QStringLiteral("&File"));
    file->addAction(makeAction("NewItem", QStringLiteral("New..."), "Ctrl+N", &T::NewItemClick));
    file->addAction(
        makeAction("OpenItem", QStringLiteral("&Open..."), "Ctrl+O", &T::OpenItemClick));
    file->addAction(makeAction("OpenWithCurrentDrumsetItem",
                               QStringLiteral("Open with current drumset..."), {},
                               &T::OpenWithCurrentDrumsetItemClick));
    m_reopenMenu = addSubmenu(file, "Reopen", QStringLiteral("Reopen"));
    for (size_t i = 0; i < m_recentMenuItems.size(); ++i) {
        const QByteArray name = "MRU" + QByteArray::number(static_cast<int>(i + 1));
        QAction* item = makeAction(name.constData(), QString(), {}, nullptr);
        const int tag = static_cast<int>(i);
        connect(item, &QAction::triggered, this, [this, tag] { RecentItemClick(tag); });
        m_reopenMenu->addAction(item);
        m_recentMenuItems[i] = item;
    }
    file->addSeparator();
    file->addAction(makeAction("SaveItem", QStringLiteral("Save"), "Ctrl+S", &T::SaveItemClick));
    file->addAction(
        makeAction("SaveAsItem", QStringLiteral("Save as..."), {}, &T::SaveAsItemClick));
    file->addSeparator();
    file->addAction(makeAction("ImportMidiItem", QStringLiteral("Import from MIDI..."), {},
                               &T::ImportMidiItemClick));
    file->addAction(makeAction("ExportMidiItem", QStringLiteral("Export to MIDI..."), {},
                               &T::ExportMidiItemClick));
    file->addAction(makeAction("ExportWavItem", QStringLiteral("Export to WAV..."), {},
                               &T::ExportWavItemClick));
    file->addSeparator();
    file->addAction(makeAction("LoadDrumsetItem", QStringLiteral("Load drumset..."), {},
                               &T::LoadDrumsetItemClick));
    file->addAction(makeAction("ConfigurationItem", QStringLiteral("Configuration..."), {},
                               &T::ConfigurationItemClick));
    file->addSeparator();
    file->addAction(makeAction("ExitItem", QStringLiteral("Exit"), "Alt+X", &T::ExitItemClick));

    QMenu* edit = addMenu(bar, "EditMenu", QStringLiteral("&Edit"));
    edit->addAction(makeAction("UndoItem", QStringLiteral("&Undo"), "Ctrl+Z", &T::UndoItemClick));
    edit->addAction(
        makeAction("RedoItem", QStringLiteral("&Redo"), "Ctrl+Shift+Z", &T::RedoItemClick));
    edit->addSeparator();
    edit->addAction(makeAction("InsertBarItem", QStringLiteral("Insert bar..."), "Ctrl+Ins",
                               &T::InsertBarItemClick));
    edit->addAction(
        makeAction("DeleteBarItem", QStringLiteral("Delete bar..."), {}, &T::DeleteBarItemClick));
    edit->addAction(makeAction("InsertTempoItem", QStringLiteral("Insert tempo..."), {},
                               &T::InsertTempoItemClick));
    edit->addSeparator();
    edit->addAction(makeAction("SelectAllItem", QStringLiteral("Select all"), "Ctrl+A",
                               &T::SelectAllItemClick));
    edit->addAction(makeAction("DeselectAllItem", QStringLiteral("Deselect all"), "Ctrl+D",
                               &T::DeselectAllItemClick));
    edit->addSeparator();
    edit->addAction(
        makeAction("CopyItem", QStringLiteral("Copy selected hits"), "Ctrl+C", &T::CopyItemClick));
    edit->addAction(makeAction("PasteSpecialItem", QStringLiteral("Paste special"), "Ctrl+V",
                               &T::PasteSpecialItemClick));
    edit->addAction(makeAction("DeleteSelectedItem", QStringLiteral("Delete selected hits"),
                               "Ctrl+Del", &T::DeleteSelectedItemClick));
    edit->addSeparator();
    edit->addAction(makeAction("SaveAsPatternItem",
                               QStringLiteral("Save selected hits as pattern..."), "Ctrl+P",
                               &T::SaveAsPatternItemClick));

    m_viewMenu = addMenu(bar, "ViewMenu", QStringLiteral("&View"));
    for (const TDivisionItem& division : DivisionItems) {
        const QByteArray name = "Division" + QByteArray::number(division.Number) + "Item";
        QAction* item =
            makeAction(name.constData(), QStringLiteral("1/%1 bar").arg(division.Number),
                       QString::fromLatin1(division.Shortcut), nullptr);
        item->setCheckable(true);
        const int32_t number = division.Number;
        connect(item, &QAction::triggered, this, [this, number] { setDivision(number); });
        m_viewMenu->addAction(item);
        m_divisionItems.emplace_back(item, number);
    }
    m_customDivisionItem = makeAction("CustomDivisionItem", QStringLiteral("Custom..."), "Alt+C",
                                      &T::CustomDivisionItemClick);
    m_customDivisionItem->setCheckable(true);
    m_viewMenu->addAction(m_customDivisionItem);
    m_viewMenu->addSeparator();
    m_viewMenu->addAction(
        makeAction("GoToBarItem", QStringLiteral("Go to bar..."), "Ctrl+G", &T::GoToBarItemClick));
    connect(m_viewMenu, &QMenu::aboutToShow, this, &T::refreshViewMenu);

    m_operationMenu = addMenu(bar, "OperationMenu", QStringLiteral("Operation"));
    auto* modes = new QActionGroup(this);
    const std::pair<const char*, const char*> modeItems[] = {
        {"NormalModeItem", "Normal mode"},
        {"SelectionModeItem", "Selection mode"},
        {"PlayModeItem", "Play mode"},
    };
    for (int i = 0; i < 3; ++i) {
        QAction* item =
            makeAction(modeItems[i].first, QString::fromLatin1(modeItems[i].second), {}, nullptr);
        item->setCheckable(true);
        modes->addAction(item);
        const auto mode = static_cast<TModeType>(i);
        connect(item, &QAction::triggered, this, [this, mode] { setModeType(mode); });
        m_operationMenu->addAction(item);
    }
    m_operationMenu->addSeparator();
    auto* hitTypes = new QActionGroup(this);
    const std::pair<const char*, const char*> hitItems[] = {
        {"HeavyHitItem", "Heavy hit mode"},
        {"MediumHitItem", "Medium hit mode"},
        {"LightHitItem", "Light hit mode"},
    };
    for (int i = 0; i < 3; ++i) {
        QAction* item =
            makeAction(hitItems[i].first, QString::fromLatin1(hitItems[i].second), {}, nullptr);
        item->setCheckable(true);
        hitTypes->addAction(item);
        const auto type = static_cast<THitType>(i);
        connect(item, &QAction::triggered, this, [this, type] { setHitType(type); });
        m_operationMenu->addAction(item);
    }
    m_operationMenu->addSeparator();
    m_operationMenu->addAction(
        makeAction("ZoomInItem", QStringLiteral("Zoom in"), {}, &T::ZoomInItemClick));
    m_operationMenu->addAction(
        makeAction("ZoomOutItem", QStringLiteral("Zoom out"), {}, &T::ZoomOutItemClick));
    m_operationMenu->addSeparator();
    m_operationMenu->addAction(makeAction("ExpandGroupsItem", QStringLiteral("Expand groups"), {},
                                          &T::ExpandGroupsItemClick));
    m_operationMenu->addAction(makeAction("CollapseGroupsItem", QStringLiteral("Collapse groups"),
                                          {}, &T::CollapseGroupsItemClick));
    m_operationMenu->addSeparator();
    m_operationMenu->addAction(makeAction("MuteOffItem", QStringLiteral("Mute off on all groups"),
                                          {}, &T::MuteOffItemClick));
    connect(m_operationMenu, &QMenu::aboutToShow, this, &T::refreshOperationMenu);

    m_optionsMenu = addMenu(bar, "OptionsMenu", QStringLiteral("&Options"));
    QAction* loop = makeAction("LoopItem", QStringLiteral("Loop"), {}, nullptr);
    QAction* snap = makeAction("SnapToItem", QStringLiteral("Snap to"), "Alt+A", nullptr);
    QAction* patternMode =
        makeAction("PatternMouseModeItem", QStringLiteral("Insert pattern from mouse bar position"),
                   {}, nullptr);
    for (QAction* item : {loop, snap, patternMode}) {
        item->setCheckable(true);
        m_optionsMenu->addAction(item);
    }
    connect(loop, &QAction::triggered, this, &T::setLoop);
    connect(snap, &QAction::triggered, this, &T::setSnapTo);
    connect(patternMode, &QAction::triggered, this, &T::setPatternInsertMouseMode);
    connect(m_optionsMenu, &QMenu::aboutToShow, this, &T::refreshOptionsMenu);

    QMenu* tools = addMenu(bar, "ToolsMenu", QStringLiteral("Too&ls"));
    tools->addAction(makeAction("DrumsetEditorItem", QStringLiteral("Drumset editor..."), "Alt+D",
                                &T::DrumsetEditorItemClick));
    tools->addAction(makeAction("PatternManagerItem", QStringLiteral("Pattern manager"), "Alt+E",
                                &T::PatternManagerItemClick));
    tools->addSeparator();
    tools->addAction(makeAction("BeatCalculatorItem", QStringLiteral("Beat change calculator..."),
                                {}, &T::BeatCalculatorItemClick));
    tools->addAction(makeAction("MidiInfoItem", QStringLiteral("Display midi file info..."), {},
                                &T::MidiInfoItemClick));
    tools->addSeparator();
    QAction* stiahni = makeAction("StiahniHitsItem", QStringLiteral("Stiahni hits..."), {},
                                  &T::StiahniHitsItemClick);
    stiahni->setVisible(false);
    tools->addAction(stiahni);
    tools->addAction(makeAction("DeleteMultipleHitsItem", QStringLiteral("Delete multiple hits"),
                                {}, &T::DeleteMultipleHitsItemClick));
    tools->addSeparator();
    tools->addAction(
        makeAction("ResetToolbarsItem", QStringLiteral("Reset toolbars"), {}, &T::ResetToolbars));

    QMenu* help = addMenu(bar, "HelpMenu", QStringLiteral("&Help"));
    help->addAction(makeAction("HelpItem", QStringLiteral("Help..."), "F1", nullptr));
    connect(action(QStringLiteral("HelpItem")), &QAction::triggered, this,
            [this] { openHelpPage(HelpIndexPage); });
    QMenu* tutorials = addSubmenu(help, "TutorialsMenu", QStringLiteral("&Tutorials"));
    for (const TTutorialPage& page : TutorialPages) {
        QAction* item = makeAction(page.ItemName, QString::fromLatin1(page.Caption), {}, nullptr);
        const char* fileName = page.FileName;
        connect(item, &QAction::triggered, this, [this, fileName] { openHelpPage(fileName); });
        tutorials->addAction(item);
    }
    help->addSeparator();
    QAction* forum =
        makeAction("SupportForumItem", QStringLiteral("Tavorine support forum..."), {}, nullptr);
    connect(forum, &QAction::triggered, this, [this] { openWebPage(SupportForumAddress); });
    help->addAction(forum);
    help->addAction(
        makeAction("ShowTipsItem", QStringLiteral("Show tips..."), {}, &T::ShowTipsItemClick));
    QMenu* web = addSubmenu(help, "WebMenu", QStringLiteral("Web"));
    for (const TWebPage& page : WebPages) {
        QAction* item = makeAction(page.ItemName, QString::fromLatin1(page.Caption), {}, nullptr);
        const char* address = page.Address;
        connect(item, &QAction::triggered, this, [this, address] { openWebPage(address); });
        web->addAction(item);
    }
    help->addSeparator();
    help->addAction(
        makeAction("AboutItem", QStringLiteral("&About Tavorine..."), {}, &T::AboutItemClick));

    for (QMenu* menu : bar->findChildren<QMenu*>()) {
        for (QAction* item : menu->actions()) {
            // Shortcuts work while the menus are closed, too.
            if (!item->shortcut().isEmpty()) {
                addAction(item);
            }
        }
    }
    giveShortcutsPriorityOverMnemonics(*this, *bar);
}

void TTavorineForm::refreshReopenMenu() {
    const TReopenMenu menu = m_recentFiles.reopenMenu();
    m_reopenMenu->menuAction()->setEnabled(menu.Enabled);
    for (size_t i = 0; i < m_recentMenuItems.size(); ++i) {
        QString caption = QString::fromLocal8Bit(menu.Items[i].Caption);
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        m_recentMenuItems[i]->setText(caption);
        m_recentMenuItems[i]->setVisible(menu.Items[i].Visible);
    }
}

void TTavorineForm::refreshViewMenu() {
    bool matched = false;
    for (const auto& [item, number] : m_divisionItems) {
        const bool current = number == m_drumsUI->BarDivisionNumber();
        item->setChecked(current);
        matched = matched || current;
    }
    m_customDivisionItem->setChecked(!matched);
}

void TTavorineForm::refreshOperationMenu() {
    static const char* const modeItems[] = {"NormalModeItem", "SelectionModeItem", "PlayModeItem"};
    static const char* const hitItems[] = {"HeavyHitItem", "MediumHitItem", "LightHitItem"};
    const auto mode = static_cast<size_t>(m_drumsUI->Editor().ModeType());
    const auto hit = static_cast<size_t>(m_drumsUI->Editor().HitType());
    action(QString::fromLatin1(modeItems[mode]))->setChecked(true);
    // htAny has no radio item; the editor never takes it from the window.
    if (hit < std::size(hitItems)) {
        action(QString::fromLatin1(hitItems[hit]))->setChecked(true);
    }
}

void TTavorineForm::refreshOptionsMenu() {
    action(QStringLiteral("SnapToItem"))->setChecked(m_drumsUI->SnapTo());
    action(QStringLiteral("LoopItem"))->setChecked(EditorLoop());
    action(QStringLiteral("PatternMouseModeItem"))
        ->setChecked(m_drumsUI->Editor().PatternInsertMouseMode);
}
