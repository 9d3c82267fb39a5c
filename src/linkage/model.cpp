// Checking a linkage and sorting its joints into an order in which each can be closed.
#include "linkage/model.h"

#include <algorithm>
#include <map>
#include <optional>
#include <utility>

#include "numeric/finite.h"
#include "numeric/number_text.h"

namespace linkage {

namespace {

using sim::Plain;
using sim::Refusal;

Refusal Fault(std::string key, const char* reason, std::vector<sim::PhrasePart> parts = {})
{
    return Refusal::OfBox(std::move(key), sim::Phrase{reason, std::move(parts)});
}

bool IsNameStart(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
}

// Letters, digits and '_' (bytes of non-ASCII letters too), not starting with a digit: a name
// that reads the same in a key, a column header and a link's name such as "A-B".
bool IsIdentifier(const std::string& name)
{
    return !name.empty() && IsNameStart(static_cast<unsigned char>(name[0]))
           && std::all_of(name.begin(), name.end(),
                          [](unsigned char c) { return IsNameStart(c) || (c >= '0' && c <= '9'); });
}

// Every number of the model with its key, for the finiteness check.
std::vector<std::pair<std::string, double>> NumbersOf(const Model& m)
{
    std::vector<std::pair<std::string, double>> numbers;
    for (const GroundPoint& g : m.ground)
        numbers.insert(numbers.end(), {{"ground." + g.name, g.at.x}, {"ground." + g.name, g.at.y}});
    const Drive& d = m.drive;
    numbers.insert(numbers.end(), {{"drive.length", d.length},
                                   {"drive.through", d.through.x},
                                   {"drive.through", d.through.y},
                                   {"drive.angle", d.angle},
                                   {"drive.start", d.start},
                                   {"drive.end", d.end}});
    for (const Joint& j : m.joints)
        numbers.insert(numbers.end(), {{JointKey(j, "lengths"), j.lengths[0]},
                                       {JointKey(j, "lengths"), j.lengths[1]},
                                       {JointKey(j, "along"), j.along},
                                       {JointKey(j, "across"), j.across},
                                       {JointKey(j, "length"), j.length},
                                       {JointKey(j, "through"), j.through.x},
                                       {JointKey(j, "through"), j.through.y},
                                       {JointKey(j, "angle"), j.angle}});
    return numbers;
}

// Every length that must be positive, with its key.
std::vector<std::pair<std::string, double>> LengthsOf(const Model& m)
{
    std::vector<std::pair<std::string, double>> lengths;
    if (m.drive.kind == DriveKind::Crank)
        lengths.emplace_back("drive.length", m.drive.length);
    for (const Joint& j : m.joints) {
        if (j.kind == JointKind::Dyad)
            for (const double l : j.lengths)
                lengths.emplace_back(JointKey(j, "lengths"), l);
        if (j.kind == JointKind::Slider)
            lengths.emplace_back(JointKey(j, "length"), j.length);
    }
    return lengths;
}

const char* FromKey(const Joint& j)
{
    return j.kind == JointKind::Point ? "on" : "from";
}

// The joints of a cycle among `waiting` (joints not yet sorted, each waiting for another), as
// "B → C → B".
std::string CycleText(const Model& m, const Layout& layout, const std::vector<bool>& waiting)
{
    const std::size_t g = layout.driven + 1;
    std::size_t at = std::find(waiting.begin(), waiting.end(), true) - waiting.begin();
    std::vector<std::size_t> path;
    // Following a waiting reference from a waiting joint must come back to a joint seen before.
    while (std::find(path.begin(), path.end(), at) == path.end()) {
        path.push_back(at);
        for (const std::size_t p : layout.from[at])
            if (p >= g && waiting[p - g]) {
                at = p - g;
                break;
            }
    }
    std::string text;
    for (auto k = std::find(path.begin(), path.end(), at); k != path.end(); ++k)
        text += m.joints[*k].name + " → ";
    return text + m.joints[at].name;
}

}

std::string JointKey(const Joint& joint, const char* key)
{
    return joint.name + "." + key;
}

sim::Refusable<Layout> CheckModel(const Model& m)
{
    // Names: identifiers, each used once.
    std::map<std::string, std::size_t, std::less<>> index;
    auto name = [&index](const std::string& key, const std::string& n) -> std::optional<Refusal> {
        if (!IsIdentifier(n))
            return Fault(key,
                         MECHSIM_TR_NOOP("core", "名前になりません: \"%1\"（英字か _ で始まる英数字"
                                                 "と _ の並びです）"),
                         {Plain(n)});
        if (!index.emplace(n, index.size()).second)
            return Fault(key, MECHSIM_TR_NOOP("core", "名前 \"%1\" が二度使われています"),
                         {Plain(n)});
        return std::nullopt;
    };
    for (const GroundPoint& g : m.ground)
        if (auto refused = name("ground." + g.name, g.name))
            return *std::move(refused);
    if (auto refused = name("drive.joint", m.drive.joint))
        return *std::move(refused);
    for (const Joint& j : m.joints)
        if (auto refused = name(JointKey(j, "name"), j.name))
            return *std::move(refused);

    for (const auto& [key, value] : NumbersOf(m))
        if (!numeric::IsFinite(value))
            return Fault(key, MECHSIM_TR_NOOP("core", "有限の数ではありません"));
    for (const auto& [key, value] : LengthsOf(m))
        if (!(value > 0))
            return Fault(key, MECHSIM_TR_NOOP("core", "長さは正の数です: %1"),
                         {Plain(numeric::FormatNumber(value))});

    Layout layout;
    layout.driven = m.ground.size();
    const std::size_t g = layout.driven + 1;
    auto pointOf = [&index](const std::string& key,
                            const std::string& n) -> sim::Refusable<std::size_t> {
        const auto found = index.find(n);
        if (found == index.end())
            return Fault(key, MECHSIM_TR_NOOP("core", "\"%1\" という点はありません"), {Plain(n)});
        return found->second;
    };
    if (m.drive.kind == DriveKind::Crank) {
        auto pivot = pointOf("drive.pivot", m.drive.pivot);
        if (!pivot)
            return std::move(pivot).error();
        if (pivot.value() >= layout.driven)
            return Fault(
                "drive.pivot",
                MECHSIM_TR_NOOP("core", "クランクの回転中心 \"%1\" が固定点ではありません"),
                {Plain(m.drive.pivot)});
        layout.pivot = pivot.value();
    }
    for (const Joint& j : m.joints) {
        const std::string key = JointKey(j, FromKey(j));
        std::array<std::size_t, 2> from{};
        for (std::size_t k = 0; k < (j.kind == JointKind::Slider ? 1u : 2u); ++k) {
            auto point = pointOf(key, j.from[k]);
            if (!point)
                return std::move(point).error();
            from[k] = point.value();
        }
        if (j.kind == JointKind::Slider)
            from[1] = from[0];
        else if (from[0] == from[1])
            return Fault(key, MECHSIM_TR_NOOP("core", "同じ点 \"%1\" を二度指しています"),
                         {Plain(j.from[0])});
        layout.from.push_back(from);
    }
    for (const std::string& n : m.trace) {
        auto point = pointOf("trace", n);
        if (!point)
            return std::move(point).error();
        if (point.value() < layout.driven)
            return Fault("trace", MECHSIM_TR_NOOP("core", "\"%1\" は固定点で、軌跡を描きません"),
                         {Plain(n)});
        layout.traced.push_back(point.value());
    }

    // Each pass takes, in file order, every joint whose points are all known.
    std::vector<bool> waiting(m.joints.size(), true);
    while (layout.order.size() < m.joints.size()) {
        const std::size_t before = layout.order.size();
        for (std::size_t k = 0; k < m.joints.size(); ++k) {
            const auto known = [&](std::size_t p) { return p < g || !waiting[p - g]; };
            if (waiting[k] && known(layout.from[k][0]) && known(layout.from[k][1])) {
                waiting[k] = false;
                layout.order.push_back(k);
            }
        }
        if (layout.order.size() == before)
            return Fault(CycleText(m, layout, waiting),
                         MECHSIM_TR_NOOP("core", "関節が互いを参照し合い、順に解けません"));
    }
    return layout;
}

}
