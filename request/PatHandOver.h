// SPDX-License-Identifier: GPL-3.0-or-later
// Posting an order to the outbox of Pat, the Winlink client, which sends it at the boat's
// next radio or satellite connection.
#pragma once

#include <string>

#include "platform/Toolkit.h"
#include "request/OutgoingMail.h"

namespace wavepost {

// Runs "pat compose -s SUBJECT ADDRESS" with the body on its standard input. An address
// Pat would take for an option is refused unrun.
platform::ProgramRun HandToPat(platform::IToolkit& toolkit, const std::string& patPath,
                               const OutgoingMail& mail);

// Whether Pat took the order.
bool PatTookIt(const platform::ProgramRun& run);

// What to tell the user when Pat did not take the order, which went to the clipboard.
std::string PatFailureMessage(const platform::ProgramRun& run, const OutgoingMail& mail);

}  // namespace wavepost
