#pragma once

#include <QString>

// Plays panels for a test program that cannot create pseudo-terminals itself
// (a Windows one under Wine). Requests come as lines on a control line, words
// percent-encoded; each answer is one line, "ok ..." or "error TEXT":
//   open OPTION...     ok ID LINE   a panel of its own, options as on the command line
//   counts ID          ok BLOCKS MALFORMED CHECKSUM-QUERIES FIRMWARE-QUERIES DROPPED
//   received ID        ok HEX       the 16 512 bytes received
//   inject ID HEX      ok           raw characters towards the program
//   bridge             ok ID LINE LINE  two lines joined like a null-modem cable
//   close ID           ok           ends a panel or a cable
// With a links folder (Wine's dosdevices) the lines are named as COM ports
// there: the control line COM9, the others from COM10 on.
// Prints the control line's name on the first line of its output and serves
// until StopHarness(); false with the reason when it cannot start (Windows
// has no pseudo-terminals).
bool ServeHarness(const QString &linksFolder, QString *error);
// Safe in a signal handler.
void StopHarness();
