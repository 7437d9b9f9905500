// The program update: the command-16 check and the worker that downloads the listed files
// and runs, registers or opens each one.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "UpdateServices.h"

namespace update {

// Action codes of a command-16 item.
constexpr uint8_t kActionRun = 1;
constexpr uint8_t kActionRegister = 2;
constexpr uint8_t kActionEditor = 3;

struct UpdateItem {
    std::string url;
    uint8_t action = 0;
    std::string params;
};

struct CheckEnv {
    UdpExchange& udp;
    UpdateStore& store;
    Clock& clock;
    UpdateView& view;
    uint32_t waitMs = kReplyWaitMs;
};

// 0: a newer version is listed in `queue` (the siblings were asked to close); -1 no reply;
// -2 a reply of another command or one that breaks the format; -3 already up to date.
int RunProgramCheck(CheckEnv& env, const std::string& cid, uint32_t appVer, bool silent,
                    std::vector<UpdateItem>& queue);

// Downloads each item into "<program folder>\temp\" and acts on it; a download that did not
// arrive whole is only reported in its row, never run, registered or opened.
void RunProgramUpdate(const std::vector<UpdateItem>& queue, const std::string& programFolder,
                      Downloader& downloader, Launcher& launcher, UpdateView& view);

}  // namespace update
