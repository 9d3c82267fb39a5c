// The bare loop: no stored series, no blocks, no threads.
#include "bare_loop.h"

#include <algorithm>
#include <cstdio>
#include <variant>
#include <vector>

#include "mechanisms/four_bar.h"
#include "numeric/constants.h"
#include "numeric/number_text.h"
#include "run/profiles.h"
#include "run/settings.h"

namespace bench {

bool WriteBareFourBar(const std::string& path, int divisions)
{
    const mechanisms::FourBarDimensions d{0.3, 0.4, 0.6, 0.68, 0, 0.1};
    const double cycleTime = sim::Settings{}.cycleTime;
    constexpr std::size_t kLine = 9 * (numeric::kMaxNumberChars + 1) + 2;
    std::vector<char> buffer((static_cast<std::size_t>(divisions) + 2) * kLine);
    static constexpr char kHeader[] = "sec\ttheta\tphi\tx\tdx\tddx\ty\tdy\tddy\r\n";
    char* p = std::copy(kHeader, kHeader + sizeof kHeader - 1, buffer.data());
    const double n = divisions;
    for (int i = 0; i <= divisions; ++i) {
        const sim::ProfileTriple s = sim::EvaluateProfile(sim::ProfileKind::Quintic, i / n);
        const auto posed =
            mechanisms::SolveFourBar(d, sim::DriveValue(0, numeric::kTwoPi, s, cycleTime));
        if (!posed)
            return false;
        const mechanisms::FourBarPose* pose = &posed.value();
        const numeric::PointKinematics& c = pose->couplerPoint;
        p = numeric::PutNumber(p, (cycleTime * i) / n);
        for (double v : {pose->crank.value, pose->rocker.value, c.x, c.vx, c.ax, c.y, c.vy, c.ay}) {
            *p++ = '\t';
            p = numeric::PutNumber(p, v);
        }
        *p++ = '\r';
        *p++ = '\n';
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const auto bytes = static_cast<std::size_t>(p - buffer.data());
    const bool written = std::fwrite(buffer.data(), 1, bytes, file) == bytes;
    return std::fclose(file) == 0 && written;
}

}
