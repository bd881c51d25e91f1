#pragma once

#include <QString>

class QCommandLineParser;

// The program's version, as every program of the project tells it.
namespace Version
{

QString Number(); // "1.0"
// "ZAV Quellix Touch 1.0": the answer of every program to --version.
QString Text();
// How this program was built: Qt, compiler, build type.
QString Build();

// --version for a program that reads its command line with a parser: adds
// the option, and after parsing prints Text() and returns true when it was
// given (the program then ends with success).
void AddOption(QCommandLineParser &parser);
bool Answered(const QCommandLineParser &parser);
// The same for a program that reads its arguments itself.
bool IsVersionArgument(const QString &argument);
void Print();

} // namespace Version
