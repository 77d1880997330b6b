// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Compares the game's start-up with a bare Qt window's: time from process
// start to the first complete frame, and resident memory at that point; then
// measures how long a click on the board takes to be handled and repainted.
// Needs a display (for example: xvfb-run -a build/bench/telvir-bench).
// Usage: telvir-bench [runs]

#include "bench/Clock.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

extern char **environ;

namespace {

struct Sample {
    double milliseconds;
    long kilobytes;
};

bool Run(const std::string &probe, const char *what, Sample &sample)
{
    int output[2];
    if (pipe(output) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, output[0]);
    char *arguments[] = {const_cast<char *>(probe.c_str()), const_cast<char *>(what), nullptr};
    pid_t child = 0;
    const long long started = Now();
    const int failed = posix_spawn(&child, probe.c_str(), &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    if (failed) {
        close(output[0]);
        return false;
    }
    char line[128] = {};
    FILE *reader = fdopen(output[0], "r");
    const bool read = std::fgets(line, sizeof line, reader) != nullptr;
    std::fclose(reader);
    int status = 0;
    waitpid(child, &status, 0);
    long long painted = 0;
    if (!read || std::sscanf(line, "%lld %ld", &painted, &sample.kilobytes) != 2)
        return false;
    sample.milliseconds = (painted - started) / 1e6;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

template <typename T>
T Median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    std::string self = argv[0];
    const std::string probe = self.substr(0, self.find_last_of('/') + 1) + "telvir-startup-probe";
    std::vector<double> times[2];
    std::vector<long> memory[2];
    const char *kinds[2] = {"bare", "game"};
    for (int run = 0; run < runs; ++run) {
        for (int kind = 0; kind < 2; ++kind) {
            Sample sample{};
            if (!Run(probe, kinds[kind], sample)) {
                std::fprintf(stderr, "the %s probe did not report; is there a display?\n", kinds[kind]);
                return 1;
            }
            times[kind].push_back(sample.milliseconds);
            memory[kind].push_back(sample.kilobytes);
        }
    }
    std::printf("median of %d runs      first frame   resident memory\n", runs);
    for (int kind = 0; kind < 2; ++kind)
        std::printf("%-22s %8.1f ms   %8.1f MB\n", kind ? "Telvir" : "bare Qt window", Median(times[kind]),
                    Median(memory[kind]) / 1024.0);
    std::printf("Telvir / bare          %8.2f x\n", Median(times[1]) / Median(times[0]));

    const std::string command = probe + " clicks";
    FILE *clicks = popen(command.c_str(), "r");
    long long nanoseconds = 0;
    const bool read = clicks && std::fscanf(clicks, "%lld", &nanoseconds) == 1;
    if (clicks)
        pclose(clicks);
    if (!read) {
        std::fprintf(stderr, "the click probe did not report\n");
        return 1;
    }
    std::printf("click to repaint       %8.3f ms (median of 900: anchor, target, Move)\n", nanoseconds / 1e6);
    return 0;
}
