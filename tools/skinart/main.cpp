// skinart DIR: writes every picture of the default skins into DIR.
// skinart --icon FILE: writes the small program icon as an icon file (the skin gallery's).
#include <cstdio>
#include <fstream>
#include <string>

#include "Art.h"
#include "Bmp.h"

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--icon") {
        std::vector<uint8_t> ico = skinart::EncodeIco(skinart::MakeAppIcon());
        std::ofstream f(argv[2], std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(ico.data()), std::streamsize(ico.size()));
        return f ? 0 : 1;
    }
    if (argc != 2) {
        std::fputs("usage: skinart OUTPUT_DIR | skinart --icon FILE\n", stderr);
        return 2;
    }
    std::string error;
    if (!skinart::WriteAll(argv[1], error)) {
        std::fprintf(stderr, "skinart: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
