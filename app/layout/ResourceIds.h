// Identifiers of the pictures compiled into the program.
#pragma once

namespace wavepost {

enum BitmapId : int {
    IDR_MAINFRAME = 128,   // application icon of the about box
    IDB_LOGO = 131,        // 126 x 36 decorative picture
    IDB_ICON_WORLD = 137,  // 32 x 32 map icons, full colour
    IDB_ICON_EUROPE = 138,
    IDB_ICON_FRANCE = 139,
    IDB_MAP_WORLD = 141,  // 446 x 219 map pictures, full colour
    IDB_MAP_PACIFIC = 142,
    IDB_MAP_FRANCE = 164,
    IDB_MAP_EUROPE = 166,
    IDB_MAP_PACIFIC_16 = 167,  // the same in 16 colours
    IDB_MAP_WORLD_16 = 170,
    IDB_MAP_FRANCE_16 = 172,
    IDB_MAP_EUROPE_16 = 173,
    IDB_ICON_WORLD_16 = 174,  // 32 x 32 map icons, 16 colours
    IDB_ICON_FRANCE_16 = 175,
    IDB_ICON_EUROPE_16 = 176,
    IDB_WINDOW_ICON_MASK = 179,
    IDB_WINDOW_ICON = 180,
    IDB_LOGO_SMALL = 187,  // 118 x 22 decorative picture
};

}  // namespace wavepost
