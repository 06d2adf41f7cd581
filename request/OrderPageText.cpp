// SPDX-License-Identifier: GPL-3.0-or-later
// The order page's texts.
#include "request/OrderPageText.h"

#include <cmath>

#include "app/layout/StringTable.h"
#include "base/NumberText.h"

namespace wavepost {

namespace {

std::string KindText(const OrderPlan& plan, const OrderFigures& f) {
    if (!plan.HasGribOrder()) return LoadString(IDS_ORDER_NO_GRIB);
    switch (f.subscription) {
        case 0:
            return LoadString(IDS_ORDER_SINGLE);
        case 1:
            return Format(LoadString(IDS_ORDER_DAYS).c_str(),
                          std::to_string(ReadInteger(f.days)).c_str());
        case 2:
            return LoadString(IDS_ORDER_PERMANENT);
        default:
            return LoadString(IDS_ORDER_CANCEL_ALL);
    }
}

std::string SizeText(const OrderPlan& plan, const OrderFigures& f) {
    // Cancelling all subscriptions brings no GRIB reply.
    if (!plan.HasGribOrder() || f.subscription == 3 || !f.points || !f.replyBytes) return {};
    const std::string points = std::to_string(*f.points);
    const std::string kilobytes = KilobytesText(*f.replyBytes);
    std::string text =
        Format(LoadString(IDS_ORDER_SIZE).c_str(), kilobytes.c_str(), points.c_str());
    if (f.transferSeconds)
        text += Format(LoadString(IDS_ORDER_TIME).c_str(), DurationText(*f.transferSeconds).c_str(),
                       f.linkName.c_str());
    text += ".";
    // Reaching the fatal threshold is fatal, not an alarm, as for the message boxes.
    if (*f.points >= f.pointsFatal)
        text +=
            "\n" + Format(LoadString(IDS_ORDER_PAST_FATAL).c_str(),
                          std::to_string(f.pointsFatal).c_str(), points.c_str(), kilobytes.c_str());
    else if (*f.points >= f.pointsAlarm)
        text +=
            "\n" + Format(LoadString(IDS_ORDER_PAST_ALARM).c_str(),
                          std::to_string(f.pointsAlarm).c_str(), points.c_str(), kilobytes.c_str());
    // A subscription of N days brings N replies: the price of one and of them all.
    const long days = ReadInteger(f.days);
    if (f.subscription == 1 && days > 0 && f.weather && f.telecom && std::isfinite(*f.weather) &&
        std::isfinite(*f.telecom)) {
        // The amounts hold the estimate's rounding half-cent, once per reply.
        const double weather = *f.weather - 0.005, telecom = *f.telecom - 0.005;
        auto amount = [&](double value) {
            return FormatFixed(value + 0.005, 2) + " " + f.currency;
        };
        const double n = static_cast<double>(days);
        text += "\n" + Format(LoadString(IDS_ORDER_DAYS_COST).c_str(), amount(weather).c_str(),
                              amount(telecom).c_str(), std::to_string(days).c_str(),
                              amount(weather * n).c_str(), amount(telecom * n).c_str());
    }
    return text;
}

// Whether a line of the text has more characters (not bytes) than a mail line takes.
bool HasLongLine(const std::string& text) {
    std::size_t characters = 0;
    for (const char c : text) {
        if (c == '\n') {
            characters = 0;
        } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80 &&
                   ++characters > kMailLineLimit) {
            return true;
        }
    }
    return false;
}

std::string MailsText(const OrderPlan& plan, const OrderFigures& f) {
    if (plan.noAddressFile) return LoadString(IDS_NO_CONFIG_FILE);
    std::string text;
    if (plan.addressMessage) text += *plan.addressMessage + "\n\n";
    if (f.byMailProgram)
        for (const OrderMail& mail : plan.mails)
            if (HasLongLine(mail.Text()))
                text +=
                    Format(LoadString(IDS_ORDER_LONG_LINE).c_str(), mail.subject.c_str()) + "\n\n";
    for (const OrderMail& mail : plan.mails) {
        // The sailor's own address signs the message files: shown so a typo shows too.
        if (!plan.sender.empty())
            text += Format(LoadString(IDS_ORDER_FROM).c_str(), plan.sender.c_str()) + "\n";
        text += plan.addressMissing
                    ? Format(LoadString(IDS_ORDER_TO_MISSING).c_str(),
                             LoadString(IDS_KEY_METEO).c_str(), plan.addressFile.c_str())
                    : Format(LoadString(IDS_ORDER_TO).c_str(), mail.address.c_str());
        text += "\n" + Format(LoadString(IDS_ORDER_SUBJECT).c_str(), mail.subject.c_str()) + "\n\n";
        text += mail.Text() + "\n\n";
    }
    if (plan.insteadMessage)
        text += LoadString(IDS_ORDER_INSTEAD) + "\n" + *plan.insteadMessage + "\n";
    if (plan.note) text += (text.empty() || text.ends_with("\n\n") ? "" : "\n") + *plan.note + "\n";
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

}  // namespace

OrderPageTexts DescribeOrders(const OrderPlan& plan, const OrderFigures& figures) {
    return {KindText(plan, figures), SizeText(plan, figures), MailsText(plan, figures)};
}

std::string ClipboardText(const std::vector<OrderMail>& mails) {
    if (mails.size() == 1) return mails.front().Text();
    std::string text;
    for (const OrderMail& mail : mails) {
        if (!text.empty()) text += "\n\n";
        text += Format(LoadString(IDS_CLIPBOARD_SEPARATOR).c_str(), mail.subject.c_str(),
                       mail.address.c_str()) +
                "\n" + mail.Text();
    }
    return text;
}

const std::string& MethodLabel(HandOverMethod method) {
    switch (method) {
        case HandOverMethod::Pat:
            return LoadString(IDS_METHOD_PAT);
        case HandOverMethod::File:
            return LoadString(IDS_METHOD_FILE);
        case HandOverMethod::Mail:
            break;
    }
    return LoadString(IDS_METHOD_MAIL);
}

const std::string& HandedOverText(HandOverMethod method) {
    switch (method) {
        case HandOverMethod::Pat:
            return LoadString(IDS_HANDED_PAT);
        case HandOverMethod::File:
            return LoadString(IDS_HANDED_FILE);
        case HandOverMethod::Mail:
            break;
    }
    return LoadString(IDS_HANDED_MAIL);
}

std::string RecordLine(const HistoryRecord& r) {
    return Format(LoadString(IDS_RECENT_ORDER_LINE).c_str(), ShortUtc(r.time).c_str(),
                  r.mail.subject.c_str(), r.mail.address.c_str(),
                  HandedOverText(r.method).c_str()) +
           (r.withdrawn ? LoadString(IDS_WITHDRAWN) : std::string());
}

std::string ShortUtc(UtcTime time) {
    const std::string iso = FormatIsoUtc(time);  // "2026-12-08T08:03:33Z"
    return iso.substr(0, 10) + " " + iso.substr(11, 5) + " UTC";
}

std::string HistoryText(const std::vector<HistoryRecord>& lastOrders,
                        const SubscriptionState& subscriptions) {
    std::string text;
    if (subscriptions.active.empty()) {
        text = LoadString(IDS_SUBSCRIPTIONS_NONE);
    } else {
        text = LoadString(IDS_SUBSCRIPTIONS);
        for (const ActiveSubscription& s : subscriptions.active) {
            const std::string since = ShortUtc(s.since), to = s.recipient;
            if (s.until)
                text += "\n" + Format(LoadString(IDS_SUBSCRIPTION_DAYS_LINE).c_str(), s.line.days,
                                      since.c_str(), ShortUtc(*s.until).c_str(), to.c_str());
            else
                text += "\n" + Format(LoadString(IDS_SUBSCRIPTION_PERMANENT_LINE).c_str(),
                                      since.c_str(), to.c_str());
        }
    }
    if (subscriptions.lastCancelled)
        text += "\n" + Format(LoadString(IDS_ALL_CANCELLED_LINE).c_str(),
                              ShortUtc(*subscriptions.lastCancelled).c_str());
    if (lastOrders.empty()) return text + "\n" + LoadString(IDS_NO_ORDERS_YET);
    text += "\n" + LoadString(IDS_RECENT_ORDERS);
    for (auto it = lastOrders.rbegin(); it != lastOrders.rend(); ++it)
        text += "\n" + RecordLine(*it);
    return text;
}

std::string DurationText(double seconds) {
    if (!std::isfinite(seconds) || seconds < 0) return "?";
    const double rounded = std::ceil(seconds);
    if (rounded < 60) return Format("%.0f s", rounded);
    if (rounded < 3600)
        return Format("%.0f min %02.0f s", std::floor(rounded / 60), std::fmod(rounded, 60));
    const double minutes = std::ceil(seconds / 60);
    return Format("%.0f h %02.0f min", std::floor(minutes / 60), std::fmod(minutes, 60));
}

std::string KilobytesText(double bytes) {
    return FormatFixed(bytes / 1000.0, 1);
}

}  // namespace wavepost
