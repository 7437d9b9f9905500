// CSkinDialog: the base of every dialog window of the programs. Its look (background,
// border pieces, corners cut out of the window, caption buttons, buttons, labels, check
// boxes, radio buttons) comes from one section of an XML skin file, read at initialisation.
//
// Set-up: SetSkinFile, SetSkinSection, optionally SetFrameFlags, then create the dialog;
// OnInitDialog loads the skin. Derived dialogs call CSkinDialog::OnInitDialog first.
#pragma once
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "SkinButton_win.h"
#include "SkinModel.h"
#include "SkinStatic_win.h"
#include "XSkinButton_win.h"
#include "XmlNode.h"
#include "winfx/Dialog.h"
#include "winfx/Unique.h"

class CSkinDialog : public winfx::Dialog {
public:
    static constexpr std::uint32_t kDefaultFrameFlags = 12;
    static constexpr std::uint32_t kFrameIcon = 8;

    // iconId: the program's icon resource, drawn 16 by 16 at the top left (frame flag 8).
    explicit CSkinDialog(int templateId, HINSTANCE instance = winfx::ThisModule(), int iconId = 128);
    explicit CSkinDialog(std::vector<BYTE> templateBytes, HINSTANCE instance = winfx::ThisModule(),
                         int iconId = 128);
    ~CSkinDialog() override;

    void SetSkinFile(const std::string& path) { m_strSkinFile = path; }
    void SetSkinSection(const std::string& section) { m_strSection = section; }
    const std::string& SkinFile() const { return m_strSkinFile; }
    const std::string& SkinSection() const { return m_strSection; }
    // 0 leaves only the stretched background: no border pieces, icon or caption text.
    void SetFrameFlags(std::uint32_t flags) {
        m_dwFrameFlags = flags;
        InvalidateFrame();
    }
    std::uint32_t FrameFlags() const { return m_dwFrameFlags; }
    // The updater reads no check boxes and radio buttons.
    void SetSkinReader(skin::SkinReader reader) { m_reader = reader; }

    CSkinButton* FindSkinButton(int index) const;
    const std::vector<std::unique_ptr<CSkinButton>>& Buttons() const { return m_buttons; }
    const std::vector<std::unique_ptr<CXSkinButton>>& CheckControls() const { return m_checks; }
    const std::vector<std::unique_ptr<CSkinStatic>>& Labels() const { return m_labels; }
    // Windows invalidated whenever the dialog paints.
    std::vector<HWND>& OtherWindows() { return m_otherWindows; }

    HBITMAP Piece(skin::Piece piece) const { return m_pieces[static_cast<size_t>(piece)].Get(); }
    HBITMAP Background() const { return m_bmpBackground.Get(); }
    HBITMAP DefaultButtonImage() const { return m_bmpButton.Get(); }
    HICON Icon() const { return m_icon.Get(); }

    // The painted frame (background, pieces, icon, caption) of the current client size,
    // rendered once and kept until the skin, the size or the title changes; null when the
    // window has no area. Controls copy the part under them from it.
    HBITMAP FrameImage();
    void InvalidateFrame() { m_frameStale = true; }

    //--- operations derived dialogs may override
    virtual void FreeSkin();
    virtual void OnSkinButtonMouseMove(const std::string& name, POINT pt);
    // Caption buttons by exact name: "minimize", "maxmize", "close".
    virtual void OnSkinButtonClick(int index);
    virtual BOOL LoadSkin();
    virtual BOOL ApplySkin(const CXMLElement& root);
    // Told of each "skinbutton" image; the main window gives its own buttons that image.
    virtual BOOL OnSkinButtonImage(HBITMAP image);
    virtual BOOL SetSkinRegion();
    virtual BOOL SetRectRegion();

protected:
    bool OnInitDialog() override;
    void OnPaint(HDC dc, const PAINTSTRUCT& ps) override;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    friend void PaintSkinFrame(HDC dc, CSkinDialog& dialog);
    void LoadImages(HDC dc, const skin::SkinSpec& spec);
    void CreateControls(HDC dc, const skin::SkinSpec& spec);
    void CreateButton(HDC dc, const skin::ControlSpec& c);
    void CreateLabel(const skin::ControlSpec& c);
    void CreateCheckControl(const skin::ControlSpec& c);
    HBITMAP CachedImage(const std::string& path);
    LRESULT OnHitTest(WPARAM wp, LPARAM lp);

    winfx::UniqueIcon m_icon;
    winfx::UniqueBitmap m_bmpClose, m_bmpIcon;
    std::array<winfx::UniqueBitmap, skin::kPieceCount> m_pieces;
    winfx::UniqueBitmap m_bmpBackground;
    winfx::UniqueBitmap m_bmpButton;
    winfx::UniqueBitmap m_bmpCheck, m_bmpRadio;
    std::vector<std::unique_ptr<CXSkinButton>> m_checks;
    std::vector<std::unique_ptr<CSkinButton>> m_buttons;
    std::vector<std::unique_ptr<CSkinStatic>> m_labels;
    std::vector<HWND> m_otherWindows;
    std::uint32_t m_dwFrameFlags = kDefaultFrameFlags;
    std::string m_strSkinFile;
    std::string m_strSection = "main_window";
    skin::SkinReader m_reader = skin::SkinReader::kFull;
    // Strips loaded while one skin is applied, by path: each file is read once.
    std::vector<std::pair<std::string, winfx::UniqueBitmap>> m_imageCache;
    winfx::UniqueBitmap m_frameImage;
    SIZE m_frameSize{0, 0};
    bool m_frameStale = true;
    // The corners are cut for one size: a resized window is shaped again.
    bool m_shaped = false;
};

// Draws the background, the border pieces, the icon and the caption text into dc (null:
// the window's own DC).
void PaintSkinFrame(HDC dc, CSkinDialog& dialog);

// For a control that draws transparently: paints what its skinned parent dialog shows under
// it into the control's dc. False (nothing drawn) when the parent is no CSkinDialog.
bool PaintSkinBackgroundUnder(HWND control, HDC dc);
