#include "comm/PanelProtocol.h"

#include "comm/DeviceData.h"
#include "comm/SerialLine.h"
#include "model/Ansi.h"
#include "model/modVantile.h"
#include "platform/Support.h"

bool PanelExchange::QXComPrg(const QByteArray &sCmd, int iRet, QString *error)
{
    for (int i = 0; i < 4; ++i)
        line_.ReadAll();
    line_.Send(sCmd);
    Support::StartStopwatch();
    while (line_.Waiting() < iRet) {
        const int elapsed = Support::ElapsedMilliseconds();
        if (elapsed >= AnswerLimitMs)
            break;
        // A lost line cannot answer any more: no point in waiting it out.
        if (!line_.WaitForInput(AnswerLimitMs - elapsed) && line_.Lost())
            break;
    }
    if (Support::ElapsedMilliseconds() >= AnswerLimitMs || line_.Waiting() < iRet) {
        if (error)
            *error = line_.Lost() ? QStringLiteral("the line to the panel was lost")
                                  : QStringLiteral("no complete answer within %1 ms").arg(AnswerLimitMs);
        return false;
    }
    ComReply = line_.ReadAll();
    return true;
}

DownloadResult SendConfiguration(modVantile &m, PanelExchange &exchange, const std::function<void(int)> &progress)
{
    ZAVBuild(m);
    const QByteArray stream = DeviceDataStream(m);
    for (int block = 0; block < DeviceData::BlockCount; ++block) {
        if (progress)
            progress(block);
        if (!exchange.QXComPrg(DeviceData::BlockFrame(stream, block), PanelExchange::BlockAnswerLength))
            return DownloadResult::CommFault;
    }
    const QByteArray checksum = DeviceData::ChecksumText(stream).toLatin1();
    if (!exchange.QXComPrg("[03]", PanelExchange::ChecksumAnswerLength))
        return DownloadResult::CommFault;
    if (exchange.ComReply.mid(1, 16) != checksum)
        return DownloadResult::ChecksumFault;
    return DownloadResult::Complete;
}

QString FirmwareRevisionText(const QByteArray &reply)
{
    return Ansi::ToUnicode(reply.mid(1, 18));
}

namespace CommMessages
{

using Icon = MessagePrompt::Icon;

Box InvalidPort(const QString &detail)
{
    QString text = QStringLiteral("Invalid COM Port.");
    if (!detail.isEmpty())
        text += QStringLiteral("\r\n") + detail;
    return {text, QStringLiteral("COM Error"), Icon::Exclamation};
}

Box CommFault()
{
    return {QStringLiteral("Comm Fault"), QStringLiteral("Fault"), Icon::Critical};
}

Box ChecksumFault()
{
    return {QStringLiteral("Download Failed.\r\nChecksum Fault.\r\nDevice Will NOT Function Properly."),
            QStringLiteral("Download Failure"), Icon::Critical};
}

Box DownloadComplete()
{
    return {QStringLiteral("Download Complete"), QStringLiteral("Downlaod"), Icon::None};
}

Box NotRequiredForZav()
{
    return {QStringLiteral("Download Not Required For ZAV Cmd Option"), QStringLiteral("Download Cancelled"),
            Icon::Information};
}

Box FirmwareRevision(const QString &revision)
{
    return {revision, QStringLiteral("Device Firmware Revision"), Icon::Information};
}

} // namespace CommMessages
