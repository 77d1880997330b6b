// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <ctime>

// Nanoseconds on the monotonic clock, which the benchmark and the program it
// starts share, so a time taken in one can be compared with one taken in the
// other.
inline long long Now()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}
