#pragma once

#include "view/GLWidget.h"

#include <QApplication>
#include <QTest>

// main() of a view test: the view's surface format before the application.
#define TESSARON_VIEW_TEST_MAIN(TestClass)                                                         \
    int main(int argc, char **argv)                                                                \
    {                                                                                              \
        setupViewSurfaceFormat();                                                                  \
        QApplication app(argc, argv);                                                              \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
