// Writing beside the target and renaming over it.
#include "songfile/ReplacingFile.h"

#include "songfile/SongFileText.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

TReplacingFile::TReplacingFile(const std::string& path)
    : m_path(path), m_temp(temporaryPath(path)) {
    errno = 0;
    m_stream.open(m_temp, std::ios::binary | std::ios::trunc);
    if (!m_stream)
        fail(errno);
}

TReplacingFile::~TReplacingFile() {
    if (m_committed)
        return;
    if (m_stream.is_open())
        m_stream.close();
    std::error_code ignored;
    std::filesystem::remove(m_temp, ignored);
}

void TReplacingFile::commit() {
    errno = 0;
    m_stream.flush();
    m_stream.close();
    if (!m_stream)
        fail(errno);
    std::error_code ec;
    std::filesystem::rename(m_temp, m_path, ec);
    if (ec)
        fail(ec.value());
    m_committed = true;
}

void TReplacingFile::fail(int error) const {
    std::string message = "Cannot create file \"" + m_path + "\".";
    if (error != 0)
        message += std::string(" ") + std::strerror(error);
    throw TSongFileError(message);
}
