#pragma once

#include <QDialog>
#include <QString>

// The small window with the program's name and version, and a link that opens the
// folder holding Quom's working folders.
namespace quom {

class AboutDlg : public QDialog {
    Q_OBJECT

public:
    AboutDlg(const QString& applicationFolder, QWidget* parent = nullptr);
};

} // namespace quom
