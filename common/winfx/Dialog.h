// Dialog: a Window made from a dialog template, either an .rc resource id or template
// bytes in memory (built with DialogTemplate, or loaded and patched). The derived class
// keeps its input and output in public fields: fill them, call DoModal, read them on IDOK.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "winfx/Window.h"

namespace winfx {

class Dialog : public Window {
public:
    explicit Dialog(int templateId, HINSTANCE instance = ThisModule());
    explicit Dialog(std::vector<BYTE> templateBytes, HINSTANCE instance = ThisModule());

    // Returns the value given to End: IDOK or IDCANCEL for the usual buttons; -1 if the
    // dialog could not be created.
    INT_PTR DoModal(HWND parent);
    // With an App, the App's loop gives the dialog keyboard navigation while it lives.
    bool CreateModeless(HWND parent, App* app = nullptr);
    bool IsModal() const noexcept { return m_modal; }

    // Modal: ends DoModal with result. Modeless: destroys the window.
    void End(INT_PTR result);

    HWND Item(int id) const noexcept { return GetDlgItem(Hwnd(), id); }
    std::string ItemText(int id) const;
    void SetItemText(int id, std::string_view utf8);
    bool IsChecked(int id) const noexcept;
    void SetChecked(int id, bool checked) noexcept;

protected:
    // The template's controls exist now. Return true to let the system set the focus.
    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { End(IDOK); }
    virtual void OnCancel() { End(IDCANCEL); }  // Esc, the close box and WM_CLOSE land here

    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnCommand(int id, int code, HWND control) override;  // IDOK/IDCANCEL -> OnOK/OnCancel

    // Lets a derived dialog patch the template (font, styles) before creation.
    std::vector<BYTE>& TemplateBytes() noexcept { return m_template; }

private:
    friend class Window;
    const DLGTEMPLATE* Template() const noexcept;

    HINSTANCE m_instance;
    int m_templateId = 0;
    std::vector<BYTE> m_template;
    bool m_modal = false;
};

}  // namespace winfx
