// Runs tavorine-cli as a child process and captures what it prints.
#pragma once

#include "../support/TempFolder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <vector>

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string shellQuoted(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

class CliRunner {
public:
    const std::string& dir() const { return m_folder.path(); }
    std::string path(const std::string& name) const { return m_folder.file(name); }

    CliResult run(const std::vector<std::string>& args) const {
        std::string command = shellQuoted(TAVORINE_CLI);
        for (const auto& a : args)
            command += " " + shellQuoted(a);
        const std::string out = path("stdout.txt");
        const std::string err = path("stderr.txt");
        command += " >" + shellQuoted(out) + " 2>" + shellQuoted(err) + " </dev/null";
        const int status = std::system(command.c_str());
        CliResult r;
        r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.out = readWholeFile(out);
        r.err = readWholeFile(err);
        return r;
    }

private:
    TempFolder m_folder{"tavorine-cli"};
};

inline std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t pos = 0; (pos = text.find(from, pos)) != std::string::npos; pos += to.size())
        text.replace(pos, from.size(), to);
    return text;
}

inline const std::string CliData = std::string(TAVORINE_TEST_DATA) + "/cli";

// A temporary folder holding the fixture kit and the groove song pointing at it.
class GrooveFixture : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy_file(CliData + "/kit.dum", cli.path("kit.dum"));
        song = replaceAll(readWholeFile(CliData + "/groove.drm"), "<drumset>", cli.path("kit.dum"));
        std::ofstream(cli.path("groove.drm"), std::ios::binary) << song;
    }

    CliRunner cli;
    std::string song;
};
