// The face library on the face database: categories, the face index and the
// per-category face tables, with every operation the main program, the editor and the
// updater perform. All of them go through the program's CAdoConnection and
// CAdoRecordSet with the statement texts of FaceStatements.h.
//
// Every operation that changes the library runs inside a transaction level of its
// own, so a failure half-way leaves the library as it was (the index never lists a
// category whose table lacks the face). The recordset's position is the library's
// own between calls.
#pragma once
#include <string>
#include <vector>

#include "AdoConnection.h"
#include "AdoRecordSet.h"
#include "FaceRecords.h"
#include "FaceRenderer.h"

enum class AddFaceResult { Added, AlreadyInCategory, Failed };

class FaceLibrary {
public:
    static constexpr int kThumbnailSize = 45;
    static constexpr int kIconSize = 16;

    // `renderer` makes thumbnails and icons; null stores faces without them.
    FaceLibrary(CAdoConnection& connection, CAdoRecordSet& recordset, FaceRenderer* renderer);
    // A worker thread that has the library to itself draws with a renderer of its own.
    FaceRenderer* Renderer() const { return m_renderer; }
    void SetRenderer(FaceRenderer* renderer) { m_renderer = renderer; }

    // Creates the index and category tables when they are missing. Both programs use
    // the category table with `maxorder`, so a file first opened by the picker is one
    // the editor can work on. False when a table is still missing afterwards.
    bool EnsureTables();

    // --- categories ---
    bool ListCategories(std::vector<CategoryRow>& out);  // id, name, icon, in creation order
    bool ListPackLists(std::vector<std::string>& out);   // `packid` of every category
    bool FindCategoryByName(const std::string& name, CategoryRow& out);
    bool ReadCategory(int id, CategoryRow& out);
    // The existing category of that name (its pack list gains `pack`) or a new one
    // with its face table. -1 on failure.
    int CreateCategory(const std::string& name, int pack);
    // Creates "<Default>" (pack 0) when there is no category at all; its id, or the
    // first category's, or -1.
    int EnsureDefaultCategory();
    bool StoreMaxOrder(int id, int maxOrder);
    bool DeleteCategory(int id);
    bool IsPackInstalled(int pack);

    // --- faces ---
    int CountFaces(int category);  // -1 on failure
    // Runs the page query and moves to the page's first row (EOF past the end).
    bool OpenPage(int category, int perPage, int pageIndex);
    // The faces of one page in display order; images only with `withImages`.
    bool ReadPage(int category, int perPage, int pageIndex, bool withImages,
                  std::vector<FaceRow>& out);
    bool FindIndexRow(const std::string& digest, IndexRow& out);
    bool IsFaceInCategory(int category, const std::string& digest);
    // Stores a face under its digest in `category`; `maxOrder` is the editor's
    // in-memory value for the category and grows by one when the face is added.
    AddFaceResult AddFace(int category, int& maxOrder, const std::string& fileName,
                          const std::string& faceName, const std::vector<uint8_t>& image);
    bool RemoveFaces(int category, const std::vector<std::string>& digests);
    bool GatherFaceRecords(int category, const std::vector<std::string>& digests,
                           std::vector<FaceRecord>& out);
    // Appends the faces not yet in `target` after its last face, in the given order,
    // and stores the target's `maxorder`. The number copied, -1 on failure.
    int CopyFaces(const std::vector<FaceRecord>& records, int target);
    // Removes the faces from `source`, then copies them into `target`, within one
    // transaction level.
    int MoveFaces(const std::vector<FaceRecord>& records, int source, int target);
    bool RenameFace(int category, const std::string& digest, const std::string& name);

    // --- ordering: positions are 0-based rows in `orderid` order ---
    // Exchanges the `orderid` values of two positions.
    bool SwapOrder(int category, int a, int b);
    // The face at `from` ends at `to`; the faces between shift one place towards `from`.
    // The set of `orderid` values stays the same. False when a position is outside.
    bool RotateOrder(int category, int from, int to);

    // --- the picker's search ---
    bool SearchFaces(const std::string& text, std::vector<IndexRow>& out);
    bool FetchFacesByDigest(int category, const std::vector<std::string>& digests,
                            bool withImages, std::vector<FaceRow>& out);

private:
    bool OpenTable(const char* name);
    bool OpenText(const std::string& sql);
    bool ReadBinary(const char* field, std::vector<uint8_t>& out);
    bool ReadFaceRow(bool withImages, FaceRow& out);
    bool ReadIndexRow(IndexRow& out);
    std::string Text(const char* field);
    bool AddIndexEntry(const std::string& digest, int category, const std::string& name,
                       bool overwriteName, bool& alreadyThere);
    bool SetCategoryIcon(int category, const std::vector<uint8_t>& image);
    bool AppendFaceRow(int category, int orderId, const FaceRecord& face);
    bool OpenOrderRows(int category, int last);
    bool ReadOrderIds(int first, int last, std::vector<int32_t>& out);
    bool WriteOrderId(int position, int32_t value);
    bool RemoveFacesInside(int category, const std::vector<std::string>& digests);
    int CopyFacesInside(const std::vector<FaceRecord>& records, int target);

    CAdoConnection& m_connection;
    CAdoRecordSet& m_rs;
    FaceRenderer* m_renderer;
};
