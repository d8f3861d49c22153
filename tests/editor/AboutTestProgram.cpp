// Entry point of the About box tests. The program's own static objects are
// not linked in, so the one mail link the box attaches to lives here, and the
// application context that the window code reads is set up before any test.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/AppContext.h"
#include "editor/MailLink.h"

MailLink theMailLink;

int main(int argc, char** argv) {
    static AppContext context{nullptr, GetModuleHandleA(nullptr), TextString()};
    theAppContext = &context;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
