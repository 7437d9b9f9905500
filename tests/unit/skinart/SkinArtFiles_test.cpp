// The committed skin pictures are exactly what the generator makes, and the skin
// files name every picture there is and no picture that is missing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "Art.h"
#include "Bmp.h"
#include "SkinTestFiles.h"

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

class TempDir {
public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "skinart-XXXXXX").string();
        if (char* made = mkdtemp(pattern.data())) m_path = made;
    }
    ~TempDir() {
        std::error_code ec;
        if (!m_path.empty()) fs::remove_all(m_path, ec);
    }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

TEST(SkinArtFiles, CommittedPicturesAreByteIdenticalToTheGeneratorsOutput) {
    TempDir dir;
    ASSERT_FALSE(dir.Path().empty());
    std::string error;
    ASSERT_TRUE(skinart::WriteAll(dir.Path(), error)) << error;
    auto generated = skintest::FilesWithSuffix(dir.Path(), ".bmp");
    ASSERT_FALSE(generated.empty());
    for (const std::string& name : generated) {
        std::string fresh = ReadAll(dir.Path() + "/" + name);
        std::string committed = ReadAll(skintest::SkinDir() + name);
        EXPECT_FALSE(committed.empty()) << name << " is not committed";
        EXPECT_TRUE(fresh == committed) << name << " differs from the generator's output";
    }
}

TEST(SkinArtFiles, GeneratingTwiceGivesTheSameBytes) {
    auto a = skinart::GenerateAll();
    auto b = skinart::GenerateAll();
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].name, b[i].name);
        EXPECT_TRUE(a[i].bitmap.rgb == b[i].bitmap.rgb) << a[i].name;
    }
}

TEST(SkinArtFiles, EveryPictureInTheSkinFolderComesFromTheGenerator) {
    std::set<std::string> names;
    for (const auto& f : skinart::GenerateAll()) names.insert(f.name);
    for (const std::string& onDisk : skintest::FilesWithSuffix(skintest::SkinDir(), ".bmp"))
        EXPECT_EQ(names.count(onDisk), 1u) << onDisk << " is not made by tools/skinart";
}

TEST(SkinArtFiles, SkinFilesNameExistingPicturesAndEveryPictureIsUsed) {
    std::set<std::string> used;
    for (const auto& file : skintest::SkinFiles()) {
        auto root = skintest::LoadSkinTree(file.name);
        ASSERT_TRUE(root) << file.name << " does not parse";
        for (const std::string& image : skintest::ReferencedImages(*root)) {
            used.insert(image);
            skinart::Bitmap bmp;
            EXPECT_TRUE(skintest::LoadBitmap(skintest::SkinDir() + image, bmp))
                << file.name << " names " << image << ", which is not a readable bitmap";
        }
    }
    for (const auto& f : skinart::GenerateAll())
        EXPECT_EQ(used.count(f.name), 1u) << f.name << " is generated but no skin uses it";
}

TEST(SkinArtFiles, SkinFilesAreUtf8WithTheDeclarationTheReaderSkips) {
    for (const auto& file : skintest::SkinFiles()) {
        std::string text = ReadAll(skintest::SkinDir() + file.name);
        EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"utf-8\"?>", 0), 0u) << file.name;
        // Well-formed UTF-8: lead bytes followed by the right number of continuation bytes.
        for (size_t i = 0; i < text.size();) {
            unsigned char c = static_cast<unsigned char>(text[i]);
            size_t n = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : 9;
            ASSERT_NE(n, 9u) << file.name << " byte " << i;
            ASSERT_LE(i + n, text.size() - 1) << file.name << " ends inside a character";
            for (size_t k = 1; k <= n; ++k)
                ASSERT_EQ(static_cast<unsigned char>(text[i + k]) >> 6, 2) << file.name << " byte " << i;
            i += n + 1;
        }
    }
}

}  // namespace

namespace {

TEST(SkinArtFiles, GalleryIconIsTheGeneratedProgramIcon) {
    std::vector<uint8_t> expected = skinart::EncodeIco(skinart::MakeAppIcon());
    std::string committed = ReadAll(std::string(FACELIB_SOURCE_DIR) + "/tools/gallery/SkinGallery.ico");
    EXPECT_TRUE(committed == std::string(expected.begin(), expected.end()));
    // 16 x 16, 32 bits: header, entry, image header, pixels and a padded one-bit mask.
    EXPECT_EQ(expected.size(), 6u + 16 + 40 + 16 * 16 * 4 + 16 * 4);
}

}  // namespace
