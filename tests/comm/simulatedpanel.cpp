#include "commtests.h"

#include "platform/SerialPort.h"

#include <QElapsedTimer>

namespace CommTests
{

namespace
{

// The control line to the simulator's harness, one for the test program.
class HarnessLine
{
public:
    static HarnessLine &Get()
    {
        static HarnessLine line;
        return line;
    }

    // The words after "ok" of the answer; false with the reason.
    bool Ask(const QStringList &request, QByteArrayList *answer, QString *why)
    {
        const QString name = qEnvironmentVariable("QUELLIX_PANEL_HARNESS");
        bool refused = false;
        if (!port_.IsOpen() && !port_.Open(name, &refused)) {
            *why = QStringLiteral("cannot open the harness's control line %1").arg(name);
            return false;
        }
        QByteArrayList words;
        for (const QString &word : request)
            words << word.toUtf8().toPercentEncoding();
        port_.Write(words.join(' ') + '\n');
        QElapsedTimer timer;
        timer.start();
        while (!input_.contains('\n')) {
            if (timer.hasExpired(10000) || port_.TakeFailure()) {
                *why = QStringLiteral("the harness did not answer '%1'").arg(request.join(QLatin1Char(' ')));
                return false;
            }
            if (port_.WaitForReadyRead(100))
                input_ += port_.ReadAll();
        }
        const qsizetype end = input_.indexOf('\n');
        *answer = input_.left(end).split(' ');
        input_.remove(0, end + 1);
        const QByteArray status = answer->takeFirst();
        for (QByteArray &word : *answer)
            word = QByteArray::fromPercentEncoding(word);
        if (status == "ok")
            return true;
        *why = QStringLiteral("the harness refused '%1': %2")
                   .arg(request.join(QLatin1Char(' ')), QString::fromUtf8(answer->join(' ')));
        return false;
    }

private:
    SerialPort port_;
    QByteArray input_;
};

// A panel the harness plays.
class HarnessPanel : public SimulatedPanel::Player
{
public:
    ~HarnessPanel() override
    {
        if (!id_.isEmpty())
            ask({QStringLiteral("close"), id_});
    }

    bool Start(const PanelSimulator::Options &o, QString *why)
    {
        // The options as the simulator's command line spells them (a file to
        // save to would be the harness's, and is not asked for here).
        QStringList request{QStringLiteral("open"),
                            QStringLiteral("--fault"),
                            PanelSimulator::FaultName(o.fault),
                            QStringLiteral("--at"),
                            PanelSimulator::TargetName(o.faultAt),
                            QStringLiteral("--late-ms"),
                            QString::number(o.lateMs),
                            QStringLiteral("--baud"),
                            QString::number(o.baud),
                            QStringLiteral("--firmware"),
                            QString::fromLatin1(o.firmware)};
        if (o.once)
            request << QStringLiteral("--once");
        QByteArrayList answer;
        if (!HarnessLine::Get().Ask(request, &answer, why) || answer.size() != 2)
            return false;
        id_ = QString::fromLatin1(answer[0]);
        path_ = QString::fromUtf8(answer[1]);
        return true;
    }
    QString path() const override { return path_; }
    bool Inject(const QByteArray &data) override
    {
        return ask({QStringLiteral("inject"), id_, QString::fromLatin1(data.toHex())});
    }
    QByteArray Received() override
    {
        return ask({QStringLiteral("received"), id_}) ? QByteArray::fromHex(answer_.value(0)) : QByteArray();
    }
    SimulatedPanel::Counts counts() override
    {
        if (!ask({QStringLiteral("counts"), id_}) || answer_.size() < 4)
            return {-1, -1, -1, -1};
        return {answer_[0].toInt(), answer_[1].toInt(), answer_[2].toInt(), answer_[3].toInt()};
    }

private:
    bool ask(const QStringList &request)
    {
        QString why;
        if (HarnessLine::Get().Ask(request, &answer_, &why))
            return true;
        qWarning("%s", qPrintable(why));
        return false;
    }

    QString id_, path_;
    QByteArrayList answer_;
};

} // namespace

SimulatedPanel::SimulatedPanel(const PanelSimulator::Options &options)
{
    QString why;
    if (NullModemCable::Available()) {
        auto panel = std::make_unique<HarnessPanel>();
        if (panel->Start(options, &why))
            player_ = std::move(panel);
    } else {
        player_ = LocalPanel(options, &why);
    }
    if (!player_)
        qWarning("%s", qPrintable(why));
}

SimulatedPanel::~SimulatedPanel() = default;

NullModemCable::NullModemCable()
{
    QByteArrayList answer;
    QString why;
    if (HarnessLine::Get().Ask({QStringLiteral("bridge")}, &answer, &why) && answer.size() == 3) {
        id_ = QString::fromLatin1(answer[0]);
        ends_[0] = QString::fromUtf8(answer[1]);
        ends_[1] = QString::fromUtf8(answer[2]);
    } else {
        qWarning("%s", qPrintable(why));
    }
}

NullModemCable::~NullModemCable()
{
    QByteArrayList answer;
    QString why;
    if (ok() && !HarnessLine::Get().Ask({QStringLiteral("close"), id_}, &answer, &why))
        qWarning("%s", qPrintable(why));
}

} // namespace CommTests
