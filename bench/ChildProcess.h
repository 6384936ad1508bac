#pragma once

// Runs a program as a child process and reports its wall time and peak resident memory.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace lh::bench {

struct ChildRun {
    double seconds = -1;
    long peakResidentKiB = -1;  // the child's own peak (getrusage of that child alone)
    int exitCode = -1;
};

// Runs `args` (args[0] is the program's path) with its output thrown away; from the fork to the
// child's exit.
inline ChildRun runChild(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& a : args) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    ChildRun run;
    std::fflush(stdout);  // or the child would write what is still buffered
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (FILE* null = std::freopen("/dev/null", "w", stdout)) {
            (void)null;
        }
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || ::wait4(pid, &status, 0, &usage) != pid) {
        return run;
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakResidentKiB = usage.ru_maxrss;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace lh::bench
