#include "Art.h"

#include "Bmp.h"

namespace skinart {

std::vector<ArtFile> GenerateAll() {
    return {
        {"frame.bmp", MakeFrame()},
        {"bg.bmp", MakeBackground()},
        {"icon.bmp", MakeAppIcon()},
        {"btn_push.bmp", MakePushButton()},
        {"btn_min.bmp", MakeCaptionMinimize()},
        {"btn_close.bmp", MakeCaptionClose()},
        {"btn_pin.bmp", MakeCaptionPin()},
        {"check.bmp", MakeCheckBox()},
        {"radio.bmp", MakeRadioButton()},
        {"toolbar_bg.bmp", MakeToolbarBackground()},
        {"tb_mainface.bmp", MakeToolMainFace()},
        {"tb_editface.bmp", MakeToolEditFace()},
        {"tb_downface.bmp", MakeToolDownFace()},
        {"tb_settings.bmp", MakeToolSettings()},
        {"config_bg.bmp", MakeConfigBackground()},
    };
}

bool WriteAll(const std::string& dir, std::string& error) {
    for (const ArtFile& f : GenerateAll()) {
        std::string path = dir + "/" + f.name;
        if (!WriteBmp(path, f.bitmap)) {
            error = "cannot write " + path;
            return false;
        }
    }
    return true;
}

}  // namespace skinart
