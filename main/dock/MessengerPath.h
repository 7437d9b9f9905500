// Where the messenger's program file is, from its registry keys: "SOFTWARE\Tencent\QQ2009"
// (program in "Bin\QQ.exe" below the install folder), else "SOFTWARE\Tencent\QQ" ("QQ.exe").
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace dock {

constexpr std::string_view kQQ2009Key = "SOFTWARE\\Tencent\\QQ2009";
constexpr std::string_view kQQKey = "SOFTWARE\\Tencent\\QQ";

class InstallKeys {
public:
    virtual ~InstallKeys() = default;
    // nullopt: the key cannot be opened. Else its "Install" value when that is a non-empty
    // string, an empty string otherwise.
    virtual std::optional<std::string> Install(std::string_view key) const = 0;
};

// Install folder + suffix; the suffix alone when no folder could be read. The first key
// that opens decides, even without a usable value.
std::string MessengerExePath(const InstallKeys& keys);

// The command line that starts exactly that file, quoted so a folder with spaces
// ("C:\Program Files\...") cannot start another program on the way.
std::string MessengerCommandLine(const std::string& exePath);

}  // namespace dock
