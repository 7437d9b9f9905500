// The statement texts the programs send to the face database, exactly as the face
// library has always written them (two blanks after some "from" included). Inserted
// names and search texts have their quote characters doubled, so a quote is data.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace FaceSql {

constexpr const char* kIndexTable = "mmImageFileMD5HashTable";
constexpr const char* kCategoryTable = "mmNameIndexTable";

constexpr const char* kCreateIndexTable =
    "CREATE TABLE mmImageFileMD5HashTable(id   char(32)  Primary   Key,name char(32),demo char(50))";
// Every program creates the category table with `maxorder`, the column the editor
// reads and writes (see FaceLibrary::EnsureTables).
constexpr const char* kCreateCategoryTable =
    "CREATE TABLE mmNameIndexTable(id int identity(1,1) not null,name char(156),zoomimg image,"
    "packid char(50),maxorder int)";
constexpr const char* kAppendCategory = "select top 1 * from mmNameIndexTable";
constexpr const char* kAppendIndexRow = "select top 1 * from mmImageFileMD5HashTable";

// Width of a face row's `filename`, in characters.
constexpr size_t kFileNameWidth = 150;
// What a face row's `filename` keeps of a path: the path when it fits, else its longest
// tail that fits and starts at a "\\" or "/", else the bare file name. Readers use only
// the part after the last separator. A file name that alone is too long comes back
// whole, and storing it fails.
std::string FileNameColumnValue(const std::string& path);

// Digests one statement names at most: SQLite refuses an `or` chain of a thousand
// terms. Longer lists are sent in batches of this size, each with the usual text.
constexpr size_t kDigestsPerStatement = 500;
std::vector<std::vector<std::string>> DigestBatches(const std::vector<std::string>& digests);

std::string FindCategoryByName(const std::string& name);
std::string CreateFaceTable(int category);
std::string ReadCategory(int category);
std::string CountFaces(int category);
std::string PageOfFaces(int category, int top);
std::string FindInIndex(const std::string& digest);
std::string AppendFace(int category);
std::string FindInCategory(int category, const std::string& digest);
std::string DeleteFaces(int category, const std::vector<std::string>& digests);
std::string IndexRowsOf(const std::vector<std::string>& digests);
std::string DeleteIndexRows(const std::vector<std::string>& digests);
std::string DeleteCategoryRow(int category);
std::string DeleteSoleIndexRows(int category);
std::string IndexRowsListing(int category);
std::string DropFaceTable(int category);
std::string PackInstalled(int pack);
std::string SearchFaces(const std::string& text);
std::string FetchByDigest(const std::string& table, const std::vector<std::string>& digests);

}  // namespace FaceSql
