// The private world every test runs in: settings store, special folders and
// temporary folder under one temporary directory, never the user's own.
#pragma once

#include <QString>

class TScriptedDialogs;

namespace TestEnv {
// The per-process temporary root.
QString Root();
// A fresh empty folder below the root.
QString NewFolder(const QString& AName);
// Where the settings file of the private store lives.
QString SettingsFile();
// Removes the private settings file (each test starts without settings).
void ClearSettings();
// Points the settings store at another folder (empty: back to the private one).
void SetSettingsFolder(const QString& AFolder);
// The special folders the tests see.
QString DocumentsFolder();
QString AppDataFolder();
QString PublicFolder();
// The scripted dialog service installed for every test.
TScriptedDialogs& Dialogs();
// Sets up everything above; called once by the test main.
void Init();
} // namespace TestEnv

#include <QStringList>

#include <ostream>

// Readable failure messages for Qt texts.
inline void PrintTo(const QString& AText, std::ostream* AOut)
{
    *AOut << '"' << AText.toStdString() << '"';
}
inline void PrintTo(const QStringList& AList, std::ostream* AOut)
{
    *AOut << '{';
    for (qsizetype i = 0; i < AList.size(); ++i)
        *AOut << (i ? ", \"" : "\"") << AList[i].toStdString() << '"';
    *AOut << '}';
}
