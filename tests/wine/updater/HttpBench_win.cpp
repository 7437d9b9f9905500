// updater_http_bench URL FOLDER [BLOCK...]: downloads URL into FOLDER through CMyHttp (its
// WinINet session, the file, the progress callback of every block, the message peek) once per
// block size (default 1024) and prints the time and throughput of each run. Not a test.
#include <windows.h>

#include <cstdio>
#include <string>

#include "MyHttp_win.h"
#include "winfx/Wide.h"

namespace {

void CountCall(void* context, int, uint32_t, uint32_t, uint32_t) { ++*static_cast<unsigned long*>(context); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fputs("usage: updater_http_bench URL FOLDER [BLOCK...]\n", stderr);
        return 2;
    }
    const std::string url = winfx::ToUtf8(argv[1]), folder = winfx::ToUtf8(argv[2]);
    for (int i = argc > 3 ? 3 : 2; i < argc || i == 2; ++i) {
        CMyHttp http;
        unsigned long calls = 0;
        http.m_pContext = &calls;
        http.m_pfnProgress = &CountCall;
        http.m_nBlockSize = i == 2 ? 1024u : static_cast<uint32_t>(_wtoi(argv[i]));
        LARGE_INTEGER f, a, b;
        QueryPerformanceFrequency(&f);
        QueryPerformanceCounter(&a);
        const int result = http.Download(url.c_str(), 0, nullptr, folder.c_str());
        QueryPerformanceCounter(&b);
        const double seconds = double(b.QuadPart - a.QuadPart) / double(f.QuadPart);
        WIN32_FILE_ATTRIBUTE_DATA info{};
        GetFileAttributesExW(winfx::ToWide(http.LocalPath()).c_str(), GetFileExInfoStandard, &info);
        const double mb = double(info.nFileSizeLow) / 1048576.0;
        std::printf("block %u: result %d complete %d, %.1f MB in %.3f s = %.1f MB/s, %lu callbacks\n",
                    http.m_nBlockSize, result, http.LastComplete() ? 1 : 0, mb, seconds, mb / seconds, calls);
        if (i == 2) break;
    }
    return 0;
}
