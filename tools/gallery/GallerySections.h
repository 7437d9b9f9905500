// Which skinned windows the gallery shows, how it is told to, and the skin file of
// its own controls window. Portable: the Windows program and the tests share it.
#pragma once
#include <string>
#include <vector>

namespace gallery {

struct SectionInfo {
    std::string file;       // "skin.xml", "skinED.xml" or the gallery's own file
    std::string section;    // "main_window", ...
    std::string title;      // window text: drawn in the caption band
    bool frame = true;      // false: frame flags 0 (the toolbar)
    bool updater = false;   // read as the updater reads skins (no check boxes, no radios)

    std::string Key() const { return file + ":" + section; }
};

// The windows of the programs, in the order the gallery lays them out, then its own.
std::vector<SectionInfo> KnownSections();

struct Options {
    std::vector<SectionInfo> sections;
    std::string facesDir;   // GIFs to show instead of the built-in sample faces
    std::string error;      // set when the command line is wrong
};

// Arguments: [--faces DIR] [all | FILE:SECTION | SECTION]...  No section names means all;
// a bare SECTION opens it from every file that has it.
Options ParseOptions(const std::vector<std::string>& args);

// The gallery's own skin: every kind of control, with pictures from the default skin.
std::string ControlsSkinXml();
// Pictures that file names (copied next to it when the gallery writes it).
std::vector<std::string> ControlsSkinImages();

struct Box {
    int x = 0, y = 0, width = 0, height = 0;
};
// Places windows of these sizes on a screen of screenWidth, keeping `margin` between them:
// each goes where its bottom edge ends highest (then leftmost), in the order given.
std::vector<Box> PackWindows(const std::vector<Box>& sizes, int screenWidth, int margin);
// The order in which the known windows pack best onto a 1280 x 1024 screen.
std::vector<SectionInfo> InPackingOrder(std::vector<SectionInfo> sections);

// "W,H" from a section's size attribute; false when it does not give two positive numbers.
bool ParseSize(const std::string& text, int& width, int& height);

}  // namespace gallery
