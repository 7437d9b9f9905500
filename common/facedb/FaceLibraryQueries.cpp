// Reading faces: counts, pages, the picker's search and its fetch by digest.
#include "BarList.h"
#include "FaceLibrary.h"
#include "FaceStatements.h"

int FaceLibrary::CountFaces(int category) {
    int32_t count = 0;
    if (!OpenText(FaceSql::CountFaces(category)) || m_rs.IsEOF() || !m_rs.GetCollect(0, count))
        return -1;
    return count;
}

bool FaceLibrary::ReadFaceRow(bool withImages, FaceRow& out) {
    out.digest = Text("id");
    out.fileName = Text("filename");
    out.name = Text("demo");
    m_rs.GetCollect("orderid", out.orderId);
    if (!ReadBinary("zoomimg", out.thumbnail)) return false;
    if (withImages) return ReadBinary("img", out.image);
    out.image.clear();
    return true;
}

bool FaceLibrary::OpenPage(int category, int perPage, int pageIndex) {
    if (perPage <= 0 || pageIndex < 0) return false;
    int64_t top = static_cast<int64_t>(perPage) * (pageIndex + 1);
    if (top > INT32_MAX) return false;
    if (!OpenText(FaceSql::PageOfFaces(category, static_cast<int>(top)))) return false;
    if (pageIndex == 0 || m_rs.IsEOF()) return true;
    m_rs.Move(perPage * pageIndex);
    return true;
}

bool FaceLibrary::ReadPage(int category, int perPage, int pageIndex, bool withImages,
                           std::vector<FaceRow>& out) {
    out.clear();
    if (!OpenPage(category, perPage, pageIndex)) return false;
    for (int n = 0; n < perPage && !m_rs.IsEOF(); ++n, m_rs.MoveNext()) {
        FaceRow row;
        if (!ReadFaceRow(withImages, row)) return false;
        out.push_back(std::move(row));
    }
    return true;
}

bool FaceLibrary::SearchFaces(const std::string& text, std::vector<IndexRow>& out) {
    out.clear();
    if (!OpenText(FaceSql::SearchFaces(text))) return false;
    for (; !m_rs.IsEOF(); m_rs.MoveNext()) {
        IndexRow row;
        if (ReadIndexRow(row)) out.push_back(std::move(row));
    }
    return true;
}

bool FaceLibrary::FetchFacesByDigest(int category, const std::vector<std::string>& digests,
                                     bool withImages, std::vector<FaceRow>& out) {
    out.clear();
    for (const auto& batch : FaceSql::DigestBatches(digests)) {
        if (!OpenText(FaceSql::FetchByDigest(std::to_string(category), batch))) return false;
        for (; !m_rs.IsEOF(); m_rs.MoveNext()) {
            FaceRow row;
            if (!ReadFaceRow(withImages, row)) return false;
            out.push_back(std::move(row));
        }
    }
    return true;
}
