#include "check/CheckRunner.h"

#include "model/modVantile.h"
#include "render/RenderFont.h"

#include <QThread>

namespace Check
{

Runner::Runner(QObject *parent) : QObject(parent) {}

Runner::~Runner()
{
    if (thread_) {
        thread_->wait();
        delete thread_;
    }
}

void Runner::Start(const modVantile &m)
{
    next_ = std::make_shared<const modVantile>(m);
    if (!thread_)
        startNext();
}

void Runner::startNext()
{
    // The check measures texts with the renderer's fonts: they are loaded
    // here, on the owner's thread, before another thread asks for them.
    RenderFontFamily();
    const std::shared_ptr<const modVantile> project = std::move(next_);
    const auto result = std::make_shared<Result>();
    // Nothing the check runs may match a QRegularExpression: one matched on
    // this thread made the Windows build hang when the program exited.
    thread_ = QThread::create([project, result] {
        result->findings = ProjectCheck(*project);
        result->map = FunctionMap(*project, result->findings);
    });
    connect(thread_, &QThread::finished, this, [this, result] {
        thread_->wait();
        thread_->deleteLater();
        thread_ = nullptr;
        if (next_) { // the project was checked again meanwhile: this result is old
            startNext();
            return;
        }
        last_ = std::move(*result);
        emit Done();
    });
    thread_->start();
}

} // namespace Check
