// NewFaceDlg ("添加表情"): the face's name, its file with a playing preview, and the
// category it goes to, with "浏览" for another file and "新建分类" for a new category.
#pragma once
#include <memory>
#include <string>

#include "EditorDialogs_win.h"

namespace editor {

class CZevezEZDlg;

class NewFaceDlg : public EditorDialog {
public:
    static constexpr int IDC_PATH = 1052;
    static constexpr int IDC_NAME = 1054;
    static constexpr int IDC_CATEGORY = 1055;
    static constexpr int IDC_BROWSE = 1058;
    static constexpr int IDC_NEW_CATEGORY = 1059;

    NewFaceDlg(CZevezEZDlg& editor, const std::string& programDir, std::string name, std::string path);
    ~NewFaceDlg() override;

    std::string m_name;
    std::string m_path;
    int m_position = -1;  // chosen category's list position

protected:
    void Build() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void Play(const std::string& path);
    void Browse();
    void NewCategory();

    CZevezEZDlg& m_editor;
    std::unique_ptr<CPictureEx> m_preview;
};

}  // namespace editor
