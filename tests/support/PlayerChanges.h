#pragma once

class MainWindow;

// The changes of the player's evening in the tests: fov 100, gun_x 2, cl_forwardspeed 300,
// +attack on MOUSE3 alone, and message 1 "gg" on F7, made in the window's controls.
void makeTheEveningsChanges(MainWindow& window);
