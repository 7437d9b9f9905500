#include "MessengerPath.h"

namespace dock {

std::string MessengerExePath(const InstallKeys& keys) {
    if (const auto folder = keys.Install(kQQ2009Key)) return *folder + "\\Bin\\QQ.exe";
    if (const auto folder = keys.Install(kQQKey)) return *folder + "\\QQ.exe";
    return "\\QQ.exe";
}

std::string MessengerCommandLine(const std::string& exePath) {
    return "\"" + exePath + "\"";
}

}  // namespace dock
