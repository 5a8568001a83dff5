// Shortcuts that equal a menu title's mnemonic (Alt+E for "Pattern manager"
// beside the "&Edit" menu): the shortcut wins, as users of the program expect,
// instead of Qt treating the key as ambiguous and doing nothing.
#pragma once

class QMenuBar;
class QWidget;

// Call once the menu bar and every action of the window exist.
void giveShortcutsPriorityOverMnemonics(QWidget& window, QMenuBar& bar);
