// The records of the face database as the programs hold them in memory.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A row of the category table `mmNameIndexTable`.
struct CategoryRow {
    int id = 0;
    std::string name;
    std::vector<uint8_t> icon;  // 16x16 JPEG, may be empty
    std::string packs;          // bar list of pack numbers
    int maxOrder = 0;
};

// A row of the face index `mmImageFileMD5HashTable`.
struct IndexRow {
    std::string digest;
    std::string categories;  // bar list of category numbers
    std::string name;        // the face name users search for
};

// A row of a category's face table.
struct FaceRow {
    std::string digest;
    std::string fileName;
    std::string name;
    std::vector<uint8_t> thumbnail;  // 45x45 JPEG, may be empty
    std::vector<uint8_t> image;      // the picture file's bytes
    int orderId = 0;
};

// What the editor gathers to copy or move faces between categories.
struct FaceRecord {
    std::string digest;
    std::string fileName;
    std::string faceName;
    std::vector<uint8_t> thumbnail;
    std::vector<uint8_t> image;
};
