// CMienkoMainDlg: the face picker's one window. It owns the library connection, the
// configuration, the faces panel, the tray icon and the docking control; it shows a
// category, the frequent faces or search results page by page.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Config.h"
#include "DockControl_win.h"
#include "FaceSender_win.h"
#include "MienkosPanel_win.h"
#include "PickerLibrary.h"
#include "StaticPageButton_win.h"
#include "BitmapBtn_win.h"
#include "SkinDialog_win.h"
#include "winfx/FileDrop.h"
#include "winfx/ImageList.h"
#include "winfx/Menu.h"
#include "winfx/Tooltip.h"
#include "winfx/TrayIcon.h"

// Messages other programs send to the main window.
constexpr UINT UM_TRAY_NOTIFY = WM_USER + 10;
constexpr UINT UM_LIBRARY_CHANGED = WM_USER + 11;
constexpr UINT UM_CHATWND_ACTIVE = WM_USER + 101;
// Posted to itself by the drop target: the dropped files are handled after the drag ended.
constexpr UINT UM_FILES_DROPPED = WM_USER + 12;

class CMienkoMainDlg : public CSkinDialog, public PanelOwner {
public:
    static constexpr const char* kTitle = "PeluQQ表情精灵";
    static constexpr UINT_PTR kPrefetchTimer = 0x5046;
    static constexpr UINT kPrefetchDelayMs = 30;  // after a page is shown, its next page is decoded
    enum ViewMode { kCategoryView = 0, kSearchView = 1, kFrequentView = 2 };

    // params: this start's command line after the program name (UTF-8).
    explicit CMienkoMainDlg(std::string params);
    ~CMienkoMainDlg() override;

protected:
    bool OnInitDialog() override;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnSize(UINT type, int width, int height) override;
    void OnOK() override;
    void OnCancel() override;
    void OnSkinButtonClick(int index) override;

    // PanelOwner: the gestures on a face.
    void OnFaceClick(int cell) override;
    void OnFaceDoubleClick(int cell) override;
    void OnFaceRightClick(int cell, POINT screen) override;

private:
    struct Category {
        int id = 0;
        std::string name;
        int image = 0;
    };
    struct FoundFace {
        std::string id;
        std::string table;
    };

    //--- start-up and shut-down (MainLifecycle_win.cpp)
    bool OpenLibrary();
    void LayoutControls();
    void HandleStartCommandLine();
    LRESULT OnCopyData(const COPYDATASTRUCT* data);
    void OnFilesDropped();
    LRESULT ReloadLibrary();
    void ExitApplication();
    void SaveConfig();

    //--- views (MainViews_win.cpp)
    void LoadCategories(bool reopen);
    void BuildCategorySelector();
    void OnCategoryChanged();
    void ShowView(bool reload, int category, int minPage, bool refresh, int page);
    void GoToPage(int page);
    void FillPanel();
    void FetchByDigest(const std::vector<std::pair<std::string, std::string>>& faces, size_t from, size_t to,
                       bool withImages, std::vector<FaceRow>& out);
    std::vector<std::pair<std::string, std::string>> ViewDigests() const;  // frequent or found faces
    void PrefetchNextPage();
    void UpdatePageControls();
    void SetLabel(int id, const std::string& text);
    bool DoSearch(const std::string& text);
    void SearchFromBox();
    void OnHistoryChosen();
    void RecordSentFace(const std::string& faceId);
    void ResizeView(int width, int height);
    void SendFace(int cell, bool send);

    //--- menus and small dialogs (MainMenus_win.cpp)
    void ShowTrayMenu(POINT screen);
    void OnMenuCommand(UINT id);
    void HideMainWindow();
    void ToggleDock();
    void ShowAbout();
    void ShowOptions();
    void Manage();
    LRESULT OnColourStatic(HDC dc, HWND control);

    std::string m_params;
    std::string m_programDir;
    PickerLibrary m_library;
    CConfig m_config;
    std::unique_ptr<CDockControl> m_dock;
    CMienkosPanel m_panel;
    std::unique_ptr<panel::FaceSender> m_sender;
    std::vector<std::unique_ptr<CStaticPageButton>> m_pageButtons;  // prev, next, pages 1 ... 9, more
    std::vector<std::unique_ptr<CBitmapBtn>> m_pushButtons;          // "管理", "搜索"
    std::unique_ptr<winfx::TrayIcon> m_tray;
    winfx::PopupMenu m_trayMenu;
    winfx::Tooltip m_tooltip;
    winfx::ImageList m_images;
    winfx::UniqueIcon m_bigIcon, m_smallIcon, m_trayIcon;
    winfx::FileDrop m_fileDrop;
    std::vector<std::string> m_dropped;  // the last drop's files, handled on UM_FILES_DROPPED

    std::vector<Category> m_categories;
    std::vector<int> m_useCounts;      // per category
    std::vector<int> m_selector;       // item data of the selector's entries
    std::vector<FrequentFace> m_frequent;
    std::vector<FoundFace> m_results;
    int m_viewMode = kCategoryView;
    int m_selected = -1;   // category index, -1 none shown yet
    int m_lastShownId = -1;
    int m_page = 0;
    int m_total = 0;
    int m_pageSize = 40;
    bool m_selectorGuard = true;
    bool m_initialised = false;
    bool m_startInToolbar = false;
    bool m_dockChecked = true;
    SIZE m_client{0, 0};
    SIZE m_panelSize{0, 0};
};
