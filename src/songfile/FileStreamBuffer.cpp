// Buffered writing to an output stream.
#include "songfile/FileStreamBuffer.h"

#include <cstring>

TFileStreamBuffer::TFileStreamBuffer(size_t capacity, std::ostream& stream)
    : m_capacity(capacity), m_data(std::make_unique<char[]>(capacity)), m_stream(stream) {}

void TFileStreamBuffer::append(std::string_view text) {
    if (text.empty())
        return;
    if (m_count + text.size() > m_capacity)
        flush();
    if (text.size() > m_capacity) {
        m_stream.write(text.data(), static_cast<std::streamsize>(text.size()));
        return;
    }
    std::memcpy(m_data.get() + m_count, text.data(), text.size());
    m_count += text.size();
}

void TFileStreamBuffer::flush() {
    if (m_count > 0)
        m_stream.write(m_data.get(), static_cast<std::streamsize>(m_count));
    reset();
}
