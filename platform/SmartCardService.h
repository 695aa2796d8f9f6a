#pragma once
// Asks Windows' smart-card service, through winscard.dll, which card readers it sees and whether
// a card is in each.
#include "SmartCardAnswer.h"

namespace platform {

// A new context for each call (from Windows 8 on the service stops a minute after the last
// reader goes, and a context kept from before then only gets SCARD_E_SERVICE_STOPPED), released
// before it returns. Nothing waits: each reader's state is asked for with a time limit of 0.
// Never throws: a winscard.dll or function that cannot be had is said in the answer.
SmartCardAnswer AskSmartCardService();

}  // namespace platform
