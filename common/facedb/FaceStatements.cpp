#include "FaceStatements.h"

#include <algorithm>

#include "JetDialect.h"

namespace FaceSql {

namespace {

std::string N(int v) { return std::to_string(v); }
std::string Dq(const std::string& s) { return "\"" + JetEscapeDoubleQuoted(s) + "\""; }

// `id = "D1" or id = "D2"` ...
std::string IdTerms(const std::vector<std::string>& digests) {
    std::string terms;
    for (const std::string& d : digests) {
        if (!terms.empty()) terms += " or ";
        terms += "id = " + Dq(d);
    }
    return terms;
}

}  // namespace

std::string FileNameColumnValue(const std::string& path) {
    auto isLead = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; };
    // From the end backwards, counting characters: the leftmost separator whose tail fits.
    size_t chars = 0, best = std::string::npos;
    for (size_t i = path.size(); i-- > 0;) {
        if (isLead(path[i]) && ++chars > kFileNameWidth) break;
        if (i == 0) return path;
        if (path[i] == '\\' || path[i] == '/') best = i;
    }
    if (best != std::string::npos) return path.substr(best);
    // Not even the separator and the name fit: the bare name, when it does.
    size_t slash = path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t nameChars = 0;
    for (char c : name) nameChars += isLead(c) ? 1 : 0;
    return nameChars <= kFileNameWidth ? name : path;
}

std::vector<std::vector<std::string>> DigestBatches(const std::vector<std::string>& digests) {
    std::vector<std::vector<std::string>> batches;
    for (size_t i = 0; i < digests.size(); i += kDigestsPerStatement) {
        size_t end = std::min(digests.size(), i + kDigestsPerStatement);
        batches.emplace_back(digests.begin() + static_cast<std::ptrdiff_t>(i),
                             digests.begin() + static_cast<std::ptrdiff_t>(end));
    }
    return batches;
}

std::string FindCategoryByName(const std::string& name) {
    return "select top 1 * from  mmNameIndexTable where name = " + Dq(name);
}

std::string CreateFaceTable(int category) {
    return "CREATE TABLE " + N(category) +
           "(id   char(32)  Primary   Key,filename char(150),zoomimg image,img image,"
           "demo char(50),orderid int)";
}

std::string ReadCategory(int category) {
    return "select top 1 * from  mmNameIndexTable where id = " + N(category);
}

std::string CountFaces(int category) { return "select count(*) from " + N(category); }

std::string PageOfFaces(int category, int top) {
    return "select top " + N(top) + " * from " + N(category) + " order by orderid";
}

std::string FindInIndex(const std::string& digest) {
    return "select * from mmImageFileMD5HashTable where id = " + Dq(digest) + ";";
}

std::string AppendFace(int category) { return "select top 1 * from " + N(category); }

std::string FindInCategory(int category, const std::string& digest) {
    return "select top 1 * from " + N(category) + " where id = " + Dq(digest) + ";";
}

std::string DeleteFaces(int category, const std::vector<std::string>& digests) {
    return "delete from " + N(category) + " where " + IdTerms(digests);
}

std::string IndexRowsOf(const std::vector<std::string>& digests) {
    return "select * from mmImageFileMD5HashTable where " + IdTerms(digests);
}

std::string DeleteIndexRows(const std::vector<std::string>& digests) {
    return "delete from mmImageFileMD5HashTable where " + IdTerms(digests);
}

std::string DeleteCategoryRow(int category) {
    return "delete from mmNameIndexTable where id = " + N(category);
}

std::string DeleteSoleIndexRows(int category) {
    return "delete from mmImageFileMD5HashTable where name = \"|" + N(category) + "|\"";
}

std::string IndexRowsListing(int category) {
    return "select * from  mmImageFileMD5HashTable where name like '%|" + N(category) + "|%'";
}

std::string DropFaceTable(int category) { return "drop table " + N(category); }

std::string PackInstalled(int pack) {
    return "select * from  mmNameIndexTable where packid like '%|" + N(pack) + "|%'";
}

std::string SearchFaces(const std::string& text) {
    return "select * from mmImageFileMD5HashTable where demo like '%" +
           JetEscapeSingleQuoted(text) + "%'";
}

std::string FetchByDigest(const std::string& table, const std::vector<std::string>& digests) {
    std::string sql;
    for (const std::string& d : digests) {
        if (sql.empty())
            sql = "select * from " + table + " where id='" + JetEscapeSingleQuoted(d) + "'";
        else
            sql += " or id='" + JetEscapeSingleQuoted(d) + "'";
    }
    return sql;
}

}  // namespace FaceSql
