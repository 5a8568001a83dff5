// Path and file helpers used across the program: the program and shared data
// folders, splitting and joining paths, whole-file reads and writes.
//
// Paths are written with the native separator; paths read from files made on
// Windows may carry "\", so every function that takes a path apart accepts
// both "\" and "/".
#pragma once

#include <string>
#include <string_view>
#include <vector>

static constexpr char PathSeparator = '/';

enum class TSpecialFolder {
    // The per-user data folder standing in for the machine-wide
    // application-data folder: QStandardPaths' GenericDataLocation
    // ($XDG_DATA_HOME or ~/.local/share).
    sfCommonAppData,
};

// The platform's path for a special folder, or an empty text when it cannot
// be determined.
std::string GetSpecialFolderPath(TSpecialFolder folder);

// The shared data folder (options, clipboard exchange file): the data folder
// with the subfolder "Tavorine", created when missing (one level only; a
// failure is not reported). Empty when the data folder cannot be determined.
std::string GetCommonAppDataFolder();

// The folder of the executable without a trailing separator, or the folder set
// with overrideProgramFolder.
std::string GetProgramFolder();

// Makes GetProgramFolder return the given folder (one trailing separator
// removed) so tests and the command line can work on a fixture folder; an
// empty text restores the executable's folder.
void overrideProgramFolder(const std::string& folder);

// The folder part of a path with one trailing "/" or "\" removed; empty when
// the path has no folder part.
std::string ExtractFolder(std::string_view path);

// The part of a path after its last "/" or "\".
std::string extractFileName(std::string_view path);

// folder + PathSeparator + name.
std::string joinPath(std::string_view folder, std::string_view name);

bool isPathSeparator(char c);

// The whole file as bytes; throws std::runtime_error when it cannot be read.
std::string ReadFileToString(const std::string& path);

// Creates or truncates the file and writes the bytes of text; throws
// std::runtime_error when it cannot be written.
void WriteStringToFile(const std::string& path, std::string_view text);

// Replaces the file with text without ever leaving it half written: the text
// goes to a temporary file in the same folder, which is renamed over the old
// file only once it is complete. On failure the old file is untouched and
// std::runtime_error is thrown.
void replaceFile(const std::string& path, std::string_view text);

// Clears list, then adds each piece of text between delimiters, empty pieces
// included; a trailing delimiter adds an empty last piece; an empty text adds
// nothing.
void SplitString(std::string_view text, char delimiter, std::vector<std::string>& list);
