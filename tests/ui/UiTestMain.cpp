// SPDX-License-Identifier: GPL-3.0-or-later
// Test main for the window tests: the program's own application object runs
// them, so that errors leaving a handler meet the same boundary as in the
// program. Needs a display (the tests run under xvfb-run).

#include "app/RouteApp.h"

#include <gtest/gtest.h>
#include <wx/init.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Whatever a test leaves in the user's configuration goes to a folder of
    // its own, never the real user's; window tests narrow it to their
    // scratch folder.
    char config[] = "/tmp/meridane-ui-config-XXXXXX";
    if (mkdtemp(config))
        setenv("XDG_CONFIG_HOME", config, 1);
    // Death tests start the test binary afresh, each with its own display
    // connection, rather than forking one that the toolkit's threads share.
    GTEST_FLAG_SET(death_test_style, "threadsafe");

    wxApp::SetInstance(new CRouteApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "cannot start the window toolkit (no display?)\n");
        return 1;
    }
    wxTheApp->CallOnInit();
    int result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    std::error_code ignored;
    std::filesystem::remove_all(config, ignored);
    return result;
}
