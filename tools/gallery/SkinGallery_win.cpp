// SkinGallery: opens the skinned windows of both default skin files with the real skinned
// dialog classes and sample content, for looking at the art and for end-to-end tests.
//
//   SkinGallery.exe [--faces DIR] [all | FILE:SECTION | SECTION]...
//
// Each window carries the property kPropSection; closing the last one ends the program.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <fstream>
#include <memory>

#include "GalleryDialog_win.h"
#include "GalleryProtocol.h"
#include "GallerySections.h"
#include "SampleSet.h"
#include "XmlReader.h"
#include "winfx/App.h"
#include "winfx/Wide.h"

namespace {

using namespace gallery;

std::string ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path, n);
    return winfx::ToUtf8(p.substr(0, p.find_last_of(L'\\') + 1));
}

std::vector<uint8_t> ReadWholeFile(const std::wstring& path) {
    std::ifstream f(path.c_str(), std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

// Pictures from the folder given with --faces, else the built-in sample faces.
FaceBytes LoadFaces(const std::string& folder) {
    FaceBytes faces;
    if (folder.empty()) {
        // The samples made to test frame handling (plain colour blocks) are left out.
        for (auto& f : samples::MakeSampleFaces()) {
            if (f.name == "delays_mixed.gif" || f.name == "no_control.gif" || f.name == "wide.gif") continue;
            faces.push_back(std::move(f.bytes));
        }
        return faces;
    }
    std::wstring dir = winfx::ToWide(folder);
    if (!dir.empty() && dir.back() != L'\\' && dir.back() != L'/') dir += L'\\';
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW((dir + L"*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(fd.cFileName);
        } while (FindNextFileW(find, &fd));
        FindClose(find);
    }
    std::sort(names.begin(), names.end());
    for (const auto& n : names) {
        auto bytes = ReadWholeFile(dir + n);
        if (!bytes.empty() && bytes.size() <= 4 * 1024 * 1024) faces.push_back(std::move(bytes));
    }
    return faces;
}

// The gallery's own skin file goes into a folder of its own with the pictures it names.
std::string WriteControlsSkin(const std::string& skinDir) {
    wchar_t temp[MAX_PATH] = {};
    if (!GetTempPathW(MAX_PATH, temp)) return {};
    std::wstring dir = std::wstring(temp) + L"FacelibSkinGallery\\";
    CreateDirectoryW(dir.c_str(), nullptr);
    for (const std::string& image : ControlsSkinImages())
        CopyFileW(winfx::ToWide(skinDir + image).c_str(), (dir + winfx::ToWide(image)).c_str(), FALSE);
    const std::wstring file = dir + winfx::ToWide(kControlsFileName);
    std::ofstream out(file.c_str(), std::ios::binary | std::ios::trunc);
    const std::string text = ControlsSkinXml();
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return out ? winfx::ToUtf8(file) : std::string();
}

// The client size a section was drawn for, from its "size" attribute.
SIZE SectionSize(const std::string& skinPath, const std::string& section) {
    SIZE size{320, 240};
    auto root = LoadXmlFile(skinPath);
    if (!root) return size;
    for (const auto& child : root->m_children) {
        if (XmlLowerAscii(child->GetName()) != section) continue;
        int w = 0, h = 0;
        if (ParseSize(child->GetAttributeValue("size"), w, h)) size = SIZE{w, h};
    }
    return size;
}

std::vector<std::string> Arguments() {
    std::vector<std::string> args;
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv) return args;
    for (int i = 1; i < argc; ++i) args.push_back(winfx::ToUtf8(argv[i]));
    LocalFree(argv);
    return args;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const Options options = ParseOptions(Arguments());
    if (!options.error.empty()) return 2;

    winfx::App app;
    const std::string skinDir = ProgramFolder() + "skin\\default\\";
    const FaceBytes faces = LoadFaces(options.facesDir);
    std::string controlsSkin;

    int alive = 0;
    auto gone = [&alive] {
        if (--alive == 0) PostQuitMessage(0);
    };

    // Windows packed onto the screen, the largest first.
    const std::vector<SectionInfo> sections = InPackingOrder(options.sections);
    std::vector<std::string> paths;
    std::vector<Box> sizes;
    for (const SectionInfo& info : sections) {
        std::string path;
        if (info.file == kControlsFileName) {
            if (controlsSkin.empty()) controlsSkin = WriteControlsSkin(skinDir);
            path = controlsSkin;
        } else {
            path = skinDir + info.file;
        }
        const SIZE size = SectionSize(path, info.section);
        paths.push_back(path);
        sizes.push_back(Box{0, 0, size.cx, size.cy});
    }
    const std::vector<Box> places = PackWindows(sizes, GetSystemMetrics(SM_CXSCREEN), 8);
    std::vector<std::unique_ptr<GalleryDialog>> windows;
    for (size_t i = 0; i < sections.size(); ++i) {
        const Box& b = places[i];
        auto dialog = std::make_unique<GalleryDialog>(sections[i], paths[i], POINT{b.x, b.y},
                                                      SIZE{b.width, b.height}, faces, gone);
        ++alive;
        if (!dialog->CreateModeless(nullptr, &app)) {
            --alive;
            continue;
        }
        ShowWindow(dialog->Hwnd(), SW_SHOWNOACTIVATE);
        windows.push_back(std::move(dialog));
    }
    if (windows.empty()) return 1;
    const int code = app.Run();
    windows.clear();
    return code;
}
