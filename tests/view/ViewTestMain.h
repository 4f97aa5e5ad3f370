#pragma once

#include "view/GLWidget.h"

// The widgets and the test library whole, so that the tests need not list
// the classes they touch.
#include <QtTest>
#include <QtWidgets>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

// main() of a test with windows: the view's surface format before the
// application, and a home folder of the test's own, so that no test reads or
// writes the settings of the user who runs it.
#define TESSARON_VIEW_TEST_MAIN(TestClass)                                                         \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        QTemporaryDir home;                                                                        \
        qputenv("HOME", home.path().toUtf8());                                                     \
        setupViewSurfaceFormat();                                                                  \
        QApplication app(argc, argv);                                                              \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
