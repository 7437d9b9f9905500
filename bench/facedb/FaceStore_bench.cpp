// Speed of the face store on the operations users wait for: adding many faces,
// opening a deep page, searching by name and the frequent view's fetch.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "FaceDatabase.h"
#include "FaceLibrary.h"
#include "Md5.h"

namespace {

std::vector<uint8_t> Picture(int n, size_t size = 4096) {
    std::vector<uint8_t> bytes(size);
    uint32_t x = static_cast<uint32_t>(n) * 2654435761u + 7;
    for (uint8_t& b : bytes) {
        x = x * 1103515245u + 12345u;
        b = static_cast<uint8_t>(x >> 16);
    }
    return bytes;
}

std::string FreshPath(const std::string& name) {
    std::string dir = (std::filesystem::temp_directory_path() / "facedb-bench").string();
    std::filesystem::create_directories(dir);
    std::string path = dir + "/" + name;
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(path + suffix);
    return path;
}

struct Store {
    explicit Store(const std::string& path) {
        FaceDatabase::CreateEmpty(path);
        FaceDatabase::Open(conn, path);
        rs.SetConnection(&conn);
        rs.UseClientCursor();
    }
    CAdoConnection conn;
    CAdoRecordSet rs;
    FaceLibrary library{conn, rs, nullptr};
};

// 10,000 faces of 4 KiB in category 1, 100,000 index rows, and four small categories
// holding the frequent faces.
struct BigLibrary {
    BigLibrary() : store(FreshPath("big.db")) {
        FaceLibrary& lib = store.library;
        int cat = lib.CreateCategory("big", 0);
        store.conn.BeginTrans();
        int maxOrder = 0;
        for (int i = 0; i < 10000; ++i)
            lib.AddFace(cat, maxOrder, "C:\\faces\\f.gif", "face " + std::to_string(i), Picture(i));
        lib.StoreMaxOrder(cat, maxOrder);
        for (int c = 0; c < 4; ++c) {
            int id = lib.CreateCategory("frequent " + std::to_string(c), 0);
            int order = 0;
            for (int k = 0; k < 10; ++k) {
                auto picture = Picture(100000 + c * 10 + k);
                lib.AddFace(id, order, "f", "fav", picture);
                frequent[c].push_back(FaceDigestText(picture.data(), picture.size()));
            }
            frequentCategory[c] = id;
        }
        store.conn.CommitTrans();
        // More index rows, as a library of many packs has, written directly for speed.
        sqlite3* db = store.conn.GetInterface()->Handle();
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO mmImageFileMD5HashTable(id,name,demo) VALUES(?,'|9|',?)",
                           -1, &stmt, nullptr);
        const char* words[] = {"smile", "cry", "happy", "angry", "cat", "dog", "wave", "hug"};
        for (int i = 0; i < 90000; ++i) {
            std::string id = FaceDigestText(&i, sizeof i);
            std::string name = std::string(words[i % 8]) + " " + words[(i / 8) % 8] + " " +
                               std::to_string(i);
            sqlite3_bind_text(stmt, 1, id.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(stmt, 2, name.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_step(stmt);
            sqlite3_reset(stmt);
        }
        sqlite3_finalize(stmt);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    }
    Store store;
    std::vector<std::string> frequent[4];
    int frequentCategory[4] = {};
};

BigLibrary& Big() {
    static BigLibrary big;
    return big;
}

void AddTenThousandFacesInOneTransaction(benchmark::State& state) {
    std::vector<std::vector<uint8_t>> pictures;
    for (int i = 0; i < 10000; ++i) pictures.push_back(Picture(i));
    for (auto _ : state) {
        state.PauseTiming();
        auto store = std::make_unique<Store>(FreshPath("add.db"));
        int cat = store->library.CreateCategory("c", 0);
        state.ResumeTiming();
        store->conn.BeginTrans();
        int maxOrder = 0;
        for (int i = 0; i < 10000; ++i)
            if (store->library.AddFace(cat, maxOrder, "C:\\faces\\f.gif", "face", pictures[i]) !=
                AddFaceResult::Added)
                state.SkipWithError("add failed");
        store->library.StoreMaxOrder(cat, maxOrder);
        store->conn.CommitTrans();
        state.PauseTiming();
        store.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(AddTenThousandFacesInOneTransaction)->Unit(benchmark::kMillisecond)->Iterations(3);

void OpenPage100Of10000(benchmark::State& state) {
    FaceLibrary& lib = Big().store.library;
    for (auto _ : state) {
        if (!lib.OpenPage(1, 40, 100)) state.SkipWithError("page failed");
    }
}
BENCHMARK(OpenPage100Of10000)->Unit(benchmark::kMillisecond);

void ReadPage100Of10000WithImages(benchmark::State& state) {
    FaceLibrary& lib = Big().store.library;
    std::vector<FaceRow> rows;
    for (auto _ : state) {
        if (!lib.ReadPage(1, 40, 100, true, rows) || rows.size() != 40) state.SkipWithError("page");
    }
}
BENCHMARK(ReadPage100Of10000WithImages)->Unit(benchmark::kMillisecond);

void Search100000IndexRowsByName(benchmark::State& state) {
    FaceLibrary& lib = Big().store.library;
    std::vector<IndexRow> hits;
    for (auto _ : state) {
        if (!lib.SearchFaces("hug wave 77", hits)) state.SkipWithError("search failed");
    }
    state.counters["hits"] = static_cast<double>(hits.size());
}
BENCHMARK(Search100000IndexRowsByName)->Unit(benchmark::kMillisecond);

void FetchFortyFrequentFacesAcrossCategories(benchmark::State& state) {
    BigLibrary& big = Big();
    std::vector<FaceRow> rows;
    for (auto _ : state) {
        size_t total = 0;
        for (int c = 0; c < 4; ++c) {
            big.store.library.FetchFacesByDigest(big.frequentCategory[c], big.frequent[c], true, rows);
            total += rows.size();
        }
        if (total != 40) state.SkipWithError("fetch");
    }
}
BENCHMARK(FetchFortyFrequentFacesAcrossCategories)->Unit(benchmark::kMicrosecond);

// --- read snapshots: a recordset holds its connection's read view until it is closed,
// reaches its end or the connection writes. What holding it costs the reader, and what
// an idle holder costs the writer (the log cannot restart behind it).

void PageWithImagesHeldInOneView(benchmark::State& state) {
    Store& store = Big().store;
    store.conn.GetInterface()->SetSnapshotReads(state.range(0) != 0);
    std::vector<FaceRow> rows;
    for (auto _ : state) {
        if (!store.library.ReadPage(1, 40, 100, true, rows) || rows.size() != 40)
            state.SkipWithError("page");
    }
    store.conn.GetInterface()->SetSnapshotReads(true);
    state.SetLabel(state.range(0) ? "snapshot" : "live reads");
}
BENCHMARK(PageWithImagesHeldInOneView)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

uint64_t FileSize(const std::string& path) {
    std::error_code ec;
    auto size = std::filesystem::file_size(path, ec);
    return ec ? 0 : size;
}

// The editor adds 2000 faces of 4 KiB, one commit each, while the picker's recordset
// stands on the first row of a page (held view) or at its end (let go).
void EditorAddsWhilePickerSitsOnAPage(benchmark::State& state) {
    const bool held = state.range(0) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::string path = FreshPath("idle.db");
        Store editor(path);
        int cat = editor.library.CreateCategory("c", 0);
        int maxOrder = 0;
        for (int i = 0; i < 40; ++i)
            editor.library.AddFace(cat, maxOrder, "f", "face", Picture(i));
        CAdoConnection pickerConn;
        FaceDatabase::Open(pickerConn, path);
        CAdoRecordSet pickerRs;
        pickerRs.SetConnection(&pickerConn);
        pickerRs.UseClientCursor();
        FaceLibrary picker(pickerConn, pickerRs, nullptr);
        pickerConn.BeginTrans();  // as the picker does, never committed
        picker.OpenPage(cat, 40, 0);
        if (!held)
            while (!pickerRs.IsEOF()) pickerRs.MoveNext();
        int64_t memoryBefore = sqlite3_memory_used();
        state.ResumeTiming();
        for (int i = 0; i < 2000; ++i)
            if (editor.library.AddFace(cat, maxOrder, "f", "face", Picture(1000 + i)) !=
                AddFaceResult::Added)
                state.SkipWithError("add");
        state.PauseTiming();
        state.counters["wal_MiB"] = static_cast<double>(FileSize(path + "-wal")) / (1 << 20);
        state.counters["shm_KiB"] = static_cast<double>(FileSize(path + "-shm")) / 1024;
        state.counters["db_MiB"] = static_cast<double>(FileSize(path)) / (1 << 20);
        state.counters["sqlite_mem_KiB"] =
            static_cast<double>(sqlite3_memory_used() - memoryBefore) / 1024;
        state.ResumeTiming();
    }
    state.SetLabel(held ? "picker holds its view" : "picker at the end");
}
BENCHMARK(EditorAddsWhilePickerSitsOnAPage)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
