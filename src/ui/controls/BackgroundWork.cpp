#include "ui/controls/BackgroundWork.h"

#include "ui/controls/WaitCursor.h"

#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include <exception>
#include <thread>

namespace quom {
namespace {

// Stays until the work is done: neither Esc nor the close box takes it away, since the
// windows it blocks must not take a command while the work reads what they show.
class BusyWindow final : public QDialog {
public:
    BusyWindow(const QString& text, QWidget* parent)
        : QDialog(parent)
    {
        setWindowTitle(QStringLiteral("Quom"));
        setModal(true);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(text, this));
        auto* bar = new QProgressBar(this);
        bar->setRange(0, 0);
        layout->addWidget(bar);
    }

    void reject() override { }

protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

} // namespace

void runInBackground(QWidget* parent, const QString& text, const std::function<void()>& work)
{
    const WaitCursor wait;
    BusyWindow busy(text, parent);
    busy.show();
    QEventLoop loop;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace quom
