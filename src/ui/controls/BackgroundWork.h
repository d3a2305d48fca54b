#pragma once

#include <QString>

#include <atomic>
#include <functional>

class QWidget;

namespace quom {

// Runs work on a thread of its own while a modal busy window over parent says text, so
// the windows keep drawing through a long export and take no command meanwhile. Its
// Cancel sets the flag work is given, which work checks now and then. Returns once
// work has ended, throwing here what it threw: true unless Cancel was pressed (work
// may have finished all the same). work touches no widget, project or transport.
// Window thread.
bool runInBackground(
    QWidget* parent, const QString& text, const std::function<void(const std::atomic<bool>& stop)>& work);

} // namespace quom
