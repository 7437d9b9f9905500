// Names of the gallery's own skin file, for code that cannot include <windows.h>.
#pragma once

namespace gallery {
constexpr const char* kControlsFileName = "gallery.xml";
constexpr const char* kControlsSectionName = "controls_window";
}  // namespace gallery
