// SPDX-License-Identifier: GPL-3.0-or-later
// A small catalogue for the catalogue tests, independent of the shipped defaults. Its files
// end their lines with "\n" alone, so a file that has been saved shows by its "\r\n".
#pragma once

#include <filesystem>
#include <map>
#include <string>

#include "base/NumberText.h"
#include "tests/core/TestSupport.h"

namespace wavepost::test {

// On the world map every saved value differs from its default, so that the "Défaut"
// buttons show what they restore.
inline const char* const kTestOptions =
    "Cle;Valeur;Defaut;Carte\n"
    "MODE;Mode rectangle;Mode centré;Monde\n"
    "COMPRESSION;GZip;Zip;Monde\n"
    "TELECOM;\"GSM\";Iridium;Monde\n"
    "DONTERRE;0;1;Monde\n"
    "ENVOI;Abonnement permanent;Demande unique;Monde\n"
    "TOUSLES;3;7;Monde\n"
    "DOLLARS;0.9;0.92;Monde\n"
    "UNITE;Livre;Euro;Monde\n"
    "CAP;90;0;Monde\n"
    "VITESSE;6;0;Monde\n"
    "X1;-10.0;-20.0;Monde\n"
    "X2;10.0;20.0;Monde\n"
    "Y1;50.0;40.0;Monde\n"
    "Y2;40.0;20.0;Monde\n"
    "LAT;1.0;0.5;Monde\n"
    "LONG;1.0;0.5;Monde\n"
    "NOTE;garde;garde;Monde\n"
    "MODE;Mode centré;Mode centré;\"Europe\"\n"
    "UNITE;Dollar US;Euro;Europe\n"
    "CAP;180;0;Europe\n"
    "X1;5.0;5.0;Europe\n"
    "X2;10.0;10.0;Europe\n"
    "Y1;45.0;45.0;Europe\n"
    "Y2;8.0;8.0;Europe\n"
    "LAT;0.25;0.25;Europe\n"
    "LONG;0.25;0.25;Europe\n";

inline const std::map<std::string, std::string>& TestCatalogue() {
    static const std::map<std::string, std::string> files = {
        {"ini/domaines.txt",
         "Carte;Sud;Nord;Ouest;Est\nMonde;-90;90;0;360\nEurope;30;67;-30;45\n"
         "France;41.5;51.5;-7;11\n"},
        {"ini/echeances.txt",
         "Carte;Echeance;Choix;Defaut\nMonde;0;1;1\nEurope;6;0;1\nMonde;\"24\";0;1\n"
         "Monde;48;1;0\nFrance;12;1;1\n"},
        {"ini/parametres.txt",
         "Carte;Code;Libelle;Choix;Defaut;Poids;Analyse\nMonde;WIND;\"Vent\";1;1;2;0\n"
         "Europe;PRMSL;Pression;1;0;1;0\n\"Monde\";PRMSL;Pression;0;1;1;0\n"
         "Monde;GUST;Rafales;1;0;1;0\nFrance;WIND;Vent;1;1;2;0\n"},
        {"ini/bulletins.txt",
         "Carte;Code;Libelle;Choix\nMonde;B1;\"Bulletin large\";0\nEurope;B2;Bulletin Europe;1\n"
         "Monde;B3;Avis;1\n"},
        {"ini/images.txt",
         "Carte;Code;Libelle;Choix\nMonde;I1;Isobares;1\nFrance;I2;Satellite;0\n"},
        {"ini/options.txt", kTestOptions},
        {"ini/modes.txt", "Mode;Description\nMode centré;c\nMode rectangle;r\n"},
        {"ini/compressions.txt",
         "Compression;Facteur\nNon compressé;1\nZip;0.6\nGZip;0.6\nBZip2;0.5\n"},
        {"ini/envois.txt",
         "Envoi;Description\nDemande unique;1\nS'abonner pour N jours;N\n"
         "Abonnement permanent;P\nSupprimer tous les abonnements en cours;0\n"},
        {"ini/telecoms.txt",
         "Telecom;Prix;Alarme;Fatal\nGSM;0.00001;20000;100000\nIridium;0.0001;5000;20000\n"},
        {"ini/unites.txt",
         "Monnaie;Symbole;Description;Facteur\nEuro;€;euro;1\nDollar US;$;dollar;DOLLARS\n"
         "Livre;£;livre;0.85\n"},
        {"ini/mailles.txt",
         "Carte;Axe;Maille\nMonde;LONG;0.5\nMonde;LONG;1.0\nMonde;LAT;0.5\nMonde;lat;2.0\n"
         "Monde;LAT;1.0\nEurope;LONG;0.25\nEurope;LAT;0.25\nFrance;LONG;0.1\nFrance;LAT;0.1\n"},
        {"ini/soft.txt", "Logiciel\nTEST\n"},
        {"ini/presentation.txt", "Bonjour\r\nà bord"},
        {"init.cnf", "meteo=grib@example.org\r\nAntime=0\r\nPtEuro=0.001\r\n"},
    };
    return files;
}

inline void WriteTestCatalogue(const std::filesystem::path& folder) {
    for (const auto& [path, content] : TestCatalogue()) WriteFile(folder / path, content);
}

// Every file under the folder with its bytes.
inline std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) files[entry.path().string()] = ReadFile(entry.path());
    return files;
}

inline std::vector<std::string> ItemTexts(const platform::MemoryControl& list) {
    std::vector<std::string> texts;
    for (const auto& item : list.checkItems) texts.push_back(item.text);
    return texts;
}

inline std::vector<int> ItemChecks(const platform::MemoryControl& list) {
    std::vector<int> checks;
    for (const auto& item : list.checkItems) checks.push_back(item.check);
    return checks;
}

// The text of the selected item of a drop-down list, or "(none)".
inline std::string Selected(const platform::MemoryToolkit& tk, int combo) {
    const auto& c = tk.Control(combo);
    return c.selection < 0 ? "(none)" : c.items.at(c.selection);
}

// The saved value of an option of a map, as the file in the folder holds it.
inline std::string OptionInFile(const std::filesystem::path& folder, const std::string& key,
                                const std::string& map) {
    CIniTable table((folder / "ini/options.txt").string());
    table.Load();
    for (int r = 2; r <= table.GetRowCount(); ++r)
        if (Unquoted(table.GetCell(r, 1)) == key && Unquoted(table.GetCell(r, 4)) == map)
            return table.GetCell(r, 2);
    return "(no row)";
}

}  // namespace wavepost::test
