#pragma once

// Side of a control on which its caption label sits.
enum LabelPosition { PosTop = 0, PosBottom = 1, PosLeft = 2, PosRight = 3 };
