#pragma once

#include <QStringList>

#include <cstdio>

// Subcommands of the command-line tool "quellix". Each takes the arguments
// after its own name, prints to stdout / stderr and returns the exit code.
int RunRenderCommand(const QStringList &args);
int RunDownloadCommand(const QStringList &args);
int RunFirmwareCommand(const QStringList &args);
int RunSdImageCommand(const QStringList &args);
int RunSdVerifyCommand(const QStringList &args);
int RunTryCommand(const QStringList &args);

// The project check, the function map and the hand-over report.
int RunCheckCommand(const QStringList &args);
int RunMapCommand(const QStringList &args);
int RunReportCommand(const QStringList &args);

// Exit code for a wrong command line.
constexpr int ExitUsage = 64;
