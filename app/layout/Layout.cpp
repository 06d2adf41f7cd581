#include "app/layout/Layout.h"

#include "app/Version.h"
#include "app/layout/ResourceIds.h"
#include "app/layout/StringTable.h"

namespace wavepost {

namespace {

using K = ControlKind;
constexpr bool kShown = true;
constexpr bool kHidden = false;
constexpr unsigned kML = kStyleMultiLine;
constexpr unsigned kRA = kStyleRightAligned;
constexpr unsigned kRO = kStyleReadOnly;
constexpr unsigned kPL = kStylePushLike;

DialogLayout BuildMainWindow() {
    DialogLayout d{"WAVEPOST", "MS Sans Serif", 8, 370, 303, {}};
    d.controls = {
        {IDC_SUBSCRIPTION_SINGLE_RADIO, K::RadioButton, "Demande unique", 65, 119, 76, 10, kShown,
         0, 0},
        {IDC_SUBSCRIPTION_DAYS_RADIO, K::RadioButton, "S'abonner pour N jours", 65, 131, 54, 21,
         kShown, kML, 0},
        {IDC_SUBSCRIPTION_PERMANENT_RADIO, K::RadioButton, "Abonnement permanent", 65, 154, 74, 19,
         kShown, kML, 0},
        {IDC_SUBSCRIPTION_CANCEL_RADIO, K::RadioButton, "Supprimer tous les abonnements en cours",
         65, 176, 81, 24, kShown, kML, 0},
        {IDC_MAP_LIST, K::ListView, "", 4, 4, 53, 236, kShown, 0, 0},
        {IDC_LAT1_EDIT, K::Edit, "", 104, 200, 40, 12, kShown, kRA, 0},
        {IDC_LON1_EDIT, K::Edit, "", 104, 216, 40, 12, kShown, kRA, 0},
        {IDC_LAT2_EDIT, K::Edit, "", 207, 200, 40, 12, kShown, kRA, 0},
        {IDC_LON2_EDIT, K::Edit, "", 207, 216, 40, 12, kShown, kRA, 0},
        {IDC_HEADING_EDIT, K::Edit, "", 303, 200, 31, 12, kShown, kRA, 0},
        {IDC_SPEED_EDIT, K::Edit, "", 303, 216, 31, 12, kShown, kRA, 0},
        {IDC_HEADING_SPIN, K::SpinArrows, "", 335, 200, 10, 12, kShown, 0, 0},
        {IDC_SPEED_SPIN, K::SpinArrows, "", 335, 216, 10, 12, kHidden, 0, 0},
        {IDC_BOAT_POSITION_BUTTON, K::PushButton, "Posi&tion du bateau", 64, 146, 72, 13, kShown, 0,
         0},
        {IDC_BOAT_STATE_LABEL, K::Label, "", 139, 149, 146, 8, kShown, 0, 0},
        {IDC_ANTIMERIDIAN_CHECK, K::CheckBox, "Antiméridien", 288, 148, 54, 10, kHidden, 0, 0},
        {IDC_MESH_LON_COMBO, K::DropDownList, "", 319, 52, 36, 159, kHidden, 0, 0},
        {IDC_MESH_LAT_COMBO, K::DropDownList, "", 319, 68, 36, 167, kHidden, 0, 0},
        {IDC_DEFAULT_PARAMS_BUTTON, K::PushButton, "&Défaut", 270, 105, 84, 29, kHidden, 0, 0},
        {IDC_ZONE_CENTRED_RADIO, K::RadioButton, "Mode centré", 70, 54, 56, 10, kShown, 0, 0},
        {IDC_ZONE_RECTANGLE_RADIO, K::RadioButton, "Mode rectangle", 70, 68, 65, 10, kShown, 0, 0},
        {IDC_LAND_YES_RADIO, K::RadioButton, "OUI", 176, 49, 29, 10, kShown, 0, 0},
        {IDC_LAND_NO_RADIO, K::RadioButton, "NON", 176, 65, 29, 10, kShown, 0, 0},
        {IDC_COMPRESSION_NONE_RADIO, K::RadioButton, "Non compressé", 277, 56, 65, 10, kShown, 0,
         0},
        {IDC_COMPRESSION_ZIP_RADIO, K::RadioButton, "Zip", 277, 71, 26, 10, kShown, 0, 0},
        {IDC_COMPRESSION_GZIP_RADIO, K::RadioButton, "GZip", 277, 86, 31, 10, kShown, 0, 0},
        {IDC_COMPRESSION_BZIP2_RADIO, K::RadioButton, "BZip2", 277, 100, 35, 10, kShown, 0, 0},
        {IDC_DAYS_EDIT, K::Edit, "", 120, 136, 24, 12, kShown, kRA, 0},
        {IDC_TELECOM_COMBO, K::DropDownList, "", 171, 123, 67, 157, kHidden, 0, 0},
        {IDC_DOLLAR_RATE_EDIT, K::Edit, "", 293, 156, 45, 12, kShown, kRA, 0},
        {IDC_CURRENCY_COMBO, K::DropDownList, "", 276, 195, 72, 45, kShown, 0, 0},
        {IDC_DEFAULT_OPTIONS_BUTTON, K::PushButton, "&Défaut", 162, 158, 84, 29, kHidden, 0, 0},
        {IDC_PRESENTATION_EDIT, K::Edit, "", 61, 46, 300, 116, kHidden, kML | kRO, 0},
        {IDC_HELP_BUTTON, K::PushButton, "&Aide", 99, 183, 57, 37, kHidden, 0, 0},
        {IDC_QUESTION_BUTTON, K::PushButton, "Posez vos ques&tions", 225, 183, 111, 37, kHidden,
         kML, 0},
        {IDC_ORDER_TITLE, K::Label, "Commande", 64, 23, 60, 11, kHidden, 0, 0},
        {IDC_ORDER_KIND_LABEL, K::Label, "", 64, 36, 294, 8, kHidden, 0, 0},
        {IDC_ORDER_SIZE_LABEL, K::Label, "", 64, 46, 294, 17, kHidden, 0, 0},
        {IDC_ORDER_TEXT_EDIT, K::Edit, "", 63, 65, 296, 94, kHidden, kML | kRO, 0},
        {IDC_ORDER_COPY_BUTTON, K::PushButton, "&Copier", 63, 163, 48, 14, kHidden, 0, 0},
        {IDC_ORDER_SAVE_BUTTON, K::PushButton, "Enre&gistrer...", 115, 163, 60, 14, kHidden, 0, 0},
        {IDC_HANDOVER_LABEL, K::Label, "Envoi par :", 185, 166, 36, 8, kHidden, 0, 0},
        {IDC_HANDOVER_COMBO, K::DropDownList, "", 222, 163, 82, 50, kHidden, 0, 0},
        {IDC_OUTBOX_BUTTON, K::PushButton, "&Dossier...", 308, 163, 51, 14, kHidden, 0, 0},
        {IDC_HISTORY_EDIT, K::Edit, "", 63, 181, 241, 51, kHidden, kML | kRO, 0},
        {IDC_WITHDRAW_BUTTON, K::PushButton, "&Retirer...", 308, 181, 51, 14, kHidden, 0, 0},
        {IDC_RESEND_BUTTON, K::PushButton, "Re&nvoyer...", 308, 199, 51, 14, kHidden, 0, 0},
        {IDC_FAVOURITES_BUTTON, K::PushButton, "&Favoris...", 308, 217, 51, 14, kHidden, 0, 0},
        {IDC_SERVICE_LABEL, K::Label, "Service météo :", 190, 25, 50, 8, kHidden, 0, 0},
        {IDC_SERVICE_COMBO, K::DropDownList, "", 242, 22, 117, 50, kHidden, 0, 0},
        {IDC_ADDRESSES_BUTTON, K::PushButton, "Adre&sses...", 128, 21, 56, 13, kHidden, 0, 0},
        {IDC_WEATHER_COST_EDIT, K::Edit, "", 193, 259, 60, 12, kShown, kRO | kRA, 0},
        {IDC_TELECOM_COST_EDIT, K::Edit, "", 193, 279, 60, 12, kShown, kRO | kRA, 0},
        {IDC_SEND_BUTTON, K::DefaultPushButton, "&Envoi", 263, 251, 84, 19, kShown, 0, 0},
        {IDC_HELP_GROUP, K::GroupBox, "", 61, 166, 300, 68, kHidden, 0, 0},
        {IDC_QUIT_BUTTON, K::PushButton, "&Quitter", 263, 277, 84, 19, kShown, 0, 0},
        {IDC_ZONE_MODE_GROUP, K::GroupBox, "", 61, 23, 88, 67, kShown, 0, 0},
        {IDC_LAND_DATA_GROUP, K::GroupBox, "", 162, 23, 84, 67, kShown, 0, 0},
        {IDC_COMPRESSION_GROUP, K::GroupBox, "", 259, 23, 102, 101, kShown, 0, 0},
        {IDC_SUBSCRIPTION_GROUP, K::GroupBox, "", 61, 97, 88, 118, kShown, 0, 0},
        {IDC_TELECOM_GROUP, K::GroupBox, "", 162, 97, 84, 50, kShown, 0, 0},
        {IDC_CURRENCY_GROUP, K::GroupBox, "", 259, 127, 102, 90, kShown, 0, 0},
        {IDC_MESH_GROUP, K::GroupBox, "", 265, 22, 96, 67, kShown, 0, 0},
        {IDC_MAP_FRAME, K::GroupBox, "", 61, 22, 300, 140, kShown, 0, 0},
        {IDC_COLUMN1_GROUP, K::GroupBox, "", 61, 164, 96, 70, kShown, 0, 0},
        {IDC_COLUMN2_GROUP, K::GroupBox, "", 163, 164, 96, 70, kShown, 0, 0},
        {IDC_MOTION_GROUP, K::GroupBox, "", 267, 164, 94, 70, kShown, 0, 0},
        {IDC_COST_GROUP, K::GroupBox, "", 3, 247, 364, 54, kHidden, 0, 0},
        {IDC_WEATHER_COST_LABEL, K::Label, "Coût estimé météo :", 120, 261, 63, 8, kHidden, 0, 0},
        {IDC_TELECOM_COST_LABEL, K::Label, "Coût estimé télécom :", 120, 281, 70, 8, kHidden, 0, 0},
        {IDC_MAP_WORLD_RADIO, K::RadioButton, "MONDE", 0, 10, 11, 46, kHidden, kPL | kML, 0},
        {IDC_MAP_EUROPE_RADIO, K::RadioButton, "EUROPE", 0, 55, 11, 52, kHidden, kPL | kML, 0},
        {IDC_MAP_FRANCE_RADIO, K::RadioButton, "FRANCE", 0, 108, 11, 51, kHidden, kPL | kML, 0},
        {IDC_ZONE_MODE_LABEL, K::CentredLabel, "Choix de la zone géographique", 63, 31, 75, 19,
         kShown, 0, 0},
        {IDC_LAND_DATA_LABEL, K::Label, "Données sur terre", 176, 31, 57, 8, kShown, 0, 0},
        {IDC_COMPRESSION_LABEL, K::CentredLabel, "Compression du fichier", 281, 31, 59, 19, kShown,
         0, 0},
        {IDC_SUBSCRIPTION_LABEL, K::CentredLabel, "Abonnement", 63, 105, 75, 8, kShown, 0, 0},
        {IDC_TELECOM_LABEL, K::CentredLabel, "Télécom", 172, 106, 61, 8, kShown, 0, 0},
        {IDC_CURRENCY_UNIT_LABEL, K::Label, "Unité monétaire", 286, 136, 50, 8, kShown, 0, 0},
        {IDC_DOLLAR_RATE_LABEL, K::Label, "$1 =", 275, 159, 15, 8, kShown, 0, 0},
        {IDC_EURO_SIGN_LABEL, K::Label, "€", 341, 159, 8, 8, kShown, 0, 0},
        {IDC_CURRENCY_LABEL, K::Label, "Monnaie :", 276, 184, 32, 8, kShown, 0, 0},
        {IDC_MESH_LABEL, K::Label, "Maille (°)", 302, 33, 28, 8, kShown, 0, 0},
        {IDC_MESH_LON_LABEL, K::Label, "Longitude :", 274, 54, 36, 8, kShown, 0, 0},
        {IDC_MESH_LAT_LABEL, K::Label, "Latitude :", 274, 70, 30, 8, kShown, 0, 0},
        {IDC_COLUMN1_TITLE, K::CentredLabel, "Position du centre de la grille", 74, 176, 69, 16,
         kShown, 0, 0},
        {IDC_COLUMN2_TITLE, K::CentredLabel, "Taille de la grille", 177, 176, 69, 16, kShown, 0, 0},
        {IDC_MOTION_TITLE, K::CentredLabel, "Déplacement", 278, 176, 69, 10, kShown, 0, 0},
        {IDC_LON1_LABEL, K::Label, "Longitude :", 68, 217, 36, 8, kShown, 0, 0},
        {IDC_LAT1_LABEL, K::Label, "Latitude :", 68, 201, 30, 8, kShown, 0, 0},
        {IDC_LAT1_DEGREE_LABEL, K::Label, "°", 145, 201, 8, 8, kShown, 0, 0},
        {IDC_LON1_DEGREE_LABEL, K::Label, "°", 145, 217, 8, 8, kShown, 0, 0},
        {IDC_LON2_LABEL, K::Label, "Longitude :", 169, 217, 36, 8, kShown, 0, 0},
        {IDC_LAT2_LABEL, K::Label, "Latitude :", 169, 201, 30, 8, kShown, 0, 0},
        {IDC_LAT2_DEGREE_LABEL, K::Label, "°", 248, 201, 8, 8, kShown, 0, 0},
        {IDC_LON2_DEGREE_LABEL, K::Label, "°", 248, 217, 8, 8, kShown, 0, 0},
        {IDC_HEADING_LABEL, K::Label, "Cap :", 271, 201, 18, 8, kShown, 0, 0},
        {IDC_SPEED_LABEL, K::Label, "Vitesse :", 271, 217, 28, 8, kShown, 0, 0},
        {IDC_KNOTS_LABEL, K::Label, "Nds", 346, 218, 14, 8, kShown, 0, 0},
        {IDC_TAB_PAGES, K::TabControl, "", 56, 4, 311, 236, kShown, 0, 0},
        {-1, K::Picture, "", 7, 254, 84, 22, kShown, 0, IDB_LOGO},
        {-1, K::Picture, "", 7, 280, 69, 14, kShown, 0, IDB_LOGO_SMALL},
    };
    return d;
}

DialogLayout BuildAboutBox() {
    DialogLayout d{"A propos de Wavepost", "MS Sans Serif", 8, 167, 38, {}};
    d.controls = {
        {-1, K::Icon, "", 7, 8, 21, 20, kShown, 0, IDR_MAINFRAME},
        {-1, K::Label, "Wavepost version " WAVEPOST_VERSION, 36, 7, 70, 8, kShown, 0, 0},
        {-1, K::Label, "Météo à la carte, par e-mail", 36, 22, 70, 8, kShown, 0, 0},
        {IDC_ABOUT_OK, K::DefaultPushButton, "OK", 110, 11, 50, 14, kShown, 0, 0},
    };
    return d;
}

}  // namespace

const DialogLayout& MainWindowLayout() {
    static const DialogLayout layout = BuildMainWindow();
    return layout;
}

const DialogLayout& AboutBoxLayout() {
    static const DialogLayout layout = BuildAboutBox();
    return layout;
}

const std::vector<LabelBuddy>& LabelBuddies() {
    static const std::vector<LabelBuddy> buddies = {
        {IDC_MAP_LIST, IDC_ZONE_CAPTION, 0},
        {IDC_LAT1_EDIT, IDC_LAT1_LABEL, IDC_COLUMN1_TITLE},
        {IDC_LON1_EDIT, IDC_LON1_LABEL, IDC_COLUMN1_TITLE},
        {IDC_LAT2_EDIT, IDC_LAT2_LABEL, IDC_COLUMN2_TITLE},
        {IDC_LON2_EDIT, IDC_LON2_LABEL, IDC_COLUMN2_TITLE},
        {IDC_HEADING_EDIT, IDC_HEADING_LABEL, 0},
        {IDC_SPEED_EDIT, IDC_SPEED_LABEL, 0},
        {IDC_HEADING_SPIN, IDC_HEADING_LABEL, 0},
        {IDC_SPEED_SPIN, IDC_SPEED_LABEL, 0},
        {IDC_MESH_LON_COMBO, IDC_MESH_LON_LABEL, IDC_MESH_LABEL},
        {IDC_MESH_LAT_COMBO, IDC_MESH_LAT_LABEL, IDC_MESH_LABEL},
        {IDC_DEFAULT_PARAMS_BUTTON, IDC_DEFAULT_PARAMS_BUTTON, kPageTitle(kParametersPage)},
        {IDC_DAYS_EDIT, IDC_SUBSCRIPTION_DAYS_RADIO, IDC_SUBSCRIPTION_LABEL},
        {IDC_TELECOM_COMBO, IDC_TELECOM_LABEL, 0},
        {IDC_DOLLAR_RATE_EDIT, IDC_DOLLAR_RATE_LABEL, IDC_CURRENCY_UNIT_LABEL},
        {IDC_CURRENCY_COMBO, IDC_CURRENCY_LABEL, 0},
        {IDC_DEFAULT_OPTIONS_BUTTON, IDC_DEFAULT_OPTIONS_BUTTON, kPageTitle(kOptionsPage)},
        {IDC_PRESENTATION_EDIT, IDC_PRESENTATION_CAPTION, 0},
        {IDC_ORDER_TEXT_EDIT, IDC_ORDER_TITLE, 0},
        {IDC_HISTORY_EDIT, 0, 0, IDS_RECENT_ORDERS},
        {IDC_HANDOVER_COMBO, IDC_HANDOVER_LABEL, 0},
        {IDC_SERVICE_COMBO, IDC_SERVICE_LABEL, 0},
        {IDC_WEATHER_COST_EDIT, IDC_WEATHER_COST_LABEL, 0},
        {IDC_TELECOM_COST_EDIT, IDC_TELECOM_COST_LABEL, 0},
    };
    return buddies;
}

const std::vector<std::vector<int>>& RadioGroups() {
    // The order of the groups is the order the toolkits create them in.
    static const std::vector<std::vector<int>> groups = {
        {kSubscriptionRadios.begin(), kSubscriptionRadios.end()},
        {kZoneModeRadios.begin(), kZoneModeRadios.end()},
        {kLandDataRadios.begin(), kLandDataRadios.end()},
        {kCompressionRadios.begin(), kCompressionRadios.end()},
        {kMapRadios.begin(), kMapRadios.end()}};
    return groups;
}

const std::vector<int>* RadioGroupOf(int buttonId) {
    for (const auto& group : RadioGroups()) {
        for (int id : group) {
            if (id == buttonId) return &group;
        }
    }
    return nullptr;
}

const ControlLayout* FindControl(int id) {
    for (const auto& control : MainWindowLayout().controls) {
        if (control.id == id) return &control;
    }
    return nullptr;
}

const char* ControlIdName(int id) {
    switch (id) {
#define WAVEPOST_CONTROL_NAME(name, value) \
    case value:                            \
        return #name;
        WAVEPOST_CONTROL_IDS(WAVEPOST_CONTROL_NAME)
#undef WAVEPOST_CONTROL_NAME
        default:
            return nullptr;
    }
}

}  // namespace wavepost
