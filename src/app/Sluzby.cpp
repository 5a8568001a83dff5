#include "app/Sluzby.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <stdexcept>
#include <system_error>

namespace {

std::mutex programFolderMutex;
std::string programFolderOverride;

std::string withoutOneTrailingSeparator(std::string path) {
    if (!path.empty() && isPathSeparator(path.back())) {
        path.pop_back();
    }
    return path;
}

std::string executableFolder() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return {};
    }
    return withoutOneTrailingSeparator(exe.parent_path().string());
}

} // namespace

std::string GetSpecialFolderPath(TSpecialFolder folder) {
    switch (folder) {
    case TSpecialFolder::sfCommonAppData: {
        // Asked through Qt so that QStandardPaths' test mode isolates tests
        // from the user's real options.
        QString path = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        // A relative XDG_DATA_HOME is invalid and must be ignored; Qt passes
        // it through, which would put the options below the current folder.
        if (!path.isEmpty() && QDir::isRelativePath(path)) {
            path = QDir::homePath() + QStringLiteral("/.local/share");
        }
        if (path.isEmpty()) {
            return {};
        }
        // Without HOME, Qt's answer starts with "//"; "/" is a real root.
        return withoutOneTrailingSeparator(QFile::encodeName(QDir::cleanPath(path)).toStdString());
    }
    }
    return {};
}

std::string GetCommonAppDataFolder() {
    const std::string base = GetSpecialFolderPath(TSpecialFolder::sfCommonAppData);
    if (base.empty()) {
        return {};
    }
    std::string folder = joinPath(base, "Tavorine");
    std::error_code ignored;
    std::filesystem::create_directory(folder, ignored);
    return folder;
}

std::string GetProgramFolder() {
    {
        std::lock_guard lock(programFolderMutex);
        if (!programFolderOverride.empty()) {
            return programFolderOverride;
        }
    }
    static const std::string folder = executableFolder();
    return folder;
}

void overrideProgramFolder(const std::string& folder) {
    std::lock_guard lock(programFolderMutex);
    programFolderOverride = withoutOneTrailingSeparator(folder);
    // A bare "/" override would read as "no override"; keep it as the root.
    if (programFolderOverride.empty() && !folder.empty()) {
        programFolderOverride = std::string(1, PathSeparator);
    }
}

bool isPathSeparator(char c) {
    return c == '/' || c == '\\';
}

std::string ExtractFolder(std::string_view path) {
    const size_t last = path.find_last_of("/\\");
    if (last == std::string_view::npos) {
        return {};
    }
    // The folder part ends with the separator; drop exactly that one.
    return std::string(path.substr(0, last));
}

std::string extractFileName(std::string_view path) {
    const size_t last = path.find_last_of("/\\");
    return std::string(last == std::string_view::npos ? path : path.substr(last + 1));
}

std::string joinPath(std::string_view folder, std::string_view name) {
    std::string path;
    path.reserve(folder.size() + 1 + name.size());
    path.append(folder);
    path.push_back(PathSeparator);
    path.append(name);
    return path;
}

std::string ReadFileToString(const std::string& path) {
    std::error_code error;
    std::ifstream in;
    // A directory opens as a stream on Linux but has no bytes to give.
    if (!std::filesystem::is_directory(path, error)) {
        in.open(path, std::ios::binary);
    }
    if (!in.is_open()) {
        throw std::runtime_error("Cannot open file \"" + path + "\".");
    }
    // Read to the end rather than trusting the size, so files whose size the
    // system does not know are read whole too.
    std::string text;
    char chunk[16384];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
        text.append(chunk, static_cast<size_t>(in.gcount()));
    }
    if (in.bad()) {
        throw std::runtime_error("Cannot read file \"" + path + "\".");
    }
    return text;
}

void WriteStringToFile(const std::string& path, std::string_view text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        throw std::runtime_error("Cannot create file \"" + path + "\".");
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
        throw std::runtime_error("Cannot write file \"" + path + "\".");
    }
}

void replaceFile(const std::string& path, std::string_view text) {
    const std::string temp = path + ".saving~";
    try {
        WriteStringToFile(temp, text);
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        throw std::runtime_error("Cannot create file \"" + path + "\".");
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        throw std::runtime_error("Cannot create file \"" + path + "\".");
    }
}

void SplitString(std::string_view text, char delimiter, std::vector<std::string>& list) {
    list.clear();
    if (text.empty()) {
        return;
    }
    size_t start = 0;
    while (true) {
        const size_t end = text.find(delimiter, start);
        if (end == std::string_view::npos) {
            list.emplace_back(text.substr(start));
            return;
        }
        list.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
}
