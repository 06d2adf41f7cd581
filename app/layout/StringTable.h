// The program's texts, by the numeric identifiers its messages and labels are known by.
// Texts are UTF-8.
#pragma once

#include <string>

namespace wavepost {

enum StringId : int {
    IDS_OLE_INIT_FAILED = 100,
    IDS_ABOUTBOX = 101,
    IDS_TAB_ZONE = 102,
    IDS_TAB_PARAMETERS = 103,
    IDS_TAB_OPTIONS = 104,
    IDS_TAB_BULLETINS = 105,
    IDS_TAB_HELP = 106,
    IDS_MAP_WORLD = 107,
    IDS_MAP_EUROPE = 108,
    IDS_MAP_FRANCE = 109,
    IDS_NO_ADDRESS = 131,
    IDS_CONFIG_ERROR = 132,
    IDS_KEY_METEO = 133,
    IDS_KEY_QUESTION = 134,
    IDS_GRIB_START = 135,
    IDS_REQUEST_END = 136,
    IDS_NO_MESH = 137,
    IDS_NO_CONFIG_FILE = 140,
    IDS_LOWER_RIGHT = 141,
    IDS_UPPER_LEFT = 142,
    IDS_CENTRE_POSITION = 143,
    IDS_GRID_SIZE = 144,
    IDS_WEATHER_COST = 145,
    IDS_TELECOM_COST = 146,
    IDS_CONFIG_FILE_NAME = 159,
    IDS_HELP_FILE_NAME = 160,
    IDS_BAD_PARAMETERS = 165,
    IDS_POINTS_ALARM = 166,
    IDS_POINTS_FATAL = 167,
    IDS_KEY_PTEURO = 168,
    IDS_TAB_IMAGES = 169,
    // Texts without a number of their own elsewhere.
    IDS_CATALOGUE_MISSING = 200,
    IDS_CAPTION_STEPS = 201,
    IDS_CAPTION_PARAMETERS = 202,
    IDS_CAPTION_BULLETINS = 203,
    IDS_CAPTION_IMAGES = 204,
    IDS_CAPTION_PRESENTATION = 205,
    IDS_CAPTION_ZONE = 206,
    IDS_BULLETIN_START = 207,
    IDS_ABOUT_CAPTION = 208,
    IDS_ABOUT_VERSION = 209,
    IDS_ABOUT_COPYRIGHT = 210,
    IDS_WINDOW_CAPTION = 211,
    IDS_FILE_READ_ERROR = 212,
    IDS_FILE_WRITE_ERROR = 213,
    IDS_NO_MAIL_PROGRAM = 214,
    IDS_NO_MAIL_PROGRAM_QUESTION = 215,
    IDS_NO_HELP_VIEWER = 216,
    IDS_TABLE_TOO_LARGE = 230,
    IDS_OUT_OF_MEMORY = 231,
    IDS_AMOUNT_NOT_FINITE = 232,
};

// The text of an identifier; the empty text for an unknown one.
const std::string& LoadString(int id);

}  // namespace wavepost
