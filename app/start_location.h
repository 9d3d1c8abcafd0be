// Where a run of the program starts: the --server and --folder options, and
// the check that a server answers before any table is opened on it.
#pragma once

#include "setup/setup.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QCommandLineParser;

// Adds --server and --folder to a parser (the program's and the export
// command's, so that --help names them).
void AddLocationOptions(QCommandLineParser& AParser);

// The location the program's arguments give for this run, none when they give
// none; AError tells why they cannot be used (empty when they can).
std::optional<TDataLocation> ParseLocationOptions(const QStringList& AArguments, QString& AError);

// Opens a connection of its own to the server and makes sure the plan's
// tables are there in a version this program reads. Empty when they are,
// else why not in the server's own words.
QString ProbeServer(const QString& AConnInfo);

// While the location is a server that does not answer, asks whether to retry,
// choose another location in the setup dialog or quit. True to go on, false
// to quit: the program never shows an empty plan in place of the real one.
// AStopped, when given, ends the asking (a termination signal came).
bool EnsureLocationAnswers(TSetup& ASetup, const std::function<bool()>& AStopped = {});

// The store's rules for connection strings in the settings and the setup
// dialog's connection test; installed once before the settings are read.
void InstallServerChecks();
