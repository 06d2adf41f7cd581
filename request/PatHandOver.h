// SPDX-License-Identifier: GPL-3.0-or-later
// Posting an order to the outbox of Pat, the Winlink client, which sends it at the boat's
// next radio or satellite connection.
#pragma once

#include <optional>
#include <string>

#include "platform/Toolkit.h"
#include "request/OutgoingMail.h"

namespace wavepost {

// The progress window's text while an order is handed to "la messagerie" or "Pat".
std::string HandOverProgressText(const std::string& destination, const OutgoingMail& mail);

// Runs "pat compose -s SUBJECT ADDRESS" with the body on its standard input. An address
// Pat would take for an option is refused unrun.
platform::ProgramRun HandToPat(platform::IToolkit& toolkit, const std::string& patPath,
                               const OutgoingMail& mail);

// Whether Pat took the order.
bool PatTookIt(const platform::ProgramRun& run);

// What to tell the user when Pat did not take the order, which went to the clipboard.
std::string PatFailureMessage(const platform::ProgramRun& run, const OutgoingMail& mail);

// From what "pat version" answered: why Pat cannot be given the order, nothing when it
// can. "compose" reads the body on its standard input without asking anything from
// version 0.13 to 0.16 and from 0.18 on; 0.17 asks at the terminal unless given a form
// template, and older ones always ask.
std::optional<std::string> PatVersionProblem(const platform::ProgramRun& versionRun);

}  // namespace wavepost
