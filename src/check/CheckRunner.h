#pragma once

#include "check/FunctionMap.h"
#include "check/ProjectCheck.h"

#include <QObject>

#include <memory>
#include <vector>

class modVantile;
class QThread;

namespace Check
{

// The check and the function map worked out on a thread of their own, so
// that the window asking for them stays responsive: reading every background
// picture of a large project takes a while. The thread works on a copy of
// the project taken at Start; Done comes on the owner's thread.
class Runner : public QObject
{
    Q_OBJECT
public:
    struct Result {
        std::vector<Finding> findings;
        std::vector<MapRow> map;
    };

    explicit Runner(QObject *parent = nullptr);
    ~Runner() override; // waits for the check still running

    // Checks the project as it is now. Started again while a check runs, the
    // running one is finished and dropped, and the new one follows it: Done
    // comes once, with the project as it was at the last Start.
    void Start(const modVantile &m);
    bool Running() const { return thread_ != nullptr; }
    const Result &Last() const { return last_; }

signals:
    void Done();

private:
    void startNext();

    QThread *thread_ = nullptr;
    std::shared_ptr<const modVantile> next_; // the project of a Start still to run
    Result last_;
};

} // namespace Check
