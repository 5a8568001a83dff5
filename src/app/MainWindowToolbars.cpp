// The main window's six tool bars, their buttons and hints, the start and end
// bar fields, the places at a fresh start and Reset toolbars.
//
// Object names of the tool buttons' actions (for action()):
//   ModeToolbar:       StandardModeButton SelectionModeButton PlayModeButton
//   HitTypeToolbar:    HeavyHitButton MediumHitButton LightHitButton
//   ZoomToolbar:       UndoButton RedoButton
//   NavigationToolbar: ZoomInButton ZoomOutButton ExpandButton CollapseButton
//                      TargetCursorButton SnapToButton PatternMouseModeButton
//   PlayToolbar:       PlayButton StopButton LoopButton RecordButton
//                      InitSamplesButton, then the fields StartBarEdit, EndBarEdit
//   Toolbar971:        Division<N>Button (N = 4, 8, 16, 32, 3, 6, 9, 12, 24)
#include "app/BarSpinBox.h"
#include "app/MainWindow.h"
#include "app/ToolIcons.h"
#include "app/ToolbarPlacement.h"
#include "editor/DrumsUI.h"

#include <QAction>
#include <QActionGroup>
#include <QLayout>
#include <QToolBar>
#include <tuple>

namespace {

struct TButton {
    const char* Name;
    TToolIcon Icon;
    const char* Hint;
};

QToolBar* newToolbar(QMainWindow& window, const char* name, const char* caption) {
    auto* bar = new QToolBar(QString::fromLatin1(caption), &window);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    return bar;
}

// The places of a fresh start: row 0 of the top dock, in this order.
struct TPlace {
    const char* Name;
    int DockPos;
};
constexpr TPlace StartPlaces[] = {
    {"ModeToolbar", 0},         {"HitTypeToolbar", 82}, {"ZoomToolbar", 164},
    {"NavigationToolbar", 223}, {"PlayToolbar", 397},
};

} // namespace

void TTavorineForm::createToolbars() {
    using T = TTavorineForm;
    auto addButton = [this](QToolBar* bar, const TButton& button, bool checkable) {
        QAction* item = makeAction(button.Name, QString::fromLatin1(button.Hint), {}, nullptr);
        item->setIcon(toolIcon(button.Icon));
        item->setToolTip(QString::fromLatin1(button.Hint));
        item->setCheckable(checkable);
        bar->addAction(item);
        return item;
    };

    QToolBar* modeBar = newToolbar(*this, "ModeToolbar", "Mode toolbar");
    auto* modes = new QActionGroup(this);
    const TButton modeButtons[] = {
        {"StandardModeButton", TToolIcon::StandardMode, "Standard mode"},
        {"SelectionModeButton", TToolIcon::SelectionMode, "Selection mode"},
        {"PlayModeButton", TToolIcon::PlayMode, "Play mode"},
    };
    for (int i = 0; i < 3; ++i) {
        QAction* item = addButton(modeBar, modeButtons[i], true);
        modes->addAction(item);
        const auto mode = static_cast<TModeType>(i);
        connect(item, &QAction::triggered, this, [this, mode] { setModeType(mode); });
    }
    modes->actions().constFirst()->setChecked(true);

    QToolBar* hitBar = newToolbar(*this, "HitTypeToolbar", "Hit type toolbar");
    auto* hitTypes = new QActionGroup(this);
    const TButton hitButtons[] = {
        {"HeavyHitButton", TToolIcon::HeavyHit, "Heavy hit"},
        {"MediumHitButton", TToolIcon::MediumHit, "Medium hit"},
        {"LightHitButton", TToolIcon::LightHit, "Light hit"},
    };
    for (int i = 0; i < 3; ++i) {
        QAction* item = addButton(hitBar, hitButtons[i], true);
        hitTypes->addAction(item);
        const auto type = static_cast<THitType>(i);
        connect(item, &QAction::triggered, this, [this, type] { setHitType(type); });
    }
    hitTypes->actions().constFirst()->setChecked(true);

    QToolBar* undoBar = newToolbar(*this, "ZoomToolbar", "Undo/Redo toolbar");
    connect(addButton(undoBar, {"UndoButton", TToolIcon::Undo, "Undo"}, false), &QAction::triggered,
            this, &T::UndoItemClick);
    connect(addButton(undoBar, {"RedoButton", TToolIcon::Redo, "Redo"}, false), &QAction::triggered,
            this, &T::RedoItemClick);

    QToolBar* navigationBar = newToolbar(*this, "NavigationToolbar", "Navigation toolbar");
    connect(addButton(navigationBar, {"ZoomInButton", TToolIcon::ZoomIn, "Zoom in"}, false),
            &QAction::triggered, this, &T::ZoomInItemClick);
    connect(addButton(navigationBar, {"ZoomOutButton", TToolIcon::ZoomOut, "Zoom out"}, false),
            &QAction::triggered, this, &T::ZoomOutItemClick);
    connect(addButton(navigationBar, {"ExpandButton", TToolIcon::Expand, "Expand groups"}, false),
            &QAction::triggered, this, &T::ExpandGroupsItemClick);
    connect(
        addButton(navigationBar, {"CollapseButton", TToolIcon::Collapse, "Collapse groups"}, false),
        &QAction::triggered, this, &T::CollapseGroupsItemClick);
    connect(
        addButton(navigationBar,
                  {"TargetCursorButton", TToolIcon::TargetCursor, "Show cursor in targetting mode"},
                  true),
        &QAction::triggered, this, &T::TargetCursorButtonClick);
    connect(addButton(navigationBar, {"SnapToButton", TToolIcon::SnapTo, "Snap to bar line"}, true),
            &QAction::triggered, this, &T::setSnapTo);
    connect(addButton(navigationBar,
                      {"PatternMouseModeButton", TToolIcon::PatternMouseMode,
                       "Insert pattern from last mouse bar position on/off"},
                      true),
            &QAction::triggered, this, &T::setPatternInsertMouseMode);

    QToolBar* playBar = newToolbar(*this, "PlayToolbar", "Play toolbar");
    connect(addButton(playBar, {"PlayButton", TToolIcon::Play, "Play"}, false), &QAction::triggered,
            this, &T::PlayButtonClick);
    connect(addButton(playBar, {"StopButton", TToolIcon::Stop, "Stop"}, false), &QAction::triggered,
            this, &T::StopButtonClick);
    connect(addButton(playBar, {"LoopButton", TToolIcon::Loop, "Loop"}, true), &QAction::triggered,
            this, &T::setLoop);
    connect(addButton(playBar, {"RecordButton", TToolIcon::Record, "Record"}, true),
            &QAction::triggered, this, &T::setRecording);
    connect(addButton(playBar,
                      {"InitSamplesButton", TToolIcon::InitializeSamples, "Initialize all samples"},
                      false),
            &QAction::triggered, this, &T::InitSamplesButtonClick);
    for (auto [field, name, hint, value] :
         {std::tuple{&m_startBarEdit, "StartBarEdit", "Start bar", InitialStartBar},
          std::tuple{&m_endBarEdit, "EndBarEdit", "End bar", InitialStartBar}}) {
        auto* edit = new TBarSpinBox(playBar);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setToolTip(QString::fromLatin1(hint));
        edit->setValue(value);
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) +
                              24);
        connect(edit, &TBarSpinBox::deletePressed, this, &T::DeleteSelectedItemClick);
        playBar->addWidget(edit)->setObjectName(QString::fromLatin1(name) + QStringLiteral("Item"));
        *field = edit;
    }
    connect(m_startBarEdit, &QSpinBox::valueChanged, this, &T::startBarChanged);

    QToolBar* divisionBar = newToolbar(*this, "Toolbar971", "Mode toolbar");
    divisionBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const std::pair<int32_t, const char*> divisions[] = {
        {4, "1/4 bar"},  {8, "1/8 bar"}, {16, "1/16 bar"}, {32, "1/32 bar"}, {3, "1/3 bar"},
        {6, "1/6 bare"}, {9, "1/9 bar"}, {12, "1/12 bar"}, {24, "1/24 bar"},
    };
    for (const auto& [number, hint] : divisions) {
        const QByteArray name = "Division" + QByteArray::number(number) + "Button";
        QAction* item = makeAction(name.constData(), QString::number(number), {}, nullptr);
        item->setToolTip(QString::fromLatin1(hint));
        const int32_t n = number;
        connect(item, &QAction::triggered, this, [this, n] { setDivision(n); });
        divisionBar->addAction(item);
    }
}

void TTavorineForm::placeToolbarsAtStart() {
    for (const TPlace& place : StartPlaces) {
        addToolBar(Qt::TopToolBarArea, toolbar(QString::fromLatin1(place.Name)));
    }
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, toolbar(QStringLiteral("Toolbar971")));
}

void TTavorineForm::ResetToolbars() {
    setUpdatesEnabled(false);
    // Toolbar971 has no record, so it keeps its place.
    std::vector<TToolbarSection> sections;
    for (const TPlace& place : StartPlaces) {
        TToolbarSection section;
        section.Name = place.Name;
        section.Visible = true;
        section.DockedTo = TopDockName;
        section.LastDock = TopDockName;
        section.DockRow = 0;
        section.DockPos = place.DockPos;
        sections.push_back(section);
    }
    applyToolbarSections(*this, sections);
    setUpdatesEnabled(true);
}

void TTavorineForm::startBarChanged(int value) {
    if (m_endBarEdit->value() < value) {
        m_endBarEdit->setValue(value);
    }
}
