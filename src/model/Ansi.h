#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

// Text in the image and in the files is kept as 8-bit Windows-1252 codes.
namespace Ansi
{

// The Windows-1252 code of a character; '?' for characters outside the code page.
unsigned char Code(QChar c);
// The character of a Windows-1252 code (undefined codes map to the same
// control character, as Windows does).
QChar Char(unsigned char code);

QByteArray FromUnicode(const QString &text);
// True when FromUnicode keeps every character: none of them becomes '?'.
bool CanEncode(const QString &text);
// The characters of the text that have no Windows-1252 code, each once.
QString Unencodable(const QString &text);
QString ToUnicode(const QByteArray &bytes);

} // namespace Ansi
