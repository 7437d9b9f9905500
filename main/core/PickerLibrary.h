// The face library as the picker reads it: its own connection with one transaction that
// is never committed, and the queries of the views. Kept apart from the window code so
// that the store's value types never meet the system's OLE headers.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "FaceRecords.h"

class PickerLibrary {
public:
    PickerLibrary();
    ~PickerLibrary();
    PickerLibrary(const PickerLibrary&) = delete;
    PickerLibrary& operator=(const PickerLibrary&) = delete;

    // Opens the file with the library's password, begins the transaction and creates
    // missing tables. False when the file cannot be opened (missing, no database, wrong
    // password).
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const;

    bool ListCategories(std::vector<CategoryRow>& out);
    int CountFaces(int category);  // 0 on failure
    bool ReadPage(int category, int perPage, int page, std::vector<FaceRow>& out);
    bool Search(const std::string& text, std::vector<IndexRow>& out);
    bool Fetch(int category, const std::vector<std::string>& digests, std::vector<FaceRow>& out);
    // ReadPage and Fetch without the face files: thumbnails to decode ahead.
    bool ReadPageThumbnails(int category, int perPage, int page, std::vector<FaceRow>& out);
    bool FetchThumbnails(int category, const std::vector<std::string>& digests, std::vector<FaceRow>& out);
    // Face id -> the first category table of its list, for the faces still in the
    // library. False when the query failed (nothing can be said about the faces then).
    bool TablesOf(const std::vector<std::string>& digests, std::map<std::string, std::string>& out);

private:
    struct Impl;
    std::unique_ptr<Impl> m;
};

// The text between the first and second "|" of a bar list ("" when there is none).
std::string FirstBarEntry(const std::string& barList);
