#include "app/layout/StringTable.h"

#include <map>

#include "app/Version.h"
#include "base/FileAccess.h"
#include "base/NumberText.h"

namespace wavepost {

namespace {

const std::map<int, std::string>& Table() {
    static const std::map<int, std::string> table = {
        {IDS_OLE_INIT_FAILED,
         "Echec de l'initialisation OLE. Vérifiez que les bibliothèques OLE sont de la bonne "
         "version."},
        {IDS_ABOUTBOX, "&A propos de Wavepost..."},
        {IDS_TAB_ZONE, "&Zone Géographique"},
        {IDS_TAB_PARAMETERS, "&Paramètres"},
        {IDS_TAB_OPTIONS, "&Options"},
        {IDS_TAB_BULLETINS, "&Bulletins"},
        {IDS_TAB_HELP, "    ?"},
        {IDS_MAP_WORLD, "Monde"},
        {IDS_MAP_EUROPE, "Europe"},
        {IDS_MAP_FRANCE, "France"},
        {IDS_NO_ADDRESS,
         "Aucune adresse n'a pu être lu dans le fichier de\nconfiguration \"Init.cnf\"."},
        {IDS_CONFIG_ERROR, "Erreur dans le fichier de configuration"},
        {IDS_KEY_METEO, "meteo"},
        {IDS_KEY_QUESTION, "question"},
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
        {IDS_TAB_IMAGES, "&Images"},
        {IDS_CATALOGUE_MISSING,
         "Le repertoire \"Ini\" (ou l'un des fichiers de ce dernier) n'a pas pu  être trouvé "
         "ou\nouvert. L'application ne peut être éxecutée sans ses fichiers."},
        {IDS_CAPTION_STEPS, "Echéances (h)"},
        {IDS_CAPTION_PARAMETERS, "Données"},
        {IDS_CAPTION_BULLETINS, "Choix des bulletins"},
        {IDS_CAPTION_IMAGES, "Choix des images"},
        {IDS_CAPTION_PRESENTATION, "Présentation rapide"},
        {IDS_CAPTION_ZONE, "Choix de la zone\ngéographique"},
        {IDS_ABOUT_CAPTION, "A propos de Wavepost"},
        {IDS_ABOUT_VERSION, "Wavepost version " WAVEPOST_VERSION},
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
         "L'adresse de la clé \"%s\" du fichier \"%s\" n'est pas une adresse simple de la "
         "forme nom@domaine :\nni blanc, ni caractère de contrôle, ni < > : , ; ni guillemets "
         "hors d'un nom entre guillemets,\net au plus 254 octets.\nAucun message n'a été "
         "envoyé."},
        {IDS_KEY_SENDER, "expediteur"},
        {IDS_NO_ADDRESS_NOTHING_SENT,
         "La clé \"%s\" du fichier \"%s\" est absente ou vide.\nAucune commande n'a été "
         "transmise ni enregistrée : indiquez-y l'adresse du service météo."},
        {IDS_ORDER_TO_MISSING, "À : aucune adresse (clé \"%s\" absente ou vide dans \"%s\")"},
        {IDS_ORDER_LONG_LINE,
         "Attention : la commande \"%s\" a une ligne de plus de 72 caractères, que beaucoup "
         "de programmes de messagerie coupent.\nPréférez \"Fichier\" ou \"Winlink (Pat)\" "
         "dans \"Envoi par\"."},
        {IDS_NO_MAIL_PROGRAM_ORDERS,
         "Aucun programme de messagerie n'a pu être ouvert.\nLes %d commandes ont été copiées "
         "ensemble dans le presse-papiers, chacune sous une ligne qui nomme son message.\n"
         "Envoyez chacune dans un message à part à l'adresse %s, avec le sujet que donne sa "
         "ligne."},
        {IDS_CLIPBOARD_SEPARATOR, "===== Message \"%s\" à %s : le texte qui suit ====="},
        {IDS_NOTHING_TO_COPY, "Il n'y a aucune commande à copier."},
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
        {IDS_TAB_ORDER, "Co&mmande"},
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
        {IDS_ORDER_FROM, "De : %s"},
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
        {IDS_RECENT_ORDER_LINE, "  %s  %s à %s, %s"},
        {IDS_NO_ORDERS_YET, "Aucune commande transmise pour l'instant."},
        {IDS_SD_DAYS,
         "Un abonnement Saildocs dure au moins un jour : indiquez le nombre de jours."},
        {IDS_SD_PERMANENT,
         "Saildocs n'offre pas d'abonnement permanent : choisissez \"S'abonner pour N jours\"."},
        {IDS_SD_SPACING, "Saildocs n'offre pas la maille de %s° (mailles offertes : %s)."},
        {IDS_SD_MOVING,
         "Saildocs ne fait pas suivre la zone au bateau : mettez la vitesse à 0 pour commander "
         "la zone fixe."},
        {IDS_SD_PARAMETER,
         "Saildocs n'offre pas le paramètre %s : décochez-le pour commander à Saildocs."},
        {IDS_SD_STEP, "Saildocs n'offre pas l'échéance %s h (toutes les %d h jusqu'à %d h)."},
        {IDS_SD_NO_BULLETINS,
         "Les bulletins et images cochés ne sont pas commandés à Saildocs : ils viennent du "
         "service du catalogue."},
        {IDS_SD_TABLE_MISSING,
         "La table \"ini/saildocs.txt\" manque ou ne donne ni l'adresse ni le modèle de "
         "Saildocs : aucune commande ne peut lui être adressée."},
        {IDS_SERVICE_CATALOGUE, "Service du catalogue"},
        {IDS_SERVICE_SAILDOCS, "Saildocs (gratuit)"},
        {IDS_ADDRESS_NOT_SET,
         "L'adresse du service météo n'est pas encore réglée : \"%s\" est une adresse "
         "d'exemple, qui ne mène nulle part.\nAucune commande n'est transmise. Réglez-la avec "
         "\"Adresses...\" sur la page Commande."},
        {IDS_QUESTION_NOT_SET,
         "L'adresse des questions n'est pas encore réglée : \"%s\" est une adresse d'exemple, "
         "qui ne mène nulle part.\nAucun message n'est ouvert. Réglez-la avec \"Adresses...\" "
         "sur la page Commande."},
        {IDS_OFFER_ADDRESSES, "Régler les adresses maintenant ?"},
        {IDS_ADDRESSES_TITLE, "Adresses"},
        {IDS_ADDRESS_LABEL_METEO, "Adresse du service météo (reçoit les commandes) :"},
        {IDS_ADDRESS_LABEL_QUESTION, "Adresse des questions (\"Posez vos questions\") :"},
        {IDS_ADDRESS_LABEL_SENDER,
         "Votre adresse (facultative : l'expéditeur des fichiers .eml) :"},
        {IDS_ADDRESS_REFUSED,
         "\"%s\" n'est pas une adresse simple (nom@domaine, sans blanc ni l'un des signes "
         "< > : , ;) : corrigez-la."},
        {IDS_ADDRESS_PLACEHOLDER,
         "\"%s\" est une adresse d'exemple (domaine .invalid) : indiquez une vraie adresse."},
        {IDS_ADDRESSES_NOT_SAVED,
         "Les adresses n'ont pas pu être enregistrées dans \"%s\" ; le fichier est resté tel "
         "quel."},

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
        {IDS_COMMAND_LINE_ABOUT,
         "Prépare les commandes de météo d'une zone de navigation et les confie à la "
         "messagerie."},
        {IDS_OPTION_UPGRADE,
         "Met à jour le catalogue du dossier de travail depuis celui, plus récent, du "
         "<dossier>, en gardant les choix."},
        {IDS_OPTION_UPGRADE_VALUE, "dossier"},
        {IDS_CATALOGUE_UPGRADED,
         "Le catalogue a été mis à jour (version %ld, puis %ld) ; vos choix sont gardés.\n"
         "%sLes tables précédentes sont gardées dans le dossier \"%s\"."},
        {IDS_UPGRADE_TABLE_LINE,
         "%s : %d ligne(s) ajoutée(s), %d ligne(s) retirée(s), %d ligne(s) modifiée(s)"},
        {IDS_CATALOGUE_NOT_UPGRADED,
         "Le catalogue n'a pas pu être mis à jour :\n%s\nLes tables et vos choix restent "
         "tels quels."},
        {IDS_PROGRESS_CANCEL, "Annuler"},
        {IDS_PROGRESS_HANDOVER, "Remise de la commande à %s...\n(\"%s\" pour %s)"},
        {IDS_PROGRESS_MAIL_HANDLER, "Recherche du programme de messagerie..."},
        {IDS_TO_MAIL_PROGRAM, "la messagerie"},
        {IDS_TO_PAT, "Pat"},
        {IDS_MAIL_FAILED, "La messagerie n'a pas pris la commande (code %d).\n%s"},
        {IDS_MAIL_NOT_STARTED, "La messagerie n'a pas pu être ouverte :\n%s"},
        {IDS_MAIL_TIMED_OUT,
         "La messagerie n'a pas rendu la main dans le temps imparti ; Wavepost ne l'attend "
         "plus.\n%s"},
        {IDS_HANDOVER_CANCELLED, "La remise de la commande à %s a été annulée."},
        {IDS_NOT_IN_HISTORY, "\nElle n'est pas inscrite dans l'historique."},
        {IDS_PAT_VERSION_REFUSED,
         "Cette version de Pat (%s) demanderait la commande au clavier au lieu de la lire : "
         "elle ne lui a pas été remise.\nPat la lit sans rien demander dans ses versions 0.13 "
         "à 0.16 et depuis la 0.18."},
        {IDS_PAT_VERSION_UNKNOWN,
         "La version de Pat n'a pas pu être lue (\"pat version\") : la commande ne lui a pas "
         "été remise.\n%s"},
        {IDS_NO_STATE_FOLDER,
         "Le dossier d'état de Wavepost n'est pas utilisable (HOME absent, ou XDG_STATE_HOME "
         "sans droit d'écriture) :\nni historique des commandes ni copies ne sont gardés "
         "pendant cette session. Les commandes partent normalement."},
        {IDS_HANDED_MAIL, "remise à la messagerie"},
        {IDS_HANDED_PAT, "déposée dans la boîte d'envoi de Pat"},
        {IDS_HANDED_FILE, "écrite dans le dossier"},
        {IDS_WITHDRAWN, " (retirée)"},
        {IDS_WITHDRAW_CHOOSE,
         "Commande à retirer de l'historique (abandonnée dans la messagerie, jamais partie) :"},
        {IDS_WITHDRAW_NONE, "Aucune commande de l'historique ne peut être retirée."},
        {IDS_HANDOVER_INTERRUPTED,
         "Wavepost a été arrêté pendant la remise de la commande \"%s\" pour %s.\nElle est "
         "inscrite dans l'historique : si elle n'est pas partie, retirez-la avec "
         "\"Retirer...\" sur la page Commande."},
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
        {IDS_RESEND_CHOOSE,
         "Commande à renvoyer telle quelle (même destinataire, même texte), par la voie "
         "choisie maintenant :"},
        {IDS_RESEND_NONE, "L'historique ne contient aucune commande à renvoyer."},
        {IDS_RESEND_BAD_ADDRESS,
         "Le destinataire \"%s\" de cette commande de l'historique n'est pas une adresse "
         "valable.\nLa commande n'a pas été renvoyée."},
        {IDS_FAVOURITES_CHOOSE, "Favori à rappeler, ou que faire des favoris :"},
        {IDS_FAVOURITE_SAVE_NEW, "Enregistrer les choix actuels comme favori..."},
        {IDS_FAVOURITE_RENAME, "Renommer un favori..."},
        {IDS_FAVOURITE_DELETE, "Supprimer un favori..."},
        {IDS_FAVOURITE_WHICH_RENAME, "Favori à renommer :"},
        {IDS_FAVOURITE_NAME_TITLE, "Favori"},
        {IDS_FAVOURITE_NAME_LABEL, "Nom du favori :"},
        {IDS_FAVOURITE_NAME_TAKEN,
         "Un favori s'appelle déjà \"%s\".\nChoisissez un autre nom (un nom ne peut être vide ni "
         "contenir de crochets)."},
        {IDS_FAVOURITE_WHICH_DELETE, "Favori à supprimer :"},
        {IDS_FAVOURITES_NOT_SAVED,
         "Les favoris n'ont pas pu être enregistrés dans \"%s\".\nRien n'a été changé."},
        {IDS_FAVOURITE_DROPPED,
         "Le favori \"%s\" a été rappelé, sauf ce que le catalogue n'offre plus :\n%s"},
        {IDS_FAVOURITES_UNREADABLE,
         "Le fichier des favoris \"%s\" n'a pas pu être lu.\nIl est laissé tel quel."},
        {IDS_FAVOURITE_NO_FOLDER,
         "Aucun dossier de réglages n'est disponible : les favoris ne peuvent pas être gardés."},
        {IDS_BOAT_CONNECTING, "gpsd : connexion à %s:%d..."},
        {IDS_BOAT_UNREACHABLE, "gpsd injoignable (%s:%d)"},
        {IDS_BOAT_NO_FIX, "gpsd : pas de position"},
        {IDS_BOAT_STALE, "gpsd : position trop ancienne (%s UTC)"},
        {IDS_BOAT_BAD_TIME, "gpsd : heure de la position invalide"},
        {IDS_BOAT_BAD_POSITION, "gpsd : position invalide"},
        {IDS_BOAT_FIX, "Bateau : %s UTC, %s"},
        {IDS_BOAT_OUTSIDE_MAP,
         "Le bateau est hors de la carte %s : choisissez une carte qui le montre. La zone ne "
         "change pas."},
    };
    return table;
}

}  // namespace

const std::map<int, std::string>& AllStrings() {
    return Table();
}

const std::string& LoadString(int id) {
    static const std::string empty;
    const auto& table = Table();
    auto it = table.find(id);
    return it == table.end() ? empty : it->second;
}

std::string FileErrorMessage(const FileFailure& failure) {
    const char* path = failure.path.c_str();
    switch (failure.fault) {
        case FileFault::Read:
            return Format(LoadString(IDS_FILE_READ_ERROR).c_str(), path);
        case FileFault::Write:
            return Format(LoadString(IDS_FILE_WRITE_ERROR).c_str(), path);
        case FileFault::NotRegular:
            return Format(LoadString(IDS_FILE_NOT_REGULAR).c_str(), path);
        case FileFault::TooLarge: {
            // Whole mebibytes, rounded up: the bound is never said smaller than it is.
            const std::size_t mebibyte = std::size_t{1} << 20;
            const std::string limit = std::to_string((failure.limit + mebibyte - 1) / mebibyte);
            return Format(LoadString(IDS_FILE_TOO_LARGE).c_str(), path, limit.c_str());
        }
        case FileFault::FolderBusy:
            return Format(LoadString(IDS_FOLDER_BUSY).c_str(), path);
        case FileFault::TableTooLarge:
            return Format(LoadString(IDS_TABLE_TOO_LARGE).c_str(), path);
        case FileFault::ListOutside:
            return Format(LoadString(IDS_SAVE_LIST_OUTSIDE).c_str(), path);
    }
    return Format(LoadString(IDS_FILE_READ_ERROR).c_str(), path);
}

std::string FileErrorMessage(const FileError& error) {
    return FileErrorMessage(error.Failure());
}

}  // namespace wavepost
