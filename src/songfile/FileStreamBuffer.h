// TFileStreamBuffer: collects small texts and hands them to an output stream
// in large writes, so a song of many thousands of lines costs few writes.
#pragma once

#include <cstddef>
#include <memory>
#include <ostream>
#include <string_view>

class TFileStreamBuffer {
public:
    // The buffer writes to stream, which must outlive it.
    TFileStreamBuffer(size_t capacity, std::ostream& stream);
    TFileStreamBuffer(const TFileStreamBuffer&) = delete;
    TFileStreamBuffer& operator=(const TFileStreamBuffer&) = delete;

    // Forgets the buffered bytes.
    void reset() { m_count = 0; }
    // Buffers text, writing the buffered bytes first when it would not fit. A
    // text longer than the whole buffer goes straight to the stream.
    void append(std::string_view text);
    // Writes the buffered bytes, if any, and empties the buffer. Not done on
    // destruction: the owner decides whether the stream's content is wanted.
    void flush();

    size_t capacity() const { return m_capacity; }
    size_t count() const { return m_count; }

private:
    size_t m_capacity;
    size_t m_count = 0;
    std::unique_ptr<char[]> m_data;
    std::ostream& m_stream;
};
