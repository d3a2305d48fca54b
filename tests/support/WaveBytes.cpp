#include "support/WaveBytes.h"

namespace wavebytes {

void put16(Bytes& b, std::uint16_t v)
{
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(Bytes& b, std::uint32_t v)
{
    put16(b, static_cast<std::uint16_t>(v & 0xFFFF));
    put16(b, static_cast<std::uint16_t>(v >> 16));
}

Bytes riffWave(const std::vector<Chunk>& chunks, std::optional<std::uint32_t> riffSize)
{
    Bytes body{'W', 'A', 'V', 'E'};
    for (const auto& c : chunks) {
        body.insert(body.end(), c.id.begin(), c.id.end());
        put32(body, c.claimedSize.value_or(static_cast<std::uint32_t>(c.body.size())));
        body.insert(body.end(), c.body.begin(), c.body.end());
        if (c.body.size() % 2 != 0)
            body.push_back(0);
    }
    Bytes file{'R', 'I', 'F', 'F'};
    put32(file, riffSize.value_or(static_cast<std::uint32_t>(body.size())));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

Chunk fmtChunk(std::uint16_t channels, std::uint16_t bits, std::uint16_t tag, std::uint32_t rate)
{
    Chunk c{"fmt ", {}, {}};
    const std::uint16_t blockAlign = static_cast<std::uint16_t>(channels * bits / 8);
    put16(c.body, tag);
    put16(c.body, channels);
    put32(c.body, rate);
    put32(c.body, rate * blockAlign);
    put16(c.body, blockAlign);
    put16(c.body, bits);
    return c;
}

Chunk dataChunk(Bytes body, std::optional<std::uint32_t> claimedSize)
{
    return Chunk{"data", std::move(body), claimedSize};
}

Chunk smplChunk(std::uint32_t unityNote)
{
    Chunk c{"smpl", {}, {}};
    put32(c.body, 0); // manufacturer
    put32(c.body, 0); // product
    put32(c.body, 22675); // sample period
    put32(c.body, unityNote);
    put32(c.body, 0); // pitch fraction
    put32(c.body, 0); // SMPTE format
    put32(c.body, 0); // SMPTE offset
    put32(c.body, 0); // loop count
    put32(c.body, 0); // sampler data
    return c;
}

Bytes pcm16(const std::vector<std::int16_t>& samples)
{
    Bytes b;
    for (const auto s : samples)
        put16(b, static_cast<std::uint16_t>(s));
    return b;
}

Bytes mono16(const std::vector<std::int16_t>& samples)
{
    return riffWave({fmtChunk(1, 16), dataChunk(pcm16(samples))});
}

} // namespace wavebytes
