#include "commtests.h"

#include <thread>

namespace
{

class ThreadPanel : public CommTests::SimulatedPanel::Player
{
public:
    explicit ThreadPanel(const PanelSimulator::Options &options) : sim_(options) {}
    ~ThreadPanel() override
    {
        if (thread_.joinable()) {
            sim_.Stop();
            thread_.join();
        }
    }
    bool Start(QString *why)
    {
        if (!sim_.CreatePseudoTerminal(why))
            return false;
        thread_ = std::thread([this] { sim_.Run(); });
        return true;
    }
    QString path() const override { return sim_.LinePath(); }
    bool Inject(const QByteArray &data) override { return sim_.Inject(data); }
    QByteArray Received() override { return sim_.Received(); }
    CommTests::SimulatedPanel::Counts counts() override
    {
        return {sim_.BlocksReceived(), sim_.MalformedFrames(), sim_.ChecksumQueries(), sim_.FirmwareQueries()};
    }

private:
    PanelSimulator sim_;
    std::thread thread_;
};

} // namespace

namespace CommTests
{

std::unique_ptr<SimulatedPanel::Player> LocalPanel(const PanelSimulator::Options &options, QString *why)
{
    auto panel = std::make_unique<ThreadPanel>(options);
    if (!panel->Start(why))
        return nullptr;
    return panel;
}

} // namespace CommTests
