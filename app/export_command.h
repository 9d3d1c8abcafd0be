// The command line that writes the plan to a file or standard output without
// a display: "plenvo --export csv|ics --from … --to … --output FILE".
#pragma once

// The exit codes, also told by --help.
enum TExportExitCode {
    eecDone = 0,
    eecUsage = 1,
    eecBadDate = 2,
    eecBadRange = 3,
    eecUnknownName = 4,
    eecDataFolder = 5,
    eecOutput = 6,
};

// True when the arguments ask for the command line instead of the window:
// --export, --help or --version.
bool IsExportCommandLine(int argc, char* argv[]);
// Runs it in a console application of its own (no display needed); the
// exit code.
int RunExportCommand(int argc, char* argv[]);
