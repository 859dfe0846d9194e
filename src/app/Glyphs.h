#pragma once

#include <QIcon>

// The small pictures of the glyph buttons, drawn by the program itself.
enum class Glyph { Edit, Save, Open, Folder };

QIcon glyphIcon(Glyph glyph);
