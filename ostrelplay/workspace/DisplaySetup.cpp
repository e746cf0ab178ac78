#include "DisplaySetup.h"

#include <algorithm>

void applyOpenFileDisplay(mystdfile &file, StdFrame &frame, const DisplayStyle &style)
{
    file.std_CurFile = 0;
    file.SwitchFile(0);
    frame.style = style;
    frame.startSubFile(file);
    std::copy_n(file.std_systempara.m_StartPoint, frame.probepara_p.size(), frame.probepara_p.begin());
}
