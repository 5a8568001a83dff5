// Shared helpers of the options tests: temporary folders, whole-file reads
// and writes, and golden files (TAVORINE_GOLDEN=1 rewrites them).
#pragma once

#include <QByteArray>
#include <QTemporaryDir>
#include <string>

class TTestFolder {
public:
    TTestFolder();
    const std::string& path() const { return m_path; }
    // path() + "/" + name
    std::string file(const std::string& name) const;

private:
    QTemporaryDir m_dir;
    std::string m_path;
};

QByteArray readBytes(const std::string& path);
void writeBytes(const std::string& path, const QByteArray& bytes);
// Creates an empty file (and returns its path).
std::string touch(const std::string& path);

// The golden file tests/data/app/<name>; with TAVORINE_GOLDEN=1 it is first
// rewritten with actual.
QByteArray golden(const char* name, const QByteArray& actual);

// Every test class's runner, called by the test program's main().
int runIniFileTests(int argc, char** argv);
int runSerializerTests(int argc, char** argv);
int runOptionsFileTests(int argc, char** argv);
int runRecentFilesTests(int argc, char** argv);
int runToolbarPlacementTests(int argc, char** argv);
