#include "cli/clicommand.h"

#include <QCommandLineParser>
#include <cstdio>

namespace {

QString dashed(const QString& name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

// `text` broken into lines of at most `width` characters (longer words stand alone), every line
// after the first indented by `indent` spaces.
QString wrapped(const QString& text, int width, int indent)
{
    QString out;
    int lineLength = 0;
    for (const QString& word : text.split(QLatin1Char(' '), QString::SkipEmptyParts)) {
        if (lineLength > 0 && lineLength + 1 + word.size() > width) {
            out += QLatin1Char('\n') + QString(indent, QLatin1Char(' '));
            lineLength = 0;
        } else if (lineLength > 0) {
            out += QLatin1Char(' ');
            ++lineLength;
        }
        out += word;
        lineLength += word.size();
    }
    return out;
}

const int helpWidth = 100;

const CliOption helpOption { { "h", "help" }, QString(), QStringLiteral("Show this text.") };

// The usage problem of a command line the parser refused.
QString parseProblem(const QCommandLineParser& parser, const CliCommand& command, const QStringList& args)
{
    if (!parser.unknownOptionNames().isEmpty())
        return QStringLiteral("unknown option '%1'").arg(dashed(parser.unknownOptionNames().first()));
    // A value option as the last argument is the one error left that names no option itself.
    const QString last = args.isEmpty() ? QString() : args.last();
    for (const CliOption& option : command.options)
        for (const QString& name : option.names)
            if (!option.valueName.isEmpty() && last == dashed(name))
                return QStringLiteral("option %1 needs a value").arg(last);
    QString text = parser.errorText();
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text.isEmpty() ? text : text.left(1).toLower() + text.mid(1);
}

} // namespace

CliCall::CliCall(const CliCommand& command, const QCommandLineParser& parser, const QStringList& args)
    : m_command(command)
    , m_parser(parser)
    , m_args(args)
{ }

bool CliCall::isSet(const QString& option) const
{
    return m_parser.isSet(option);
}

QString CliCall::value(const QString& option, const QString& fallback) const
{
    const QStringList all = m_parser.values(option);
    return all.isEmpty() ? fallback : all.last();
}

QStringList CliCall::values(const QString& option) const
{
    return m_parser.values(option);
}

QStringList CliCall::arguments() const
{
    return m_parser.positionalArguments();
}

QString CliCall::lastGiven(const QStringList& options) const
{
    QString last;
    for (const QString& arg : m_args) {
        if (arg == QLatin1String("--"))
            break;
        for (const QString& option : options)
            if (arg == QLatin1String("--") + option || arg.startsWith(QLatin1String("--") + option + '='))
                last = option;
    }
    return last;
}

int CliCall::usage(const QString& problem) const
{
    note(problem);
    std::fputs(qPrintable(m_command.usageText()), stderr);
    return 2;
}

int CliCall::failure(const QString& reason) const
{
    note(reason);
    return 1;
}

void CliCall::note(const QString& text) const
{
    std::fprintf(stderr, "tessavrant-cli %s: %s\n", qPrintable(m_command.name), qPrintable(text));
}

QString CliCommand::usageText() const
{
    return QStringLiteral("Usage: tessavrant-cli %1 %2\n").arg(name, synopsis);
}

QString CliCommand::helpText() const
{
    QList<QPair<QString, QString>> rows;
    for (const CliOption& option : options + QList<CliOption> { helpOption }) {
        QStringList names;
        for (const QString& name : option.names)
            names << dashed(name);
        QString left = names.join(QStringLiteral(", "));
        if (!option.valueName.isEmpty())
            left += QLatin1Char(' ') + option.valueName;
        rows.append({ left, option.description });
    }
    int width = 0;
    for (const auto& row : rows)
        width = qMax(width, row.first.size());
    QString text
        = usageText() + QLatin1Char('\n') + wrapped(description, helpWidth, 0) + QStringLiteral("\n\n");
    if (!argumentsHelp.isEmpty())
        text += wrapped(argumentsHelp, helpWidth, 2) + QStringLiteral("\n\n");
    text += QStringLiteral("Options:\n");
    for (const auto& row : rows)
        text += QStringLiteral("  %1  %2\n")
                    .arg(row.first, -width)
                    .arg(wrapped(row.second, qMax(40, helpWidth - width - 4), width + 4));
    return text;
}

int runCommand(const CliCommand& command, const QStringList& args)
{
    QCommandLineParser parser;
    for (const CliOption& option : command.options + QList<CliOption> { helpOption })
        parser.addOption(QCommandLineOption(option.names, option.description, option.valueName));
    const CliCall call(command, parser, args);
    // QCommandLineParser::parse reads the first entry as the program name.
    if (!parser.parse(QStringList { QStringLiteral("tessavrant-cli") } + args))
        return call.usage(parseProblem(parser, command, args));
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(command.helpText().toUtf8().constData(), stdout);
        return 0;
    }
    const QStringList positional = parser.positionalArguments();
    if (command.maxArguments >= 0 && positional.size() > command.maxArguments)
        return call.usage(
            QStringLiteral("unexpected argument '%1'").arg(positional.at(command.maxArguments)));
    return command.handler(call);
}
