// The "Drumset mapper" window: its controls, the trees built from the
// mapper, and the buttons and display rules wired to it.
#include "editor/MapDrumsetForm.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {

constexpr int NodeRole = Qt::UserRole + 1;

QTreeWidget* makeTree(const QString& name, QAbstractItemView::SelectionMode mode) {
    auto* tree = new QTreeWidget;
    tree->setObjectName(name);
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    tree->setSelectionMode(mode);
    return tree;
}

// A caption over a tree.
QWidget* labelled(const QString& caption, QTreeWidget* tree) {
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(caption);
    label->setBuddy(tree);
    layout->addWidget(label);
    layout->addWidget(tree);
    return box;
}

int treeLevel(const QTreeWidgetItem* item) {
    return item->parent() == nullptr ? 0 : 1;
}

} // namespace

TMapDrumsetForm::TMapDrumsetForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("MapDrumsetForm"));
    setWindowTitle(QStringLiteral("Drumset mapper"));
    setSizeGripEnabled(true);
    resize(640, 420);

    m_images = {style()->standardIcon(QStyle::SP_DirIcon),
                style()->standardIcon(QStyle::SP_FileIcon),
                style()->standardIcon(QStyle::SP_MessageBoxCritical)};

    m_origTree = makeTree(QStringLiteral("OrigTree"), QAbstractItemView::ExtendedSelection);
    m_currentTree = makeTree(QStringLiteral("CurrentTree"), QAbstractItemView::SingleSelection);

    m_connectionToolbar = new QToolBar(QStringLiteral("Connection toolbar"));
    m_connectionToolbar->setObjectName(QStringLiteral("ConnectionToolbar"));
    m_connectionToolbar->setOrientation(Qt::Vertical);
    m_linkButton = m_connectionToolbar->addAction(style()->standardIcon(QStyle::SP_ArrowRight),
                                                  QStringLiteral("Link"));
    m_linkButton->setObjectName(QStringLiteral("LinkButton"));
    m_linkButton->setToolTip(QStringLiteral("Link"));
    m_deleteLinkButton = m_connectionToolbar->addAction(
        style()->standardIcon(QStyle::SP_DialogDiscardButton), QStringLiteral("Delete link"));
    m_deleteLinkButton->setObjectName(QStringLiteral("DeleteLinkButton"));
    m_deleteLinkButton->setToolTip(QStringLiteral("Delete link"));

    m_okButton = new QPushButton(QStringLiteral("&OK"));
    m_okButton->setObjectName(QStringLiteral("OkButton"));
    m_cancelButton = new QPushButton(QStringLiteral("&Cancel"));
    m_cancelButton->setObjectName(QStringLiteral("CancelButton"));
    // Enter in a tree must not close the window.
    m_okButton->setAutoDefault(false);
    m_cancelButton->setAutoDefault(false);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    buttons->addStretch();
    auto* rest = new QWidget;
    auto* restLayout = new QHBoxLayout(rest);
    restLayout->setContentsMargins(0, 0, 0, 0);
    restLayout->addWidget(m_connectionToolbar);
    restLayout->addWidget(labelled(QStringLiteral("Current drumset"), m_currentTree), 1);
    restLayout->addLayout(buttons);

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(labelled(QStringLiteral("Drumset used by song"), m_origTree));
    splitter->addWidget(rest);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);

    connect(m_linkButton, &QAction::triggered, this, &TMapDrumsetForm::LinkButtonClick);
    connect(m_deleteLinkButton, &QAction::triggered, this, &TMapDrumsetForm::DeleteLinkButtonClick);
    connect(m_okButton, &QPushButton::clicked, this, &TMapDrumsetForm::OkButtonClick);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    for (QTreeWidget* tree : {m_origTree, m_currentTree}) {
        connect(tree, &QTreeWidget::itemSelectionChanged, this, [this, tree] {
            if (tree == m_origTree) {
                keepOneLevel();
            }
            reportSelection();
        });
        connect(tree, &QTreeWidget::currentItemChanged, this, [this] { reportSelection(); });
        connect(tree, &QTreeWidget::itemExpanded, this,
                [this](QTreeWidgetItem* item) { itemExpansionChanged(item, true); });
        connect(tree, &QTreeWidget::itemCollapsed, this,
                [this](QTreeWidgetItem* item) { itemExpansionChanged(item, false); });
    }
}

TMapDrumsetForm::~TMapDrumsetForm() = default;

void TMapDrumsetForm::showModal(TDrumsetMapper& mapper) {
    load(mapper);
    // The trees point into the mapper, which the caller frees afterwards.
    struct Unload {
        TMapDrumsetForm& form;
        ~Unload() { form.unload(); }
    } unloadAfter{*this};
    exec();
}

void TMapDrumsetForm::load(TDrumsetMapper& mapper) {
    unload();
    m_mapper = &mapper;
    m_updating = true;
    fillTree(*m_origTree, mapper.songTree());
    fillTree(*m_currentTree, mapper.currentTree());
    m_updating = false;
    reportSelection();
}

void TMapDrumsetForm::unload() {
    m_updating = true;
    m_origTree->clear();
    m_currentTree->clear();
    m_updating = false;
    m_mapper = nullptr;
}

void TMapDrumsetForm::fillTree(QTreeWidget& tree,
                               const std::vector<std::unique_ptr<TMapNode>>& nodes) {
    const auto makeItem = [](TMapNode& node) {
        auto* item = new QTreeWidgetItem(QStringList{QString::fromStdString(node.Name)});
        item->setData(0, NodeRole, QVariant::fromValue(reinterpret_cast<quintptr>(&node)));
        return item;
    };
    for (const auto& group : nodes) {
        QTreeWidgetItem* groupItem = makeItem(*group);
        for (const auto& sample : group->Children) {
            groupItem->addChild(makeItem(*sample));
        }
        tree.addTopLevelItem(groupItem);
        groupItem->setExpanded(group->Expanded);
    }
    tree.setCurrentItem(nullptr);
}

TMapNode* TMapDrumsetForm::nodeOf(const QTreeWidgetItem* item) {
    return item != nullptr ? reinterpret_cast<TMapNode*>(item->data(0, NodeRole).value<quintptr>())
                           : nullptr;
}

QTreeWidgetItem* TMapDrumsetForm::itemFor(const TMapNode* node) const {
    for (QTreeWidget* tree : {m_origTree, m_currentTree}) {
        for (QTreeWidgetItemIterator it(tree); *it != nullptr; ++it) {
            if (nodeOf(*it) == node) {
                return *it;
            }
        }
    }
    return nullptr;
}

void TMapDrumsetForm::keepOneLevel() {
    if (m_updating) {
        return;
    }
    const QList<QTreeWidgetItem*> selected = m_origTree->selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    const QTreeWidgetItem* focus = m_origTree->currentItem();
    const int level = treeLevel(focus != nullptr && focus->isSelected() ? focus : selected.first());
    m_updating = true;
    for (QTreeWidgetItem* item : selected) {
        if (treeLevel(item) != level) {
            item->setSelected(false);
        }
    }
    m_updating = false;
}

void TMapDrumsetForm::reportSelection() {
    if (m_updating || m_mapper == nullptr) {
        return;
    }
    std::vector<TMapNode*> songSelection;
    for (QTreeWidgetItem* item : m_origTree->selectedItems()) {
        songSelection.push_back(nodeOf(item));
    }
    m_mapper->setSongSelection(songSelection);
    m_mapper->setSongFocus(nodeOf(m_origTree->currentItem()));
    m_mapper->setCurrentFocus(nodeOf(m_currentTree->currentItem()));
    const QList<QTreeWidgetItem*> current = m_currentTree->selectedItems();
    m_mapper->setCurrentSelection(current.isEmpty() ? nullptr : nodeOf(current.first()));
    refreshHighlights();
}

void TMapDrumsetForm::refreshHighlights() {
    if (m_mapper == nullptr) {
        return;
    }
    for (QTreeWidget* tree : {m_origTree, m_currentTree}) {
        for (QTreeWidgetItemIterator it(tree); *it != nullptr; ++it) {
            const TMapNode& node = *nodeOf(*it);
            QFont font = tree->font();
            font.setStrikeOut(m_mapper->isStruckOut(node));
            const bool emphasized = m_mapper->isEmphasized(node);
            font.setBold(emphasized);
            font.setUnderline(emphasized);
            (*it)->setFont(0, font);
            const auto image = static_cast<size_t>(m_mapper->displayImage(node));
            (*it)->setIcon(0, image < m_images.size() ? m_images[image] : QIcon());
        }
    }
}

void TMapDrumsetForm::itemExpansionChanged(QTreeWidgetItem* item, bool expanded) {
    TMapNode* node = nodeOf(item);
    if (m_updating || m_mapper == nullptr || node == nullptr) {
        return;
    }
    if (item->treeWidget() != m_origTree) {
        node->Expanded = expanded;
        return;
    }
    if (TMapNode* partner = m_mapper->SongNodeExpanded(*node, expanded)) {
        if (QTreeWidgetItem* partnerItem = itemFor(partner)) {
            partnerItem->setExpanded(expanded);
        }
    }
}

void TMapDrumsetForm::runButton(void (TDrumsetMapper::*click)()) {
    if (m_mapper == nullptr) {
        return;
    }
    reportSelection();
    try {
        (m_mapper->*click)();
    } catch (const TMapperError& error) {
        // Links made before a refused node stand, so the trees are redrawn
        // either way.
        refreshHighlights();
        if (error.focusTree() == TMapperTree::mtSong) {
            m_origTree->setFocus();
        } else if (error.focusTree() == TMapperTree::mtCurrent) {
            m_currentTree->setFocus();
        }
        showError(QString::fromStdString(error.what()));
        return;
    }
    refreshHighlights();
}

void TMapDrumsetForm::LinkButtonClick() {
    runButton(&TDrumsetMapper::LinkButtonClick);
}

void TMapDrumsetForm::DeleteLinkButtonClick() {
    runButton(&TDrumsetMapper::DeleteLinkButtonClick);
}

void TMapDrumsetForm::OkButtonClick() {
    if (m_mapper != nullptr) {
        m_mapper->OkButtonClick();
    }
    accept();
}

void TMapDrumsetForm::showError(const QString& message) {
    QString text = message;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox::critical(this, QStringLiteral("Error"), text);
}
