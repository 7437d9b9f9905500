// Faces: adding, removing, copying, moving and renaming them.
#include "BarList.h"
#include "FaceLibrary.h"
#include "FaceStatements.h"
#include "LibraryTransaction.h"
#include "Md5.h"

bool FaceLibrary::IsFaceInCategory(int category, const std::string& digest) {
    bool present = OpenText(FaceSql::FindInCategory(category, digest)) && !m_rs.IsEOF();
    m_rs.Close();  // as IsPackInstalled
    return present;
}

bool FaceLibrary::FindIndexRow(const std::string& digest, IndexRow& out) {
    if (!OpenText(FaceSql::FindInIndex(digest)) || m_rs.IsEOF()) return false;
    return ReadIndexRow(out);
}

bool FaceLibrary::ReadIndexRow(IndexRow& out) {
    out.digest = Text("id");
    out.categories = Text("name");
    out.name = Text("demo");
    return !out.digest.empty();
}

// Lists `category` in the index row of `digest`, creating the row when the face is
// new. An add also overwrites the row's face name; a copy keeps it.
bool FaceLibrary::AddIndexEntry(const std::string& digest, int category, const std::string& name,
                                bool overwriteName, bool& alreadyThere) {
    alreadyThere = false;
    if (!OpenText(FaceSql::FindInIndex(digest))) return false;
    if (!m_rs.IsEOF()) {
        std::string list = Text("name");
        if (BarListContains(list, BarItem(category))) {
            alreadyThere = true;
            return true;
        }
        if (!m_rs.PutCollect("name", BarListAdd(list, BarItem(category), false)) ||
            (overwriteName && !m_rs.PutCollect("demo", name))) {
            m_rs.CancelUpdate();
            return false;
        }
        return m_rs.Update();
    }
    if (!OpenText(FaceSql::kAppendIndexRow) || !m_rs.AddNew()) return false;
    if (!m_rs.PutCollect("id", digest) ||
        !m_rs.PutCollect("name", BarListAdd("", BarItem(category), false)) ||
        !m_rs.PutCollect("demo", name)) {
        m_rs.CancelUpdate();
        return false;
    }
    return m_rs.Update();
}

// The first face into an empty category gives it its icon; a face that cannot be
// drawn leaves the icon as it was.
bool FaceLibrary::SetCategoryIcon(int category, const std::vector<uint8_t>& image) {
    std::vector<uint8_t> icon;
    if (!m_renderer || !m_renderer->RenderJpeg(image, kIconSize, icon) || icon.empty()) return true;
    if (!OpenText(FaceSql::ReadCategory(category)) || m_rs.IsEOF()) return false;
    if (!m_rs.PutCollectBytes("zoomimg", icon.data(), icon.size())) return false;
    return m_rs.Update();
}

bool FaceLibrary::AppendFaceRow(int category, int orderId, const FaceRecord& face) {
    if (!OpenText(FaceSql::AppendFace(category)) || !m_rs.AddNew()) return false;
    if (!m_rs.PutCollect("id", face.digest) ||
        !m_rs.PutCollect("filename", FaceSql::FileNameColumnValue(face.fileName)) ||
        !m_rs.PutCollectBytes("img", face.image.data(), face.image.size()) ||
        !m_rs.PutCollect("demo", face.faceName) || !m_rs.PutCollect("orderid", orderId)) {
        m_rs.CancelUpdate();
        return false;
    }
    if (!m_rs.Update()) return false;
    if (face.thumbnail.empty()) return true;
    return m_rs.PutCollectBytes("zoomimg", face.thumbnail.data(), face.thumbnail.size()) &&
           m_rs.Update();
}

AddFaceResult FaceLibrary::AddFace(int category, int& maxOrder, const std::string& fileName,
                                   const std::string& faceName, const std::vector<uint8_t>& image) {
    LibraryTransaction transaction(m_connection);
    if (!transaction.Began()) return AddFaceResult::Failed;
    FaceRecord face{FaceDigestText(image.data(), image.size()), fileName, faceName, {}, image};
    bool alreadyThere = false;
    if (!AddIndexEntry(face.digest, category, faceName, true, alreadyThere))
        return AddFaceResult::Failed;
    if (alreadyThere) return AddFaceResult::AlreadyInCategory;
    int count = CountFaces(category);
    if (count < 0 || (count == 0 && !SetCategoryIcon(category, image))) return AddFaceResult::Failed;
    if (m_renderer && !m_renderer->RenderJpeg(image, kThumbnailSize, face.thumbnail))
        face.thumbnail.clear();
    if (!AppendFaceRow(category, maxOrder + 1, face) || !transaction.Commit())
        return AddFaceResult::Failed;
    ++maxOrder;
    return AddFaceResult::Added;
}

bool FaceLibrary::RemoveFaces(int category, const std::vector<std::string>& digests) {
    if (digests.empty()) return true;
    LibraryTransaction transaction(m_connection);
    return transaction.Began() && RemoveFacesInside(category, digests) && transaction.Commit();
}

bool FaceLibrary::RemoveFacesInside(int category, const std::vector<std::string>& digests) {
    const auto batches = FaceSql::DigestBatches(digests);
    for (const auto& batch : batches)
        if (!m_connection.Execute(FaceSql::DeleteFaces(category, batch))) return false;
    std::vector<std::string> emptied;
    for (const auto& batch : batches) {
        if (!OpenText(FaceSql::IndexRowsOf(batch))) return false;
        for (m_rs.MoveFirst(); !m_rs.IsEOF(); m_rs.MoveNext()) {
            std::string list = BarListRemove(Text("name"), BarItem(category));
            if (list.empty()) {
                emptied.push_back(Text("id"));
            } else if (!m_rs.PutCollect("name", list) || !m_rs.Update()) {
                return false;
            }
        }
    }
    m_rs.Close();
    for (const auto& batch : FaceSql::DigestBatches(emptied))
        if (!m_connection.Execute(FaceSql::DeleteIndexRows(batch))) return false;
    return true;
}

bool FaceLibrary::GatherFaceRecords(int category, const std::vector<std::string>& digests,
                                    std::vector<FaceRecord>& out) {
    out.clear();
    for (const std::string& digest : digests) {
        if (!OpenText(FaceSql::FindInCategory(category, digest))) return false;
        if (m_rs.IsEOF()) continue;
        FaceRow row;
        if (!ReadFaceRow(true, row)) return false;
        out.push_back({row.digest, row.fileName, row.name, row.thumbnail, row.image});
    }
    return true;
}

int FaceLibrary::CopyFacesInside(const std::vector<FaceRecord>& records, int target) {
    CategoryRow row;
    if (!ReadCategory(target, row)) return -1;
    int maxOrder = row.maxOrder;
    int copied = 0;
    for (const FaceRecord& face : records) {
        bool alreadyThere = false;
        if (!AddIndexEntry(face.digest, target, face.faceName, false, alreadyThere)) return -1;
        // Only adding or importing a face gives an empty category its icon.
        if (alreadyThere) continue;
        if (!AppendFaceRow(target, maxOrder + 1, face)) return -1;
        ++maxOrder;
        ++copied;
    }
    return StoreMaxOrder(target, maxOrder) ? copied : -1;
}

int FaceLibrary::CopyFaces(const std::vector<FaceRecord>& records, int target) {
    LibraryTransaction transaction(m_connection);
    if (!transaction.Began()) return -1;
    int copied = CopyFacesInside(records, target);
    return copied >= 0 && transaction.Commit() ? copied : -1;
}

int FaceLibrary::MoveFaces(const std::vector<FaceRecord>& records, int source, int target) {
    if (source == target) return 0;
    LibraryTransaction transaction(m_connection);
    if (!transaction.Began()) return -1;
    // Out of the source first: a face whose index row empties is listed afresh under the
    // name it had there, not under one left over from another category.
    std::vector<std::string> moved;
    for (const FaceRecord& face : records) moved.push_back(face.digest);
    if (!RemoveFacesInside(source, moved)) return -1;
    int copied = CopyFacesInside(records, target);
    if (copied < 0 || !transaction.Commit()) return -1;
    return copied;
}

bool FaceLibrary::RenameFace(int category, const std::string& digest, const std::string& name) {
    LibraryTransaction transaction(m_connection);
    if (!transaction.Began()) return false;
    if (!OpenText(FaceSql::FindInIndex(digest)) || m_rs.IsEOF() ||
        !m_rs.PutCollect("demo", name) || !m_rs.Update())
        return false;
    if (!OpenText(FaceSql::FindInCategory(category, digest)) || m_rs.IsEOF() ||
        !m_rs.PutCollect("demo", name) || !m_rs.Update())
        return false;
    return transaction.Commit();
}
