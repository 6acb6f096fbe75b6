// PLACEHOLDER until the download checks are merged (see download_check.h).
#include "link/download_check.h"

#include "program/program.h"
#include "recording/save.h"

bool HandleRunspec(Program &p)
{
    p.link.download.runSpec = RunSpecFlags{};
    return true;
}

bool DownloadReportAndSave(Program &p)
{
    return SaveDialogProc(p);
}
