// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue and helpers of the order, estimate and sending tests. Monde: a centred
// zone of 20 x 10 degrees at 0.5 spacing (41 x 21 = 861 points), two ticked parameters of
// weight 1 and three ticked steps (6 units a point). Europe: the worked order example.
#pragma once

#include <string>

#include "app/layout/Layout.h"
#include "tests/core/TestSupport.h"

namespace wavepost::test {

inline std::string OptionRows(const char* map, std::initializer_list<const char*> rows) {
    std::string text;
    for (const char* row : rows) text += std::string(row) + ";;" + map + "\r\n";
    return text;
}

inline void WriteRequestCatalogue(const TempFolder& dir) {
    SeedDefaultData(dir.Path());
    WriteFile(dir / "init.cnf",
              "meteo=meteo@example.org\r\nquestion=questions@example.org\r\nAntime=0\r\n"
              "PtEuro=0.001\r\n");
    WriteFile(dir / "ini/parametres.txt",
              "Carte;Code;Libelle;Choix;Defaut;Poids;Analyse\r\nMonde;vent;Vent;1;1;1;0\r\n"
              "Monde;pmer;Pression;1;1;1;0\r\nEurope;vent;Vent;1;1;1;0\r\n"
              "Europe;temp;Temp;1;1;1;0\r\nEurope;pluie;Pluie;0;0;1;0\r\n"
              "Monde;sst;Mer;0;0;5;1\r\n");
    WriteFile(dir / "ini/echeances.txt",
              "Carte;Echeance;Choix;Defaut\r\nMonde;0;1;1\r\nMonde;12;1;1\r\nMonde;24;1;1\r\n"
              "Europe;0;1;1\r\nEurope;12;1;1\r\nEurope;24;1;1\r\nEurope;36;0;0\r\n");
    WriteFile(dir / "ini/mailles.txt",
              "Carte;Axe;Maille\r\nMonde;LONG;0.5\r\nMonde;LONG;0\r\nMonde;LAT;0.5\r\n"
              "Europe;LONG;0.5\r\nEurope;LONG;1.0\r\nEurope;LAT;0.5\r\nEurope;LAT;1.0\r\n");
    WriteFile(dir / "ini/telecoms.txt",
              "Telecom;Prix;Alarme;Fatal\r\nIridium;0.002;800;1000\r\nPetit;0.002;100;861\r\n"
              "Aucun;0.002;0;0\r\n");
    WriteFile(dir / "ini/unites.txt",
              "Monnaie;Libelle;Description;Facteur\r\nEuro;EUR;euro;1\r\n"
              "Dollar US;\"USD\";dollar;\"DOLLARS\"\r\n");
    // GZip and BZip2 have no row.
    WriteFile(dir / "ini/compressions.txt",
              "Compression;Facteur\r\nNon compressé;1\r\nZip;0.5\r\n");
    WriteFile(dir / "ini/soft.txt", "Logiciel\r\n1.0\r\n");
    WriteFile(dir / "ini/bulletins.txt",
              "Carte;Code;Libelle;Choix\r\nEurope;EU1;Europe;1\r\nMonde;B1;Un;0\r\n"
              "Monde;\"B 2\";Deux;0\r\n");
    WriteFile(dir / "ini/images.txt",
              "Carte;Code;Libelle;Choix\r\nMonde;I1;Image;0\r\nEurope;IE;Europe;1\r\n");
    WriteFile(
        dir / "ini/options.txt",
        "Cle;Valeur;Defaut;Carte\r\n" +
            OptionRows("Monde", {"MODE;Mode centré", "COMPRESSION;Non compressé", "TELECOM;Iridium",
                                 "DONTERRE;1", "ENVOI;Demande unique", "DOLLARS;0.92", "UNITE;Euro",
                                 "X1;0.0", "Y1;0.0", "X2;20.0", "Y2;10.0", "LAT;0.5", "LONG;0.5"}) +
            OptionRows("Europe",
                       {"MODE;Mode centré", "COMPRESSION;Zip", "DONTERRE;0", "ENVOI;Demande unique",
                        "TOUSLES;7", "UNITE;Euro", "CAP;0", "VITESSE;0", "X1;-10.0", "Y1;45.0",
                        "X2;20.0", "Y2;15.0", "LAT;0.5", "LONG;0.5"}));
}

// The folder comes first, so that it is made before the window and removed after it.
struct FolderFirst {
    TempFolder dir;
};

// A window on that catalogue, started on Monde, start-up messages cleared.
struct RequestWindow : FolderFirst, TestWindow {
    RequestWindow() : TestWindow(dir.Path()) {
        WriteRequestCatalogue(dir);
        Start();
        tk.messages.clear();
    }
};

// Checks one radio button of its group.
inline void SetRadio(platform::MemoryToolkit& tk, int buttonId) {
    for (int id : *RadioGroupOf(buttonId)) tk.Control(id).check = id == buttonId ? 1 : 0;
}

inline void SetZone(platform::MemoryToolkit& tk, const std::string& lon1, const std::string& lat1,
                    const std::string& lon2, const std::string& lat2) {
    tk.Control(IDC_LON1_EDIT).text = lon1;
    tk.Control(IDC_LAT1_EDIT).text = lat1;
    tk.Control(IDC_LON2_EDIT).text = lon2;
    tk.Control(IDC_LAT2_EDIT).text = lat2;
}

inline void SetListCheck(platform::MemoryToolkit& tk, platform::ControlHandle list, int item,
                         int state) {
    tk.Control(list).checkItems.at(static_cast<std::size_t>(item)).check = state;
}

// Shows another map the way a change of map does: the catalogue reloaded for it.
inline void ShowMap(TestWindow& w, int map) {
    for (int i = 0; i < 3; ++i) w.tk.Control(IDC_MAP_WORLD_RADIO + i).check = i == map ? 1 : 0;
    w.dlg.m_nMap = map;
    w.dlg.ReleaseCatalogue();
    w.dlg.LoadCatalogue();
}

}  // namespace wavepost::test
