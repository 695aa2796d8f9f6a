#pragma once
// What the smart-card service says about the card readers, added to the Smart Card row's finding:
// words at the end of its line and the list for the reports. Information only: the row's verdict
// stays the reader tools' folder. Portable: the service's answer comes in as the platform gave it.
#include <string>

#include "Finding.h"
#include "platform/SmartCardAnswer.h"

// The readers and their cards, or why there are none: the list when the service answered (empty
// for SCARD_E_NO_READERS_AVAILABLE), nothing and a note otherwise.
CardReaders CardReadersFrom(const platform::SmartCardAnswer& answer);

// One of
//   "; Windows sees 2 card readers: NAME (a card is in it), NAME (no card)"
//   "; no card reader is attached"
//   "; the smart-card service is not running (Windows starts it when a reader is plugged in)"
//   "; could not ask the smart-card service: error 0x8010001F"
//   "; could not ask the smart-card service: no answer within 1 second"
// In a Remote Desktop session no service, no reader and ERROR_BROKEN_PIPE all mean that the
// connecting PC passes no reader on, and read "; in a Remote Desktop session Windows sees the
// card readers of the PC you connect from: none is passed on (smart-card redirection may be off)".
// "1 card reader" for one. A reader whose state the service cannot tell, or whose status call
// failed, is "NAME (Windows cannot tell whether a card is in it)"; readers listed past those asked about are counted at the end
// ("... and 2 more"). Names keep their bytes, control characters made spaces.
std::string CardReaderWords(const platform::SmartCardAnswer& answer);

// Both, on `finding`: the words after its line, the readers for the reports.
void AddCardReaders(Finding& finding, const platform::SmartCardAnswer& answer);
