// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/Application.h"

#include <QApplication>
#include <QTest>

// Like QTEST_MAIN, but with the program's own start-up around the tests.
#define TELVIR_TEST_MAIN(TestClass)             \
    int main(int argc, char *argv[])            \
    {                                           \
        PrepareEnvironment();                   \
        QApplication application(argc, argv);   \
        PrepareApplication(application);        \
        TestClass test;                         \
        return QTest::qExec(&test, argc, argv); \
    }
