#include "PickerLibrary.h"

#include "AdoConnection.h"
#include "AdoConstants.h"
#include "AdoRecordSet.h"
#include "FaceDatabase.h"
#include "FaceLibrary.h"
#include "FaceStatements.h"

struct PickerLibrary::Impl {
    CAdoConnection connection;
    CAdoRecordSet recordset;
    std::unique_ptr<FaceLibrary> library;
};

std::string FirstBarEntry(const std::string& barList) {
    const size_t first = barList.find('|');
    if (first == std::string::npos) return {};
    const size_t second = barList.find('|', first + 1);
    if (second == std::string::npos) return {};
    return barList.substr(first + 1, second - first - 1);
}

PickerLibrary::PickerLibrary() : m(std::make_unique<Impl>()) {}
PickerLibrary::~PickerLibrary() { Close(); }

bool PickerLibrary::Open(const std::string& path) {
    Close();
    if (!FaceDatabase::Open(m->connection, path)) return false;
    m->recordset.SetConnection(&m->connection);
    m->recordset.UseClientCursor();
    m->connection.BeginTrans();  // never committed: the picker only reads
    m->library = std::make_unique<FaceLibrary>(m->connection, m->recordset, nullptr);
    m->library->EnsureTables();
    return true;
}

void PickerLibrary::Close() {
    if (!m->library) return;
    m->library.reset();
    m->recordset.Close();
    m->connection.Close();
}

bool PickerLibrary::IsOpen() const { return m->library != nullptr; }

bool PickerLibrary::ListCategories(std::vector<CategoryRow>& out) {
    out.clear();
    return m->library && m->library->ListCategories(out);
}

int PickerLibrary::CountFaces(int category) {
    const int n = m->library ? m->library->CountFaces(category) : -1;
    return n < 0 ? 0 : n;
}

bool PickerLibrary::ReadPage(int category, int perPage, int page, std::vector<FaceRow>& out) {
    out.clear();
    return m->library && m->library->ReadPage(category, perPage, page, true, out);
}

bool PickerLibrary::Search(const std::string& text, std::vector<IndexRow>& out) {
    out.clear();
    return m->library && m->library->SearchFaces(text, out);
}

bool PickerLibrary::Fetch(int category, const std::vector<std::string>& digests, std::vector<FaceRow>& out) {
    out.clear();
    return m->library && m->library->FetchFacesByDigest(category, digests, true, out);
}

bool PickerLibrary::ReadPageThumbnails(int category, int perPage, int page, std::vector<FaceRow>& out) {
    out.clear();
    return m->library && m->library->ReadPage(category, perPage, page, false, out);
}

bool PickerLibrary::FetchThumbnails(int category, const std::vector<std::string>& digests,
                                    std::vector<FaceRow>& out) {
    out.clear();
    return m->library && m->library->FetchFacesByDigest(category, digests, false, out);
}

bool PickerLibrary::TablesOf(const std::vector<std::string>& digests, std::map<std::string, std::string>& out) {
    out.clear();
    if (!m->library) return false;
    if (digests.empty()) return true;
    CAdoRecordSet& rs = m->recordset;
    if (!rs.Open(FaceSql::IndexRowsOf(digests), adCmdText)) return false;
    for (; !rs.IsEOF(); rs.MoveNext()) {
        std::string id, name;
        rs.GetCollect("id", id);
        rs.GetCollect("name", name);
        while (!id.empty() && id.back() == ' ') id.pop_back();
        const std::string table = FirstBarEntry(name);
        if (!table.empty()) out[id] = table;
    }
    return true;
}
