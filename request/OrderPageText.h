// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of the order page, from the plan of what "Envoi" would hand over and the
// estimate's figures.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "request/OrderHistory.h"
#include "request/OrderPlan.h"
#include "request/Subscriptions.h"

namespace wavepost {

struct OrderFigures {
    std::int32_t subscription = 0;  // 0 single, 1 for N days, 2 permanent, else cancel all
    std::string days;
    // From the last estimate that reached the amounts; none before.
    std::optional<std::int64_t> points;
    std::optional<double> replyBytes;       // after the chosen compression
    std::optional<double> transferSeconds;  // none when the link has no rate
    std::string linkName;
    std::int32_t pointsAlarm = 0, pointsFatal = 0;
    // The orders go to the mail program, which may cut long lines.
    bool byMailProgram = false;
    // The amounts of one reply as the estimate gives them (0.005 added), and their currency.
    std::optional<double> weather, telecom;
    std::string currency;
};

struct OrderPageTexts {
    std::string kind;   // the kind of order in words
    std::string size;   // size, transfer time and any threshold passed
    std::string mails;  // each mail as it leaves, or the message shown instead
};

OrderPageTexts DescribeOrders(const OrderPlan& plan, const OrderFigures& figures);

// What "Copier" and a hand-over falling back on the clipboard put there: only the texts the
// service reads, each under a line naming its mail when there are several.
std::string ClipboardText(const std::vector<OrderMail>& mails);

// Lines longer than this are cut by the many mail programs that wrap at 72 characters.
constexpr std::size_t kMailLineLimit = 72;

// What the page says about the orders handed over: the subscriptions believed running,
// then the last orders, newest first.
std::string HistoryText(const std::vector<HistoryRecord>& lastOrders,
                        const SubscriptionState& subscriptions);
// "Messagerie", "Winlink (Pat)", "Fichier": the ways as the page lists them.
const std::string& MethodLabel(HandOverMethod method);
// What the program knows of an order handed over: "remise à la messagerie", "déposée dans
// la boîte d'envoi de Pat", "écrite dans le dossier"; never that it left.
const std::string& HandedOverText(HandOverMethod method);
// One order of the history as the page lists it, "(retirée)" after a withdrawn one.
std::string RecordLine(const HistoryRecord& record);
// "2026-12-08 08:03 UTC".
std::string ShortUtc(UtcTime time);

// "850 ms" is never shown: "4 s", "3 min 05 s", "2 h 10 min".
std::string DurationText(double seconds);
// Kilobytes of 1000 bytes with one decimal, "0.4".
std::string KilobytesText(double bytes);

}  // namespace wavepost
