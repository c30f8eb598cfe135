// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RouteApp.h"

#include "data/DBException.h"
#include "ui/ErrorReport.h"
#include "ui/RouteDlg.h"

#include <exception>
#include <memory>

namespace {

// Shows the error that ended a command. Only errors of this program's own
// kind reach here; anything else is a fault and ends the program as usual.
void ReportCurrentException()
{
    try {
        throw;
    } catch (const std::exception& e) {
        ReportError(e.what());
    }
}

}  // namespace

bool CRouteApp::OnInit()
{
    // No command line: the toolkit's own options are not offered either.
    return true;
}

int CRouteApp::OnRun()
{
    return RunMainWindow();
}

int CRouteApp::RunMainWindow()
{
    std::unique_ptr<CRouteDlg> dlg;
    try {
        dlg = std::make_unique<CRouteDlg>(nullptr);
    } catch (const CDBException& e) {
        ReportError(e.what());
        return EXIT_NO_DATABASE;
    }
    SetTopWindow(dlg.get());
    dlg->ShowModal();
    SetTopWindow(nullptr);
    dlg.reset();
    return 0;
}

void CRouteApp::CallEventHandler(wxEvtHandler* handler, wxEventFunctor& functor, wxEvent& event) const
{
    // The toolkit calls handlers from its C code, through which no C++
    // exception may pass: a failed command ends here, the user sees why,
    // and the window keeps whatever the command had done before.
    try {
        wxApp::CallEventHandler(handler, functor, event);
    } catch (const std::exception&) {
        ReportCurrentException();
    }
}

bool CRouteApp::OnExceptionInMainLoop()
{
    // Anything that got past the handler boundary: report and go on.
    try {
        throw;
    } catch (const std::exception& e) {
        ReportError(e.what());
        return true;
    } catch (...) {
        return false;
    }
}
