#pragma once

#include "platform/Prompts.h"

#include <QByteArray>
#include <QStringList>

#include <cstdio>

class QCommandLineParser;
class modVantile;
namespace Files
{
class InputScope;
}

// Verbs of the command-line tool "quellix". Each takes the arguments after
// its own name, prints to stdout / stderr and returns one of the exit codes
// below. A new verb is a file cli_<verb>.cpp with its Run<Verb>Command and
// one line in the verb table of quellix_cli.cpp.
int RunRenderCommand(const QStringList &args);
int RunDownloadCommand(const QStringList &args);
int RunFirmwareCommand(const QStringList &args);
int RunSdImageCommand(const QStringList &args);
int RunSdVerifyCommand(const QStringList &args);
int RunTryCommand(const QStringList &args);
// Any picture made into a screen's background BMP.
int RunPictureCommand(const QStringList &args);

// The project check, the function map and the hand-over report.
int RunCheckCommand(const QStringList &args);
int RunMapCommand(const QStringList &args);
int RunReportCommand(const QStringList &args);

// Exit codes, one set for every verb ("quellix --help" and README list them).
constexpr int ExitOk = 0;
constexpr int ExitDifferent = 1;     // done, with differences found or parts skipped
constexpr int ExitFailed = 2;        // the project cannot be read, or the result cannot be made or written
constexpr int ExitInvalidPort = 3;   // "Invalid COM Port."
constexpr int ExitCommFault = 4;     // "Comm Fault"
constexpr int ExitChecksumFault = 5; // "Download Failed." (the panel's checksum differs)
constexpr int ExitNotRequired = 6;   // "Download Not Required For ZAV Cmd Option"
constexpr int ExitUsage = 64;        // a wrong command line
// The table above for the usage texts.
extern const char *const ExitCodeHelp;

// The verbs' one stand-in for message boxes: each box is one line on
// standard error, "quellix VERB: TITLE: text". Nobody is there to answer, so
// a question gets the answer that changes nothing (No, or Cancel).
class CliPrompt : public MessagePrompt
{
public:
    explicit CliPrompt(const char *verb) : verb_(verb) {}
    using MessagePrompt::Show;
    Answer Show(const QString &text, const QString &title, Icon icon, Buttons buttons) override;

private:
    QByteArray verb_;
};

// Parses a verb's arguments with "-h" / "--help" added. Returns -1 when the
// verb goes on; otherwise the exit code to return at once: 0 after the usage
// was printed for --help, ExitUsage after an error and the usage.
int ParseArguments(QCommandLineParser &parser, const char *verb, const QStringList &args, const char *usage);
// "quellix VERB: message", a blank line and the usage on stderr; ExitUsage.
int UsageError(const char *verb, const QString &message, const char *usage);

// The one project file among the positional arguments. Returns -1 to go on,
// else ExitUsage after the message and the usage.
int ProjectArgument(const QCommandLineParser &parser, const char *verb, const char *usage, QString *project);

// Text for the terminal: one line, printable characters only. Line breaks
// become ": ", anything else that is no printable character "?".
QString OneLine(const QString &text);
// "quellix VERB: SUBJECT: reason" on standard error, as one line.
void PrintFailure(const char *verb, const QString &subject, const QString &reason);

// What this run reads and so must never write over: the project, its
// pictures as they were found, a script (see Files::InputScope).
Files::InputScope &RunInputs();
// Loads the project named on the command line and adds it and its pictures
// to the run's inputs. On failure says why ("quellix VERB: FILE: reason")
// and returns false.
bool LoadProject(const char *verb, const QString &path, modVantile &m);
