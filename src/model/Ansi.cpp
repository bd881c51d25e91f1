#include "model/Ansi.h"

#include <algorithm>

namespace
{
// Unicode of the codes 0x80 - 0x9F; the rest of the page equals Latin-1.
constexpr char16_t HighTable[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
} // namespace

namespace Ansi
{

unsigned char Code(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<unsigned char>(u);
    for (int i = 0; i < 32; ++i)
        if (HighTable[i] == u)
            return static_cast<unsigned char>(0x80 + i);
    return '?';
}

QChar Char(unsigned char code)
{
    if (code >= 0x80 && code < 0xA0)
        return QChar(HighTable[code - 0x80]);
    return QChar(static_cast<char16_t>(code));
}

QByteArray FromUnicode(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text)
        out.append(static_cast<char>(Code(c)));
    return out;
}

bool CanEncode(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == u'?' || Code(c) != '?'; });
}

QString Unencodable(const QString &text)
{
    QString out;
    for (int i = 0; i < text.size(); ++i) {
        // A character outside the basic plane is two QChars; keep the pair together.
        const int length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString c = text.mid(i, length);
        i += length - 1;
        if (!CanEncode(c) && !out.contains(c))
            out += c;
    }
    return out;
}

QString ToUnicode(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char b : bytes)
        out.append(Char(static_cast<unsigned char>(b)));
    return out;
}

} // namespace Ansi
