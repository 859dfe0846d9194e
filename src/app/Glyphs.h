#pragma once

#include <QIcon>

// The small pictures of the glyph buttons, drawn by the program itself.
enum class Glyph { Edit, Save, Open, Folder, Add, Delete };

QIcon glyphIcon(Glyph glyph);
