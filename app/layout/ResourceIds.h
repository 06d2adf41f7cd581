// SPDX-License-Identifier: GPL-3.0-or-later
// Identifiers of the pictures compiled into the program and of the main window's controls.
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
    IDB_ENVELOPE = 190,    // 20 x 16 icon of the order page's tab
};

// The main window's controls; LON/LAT 1 and 2 are the two columns of the zone page
// (centre and size, or upper-left and lower-right corner).
// One list of the main window's controls gives both the enum and the names the Qt
// widgets carry (ControlIdName).
#define WAVEPOST_CONTROL_IDS(X)                                             \
    X(IDC_QUIT_BUTTON, 1)                                                   \
    X(IDC_HELP_BUTTON, 9)                                                   \
    X(IDC_MESH_LON_COMBO, 1001)                                             \
    X(IDC_MESH_LAT_COMBO, 1002)                                             \
    X(IDC_QUESTION_BUTTON, 1003)                                            \
    X(IDC_WEATHER_COST_LABEL, 1006)                                         \
    X(IDC_TELECOM_COST_LABEL, 1007)                                         \
    X(IDC_MAP_WORLD_RADIO, 1008) /* the map tabs beside the list, hidden */ \
    X(IDC_MAP_EUROPE_RADIO, 1009)                                           \
    X(IDC_MAP_FRANCE_RADIO, 1010)                                           \
    X(IDC_WEATHER_COST_EDIT, 1011)                                          \
    X(IDC_TELECOM_COST_EDIT, 1012)                                          \
    X(IDC_SEND_BUTTON, 1013)                                                \
    X(IDC_ZONE_CENTRED_RADIO, 1016)                                         \
    X(IDC_ZONE_RECTANGLE_RADIO, 1017)                                       \
    X(IDC_LAND_YES_RADIO, 1018)                                             \
    X(IDC_LAND_NO_RADIO, 1019)                                              \
    X(IDC_COMPRESSION_NONE_RADIO, 1020)                                     \
    X(IDC_COMPRESSION_ZIP_RADIO, 1021)                                      \
    X(IDC_COMPRESSION_GZIP_RADIO, 1022)                                     \
    X(IDC_COMPRESSION_BZIP2_RADIO, 1023)                                    \
    X(IDC_SUBSCRIPTION_SINGLE_RADIO, 1024)                                  \
    X(IDC_SUBSCRIPTION_DAYS_RADIO, 1025)                                    \
    X(IDC_SUBSCRIPTION_PERMANENT_RADIO, 1026)                               \
    X(IDC_SUBSCRIPTION_CANCEL_RADIO, 1027)                                  \
    X(IDC_DOLLAR_RATE_EDIT, 1034)                                           \
    X(IDC_DEFAULT_OPTIONS_BUTTON, 1035)                                     \
    X(IDC_TELECOM_COMBO, 1037)                                              \
    X(IDC_CURRENCY_COMBO, 1039)                                             \
    X(IDC_ZONE_MODE_GROUP, 1040)                                            \
    X(IDC_LAND_DATA_GROUP, 1041)                                            \
    X(IDC_COMPRESSION_GROUP, 1042)                                          \
    X(IDC_SUBSCRIPTION_GROUP, 1043)                                         \
    X(IDC_TELECOM_GROUP, 1044)                                              \
    X(IDC_CURRENCY_GROUP, 1045)                                             \
    X(IDC_ZONE_MODE_LABEL, 1046)                                            \
    X(IDC_LAND_DATA_LABEL, 1047)                                            \
    X(IDC_COMPRESSION_LABEL, 1048)                                          \
    X(IDC_SUBSCRIPTION_LABEL, 1049)                                         \
    X(IDC_TELECOM_LABEL, 1050)                                              \
    X(IDC_CURRENCY_UNIT_LABEL, 1051)                                        \
    X(IDC_DOLLAR_RATE_LABEL, 1052)                                          \
    X(IDC_EURO_SIGN_LABEL, 1053)                                            \
    X(IDC_CURRENCY_LABEL, 1054)                                             \
    X(IDC_DAYS_EDIT, 1055)                                                  \
    X(IDC_MESH_GROUP, 1056)                                                 \
    X(IDC_MESH_LABEL, 1057)                                                 \
    X(IDC_MESH_LON_LABEL, 1058)                                             \
    X(IDC_MESH_LAT_LABEL, 1059)                                             \
    X(IDC_MAP_LIST, 1060)                                                   \
    X(IDC_HELP_GROUP, 1061)                                                 \
    X(IDC_DEFAULT_PARAMS_BUTTON, 1062)                                      \
    X(IDC_TAB_PAGES, 1063)                                                  \
    X(IDC_MAP_FRAME, 1064)                                                  \
    X(IDC_COLUMN1_GROUP, 1065)                                              \
    X(IDC_COLUMN2_GROUP, 1066)                                              \
    X(IDC_MOTION_GROUP, 1067)                                               \
    X(IDC_COLUMN1_TITLE, 1068)                                              \
    X(IDC_COLUMN2_TITLE, 1069)                                              \
    X(IDC_MOTION_TITLE, 1070)                                               \
    X(IDC_LON1_LABEL, 1071)                                                 \
    X(IDC_LAT1_LABEL, 1072)                                                 \
    X(IDC_LON1_EDIT, 1073)                                                  \
    X(IDC_LAT1_EDIT, 1074)                                                  \
    X(IDC_LAT1_DEGREE_LABEL, 1075)                                          \
    X(IDC_LON1_DEGREE_LABEL, 1076)                                          \
    X(IDC_LON2_LABEL, 1077)                                                 \
    X(IDC_LAT2_LABEL, 1078)                                                 \
    X(IDC_LON2_EDIT, 1079)                                                  \
    X(IDC_LAT2_EDIT, 1080)                                                  \
    X(IDC_LAT2_DEGREE_LABEL, 1081)                                          \
    X(IDC_LON2_DEGREE_LABEL, 1082)                                          \
    X(IDC_HEADING_LABEL, 1083)                                              \
    X(IDC_SPEED_LABEL, 1084)                                                \
    X(IDC_HEADING_EDIT, 1085)                                               \
    X(IDC_SPEED_EDIT, 1086)                                                 \
    X(IDC_HEADING_SPIN, 1087)                                               \
    X(IDC_KNOTS_LABEL, 1088)                                                \
    X(IDC_COST_GROUP, 1089)                                                 \
    X(IDC_ANTIMERIDIAN_CHECK, 1092)                                         \
    X(IDC_SPEED_SPIN, 1093)                                                 \
    X(IDC_PRESENTATION_EDIT, 1096)                                          \
    X(IDC_ORDER_TITLE, 1100) /* the order page */                           \
    X(IDC_ORDER_KIND_LABEL, 1101)                                           \
    X(IDC_ORDER_SIZE_LABEL, 1102)                                           \
    X(IDC_ORDER_TEXT_EDIT, 1103)                                            \
    X(IDC_ORDER_COPY_BUTTON, 1104)                                          \
    X(IDC_ORDER_SAVE_BUTTON, 1105)                                          \
    X(IDC_HANDOVER_LABEL, 1106)                                             \
    X(IDC_HANDOVER_COMBO, 1107)                                             \
    X(IDC_OUTBOX_BUTTON, 1108)                                              \
    X(IDC_HISTORY_EDIT, 1109)                                               \
    X(IDC_WITHDRAW_BUTTON, 1110)                                            \
    X(IDC_SERVICE_LABEL, 1150)                                              \
    X(IDC_SERVICE_COMBO, 1151)                                              \
    X(IDC_ADDRESSES_BUTTON, 1152)                                           \
    X(IDC_RESEND_BUTTON, 1160)                                              \
    X(IDC_FAVOURITES_BUTTON, 1161)                                          \
    X(IDC_BOAT_POSITION_BUTTON, 1170) /* the boat's position */             \
    X(IDC_BOAT_STATE_LABEL, 1171)

enum ControlId : int {
#define WAVEPOST_CONTROL_ID(name, value) name = value,
    WAVEPOST_CONTROL_IDS(WAVEPOST_CONTROL_ID)
#undef WAVEPOST_CONTROL_ID
};

// The controls of the pages, made at run time once the catalogue is read; the images list
// has the bulletins list's identifier.
enum PageControlId : int {
    IDC_STEPS_CAPTION = 101,
    IDC_STEPS_LIST = 102,
    IDC_PARAMETERS_CAPTION = 103,
    IDC_PARAMETERS_LIST = 104,
    IDC_BULLETINS_CAPTION = 105,
    IDC_BULLETINS_LIST = 106,
    IDC_IMAGES_LIST = 106,
    IDC_ZONE_CAPTION = 107,
    IDC_PRESENTATION_CAPTION = 108,
    IDC_IMAGES_CAPTION = 109,
};

// The about box's only control with an identifier.
constexpr int IDC_ABOUT_OK = 1;

}  // namespace wavepost
