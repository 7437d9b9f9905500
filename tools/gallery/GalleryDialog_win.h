// One gallery window: a real CSkinDialog skinned from one section, filled with sample
// content laid out like the program window that uses the section, its faces playing.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "GallerySections.h"
#include "PictureEx_win.h"
#include "SkinDialog_win.h"

namespace gallery {

using FaceBytes = std::vector<std::vector<uint8_t>>;

class GalleryDialog : public CSkinDialog {
public:
    // client: the size the section was drawn for; place: where its top-left corner goes.
    GalleryDialog(SectionInfo info, const std::string& skinPath, POINT place, SIZE client,
                  const FaceBytes& faces, std::function<void()> onGone);
    ~GalleryDialog() override;

    const SectionInfo& Info() const { return m_info; }

protected:
    bool OnInitDialog() override;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnDestroy() override;

private:
    //--- content (GalleryContent_win.cpp)
    void BuildContent();
    void BuildPicker();
    void BuildAbout(const std::string& name);
    void BuildEditor();
    void BuildConfig();
    void BuildOnlineDown();
    void BuildUpdater();
    void BuildControls();

    HWND AddControl(const wchar_t* className, const std::string& text, DWORD style, RECT rect,
                    int id = 0, DWORD exStyle = 0);
    void AddLabel(const std::string& text, RECT rect, int id = 0);
    void AddPushButton(const std::string& text, RECT rect);
    CPictureEx* AddPicture(RECT rect, const std::vector<uint8_t>& bytes, bool animate);
    void AddFaceGrid(int left, int top, int columns, int rows);
    HWND AddReportList(RECT rect, const std::vector<std::pair<std::string, int>>& columns);
    void AddListRow(HWND list, const std::vector<std::string>& cells);
    const std::vector<uint8_t>& Face(size_t i) const;

    //--- test protocol
    void TagWindows();
    void Tag(HWND hwnd, const wchar_t* prop, const std::string& text);
    LRESULT OnPictureMessage(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnColourStatic(HDC dc, HWND control);

    SectionInfo m_info;
    POINT m_place;
    SIZE m_client;
    const FaceBytes& m_faces;
    std::function<void()> m_onGone;
    std::vector<std::unique_ptr<CPictureEx>> m_pictures;
    std::vector<std::unique_ptr<CBitmapBtn>> m_pushButtons;
    struct TagEntry {
        HWND hwnd;
        const wchar_t* prop;
        ATOM atom;
    };
    std::vector<TagEntry> m_tags;
    const std::vector<uint8_t> m_noFace;
    winfx::UniqueBrush m_whiteBrush;
};

// Control ids the content uses to colour its statics.
constexpr int kIdWhitePanel = 3001;
constexpr int kIdPageLink = 3002;

}  // namespace gallery
