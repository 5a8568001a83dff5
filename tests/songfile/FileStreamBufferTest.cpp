// TFileStreamBuffer: when bytes reach the stream, and that nothing is lost
// or overrun on a text longer than the buffer.
#include "songfile/FileStreamBuffer.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Records every write the buffer makes.
class RecordingBuf : public std::streambuf {
public:
    std::vector<std::string> writes;

protected:
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        writes.emplace_back(s, static_cast<size_t>(n));
        return n;
    }
    int overflow(int c) override {
        if (c != traits_type::eof())
            writes.emplace_back(1, static_cast<char>(c));
        return c;
    }
};

} // namespace

TEST(FileStreamBufferTest, WritesOnlyWhenFullOrFlushed) {
    RecordingBuf sink;
    std::ostream out(&sink);
    TFileStreamBuffer buffer(10, out);
    buffer.append("abcd");
    buffer.append("efghij"); // exactly full
    EXPECT_TRUE(sink.writes.empty());
    EXPECT_EQ(buffer.count(), 10u);

    buffer.append("k"); // does not fit: the ten go first
    EXPECT_EQ(sink.writes, std::vector<std::string>{"abcdefghij"});
    EXPECT_EQ(buffer.count(), 1u);

    buffer.flush();
    buffer.flush(); // nothing left: no empty write
    EXPECT_EQ(sink.writes, (std::vector<std::string>{"abcdefghij", "k"}));
    EXPECT_EQ(buffer.count(), 0u);
}

TEST(FileStreamBufferTest, TextLongerThanTheBufferKeepsOrder) {
    std::ostringstream out;
    TFileStreamBuffer buffer(8, out);
    buffer.append("ab");
    const std::string longText = "0123456789012345678901234";
    buffer.append(longText);
    buffer.append("cd");
    buffer.flush();
    EXPECT_EQ(out.str(), "ab" + longText + "cd");
}

TEST(FileStreamBufferTest, ResetDropsBufferedBytes) {
    std::ostringstream out;
    TFileStreamBuffer buffer(200000, out);
    buffer.append("lost");
    buffer.reset();
    buffer.append("kept");
    buffer.flush();
    EXPECT_EQ(out.str(), "kept");
}
