#pragma once

#include <QString>

// The three kinds of log file and the language texts that are their templates.
enum class LogFileKind : int {
    BeforeShutdown = 1, // written just before the machine is powered off
    CommandLineRun = 2, // written at the end of a command-line run with -l
    SavedByUser = 3,    // Save Log button, path chosen in the save dialog
};

// Template text id of a kind: 560, 562, 564; 0 (no template) for any other value.
int LogFileTemplateId(int kind);

// The automatic log path: "<desktop>/<volume>.log"; empty when the desktop
// folder is unknown, so that nothing is written.
QString AutomaticLogPath(const QString &desktopFolder, const QString &volumeLabel);

// The file's text: the template filled with five strings, in this order:
// time text, volume label, product version, log text, the same time text.
// The log text goes in with its carriage returns removed. Filling goes
// through the type-checked formatter, so a template from a language file can
// never read beyond its arguments, and percent signs inside the log or the
// label are copied as they are.
QString LogFileText(const QString &templ, const QString &timeText, const QString &volumeLabel,
                    const QString &logText);

// Writes text as UTF-8 to a new file beside path, which then replaces
// whatever is at path: a symbolic link there is replaced, never followed, so
// the log cannot overwrite the file it points to. Every failure (empty path,
// missing folder, no permission, disk full, file size limit) leaves the old
// file as it was and no partial text behind. Answers the system's reason for
// a failure, empty when the file was written.
QString WriteLogFileText(const QString &path, const QString &text);
