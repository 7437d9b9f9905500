#include "SampleSet.h"

#include <cmath>

#include "BmpWriter.h"
#include "JpegWriter.h"

namespace samples {
namespace {

constexpr int kSide = 32;

void Disc(std::vector<uint8_t>& px, int size, double cx, double cy, double r, uint8_t ink) {
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= r)
                px[static_cast<size_t>(y * size + x)] = ink;
}

std::string Num(int v) { return std::to_string(v); }

}  // namespace

const std::vector<Rgb>& SamplePalette() {
    static const std::vector<Rgb> palette = {{255, 255, 255}, {0, 0, 0},     {255, 214, 0},
                                             {220, 30, 30},   {30, 60, 220}, {20, 160, 60},
                                             {255, 140, 0},   {255, 0, 255}};
    return palette;
}

// mood 0 smiles, 1 blinks, 2 opens its mouth.
std::vector<uint8_t> DrawFace(int size, int mood, uint8_t background) {
    std::vector<uint8_t> px(static_cast<size_t>(size * size), background);
    const double c = size / 2.0, s = size;
    Disc(px, size, c, c, c - 0.5, kBlack);
    Disc(px, size, c, c, c - 1.8, kYellow);
    for (double ex : {0.35 * s, 0.65 * s}) {
        if (mood == 1) {
            for (int x = static_cast<int>(ex - s / 12); x <= static_cast<int>(ex + s / 12); ++x)
                px[static_cast<size_t>(static_cast<int>(0.4 * s) * size + x)] = kBlack;
        } else {
            Disc(px, size, ex, 0.4 * s, s / 12 + 0.3, kBlack);
        }
    }
    if (mood == 2) {
        Disc(px, size, c, 0.68 * s, s / 7, kRed);
    } else {
        for (int x = static_cast<int>(0.3 * s); x < static_cast<int>(0.7 * s); ++x) {
            const double t = (x + 0.5 - c) / (0.2 * s);
            const int y = static_cast<int>(0.62 * s + 0.1 * s * (1 - t * t));
            px[static_cast<size_t>(y * size + x)] = kBlack;
        }
    }
    return px;
}

std::vector<uint8_t> DisposalGif(int disposal, bool transparent) {
    GifWriter w(kSide, kSide, SamplePalette(), kWhite);
    w.AddLoop(0);
    GifFrame base;
    base.width = base.height = kSide;
    base.pixels = DrawFace(kSide, 0);
    base.delay = 50;
    base.disposal = 1;
    w.AddFrame(base);
    const int spots[4][2] = {{4, 4}, {18, 4}, {18, 18}, {4, 18}};
    for (const auto& spot : spots) {
        GifFrame dot;
        dot.left = spot[0];
        dot.top = spot[1];
        dot.width = dot.height = 10;
        dot.pixels.assign(100, transparent ? kMagenta : kYellow);
        Disc(dot.pixels, 10, 5, 5, 4.2, kBlue);
        dot.transparent = transparent ? kMagenta : -1;
        dot.delay = 40;
        dot.disposal = disposal;
        w.AddFrame(dot);
    }
    return w.Finish();
}

std::vector<uint8_t> DelayGif(int delay) {
    GifWriter w(kSide, kSide, SamplePalette(), kWhite);
    w.AddLoop(0);
    for (int mood = 0; mood < 3; ++mood) {
        GifFrame f;
        f.width = f.height = kSide;
        f.pixels = DrawFace(kSide, mood);
        f.delay = delay;
        f.disposal = 1;
        w.AddFrame(f);
    }
    return w.Finish();
}

std::vector<uint8_t> ColourFramesGif(int width, int height, const std::vector<uint8_t>& colours,
                                     const std::vector<int>& delays, bool control) {
    GifWriter w(width, height, SamplePalette(), kWhite);
    for (size_t i = 0; i < colours.size(); ++i) {
        GifFrame f = SolidFrame(0, 0, width, height, colours[i]);
        f.control = control;
        f.delay = i < delays.size() ? delays[i] : 0;
        f.disposal = 1;
        w.AddFrame(f);
    }
    return w.Finish();
}

std::vector<uint8_t> FaceRgb(int size) {
    const auto idx = DrawFace(size, 0);
    std::vector<uint8_t> rgb;
    rgb.reserve(idx.size() * 3);
    for (uint8_t i : idx) {
        const Rgb c = SamplePalette()[i];
        rgb.insert(rgb.end(), {c.r, c.g, c.b});
    }
    return rgb;
}

std::vector<SampleFile> MakeSampleFaces() {
    std::vector<SampleFile> files;
    {
        GifWriter w(kSide, kSide, SamplePalette(), kWhite);
        GifFrame f;
        f.width = f.height = kSide;
        f.pixels = DrawFace(kSide, 0);
        w.AddFrame(f);
        files.push_back({"still.gif", w.Finish()});
        GifWriter t(kSide, kSide, SamplePalette(), kWhite);
        f.transparent = kWhite;
        t.AddFrame(f);
        files.push_back({"still_transparent.gif", t.Finish()});
    }
    for (int d = 0; d <= 3; ++d) {
        files.push_back({"disposal" + Num(d) + ".gif", DisposalGif(d, false)});
        files.push_back({"disposal" + Num(d) + "_transparent.gif", DisposalGif(d, true)});
    }
    for (int delay : {0, 3, 10, 50, 1000})
        files.push_back({"delay" + Num(delay) + ".gif", DelayGif(delay)});
    files.push_back({"delays_mixed.gif",
                     ColourFramesGif(kSide, kSide, {kRed, kGreen, kBlue, kOrange, kBlack},
                                     {0, 3, 10, 50, 1000})});
    files.push_back({"no_control.gif",
                     ColourFramesGif(kSide, kSide, {kRed, kBlue}, {}, false)});
    files.push_back({"wide.gif", ColourFramesGif(40, 20, {kGreen, kOrange}, {20, 20})});
    files.push_back({"still.bmp", WriteBmp(kSide, kSide, FaceRgb(kSide))});
    files.push_back({"still.jpg", WriteJpeg(kSide, kSide, FaceRgb(kSide))});
    files.push_back({"large.jpg", WriteJpeg(120, 120, FaceRgb(120))});
    return files;
}

}  // namespace samples
