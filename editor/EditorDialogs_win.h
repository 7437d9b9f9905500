// The editor's small dialogs: category name entry, typed position, target category,
// face rename, about. Each is a skinned dialog whose controls are laid out in code;
// the public fields are its input and output.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "SkinDialog_win.h"

class CBitmapBtn;
class CPictureEx;

namespace editor {

class EditorDialog : public CSkinDialog {
public:
    EditorDialog(const std::string& programDir, const std::string& section, const std::string& title,
                 SIZE size);
    ~EditorDialog() override;

protected:
    bool OnInitDialog() override;
    void OnSkinButtonClick(int index) override;
    virtual void Build() = 0;

    HWND AddControl(const wchar_t* className, const std::string& text, DWORD style, RECT rect,
                    int id, DWORD exStyle = 0);
    HWND AddLabel(const std::string& text, RECT rect);
    HWND AddEdit(int id, const std::string& text, RECT rect, int limit);
    CBitmapBtn* AddButton(int id, const std::string& text, RECT rect);
    // OK and Cancel at the bottom right.
    void AddOkCancel();
    SIZE Size() const { return m_size; }

private:
    SIZE m_size;
    std::vector<std::unique_ptr<CBitmapBtn>> m_buttons;
};

// "请输入分类名": one field "分类名称：".
class CEntryEditDlg : public EditorDialog {
public:
    static constexpr int IDC_NAME = 1050;
    explicit CEntryEditDlg(const std::string& programDir);
    std::string m_text;

protected:
    void Build() override;
    void OnOK() override;
};

// "移动到指定位置": one field "指定表情位置：" prefilled with the face's place.
class CMoveFacePosDlg : public EditorDialog {
public:
    static constexpr int IDC_POSITION = 1051;
    CMoveFacePosDlg(const std::string& programDir, int place);
    std::string m_text;

protected:
    void Build() override;
    void OnOK() override;

private:
    int m_place;
};

// "选择分类": every category in list order, the first one selected.
class CChangeFaceToDlg : public EditorDialog {
public:
    static constexpr int IDC_CATEGORIES = 1056;
    CChangeFaceToDlg(const std::string& programDir, std::vector<std::string> names);
    int m_position = -1;

protected:
    void Build() override;
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    std::vector<std::string> m_names;
};

// "表情重命名": the face and one field "表情名称：".
class CFaceDemoDlg : public EditorDialog {
public:
    static constexpr int IDC_NAME = 1057;
    CFaceDemoDlg(const std::string& programDir, std::string name, std::vector<uint8_t> image);
    ~CFaceDemoDlg() override;
    std::string m_text;

protected:
    void Build() override;
    void OnOK() override;

private:
    std::vector<uint8_t> m_image;
    std::unique_ptr<CPictureEx> m_picture;
};

class CAboutDlg : public EditorDialog {
public:
    explicit CAboutDlg(const std::string& programDir);

protected:
    void Build() override;
};

}  // namespace editor
