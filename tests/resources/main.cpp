// Renders pictures with QtSvg, which needs a QGuiApplication; offscreen keeps it headless.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "resources/pictures.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    tarvex::pictures::ensureLoaded();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
