// winfx: the project's small Win32 application framework, in place of MFC and ATL.
//
// Conventions
// - Include "winfx/<Header>.h" or this file (all of them). Namespace winfx. Link `winfx`.
// - One window, one object: derive from Window (registered class) or Dialog (template),
//   override OnMessage or the typed OnXxx handlers. The object is bound at WM_NCCREATE /
//   WM_INITDIALOG and unbound at WM_NCDESTROY; destroying the object destroys its window.
//   `delete this` only in OnFinalMessage.
// - No exception leaves a window or dialog procedure: the trampoline catches, calls
//   OnException and answers as the default procedure would (WM_CREATE fails; a dialog
//   whose OnInitDialog throws is ended with -1).
// - Dialogs: public fields in and out; DoModal returns IDOK / IDCANCEL (-1: not created).
//   Modeless dialogs registered with the App get IsDialogMessage in its loop (App::Run;
//   while a DoModal runs, the system's modal loop serves only that dialog).
// - Texts are UTF-8 std::string; ToWide/ToUtf8 convert on the line calling a W function.
// - Every handle has one owner: Unique<Traits> aliases (Unique.h), DCs and select guards
//   (Gdi.h), ComPtr/Bstr/ComInit/OleInit (Com.h), GlobalLock and clipboard guards
//   (Memory.h). Control wrappers (Controls.h, ListView.h) are non-owning views of an
//   HWND that a parent window owns; ImageList, PopupMenu, TrayIcon, Tooltip own theirs.
// - Free helpers are named after their handle type: HwndSetText, HwndGetText, ...,
//   KeyGetString, KeySetDword (Registry.h), ModuleFileName (App.h).
#pragma once

#include "winfx/App.h"
#include "winfx/Com.h"
#include "winfx/Controls.h"
#include "winfx/Dialog.h"
#include "winfx/DialogTemplate.h"
#include "winfx/Gdi.h"
#include "winfx/Hwnd.h"
#include "winfx/ImageList.h"
#include "winfx/ListView.h"
#include "winfx/Memory.h"
#include "winfx/Menu.h"
#include "winfx/Registry.h"
#include "winfx/Subclass.h"
#include "winfx/Tooltip.h"
#include "winfx/TrayIcon.h"
#include "winfx/Unique.h"
#include "winfx/Wide.h"
#include "winfx/Window.h"
