#include "settings/Catalogue.h"

#include <QByteArray>
#include <QLatin1String>
#include <algorithm>
#include <iterator>

namespace {

// Tab sheets.
constexpr const char* General = "tabGeneral";
constexpr const char* Movement = "tabMovement";
constexpr const char* Weapons = "tabWeaponsInv";
constexpr const char* Comms = "tabCommunications";
constexpr const char* Video = "tabVideo";
constexpr const char* Both = "tabBoth";
constexpr const char* Software = "TabSheet1";
constexpr const char* GL = "TabSheet2";
constexpr const char* Sound = "tabSound";
constexpr const char* Menus = "TabMenus";
constexpr const char* Client = "tabClient";
constexpr const char* Server = "tabServer";

// Group boxes; "" stands outside the groups.
constexpr const char* NoGroup = "";
constexpr const char* MouseOptions = "Mouse Options";
constexpr const char* Looking = "Looking";
constexpr const char* Running = "Running";
constexpr const char* Strafing = "Strafing";
constexpr const char* Climbing = "Climbing and swimming";
constexpr const char* PlayerMovement = "Player Movement";
constexpr const char* Inventory = "Inventory";
constexpr const char* UseItem = "Use Item";
constexpr const char* ScreenPosition = "Game Screen Position";
constexpr const char* Enhancements = "Enhancements";
constexpr const char* CardSpecific = "Video Card Specific";
constexpr const char* Debugging = "Debugging";

// Blocks outside the group boxes, named per sheet.
constexpr const char* Gun = "Gun";
constexpr const char* View = "View";
constexpr const char* Mouse = "Mouse";
constexpr const char* Options = "Options";
constexpr const char* WeaponList = "Weapons";
constexpr const char* Firing = "Firing";
constexpr const char* Keys = "Keys";
constexpr const char* ConsoleFields = "Console";
constexpr const char* Header = "Header";
constexpr const char* Checks = "Checks";
constexpr const char* Fields = "Fields";
constexpr const char* Driver = "Driver";
constexpr const char* CdLoop = "CD loop";
constexpr const char* Downloads = "Downloads";
constexpr const char* Switches = "Switches";
constexpr const char* Limits = "Limits";

// Where a row sits on its sheet: in a group box, or in a block outside them.
struct Where {
    constexpr Where(const char* groupCaption) : group(groupCaption) {}
    constexpr Where(const char* blockName, int placeInBlock, int blockColumn)
        : block(blockName), place(placeInBlock), column(blockColumn) {}

    const char* group = NoGroup;
    const char* block = "";
    int place = 0;
    int column = 0;
};

// Outside the group boxes, in `block` in catalogue order, `column` cells right of its first.
constexpr Where in(const char* block, int column = 0) {
    return {block, 0, column};
}

// Outside the group boxes, at `place` (from 1) of a block shown in another order.
constexpr Where at(const char* block, int place) {
    return {block, place, 0};
}

// A check box shows its caption right of its mark; it has no attached label.
constexpr CatalogueRow check(const char* tab, Where where, const char* command, const char* def,
                             const char* caption, const char* description, const char* notes = "") {
    return {command,  SettingKind::CheckBox, tab,   where.group, def,         caption,
            PosRight, description,           notes, where.block, where.place, where.column};
}

constexpr CatalogueRow spin(const char* tab, Where where, const char* command, const char* def,
                            const char* caption, LabelPosition position, const char* description,
                            const char* notes = "") {
    return {command,  SettingKind::Spin, tab,   where.group, def,         caption,
            position, description,       notes, where.block, where.place, where.column};
}

constexpr CatalogueRow bind(const char* tab, Where where, const char* command, const char* def,
                            const char* caption, LabelPosition position, const char* description,
                            const char* notes = "") {
    return {command,  SettingKind::Binding, tab,   where.group, def,         caption,
            position, description,          notes, where.block, where.place, where.column};
}

// A string literal, so that it can also end a longer note.
#define CHEAT_PROTECTED "Cheat protected: in a multiplayer game the client resets it to 0"

const CatalogueRow rows[] = {
    // General
    spin(General, in(Gun), "gun_x", "0", "X", PosLeft, "The x-axis position of the player's gun"),
    spin(General, in(Gun), "gun_y", "0", "Y", PosLeft, "The y-axis position of the player's gun"),
    spin(General, in(Gun), "gun_z", "0", "Z", PosLeft, "The z-axis position of the player's gun"),
    spin(General, in(View), "fov", "90", "Field of Vision", PosLeft, "",
         "The horizontal field of view in degrees\n"
         "The game accepts 1 to 160: larger values are cut to 160, smaller ones become 90\n"
         "A deathmatch server with the fixed FOV rule keeps every player at 90"),
    spin(General, in(View), "viewsize", "100", "View Size", PosLeft,
         "The size of the game view as a percentage of the screen",
         "From 40 to 100; below 100 a border frames the smaller view\n"
         "The sizeup and sizedown commands change it in steps of 10"),

    // Movement
    check(Movement, MouseOptions, "freelook", "no", "Mouse Look",
          "Toggle the use of the forward and down movements into look up and look down",
          "On: moving the mouse forward and back looks up and down all the time\n"
          "Off: it moves the player, unless the mouse look key (+mlook) is held\n"
          "Only available while Use Mouse is on"),
    check(Movement, in(Mouse), "in_mouse", "yes", "Use Mouse",
          "Toggle the use of input from the mouse",
          "Turning it off also turns off Mouse Look, which is then not written to the config"),
    check(Movement, Looking, "lookspring", "yes", "Look Spring",
          "Center the view when the mouse look key is released",
          "Only acts while Mouse Look (freelook) is off"),
    check(Movement, Looking, "lookstrafe", "no", "Look Strafe",
          "Turn sideways mouse movement into strafing while the mouse look key is held"),
    bind(Movement, Looking, "+lookup", "PGDN", "Up", PosLeft,
         "When active the player is looking up"),
    bind(Movement, Looking, "centerview", "END", "Center View", PosLeft,
         "Return the view to look straight ahead"),
    bind(Movement, Looking, "+lookdown", "DEL", "Down", PosLeft,
         "When active the player is looking down"),
    bind(Movement, Looking, "+mlook", "\\", "Hold MLook", PosLeft,
         "When active the player looks up and down by moving the mouse forward and back",
         "Not needed while Mouse Look (freelook) is on, which keeps mouse look active"),
    bind(Movement, Looking, "+klook", "INS", "Hold KLook", PosLeft,
         "When active the player looks up and down with the forward and back keys"),
    check(Movement, Running, "cl_run", "no", "Always Run",
          "Make the player run all the time instead of walking",
          "While it is on, holding the run key (+speed) makes the player walk"),
    spin(Movement, Running, "cl_forwardspeed", "200", "Forward Speed", PosLeft,
         "The speed of forward and backward movement",
         "Running doubles it, and the game limits any movement to 300 units a second\n"
         "So at 200 the player walks at 200 and runs at 300"),
    bind(Movement, Running, "+speed", "SHIFT", "Run", PosLeft,
         "When active the player runs (or walks while Always Run is on)"),
    spin(Movement, Strafing, "cl_sidespeed", "200", "Strafe Speed", PosLeft,
         "The speed of sideways movement (strafing)",
         "Running doubles it, and the game limits any movement to 300 units a second"),
    bind(Movement, Strafing, "+strafe", "ALT", "Strafe", PosLeft,
         "When active the turning keys and the mouse move the player sideways"),
    bind(Movement, Strafing, "+moveleft", "", "Step Left", PosLeft,
         "When active the player steps to the left"),
    bind(Movement, Strafing, "+moveright", "", "Step Right", PosLeft,
         "When active the player steps to the right"),
    bind(Movement, Climbing, "+moveup", "SPACE", "Up/Jump", PosLeft,
         "When active the player jumps, or climbs and swims upwards"),
    bind(Movement, Climbing, "+movedown", "c", "Down/Crouch", PosLeft,
         "When active the player crouches, or climbs and swims downwards"),
    bind(Movement, PlayerMovement, "+forward", "UPARROW", "Forward", PosLeft,
         "When active the player moves forward"),
    bind(Movement, PlayerMovement, "+left", "LEFTARROW", "Turn Left", PosLeft,
         "When active the player turns to the left"),
    bind(Movement, PlayerMovement, "+right", "RIGHTARROW", "Turn Right", PosLeft,
         "When active the player turns to the right"),
    bind(Movement, PlayerMovement, "+back", "DOWNARROW", "Backward", PosLeft,
         "When active the player moves backward"),

    // Weapons & Inv
    bind(Weapons, Inventory, "inven", "TAB", "Show", PosLeft, "Open or close the inventory list"),
    bind(Weapons, Inventory, "invuse", "ENTER", "Use", PosLeft,
         "Use the item selected in the inventory"),
    bind(Weapons, Inventory, "invdrop", "BACKSPACE", "Drop", PosLeft,
         "Drop the item selected in the inventory"),
    bind(Weapons, Inventory, "invprev", "[", "Prev", PosLeft,
         "Select the previous item in the inventory"),
    bind(Weapons, Inventory, "invnext", "]", "Next", PosLeft,
         "Select the next item in the inventory"),
    bind(Weapons, UseItem, "use environment suit", "e", "Enviro Suit", PosLeft,
         "Use the environment suit, which protects from slime and lets the player breathe"),
    bind(Weapons, UseItem, "use invulnerability", "i", "Invulnerability", PosLeft,
         "Use the invulnerability power-up"),
    bind(Weapons, UseItem, "use power shield", "p", "Power Shield", PosLeft,
         "Switch the power shield on or off; it uses cells to absorb damage"),
    bind(Weapons, UseItem, "use quad damage", "q", "Quad Damage", PosLeft,
         "Use the quad damage power-up, which makes the player's weapons four times as strong"),
    bind(Weapons, UseItem, "use rebreather", "b", "Rebreather", PosLeft,
         "Use the rebreather, which lets the player breathe under water"),
    bind(Weapons, UseItem, "use silencer", "s", "Silencer", PosLeft,
         "Use the silencer, which muffles the player's weapons"),
    check(Weapons, in(Options), "cl_vwep", "yes", "Visible Weapons",
          "Show the weapon each player holds on the player models"),
    check(Weapons, in(Options), "g_select_empty", "no", "Select Empty Weapons",
          "Allow switching to a weapon that has no ammunition",
          "Read by the game module, so in a network game the server's setting counts"),
    bind(Weapons, in(WeaponList), "use blaster", "1", "Blaster", PosLeft, "Switch to the blaster"),
    bind(Weapons, in(WeaponList), "use shotgun", "2", "Shotgun", PosLeft, "Switch to the shotgun"),
    bind(Weapons, in(WeaponList), "use super shotgun", "3", "Super Shotgun", PosLeft,
         "Switch to the super shotgun"),
    bind(Weapons, in(WeaponList), "use machinegun", "4", "Machinegun", PosLeft,
         "Switch to the machinegun"),
    bind(Weapons, in(WeaponList), "use chaingun", "5", "Chaingun", PosLeft,
         "Switch to the chaingun"),
    bind(Weapons, in(WeaponList), "use grenade launcher", "6", "Grenade Launcher", PosLeft,
         "Switch to the grenade launcher"),
    bind(Weapons, in(WeaponList), "use rocket launcher", "7", "Rocket Launcher", PosLeft,
         "Switch to the rocket launcher"),
    bind(Weapons, in(WeaponList), "use hyperblaster", "8", "HyperBlaster", PosLeft,
         "Switch to the hyperblaster"),
    bind(Weapons, in(WeaponList), "use railgun", "9", "Railgun", PosLeft, "Switch to the railgun"),
    bind(Weapons, in(WeaponList), "use bfg10k", "0", "BFG10K", PosLeft, "Switch to the BFG10K"),
    bind(Weapons, in(WeaponList), "use grenades", "g", "Hand Grenades", PosLeft,
         "Switch to the hand grenades"),
    bind(Weapons, in(Firing), "+attack", "CTRL", "Fire Weapon", PosLeft,
         "When active the player is firing the current weapon"),
    bind(Weapons, in(Firing), "weapnext", "/", "Next Weapon", PosLeft,
         "Switch to the next weapon the player carries"),
    bind(Weapons, in(Firing), "weapprev", "", "Prev Weapon", PosLeft,
         "Switch to the previous weapon the player carries"),
    bind(Weapons, in(Firing), "weaplast", "", "Last Weapon", PosLeft,
         "Switch back to the weapon used before the current one"),

    // Communications
    check(Comms, at(ConsoleFields, 3), "logfile", "no", "Log Console",
          "Write the console output to a log file",
          "The log is qconsole.log in the game directory\n"
          "1 writes a new log each session; the game also knows 2 (write every line at once)\n"
          "and 3 (add to the old log), which this box cannot set"),
    spin(Comms, at(ConsoleFields, 1), "scr_conspeed", "3", "Console Speed", PosLeft,
         "How fast the console slides down and up"),
    spin(Comms, at(ConsoleFields, 2), "con_notifytime", "3", "Notify Time", PosLeft,
         "How many seconds new console lines stay at the top of the screen"),
    bind(Comms, at(Keys, 1), "toggleconsole", "~", "Console", PosLeft, "Open or close the console",
         "The ` and ~ keys always open the console; another key bound here opens it as well"),
    bind(Comms, at(Keys, 2), "messagemode", "t", "Talk", PosLeft,
         "Type a message that every player sees"),
    bind(Comms, at(Keys, 3), "score", "x", "Scoreboard", PosLeft, "Show or hide the scoreboard",
         "Only in deathmatch and cooperative games"),
    bind(Comms, at(Keys, 5), "wave 1", "j", "Salute", PosLeft, "Make the player model salute"),
    bind(Comms, at(Keys, 6), "wave 2", "k", "Taunt", PosLeft, "Make the player model taunt"),
    bind(Comms, at(Keys, 4), "wave 0", "h", "Flip Off", PosLeft,
         "Make the player model give the finger"),
    bind(Comms, at(Keys, 7), "wave 3", "l", "Wave", PosLeft, "Make the player model wave"),
    bind(Comms, at(Keys, 8), "wave 4", "u", "Point", PosLeft, "Make the player model point"),

    // Video, outside the sub-pages
    check(Video, in(Header), "vid_fullscreen", "no", "Full Screen",
          "Run the game on the full screen instead of in a window",
          "The game restarts its renderer when this changes"),

    // Video, Both
    bind(Both, in(Keys), "vid_restart", "", "Restart Video", PosLeft,
         "Restart the renderer so that changed video settings take effect"),
    bind(Both, in(Keys), "sizedown", "-", "Smaller View", PosLeft,
         "Make the game view smaller by one step"),
    bind(Both, in(Keys), "sizeup", "+", "Larger View", PosLeft,
         "Make the game view larger by one step"),
    spin(Both, ScreenPosition, "vid_xpos", "3", "X Position", PosLeft,
         "The distance of the game window from the left edge of the desktop",
         "Only used while the game runs in a window"),
    spin(Both, ScreenPosition, "vid_ypos", "22", "Y Position", PosLeft,
         "The distance of the game window from the top edge of the desktop",
         "Only used while the game runs in a window"),

    // Video, Software
    check(Software, in(Checks), "sw_stipplealpha", "no", "Stipple Alpha",
          "Draw see-through surfaces with a dot pattern instead of blending them",
          "Faster on slow computers, but looks grainy"),
    check(Software, in(Checks), "sw_drawflat", "no", "Draw Flat",
          "Draw the walls and floors in flat colors without textures"),
    check(Software, in(Checks), "sw_polymodelstats", "no", "Model Statistics",
          "Print statistics about the drawn polygon models in the console"),
    check(Software, in(Checks), "sw_reportedgeout", "no", "Report Edge Limit",
          "Report in the console when a frame has run out of edges"),
    check(Software, in(Checks), "sw_reportsurfout", "no", "Report Surface Limit",
          "Report in the console when a frame has run out of surfaces"),
    check(Software, in(Checks), "sw_surfcacheoverride", "no", "Override Surface Cache",
          "Give the surface cache a fixed size instead of one computed from the resolution",
          "The game reads the value as the cache size in bytes, rounded up to 8 KB\n"
          "The 1 this box writes gives a tiny cache, so leave it off"),
    check(Software, in(Checks), "sw_waterwarp", "yes", "Underwater Warp",
          "Make the view waver while the player is under water"),
    check(Software, in(Checks), "sw_allow_modex", "yes", "Allow Mode X",
          "Allow the low-resolution VGA Mode X video modes",
          "Used by the software renderer on Windows when it sets a video mode"),
    check(Software, in(Checks), "sw_draworder", "no", "Show Draw Order",
          "A debugging view that changes the order in which surfaces are drawn", CHEAT_PROTECTED),
    spin(Software, in(Fields), "sw_mipcap", "0", "Mip Cap", PosLeft,
         "Limits the finest mip level the textures are drawn with",
         "0 draws full detail; up to 3 forces coarser textures, which draw faster"),
    spin(Software, in(Fields), "sw_mipscale", "1", "Mip Scale", PosLeft,
         "Scales the distances at which coarser texture mip levels take over"),
    spin(Software, in(Fields), "sw_clearcolor", "2", "Clear Color", PosLeft,
         "The palette color drawn where the view shows no surface"),

    // Video, GL
    check(GL, in(Driver), "gl_log", "no", "Log GL Calls", "Write every OpenGL call to a log file",
          "The log is gl.log in the game directory\n"
          "It slows the game down a lot; meant for finding driver faults"),
    check(GL, Enhancements, "gl_bitdepth", "no", "Set Color Depth",
          "The color depth of the full screen GL modes",
          "The game takes the value as bits per pixel (16 or 32); 0 keeps the desktop's depth\n"
          "This box can only write 0 or 1, so leave it off"),
    check(GL, Enhancements, "gl_dynamic", "yes", "Dynamic Lighting",
          "Light the world from moving lights such as rockets and muzzle flashes"),
    check(GL, Enhancements, "gl_ext_palettedtexture", "yes", "Paletted Textures",
          "Use the card's paletted texture extension where it has one"),
    check(GL, Enhancements, "gl_saturatelighting", "no", "Saturate Lighting",
          "Draw the lighting saturated, which makes lit areas much brighter", CHEAT_PROTECTED),
    check(GL, Enhancements, "gl_shadows", "no", "Shadows",
          "Draw simple shadows under the player and monster models"),
    check(GL, Enhancements, "gl_flashblend", "no", "Flash Blend",
          "Show moving lights as glowing spheres instead of lighting the world",
          "Faster than dynamic lighting on slow cards"),
    check(GL, Enhancements, "gl_nobind", "no", "No Tex Binding",
          "Draw everything with one texture, to measure the cost of texture changes"),
    check(GL, Enhancements, "gl_nosubimage", "no", "No Sub-Images",
          "Avoid partial texture updates for drivers that handle them badly"),
    check(GL, Enhancements, "gl_round_down", "yes", "Round Tex Down",
          "Round texture sizes down instead of up to a power of two"),
    check(GL, Enhancements, "gl_skymip", "no", "Sky Mip-Mapping",
          "Draw the sky with one level less texture detail"),
    check(GL, Enhancements, "gl_ztrick", "no", "Z Trick",
          "Avoid clearing the depth buffer by using half of its range in turns",
          "Faster on some old cards, but makes the picture flicker with many drivers"),
    check(GL, Enhancements, "gl_polyblend", "yes", "Screen Blends",
          "Tint the screen when the player is hurt, under water or picks something up"),
    check(GL, CardSpecific, "gl_3dlabs_broken", "yes", "3Dlabs Fix",
          "Work around driver faults of 3Dlabs cards"),
    check(GL, CardSpecific, "gl_triplebuffer", "no", "Triple Buffering",
          "Ask the driver for three frame buffers instead of two"),
    check(GL, CardSpecific, "gl_ext_multitexture", "yes", "Multitexturing",
          "Use the card's multitexture extension to draw textures and lighting in one pass",
          "Read when the renderer starts, so it takes effect after vid_restart"),
    check(GL, CardSpecific, "gl_cull", "yes", "Back-Face Culling",
          "Skip drawing the back faces of polygons"),
    check(GL, CardSpecific, "gl_ext_compiled_vertex_array", "yes", "Compiled Arrays",
          "Use the compiled vertex array extension to draw models faster"),
    check(GL, CardSpecific, "gl_ext_pointparameters", "yes", "Point Parameters",
          "Draw particles as points sized by distance with the point parameters extension",
          "The particle size and intensity values on this page apply while it is in use"),
    check(GL, CardSpecific, "gl_ext_swapinterval", "yes", "Swap Interval",
          "Allow the use of the driver's swap interval extension",
          "The interval itself is gl_swapinterval on this page:\n"
          "1 waits for the vertical retrace, 0 does not"),
    check(GL, CardSpecific, "gl_finish", "no", "Finish Frames",
          "Wait for the card to finish each frame before going on"),
    check(GL, CardSpecific, "gl_vertex_arrays", "no", "Vertex Arrays",
          "Draw the models with vertex arrays"),
    check(GL, CardSpecific, "gl_allow_software", "no", "Allow Software",
          "Accept an OpenGL driver without hardware acceleration",
          "Without it the GL renderer refuses drivers that draw in software,\n"
          "which are far too slow to play"),
    check(GL, Debugging, "gl_showtris", "no", "Show Triangles",
          "Outline the triangles the world is drawn with"),
    check(GL, Debugging, "gl_clear", "no", "Clear Screen",
          "Clear the screen before each frame is drawn"),
    check(GL, Debugging, "gl_lightmap", "no", "Lightmaps Only",
          "Draw only the lighting, without the textures", CHEAT_PROTECTED),
    check(GL, Debugging, "gl_lockpvs", "no", "Lock PVS",
          "Keep the current set of visible areas, to walk around and see where it ends"),
    check(GL, Debugging, "gl_monolightmap", "no", "Mono Lightmaps",
          "Use single-color lightmaps for cards that cannot blend colored ones"),

    // Sound
    check(Sound, in(Checks), "s_initsound", "yes", "Enable Sound",
          "Start the sound system with the game",
          "Read when the game starts and by snd_restart; while it is off the game is silent"),
    check(Sound, in(Checks), "s_primary", "no", "Primary Buffer",
          "Mix the sound straight into the primary DirectSound buffer",
          "Windows only: can lower the sound delay, but does not work with every card"),
    check(Sound, in(Checks), "s_wavonly", "no", "Wave Output Only",
          "Use the Windows wave output instead of DirectSound"),
    check(Sound, in(Checks), "cl_footsteps", "yes", "Footsteps", "Play the sound of footsteps"),
    check(Sound, in(Checks), "s_loadas8bit", "yes", "Load 8-bit Sounds",
          "Load the sound effects in 8-bit quality to save memory",
          "Applies to sounds loaded afterwards, for example after snd_restart"),
    check(Sound, in(Checks), "s_show", "no", "Show Sounds",
          "Print the sounds being played and their volumes in the console"),
    check(Sound, in(Checks), "s_testsound", "no", "Test Sound",
          "Replace the game's sounds with a steady test tone"),
    check(Sound, in(Checks), "cd_nocd", "no", "Disable CD Music", "Do not play the CD music"),
    spin(Sound, in(CdLoop), "cd_looptrack", "11", "Loop Track", PosLeft,
         "The CD track played once a level's track has repeated Loop Count times",
         "Track 1 of the game CD holds data, so the music starts at track 2"),
    spin(Sound, in(CdLoop), "cd_loopcount", "4", "Loop Count", PosLeft,
         "How often a level's CD track repeats before the loop track takes over"),
    bind(Sound, in(Keys), "snd_restart", "", "Restart Sound", PosLeft,
         "Restart the sound system so that changed sound settings take effect"),
    bind(Sound, in(Keys), "soundinfo", "", "Sound Info", PosLeft,
         "Print the sound system's format and state in the console"),
    bind(Sound, in(Keys), "soundlist", "", "Sound List", PosLeft,
         "List the loaded sound effects in the console"),
    bind(Sound, in(Keys), "cd on", "", "CD On", PosLeft, "Switch the CD music on"),
    bind(Sound, in(Keys), "cd off", "", "CD Off", PosLeft, "Stop the CD music and switch it off"),
    bind(Sound, in(Keys), "cd stop", "", "CD Stop", PosLeft, "Stop the CD track being played"),
    bind(Sound, in(Keys), "cd pause", "", "CD Pause", PosLeft, "Pause the CD track"),
    bind(Sound, in(Keys), "cd resume", "", "CD Resume", PosLeft, "Go on with a paused CD track"),

    // Menus
    bind(Menus, in(Keys), "togglemenu", "ESCAPE", "Main Menu", PosLeft,
         "Open or close the main menu"),
    bind(Menus, in(Keys), "cmd help", "F1", "Help Computer", PosLeft,
         "Show the help computer with the current objectives"),
    bind(Menus, in(Keys), "menu_savegame", "F2", "Save Game", PosLeft, "Open the save game menu"),
    bind(Menus, in(Keys), "menu_loadgame", "F3", "Load Game", PosLeft, "Open the load game menu"),
    bind(Menus, in(Keys), "menu_keys", "F4", "Key Bindings", PosLeft,
         "Open the menu for binding keys"),
    bind(Menus, in(Keys), "menu_startserver", "F5", "Start Server", PosLeft,
         "Open the menu for starting a network server"),
    bind(Menus, in(Keys), "save quick", "F6", "Quick Save", PosLeft,
         "Save the game in the quick save slot"),
    bind(Menus, in(Keys), "Load quick", "F9", "Quick Load", PosLeft,
         "Load the game from the quick save slot"),
    bind(Menus, in(Keys), "menu_quit", "F10", "Quit", PosLeft, "Ask whether to leave the game"),
    bind(Menus, in(Keys), "screenshot", "F12", "Screenshot", PosLeft,
         "Save a picture of the screen",
         "The pictures go to the scrnshot directory of the game directory:\n"
         "PCX files from the software renderer, TGA files from the GL renderer"),
    bind(Menus, in(Keys), "pause", "PAUSE", "Pause", PosLeft, "Pause or continue the game",
         "Only works in single player games"),
    bind(Menus, in(Keys), "menu_multiplayer", "", "Multiplayer", PosLeft,
         "Open the multiplayer menu"),
    bind(Menus, in(Keys), "menu_options", "", "Options", PosLeft, "Open the options menu"),
    bind(Menus, in(Keys), "menu_playerconfig", "", "Player Setup", PosLeft,
         "Open the player setup menu"),
    bind(Menus, in(Keys), "menu_video", "", "Video Options", PosLeft,
         "Open the video options menu"),
    bind(Menus, in(Keys), "menu_addressbook", "", "Address Book", PosLeft,
         "Open the address book of servers"),
    bind(Menus, in(Keys), "menu_credits", "", "Credits", PosLeft, "Show the credits"),
    bind(Menus, in(Keys), "menu_dmoptions", "", "DM Flags", PosLeft,
         "Open the deathmatch flags menu"),
    bind(Menus, in(Keys), "menu_game", "", "Game Menu", PosLeft,
         "Open the single player game menu"),
    bind(Menus, in(Keys), "menu_joinserver", "", "Join Server", PosLeft,
         "Open the menu for finding and joining a server"),

    // Client
    check(Client, at(Checks, 2), "cl_showmiss", "no", "Show Prediction Misses",
          "Report in the console when the movement prediction was wrong"),
    check(Client, at(Checks, 3), "cl_stats", "no", "Show Frame Statistics",
          "Print the numbers of entities, lights and particles of each frame in the console"),
    check(Client, at(Checks, 4), "cl_shownet", "no", "Show Network Data",
          "Print the messages received from the server in the console",
          "1 prints the size of each message; the game also knows 2 and 3,\n"
          "which print more detail and which this box cannot set"),
    check(Client, at(Checks, 5), "win_noalttab", "no", "Disable Alt-Tab",
          "Keep Alt-Tab from switching away from the game"),
    check(Client, at(Checks, 6), "fixedtime", "no", "Fixed Frame Time",
          "Advance the game by a fixed number of milliseconds each frame",
          "A debugging aid: the 1 this box writes makes the game crawl\n" CHEAT_PROTECTED),
    check(Client, in(Downloads), "allow_download", "yes", "Allow Downloads",
          "Toggle the automatic downloading of game files",
          "This command can be used by both, the client and the server individually to prevent "
          "the automatic downloading of game files"),
    check(Client, in(Downloads, 1), "allow_download_maps", "yes", "Download Maps",
          "Allow maps to be downloaded automatically"),
    check(Client, in(Downloads, 1), "allow_download_models", "yes", "Download Models",
          "Allow models to be downloaded automatically"),
    check(Client, in(Downloads, 1), "allow_download_players", "yes", "Download Players",
          "Allow player models and skins to be downloaded automatically"),
    check(Client, in(Downloads, 1), "allow_download_sounds", "yes", "Download Sounds",
          "Allow sounds to be downloaded automatically"),
    check(Client, at(Checks, 1), "cl_predict", "yes", "Predict Movement",
          "Predict the player's own movement instead of waiting for the server",
          "Keeps movement smooth on connections with a high ping"),
    spin(Client, in(Fields), "cl_timeout", "120", "Timeout", PosLeft,
         "Seconds without word from the server before the client disconnects"),
    spin(Client, in(Fields), "cl_maxfps", "90", "Maximum FPS", PosLeft,
         "The most frames per second the client draws"),
    spin(Client, in(Fields), "rate", "2500", "Rate", PosLeft,
         "The most bytes per second the server may send to this client",
         "Lower values suit slow modems, higher ones fast connections\n"
         "The server keeps it between 100 and 15000"),

    // Server
    check(Server, at(Switches, 3), "cheats", "no", "Allow Cheats",
          "Allow cheat commands such as god and noclip in deathmatch",
          "Single player and cooperative games allow them anyway\n"
          "Takes effect when the next map starts"),
    check(Server, at(Switches, 2), "public", "no", "Public Server",
          "Announce the server to the master servers", "Only a dedicated server announces itself"),
    check(Server, at(Switches, 1), "dedicated", "no", "Dedicated Server",
          "Set the game into dedicated server mode",
          "The game only takes it from its command line, where Vexa puts it when it starts a "
          "server\n"
          "A dedicated server has no graphics and no local player"),
    spin(Server, in(Fields), "maxclients", "1", "Max Players", PosLeft,
         "The most players the server accepts",
         "1 means a single player game; deathmatch raises 1 to 8; at most 256\n"
         "Takes effect when the next game starts"),
    spin(Server, in(Fields), "sv_maxvelocity", "2000", "Max Velocity", PosLeft,
         "The highest speed any object in the game can reach"),
    spin(Server, in(Fields), "sv_gravity", "800", "Gravity", PosLeft,
         "The strength of gravity; lower values let everything fall slower"),
    spin(Server, in(Fields), "timeout", "125", "Client Timeout", PosLeft,
         "Seconds the server waits for a silent client before dropping it"),
    spin(Server, in(Limits, 1), "fraglimit", "0", "Frags", PosRight,
         "The number of frags that ends a deathmatch level",
         "0 means no limit; only used in deathmatch"),
    spin(Server, in(Limits, 1), "timelimit", "0", "Minutes", PosRight,
         "The number of minutes after which a deathmatch level ends",
         "0 means no limit; only used in deathmatch"),
};

static_assert(std::size(rows) == 173, "the main window offers 173 built-in settings");

struct TabCaption {
    const char* tab;
    const char* caption;
};

constexpr TabCaption tabCaptions[] = {
    {General, "General"},
    {Movement, "Movement"},
    {Weapons, "Weapons & Inv"},
    {Comms, "Communications"},
    {Video, "Video"},
    {Both, "Video/Both"},
    {Software, "Video/Software"},
    {GL, "Video/GL"},
    {Sound, "Sound"},
    {Menus, "Menus"},
    {Client, "Client"},
    {Server, "Server"},
};

// One field of the text listing; a tab or line break would split the line.
QString listingField(QString field) {
    for (QChar& c : field)
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    return field;
}

} // namespace

std::span<const CatalogueRow> catalogue() {
    return rows;
}

const CatalogueRow* findCatalogueRow(QStringView command) {
    for (const CatalogueRow& row : rows)
        if (command == QLatin1String(row.command))
            return &row;
    return nullptr;
}

QList<const CatalogueRow*> blockRows(const char* tab, const char* block) {
    QList<const CatalogueRow*> found;
    for (const CatalogueRow& row : rows)
        if (qstrcmp(row.block, block) == 0 && qstrcmp(row.tab, tab) == 0)
            found << &row;
    std::stable_sort(found.begin(), found.end(), [](const CatalogueRow* a, const CatalogueRow* b) {
        return a->place < b->place;
    });
    return found;
}

QString settingKindName(SettingKind kind) {
    switch (kind) {
    case SettingKind::CheckBox:
        return QStringLiteral("checkbox");
    case SettingKind::Spin:
        return QStringLiteral("spin");
    case SettingKind::Binding:
        return QStringLiteral("binding");
    case SettingKind::Choice:
        return QStringLiteral("choice");
    case SettingKind::Number:
        return QStringLiteral("number");
    case SettingKind::Text:
        return QStringLiteral("text");
    }
    return {};
}

QString tabCaption(const char* tab) {
    for (const TabCaption& entry : tabCaptions)
        if (QLatin1String(entry.tab) == QLatin1String(tab))
            return QLatin1String(entry.caption);
    return {};
}

QString groupObjectName(const char* group) {
    const QStringList words = QString::fromLatin1(group).split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty())
        return {};
    QString name = QStringLiteral("gbx");
    for (const QString& word : words)
        name += word.left(1).toUpper() + word.mid(1);
    return name;
}

bool defaultChecked(const CatalogueRow& row) {
    return QLatin1String(row.defaultValue) == QLatin1String("yes");
}

int defaultNumber(const CatalogueRow& row) {
    return QByteArray(row.defaultValue).toInt();
}

QStringList notesLines(const CatalogueRow& row) {
    if (*row.notes == '\0')
        return {};
    return QString::fromLatin1(row.notes).split(u'\n');
}

QString catalogueAsText() {
    QString text;
    for (const CatalogueRow& row : rows) {
        QStringList fields{QLatin1String(row.command),      settingKindName(row.kind),
                           QLatin1String(row.defaultValue), tabCaption(row.tab),
                           QLatin1String(row.group),        QLatin1String(row.caption),
                           QLatin1String(row.description)};
        for (QString& field : fields)
            field = listingField(field);
        text += fields.join(u'\t') + u'\n';
    }
    return text;
}
