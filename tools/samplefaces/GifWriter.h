// A tiny GIF encoder for sample faces and test pictures. Pixels are colour indices; the
// LZW stream resets before its code width would grow, which keeps the encoder short
// while every decoder reads it as a normal GIF.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace samples {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
};

struct GifFrame {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;       // width * height palette indices, row by row
    bool control = true;               // write a graphic control extension
    int delay = 0;                     // hundredths of a second
    int disposal = 0;
    int transparent = -1;              // palette index, or -1
    std::vector<Rgb> localTable;       // empty: use the global table
};

class GifWriter {
public:
    // An empty palette writes no global colour table.
    GifWriter(int width, int height, std::vector<Rgb> palette, int backgroundIndex = 0);
    void AddLoop(int count);           // the NETSCAPE2.0 application extension
    void AddComment(const std::string& text);
    void AddFrame(const GifFrame& frame);
    std::vector<uint8_t> Finish();     // appends the trailer

    // The LZW image data (code size byte, sub-blocks, terminator) for these indices.
    static std::vector<uint8_t> ImageData(const std::vector<uint8_t>& pixels, int colourBits);
    // Splits bytes into data sub-blocks followed by the zero terminator.
    static void PutSubBlocks(std::vector<uint8_t>& out, const std::vector<uint8_t>& data);

private:
    void PutTable(const std::vector<Rgb>& table, int bits);
    std::vector<uint8_t> m_out;
    int m_globalBits = 0;
};

// Number of bits for a colour table holding n entries (1..8).
int TableBits(size_t entries);

// A solid frame of one colour index.
GifFrame SolidFrame(int left, int top, int width, int height, uint8_t index);

}  // namespace samples
