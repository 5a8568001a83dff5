#include "app/RecentFiles.h"

#include "app/IniFile.h"
#include "app/Options.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <filesystem>

namespace {

bool isExistingFile(const std::string& path) {
    std::error_code ignored;
    return !path.empty() && std::filesystem::is_regular_file(path, ignored);
}

bool equalNamesIgnoringCase(const std::string& a, const std::string& b) {
    const QByteArray bytesA = QByteArray::fromStdString(a);
    const QByteArray bytesB = QByteArray::fromStdString(b);
    // Unicode case only for names that are text; other bytes must match.
    if (bytesA.isValidUtf8() && bytesB.isValidUtf8()) {
        return QString::fromUtf8(bytesA).compare(QString::fromUtf8(bytesB), Qt::CaseInsensitive) ==
               0;
    }
    return equalsIgnoringCase(a, b);
}

} // namespace

bool sameRecentFile(const std::string& a, const std::string& b) {
    if (a == b) {
        return true;
    }
    if (!equalNamesIgnoringCase(a, b)) {
        return false;
    }
    // On a case-sensitive file system such names may be two different files.
    std::error_code error;
    if (isExistingFile(a) && isExistingFile(b)) {
        const bool same = std::filesystem::equivalent(a, b, error);
        return !error && same;
    }
    return true;
}

void TRecentFileList::AddToRecentFiles(const std::string& path) {
    if (!isExistingFile(path)) {
        return;
    }
    const auto found =
        std::find_if(m_entries.begin(), m_entries.end(),
                     [&](const std::string& entry) { return sameRecentFile(entry, path); });
    if (found != m_entries.end()) {
        m_entries.erase(found);
    } else if (m_entries.size() >= MaxCount) {
        m_entries.pop_back();
    }
    m_entries.insert(m_entries.begin(), path);
}

TReopenMenu TRecentFileList::reopenMenu() const {
    TReopenMenu menu;
    menu.Enabled = !m_entries.empty();
    for (size_t i = 0; i < m_entries.size() && i < menu.Items.size(); ++i) {
        menu.Items[i].Visible = true;
        menu.Items[i].Caption = m_entries[i];
    }
    return menu;
}

void TRecentFileList::loadFrom(const TOptionsItem& options) {
    for (int number = TOptionsItem::MRUCount; number >= 1; --number) {
        if (!options.mru(number).empty()) {
            AddToRecentFiles(options.mru(number));
        }
    }
}

void TRecentFileList::storeTo(TOptionsItem& options) const {
    for (size_t i = 0; i < m_entries.size() && i < TOptionsItem::MRUCount; ++i) {
        options.setMru(static_cast<int>(i) + 1, m_entries[i]);
    }
}
