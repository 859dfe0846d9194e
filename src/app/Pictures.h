#pragma once

#include <QPixmap>

// The program's pictures, decoded once from the resources ("logo", "about", "tab_sound",
// "tab_menus"). A picture that cannot be decoded throws VexaError.
QPixmap picture(const char* name);
