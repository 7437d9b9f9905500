// Reordering: faces keep their `orderid` values as a set; moves exchange or rotate
// them between positions (0-based rows in `orderid` order).
#include "FaceLibrary.h"
#include "FaceStatements.h"
#include "LibraryTransaction.h"

bool FaceLibrary::OpenOrderRows(int category, int last) {
    return last >= 0 && OpenText(FaceSql::PageOfFaces(category, last + 1)) &&
           m_rs.GetRecordCount() > last;
}

bool FaceLibrary::ReadOrderIds(int first, int last, std::vector<int32_t>& out) {
    out.clear();
    for (int p = first; p <= last; ++p) {
        int32_t value = 0;
        if (!m_rs.SetAbsolutePosition(p + 1) || !m_rs.GetCollect("orderid", value)) return false;
        out.push_back(value);
    }
    return true;
}

bool FaceLibrary::WriteOrderId(int position, int32_t value) {
    return m_rs.SetAbsolutePosition(position + 1) && m_rs.PutCollect("orderid", value) &&
           m_rs.Update();
}

bool FaceLibrary::SwapOrder(int category, int a, int b) {
    if (a < 0 || b < 0) return false;
    if (a == b) return true;
    LibraryTransaction transaction(m_connection);
    std::vector<int32_t> values;
    int first = a < b ? a : b, last = a < b ? b : a;
    if (!transaction.Began() || !OpenOrderRows(category, last) ||
        !ReadOrderIds(first, last, values))
        return false;
    int32_t valueA = values[static_cast<size_t>(a - first)];
    int32_t valueB = values[static_cast<size_t>(b - first)];
    // The neighbour first; the face's own row only when that write went through.
    if (!WriteOrderId(b, valueA) || !WriteOrderId(a, valueB)) return false;
    m_rs.Close();
    return transaction.Commit();
}

bool FaceLibrary::RotateOrder(int category, int from, int to) {
    if (from < 0 || to < 0) return false;
    if (from == to) return true;
    LibraryTransaction transaction(m_connection);
    int first = from < to ? from : to, last = from < to ? to : from;
    std::vector<int32_t> values;
    if (!transaction.Began() || !OpenOrderRows(category, last) ||
        !ReadOrderIds(first, last, values))
        return false;
    const int n = last - first + 1;
    if (from < to) {
        // Each face between takes the value of the row before it; the face takes the last.
        for (int k = n - 1; k >= 1; --k)
            if (!WriteOrderId(first + k, values[static_cast<size_t>(k - 1)])) return false;
        if (!WriteOrderId(first, values[static_cast<size_t>(n - 1)])) return false;
    } else {
        // The face takes the first value; each face between takes the value after it.
        if (!WriteOrderId(last, values[0])) return false;
        for (int k = n - 2; k >= 0; --k)
            if (!WriteOrderId(first + k, values[static_cast<size_t>(k + 1)])) return false;
    }
    m_rs.Close();
    return transaction.Commit();
}
