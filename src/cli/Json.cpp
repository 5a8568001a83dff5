#include "cli/Json.h"

#include <cmath>
#include <cstdio>

std::string jsonQuoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
                out += buf;
            } else {
                out += c;
            }
        }
    }
    out += '"';
    return out;
}

void JsonWriter::separate() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_hasMember.empty()) {
        if (m_hasMember.back())
            m_text += ',';
        m_hasMember.back() = true;
    }
}

JsonWriter& JsonWriter::beginObject() {
    separate();
    m_text += '{';
    m_hasMember.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::endObject() {
    m_text += '}';
    m_hasMember.pop_back();
    return *this;
}

JsonWriter& JsonWriter::beginArray() {
    separate();
    m_text += '[';
    m_hasMember.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::endArray() {
    m_text += ']';
    m_hasMember.pop_back();
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
    separate();
    m_text += jsonQuoted(name);
    m_text += ':';
    m_afterKey = true;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view text) {
    separate();
    m_text += jsonQuoted(text);
    return *this;
}

JsonWriter& JsonWriter::value(int64_t number) {
    separate();
    m_text += std::to_string(number);
    return *this;
}

JsonWriter& JsonWriter::value(double number) {
    separate();
    if (!std::isfinite(number)) {
        m_text += "null";
        return *this;
    }
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", number);
    m_text += buf;
    return *this;
}

JsonWriter& JsonWriter::value(bool flag) {
    separate();
    m_text += flag ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::null() {
    separate();
    m_text += "null";
    return *this;
}
