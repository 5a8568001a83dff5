// TReplacingFile: an output stream whose file replaces the target file only
// when committed, so a failed write never destroys the previous file.
#pragma once

#include <fstream>
#include <string>

class TReplacingFile {
public:
    // Opens a temporary file in the target's folder; throws TSongFileError
    // when it cannot be created.
    explicit TReplacingFile(const std::string& path);
    // Removes the temporary file unless it was committed.
    ~TReplacingFile();
    TReplacingFile(const TReplacingFile&) = delete;
    TReplacingFile& operator=(const TReplacingFile&) = delete;

    std::ostream& stream() { return m_stream; }
    // Closes the stream and renames the temporary file over the target;
    // throws TSongFileError, leaving the target untouched, when any write
    // failed or the rename does.
    void commit();

    // The temporary file used for a target.
    static std::string temporaryPath(const std::string& path) { return path + ".saving~"; }

private:
    [[noreturn]] void fail(int error) const;

    std::string m_path;
    std::string m_temp;
    std::ofstream m_stream;
    bool m_committed = false;
};
