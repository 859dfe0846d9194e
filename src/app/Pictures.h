#pragma once

#include <QPixmap>

// The program's pictures, decoded once from the resources ("logo", "about", "tab_sound",
// "tab_menus"). A picture that cannot be decoded throws VexaError.
QPixmap picture(const char* name);

// The same for the window's decoration: a picture that cannot be decoded leaves the place blank
// (with a warning on stderr) rather than keeping the window from opening.
QPixmap decorationPicture(const char* name);
