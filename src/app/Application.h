#pragma once

class QApplication;
class QWidget;

// The look every window of the program shares: Fusion style and the desktop's font.
void applyApplicationLook(QApplication& app);

// Centres a top-level window on the screen it is on (or the primary screen).
void centreOnScreen(QWidget& window);
