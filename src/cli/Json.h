// A small streaming JSON writer for the command line's reports.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class JsonWriter {
public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    // The key of the next value inside an object.
    JsonWriter& key(std::string_view name);
    JsonWriter& value(std::string_view text);
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(int64_t number);
    JsonWriter& value(int32_t number) { return value(static_cast<int64_t>(number)); }
    JsonWriter& value(uint32_t number) { return value(static_cast<int64_t>(number)); }
    JsonWriter& value(double number);
    JsonWriter& value(bool flag);
    JsonWriter& null();

    const std::string& text() const { return m_text; }

private:
    void separate();

    std::string m_text;
    // One entry per open object or array: whether it has a member yet.
    std::vector<bool> m_hasMember;
    bool m_afterKey = false;
};

// Text as a JSON string literal; bytes above 127 pass through unchanged.
std::string jsonQuoted(std::string_view text);
