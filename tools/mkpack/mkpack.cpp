// mkpack [--zip] [--utf8] [--version N] [--marker C] OUT NUMBER NAME FOLDER
// Writes the face pack OUT from the files under FOLDER: each subfolder becomes a
// category. NAME goes into the header byte for byte (the system code page is what the
// editor expects). --zip writes a plain zip (NUMBER and NAME unused); --utf8 sets the
// zip's UTF-8 name flag; --version and --marker make damaged packs for tests.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "PackHeader.h"
#include "PackWriter.h"

int main(int argc, char** argv) {
    bool zipOnly = false, utf8 = false;
    int version = editor::kPackVersion;
    int marker = editor::kPackMarker;
    int i = 1;
    for (; i < argc && std::strncmp(argv[i], "--", 2) == 0; ++i) {
        std::string opt = argv[i];
        if (opt == "--zip") zipOnly = true;
        else if (opt == "--utf8") utf8 = true;
        else if (opt == "--version" && i + 1 < argc) version = std::atoi(argv[++i]);
        else if (opt == "--marker" && i + 1 < argc) marker = static_cast<unsigned char>(argv[++i][0]);
        else {
            std::fprintf(stderr, "mkpack: unknown option %s\n", argv[i]);
            return 2;
        }
    }
    if (argc - i != 4) {
        std::fprintf(stderr,
                     "usage: mkpack [--zip] [--utf8] [--version N] [--marker C] OUT NUMBER NAME FOLDER\n");
        return 2;
    }
    std::string out = argv[i], name = argv[i + 2], folder = argv[i + 3];
    long number = std::strtol(argv[i + 1], nullptr, 10);
    if (!zipOnly && number == 0) {
        std::fprintf(stderr, "mkpack: the pack number must not be 0\n");
        return 2;
    }
    std::string error;
    auto files = mkpack::ReadFolder(folder, error);
    if (!error.empty()) {
        std::fprintf(stderr, "mkpack: %s\n", error.c_str());
        return 1;
    }
    std::vector<unsigned char> header;
    if (!zipOnly)
        header = editor::BuildPackHeader(static_cast<int32_t>(number), name,
                                         static_cast<unsigned char>(version),
                                         static_cast<unsigned char>(marker));
    error = mkpack::WritePack(out, header, files, utf8);
    if (!error.empty()) {
        std::fprintf(stderr, "mkpack: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
