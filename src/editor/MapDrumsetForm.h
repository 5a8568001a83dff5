// TMapDrumsetForm: the "Drumset mapper" window, in which the user links the
// groups and samples a song names to those of the loaded drumset. It shows
// and drives a TDrumsetMapper: the two trees, the link and delete-link
// buttons, struck-out unlinked nodes, bold-underlined partners and linked
// expansion; "&OK" accepts the links, anything else keeps the name matches.
#pragma once

#include "drumset/DrumsetMapping.h"

#include <QDialog>
#include <QIcon>
#include <QString>
#include <array>
#include <memory>
#include <vector>

class QAction;
class QPushButton;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

class TMapDrumsetForm : public QDialog, public TMapperDialog {
    Q_OBJECT

public:
    explicit TMapDrumsetForm(QWidget* parent = nullptr);
    ~TMapDrumsetForm() override;

    // Shows the mapper's trees and runs the window modally.
    void showModal(TDrumsetMapper& mapper) override;
    // Shows a mapper's trees without running modally; unload forgets it.
    void load(TDrumsetMapper& mapper);
    void unload();

    void LinkButtonClick();
    void DeleteLinkButtonClick();
    void OkButtonClick();

    QTreeWidget* OrigTree() const { return m_origTree; }
    QTreeWidget* CurrentTree() const { return m_currentTree; }
    QAction* LinkButton() const { return m_linkButton; }
    QAction* DeleteLinkButton() const { return m_deleteLinkButton; }
    QPushButton* OkButton() const { return m_okButton; }
    QPushButton* CancelButton() const { return m_cancelButton; }
    // The item showing a node, in either tree; none when not shown.
    QTreeWidgetItem* itemFor(const TMapNode* node) const;
    static TMapNode* nodeOf(const QTreeWidgetItem* item);

protected:
    // The error box of a refused button press.
    virtual void showError(const QString& message);

private:
    void fillTree(QTreeWidget& tree, const std::vector<std::unique_ptr<TMapNode>>& nodes);
    // Hands the trees' selection and focus to the mapper, then redraws.
    void reportSelection();
    // Image and font of every node from the mapper's display rules.
    void refreshHighlights();
    // The song tree selects nodes of one level only: the focused one's.
    void keepOneLevel();
    void itemExpansionChanged(QTreeWidgetItem* item, bool expanded);
    void runButton(void (TDrumsetMapper::*click)());

    TDrumsetMapper* m_mapper = nullptr;
    QTreeWidget* m_origTree = nullptr;
    QTreeWidget* m_currentTree = nullptr;
    QToolBar* m_connectionToolbar = nullptr;
    QAction* m_linkButton = nullptr;
    QAction* m_deleteLinkButton = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    std::array<QIcon, 3> m_images; // group, sample, not linked
    bool m_updating = false;
};
