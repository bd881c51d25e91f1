#pragma once

#include "platform/Prompts.h"

#include <QByteArray>
#include <QString>

#include <functional>

class modVantile;
class SerialLine;

// The command-and-answer exchange with the panel and the download built on it.
class PanelExchange
{
public:
    static constexpr int AnswerLimitMs = 2000;
    static constexpr int BlockAnswerLength = 4;
    static constexpr int ChecksumAnswerLength = 18;
    static constexpr int FirmwareAnswerLength = 20;

    explicit PanelExchange(SerialLine &line) : line_(line) {}

    // Flushes stale input, sends sCmd and waits up to 2000 ms for iRet
    // characters. True when they came: ComReply then holds everything
    // received. Otherwise (a comm fault) false with the reason in *error, and
    // ComReply keeps its old value.
    bool QXComPrg(const QByteArray &sCmd, int iRet, QString *error = nullptr);

    QByteArray ComReply;

private:
    SerialLine &line_;
};

enum class DownloadResult { Complete, CommFault, ChecksumFault };

// Runs ZAVBuild, sends the 258 block frames and compares the panel's checksum.
// progress(i) is called before block i is sent. The line must be open; it is
// left open for the caller's ending.
DownloadResult SendConfiguration(modVantile &m, PanelExchange &exchange, const std::function<void(int)> &progress);

// Characters 2 to 19 of a firmware answer.
QString FirmwareRevisionText(const QByteArray &reply);

// The boxes of the download and the firmware query.
namespace CommMessages
{

struct Box {
    QString text;
    QString title;
    MessagePrompt::Icon icon;
};

// `detail`, when given, is a second line saying why (see SerialLine::Open).
Box InvalidPort(const QString &detail = {});
Box CommFault();
Box ChecksumFault();
Box DownloadComplete();
Box NotRequiredForZav();
Box FirmwareRevision(const QString &revision);

inline MessagePrompt::Answer Show(MessagePrompt &messages, const Box &box)
{
    return messages.Show(box.text, box.title, box.icon);
}

} // namespace CommMessages
