// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed words of the catalogue service's orders: the service reads them byte for byte,
// so they never change with the window's language and are never translated.
#pragma once

namespace wavepost {

// The first line of a GRIB order and of a bulletin order, and the last line of both.
inline constexpr char kGribStart[] = "@mto@reqt@grib@";
inline constexpr char kBulletinStart[] = "@mto@reqt@bull@";
inline constexpr char kRequestEnd[] = "@mto@reqt@fin@";

// The line break between an order's lines, as it stands in a mailto: URL.
inline constexpr char kOrderLineBreak[] = "%0A";

// The subscription line, right after the GRIB marker: one order, N days ("A %ld"), from
// now on, and the cancel order, which stands alone between the markers.
inline constexpr char kSubscriptionPrefix[] = "A ";
inline constexpr char kSubscriptionOnce[] = "A 1";
inline constexpr char kSubscriptionDays[] = "A %ld";
inline constexpr char kSubscriptionPermanent[] = "A X";
inline constexpr char kCancelAll[] = "A 0";

// The subjects of the two orders' mails.
inline constexpr char kGribSubject[] = "Grib";
inline constexpr char kBulletinSubject[] = "Bulletin";

}  // namespace wavepost
