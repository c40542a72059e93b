// Internal to platform/gui: the print service's client library, loaded the first time printing
// needs it. Linked into the program it would be loaded (with its network and security
// libraries) at every start, before anything is printed.
#pragma once

#include <cups/cups.h>

// The library's functions that the printer layer calls.
struct TCupsLibrary {
    decltype(&cupsGetDests2) GetDests2 = nullptr;
    decltype(&cupsFreeDests) FreeDests = nullptr;
    decltype(&cupsGetNamedDest) GetNamedDest = nullptr;
    decltype(&cupsCopyDestInfo) CopyDestInfo = nullptr;
    decltype(&cupsFreeDestInfo) FreeDestInfo = nullptr;
    decltype(&cupsGetDestMediaBySize) GetDestMediaBySize = nullptr;
    decltype(&cupsGetDestMediaCount) GetDestMediaCount = nullptr;
    decltype(&cupsGetDestMediaByIndex) GetDestMediaByIndex = nullptr;
    decltype(&cupsAddOption) AddOption = nullptr;
    decltype(&cupsFreeOptions) FreeOptions = nullptr;
    decltype(&cupsPrintFile2) PrintFile2 = nullptr;
    decltype(&cupsCreateJob) CreateJob = nullptr;
    decltype(&cupsStartDocument) StartDocument = nullptr;
    decltype(&cupsWriteRequestData) WriteRequestData = nullptr;
    decltype(&cupsFinishDocument) FinishDocument = nullptr;
    decltype(&cupsCancelJob) CancelJob = nullptr;
    decltype(&cupsLastErrorString) LastErrorString = nullptr;
};

// The library, loaded on the first call; nullptr when it is not installed (then there are no
// print queues, only the PDF printer).
const TCupsLibrary* CupsLibrary();
