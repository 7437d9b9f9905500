// CZevezEZDlg: the editor's main window - the category list, the faces of one category
// page by page, and the commands that add, order, move, copy and delete faces. It owns
// the database connection and commits its one long transaction when the library is to
// be published (a passed-on command line, a folder import, UM_LIBRARY_CHANGED, closing).
#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "AdoConnection.h"
#include "AdoRecordSet.h"
#include "EditorCommandLine.h"
#include "FaceAdder.h"
#include "FaceLibrary.h"
#include "GridPage.h"
#include "MienkosPanel_win.h"
#include "PackImport.h"
#include "SkinDialog_win.h"
#include "StaticPageButton_win.h"
#include "winfx/ImageList.h"
#include "winfx/ListView.h"

class CPictureEx;
class CBitmapBtn;
class PictureFaceRenderer;

namespace editor {

class CDragDrop;
class WinFiles;

class CZevezEZDlg : public CSkinDialog,
                    public PanelOwner,
                    public PackImportHost,
                    public EditorPrompts {
public:
    // `commandLine`: the text after the program name, handled once the window is ready.
    CZevezEZDlg(std::string programDir, std::string commandLine);
    ~CZevezEZDlg() override;

    // The drop target queues paths here and posts UM_FILES_DROPPED.
    void QueueDroppedPath(const std::string& path);

    //--- PackImportHost
    void* OwnerWindow() override { return Hwnd(); }
    FaceLibrary& Library() override { return *m_library; }
    int OpenImportCategory(const std::string& name, int pack) override;
    int& MaxOrder() override { return m_maxOrder; }
    int OpenCategoryNumber() override { return m_category; }
    void OnImportFinished() override;

    //--- EditorPrompts
    void Notice(const std::string& text) override;
    bool Confirm(const std::string& text) override;

protected:
    bool OnInitDialog() override;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnCommand(int id, int code, HWND control) override;
    LRESULT OnNotify(NMHDR& nm) override;
    void OnDestroy() override;
    void OnOK() override {}  // Enter in the list or grid does not quit; "退出" does
    void OnSkinButtonClick(int index) override;

    //--- PanelOwner
    void OnFaceClick(int cell) override;
    void OnFaceDoubleClick(int cell) override;
    void OnFaceRightClick(int cell, POINT screen) override;

private:
    //--- window (ZevezEZDlg_win.cpp)
    void CreateControls();
    CBitmapBtn* AddButton(int id, const char* text, RECT rect);
    HWND AddStatic(int id, const char* text, RECT rect);
    bool OpenLibrary();
    void CommitAndNotify(bool notify);
    void Shutdown();
    bool HandleCommandLine(const std::string& text, bool atStart);
    void OnCopyData(const COPYDATASTRUCT& data);
    void RunAddFaceCommand(const AddFaceRequest& request);
    int MessageBox(const std::string& text, UINT type, const char* caption = nullptr);

    //--- categories and pages (EditorCategories_win.cpp)
    void LoadCategoryList();
    int AddCategoryItem(const CategoryRow& row, int at = -1);
    void SetCategoryIcon(int position, const std::vector<uint8_t>& jpeg);
    void RefreshCategoryIcon(int position);
    void RefreshMissingCategoryIcons();
    void OpenCategoryAt(int position, int page, bool display, bool writeBack);
    void DisplayPage();
    void UpdatePaging();
    void ChangePage(int target);
    void SelectListItem(int position);
    int PositionOfCategory(int id) const;
    void WriteBackMaxOrder();
    void RequeryPage() { OpenCategoryAt(m_position, m_page, true, true); }
    void CreateCategoryCommand();
    void DeleteCategoryCommand();

public:
    // Creates the category through the entry dialog; its list position or -1 (also used
    // by the add-face dialog's "新建分类").
    int CreateCategoryInteractive();
    std::vector<std::string> CategoryNames() const;
    int CurrentPosition() const { return m_position; }

private:
    //--- adding (EditorAdding_win.cpp)
    void AddFacesCommand();
    void ImportFolderCommand();
    void ImportPackCommand();
    void ImportFolder(const std::string& folder);
    AddResult AddFile(const std::string& path, const std::string& name, bool interactive);
    bool AskAddFaceDialog(std::string& name, std::string& path);
    void ProcessDrops();
    void HandleDroppedPath(const std::string& path, bool withDialog);
    void QueuePack(const std::string& path);

    //--- ordering, moving, deleting (EditorOrdering_win.cpp)
    void SyncSelection();
    void RunCellCommand(UINT command, int cell);
    void MoveFace(int cell, UINT command);
    void MoveToTypedPosition(int cell);
    void DeleteSelected();
    void MoveOrCopySelected(bool move);
    void RenameFace(int cell);
    std::optional<int> ChooseTargetCategory();

    std::string m_programDir;
    std::string m_commandLine;
    CAdoConnection m_connection;
    CAdoRecordSet m_recordset;
    std::unique_ptr<PictureFaceRenderer> m_renderer;
    std::unique_ptr<FaceLibrary> m_library;
    std::unique_ptr<WinFiles> m_files;
    std::unique_ptr<FaceAdder> m_adder;
    std::unique_ptr<PackImporter> m_importer;
    bool m_libraryOpen = false;
    bool m_inTransaction = false;

    winfx::ImageList m_images{16, 16, ILC_COLOR32 | ILC_MASK, 0, 4};
    std::unique_ptr<CPictureEx> m_iconPainter;  // renders category icons off screen
    winfx::ListView m_list;
    CMienkosPanel m_panel;
    GridPage m_grid;
    std::vector<std::unique_ptr<CBitmapBtn>> m_buttons;
    std::vector<std::unique_ptr<CStaticPageButton>> m_pageButtons;
    bool m_syncingList = false;
    int m_menuCell = -1;  // the cell whose menu was opened last

    int m_position = -1;  // of the open category in the list
    int m_category = 0;   // its number
    int m_page = -1;
    int m_maxOrder = 0;
    int m_count = 0;

    std::vector<std::string> m_pendingDrops;
    std::vector<std::string> m_deferredCommands;  // passed on while an import ran
    CDragDrop* m_dropTarget = nullptr;            // COM object, released at destroy
};

}  // namespace editor
