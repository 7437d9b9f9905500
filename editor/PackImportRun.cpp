#include "PackImportRun.h"

#include "FaceAdder.h"
#include "FaceLibrary.h"
#include "GZip.h"
#include "Md5.h"
#include "PackEntries.h"
#include "PackHeader.h"

namespace editor {

namespace {

struct OpenedPack {
    zlib::CGZip archive;
    int number = 0;
    std::string name;  // UTF-8
};

// Opens the pack, telling the user why not; false also when the user declines to
// import an installed pack again.
bool OpenPack(PackImportContext& c, const std::string& path, OpenedPack& pack) {
    switch (PackKindOf(path)) {
    case PackKind::Zip:
        if (pack.archive.Open(path)) return true;
        c.view.Notice(pack.archive.GetErrorText());
        return false;
    case PackKind::Mpk: {
        FILE* file = zlib::OpenForReading(path);
        if (!file) {
            c.view.Notice(PackCannotOpenText(path));
            return false;
        }
        unsigned char header[kPackHeaderMaxSize];
        size_t got = fread(header, 1, sizeof header, file);
        PackHeader h;
        PackHeaderStatus status = ParsePackHeader(header, got, h);
        if (status != PackHeaderStatus::Ok) {
            fclose(file);
            c.view.Notice(status == PackHeaderStatus::VersionError ? PackVersionErrorText(path)
                                                                   : PackFormatErrorText(path));
            return false;
        }
        pack.number = h.number;
        pack.name = c.ansiToUtf8 ? c.ansiToUtf8(h.name) : h.name;
        if (c.host.Library().IsPackInstalled(h.number) &&
            !c.view.Confirm(PackInstalledQuestion(pack.name))) {
            fclose(file);
            return false;
        }
        if (fseek(file, static_cast<long>(h.archiveOffset), SEEK_SET) != 0 ||
            !pack.archive.OpenAt(file)) {  // OpenAt closes the file when it fails
            c.view.Notice(PackFormatErrorText(path));
            return false;
        }
        return true;
    }
    case PackKind::Other:
        break;
    }
    c.view.Notice(PackFormatErrorText(path));
    return false;
}

}  // namespace

int ImportPack(PackImportContext& c, const std::string& path) {
    OpenedPack pack;
    if (!OpenPack(c, path, pack) || !c.queue.IsRunning()) return 0;
    FaceLibrary& library = c.host.Library();
    const std::string defaultCategory = DefaultCategoryName(path, pack.number, pack.name);
    const int count = pack.archive.GetCount();
    c.view.SetRange(count);
    std::string previous;
    int category = c.host.OpenCategoryNumber();
    int added = 0;
    for (int i = 0; i < count; ++i) {
        zlib::ZipEntry entry;
        if (pack.archive.GetFile(i, entry) && !IsFolderEntry(entry.name)) {
            std::string name = entry.utf8Name || !c.ansiToUtf8 ? entry.name
                                                               : c.ansiToUtf8(entry.name);
            std::string categoryName = EntryCategory(name, defaultCategory);
            if (categoryName != previous) {
                int opened = c.host.OpenImportCategory(categoryName, pack.number);
                category = opened;
                previous = categoryName;
            }
            std::string fileName = EntryFileName(name);
            std::string faceName = EntryFaceName(fileName, categoryName);
            // An empty face name reads back as no face at all: such entries are left
            // out, so no index row names a category that lacks the face.
            if (category > 0 && IsFaceFile(fileName) && !faceName.empty() &&
                !entry.data.empty()) {
                std::vector<uint8_t> bytes(entry.data.begin(), entry.data.end());
                std::string digest = FaceDigestText(bytes.data(), bytes.size());
                if (library.IsFaceInCategory(category, digest)) {
                    c.view.Status("正在导入: " + name + " 文件已存在正在跳过...");
                    c.view.ShowFace(nullptr);
                } else {
                    c.view.Status("正在导入: " + name);
                    c.view.ShowFace(&bytes);
                    if (library.AddFace(category, c.host.MaxOrder(),
                                        CutToChars(name, kFileNameChars),
                                        CutToChars(faceName, kFaceNameChars),
                                        bytes) == AddFaceResult::Added)
                        ++added;
                }
            }
        }
        if (!c.queue.IsRunning()) break;
        c.view.Advance();
    }
    return added;
}

void RunImportQueue(PackImportContext& c) {
    std::string path;
    while (c.queue.Head(path)) {
        c.view.SetRange(0);
        ImportPack(c, path);
        c.queue.FinishHead();
    }
    c.queue.Clear();
}

}  // namespace editor
