#pragma once

#include <span>

// The plain widgets of the main window that stand for one console variable each, with the
// variable's name, so that the config reader and writer share one list.

// Masked number edits. `skipWhen`: the writer leaves the line out for exactly this text
// (nullptr: always written). `readerDefault`: the text the reader puts in when the file lacks
// the variable.
struct MaskedField {
    const char* edit;
    const char* variable;
    const char* skipWhen;
    const char* readerDefault;
};

// View bobbing, in the order of the lines.
inline constexpr MaskedField BobbingFields[] = {
    {"txtWalkPitch", "bob_pitch", "0.005", "0.002"}, {"txtWalkRoll", "bob_roll", "0.002", "0.002"},
    {"txtBobStart", "bob_up", "0.000", "0.005"},     {"txtRunPitch", "run_pitch", "0.002", "0.002"},
    {"txtRunRoll", "run_roll", "0.005", "0.005"},
};

// The GL renderer's numbers, in the order of the lines; always written in GL mode, and a file
// without them leaves the edits as they are.
inline constexpr MaskedField GlNumberFields[] = {
    {"txtPartIntensityA", "gl_particle_att_a", nullptr, nullptr},
    {"txtPartIntensityB", "gl_particle_att_b", nullptr, nullptr},
    {"txtPartIntensityC", "gl_particle_att_c", nullptr, nullptr},
    {"txtPartSizeMax", "gl_particle_max_size", nullptr, nullptr},
    {"txtPartSizeMin", "gl_particle_min_size", nullptr, nullptr},
    {"txtGlParticleSize", "gl_particle_size", nullptr, nullptr},
    {"txtGlPicMip", "gl_picmip", nullptr, nullptr},
    {"txtGlPlayerMip", "gl_playermip", nullptr, nullptr},
    {"txtGlModulate", "gl_modulate", nullptr, nullptr},
    {"txtGlSwapInterval", "gl_swapinterval", nullptr, nullptr},
};

// Radio buttons in the order of the digit they stand for ("set hand 1" is rbLeft). The writer
// takes the last one when none of the others is checked.
inline constexpr const char* HandButtons[] = {"rbRight", "rbLeft", "rbCenter"};
inline constexpr const char* CrosshairButtons[] = {"rbCrossNone", "rbCrossX", "rbCrossDot",
                                                   "rbCrossAngle"};
