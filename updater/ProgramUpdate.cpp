#include "ProgramUpdate.h"

#include "DownloadName.h"
#include "UpdateCid.h"

namespace update {

int RunProgramCheck(CheckEnv& env, const std::string& cid, uint32_t appVer, bool silent,
                    std::vector<UpdateItem>& queue) {
    queue.clear();
    const auto datagram = env.udp.Exchange(BuildProgramRequest(cid, appVer), env.waitMs);
    if (!datagram) return -1;
    const auto reply = ParseProgramReply(*datagram);
    if (!reply) return -2;
    env.store.WriteDword(kValueNextUpdate, NextDueTime(env.clock.NowSeconds(), reply->interval));
    if (reply->status != 1 || reply->newest <= appVer) {
        if (!silent) env.view.ShowUpToDate();
        return -3;
    }
    env.view.CloseSiblings();
    int row = 0;
    for (const ProgramItem& item : reply->items) {
        env.view.AddRow(row++, UrlLastSegment(item.url), ItemSizeText(item.sizeField), VersionText(item.version));
        queue.push_back(UpdateItem{item.url, item.action, item.params});
    }
    return 0;
}

void RunProgramUpdate(const std::vector<UpdateItem>& queue, const std::string& programFolder,
                      Downloader& downloader, Launcher& launcher, UpdateView& view) {
    const std::string temp = programFolder + "\\temp\\";
    int row = 0;
    for (const UpdateItem& item : queue) {
        const DownloadResult got = downloader.Download(item.url, row, temp);
        if (!got.complete) {
            view.RowFailed(row++);
            continue;
        }
        view.RowDone(row++);
        switch (item.action) {
        case kActionRun: launcher.Open(got.path, item.params); break;
        case kActionRegister: launcher.Open("regsvr32.exe", "/s \"" + got.path + "\""); break;
        case kActionEditor: launcher.Open(programFolder + "\\Tessel.exe", got.path); break;
        default: break;
        }
    }
}

}  // namespace update
