// The sample faces: small pictures drawn by code and written by our own encoders, for
// the skin gallery, manual checks and the picture-control tests. Nothing is copied in.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "GifWriter.h"

namespace samples {

struct SampleFile {
    std::string name;
    std::vector<uint8_t> bytes;
};

// Colour indices of the sample palette.
enum Ink : uint8_t { kWhite, kBlack, kYellow, kRed, kBlue, kGreen, kOrange, kMagenta };
const std::vector<Rgb>& SamplePalette();

// A round face of size x size palette indices; `background` fills outside the circle.
std::vector<uint8_t> DrawFace(int size, int mood, uint8_t background = kWhite);

// 32 x 32: a face, then a small dot frame moving over it four times with the given
// disposal; with `transparent`, the dot frames' corners are transparent.
std::vector<uint8_t> DisposalGif(int disposal, bool transparent);

// Three faces in turn, each shown for `delay` hundredths.
std::vector<uint8_t> DelayGif(int delay);

// One full frame per entry, filled with colours[i] (palette index) and shown for delays[i];
// with `control` false no frame has a graphic control extension.
std::vector<uint8_t> ColourFramesGif(int width, int height, const std::vector<uint8_t>& colours,
                                     const std::vector<int>& delays, bool control = true);

// Packed RGB of a face, for the BMP and JPEG samples.
std::vector<uint8_t> FaceRgb(int size);

std::vector<SampleFile> MakeSampleFaces();

}  // namespace samples
