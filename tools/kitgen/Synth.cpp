#include "Synth.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace kitgen {

void normalize(Signal& s, double peak) {
    const size_t fade = std::min(s.size(), framesFor(0.005));
    for (size_t i = 0; i < fade; ++i)
        s[s.size() - 1 - i] *= static_cast<double>(i) / static_cast<double>(fade);
    double maxAbs = 0;
    for (double v : s)
        maxAbs = std::max(maxAbs, std::abs(v));
    if (maxAbs > 0)
        for (double& v : s)
            v *= peak / maxAbs;
}

namespace {

void put16(std::ofstream& out, uint16_t v) {
    const char b[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
    out.write(b, 2);
}

void put32(std::ofstream& out, uint32_t v) {
    put16(out, static_cast<uint16_t>(v & 0xFFFF));
    put16(out, static_cast<uint16_t>(v >> 16));
}

} // namespace

void writeWav(const std::string& path, const Signal& s) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        throw std::runtime_error("Cannot create file \"" + path + "\".");
    const auto dataBytes = static_cast<uint32_t>(s.size() * 2);
    out.write("RIFF", 4);
    put32(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, 44100);
    put32(out, 44100 * 2);
    put16(out, 2);
    put16(out, 16);
    out.write("data", 4);
    put32(out, dataBytes);
    for (double v : s) {
        const double clamped = std::clamp(v, -1.0, 1.0);
        put16(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(clamped * 32767.0))));
    }
    if (!out)
        throw std::runtime_error("Cannot write file \"" + path + "\".");
}

} // namespace kitgen
