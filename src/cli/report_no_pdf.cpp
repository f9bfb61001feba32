// Without the editor's build there is no painter: a PDF cannot be made.

#include "cli/cli.h"

namespace quelvar::cli {

bool writeReportPdf(const SetupReport&, ReportPaper, ReportOrientation, const std::string&,
                    std::string& reason)
{
    reason = "PDF output needs the build with the editor (QUELVAR_UI)";
    return false;
}

}  // namespace quelvar::cli
