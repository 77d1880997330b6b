// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Application.h"

int main(int argc, char *argv[])
{
    return RunTelvir(argc, argv);
}
