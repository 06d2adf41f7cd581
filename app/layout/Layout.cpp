#include "app/layout/Layout.h"

#include "app/layout/ResourceIds.h"

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
        {1024, K::RadioButton, "Demande unique", 65, 119, 76, 10, kShown, 0, 0},
        {1025, K::RadioButton, "S'abonner pour N jours", 65, 131, 54, 21, kShown, kML, 0},
        {1026, K::RadioButton, "Abonnement permanent", 65, 154, 74, 19, kShown, kML, 0},
        {1027, K::RadioButton, "Supprimer tous les abonnements en cours", 65, 176, 81, 24, kShown,
         kML, 0},
        {1060, K::ListView, "", 4, 4, 53, 236, kShown, 0, 0},
        {1074, K::Edit, "", 104, 200, 40, 12, kShown, kRA, 0},
        {1073, K::Edit, "", 104, 216, 40, 12, kShown, kRA, 0},
        {1080, K::Edit, "", 207, 200, 40, 12, kShown, kRA, 0},
        {1079, K::Edit, "", 207, 216, 40, 12, kShown, kRA, 0},
        {1085, K::Edit, "", 303, 200, 31, 12, kShown, kRA, 0},
        {1086, K::Edit, "", 303, 216, 31, 12, kShown, kRA, 0},
        {1087, K::SpinArrows, "", 335, 200, 10, 12, kShown, 0, 0},
        {1093, K::SpinArrows, "", 335, 216, 10, 12, kHidden, 0, 0},
        {1092, K::CheckBox, "Antiméridien", 288, 148, 54, 10, kHidden, 0, 0},
        {1001, K::DropDownList, "", 319, 52, 36, 159, kHidden, 0, 0},
        {1002, K::DropDownList, "", 319, 68, 36, 167, kHidden, 0, 0},
        {1062, K::PushButton, "Défaut", 270, 105, 84, 29, kHidden, 0, 0},
        {1016, K::RadioButton, "Mode centré", 70, 54, 56, 10, kShown, 0, 0},
        {1017, K::RadioButton, "Mode rectangle", 70, 68, 65, 10, kShown, 0, 0},
        {1018, K::RadioButton, "OUI", 176, 49, 29, 10, kShown, 0, 0},
        {1019, K::RadioButton, "NON", 176, 65, 29, 10, kShown, 0, 0},
        {1020, K::RadioButton, "Non compressé", 277, 56, 65, 10, kShown, 0, 0},
        {1021, K::RadioButton, "Zip", 277, 71, 26, 10, kShown, 0, 0},
        {1022, K::RadioButton, "GZip", 277, 86, 31, 10, kShown, 0, 0},
        {1023, K::RadioButton, "BZip2", 277, 100, 35, 10, kShown, 0, 0},
        {1055, K::Edit, "", 120, 136, 24, 12, kShown, kRA, 0},
        {1037, K::DropDownList, "", 171, 123, 67, 157, kHidden, 0, 0},
        {1034, K::Edit, "", 293, 156, 45, 12, kShown, kRA, 0},
        {1039, K::DropDownList, "", 276, 195, 72, 45, kShown, 0, 0},
        {1035, K::PushButton, "Défaut", 162, 158, 84, 29, kHidden, 0, 0},
        {1096, K::Edit, "", 61, 46, 300, 116, kHidden, kML | kRO, 0},
        {9, K::PushButton, "Aide", 99, 183, 57, 37, kHidden, 0, 0},
        {1003, K::PushButton, "Posez vos questions", 225, 183, 111, 37, kHidden, kML, 0},
        {1011, K::Edit, "", 193, 259, 60, 12, kShown, kRO | kRA, 0},
        {1012, K::Edit, "", 193, 279, 60, 12, kShown, kRO | kRA, 0},
        {1013, K::DefaultPushButton, "Envoi", 263, 251, 84, 19, kShown, 0, 0},
        {1061, K::GroupBox, "", 61, 166, 300, 68, kHidden, 0, 0},
        {1, K::PushButton, "Quitter", 263, 277, 84, 19, kShown, 0, 0},
        {1040, K::GroupBox, "", 61, 23, 88, 67, kShown, 0, 0},
        {1041, K::GroupBox, "", 162, 23, 84, 67, kShown, 0, 0},
        {1042, K::GroupBox, "", 259, 23, 102, 101, kShown, 0, 0},
        {1043, K::GroupBox, "", 61, 97, 88, 118, kShown, 0, 0},
        {1044, K::GroupBox, "", 162, 97, 84, 50, kShown, 0, 0},
        {1045, K::GroupBox, "", 259, 127, 102, 90, kShown, 0, 0},
        {1056, K::GroupBox, "", 265, 22, 96, 67, kShown, 0, 0},
        {1064, K::GroupBox, "", 61, 22, 300, 140, kShown, 0, 0},
        {1065, K::GroupBox, "", 61, 164, 96, 70, kShown, 0, 0},
        {1066, K::GroupBox, "", 163, 164, 96, 70, kShown, 0, 0},
        {1067, K::GroupBox, "", 267, 164, 94, 70, kShown, 0, 0},
        {1089, K::GroupBox, "", 3, 247, 364, 54, kHidden, 0, 0},
        {1006, K::Label, "Coût estimé météo :", 120, 261, 63, 8, kHidden, 0, 0},
        {1007, K::Label, "Coût estimé télécom :", 120, 281, 70, 8, kHidden, 0, 0},
        {1008, K::RadioButton, "MONDE", 0, 10, 11, 46, kHidden, kPL | kML, 0},
        {1009, K::RadioButton, "EUROPE", 0, 55, 11, 52, kHidden, kPL | kML, 0},
        {1010, K::RadioButton, "FRANCE", 0, 108, 11, 51, kHidden, kPL | kML, 0},
        {1046, K::CentredLabel, "Choix de la zone géographique", 63, 31, 75, 19, kShown, 0, 0},
        {1047, K::Label, "Données sur terre", 176, 31, 57, 8, kShown, 0, 0},
        {1048, K::CentredLabel, "Compression du fichier", 281, 31, 59, 19, kShown, 0, 0},
        {1049, K::CentredLabel, "Abonnement", 63, 105, 75, 8, kShown, 0, 0},
        {1050, K::CentredLabel, "Télécom", 172, 106, 61, 8, kShown, 0, 0},
        {1051, K::Label, "Unité monétaire", 286, 136, 50, 8, kShown, 0, 0},
        {1052, K::Label, "$1 =", 275, 159, 15, 8, kShown, 0, 0},
        {1053, K::Label, "€", 341, 159, 8, 8, kShown, 0, 0},
        {1054, K::Label, "Monnaie :", 276, 184, 32, 8, kShown, 0, 0},
        {1057, K::Label, "Maille (°)", 302, 33, 28, 8, kShown, 0, 0},
        {1058, K::Label, "Longitude :", 274, 54, 36, 8, kShown, 0, 0},
        {1059, K::Label, "Latitude :", 274, 70, 30, 8, kShown, 0, 0},
        {1068, K::CentredLabel, "Position du centre de la grille", 74, 176, 69, 16, kShown, 0, 0},
        {1069, K::CentredLabel, "Taille de la grille", 177, 176, 69, 16, kShown, 0, 0},
        {1070, K::CentredLabel, "Déplacement", 278, 176, 69, 10, kShown, 0, 0},
        {1071, K::Label, "Longitude :", 68, 217, 36, 8, kShown, 0, 0},
        {1072, K::Label, "Latitude :", 68, 201, 30, 8, kShown, 0, 0},
        {1075, K::Label, "°", 145, 201, 8, 8, kShown, 0, 0},
        {1076, K::Label, "°", 145, 217, 8, 8, kShown, 0, 0},
        {1077, K::Label, "Longitude :", 169, 217, 36, 8, kShown, 0, 0},
        {1078, K::Label, "Latitude :", 169, 201, 30, 8, kShown, 0, 0},
        {1081, K::Label, "°", 248, 201, 8, 8, kShown, 0, 0},
        {1082, K::Label, "°", 248, 217, 8, 8, kShown, 0, 0},
        {1083, K::Label, "Cap :", 271, 201, 18, 8, kShown, 0, 0},
        {1084, K::Label, "Vitesse :", 271, 217, 28, 8, kShown, 0, 0},
        {1088, K::Label, "Nds", 346, 218, 14, 8, kShown, 0, 0},
        {1063, K::TabControl, "", 56, 4, 311, 236, kShown, 0, 0},
        {-1, K::Picture, "", 7, 254, 84, 22, kShown, 0, IDB_LOGO},
        {-1, K::Picture, "", 7, 280, 69, 14, kShown, 0, IDB_LOGO_SMALL},
    };
    return d;
}

DialogLayout BuildAboutBox() {
    DialogLayout d{"A propos de Wavepost", "MS Sans Serif", 8, 167, 38, {}};
    d.controls = {
        {-1, K::Icon, "", 7, 8, 21, 20, kShown, 0, IDR_MAINFRAME},
        {-1, K::Label, "Wavepost version 1.0", 36, 7, 70, 8, kShown, 0, 0},
        {-1, K::Label, "Météo à la carte, par e-mail", 36, 22, 70, 8, kShown, 0, 0},
        {1, K::DefaultPushButton, "OK", 110, 11, 50, 14, kShown, 0, 0},
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

const std::vector<std::vector<int>>& RadioGroups() {
    static const std::vector<std::vector<int>> groups = {{1024, 1025, 1026, 1027},
                                                         {1016, 1017},
                                                         {1018, 1019},
                                                         {1020, 1021, 1022, 1023},
                                                         {1008, 1009, 1010}};
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

}  // namespace wavepost
