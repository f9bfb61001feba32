// The PDF painter is a module of its own (report_pdf.cpp), found relative to the
// program: in the installed layout beside the other private files of the package,
// in a build folder beside the program.

#include "cli/cli.h"
#include "cli/report_pdf.h"

#include <dlfcn.h>
#include <filesystem>
#include <system_error>

namespace quelvar::cli {

namespace {

std::filesystem::path programFolder()
{
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
}

std::filesystem::path findModule()
{
    const std::filesystem::path folder = programFolder();
    const std::filesystem::path installed = folder / QUELVAR_MODULE_DIR / kReportPdfModule;
    std::error_code error;
    if (std::filesystem::exists(installed, error)) return installed.lexically_normal();
    return folder / kReportPdfModule;
}

}  // namespace

bool writeReportPdf(const SetupReport& report, ReportPaper paper, ReportOrientation orientation,
                    const std::string& path, std::string& reason)
{
    // The module stays loaded: Qt does not take being unloaded well.
    void* handle = ::dlopen(findModule().c_str(), RTLD_NOW | RTLD_LOCAL);
    auto* write = handle ? reinterpret_cast<decltype(&quelvarWriteReportPdf)>(
                               ::dlsym(handle, kReportPdfEntry))
                         : nullptr;
    if (!write) {
        const char* why = ::dlerror();
        reason = "the PDF painter could not be loaded (" + std::string(why ? why : "") + ")";
        return false;
    }
    return write(report, paper, orientation, path, reason);
}

}  // namespace quelvar::cli
