// samplefaces FOLDER: writes the sample face pictures into FOLDER (which must exist).
#include <cstdio>
#include <string>

#include "SampleSet.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: samplefaces FOLDER\n", stderr);
        return 2;
    }
    const std::string folder = argv[1];
    int failed = 0;
    for (const auto& file : samples::MakeSampleFaces()) {
        const std::string path = folder + "/" + file.name;
        std::FILE* f = std::fopen(path.c_str(), "wb");
        const bool ok = f && !file.bytes.empty() &&
                        std::fwrite(file.bytes.data(), 1, file.bytes.size(), f) == file.bytes.size();
        if (f && std::fclose(f) != 0)
            failed = 1;
        if (!ok) {
            std::fprintf(stderr, "samplefaces: cannot write %s\n", path.c_str());
            failed = 1;
        }
    }
    return failed;
}
