// The subcommands of tavorine-cli. Each returns the process exit code and
// throws std::exception with the program's own message on failure.
#pragma once

#include <string>
#include <vector>

using TArguments = std::vector<std::string>;

// Exit codes.
static constexpr int ExitOk = 0;
static constexpr int ExitError = 1;
static constexpr int ExitUsage = 2;

// Thrown for a command line that does not fit the command.
struct UsageError {
    std::string message;
};

int infoCommand(const TArguments& args);
int resaveCommand(const TArguments& args);
int drumsetInfoCommand(const TArguments& args);
int drumsetResaveCommand(const TArguments& args);
int playCommand(const TArguments& args);
