// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and end of the program, and the error boundary of the
// application object.

#include "ui/AirportDlg.h"
#include "data/DBException.h"
#include "app/RouteApp.h"
#include "ui/RouteDlg.h"
#include "tests/ui/UiDriver.h"
#include "tests/ui/UiFixture.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <wx/app.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

CRouteApp& App()
{
    return *static_cast<CRouteApp*>(wxTheApp);
}

CRouteDlg* OpenMainWindow()
{
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* d = dynamic_cast<CRouteDlg*>(w))
            return d;
    return nullptr;
}

class StartUp : public WindowTest {};

TEST_F(StartUp, WithoutTheDatabaseTheErrorNamesFileAndDirectoryAndTheStatusIsOne)
{
    EXPECT_EQ(App().RunMainWindow(), EXIT_NO_DATABASE);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("VORS.MDB"), std::string::npos) << errors[0];
    EXPECT_NE(errors[0].find(m_dir->path()), std::string::npos) << errors[0];
    EXPECT_NE(errors[0].find("No such file"), std::string::npos) << errors[0];
    EXPECT_EQ(OpenMainWindow(), nullptr) << "no window for a program that cannot start";
}

TEST_F(StartUp, EscapeClosesTheMainWindowAndTheStatusIsZero)
{
    Build(RouteRows());
    bool seen = false;
    WhenIdle([&] {
        CRouteDlg* main = OpenMainWindow();
        ASSERT_NE(main, nullptr);
        seen = main->IsModal() && wxTheApp->GetTopWindow() == main;
        wxKeyEvent key(wxEVT_CHAR_HOOK);
        key.m_keyCode = WXK_ESCAPE;
        key.SetEventObject(main);
        main->HandleWindowEvent(key);
    });
    EXPECT_EQ(App().RunMainWindow(), 0);
    EXPECT_TRUE(seen);
    EXPECT_EQ(OpenMainWindow(), nullptr);
    EXPECT_TRUE(errors.empty());
}

TEST_F(StartUp, TheCloseBoxClosesTheMainWindowAndTheStatusIsZero)
{
    Build(RouteRows());
    WhenIdle([] {
        CRouteDlg* main = OpenMainWindow();
        ASSERT_NE(main, nullptr);
        main->Close();
    });
    EXPECT_EQ(App().RunMainWindow(), 0);
    EXPECT_EQ(OpenMainWindow(), nullptr);
}

TEST_F(StartUp, TheMainWindowOpensWithItsConnection)
{
    Build(RouteRows());
    WhenIdle([] {
        CRouteDlg* main = OpenMainWindow();
        ASSERT_NE(main, nullptr);
        EXPECT_TRUE(main->m_pDatabase->IsOpen());
        EXPECT_EQ(main->m_lstRoute->GetColumnCount(), 7);
        main->Close();
    });
    EXPECT_EQ(App().RunMainWindow(), 0);
}

// The program itself, started as from a terminal.

TEST_F(StartUp, TheProgramInADirectoryWithoutTheDatabaseEndsWithStatusOne)
{
    const std::string command = "MERIDANE_NO_MODAL_ERRORS=1 '" MERIDANE_PROGRAM "' 2> stderr.txt";
    int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    const std::string message = ReadWholeFile("stderr.txt");
    EXPECT_NE(message.find("meridane: "), std::string::npos) << message;
    EXPECT_NE(message.find("VORS.MDB"), std::string::npos) << message;
    EXPECT_NE(message.find(m_dir->path()), std::string::npos) << message;
}

TEST_F(StartUp, AFifoOrAFileThatIsNoNavigationDatabaseEndsTheStartWithStatusOneNamingIt)
{
    // timeout: a FIFO would hang the start, a window would wait for a user.
    const std::string command = "MERIDANE_NO_MODAL_ERRORS=1 timeout 20 '" MERIDANE_PROGRAM "' 2> stderr.txt";
    for (const char* kind : {"fifo", "tables missing"}) {
        std::remove("VORS.MDB");
        if (std::string(kind) == "fifo")
            ASSERT_EQ(mkfifo("VORS.MDB", 0644), 0);
        else
            ExecuteSqlScript("VORS.MDB", "CREATE TABLE navs(ID);");
        int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << kind;
        EXPECT_EQ(WEXITSTATUS(status), 1) << kind;
        const std::string message = ReadWholeFile("stderr.txt");
        EXPECT_NE(message.find("meridane: Cannot open the navigation database VORS.MDB in " + m_dir->path()),
                  std::string::npos)
            << kind << ": " << message;
    }
}

// Errors leaving a handler stop at the application's boundary.

class ErrorBoundary : public WindowTest {};

TEST_F(ErrorBoundary, DatabaseAndFileErrorsFromAHandlerAreReportedAndTheEventEnds)
{
    Build(CascadeRows());
    CAirportDlg dialog;
    dialog.m_pDatabase = db();
    dialog.Show();
    int after = 0;
    dialog.Bind(wxEVT_BUTTON, [](wxCommandEvent&) { throw CDBException("Table lost."); }, 4001);
    dialog.Bind(wxEVT_BUTTON, [](wxCommandEvent&) { throw std::runtime_error("Disk full."); }, 4002);
    for (int id : {4001, 4002}) {
        wxCommandEvent click(wxEVT_BUTTON, id);
        click.SetEventObject(&dialog);
        dialog.HandleWindowEvent(click);
        ++after;
    }
    EXPECT_EQ(after, 2);
    EXPECT_EQ(errors, (std::vector<std::string>{"Table lost.", "Disk full."}));
    EXPECT_TRUE(dialog.IsShown());
}

TEST_F(ErrorBoundary, WithoutAReporterTheErrorGoesToStandardErrorWhenAsked)
{
    SetErrorReporter(nullptr);
    setenv("MERIDANE_NO_MODAL_ERRORS", "1", 1);
    ::testing::internal::CaptureStderr();
    ReportError("Cannot open the navigation database.");
    std::string text = ::testing::internal::GetCapturedStderr();
    unsetenv("MERIDANE_NO_MODAL_ERRORS");
    EXPECT_EQ(text, "meridane_ui_tests: Cannot open the navigation database.\n");
}

}  // namespace
