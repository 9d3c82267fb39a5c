// Reading a .mechsim file with toml++: every key known, every value of its type, every number
// finite; a linkage's model checked as a whole. Writing one back in the same form.
#include "setup_files/mechsim_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <span>
#include <toml++/toml.h>

#include "linkage/linkage_mechanism.h"
#include "mechanisms/catalog.h"
#include "numeric/angle.h"
#include "numeric/number_text.h"
#include "run/settings.h"

namespace setup_files {

namespace {

using sim::Plain;

// What is wrong and at which key; thrown within the reader only and turned into its refusal.
struct Fault {
    std::string key;
    sim::Phrase reason;
};

[[noreturn]] void Refuse(std::string key, const char* reason,
                         std::vector<sim::PhrasePart> parts = {})
{
    throw Fault{std::move(key), {reason, std::move(parts)}};
}

constexpr const char* kProfileNames[] = {"quintic", "cubic", "linear"};

// A table of the file read key by key: a key it does not expect is refused before any value.
class Keys {
public:
    Keys(const toml::table& table, std::string where, std::initializer_list<std::string_view> known)
        : Keys(table, std::move(where), std::span(known.begin(), known.size()))
    {
    }
    Keys(const toml::table& table, std::string where, std::span<const std::string_view> known)
        : table_(table), where_(std::move(where))
    {
        for (auto&& [key, node] : table)
            if (std::find(known.begin(), known.end(), key.str()) == known.end())
                Refuse(name(key.str()), MECHSIM_TR_NOOP("core", "知らないキーです"));
    }

    std::string name(std::string_view key) const
    {
        return where_.empty() ? std::string(key) : where_ + "." + std::string(key);
    }
    const toml::node* find(std::string_view key) const { return table_.get(key); }
    const toml::node& get(std::string_view key) const
    {
        const toml::node* node = find(key);
        if (!node)
            Refuse(name(key), MECHSIM_TR_NOOP("core", "キーがありません"));
        return *node;
    }

    double number(std::string_view key) const { return Number(get(key), name(key)); }
    double number(std::string_view key, double otherwise) const
    {
        return find(key) ? number(key) : otherwise;
    }
    double angle(std::string_view key, double otherwiseDegrees) const
    {
        return numeric::DegToRad(number(key, otherwiseDegrees));
    }
    std::string text(std::string_view key) const { return Text(get(key), name(key)); }
    plot::WorldPoint point(std::string_view key) const { return Point(get(key), name(key)); }
    std::array<std::string, 2> twoNames(std::string_view key) const
    {
        const toml::array* a = get(key).as_array();
        if (!a || a->size() != 2 || !(*a)[0].is_string() || !(*a)[1].is_string())
            Refuse(name(key), MECHSIM_TR_NOOP("core", "2 つの名前の配列 [\"A\", \"B\"] です"));
        return {*(*a)[0].value<std::string>(), *(*a)[1].value<std::string>()};
    }
    numeric::Branch branch(std::string_view key) const
    {
        return find(key) ? Branch(get(key), name(key)) : numeric::Branch::Usual;
    }

    static double Number(const toml::node& node, const std::string& key)
    {
        if (!node.is_number())
            Refuse(key, MECHSIM_TR_NOOP("core", "数ではありません"));
        const double value = *node.value<double>();
        if (!std::isfinite(value))
            Refuse(key, MECHSIM_TR_NOOP("core", "有限の数ではありません"));
        return value;
    }
    static std::string Text(const toml::node& node, const std::string& key)
    {
        if (!node.is_string())
            Refuse(key, MECHSIM_TR_NOOP("core", "文字列ではありません"));
        return *node.value<std::string>();
    }
    static plot::WorldPoint Point(const toml::node& node, const std::string& key)
    {
        const toml::array* a = node.as_array();
        if (!a || a->size() != 2)
            Refuse(key, MECHSIM_TR_NOOP("core", "2 つの数の配列 [x, y] です"));
        return {Number((*a)[0], key), Number((*a)[1], key)};
    }
    static numeric::Branch Branch(const toml::node& node, const std::string& key)
    {
        const std::optional<std::int64_t> value =
            node.is_integer() ? node.value<std::int64_t>() : std::nullopt;
        if (value != 1 && value != -1)
            Refuse(key, MECHSIM_TR_NOOP("core", "1 か -1 です"));
        return *value == 1 ? numeric::Branch::Usual : numeric::Branch::Other;
    }

private:
    const toml::table& table_;
    std::string where_;
};

const toml::table& TableAt(const toml::node& node, const std::string& key)
{
    if (!node.is_table())
        Refuse(key, MECHSIM_TR_NOOP("core", "表ではありません"));
    return *node.as_table();
}

linkage::Drive ReadDrive(const toml::table& table)
{
    const std::string kind =
        Keys(table, "drive",
             {"kind", "pivot", "joint", "length", "through", "angle", "start", "end"})
            .text("kind");
    linkage::Drive d;
    if (kind == "crank") {
        const Keys keys(table, "drive", {"kind", "pivot", "joint", "length", "start", "end"});
        d.pivot = keys.text("pivot");
        d.joint = keys.text("joint");
        d.length = keys.number("length");
        d.start = keys.angle("start", 0);
        d.end = keys.angle("end", 360);
        return d;
    }
    if (kind != "slider")
        Refuse("drive.kind", MECHSIM_TR_NOOP("core", "crank か slider です: \"%1\""),
               {Plain(kind)});
    const Keys keys(table, "drive", {"kind", "joint", "through", "angle", "start", "end"});
    d.kind = linkage::DriveKind::Slider;
    d.joint = keys.text("joint");
    d.through = keys.point("through");
    d.angle = keys.angle("angle", 0);
    d.start = keys.number("start");
    d.end = keys.number("end");
    return d;
}

// Every key a joint of some kind has: the first look at a joint, for its name and kind.
constexpr std::string_view kAnyJointKey[] = {"name",  "kind",   "from",   "lengths", "branch", "on",
                                             "along", "across", "length", "through", "angle"};

linkage::Joint ReadJoint(const toml::table& table, std::size_t index)
{
    // Named by its name where it has one, by its place among the joints otherwise.
    const std::string place = "joint[" + std::to_string(index + 1) + "]";
    const std::optional<std::string> named = table["name"].value<std::string>();
    const Keys any(table, named ? *named : place, kAnyJointKey);
    linkage::Joint j;
    j.name = any.text("name");
    const std::string kind = any.text("kind");
    if (kind == "dyad") {
        const Keys keys(table, j.name, {"name", "kind", "from", "lengths", "branch"});
        j.from = keys.twoNames("from");
        const toml::array* lengths = keys.get("lengths").as_array();
        if (!lengths || lengths->size() != 2)
            Refuse(keys.name("lengths"), MECHSIM_TR_NOOP("core", "2 つの長さの配列です"));
        j.lengths = {Keys::Number((*lengths)[0], keys.name("lengths")),
                     Keys::Number((*lengths)[1], keys.name("lengths"))};
        j.branch = keys.branch("branch");
    } else if (kind == "point") {
        const Keys keys(table, j.name, {"name", "kind", "on", "along", "across"});
        j.kind = linkage::JointKind::Point;
        j.from = keys.twoNames("on");
        j.along = keys.number("along", 0);
        j.across = keys.number("across", 0);
    } else if (kind == "slider") {
        const Keys keys(table, j.name,
                        {"name", "kind", "from", "length", "through", "angle", "branch"});
        j.kind = linkage::JointKind::Slider;
        j.from[0] = keys.text("from");
        j.length = keys.number("length");
        j.through = keys.point("through");
        j.angle = keys.angle("angle", 0);
        j.branch = keys.branch("branch");
    } else {
        Refuse(j.name + ".kind",
               MECHSIM_TR_NOOP("core", "dyad, point, slider のいずれかです: \"%1\""),
               {Plain(kind)});
    }
    return j;
}

linkage::Model ReadModel(const Keys& top)
{
    linkage::Model m;
    if (top.find("title"))
        m.title = top.text("title");
    if (const toml::node* trace = top.find("trace")) {
        const toml::array* names = trace->as_array();
        if (!names)
            Refuse("trace", MECHSIM_TR_NOOP("core", "名前の配列 [\"P\", ...] です"));
        for (const toml::node& n : *names)
            m.trace.push_back(Keys::Text(n, "trace"));
    }
    if (const toml::node* ground = top.find("ground")) {
        // In the file's order, as the file was built: a TOML table iterates in key order.
        std::vector<std::pair<std::string, const toml::node*>> points;
        for (auto&& [key, node] : TableAt(*ground, "ground"))
            points.emplace_back(std::string(key.str()), &node);
        std::stable_sort(points.begin(), points.end(), [](const auto& a, const auto& b) {
            return a.second->source().begin < b.second->source().begin;
        });
        for (const auto& [name, node] : points)
            m.ground.push_back({name, Keys::Point(*node, "ground." + name)});
    }
    m.drive = ReadDrive(TableAt(top.get("drive"), "drive"));
    if (const toml::node* joints = top.find("joint")) {
        const toml::array* list = joints->as_array();
        if (!list || !list->is_array_of_tables())
            Refuse("joint", MECHSIM_TR_NOOP("core", "[[joint]] の表の並びではありません"));
        for (std::size_t k = 0; k < list->size(); ++k)
            m.joints.push_back(ReadJoint(*(*list)[k].as_table(), k));
    }
    return m;
}

// A number of the inputs or the settings as the text a box would hold: a TOML number as the
// shortest text of its double, a string as written (when it reads as a number).
std::string NumberText(const toml::node& node, const std::string& key)
{
    if (node.is_string()) {
        const std::string text = *node.value<std::string>();
        if (!numeric::ReadNumber(text))
            Refuse(key, sim::kNotANumber, {Plain(text)});
        return text;
    }
    return numeric::FormatNumber(Keys::Number(node, key));
}

sim::InputEntries ReadInputs(const sim::Mechanism& m, const toml::node& node)
{
    sim::InputEntries inputs;
    for (auto&& [k, value] : TableAt(node, "inputs")) {
        const std::string_view name = k.str();
        const std::string key = "inputs." + std::string(name);
        const auto box = std::find_if(m.inputs.begin(), m.inputs.end(),
                                      [&](const sim::InputBox& b) { return b.key == name; });
        if (box == m.inputs.end())
            Refuse(key, MECHSIM_TR_NOOP("core", "%1 にこの入力はありません"), {Plain(m.command)});
        if (box->kind == sim::InputKind::Branch)
            inputs.emplace(box->key, Keys::Branch(value, key));
        else
            inputs.emplace(box->key, NumberText(value, key));
    }
    return inputs;
}

MechsimFile ReadFile(const toml::table& root)
{
    // Which keys the file may hold depends on its kind, so its kind is read first.
    const toml::node* kind = root.get("mechanism");
    if (!kind)
        Refuse("mechanism", MECHSIM_TR_NOOP("core", "キーがありません"));
    const std::string mechanism = Keys::Text(*kind, "mechanism");
    const bool isLinkage = mechanism == "linkage";
    const Keys top =
        isLinkage ? Keys(root, "",
                         {"mechanism", "profile", "divisions", "cycle-time", "title", "trace",
                          "ground", "drive", "joint"})
                  : Keys(root, "", {"mechanism", "profile", "divisions", "cycle-time", "inputs"});
    MechsimFile file;
    if (top.find("profile")) {
        const std::string name = top.text("profile");
        const auto known = std::find(std::begin(kProfileNames), std::end(kProfileNames), name);
        if (known == std::end(kProfileNames))
            Refuse("profile",
                   MECHSIM_TR_NOOP("core", "quintic, cubic, linear のいずれかです: \"%1\""),
                   {Plain(name)});
        file.profile = static_cast<sim::ProfileKind>(known - std::begin(kProfileNames));
    }
    if (const toml::node* n = top.find("divisions")) {
        if (!n->is_integer())
            Refuse("divisions", MECHSIM_TR_NOOP("core", "整数ではありません"));
        file.divisions = std::to_string(*n->value<std::int64_t>());
        if (auto checked = sim::ParseDivisionCount(*file.divisions); !checked)
            throw Fault{"divisions", checked.error().phrase};
    }
    if (const toml::node* n = top.find("cycle-time")) {
        file.cycleTime = NumberText(*n, "cycle-time");
        if (auto checked = sim::ParseCycleTime(*file.cycleTime); !checked)
            throw Fault{"cycle-time", checked.error().phrase};
    }
    if (isLinkage) {
        linkage::Model model = ReadModel(top);
        auto built = linkage::LinkageMechanism(model);
        if (!built)
            throw Fault{built.error().key, built.error().phrase};
        for (const linkage::Joint& j : model.joints)
            if (j.hasBranch())
                file.inputs.emplace(j.name, j.branch);
        file.mechanism = std::move(built).value();
        file.linkage = std::move(model);
        return file;
    }
    const sim::Mechanism* builtIn = mechanisms::FindMechanism(mechanism);
    if (!builtIn) {
        std::string names;
        for (const sim::Mechanism* m : mechanisms::AllMechanisms())
            names += m->command + ", ";
        Refuse("mechanism",
               MECHSIM_TR_NOOP("core", "知らない機構です: \"%1\"（%2 のいずれかです）"),
               {Plain(mechanism), Plain(names + "linkage")});
    }
    // Shares no ownership: the registration lives as long as the program.
    file.mechanism = std::shared_ptr<const sim::Mechanism>(std::shared_ptr<void>(), builtIn);
    if (const toml::node* inputs = top.find("inputs"))
        file.inputs = ReadInputs(*builtIn, *inputs);
    return file;
}

sim::Refusal FileRefusal(const std::filesystem::path& path, const char* reason,
                         std::vector<sim::PhrasePart> parts = {})
{
    return sim::Refusal::OfSetupFile(path, {reason, std::move(parts)});
}

}

sim::Refusable<MechsimFile> ParseMechsimText(std::string_view text,
                                             const std::filesystem::path& shownName)
{
    toml::table root;
    try {
        root = toml::parse(text);
    } catch (const toml::parse_error& e) {
        return FileRefusal(
            shownName, MECHSIM_TR_NOOP("core", "%1 行 %2 列: TOML として読めません（%3）"),
            {Plain(std::to_string(e.source().begin.line)),
             Plain(std::to_string(e.source().begin.column)), Plain(std::string(e.description()))});
    }
    try {
        return ReadFile(root);
    } catch (const Fault& fault) {
        return sim::Refusal::OfSetupFile(shownName, fault.reason, fault.key);
    }
}

sim::Refusable<MechsimFile> ReadMechsimFile(const std::filesystem::path& path)
{
    // Non-blocking, so that a FIFO or a device is refused by its type instead of waited on.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT)
            return FileRefusal(path, MECHSIM_TR_NOOP("core", "ファイルがありません"));
        return FileRefusal(path, MECHSIM_TR_NOOP("core", "開けません（%1）"),
                           {Plain(std::strerror(error))});
    }
    struct stat info {};
    std::string text;
    std::optional<sim::Refusal> refused;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        refused = FileRefusal(path, S_ISDIR(info.st_mode)
                                        ? MECHSIM_TR_NOOP("core", "フォルダーです")
                                        : MECHSIM_TR_NOOP("core", "普通のファイルではありません"));
    else if (static_cast<std::size_t>(info.st_size) > kMaxMechsimBytes)
        refused = FileRefusal(path, MECHSIM_TR_NOOP("core", "大きすぎます（1 MB まで）"));
    else {
        // Read to the end, a byte past the limit at most, in case the file grew meanwhile.
        text.resize(kMaxMechsimBytes + 1);
        std::size_t got = 0;
        while (got < text.size()) {
            const ssize_t n = ::read(fd, text.data() + got, text.size() - got);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                refused = FileRefusal(path, MECHSIM_TR_NOOP("core", "読めません（%1）"),
                                      {Plain(std::strerror(errno))});
                break;
            }
            if (n == 0)
                break;
            got += static_cast<std::size_t>(n);
        }
        text.resize(got);
        if (got > kMaxMechsimBytes)
            refused = FileRefusal(path, MECHSIM_TR_NOOP("core", "大きすぎます（1 MB まで）"));
    }
    ::close(fd);
    if (refused)
        return *std::move(refused);
    return ParseMechsimText(text, path);
}

namespace {

// A TOML number that reads back to exactly `value`: its shortest text, made a float where a
// long run of digits could overflow TOML's 64-bit integers.
std::string TomlNumber(double value)
{
    std::string text = numeric::FormatNumber(value);
    if (text.find_first_of(".e") == std::string::npos && text.size() > 15)
        text += ".0";
    return text;
}

std::string TomlString(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\')
            out += {'\\', c};
        else if (byte < 0x20 || byte == 0x7f) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else
            out += c;
    }
    return out + "\"";
}

// A key bare where TOML allows it, quoted otherwise.
std::string TomlKey(std::string_view key)
{
    const bool bare = !key.empty() && std::all_of(key.begin(), key.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-';
    });
    return bare ? std::string(key) : TomlString(key);
}

std::string Degrees(double radians)
{
    return TomlNumber(numeric::RadToDegExactly(radians));
}

std::string Array(const std::vector<std::string>& items)
{
    std::string out(1, '[');
    for (const std::string& item : items)
        out.append(out.size() > 1 ? ", " : "").append(item);
    return out.append(1, ']');
}
std::string Pair(double x, double y)
{
    return Array({TomlNumber(x), TomlNumber(y)});
}
std::string Pair(const std::string& a, const std::string& b)
{
    return Array({TomlString(a), TomlString(b)});
}

void Line(std::string& out, std::string_view key, const std::string& value)
{
    out += std::string(key) + " = " + value + "\n";
}

std::string BranchValue(numeric::Branch branch)
{
    return branch == numeric::Branch::Usual ? sim::kUsualBranchText : sim::kOtherBranchText;
}

// An input as TOML: a number, a branch, or the typed text where it is not a number's own form.
std::string InputValue(const sim::InputEntry& entry)
{
    if (const auto* branch = std::get_if<numeric::Branch>(&entry))
        return BranchValue(*branch);
    const std::string& text = std::get<std::string>(entry);
    const std::optional<double> value = numeric::ReadNumber(text);
    return value && TomlNumber(*value) == text ? text : TomlString(text);
}

void Context(std::string& out, const MechsimFile& file)
{
    if (file.profile)
        Line(out, "profile", TomlString(kProfileNames[static_cast<int>(*file.profile)]));
    if (file.divisions) {
        const auto n = sim::ParseDivisionCount(*file.divisions);
        Line(out, "divisions", n ? std::to_string(n.value()) : TomlString(*file.divisions));
    }
    if (file.cycleTime) {
        const auto t = numeric::ReadNumber(*file.cycleTime);
        Line(out, "cycle-time", t ? TomlNumber(*t) : TomlString(*file.cycleTime));
    }
}

std::string LinkageText(const MechsimFile& file)
{
    const linkage::Model& m = *file.linkage;
    std::string out;
    Line(out, "mechanism", TomlString("linkage"));
    if (!m.title.empty())
        Line(out, "title", TomlString(m.title));
    if (!m.trace.empty()) {
        std::vector<std::string> names;
        for (const std::string& n : m.trace)
            names.push_back(TomlString(n));
        Line(out, "trace", Array(names));
    }
    Context(out, file);
    out += "\n[ground]\n";
    for (const linkage::GroundPoint& g : m.ground)
        Line(out, TomlKey(g.name), Pair(g.at.x, g.at.y));
    const linkage::Drive& d = m.drive;
    out += "\n[drive]\n";
    if (d.kind == linkage::DriveKind::Crank) {
        Line(out, "kind", TomlString("crank"));
        Line(out, "pivot", TomlString(d.pivot));
        Line(out, "joint", TomlString(d.joint));
        Line(out, "length", TomlNumber(d.length));
        Line(out, "start", Degrees(d.start));
        Line(out, "end", Degrees(d.end));
    } else {
        Line(out, "kind", TomlString("slider"));
        Line(out, "joint", TomlString(d.joint));
        Line(out, "through", Pair(d.through.x, d.through.y));
        Line(out, "angle", Degrees(d.angle));
        Line(out, "start", TomlNumber(d.start));
        Line(out, "end", TomlNumber(d.end));
    }
    for (const linkage::Joint& j : m.joints) {
        out += "\n[[joint]]\n";
        Line(out, "name", TomlString(j.name));
        numeric::Branch branch = j.branch;
        if (const auto chosen = file.inputs.find(j.name); chosen != file.inputs.end())
            branch = std::holds_alternative<numeric::Branch>(chosen->second)
                         ? std::get<numeric::Branch>(chosen->second)
                     : std::get<std::string>(chosen->second) == sim::kOtherBranchText
                         ? numeric::Branch::Other
                         : numeric::Branch::Usual;
        switch (j.kind) {
        case linkage::JointKind::Dyad:
            Line(out, "kind", TomlString("dyad"));
            Line(out, "from", Pair(j.from[0], j.from[1]));
            Line(out, "lengths", Pair(j.lengths[0], j.lengths[1]));
            Line(out, "branch", BranchValue(branch));
            break;
        case linkage::JointKind::Point:
            Line(out, "kind", TomlString("point"));
            Line(out, "on", Pair(j.from[0], j.from[1]));
            Line(out, "along", TomlNumber(j.along));
            Line(out, "across", TomlNumber(j.across));
            break;
        case linkage::JointKind::Slider:
            Line(out, "kind", TomlString("slider"));
            Line(out, "from", TomlString(j.from[0]));
            Line(out, "length", TomlNumber(j.length));
            Line(out, "through", Pair(j.through.x, j.through.y));
            Line(out, "angle", Degrees(j.angle));
            Line(out, "branch", BranchValue(branch));
            break;
        }
    }
    return out;
}

}

std::string MechsimText(const MechsimFile& file)
{
    if (file.linkage)
        return LinkageText(file);
    std::string out;
    Line(out, "mechanism", TomlString(file.mechanism->command));
    Context(out, file);
    if (!file.inputs.empty()) {
        out += "\n[inputs]\n";
        for (const auto& [key, entry] : file.inputs)
            Line(out, TomlKey(key), InputValue(entry));
    }
    return out;
}

bool NamesMechsimFile(std::string_view name)
{
    const std::string_view extension = kMechsimExtension;
    return name.size() > extension.size()
           && std::equal(extension.rbegin(), extension.rend(), name.rbegin(), [](char a, char b) {
                  return a == std::tolower(static_cast<unsigned char>(b));
              });
}

}
