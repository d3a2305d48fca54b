#pragma once

#include <QAbstractButton>
#include <QString>

namespace quom {

// What the picture buttons share: a command id sent to the owner, and a help text that
// shows in the owner's status line while the pointer moves over the button.
class HelpTextButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit HelpTextButton(int commandId, QWidget* parent = nullptr);

    int commandId() const { return commandId_; }
    const QString& helpText() const { return helpText_; }
    void setHelpText(const QString& text) { helpText_ = text; }

signals:
    // The button's command for its owner.
    void command(int commandId);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    // A left-button release that sends no click: the press was dragged off the button.
    bool releaseCancelsClick(const QMouseEvent& event) const;

private:
    int commandId_;
    QString helpText_;
};

} // namespace quom
