#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QCommandLineParser;
struct CliCommand;

// One option of a command: its names without dashes ("o", "output"; one letter is a short
// option), the name of its value (empty for a flag) and one line for --help.
struct CliOption
{
    QStringList names;
    QString valueName;
    QString description;
};

// What a command's handler sees of its command line once the options parsed.
class CliCall
{
public:
    CliCall(const CliCommand& command, const QCommandLineParser& parser, const QStringList& args);

    bool isSet(const QString& option) const;
    // The last value given; `fallback` when the option is absent.
    QString value(const QString& option, const QString& fallback = QString()) const;
    // Every value of a repeatable option, in the order given.
    QStringList values(const QString& option) const;
    QStringList arguments() const;
    // Of `options` (long names), the one given last on the command line; empty when none is.
    QString lastGiven(const QStringList& options) const;

    // The reason on standard error, then the command's usage; returns the usage status 2.
    int usage(const QString& problem) const;
    // The reason of a failed reader or writer on standard error; returns 1.
    int failure(const QString& reason) const;
    // A line on standard error that does not end the command.
    void note(const QString& text) const;

private:
    const CliCommand& m_command;
    const QCommandLineParser& m_parser;
    const QStringList m_args;
};

// A command of tessavrant-cli as one declaration: the shared runner parses the options, answers
// --help on standard output, and refuses unknown options, missing values and surplus arguments
// with the usage on standard error (status 2) before the handler runs.
struct CliCommand
{
    QString name;
    QString synopsis; // what follows "Usage: tessavrant-cli NAME "; may span lines
    QString description;
    QList<CliOption> options;
    QString argumentsHelp; // the positional arguments for --help, empty when there are none
    int maxArguments = 0; // -1: any number
    bool draws = false; // needs a GUI application object (fonts, painting)
    int (*handler)(const CliCall& call) = nullptr;

    QString usageText() const;
    QString helpText() const;
};

// Parses `args` (without the command name) for `command` and runs it; the process exit status.
int runCommand(const CliCommand& command, const QStringList& args);
