#include "app/layout/StringTable.h"

#include <map>

namespace wavepost {

namespace {

const std::map<int, std::string>& Table() {
    static const std::map<int, std::string> table = {
        {IDS_OLE_INIT_FAILED,
         "Echec de l'initialisation OLE. Vérifiez que les bibliothèques OLE sont de la bonne "
         "version."},
        {IDS_ABOUTBOX, "&A propos de Wavepost..."},
        {IDS_TAB_ZONE, "Zone Géographique"},
        {IDS_TAB_PARAMETERS, "Paramètres"},
        {IDS_TAB_OPTIONS, "Options"},
        {IDS_TAB_BULLETINS, "Bulletins"},
        {IDS_TAB_HELP, "    ?"},
        {IDS_MAP_WORLD, "Monde"},
        {IDS_MAP_EUROPE, "Europe"},
        {IDS_MAP_FRANCE, "France"},
        {IDS_NO_ADDRESS,
         "Aucune adresse n'a pu être lu dans le fichier de\nconfiguration \"Init.cnf\"."},
        {IDS_CONFIG_ERROR, "Erreur dans le fichier de configuration"},
        {IDS_KEY_METEO, "meteo"},
        {IDS_KEY_QUESTION, "question"},
        {IDS_GRIB_START, "@mto@reqt@grib@"},
        {IDS_REQUEST_END, "@mto@reqt@fin@"},
        {IDS_NO_MESH, "Aucune maille n'a été spécifiée"},
        {IDS_NO_CONFIG_FILE,
         "Le fichier \"Init.cnf\" n'a pas pu être trouvé. La message ne peut donc pas\nêtre "
         "envoyée sans ce fichier."},
        {IDS_LOWER_RIGHT, "Position inférieur droit"},
        {IDS_UPPER_LEFT, "Position supérieur gauche"},
        {IDS_CENTRE_POSITION, "Position du centre de la grille"},
        {IDS_GRID_SIZE, "Taille de la grille"},
        {IDS_WEATHER_COST, "Coût estimé météo :"},
        {IDS_TELECOM_COST, "Coût estimé télécom :"},
        {IDS_CONFIG_FILE_NAME, "init.cnf"},
        {IDS_HELP_FILE_NAME, "aide.html"},
        {IDS_BAD_PARAMETERS,
         "Un ou plusieurs paramètres sont incorrects.\nAucun message n'a pu être envoyé."},
        {IDS_POINTS_ALARM, "Nombre de points : Alarme"},
        {IDS_POINTS_FATAL, "Nombre de points : Fatal"},
        {IDS_KEY_PTEURO, "PtEuro"},
        {IDS_TAB_IMAGES, "Images"},
        {IDS_CATALOGUE_MISSING,
         "Le repertoire \"Ini\" (ou l'un des fichiers de ce dernier) n'a pas pu  être trouvé "
         "ou\nouvert. L'application ne peut être éxecutée sans ses fichiers."},
        {IDS_CAPTION_STEPS, "Echéances (h)"},
        {IDS_CAPTION_PARAMETERS, "Données"},
        {IDS_CAPTION_BULLETINS, "Choix des bulletins"},
        {IDS_CAPTION_IMAGES, "Choix des images"},
        {IDS_CAPTION_PRESENTATION, "Présentation rapide"},
        {IDS_CAPTION_ZONE, "Choix de la zone\ngéographique"},
        {IDS_BULLETIN_START, "@mto@reqt@bull@"},
        {IDS_ABOUT_CAPTION, "A propos de Wavepost"},
        {IDS_ABOUT_VERSION, "Wavepost version 1.0"},
        {IDS_ABOUT_COPYRIGHT, "Météo à la carte, par e-mail"},
        {IDS_WINDOW_CAPTION, "WAVEPOST"},
        {IDS_FILE_READ_ERROR, "Le fichier \"%s\" n'a pas pu être lu."},
        {IDS_FILE_WRITE_ERROR,
         "Le fichier \"%s\" n'a pas pu être écrit.\nUne partie des choix n'a pas "
         "été enregistrée."},
        {IDS_NO_MAIL_PROGRAM,
         "Aucun programme de messagerie n'a pu être ouvert.\nLa commande a été copiée dans le "
         "presse-papiers.\nEnvoyez-la à l'adresse %s avec le sujet \"%s\"."},
        {IDS_NO_MAIL_PROGRAM_QUESTION,
         "Aucun programme de messagerie n'a pu être ouvert.\nL'adresse a été copiée dans le "
         "presse-papiers.\nEcrivez à l'adresse %s avec le sujet \"%s\"."},
        {IDS_NO_HELP_VIEWER,
         "Aucun programme n'a pu ouvrir la page d'aide.\nOuvrez le fichier \"%s\" avec votre "
         "navigateur."},
        {IDS_BAD_ADDRESS,
         "L'adresse de la clé \"%s\" du fichier \"%s\" n'est pas une adresse simple : elle "
         "contient\nun blanc, un caractère de contrôle ou l'un des signes ? & # , ;\nAucun "
         "message n'a été envoyé."},
        {IDS_FOLDER_BUSY,
         "Le dossier \"%s\" est en cours d'enregistrement par un autre programme.\nUne "
         "partie des choix n'a pas été enregistrée."},
        {IDS_ANTIMERIDIAN_NOT_SAVED,
         "Le fichier \"%s\" ne peut pas être écrit.\nLa case \"Antiméridien\" reprend son "
         "état précédent."},
        {IDS_ORDER_NOT_SENT,
         "La commande Grib n'a PAS été envoyée : les choix dont elle est faite n'ont pas pu "
         "être enregistrés.\n%s"},
        {IDS_TABLE_TOO_LARGE,
         "Le fichier \"%s\" est trop volumineux pour être ouvert.\n"
         "L'application ne peut être exécutée sans ses fichiers."},
        {IDS_OUT_OF_MEMORY,
         "La mémoire disponible ne suffit pas pour terminer cette opération.\nElle a été "
         "abandonnée."},
        {IDS_AMOUNT_NOT_FINITE, "montant incalculable"},
        {IDS_TAB_ORDER, "Commande"},
        {IDS_ORDER_SINGLE, "Demande GRIB unique"},
        {IDS_ORDER_DAYS, "Abonnement GRIB pour %s jours"},
        {IDS_ORDER_PERMANENT, "Abonnement GRIB permanent"},
        {IDS_ORDER_CANCEL_ALL, "Suppression de tous les abonnements en cours"},
        {IDS_ORDER_NO_GRIB, "Aucune demande GRIB"},
        {IDS_ORDER_SIZE, "Fichier GRIB estimé : %s ko (%s points)"},
        {IDS_ORDER_TIME, ", transfert en %s sur %s"},
        {IDS_ORDER_PAST_ALARM, "Au-delà du seuil d'alarme du lien (%s points) : %s points, %s ko."},
        {IDS_ORDER_PAST_FATAL, "Au-delà du seuil fatal du lien (%s points) : %s points, %s ko."},
        {IDS_ORDER_TO, "À : %s"},
        {IDS_ORDER_SUBJECT, "Objet : %s"},
        {IDS_ORDER_INSTEAD, "Envoi afficherait ce message :"},
        {IDS_ORDER_SAVED, "Commandes enregistrées dans le dossier \"%s\"."},
        {IDS_ORDER_NOTHING_TO_SAVE, "Il n'y a aucune commande à enregistrer."},
        {IDS_CHOOSE_ORDER_FOLDER, "Dossier des commandes"},
        {IDS_CHOOSE_OUTBOX, "Dossier d'envoi des commandes"},
        {IDS_OUTBOX_LINE, "Dossier d'envoi : %s"},
        {IDS_SUBSCRIPTIONS_NONE, "Abonnements en cours d'après l'historique : aucun"},
        {IDS_SUBSCRIPTIONS, "Abonnements en cours d'après l'historique :"},
        {IDS_SUBSCRIPTION_DAYS_LINE, "  %ld jours, du %s au %s, à %s"},
        {IDS_SUBSCRIPTION_PERMANENT_LINE, "  permanent depuis le %s, à %s"},
        {IDS_ALL_CANCELLED_LINE, "  (tous supprimés le %s)"},
        {IDS_RECENT_ORDERS, "Dernières commandes :"},
        {IDS_RECENT_ORDER_LINE, "  %s  %s à %s (%s)"},
        {IDS_NO_ORDERS_YET, "Aucune commande transmise pour l'instant."},
        {IDS_METHOD_MAIL, "Messagerie"},
        {IDS_METHOD_PAT, "Winlink (Pat)"},
        {IDS_METHOD_FILE, "Fichier"},
        {IDS_PAT_FAILED, "Pat n'a pas pu prendre la commande (code %d) :\n%s"},
        {IDS_PAT_NOT_STARTED, "Pat n'a pas pu être lancé :\n%s"},
        {IDS_PAT_TIMED_OUT, "Pat n'a pas répondu dans le temps imparti et a été arrêté.\n%s"},
        {IDS_PAT_BAD_ADDRESS, "l'adresse commence par un tiret et serait lue comme une option"},
        {IDS_ORDER_IN_CLIPBOARD,
         "\n\nLa commande a été copiée dans le presse-papiers.\nEnvoyez-la à l'adresse %s "
         "avec le sujet \"%s\"."},
        {IDS_EML_NOT_WRITTEN,
         "La commande n'a pas pu être écrite dans le dossier d'envoi :\n\"%s\""},
        {IDS_HISTORY_NOT_WRITTEN,
         "L'historique des commandes \"%s\" n'a pas pu être complété.\nLes commandes ont "
         "été transmises normalement."},
        {IDS_HISTORY_DAMAGED,
         "L'historique des commandes \"%s\" contient %d ligne(s) illisible(s).\nElles sont "
         "ignorées et laissées telles quelles."},
        {IDS_HISTORY_UNREADABLE,
         "L'historique des commandes \"%s\" n'a pas pu être lu.\nLes commandes passées et les "
         "abonnements en cours ne peuvent pas être affichés."},
        {IDS_FILE_NOT_REGULAR,
         "\"%s\" n'est pas un fichier ordinaire (dossier, périphérique ou tube) : il n'a "
         "pas été lu."},
        {IDS_FILE_TOO_LARGE, "Le fichier \"%s\" dépasse %s Mo : il n'a pas été lu."},
        {IDS_SAVE_LIST_OUTSIDE,
         "La liste d'enregistrement \"%s\" nomme un fichier hors de son dossier.\nCe nom n'a "
         "pas été suivi et aucun fichier hors du dossier n'a été touché."},
        {IDS_HISTORY_CUT,
         "L'historique des commandes \"%s\" est très long : seules ses dernières commandes "
         "sont lues.\nLes plus anciennes sont ignorées et laissées telles quelles."},
        {IDS_NO_ORDER_KIND,
         "Aucun type de commande n'est choisi : choisissez-le dans \"Abonnement\" sur la page "
         "\"Options\".\nLa commande Grib n'a pas été envoyée."},
        {IDS_ORDER_DAYS_COST,
         "Par envoi : %s météo, %s télécom ; pour les %s jours : %s météo, %s télécom."},
        {IDS_BAD_DAYS,
         "Le nombre de jours de l'abonnement (page \"Options\") doit être un nombre entier "
         "positif, et non \"%s\".\nLa commande Grib n'a pas été envoyée."},
    };
    return table;
}

}  // namespace

const std::string& LoadString(int id) {
    static const std::string empty;
    const auto& table = Table();
    auto it = table.find(id);
    return it == table.end() ? empty : it->second;
}

}  // namespace wavepost
