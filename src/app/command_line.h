#pragma once

#include <QString>
#include <QStringList>

namespace vornel {

// What the words on the command line ask for. Options come first and end at "--" or at the
// first word that is not one; every word after them belongs to the file path, so that a path
// with blanks, or one starting with "-" after "--", opens as the user typed it.
struct CommandLine {
    enum class Action { Run, ShowHelp, ShowVersion, Fail };

    Action action = Action::Run;
    // Run: the path words joined with single blanks; empty when no file was named.
    QString path;
    // Fail: the one-line complaint.
    QString error;
};

// arguments[0] is the program's name, as in argv.
CommandLine parseCommandLine(const QStringList &arguments);

// The usage text printed by --help.
QString helpText();

// The line printed by --version.
QString versionLine();

// Answers --help, --version or a bad option without a window: the text goes to standard output
// (the complaint to standard error) and the result is the exit status, 0 or 2.
int answerWithoutWindow(const CommandLine &line);

} // namespace vornel
