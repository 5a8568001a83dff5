// TRecentFileList: the main window's recent-files list (newest first, at most
// five full paths) and the state of the "Reopen" menu that mirrors it.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

class TOptionsItem;

struct TReopenMenuItem {
    bool Visible = false;
    // The full path, as it is; a Qt menu needs its "&" doubled.
    std::string Caption;
};

struct TReopenMenu {
    // Enabled only when the list is not empty.
    bool Enabled = false;
    // Item i (the menu item MRU<i+1>, tag i) shows entry i; the items beyond
    // the list are hidden.
    std::array<TReopenMenuItem, 5> Items;
};

class TRecentFileList {
public:
    static constexpr size_t MaxCount = 5;

    // Nothing happens when no file exists at path. Otherwise an entry naming
    // the same file is removed (names are compared without regard to letter
    // case, but two existing, different files whose names differ only in
    // case stay two entries), or, when the list is full, the oldest entry;
    // then path goes to the top.
    void AddToRecentFiles(const std::string& path);

    // Newest first.
    const std::vector<std::string>& entries() const { return m_entries; }

    TReopenMenu reopenMenu() const;

    // Fills the list from MRU5 up to MRU1, skipping empty slots and files that
    // have gone, so that MRU1 ends at the top.
    void loadFrom(const TOptionsItem& options);

    // Copies entry i to MRU<i+1>; the slots beyond the list keep the values
    // they were loaded with.
    void storeTo(TOptionsItem& options) const;

private:
    std::vector<std::string> m_entries;
};

// Whether two recent-file names denote the same entry (see AddToRecentFiles).
bool sameRecentFile(const std::string& a, const std::string& b);
