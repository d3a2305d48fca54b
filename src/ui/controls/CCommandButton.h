#pragma once

#include "ui/controls/ButtonPictures.h"
#include "ui/controls/HelpTextButton.h"

#include <QPixmap>

namespace quom {

// A 32 x 30 picture button for the commands of the main window and the kit editor.
// Push and toggle buttons send their command when released over them; a tool button sends
// it at the press and nothing on release. Tool and toggle buttons show the pressed picture
// while their state is on, which only the owner turns off again; a press dragged off the
// button puts back the state it had.
class CCommandButton : public HelpTextButton {
    Q_OBJECT
public:
    enum Kind { Push = 0, Tool = 1, Toggle = 2 };
    static constexpr QSize kSize{32, 30};

    explicit CCommandButton(int commandId, QWidget* parent = nullptr);

    void setUp(QPoint position, const PicturePair& pictures, const QString& helpText, Kind kind);

    void setState(bool on);
    bool state() const { return state_; }
    Kind kind() const { return kind_; }

    QSize sizeHint() const override { return kSize; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    PicturePair pictures_;
    bool state_ = false;
    bool stateBeforePress_ = false;
    Kind kind_ = Push;
};

// The command button with that id among parent's children, or null.
CCommandButton* findCommandButton(const QWidget& parent, int commandId);

} // namespace quom
