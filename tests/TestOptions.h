// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <utility>
#include <vector>

// Takes "--name number" pairs out of the command line, before Qt Test reads
// the rest; for replaying a random run with its seed.
inline std::vector<char *> TakeNumberOptions(int argc, char *argv[],
                                             std::initializer_list<std::pair<const char *, long long *>> options)
{
    std::vector<char *> rest{argv[0]};
    for (int at = 1; at < argc; ++at) {
        bool taken = false;
        for (const auto &[name, value] : options) {
            if (!taken && std::strcmp(argv[at], name) == 0 && at + 1 < argc) {
                *value = std::strtoll(argv[++at], nullptr, 10);
                taken = true;
            }
        }
        if (!taken)
            rest.push_back(argv[at]);
    }
    return rest;
}
