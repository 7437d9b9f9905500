#include "FakeQQOptions.h"

#include <charconv>

#include "FakeQQProtocol.h"

namespace fakeqq {
namespace {

struct KindName {
    WindowKind kind;
    const char* name;
    const char* title;
};

constexpr KindName kKinds[] = {
    {WindowKind::Classic, "classic", "与 测试好友 交谈中"},
    {WindowKind::ClassicBar, "classic-bar", "与 测试好友 交谈中"},
    {WindowKind::ClassicPlain, "classic-plain", "系统消息"},
    {WindowKind::Tx, "tx", "测试好友"},
    {WindowKind::TxNoShell, "tx-noshell", "测试好友"},
    {WindowKind::TxMain, "tx-main", "QQ2009"},
    {WindowKind::TxRelogin, "tx-relogin", "重新登录"},
    {WindowKind::TxTwoAtl, "tx-twoatl", "测试群"},
};

bool ParseInt(std::string_view text, int* out) {
    if (text.empty()) return false;
    const char* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, *out);
    return ec == std::errc() && p == end;
}

std::optional<Placement> ParsePlacement(std::string_view text) {
    int v[4];
    for (int i = 0; i < 4; ++i) {
        size_t comma = text.find(',');
        if ((i < 3) != (comma != std::string_view::npos)) return std::nullopt;
        if (!ParseInt(text.substr(0, comma), &v[i])) return std::nullopt;
        text = i < 3 ? text.substr(comma + 1) : std::string_view();
    }
    if (v[2] <= 0 || v[3] <= 0) return std::nullopt;
    return Placement{v[0], v[1], v[2], v[3]};
}

// "+deep=N" or "+wide=N", N in 1..kMaxExtraWindows.
bool ParseExtra(std::string_view text, ExtraTree* extra) {
    const size_t eq = text.find('=');
    int n = 0;
    if (eq == std::string_view::npos || !ParseInt(text.substr(eq + 1), &n) || n < 1 ||
        n > kMaxExtraWindows)
        return false;
    const std::string_view name = text.substr(0, eq);
    if (name == "deep")
        extra->deep = n;
    else if (name == "wide")
        extra->wide = n;
    else
        return false;
    return true;
}

// KIND[+deep=N][+wide=N][@X,Y,W,H][:TITLE]; the title is everything after the first ':' and
// may be empty.
std::optional<WindowSpec> ParseWindowSpec(std::string_view text, std::string* error) {
    size_t colon = text.find(':');
    std::string_view head = text.substr(0, colon);
    size_t at = head.find('@');
    std::string_view shape = head.substr(0, at);
    WindowSpec spec;
    for (size_t plus = shape.rfind('+'); plus != std::string_view::npos; plus = shape.rfind('+')) {
        if (!ParseExtra(shape.substr(plus + 1), &spec.extra)) {
            *error = "bad tree (+deep=N or +wide=N, N from 1 to " +
                     std::to_string(kMaxExtraWindows) + "): " + std::string(shape.substr(plus));
            return std::nullopt;
        }
        shape = shape.substr(0, plus);
    }
    auto kind = ParseWindowKind(shape);
    if (!kind) {
        *error = "unknown window kind: " + std::string(shape);
        return std::nullopt;
    }
    spec.kind = *kind;
    if (at != std::string_view::npos) {
        spec.placement = ParsePlacement(head.substr(at + 1));
        if (!spec.placement) {
            *error = "bad placement (X,Y,W,H with W,H > 0): " + std::string(head.substr(at + 1));
            return std::nullopt;
        }
    }
    spec.title = colon == std::string_view::npos ? DefaultTitle(*kind)
                                                 : std::string(text.substr(colon + 1));
    return spec;
}

std::optional<Registration> ParseRegistration(std::string_view text) {
    size_t eq = text.find('=');
    std::string_view key = text.substr(0, eq);
    Registration r;
    if (key == "qq2009")
        r.key = RegistryKey::QQ2009;
    else if (key == "qq")
        r.key = RegistryKey::QQ;
    else
        return std::nullopt;
    if (eq != std::string_view::npos) {
        r.installDir = std::string(text.substr(eq + 1));
        if (r.installDir.empty()) return std::nullopt;
    }
    return r;
}

}  // namespace

std::optional<WindowKind> ParseWindowKind(std::string_view name) {
    for (const auto& k : kKinds)
        if (name == k.name) return k.kind;
    return std::nullopt;
}

const char* WindowKindName(WindowKind kind) {
    for (const auto& k : kKinds)
        if (k.kind == kind) return k.name;
    return "?";
}

std::string DefaultTitle(WindowKind kind) {
    for (const auto& k : kKinds)
        if (k.kind == kind) return k.title;
    return {};
}

Placement DefaultPlacement(int id) {
    // Cascade with room between windows, so a window docked beside one never touches another.
    const int slot = (id - 1) % 8;
    return Placement{80 + (slot % 2) * 560, 40 + (slot / 2) * 60 + (slot % 2) * 20, 420, 360};
}

std::string DeriveInstallDir(RegistryKey key, const std::string& exePath) {
    const size_t slash = exePath.find_last_of('\\');
    std::string dir = slash == std::string::npos ? std::string() : exePath.substr(0, slash);
    if (key == RegistryKey::QQ) return dir;
    // "<Install>\Bin\QQ.exe": step out of a "Bin" folder (any case), else keep the folder.
    const size_t parent = dir.find_last_of('\\');
    std::string last = parent == std::string::npos ? dir : dir.substr(parent + 1);
    for (char& c : last)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (last == "bin" && parent != std::string::npos) return dir.substr(0, parent);
    return dir;
}

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string* error) {
    Options o;
    o.tag = kDefaultTag;
    std::string ignored;
    if (!error) error = &ignored;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool takesValue = a == "--window" || a == "--log" || a == "--tag" ||
                                a == "--lifetime" || a == "--register";
        if (takesValue && i + 1 >= args.size()) {
            *error = a + " needs a value";
            return std::nullopt;
        }
        if (a == "--window") {
            auto spec = ParseWindowSpec(args[++i], error);
            if (!spec) return std::nullopt;
            o.windows.push_back(*spec);
        } else if (a == "--log") {
            o.logPath = args[++i];
        } else if (a == "--tag") {
            o.tag = args[++i];
            if (o.tag.empty()) {
                *error = "--tag needs a non-empty value";
                return std::nullopt;
            }
        } else if (a == "--lifetime") {
            if (!ParseInt(args[++i], &o.lifetimeSeconds) || o.lifetimeSeconds < 0) {
                *error = "--lifetime needs seconds >= 0: " + args[i];
                return std::nullopt;
            }
        } else if (a == "--register") {
            auto r = ParseRegistration(args[++i]);
            if (!r) {
                *error = "--register needs qq2009 or qq, optionally =DIR: " + args[i];
                return std::nullopt;
            }
            o.registrations.push_back(*r);
        } else if (a == "--unregister") {
            o.unregister = true;
        } else {
            *error = "unknown argument: " + a;
            return std::nullopt;
        }
    }
    if (o.windows.empty() && !o.OnlyRegistry()) o.windows.push_back({WindowKind::Classic, {}, DefaultTitle(WindowKind::Classic), {}});
    return o;
}

}  // namespace fakeqq
