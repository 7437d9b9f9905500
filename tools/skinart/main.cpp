// skinart DIR: writes every picture of the default skins into DIR.
#include <cstdio>
#include <string>

#include "Art.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: skinart OUTPUT_DIR\n", stderr);
        return 2;
    }
    std::string error;
    if (!skinart::WriteAll(argv[1], error)) {
        std::fprintf(stderr, "skinart: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
