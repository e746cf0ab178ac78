#include "DisplaySetup.h"

#include "PlayerSettings.h"

void applyOpenFileDisplay(mystdfile &file, const PlayerSettings &settings, bool compressWidth,
                          const std::array<bool, 10> &channelHide)
{
    file.PlayerSpeed = settings.PlaySpeed;
    file.DocSize = settings.PointSize;
    file.LineWidth = 2;
    file.std_OIMG_Width = settings.BShowWidth;
    file.std_SpeedShow = settings.SpeedShow;
    file.std_ColorShow = settings.ColorShow;
    file.color_background = settings.color_background;
    file.color_frame = settings.color_frame;
    file.color_channel = settings.color_channel;
    file.color_text = settings.color_text;
    file.color_sign = settings.color_sign;
    file.font_size = settings.font_size;
    file.sign_size = settings.sign_size;
    file.WidthCompress = compressWidth;

    file.std_CurFile = 0;
    file.SwitchFile(0);

    // A freshly opened file is never being measured on: opening ends measuring.
    file.CountDis = false;
    file.std_bshowmode = settings.BShowMode;
    file.ChannelFilter = settings.channelfiltervalue;

    for (size_t c = 0; c < file.probepara_p.size(); ++c)
        file.probepara_p[c] = file.std_systempara.m_StartPoint[c];

    file.channelhide = channelHide;
}
