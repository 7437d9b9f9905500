// Identities of the web import component: what pages, the registry and the type library
// (MienkoLib.idl) know it by. Portable: the registration plan and its tests use the texts.
#pragma once

namespace webimport {

constexpr const char* kClsidText = "{9AFEE063-902B-4E35-9265-91E8137CD99E}";
constexpr const char* kIidFaceImportText = "{F8FD87F5-6570-45FB-BCAF-7647C4194C30}";
constexpr const char* kIidEventsText = "{A6D4D18F-24AD-4482-B669-DA4162D31606}";
constexpr const char* kLibidText = "{10139A78-E708-4BDF-ADDB-22AFCDA497D3}";
constexpr const char* kAppIdText = "{DCC9F3A8-76AC-41C5-9566-983EF652DF79}";

constexpr const char* kProgId = "Pelumo.FaceImport.1";
constexpr const char* kVersionIndependentProgId = "Pelumo.FaceImport";
constexpr const char* kClassDescription = "FaceImport Class";
constexpr const char* kProjectName = "Mienko";     // AppID default value, string resource 100
constexpr const char* kModuleFileName = "MienkoAgent.DLL";  // key below "AppID"

}  // namespace webimport
