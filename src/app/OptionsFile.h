// The file side of the options: "options.ini" in the shared data folder,
// read once while the main window is created and written once at a normal
// close. Section "Options" holds the TOptionsItem, one "Toolbars" section per
// tool bar holds its place (ToolbarSections.h).
//
// The main window's part, in order:
//   creation:  path = GetOptionsFileName();
//              result = LoadOptions(options, recentFiles, path);
//              FirstRun = !result.FileFound;
//              applyToolbarSections(window, result.Toolbars);
//              show result.Error in an error box when it is not empty;
//              post the start-up messages from the options' switches;
//              refresh the "Reopen" menu from recentFiles.reopenMenu().
//   close:     SaveOptions(options, recentFiles, captureToolbarSections(window), path),
//              showing its std::runtime_error in an error box.
#pragma once

#include "app/ToolbarSections.h"

#include <string>
#include <string_view>
#include <vector>

class TOptionsItem;
class TRecentFileList;

static constexpr std::string_view OptionsSection = "Options";
static constexpr std::string_view OptionsFileName = "options.ini";

// The shared data folder + "options.ini"; empty when there is no data folder.
std::string GetOptionsFileName();

struct TOptionsLoadResult {
    // False on the first run: there was no options file.
    bool FileFound = false;
    // The tool bar places stored in the file.
    std::vector<TToolbarSection> Toolbars;
    // For an error box: what could not be read. Start-up goes on either way;
    // what was not read keeps its preset.
    std::string Error;
};

// Presets the options (TOptionsItem::applyPresets), reads section "Options"
// and the tool bar sections when the file exists, puts the default drumset
// and pattern library back when the file names none or a missing one, and
// fills recentFiles from MRU5 up to MRU1 (missing files dropped). Never
// throws for anything in or about the file: a value that cannot be converted
// keeps its preset while the other keys are still read, and an unreadable
// file leaves all presets.
TOptionsLoadResult LoadOptions(TOptionsItem& options, TRecentFileList& recentFiles,
                               const std::string& fileName);

// Copies the recent files to MRU1.. (slots beyond the list keep their
// values), replaces section "Options" and the given tool bars' sections, keeps
// every other section, and writes the file in one piece, creating its folder
// when missing. Throws std::runtime_error when the file cannot be written;
// the old file is then untouched.
void SaveOptions(TOptionsItem& options, const TRecentFileList& recentFiles,
                 const std::vector<TToolbarSection>& toolbars, const std::string& fileName);
