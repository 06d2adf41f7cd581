// SPDX-License-Identifier: GPL-3.0-or-later
// Names of the catalogue files, relative to the storage folder.
#pragma once

#include <string>

namespace wavepost::catalogue {

inline const char* const kPresentation = "ini/presentation.txt";
inline const char* const kDomaines = "ini/domaines.txt";
inline const char* const kEcheances = "ini/echeances.txt";
inline const char* const kParametres = "ini/parametres.txt";
inline const char* const kBulletins = "ini/bulletins.txt";
inline const char* const kImages = "ini/images.txt";
inline const char* const kOptions = "ini/options.txt";
inline const char* const kModes = "ini/modes.txt";
inline const char* const kCompressions = "ini/compressions.txt";
inline const char* const kEnvois = "ini/envois.txt";
inline const char* const kTelecoms = "ini/telecoms.txt";
inline const char* const kUnites = "ini/unites.txt";
inline const char* const kMailles = "ini/mailles.txt";
inline const char* const kSoft = "ini/soft.txt";
// The rules of the second weather service, read at each use.
inline constexpr const char* kSaildocs = "ini/saildocs.txt";
inline const char* const kFolder = "ini";

// The tables that keep the user's choices, written back together in this order.
inline const char* const kSavedTables[] = {kEcheances, kParametres, kDomaines,  kModes,
                                           kOptions,   kUnites,     kMailles,   kCompressions,
                                           kEnvois,    kTelecoms,   kBulletins, kImages};

}  // namespace wavepost::catalogue
