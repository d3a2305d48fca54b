#include "ui/controls/BackgroundWork.h"

#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include <exception>
#include <thread>

namespace quom {
namespace {

// Stays until the work is done: the windows it blocks must not take a command while the
// work reads what they show. Cancel, Esc and the close box only ask the work to stop.
class BusyWindow final : public QDialog {
public:
    BusyWindow(const QString& text, std::atomic<bool>& stop, QWidget* parent)
        : QDialog(parent)
        , stop_(stop)
        , label_(new QLabel(text, this))
        , buttons_(new QDialogButtonBox(QDialogButtonBox::Cancel, this))
    {
        setWindowTitle(QStringLiteral("Quom"));
        setModal(true);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(label_);
        auto* bar = new QProgressBar(this);
        bar->setRange(0, 0);
        layout->addWidget(bar);
        layout->addWidget(buttons_);
        connect(buttons_, &QDialogButtonBox::rejected, this, &BusyWindow::reject);
    }

    void reject() override
    {
        stop_.store(true, std::memory_order_relaxed);
        label_->setText(tr("Stopping..."));
        buttons_->setEnabled(false);
    }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        event->ignore();
        reject();
    }

private:
    std::atomic<bool>& stop_;
    QLabel* label_;
    QDialogButtonBox* buttons_;
};

} // namespace

bool runInBackground(
    QWidget* parent, const QString& text, const std::function<void(const std::atomic<bool>& stop)>& work)
{
    std::atomic<bool> stop{false};
    BusyWindow busy(text, stop, parent);
    busy.show();
    QEventLoop loop;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work(stop);
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
    return !stop.load(std::memory_order_relaxed);
}

} // namespace quom
