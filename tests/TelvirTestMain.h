// SPDX-FileCopyrightText: 2026 The Telvir developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/Application.h"
#include "app/Environment.h"

#include <QApplication>
#include <QTest>

#include <vector>

// Runs the test class with the program's own start-up around it; Qt Test
// reads `testArguments`, the command line less any options the test took.
template <typename TestClass>
int ExecWithTelvirStartUp(int argc, char *argv[], std::vector<char *> testArguments)
{
    PrepareEnvironment(argc, argv);
    QApplication application(argc, argv);
    PrepareApplication(application);
    TestClass test;
    return QTest::qExec(&test, static_cast<int>(testArguments.size()), testArguments.data());
}

// Like QTEST_MAIN, but with the program's own start-up around the tests.
#define TELVIR_TEST_MAIN(TestClass)                                                          \
    int main(int argc, char *argv[])                                                         \
    {                                                                                        \
        return ExecWithTelvirStartUp<TestClass>(argc, argv, std::vector(argv, argv + argc)); \
    }
