#include "app/command_line.h"

#include "platform/version.h"

#include <cstdio>

namespace vornel {

namespace {

constexpr int kUsageError = 2;

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    CommandLine line;
    qsizetype first = 1;
    for (; first < arguments.size(); ++first) {
        const QString &word = arguments[first];
        // A lone "-" is a name, as in most programs.
        if (!word.startsWith(QLatin1Char('-')) || word == QLatin1String("-"))
            break;
        if (word == QLatin1String("--")) {
            ++first;
            break;
        }
        if (word == QLatin1String("-h") || word == QLatin1String("--help")) {
            line.action = CommandLine::Action::ShowHelp;
        } else if (word == QLatin1String("-v") || word == QLatin1String("--version")) {
            line.action = CommandLine::Action::ShowVersion;
        } else {
            line.action = CommandLine::Action::Fail;
            line.error = QStringLiteral("vornel: unknown option '%1' (try 'vornel --help')").arg(word);
        }
        return line;
    }
    line.path = arguments.mid(first).join(QLatin1Char(' '));
    return line;
}

QString helpText()
{
    return QStringLiteral(
        "Usage: vornel [OPTION]... [--] [FILE]\n"
        "Edit the HTML source of web pages.\n"
        "\n"
        "Opens FILE as a document in a new Vornel window. Without FILE, a Vornel that is\n"
        "already running is brought to the front instead.\n"
        "\n"
        "  -h, --help     print this help and exit\n"
        "  -v, --version  print the version and exit\n"
        "  --             end of options: FILE may start with \"-\"\n"
        "\n"
        "The words after the options make up FILE, joined by single blanks.\n");
}

QString versionLine()
{
    return QStringLiteral("Vornel ") + kVersion + QLatin1Char('\n');
}

int answerWithoutWindow(const CommandLine &line)
{
    switch (line.action) {
    case CommandLine::Action::ShowHelp: print(stdout, helpText()); return 0;
    case CommandLine::Action::ShowVersion: print(stdout, versionLine()); return 0;
    case CommandLine::Action::Fail: print(stderr, line.error + QLatin1Char('\n')); return kUsageError;
    case CommandLine::Action::Run: break;
    }
    return 0;
}

} // namespace vornel
