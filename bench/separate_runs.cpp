#include "separate_runs.hpp"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <system_error>

extern char** environ;

namespace zifferon::bench {

namespace {

// Runs the program with the arguments and waits; its exit status, -1 when it did not exit.
int runChild(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& argument : command) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t child = 0;
    if (const int error = posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ);
        error != 0) {
        throw std::system_error(error, std::generic_category(), "starting " + command[0]);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            throw std::system_error(errno, std::generic_category(), "waiting for " + command[0]);
        }
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

SeparateRuns runSeparately(int count, const std::vector<std::string>& arguments) {
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
    const std::filesystem::path directory = std::filesystem::temp_directory_path();
    SeparateRuns result;
    for (int run = 1; run <= count; ++run) {
        const std::filesystem::path file =
            directory /
            ("zifferon_bench." + std::to_string(getpid()) + "." + std::to_string(run) + ".figures");
        std::vector<std::string> command{self.string()};
        command.insert(command.end(), arguments.begin(), arguments.end());
        command.push_back(figuresOption + file.string());
        std::cout << "\n=== process run " << run << " of " << count << " ===\n" << std::flush;
        const int status = runChild(command);
        std::ifstream in(file);
        if (status != 0 || !in) {
            ++result.failedRuns;
        }
        if (in) {
            result.runs.push_back(readFigures(in));
        }
        in.close();
        std::filesystem::remove(file);
    }
    return result;
}

}  // namespace zifferon::bench
