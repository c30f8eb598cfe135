// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ErrorReport.h"

#include "ui/TextConvert.h"

#include <wx/app.h>
#include <wx/msgdlg.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

ErrorReporter& Reporter()
{
    static ErrorReporter reporter;
    return reporter;
}

std::string ProgramName()
{
    if (wxTheApp)
        return FromWx(wxTheApp->GetAppName());
    return "meridane";
}

void ShowErrorBox(const std::string& message)
{
    const char* quiet = std::getenv("MERIDANE_NO_MODAL_ERRORS");
    if (quiet && std::strcmp(quiet, "1") == 0) {
        std::fprintf(stderr, "%s: %s\n", ProgramName().c_str(), message.c_str());
        return;
    }
    wxMessageBox(ToWx(message), ToWx(ProgramName()), wxOK | wxICON_ERROR);
}

}  // namespace

void ReportError(const std::string& message)
{
    if (Reporter())
        Reporter()(message);
    else
        ShowErrorBox(message);
}

ErrorReporter SetErrorReporter(ErrorReporter reporter)
{
    ErrorReporter previous = std::move(Reporter());
    Reporter() = std::move(reporter);
    return previous;
}
