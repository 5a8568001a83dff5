// Locating a sample's file: where the drumset says, or in the program's own
// Samples folder, so drumsets made on another machine (Windows included) find
// samples installed under the same sub-folders here.
#include "app/Sluzby.h"
#include "drumset/Drumset.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace {

static constexpr std::string_view SamplesFolderName = "Samples";

bool fileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// Position just after the first "<sep>Samples<sep>" in a folder, with "\" or
// "/" as either separator; npos when there is none.
size_t afterSamplesFolder(std::string_view folder) {
    const size_t length = SamplesFolderName.size();
    for (size_t at = folder.find(SamplesFolderName); at != std::string_view::npos;
         at = folder.find(SamplesFolderName, at + 1)) {
        if (at > 0 && isPathSeparator(folder[at - 1]) && at + length < folder.size() &&
            isPathSeparator(folder[at + length])) {
            return at + length + 1;
        }
    }
    return std::string_view::npos;
}

// A relative folder with native separators and no trailing separator.
std::string nativeRelativeFolder(std::string_view part) {
    std::string folder(part);
    std::replace(folder.begin(), folder.end(), '\\', PathSeparator);
    while (!folder.empty() && folder.back() == PathSeparator) {
        folder.pop_back();
    }
    return folder;
}

} // namespace

std::string TDrumset::SampleFilePath(const TDrumsetItem& sample) {
    return joinPath(sample.DirectoryName, sample.FileName);
}

void TDrumset::ResolveSampleFile(TDrumsetItem& sample) const {
    if (sample.IsGroup) {
        return;
    }
    if (fileExists(SampleFilePath(sample))) {
        sample.Icon = IconSampleFound;
        return;
    }

    const std::string samplesFolder = joinPath(GetProgramFolder(), SamplesFolderName);
    std::string tried = joinPath(samplesFolder, sample.FileName);
    if (fileExists(tried)) {
        sample.DirectoryName = samplesFolder;
    } else if (const size_t after = afterSamplesFolder(sample.DirectoryName);
               after != std::string::npos) {
        const std::string part = nativeRelativeFolder(sample.DirectoryName.substr(after));
        const std::string folder = part.empty() ? samplesFolder : joinPath(samplesFolder, part);
        tried = joinPath(folder, sample.FileName);
        if (fileExists(tried)) {
            sample.DirectoryName = folder;
        }
    }
    sample.Icon = fileExists(tried) ? IconSampleFound : IconSampleMissing;
}
