#include "Sound/SoundTables.h"

#include <initializer_list>

namespace {

// Keys are inserted one at a time in the order given; key i maps to index i.
SoundKeyMap Index(std::initializer_list<const char*> keys) {
    SoundKeyMap map;
    int index = 0;
    for (const char* key : keys)
        map[key] = index++;
    return map;
}

} // namespace

// Defined in build order: each array, then its map, table by table.
// clang-format off

const std::array<std::string, 13> SoundCodeNames = {"Fr", "Uk", "Pr", "Au", "Ru", "Eo", "Me",
                                                    "Us", "Ge", "Ar", "Hi", "Af", "Co"};
const SoundKeyMap SoundCodeIndex =
    Index({"FR", "UK", "PR", "AU", "RU", "EO", "ME", "US", "GE", "AR", "HI", "AF", "CO"});

const std::array<std::string, 76> SoundSubjectNames = {
    "inf0", "inf1", "inf2", "cav0", "cav1", "cav2", "art0", "art1", "art2", "spyx", "part", "gene",
    "frig", "shp0", "shp1", "cors", "amir", "menu", "victory", "defeat", "border", "actmenu",
    "interdit", "inf", "cav", "art", "boat", "town", "batiment", "building", "game", "gamecombat",
    "bullet_grnd", "bullet_boat", "bullet_city", "bullet_water", "aigle", "storm", "cod_epave",
    "cod_vagues", "recifs", "mer_navigable", "mer_haute_navigable", "plage", "route", "city",
    "plaine", "montagne_infranch", "pont", "fleuve_ou_lac", "marais", "gue", "desert",
    "chenes_eparse", "chenes_normale", "tropicale_eparse", "tropicale_normale", "desert_eparse",
    "desert_normale", "coniferes_eparse", "coniferes_normale", "windplain", "windforest",
    "windsea", "winddesert", "blizzard", "cicada", "jungle", "church", "tamtam", "rain", "battle",
    "boulet", "tir", "event", "even"};
// Key i maps to index i. "SND_TROPICALE_NORMALE" follows the rule of its terrain
// neighbours, so that every name of the table can be reached by a key.
const SoundKeyMap SoundSubjectIndex = Index({
    "INF0", "INF1", "INF2", "CAV0", "CAV1", "CAV2", "ART0", "ART1", "ART2", "SPYX", "PART", "GEN",
    "FRIG", "SHP0", "SHP1", "CORS", "AMIR", "MENU", "VICTORY", "DEFEAT", "BORDER", "ACTMENU",
    "INTERDIT", "INF", "CAV", "ART", "BOAT", "TOWN", "BATIMENT", "BUILDING", "GAME", "GAMECOMBAT",
    "BULLET_GRND", "BULLET_BOAT", "BULLET_CITY", "BULLET_WATER", "AIGLE", "STORM", "COD_EPAVE",
    "COD_VAGUES", "SND_RECIFS", "SND_MER_NAVIGABLE", "SND_MER_HAUTE_NAVIGABLE", "SND_PLAGE",
    "SND_ROUTE", "SND_CITY", "SND_PLAINE", "SND_MONTAGNE_INFRANCH", "SND_PONT",
    "SND_FLEUVE_OU_LAC", "SND_MARAIS", "SND_GUE", "SND_DESERT", "SND_CHENES_EPARSE",
    "SND_CHENES_NORMALE", "SND_TROPICALE_EPARSE", "SND_TROPICALE_NORMALE", "SND_DESERT_EPARSE",
    "SND_DESERT_NORMALE", "SND_CONIFERES_EPARSE", "SND_CONIFERES_NORMALE", "WINDPLAIN",
    "WINDFOREST", "WINDSEA", "WINDDESERT", "BLIZZARD", "CICADA", "JUNGLE", "CHURCH", "TAMTAM",
    "RAIN", "BATTLE", "BOULET", "TIR", "EVENT", "EVEN"});

// Element 45 stays empty.
const std::array<std::string, 46> SoundEventNames = {
    "click", "walk", "fire", "amb", "select", "construct", "destruct", "burn", "coup", "tira",
    "impact", "action", "death", "alerte", "alerte_0", "alerte_1", "alerte_2", "alerte_3",
    "alerte_4", "alerte_5", "alerte_6", "alerte_7", "alerte_8", "alerte_9", "alerte_10",
    "alerte_11", "alerte_12", "alerte_13", "alerte_14", "alerte_15", "alerte_16", "alerte_17",
    "alerte_18", "alerte_19", "chg_form", "ambl", "ambd", "quit", "charge", "attaque",
    "attaque_spe", "slide", "msg", "strm", "mvt"};
const SoundKeyMap SoundEventIndex = Index({
    "CLICK", "WALK", "FIRE", "AMB", "SELECT", "CONSTRUCT", "DESTRUCT", "BURN", "COUP", "TIRA",
    "IMPACT", "ACTION", "DEATH", "ALERTE", "ALERTE_0", "ALERTE_1", "ALERTE_2", "ALERTE_3",
    "ALERTE_4", "ALERTE_5", "ALERTE_6", "ALERTE_7", "ALERTE_8", "ALERTE_9", "ALERTE_10",
    "ALERTE_11", "ALERTE_12", "ALERTE_13", "ALERTE_14", "ALERTE_15", "ALERTE_16", "ALERTE_17",
    "ALERTE_18", "ALERTE_19", "CHG_FORM", "AMBL", "AMBD", "QUIT", "CHARGE", "ATTAQUE",
    "ATTAQUE_SPE", "SLIDE", "MSG", "STRM", "MVT"});

// Element 7 stays empty.
const std::array<std::string, 8> SoundVariantNames = {"0", "1", "2", "3", "4", "5", "6"};
const SoundKeyMap SoundVariantIndex = Index({"0", "1", "2", "3", "4", "5", "6"});

const std::array<std::string, 1> SoundFormatNames = {"wav"};
const SoundKeyMap SoundFormatIndex = Index({"WAV"});
// clang-format on

namespace {

template <size_t N> const std::string* NameIn(const std::array<std::string, N>& names, int index) {
    if (index < 0 || static_cast<size_t>(index) >= N)
        return nullptr;
    return &names[static_cast<size_t>(index)];
}

int IndexIn(const SoundKeyMap& keys, const std::string& key) {
    auto found = keys.find(key);
    return found == keys.end() ? -1 : found->second;
}

const SoundKeyMap& KeysOf(SoundTable table) {
    switch (table) {
    case SoundTable::Code:
        return SoundCodeIndex;
    case SoundTable::Subject:
        return SoundSubjectIndex;
    case SoundTable::Event:
        return SoundEventIndex;
    case SoundTable::Variant:
        return SoundVariantIndex;
    case SoundTable::Format:
        break;
    }
    return SoundFormatIndex;
}

} // namespace

int SoundTableSize(SoundTable table) {
    switch (table) {
    case SoundTable::Code:
        return static_cast<int>(SoundCodeNames.size());
    case SoundTable::Subject:
        return static_cast<int>(SoundSubjectNames.size());
    case SoundTable::Event:
        return static_cast<int>(SoundEventNames.size());
    case SoundTable::Variant:
        return static_cast<int>(SoundVariantNames.size());
    case SoundTable::Format:
        break;
    }
    return static_cast<int>(SoundFormatNames.size());
}

const std::string* SoundNameAt(SoundTable table, int index) {
    switch (table) {
    case SoundTable::Code:
        return NameIn(SoundCodeNames, index);
    case SoundTable::Subject:
        return NameIn(SoundSubjectNames, index);
    case SoundTable::Event:
        return NameIn(SoundEventNames, index);
    case SoundTable::Variant:
        return NameIn(SoundVariantNames, index);
    case SoundTable::Format:
        break;
    }
    return NameIn(SoundFormatNames, index);
}

int SoundIndexOf(SoundTable table, const std::string& key) {
    return IndexIn(KeysOf(table), key);
}
