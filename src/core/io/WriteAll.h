#pragma once

#include <cstddef>
#include <cstdint>

namespace quom {

// Writes every byte to the descriptor, resuming after short writes and signals.
bool writeAll(int fd, const std::uint8_t* data, std::size_t size);

} // namespace quom
