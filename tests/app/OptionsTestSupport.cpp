#include "OptionsTestSupport.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

TTestFolder::TTestFolder() : m_path(m_dir.path().toStdString()) {
    if (!m_dir.isValid()) {
        throw std::runtime_error("cannot create a temporary folder");
    }
}

std::string TTestFolder::file(const std::string& name) const {
    return m_path + "/" + name;
}

// Through the standard library, so that names that are no UTF-8 stay as they
// are.
QByteArray readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return QByteArray("<cannot read ") + path.c_str() + ">";
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return QByteArray::fromStdString(bytes);
}

void writeBytes(const std::string& path, const QByteArray& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.constData(), bytes.size());
    out.close();
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::string touch(const std::string& path) {
    writeBytes(path, {});
    return path;
}

QByteArray golden(const char* name, const QByteArray& actual) {
    const std::string path = std::string(TAVORINE_TEST_DATA) + "/app/" + name;
    if (qEnvironmentVariable("TAVORINE_GOLDEN") == QLatin1String("1")) {
        writeBytes(path, actual);
    }
    return readBytes(path);
}
