// PLACEHOLDER until the download checks are merged: the end of a download
// and the run-specification flags, reduced to what lets the download link.
#pragma once

class Program;

// Resets the run-specification flags to their defaults. True.
bool HandleRunspec(Program &p);
// Offers to save gText. True when a file was written.
bool DownloadReportAndSave(Program &p);
