// Categories and the helpers every library operation uses.
#include "FaceLibrary.h"

#include "BarList.h"
#include "FaceStatements.h"
#include "LibraryTransaction.h"

FaceLibrary::FaceLibrary(CAdoConnection& connection, CAdoRecordSet& recordset,
                         FaceRenderer* renderer)
    : m_connection(connection), m_rs(recordset), m_renderer(renderer) {}

bool FaceLibrary::OpenTable(const char* name) { return m_rs.Open(name, adCmdTable); }

bool FaceLibrary::OpenText(const std::string& sql) { return m_rs.Open(sql, adCmdText); }

std::string FaceLibrary::Text(const char* field) {
    std::string text;
    m_rs.GetCollect(field, text);
    return TrimText(text);
}

bool FaceLibrary::ReadBinary(const char* field, std::vector<uint8_t>& out) {
    out.clear();
    int32_t size = m_rs.GetFieldActualSize(field);
    if (size < 0) return false;
    if (size == 0) return true;
    out.resize(static_cast<size_t>(size));
    if (!m_rs.GetChunk(field, out.data(), out.size())) {
        out.clear();
        return false;
    }
    return true;
}

bool FaceLibrary::EnsureTables() {
    if (!OpenTable(FaceSql::kIndexTable)) m_connection.Execute(FaceSql::kCreateIndexTable);
    if (!OpenTable(FaceSql::kCategoryTable)) m_connection.Execute(FaceSql::kCreateCategoryTable);
    bool ok = OpenTable(FaceSql::kIndexTable) && OpenTable(FaceSql::kCategoryTable);
    m_rs.Close();
    return ok;
}

bool FaceLibrary::ListCategories(std::vector<CategoryRow>& out) {
    out.clear();
    if (!OpenTable(FaceSql::kCategoryTable)) return false;
    for (m_rs.MoveFirst(); !m_rs.IsEOF(); m_rs.MoveNext()) {
        CategoryRow row;
        m_rs.GetCollect("id", row.id);
        row.name = Text("name");
        ReadBinary("zoomimg", row.icon);  // a category without a readable icon shows none
        out.push_back(std::move(row));
    }
    return true;
}

bool FaceLibrary::ListPackLists(std::vector<std::string>& out) {
    out.clear();
    if (!OpenTable(FaceSql::kCategoryTable)) return false;
    for (m_rs.MoveFirst(); !m_rs.IsEOF(); m_rs.MoveNext()) out.push_back(Text("packid"));
    return true;
}

namespace {

void ReadCategoryFields(CAdoRecordSet& rs, CategoryRow& out) {
    rs.GetCollect("id", out.id);
    std::string text;
    if (rs.GetCollect("name", text)) out.name = TrimText(text);
    text.clear();
    if (rs.GetCollect("packid", text)) out.packs = TrimText(text);
    rs.GetCollect("maxorder", out.maxOrder);
}

}  // namespace

bool FaceLibrary::FindCategoryByName(const std::string& name, CategoryRow& out) {
    if (!OpenText(FaceSql::FindCategoryByName(name)) || m_rs.IsEOF()) return false;
    ReadCategoryFields(m_rs, out);
    return true;
}

bool FaceLibrary::ReadCategory(int id, CategoryRow& out) {
    if (!OpenText(FaceSql::ReadCategory(id)) || m_rs.IsEOF()) return false;
    ReadCategoryFields(m_rs, out);
    return true;
}

int FaceLibrary::CreateCategory(const std::string& name, int pack) {
    LibraryTransaction transaction(m_connection);
    if (!transaction.Began()) return -1;
    CategoryRow existing;
    if (FindCategoryByName(name, existing)) {
        // A pack list that is full keeps its old value; the category is still the one.
        std::string packs = BarListAdd(existing.packs, BarItem(pack), true);
        if (packs != existing.packs && m_rs.PutCollect("packid", packs)) m_rs.Update();
        transaction.Commit();
        return existing.id;
    }
    if (!OpenText(FaceSql::kAppendCategory) || !m_rs.AddNew()) return -1;
    if (!m_rs.PutCollect("name", name) ||
        !m_rs.PutCollect("packid", BarListAdd("", BarItem(pack), false)) ||
        !m_rs.PutCollect("maxorder", 0)) {
        m_rs.CancelUpdate();
        return -1;
    }
    int id = 0;
    if (!m_rs.Update() || !m_rs.GetCollect("id", id) || id <= 0) return -1;
    if (!m_connection.Execute(FaceSql::CreateFaceTable(id))) return -1;
    return transaction.Commit() ? id : -1;
}

int FaceLibrary::EnsureDefaultCategory() {
    std::vector<CategoryRow> rows;
    if (!ListCategories(rows)) return -1;
    if (!rows.empty()) return rows.front().id;
    return CreateCategory("<Default>", 0);
}

bool FaceLibrary::StoreMaxOrder(int id, int maxOrder) {
    CategoryRow row;
    if (!ReadCategory(id, row)) return false;
    if (row.maxOrder == maxOrder) return true;
    return m_rs.PutCollect("maxorder", maxOrder) && m_rs.Update();
}

bool FaceLibrary::DeleteCategory(int id) {
    LibraryTransaction transaction(m_connection);
    CategoryRow row;
    if (!transaction.Began() || !ReadCategory(id, row)) return false;
    if (!m_connection.Execute(FaceSql::DeleteCategoryRow(id)) ||
        !m_connection.Execute(FaceSql::DeleteSoleIndexRows(id)))
        return false;
    if (!OpenText(FaceSql::IndexRowsListing(id))) return false;
    for (m_rs.MoveFirst(); !m_rs.IsEOF(); m_rs.MoveNext()) {
        std::string list = BarListRemove(Text("name"), BarItem(id));
        if (!m_rs.PutCollect("name", list) || !m_rs.Update()) return false;
    }
    m_rs.Close();
    if (!m_connection.Execute(FaceSql::DropFaceTable(id))) return false;
    return transaction.Commit();
}

bool FaceLibrary::IsPackInstalled(int pack) {
    // Closed at once: a result kept open would hold the file's read view while the
    // caller waits on the user.
    bool installed = OpenText(FaceSql::PackInstalled(pack)) && !m_rs.IsEOF();
    m_rs.Close();
    return installed;
}
