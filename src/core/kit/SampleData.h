#pragma once

#include <cstddef>
#include <memory>
#include <vector>

// A slot's sample: mono floats that never change once made; a new sample replaces the
// whole buffer. Copies share the buffer, so copying a kit (to publish an edit of one
// flag) copies no samples, and a buffer lives as long as the last kit holding it. The
// engine frees the kits it played on the window thread, once no block can read them,
// so the audio thread never reads a freed sample and never frees one.
namespace quom {

class SampleData {
public:
    SampleData() = default;
    SampleData(std::vector<float> samples)
        : samples_(samples.empty() ? nullptr : std::make_shared<const std::vector<float>>(std::move(samples)))
    {
    }

    std::size_t size() const noexcept { return samples_ ? samples_->size() : 0; }
    bool empty() const noexcept { return size() == 0; }
    // Null when empty.
    const float* data() const noexcept { return samples_ ? samples_->data() : nullptr; }
    float operator[](std::size_t i) const noexcept { return (*samples_)[i]; }
    const std::vector<float>& values() const noexcept;

    void clear() noexcept { samples_.reset(); }
    // Whether both hold the very same buffer.
    bool shares(const SampleData& other) const noexcept { return samples_ == other.samples_; }

private:
    std::shared_ptr<const std::vector<float>> samples_;
};

inline const std::vector<float>& SampleData::values() const noexcept
{
    static const std::vector<float> kNone;
    return samples_ ? *samples_ : kNone;
}

} // namespace quom
