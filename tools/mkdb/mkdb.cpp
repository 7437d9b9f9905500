// Writes the empty face database that ships with the programs ("data\mienko.db"):
// password-protected, with the face index and category tables and no category yet.
#include <cstdio>

#include "FaceDatabase.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mkdb PATH\n");
        return 2;
    }
    if (!FaceDatabase::CreateEmpty(argv[1])) {
        std::fprintf(stderr, "mkdb: cannot create %s (does it exist already?)\n", argv[1]);
        return 1;
    }
    return 0;
}
