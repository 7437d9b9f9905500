// Resource numbers of the chat-window toolbar (its dialog and its menu).
#pragma once

#define IDD_QQTOOL 143
#define IDR_POPTOOL 146
#define ID_TOOL_HIDE 32782
#define ID_TOOL_HOMEPAGE 32786
#define ID_TOOL_ABOUT 32787
#define ID_TOOL_UPGRADE 32788
