#include "app/OptionsFile.h"

#include "app/IniFile.h"
#include "app/Options.h"
#include "app/RecentFiles.h"
#include "app/Sluzby.h"
#include "app/clSerializers.h"

#include <filesystem>
#include <stdexcept>

namespace {

bool isExistingFile(const std::string& path) {
    std::error_code ignored;
    return !path.empty() && std::filesystem::is_regular_file(path, ignored);
}

} // namespace

std::string GetOptionsFileName() {
    const std::string folder = GetCommonAppDataFolder();
    return folder.empty() ? std::string() : joinPath(folder, OptionsFileName);
}

TOptionsLoadResult LoadOptions(TOptionsItem& options, TRecentFileList& recentFiles,
                               const std::string& fileName) {
    TOptionsLoadResult result;
    options.applyPresets();

    std::error_code ignored;
    result.FileFound = !fileName.empty() && std::filesystem::exists(fileName, ignored);
    if (result.FileFound) {
        try {
            const TIniFile file = TIniFile::load(fileName);
            result.Toolbars = readToolbarSections(file);
            try {
                iniSerializer().loadObject(options, file, std::string(OptionsSection));
            } catch (const TSerializerError& error) {
                result.Error = "Some settings in \"" + fileName +
                               "\" could not be read and keep their defaults:\n" + error.what();
            }
        } catch (const std::exception& error) {
            result.Error = "The settings file \"" + fileName +
                           "\" could not be read; the default settings apply.\n" + error.what();
        }
    }

    // The replacements are not checked: without them nothing would load.
    if (!isExistingFile(options.DefaultDrumsetFile())) {
        options.SetDefaultDrumsetFile(GetDefaultDrumsetFile());
    }
    if (!isExistingFile(options.DefaultPatternFile())) {
        options.SetDefaultPatternFile(GetDefaultPatternFile());
    }

    recentFiles.loadFrom(options);
    return result;
}

void SaveOptions(TOptionsItem& options, const TRecentFileList& recentFiles,
                 const std::vector<TToolbarSection>& toolbars, const std::string& fileName) {
    if (fileName.empty()) {
        throw std::runtime_error("There is no folder to save the settings in.");
    }
    recentFiles.storeTo(options);

    TIniFile file;
    try {
        file = TIniFile::load(fileName);
    } catch (const std::exception&) {
        // What cannot be read cannot be kept; the new file replaces it.
    }
    iniSerializer().saveObject(options, file, std::string(OptionsSection));
    writeToolbarSections(file, toolbars);

    // Qt's test mode, or a new account, may lack the data folder's parents;
    // without them the options could never be saved.
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(fileName).parent_path(), ignored);
    file.save(fileName);
}
