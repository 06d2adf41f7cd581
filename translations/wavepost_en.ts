<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="fr">
<context>
    <name>wavepost</name>
    <message>
        <source>Echec de l&apos;initialisation OLE. Vérifiez que les bibliothèques OLE sont de la bonne version.</source>
        <translation>The automation runtime could not be started. Check that the session bus libraries are the right version.</translation>
    </message>
    <message>
        <source>&amp;A propos de Wavepost...</source>
        <translation>&amp;About Wavepost...</translation>
    </message>
    <message>
        <source>Zone Géographique</source>
        <translation>Geographic zone</translation>
    </message>
    <message>
        <source>Paramètres</source>
        <translation>Parameters</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Bulletins</source>
        <translation>Bulletins</translation>
    </message>
    <message>
        <source>?</source>
        <translation>?</translation>
    </message>
    <message>
        <source>Monde</source>
        <translation>World</translation>
    </message>
    <message>
        <source>Europe</source>
        <translation>Europe</translation>
    </message>
    <message>
        <source>France</source>
        <translation>France</translation>
    </message>
    <message>
        <source>Aucune adresse n&apos;a pu être lu dans le fichier de
configuration &quot;Init.cnf&quot;.</source>
        <translation>No address could be read from the configuration
file &quot;Init.cnf&quot;.</translation>
    </message>
    <message>
        <source>Erreur dans le fichier de configuration</source>
        <translation>Error in the configuration file</translation>
    </message>
    <message>
        <source>Aucune maille n&apos;a été spécifiée</source>
        <translation>No grid spacing was given</translation>
    </message>
    <message>
        <source>Le fichier &quot;Init.cnf&quot; n&apos;a pas pu être trouvé. La message ne peut donc pas
être envoyée sans ce fichier.</source>
        <translation>The file &quot;Init.cnf&quot; could not be found. The message cannot
be sent without this file.</translation>
    </message>
    <message>
        <source>Position inférieur droit</source>
        <translation>Lower right corner</translation>
    </message>
    <message>
        <source>Position supérieur gauche</source>
        <translation>Upper left corner</translation>
    </message>
    <message>
        <source>Position du centre de la grille</source>
        <translation>Position of the grid centre</translation>
    </message>
    <message>
        <source>Taille de la grille</source>
        <translation>Size of the grid</translation>
    </message>
    <message>
        <source>Coût estimé météo :</source>
        <translation>Est. weather cost:</translation>
    </message>
    <message>
        <source>Coût estimé télécom :</source>
        <translation>Est. telecom cost:</translation>
    </message>
    <message>
        <source>Un ou plusieurs paramètres sont incorrects.
Aucun message n&apos;a pu être envoyé.</source>
        <translation>One or more parameters are wrong.
No message could be sent.</translation>
    </message>
    <message>
        <source>Nombre de points : Alarme</source>
        <translation>Number of points: Alarm</translation>
    </message>
    <message>
        <source>Nombre de points : Fatal</source>
        <translation>Number of points: Fatal</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>Images</translation>
    </message>
    <message>
        <source>Le repertoire &quot;Ini&quot; (ou l&apos;un des fichiers de ce dernier) n&apos;a pas pu  être trouvé ou
ouvert. L&apos;application ne peut être éxecutée sans ses fichiers.</source>
        <translation>The folder &quot;Ini&quot; (or one of its files) could not be found or
opened. The application cannot run without its files.</translation>
    </message>
    <message>
        <source>Echéances (h)</source>
        <translation>Steps (h)</translation>
    </message>
    <message>
        <source>Données</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>Choix des bulletins</source>
        <translation>Bulletins to order</translation>
    </message>
    <message>
        <source>Choix des images</source>
        <translation>Images to order</translation>
    </message>
    <message>
        <source>Présentation rapide</source>
        <translation>Quick introduction</translation>
    </message>
    <message>
        <source>Choix de la zone
géographique</source>
        <translation>Choice of the
geographic zone</translation>
    </message>
    <message>
        <source>A propos de Wavepost</source>
        <translation>About Wavepost</translation>
    </message>
    <message>
        <source>Météo à la carte, par e-mail</source>
        <translation>Weather to order, by e-mail</translation>
    </message>
    <message>
        <source>Le fichier &quot;%s&quot; n&apos;a pas pu être lu.</source>
        <translation>The file &quot;%s&quot; could not be read.</translation>
    </message>
    <message>
        <source>Le fichier &quot;%s&quot; n&apos;a pas pu être écrit.
Une partie des choix n&apos;a pas été enregistrée.</source>
        <translation>The file &quot;%s&quot; could not be written.
Some of the choices were not saved.</translation>
    </message>
    <message>
        <source>Aucun programme de messagerie n&apos;a pu être ouvert.
La commande a été copiée dans le presse-papiers.
Envoyez-la à l&apos;adresse %s avec le sujet &quot;%s&quot;.</source>
        <translation>No mail program could be opened.
The order was copied to the clipboard.
Send it to %s with the subject &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>Aucun programme de messagerie n&apos;a pu être ouvert.
L&apos;adresse a été copiée dans le presse-papiers.
Ecrivez à l&apos;adresse %s avec le sujet &quot;%s&quot;.</source>
        <translation>No mail program could be opened.
The address was copied to the clipboard.
Write to %s with the subject &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>Aucun programme n&apos;a pu ouvrir la page d&apos;aide.
Ouvrez le fichier &quot;%s&quot; avec votre navigateur.</source>
        <translation>No program could open the help page.
Open the file &quot;%s&quot; with your web browser.</translation>
    </message>
    <message>
        <source>L&apos;adresse de la clé &quot;%s&quot; du fichier &quot;%s&quot; n&apos;est pas une adresse simple : elle contient
un blanc, un caractère de contrôle ou l&apos;un des signes ? &amp; # , ;
Aucun message n&apos;a été envoyé.</source>
        <translation>The address of the key &quot;%s&quot; in the file &quot;%s&quot; is not a plain address: it holds
a blank, a control character or one of the signs ? &amp; # , ;
No message was sent.</translation>
    </message>
    <message>
        <source>Le dossier &quot;%s&quot; est en cours d&apos;enregistrement par un autre programme.
Une partie des choix n&apos;a pas été enregistrée.</source>
        <translation>Another program is saving into the folder &quot;%s&quot;.
Some of the choices were not saved.</translation>
    </message>
    <message>
        <source>Le fichier &quot;%s&quot; ne peut pas être écrit.
La case &quot;Antiméridien&quot; reprend son état précédent.</source>
        <translation>The file &quot;%s&quot; cannot be written.
The &quot;Antimeridian&quot; box goes back to its previous state.</translation>
    </message>
    <message>
        <source>La commande Grib n&apos;a PAS été envoyée : les choix dont elle est faite n&apos;ont pas pu être enregistrés.
%s</source>
        <translation>The Grib order was NOT sent: the choices it is made of could not be saved.
%s</translation>
    </message>
    <message>
        <source>Le fichier &quot;%s&quot; est trop volumineux pour être ouvert.
L&apos;application ne peut être exécutée sans ses fichiers.</source>
        <translation>The file &quot;%s&quot; is too large to be opened.
The application cannot run without its files.</translation>
    </message>
    <message>
        <source>La mémoire disponible ne suffit pas pour terminer cette opération.
Elle a été abandonnée.</source>
        <translation>There is not enough memory to finish this operation.
It was given up.</translation>
    </message>
    <message>
        <source>montant incalculable</source>
        <translation>amount cannot be worked out</translation>
    </message>
    <message>
        <source>Commande</source>
        <translation>Order</translation>
    </message>
    <message>
        <source>Demande GRIB unique</source>
        <translation>Single GRIB request</translation>
    </message>
    <message>
        <source>Abonnement GRIB pour %s jours</source>
        <translation>GRIB subscription for %s days</translation>
    </message>
    <message>
        <source>Abonnement GRIB permanent</source>
        <translation>Permanent GRIB subscription</translation>
    </message>
    <message>
        <source>Suppression de tous les abonnements en cours</source>
        <translation>Cancel all running subscriptions</translation>
    </message>
    <message>
        <source>Aucune demande GRIB</source>
        <translation>No GRIB request</translation>
    </message>
    <message>
        <source>Fichier GRIB estimé : %s ko (%s points)</source>
        <translation>Estimated GRIB file: %s kB (%s points)</translation>
    </message>
    <message>
        <source>, transfert en %s sur %s</source>
        <translation>, transfer in %s over %s</translation>
    </message>
    <message>
        <source>Au-delà du seuil d&apos;alarme du lien (%s points) : %s points, %s ko.</source>
        <translation>Past the link&apos;s alarm threshold (%s points): %s points, %s kB.</translation>
    </message>
    <message>
        <source>Au-delà du seuil fatal du lien (%s points) : %s points, %s ko.</source>
        <translation>Past the link&apos;s fatal threshold (%s points): %s points, %s kB.</translation>
    </message>
    <message>
        <source>À : %s</source>
        <translation>To: %s</translation>
    </message>
    <message>
        <source>Objet : %s</source>
        <translation>Subject: %s</translation>
    </message>
    <message>
        <source>Envoi afficherait ce message :</source>
        <translation>Send would show this message:</translation>
    </message>
    <message>
        <source>Commandes enregistrées dans le dossier &quot;%s&quot;.</source>
        <translation>Orders saved in the folder &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>Il n&apos;y a aucune commande à enregistrer.</source>
        <translation>There is no order to save.</translation>
    </message>
    <message>
        <source>Dossier des commandes</source>
        <translation>Folder for the orders</translation>
    </message>
    <message>
        <source>Dossier d&apos;envoi des commandes</source>
        <translation>Outbox folder for the orders</translation>
    </message>
    <message>
        <source>Dossier d&apos;envoi : %s</source>
        <translation>Outbox folder: %s</translation>
    </message>
    <message>
        <source>Abonnements en cours d&apos;après l&apos;historique : aucun</source>
        <translation>Running subscriptions, from the history: none</translation>
    </message>
    <message>
        <source>Abonnements en cours d&apos;après l&apos;historique :</source>
        <translation>Running subscriptions, from the history:</translation>
    </message>
    <message>
        <source>  %ld jours, du %s au %s, à %s</source>
        <translation>  %ld days, from %s to %s, to %s</translation>
    </message>
    <message>
        <source>  permanent depuis le %s, à %s</source>
        <translation>  permanent since %s, to %s</translation>
    </message>
    <message>
        <source>  (tous supprimés le %s)</source>
        <translation>  (all cancelled on %s)</translation>
    </message>
    <message>
        <source>Dernières commandes :</source>
        <translation>Last orders:</translation>
    </message>
    <message>
        <source>  %s  %s à %s (%s)</source>
        <translation>  %s  %s to %s (%s)</translation>
    </message>
    <message>
        <source>Aucune commande transmise pour l&apos;instant.</source>
        <translation>No order handed over yet.</translation>
    </message>
    <message>
        <source>Messagerie</source>
        <translation>Mail program</translation>
    </message>
    <message>
        <source>Winlink (Pat)</source>
        <translation>Winlink (Pat)</translation>
    </message>
    <message>
        <source>Fichier</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Pat n&apos;a pas pu prendre la commande (code %d) :
%s</source>
        <translation>Pat could not take the order (code %d):
%s</translation>
    </message>
    <message>
        <source>Pat n&apos;a pas pu être lancé :
%s</source>
        <translation>Pat could not be started:
%s</translation>
    </message>
    <message>
        <source>Pat n&apos;a pas répondu dans le temps imparti et a été arrêté.
%s</source>
        <translation>Pat did not answer in time and was stopped.
%s</translation>
    </message>
    <message>
        <source>l&apos;adresse commence par un tiret et serait lue comme une option</source>
        <translation>the address starts with a dash and would be read as an option</translation>
    </message>
    <message>
        <source>La commande a été copiée dans le presse-papiers.
Envoyez-la à l&apos;adresse %s avec le sujet &quot;%s&quot;.</source>
        <translation>The order was copied to the clipboard.
Send it to %s with the subject &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>La commande n&apos;a pas pu être écrite dans le dossier d&apos;envoi :
&quot;%s&quot;</source>
        <translation>The order could not be written into the outbox folder:
&quot;%s&quot;</translation>
    </message>
    <message>
        <source>L&apos;historique des commandes &quot;%s&quot; n&apos;a pas pu être complété.
Les commandes ont été transmises normalement.</source>
        <translation>The order history &quot;%s&quot; could not be added to.
The orders were handed over normally.</translation>
    </message>
    <message>
        <source>L&apos;historique des commandes &quot;%s&quot; contient %d ligne(s) illisible(s).
Elles sont ignorées et laissées telles quelles.</source>
        <translation>The order history &quot;%s&quot; holds %d unreadable line(s).
They are skipped and left as they are.</translation>
    </message>
    <message>
        <source>L&apos;historique des commandes &quot;%s&quot; n&apos;a pas pu être lu.
Les commandes passées et les abonnements en cours ne peuvent pas être affichés.</source>
        <translation>The order history &quot;%s&quot; could not be read.
The past orders and the running subscriptions cannot be shown.</translation>
    </message>
    <message>
        <source>Prépare les commandes de météo d&apos;une zone de navigation et les confie à la messagerie.</source>
        <translation>Prepares weather orders for a sea area and hands them to the mail program.</translation>
    </message>
    <message>
        <source>Met à jour le catalogue du dossier de travail depuis celui, plus récent, du &lt;dossier&gt;, en gardant les choix.</source>
        <translation>Updates the working folder&apos;s catalogue from the newer one of &lt;folder&gt;, keeping the choices.</translation>
    </message>
    <message>
        <source>dossier</source>
        <translation>folder</translation>
    </message>
    <message>
        <source>Le catalogue a été mis à jour (version %ld, puis %ld) ; vos choix sont gardés.
%sLes tables précédentes sont gardées dans le dossier &quot;%s&quot;.</source>
        <translation>The catalogue was updated (version %ld, then %ld); your choices are kept.
%sThe previous tables are kept in the folder &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>%s : %d ligne(s) ajoutée(s), %d ligne(s) retirée(s), %d ligne(s) modifiée(s)</source>
        <translation>%s: %d row(s) added, %d row(s) removed, %d row(s) changed</translation>
    </message>
    <message>
        <source>Le catalogue n&apos;a pas pu être mis à jour :
%s
Les tables et vos choix restent tels quels.</source>
        <translation>The catalogue could not be updated:
%s
The tables and your choices stay as they were.</translation>
    </message>
    <message>
        <source>$1 =</source>
        <translation>$1 =</translation>
    </message>
    <message>
        <source>Abonnement</source>
        <translation>Subscription</translation>
    </message>
    <message>
        <source>Abonnement permanent</source>
        <translation>Permanent subscription</translation>
    </message>
    <message>
        <source>Aide</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Antiméridien</source>
        <translation>Antimeridian</translation>
    </message>
    <message>
        <source>BZip2</source>
        <translation>BZip2</translation>
    </message>
    <message>
        <source>Cap :</source>
        <translation>Hdg:</translation>
    </message>
    <message>
        <source>Choix de la zone géographique</source>
        <translation>Choice of the geographic zone</translation>
    </message>
    <message>
        <source>Compression du fichier</source>
        <translation>File compression</translation>
    </message>
    <message>
        <source>Copier</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Demande unique</source>
        <translation>Single request</translation>
    </message>
    <message>
        <source>Données sur terre</source>
        <translation>Data over land</translation>
    </message>
    <message>
        <source>Dossier...</source>
        <translation>Folder...</translation>
    </message>
    <message>
        <source>Défaut</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>Déplacement</source>
        <translation>Movement</translation>
    </message>
    <message>
        <source>EUROPE</source>
        <translation>EUROPE</translation>
    </message>
    <message>
        <source>Enregistrer...</source>
        <translation>Save...</translation>
    </message>
    <message>
        <source>Envoi</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>Envoi par :</source>
        <translation>Send by:</translation>
    </message>
    <message>
        <source>FRANCE</source>
        <translation>FRANCE</translation>
    </message>
    <message>
        <source>GZip</source>
        <translation>GZip</translation>
    </message>
    <message>
        <source>Latitude :</source>
        <translation>Latitude:</translation>
    </message>
    <message>
        <source>Longitude :</source>
        <translation>Longitude:</translation>
    </message>
    <message>
        <source>MONDE</source>
        <translation>WORLD</translation>
    </message>
    <message>
        <source>Maille (°)</source>
        <translation>Spacing (°)</translation>
    </message>
    <message>
        <source>Mode centré</source>
        <translation>Centred mode</translation>
    </message>
    <message>
        <source>Mode rectangle</source>
        <translation>Rectangle mode</translation>
    </message>
    <message>
        <source>Monnaie :</source>
        <translation>Currency:</translation>
    </message>
    <message>
        <source>NON</source>
        <translation>NO</translation>
    </message>
    <message>
        <source>Nds</source>
        <translation>kn</translation>
    </message>
    <message>
        <source>Non compressé</source>
        <translation>Not compressed</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>OUI</source>
        <translation>YES</translation>
    </message>
    <message>
        <source>Posez vos questions</source>
        <translation>Ask your questions</translation>
    </message>
    <message>
        <source>Quitter</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>S&apos;abonner pour N jours</source>
        <translation>Subscribe for N days</translation>
    </message>
    <message>
        <source>Supprimer tous les abonnements en cours</source>
        <translation>Cancel all running subscriptions</translation>
    </message>
    <message>
        <source>Télécom</source>
        <translation>Telecom</translation>
    </message>
    <message>
        <source>Unité monétaire</source>
        <translation>Currency unit</translation>
    </message>
    <message>
        <source>Vitesse :</source>
        <translation>Speed:</translation>
    </message>
    <message>
        <source>Zip</source>
        <translation>Zip</translation>
    </message>
    <message>
        <source>°</source>
        <translation>°</translation>
    </message>
    <message>
        <source>€</source>
        <translation>€</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Remise de la commande à %s...
(&quot;%s&quot; pour %s)</source>
        <translation>Handing the order over to %s...
(&quot;%s&quot; for %s)</translation>
    </message>
    <message>
        <source>Recherche du programme de messagerie...</source>
        <translation>Looking for the mail program...</translation>
    </message>
    <message>
        <source>la messagerie</source>
        <translation>the mail program</translation>
    </message>
    <message>
        <source>Pat</source>
        <translation>Pat</translation>
    </message>
    <message>
        <source>La messagerie n&apos;a pas pris la commande (code %d).
%s</source>
        <translation>The mail program did not take the order (code %d).
%s</translation>
    </message>
    <message>
        <source>La messagerie n&apos;a pas pu être ouverte :
%s</source>
        <translation>The mail program could not be opened:
%s</translation>
    </message>
    <message>
        <source>La messagerie n&apos;a pas rendu la main dans le temps imparti ; Wavepost ne l&apos;attend plus.
%s</source>
        <translation>The mail program did not finish in time; Wavepost no longer waits for it.
%s</translation>
    </message>
    <message>
        <source>La remise de la commande à %s a été annulée.</source>
        <translation>Handing the order over to %s was cancelled.</translation>
    </message>
    <message>
        <source>Elle n&apos;est pas inscrite dans l&apos;historique.</source>
        <translation>It is not recorded in the history.</translation>
    </message>
    <message>
        <source>Cette version de Pat (%s) demanderait la commande au clavier au lieu de la lire : elle ne lui a pas été remise.
Pat la lit sans rien demander dans ses versions 0.13 à 0.16 et depuis la 0.18.</source>
        <translation>This version of Pat (%s) would ask for the order at the keyboard instead of reading it: it was not handed over.
Pat reads it without asking in versions 0.13 to 0.16 and from 0.18 on.</translation>
    </message>
    <message>
        <source>La version de Pat n&apos;a pas pu être lue (&quot;pat version&quot;) : la commande ne lui a pas été remise.
%s</source>
        <translation>Pat&apos;s version could not be read (&quot;pat version&quot;): the order was not handed over to it.
%s</translation>
    </message>
    <message>
        <source>Le dossier d&apos;état de Wavepost n&apos;est pas utilisable (HOME absent, ou XDG_STATE_HOME sans droit d&apos;écriture) :
ni historique des commandes ni copies ne sont gardés pendant cette session. Les commandes partent normalement.</source>
        <translation>Wavepost&apos;s state folder cannot be used (no HOME, or XDG_STATE_HOME not writable):
no order history and no copies are kept during this session. Orders still go.</translation>
    </message>
    <message>
        <source>remise à la messagerie</source>
        <translation>handed to the mail program</translation>
    </message>
    <message>
        <source>déposée dans la boîte d&apos;envoi de Pat</source>
        <translation>put in Pat&apos;s outbox</translation>
    </message>
    <message>
        <source>écrite dans le dossier</source>
        <translation>written to the folder</translation>
    </message>
    <message>
        <source> (retirée)</source>
        <translation> (withdrawn)</translation>
    </message>
    <message>
        <source>Commande à retirer de l&apos;historique (abandonnée dans la messagerie, jamais partie) :</source>
        <translation>Order to withdraw from the history (abandoned in the mail program, never sent):</translation>
    </message>
    <message>
        <source>Aucune commande de l&apos;historique ne peut être retirée.</source>
        <translation>No order of the history can be withdrawn.</translation>
    </message>
    <message>
        <source>Wavepost a été arrêté pendant la remise de la commande &quot;%s&quot; pour %s.
Elle est inscrite dans l&apos;historique : si elle n&apos;est pas partie, retirez-la avec &quot;Retirer...&quot; sur la page Commande.</source>
        <translation>Wavepost was stopped while handing over the order &quot;%s&quot; for %s.
It is recorded in the history: if it did not leave, withdraw it with &quot;Withdraw...&quot; on the Order page.</translation>
    </message>
    <message>
        <source>Retirer...</source>
        <translation>Withdraw...</translation>
    </message>
    <message>
        <source>  %s  %s à %s, %s</source>
        <translation>  %s  %s to %s, %s</translation>
    </message>
    <message>
        <source>L&apos;adresse de la clé &quot;%s&quot; du fichier &quot;%s&quot; n&apos;est pas une adresse simple de la forme nom@domaine :
ni blanc, ni caractère de contrôle, ni &lt; &gt; : , ; ni guillemets hors d&apos;un nom entre guillemets,
et au plus 254 octets.
Aucun message n&apos;a été envoyé.</source>
        <translation>The address of the key &quot;%s&quot; in the file &quot;%s&quot; is not a plain address of the form name@domain:
no blank, no control character, no &lt; &gt; : , ; and no quotes outside a quoted name,
and at most 254 bytes.
No message was sent.</translation>
    </message>
    <message>
        <source>La clé &quot;%s&quot; du fichier &quot;%s&quot; est absente ou vide.
Aucune commande n&apos;a été transmise ni enregistrée : indiquez-y l&apos;adresse du service météo.</source>
        <translation>The key &quot;%s&quot; of the file &quot;%s&quot; is missing or empty.
No order was handed over or recorded: give the weather service&apos;s address there.</translation>
    </message>
    <message>
        <source>À : aucune adresse (clé &quot;%s&quot; absente ou vide dans &quot;%s&quot;)</source>
        <translation>To: no address (key &quot;%s&quot; missing or empty in &quot;%s&quot;)</translation>
    </message>
    <message>
        <source>Attention : la commande &quot;%s&quot; a une ligne de plus de 72 caractères, que beaucoup de programmes de messagerie coupent.
Préférez &quot;Fichier&quot; ou &quot;Winlink (Pat)&quot; dans &quot;Envoi par&quot;.</source>
        <translation>Warning: the order &quot;%s&quot; has a line longer than 72 characters, which many mail programs cut.
Prefer &quot;File&quot; or &quot;Winlink (Pat)&quot; in &quot;Send by&quot;.</translation>
    </message>
    <message>
        <source>Aucun programme de messagerie n&apos;a pu être ouvert.
Les %d commandes ont été copiées ensemble dans le presse-papiers, chacune sous une ligne qui nomme son message.
Envoyez chacune dans un message à part à l&apos;adresse %s, avec le sujet que donne sa ligne.</source>
        <translation>No mail program could be opened.
The %d orders were copied together to the clipboard, each under a line naming its message.
Send each in a message of its own to the address %s, with the subject its line gives.</translation>
    </message>
    <message>
        <source>Il n&apos;y a aucune commande à copier.</source>
        <translation>There is no order to copy.</translation>
    </message>
    <message>
        <source>Un abonnement Saildocs dure au moins un jour : indiquez le nombre de jours.</source>
        <translation>A Saildocs subscription lasts at least one day: give the number of days.</translation>
    </message>
    <message>
        <source>Saildocs n&apos;offre pas d&apos;abonnement permanent : choisissez &quot;S&apos;abonner pour N jours&quot;.</source>
        <translation>Saildocs offers no permanent subscription: choose &quot;Subscribe for N days&quot;.</translation>
    </message>
    <message>
        <source>Saildocs n&apos;offre pas la maille de %s° (mailles offertes : %s).</source>
        <translation>Saildocs does not offer a %s° grid spacing (spacings offered: %s).</translation>
    </message>
    <message>
        <source>Saildocs ne fait pas suivre la zone au bateau : mettez la vitesse à 0 pour commander la zone fixe.</source>
        <translation>Saildocs does not move the zone with the boat: set the speed to 0 to order the fixed zone.</translation>
    </message>
    <message>
        <source>Saildocs n&apos;offre pas le paramètre %s : décochez-le pour commander à Saildocs.</source>
        <translation>Saildocs does not offer the parameter %s: untick it to order from Saildocs.</translation>
    </message>
    <message>
        <source>Saildocs n&apos;offre pas l&apos;échéance %s h (toutes les %d h jusqu&apos;à %d h).</source>
        <translation>Saildocs does not offer the %s h step (every %d h up to %d h).</translation>
    </message>
    <message>
        <source>Les bulletins et images cochés ne sont pas commandés à Saildocs : ils viennent du service du catalogue.</source>
        <translation>The ticked bulletins and images are not ordered from Saildocs: they come from the catalogue&apos;s service.</translation>
    </message>
    <message>
        <source>La table &quot;ini/saildocs.txt&quot; manque ou ne donne ni l&apos;adresse ni le modèle de Saildocs : aucune commande ne peut lui être adressée.</source>
        <translation>The table &quot;ini/saildocs.txt&quot; is missing or gives neither Saildocs&apos;s address nor its model: no order can be addressed to it.</translation>
    </message>
    <message>
        <source>Service du catalogue</source>
        <translation>Catalogue&apos;s service</translation>
    </message>
    <message>
        <source>Saildocs (gratuit)</source>
        <translation>Saildocs (free)</translation>
    </message>
    <message>
        <source>L&apos;adresse du service météo n&apos;est pas encore réglée : &quot;%s&quot; est une adresse d&apos;exemple, qui ne mène nulle part.
Aucune commande n&apos;est transmise. Réglez-la avec &quot;Adresses...&quot; sur la page Commande.</source>
        <translation>The weather service&apos;s address is not set yet: &quot;%s&quot; is an example address, which leads nowhere.
No order is handed over. Set it with &quot;Addresses...&quot; on the Order page.</translation>
    </message>
    <message>
        <source>L&apos;adresse des questions n&apos;est pas encore réglée : &quot;%s&quot; est une adresse d&apos;exemple, qui ne mène nulle part.
Aucun message n&apos;est ouvert. Réglez-la avec &quot;Adresses...&quot; sur la page Commande.</source>
        <translation>The address for questions is not set yet: &quot;%s&quot; is an example address, which leads nowhere.
No message is opened. Set it with &quot;Addresses...&quot; on the Order page.</translation>
    </message>
    <message>
        <source>Régler les adresses maintenant ?</source>
        <translation>Set the addresses now?</translation>
    </message>
    <message>
        <source>Adresses</source>
        <translation>Addresses</translation>
    </message>
    <message>
        <source>Adresse du service météo (reçoit les commandes) :</source>
        <translation>Weather service&apos;s address (receives the orders):</translation>
    </message>
    <message>
        <source>Adresse des questions (&quot;Posez vos questions&quot;) :</source>
        <translation>Address for questions (&quot;Ask your questions&quot;):</translation>
    </message>
    <message>
        <source>Votre adresse (facultative : l&apos;expéditeur des fichiers .eml) :</source>
        <translation>Your address (optional: the sender of the .eml files):</translation>
    </message>
    <message>
        <source>&quot;%s&quot; n&apos;est pas une adresse simple (nom@domaine, sans blanc ni l&apos;un des signes &lt; &gt; : , ;) : corrigez-la.</source>
        <translation>&quot;%s&quot; is not a plain address (name@domain, without a blank or any of &lt; &gt; : , ;): correct it.</translation>
    </message>
    <message>
        <source>&quot;%s&quot; est une adresse d&apos;exemple (domaine .invalid) : indiquez une vraie adresse.</source>
        <translation>&quot;%s&quot; is an example address (domain .invalid): give a real address.</translation>
    </message>
    <message>
        <source>Les adresses n&apos;ont pas pu être enregistrées dans &quot;%s&quot; ; le fichier est resté tel quel.</source>
        <translation>The addresses could not be saved in &quot;%s&quot;; the file is left as it was.</translation>
    </message>
    <message>
        <source>Service météo :</source>
        <translation>Weather service:</translation>
    </message>
    <message>
        <source>Adresses...</source>
        <translation>Addresses...</translation>
    </message>
    <message>
        <source>De : %s</source>
        <translation>From: %s</translation>
    </message>
    <message>
        <source>&quot;%s&quot; n&apos;est pas un fichier ordinaire (dossier, périphérique ou tube) : il n&apos;a pas été lu.</source>
        <translation>&quot;%s&quot; is not an ordinary file (folder, device or pipe): it was not read.</translation>
    </message>
    <message>
        <source>Le fichier &quot;%s&quot; dépasse %s Mo : il n&apos;a pas été lu.</source>
        <translation>The file &quot;%s&quot; is larger than %s MB: it was not read.</translation>
    </message>
    <message>
        <source>La liste d&apos;enregistrement &quot;%s&quot; nomme un fichier hors de son dossier.
Ce nom n&apos;a pas été suivi et aucun fichier hors du dossier n&apos;a été touché.</source>
        <translation>The save list &quot;%s&quot; names a file outside its folder.
That name was not followed and no file outside the folder was touched.</translation>
    </message>
    <message>
        <source>L&apos;historique des commandes &quot;%s&quot; est très long : seules ses dernières commandes sont lues.
Les plus anciennes sont ignorées et laissées telles quelles.</source>
        <translation>The order history &quot;%s&quot; is very long: only its last orders are read.
The older ones are ignored and left as they are.</translation>
    </message>
    <message>
        <source>Aucun type de commande n&apos;est choisi : choisissez-le dans &quot;Abonnement&quot; sur la page &quot;Options&quot;.
La commande Grib n&apos;a pas été envoyée.</source>
        <translation>No kind of order is chosen: choose it under &quot;Subscription&quot; on the &quot;Options&quot; page.
The Grib order was not sent.</translation>
    </message>
    <message>
        <source>Le nombre de jours de l&apos;abonnement (page &quot;Options&quot;) doit être un nombre entier positif, et non &quot;%s&quot;.
La commande Grib n&apos;a pas été envoyée.</source>
        <translation>The subscription&apos;s number of days (&quot;Options&quot; page) must be a positive whole number, not &quot;%s&quot;.
The Grib order was not sent.</translation>
    </message>
    <message>
        <source>Par envoi : %s météo, %s télécom ; pour les %s jours : %s météo, %s télécom.</source>
        <translation>Per reply: %s weather, %s telecom; for the %s days: %s weather, %s telecom.</translation>
    </message>
    <message>
        <source>Renvoyer...</source>
        <translation>Send again...</translation>
    </message>
    <message>
        <source>Favoris...</source>
        <translation>Favourites...</translation>
    </message>
    <message>
        <source>Commande à renvoyer telle quelle (même destinataire, même texte), par la voie choisie maintenant :</source>
        <translation>Order to send again unchanged (same recipient, same text), the way chosen now:</translation>
    </message>
    <message>
        <source>L&apos;historique ne contient aucune commande à renvoyer.</source>
        <translation>The history holds no order to send again.</translation>
    </message>
    <message>
        <source>Le destinataire &quot;%s&quot; de cette commande de l&apos;historique n&apos;est pas une adresse valable.
La commande n&apos;a pas été renvoyée.</source>
        <translation>The recipient &quot;%s&quot; of this order of the history is not a valid address.
The order was not sent again.</translation>
    </message>
    <message>
        <source>Favori à rappeler, ou que faire des favoris :</source>
        <translation>Favourite to recall, or what to do with the favourites:</translation>
    </message>
    <message>
        <source>Enregistrer les choix actuels comme favori...</source>
        <translation>Save the current choices as a favourite...</translation>
    </message>
    <message>
        <source>Renommer un favori...</source>
        <translation>Rename a favourite...</translation>
    </message>
    <message>
        <source>Supprimer un favori...</source>
        <translation>Delete a favourite...</translation>
    </message>
    <message>
        <source>Favori à renommer :</source>
        <translation>Favourite to rename:</translation>
    </message>
    <message>
        <source>Favori</source>
        <translation>Favourite</translation>
    </message>
    <message>
        <source>Nom du favori :</source>
        <translation>Name of the favourite:</translation>
    </message>
    <message>
        <source>Un favori s&apos;appelle déjà &quot;%s&quot;.
Choisissez un autre nom (un nom ne peut être vide ni contenir de crochets).</source>
        <translation>A favourite is already called &quot;%s&quot;.
Choose another name (a name cannot be empty or hold brackets).</translation>
    </message>
    <message>
        <source>Favori à supprimer :</source>
        <translation>Favourite to delete:</translation>
    </message>
    <message>
        <source>Les favoris n&apos;ont pas pu être enregistrés dans &quot;%s&quot;.
Rien n&apos;a été changé.</source>
        <translation>The favourites could not be saved in &quot;%s&quot;.
Nothing was changed.</translation>
    </message>
    <message>
        <source>Le favori &quot;%s&quot; a été rappelé, sauf ce que le catalogue n&apos;offre plus :
%s</source>
        <translation>The favourite &quot;%s&quot; was recalled, except what the catalogue no longer offers:
%s</translation>
    </message>
    <message>
        <source>Le fichier des favoris &quot;%s&quot; n&apos;a pas pu être lu.
Il est laissé tel quel.</source>
        <translation>The favourites file &quot;%s&quot; could not be read.
It is left as it is.</translation>
    </message>
    <message>
        <source>Aucun dossier de réglages n&apos;est disponible : les favoris ne peuvent pas être gardés.</source>
        <translation>No settings folder is available: favourites cannot be kept.</translation>
    </message>
    <message>
        <source>Position du bateau</source>
        <translation>Boat&apos;s position</translation>
    </message>
    <message>
        <source>gpsd : connexion à %s:%d...</source>
        <translation>gpsd: connecting to %s:%d...</translation>
    </message>
    <message>
        <source>gpsd injoignable (%s:%d)</source>
        <translation>gpsd unreachable (%s:%d)</translation>
    </message>
    <message>
        <source>gpsd : pas de position</source>
        <translation>gpsd: no position</translation>
    </message>
    <message>
        <source>gpsd : position trop ancienne (%s UTC)</source>
        <translation>gpsd: position too old (%s UTC)</translation>
    </message>
    <message>
        <source>gpsd : heure de la position invalide</source>
        <translation>gpsd: invalid position time</translation>
    </message>
    <message>
        <source>gpsd : position invalide</source>
        <translation>gpsd: invalid position</translation>
    </message>
    <message>
        <source>Bateau : %s UTC, %s</source>
        <translation>Boat: %s UTC, %s</translation>
    </message>
    <message>
        <source>Le bateau est hors de la carte %s : choisissez une carte qui le montre. La zone ne change pas.</source>
        <translation>The boat is outside the %s map: choose a map that shows it. The zone does not change.</translation>
    </message>
</context>
</TS>
