// What the picker asks of the library on a page change, a search and the frequent view,
// on a library of 10,000 faces in 20 categories (500 each), as the picker's own
// connection with its open transaction sees it.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "AdoConnection.h"
#include "AdoRecordSet.h"
#include "FaceDatabase.h"
#include "FaceLibrary.h"
#include "Md5.h"
#include "PickerLibrary.h"
#include "UsageOrder.h"

namespace {

constexpr int kCategories = 20;
constexpr int kPerCategory = 500;

// A small GIF-sized picture, distinct per face; a 2 KB thumbnail stands in for the JPEG.
std::vector<uint8_t> Picture(int i, size_t size) {
    std::vector<uint8_t> bytes(size, static_cast<uint8_t>(i));
    const std::string tag = "GIF89a#" + std::to_string(i);
    std::copy(tag.begin(), tag.end(), bytes.begin());
    return bytes;
}

const std::string& LibraryPath() {
    static const std::string path = [] {
        const std::string p = "/tmp/pelumo_bench_" + std::to_string(kCategories * kPerCategory) + ".db";
        if (std::FILE* f = std::fopen(p.c_str(), "rb")) {
            std::fclose(f);
            return p;
        }
        FaceDatabase::CreateEmpty(p);
        CAdoConnection c;
        FaceDatabase::Open(c, p);
        CAdoRecordSet rs;
        rs.SetConnection(&c);
        FaceLibrary lib(c, rs, nullptr);
        lib.EnsureTables();
        c.BeginTrans();
        int face = 0;
        for (int k = 0; k < kCategories; ++k) {
            const int id = lib.CreateCategory("分类 " + std::to_string(k), 0);
            int maxOrder = 0;
            for (int i = 0; i < kPerCategory; ++i, ++face)
                lib.AddFace(id, maxOrder, "f" + std::to_string(face) + ".gif",
                            (face % 2 ? "微笑 " : "smile ") + std::to_string(face), Picture(face, 6000));
            lib.StoreMaxOrder(id, maxOrder);
        }
        c.CommitTrans();
        c.Close();
        return p;
    }();
    return path;
}

void BM_PageChange(benchmark::State& state) {
    PickerLibrary lib;
    if (!lib.Open(LibraryPath())) {
        state.SkipWithError("library not opened");
        return;
    }
    const int page = static_cast<int>(state.range(0));
    std::vector<FaceRow> rows;
    for (auto _ : state) {
        lib.ReadPage(7, 40, page, rows);
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["faces"] = static_cast<double>(rows.size());
}
BENCHMARK(BM_PageChange)->Arg(0)->Arg(5)->Arg(12)->Unit(benchmark::kMillisecond);

void BM_CategoryCount(benchmark::State& state) {
    PickerLibrary lib;
    lib.Open(LibraryPath());
    for (auto _ : state) benchmark::DoNotOptimize(lib.CountFaces(7));
}
BENCHMARK(BM_CategoryCount)->Unit(benchmark::kMillisecond);

// The whole search: the index query, then the first page's faces fetched by digest.
void BM_Search(benchmark::State& state) {
    PickerLibrary lib;
    lib.Open(LibraryPath());
    const std::string text = state.range(0) == 0 ? "微笑 99" : "smile";
    std::vector<IndexRow> hits;
    std::vector<FaceRow> rows;
    for (auto _ : state) {
        lib.Search(text, hits);
        std::vector<std::string> digests;
        const std::string table = hits.empty() ? "" : FirstBarEntry(hits.front().categories);
        for (const IndexRow& h : hits)
            if (digests.size() < 40 && FirstBarEntry(h.categories) == table) digests.push_back(h.digest);
        if (!digests.empty()) lib.Fetch(std::stoi(table), digests, rows);
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["hits"] = static_cast<double>(hits.size());
}
BENCHMARK(BM_Search)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The frequent view: 40 faces checked against the index, then fetched table by table.
void BM_FrequentView(benchmark::State& state) {
    PickerLibrary lib;
    lib.Open(LibraryPath());
    std::vector<std::string> ids;
    for (int i = 0; i < 40; ++i) {
        const auto bytes = Picture(i * 250, 6000);
        ids.push_back(FaceDigestText(bytes.data(), bytes.size()));
    }
    std::map<std::string, std::string> tables;
    for (auto _ : state) {
        lib.TablesOf(ids, tables);
        benchmark::DoNotOptimize(tables.size());
    }
    state.counters["found"] = static_cast<double>(tables.size());
}
BENCHMARK(BM_FrequentView)->Unit(benchmark::kMillisecond);

void BM_RecordSentFace(benchmark::State& state) {
    std::vector<FrequentFace> list;
    for (int i = 0; i < 40; ++i) list.push_back(FrequentFace{std::string(31, 'a') + char('a' + i % 26), i % 5, {}});
    int i = 0;
    for (auto _ : state) usage::RecordSentFace(list, list[static_cast<size_t>(++i % 40)].id);
}
BENCHMARK(BM_RecordSentFace);

}  // namespace
