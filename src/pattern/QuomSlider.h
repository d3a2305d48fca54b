#pragma once

#include "audio/Tempo.h"
#include "controls/GUIslider.h"

#include <atomic>
#include <functional>

class QLabel;

// A slider of the main window (tempo, volume): shows its value as "%d" in its label
// and hands the whole number to the window. The tempo slider is where the engine and
// the pattern model read the tempo, from any thread, through TempoSource.
namespace quom {

class QuomSlider : public GUIslider, public TempoSource {
public:
    QuomSlider(QLabel& valueLabel, QWidget* parent = nullptr);

    // Called after every change with the value truncated to an integer.
    void setReaction(std::function<void(int)> reaction) { reaction_ = std::move(reaction); }

    // The value truncated; safe on the audio thread.
    int tempo() const noexcept override { return truncated_.load(std::memory_order_relaxed); }

protected:
    void valueChanged(double v) override;

private:
    QLabel& label_;
    std::function<void(int)> reaction_;
    std::atomic<int> truncated_{0};
};

} // namespace quom
