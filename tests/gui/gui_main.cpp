// The window tests run on Qt's offscreen platform unless QT_QPA_PLATFORM names another,
// inside the program's own application object (so its error handling is tested too).
#include <gtest/gtest.h>

#include "resources/pictures.h"
#include "ui/common/fonts.h"
#include "ui/main/tarvex_application.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef TARVEX_TEST_FONT_DIR
    // Under Wine the offscreen platform reads fonts from one folder, named here: Wine passes on
    // no QT_ variable of the caller's.
    if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR"))
        qputenv("QT_QPA_FONTDIR", TARVEX_TEST_FONT_DIR);
#endif
    TarvexApplication application(argc, argv);
    tarvex::pictures::ensureLoaded();
    RegisterFallbackFonts();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
