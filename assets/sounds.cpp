// The sound effects under wave\: effect n is "n.wav", 16-bit mono PCM.  Effect 105 is the soft
// low knock heard when there is nothing left to undo.
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "assets/assets.h"

namespace assets {
namespace {

constexpr int kRate = 22050;

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

bool WriteWave(const std::string& dir, const char* name, const std::vector<int16_t>& samples)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(fs::path(dir) / "wave", ec);
    std::vector<uint8_t> out;
    const uint32_t data = static_cast<uint32_t>(samples.size() * 2);
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    Put32(out, 36 + data);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    Put32(out, 16);
    Put16(out, 1);          // PCM
    Put16(out, 1);          // mono
    Put32(out, kRate);
    Put32(out, kRate * 2);  // bytes per second
    Put16(out, 2);          // bytes per frame
    Put16(out, 16);         // bits
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    Put32(out, data);
    for (int16_t s : samples)
        Put16(out, static_cast<uint16_t>(s));
    std::ofstream f(fs::path(dir) / "wave" / name, std::ios::binary);
    f.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(f);
}

// Two falling partials under a quick decay, softened at the start so it does not click.
std::vector<int16_t> Knock()
{
    const int n = kRate * 14 / 100;
    std::vector<int16_t> s(static_cast<size_t>(n));
    double phase1 = 0, phase2 = 0;
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double f = 520.0 - 900.0 * t;
        phase1 += 2 * 3.141592653589793 * f / kRate;
        phase2 += 2 * 3.141592653589793 * f * 1.5 / kRate;
        const double attack = std::min(1.0, t / 0.004);
        const double envelope = attack * std::exp(-t * 28.0);
        const double v = (0.75 * std::sin(phase1) + 0.25 * std::sin(phase2)) * envelope;
        s[static_cast<size_t>(i)] = static_cast<int16_t>(std::lround(v * 0.5 * 32767));
    }
    return s;
}

}  // namespace

bool WriteSounds(const std::string& programDir) { return WriteWave(programDir, "105.wav", Knock()); }

}  // namespace assets
