#include "settings/DeathmatchFlags.h"

namespace {

constexpr DeathmatchFlag Flags[] = {
    {"cbxNoHealth", "No Health", 1, false, false},
    {"cbxNoPowerUps", "No PowerUps", 2, false, false},
    {"cbxWeaponsStay", "Weapons Stay", 4, false, false},
    {"cbxNoFallingDamage", "No Falling Damage", 8, false, false},
    {"cbxInstantPowerups", "Instant PowerUps", 16, true, false},
    {"cbxSameMap", "Same Map", 32, false, false},
    {"cbxTeamBySkins", "Teams by Skin", 64, false, false},
    {"cbxTeamByModels", "Teams by Model", 128, false, false},
    {"cbxNoFriendlyFire", "No Friendly Fire", 256, false, false},
    {"cbxSpawnFarthest", "Spawn Farthest", 512, false, false},
    {"cbxForceRespawn", "Force Respawn", 1024, false, false},
    {"cbxNoArmor", "No Armor", 2048, false, false},
    {"cbxAllowExit", "Allow Exit", 4096, false, false},
    {"cbxInfiniteAmmo", "Infinite Ammo", 8192, false, false},
    {"cbxQuadDrop", "Quad Drop", 16384, false, false},
    {"cbxFixedFov", "Fixed FOV", 32768, false, false},
    {"cbxArmorProtect", "Armor Protect", 262144, false, false},
    {"cbxCtfForcedJoin", "CTF Forced Join", 131072, false, false},
    {"cbxCtfTechPowerups", "CTF Tech PowerUps", 524288, true, true},
};

} // namespace

std::span<const DeathmatchFlag> deathmatchFlags() {
    return Flags;
}

int deathmatchFlagNumber(const std::function<bool(const DeathmatchFlag&)>& isChecked) {
    int number = 0;
    for (const DeathmatchFlag& flag : Flags) {
        if (isChecked(flag) != flag.inverted)
            number += flag.tag;
    }
    return number;
}

bool deathmatchFlagChecked(const DeathmatchFlag& flag, int number) {
    return ((number & flag.tag) != 0) != flag.inverted;
}
