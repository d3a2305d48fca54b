#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace quom {

// Runs work on a thread of its own while a modal busy window over parent says text, so
// the windows keep drawing through a long export and take no command meanwhile. Returns
// once work has ended, throwing here what it threw. work touches no widget, project or
// transport. Window thread.
void runInBackground(QWidget* parent, const QString& text, const std::function<void()>& work);

} // namespace quom
