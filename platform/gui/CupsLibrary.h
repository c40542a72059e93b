// Internal to platform/gui: the print service's client library, loaded the first time printing
// needs it. Linked into the program it would be loaded (with its network and security
// libraries) at every start, before anything is printed.
#pragma once

#include <cups/cups.h>
#include <cups/ppd.h>

// The library's functions that the printer layer calls, named as the library names them.
struct TCupsLibrary {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    decltype(&::cupsGetDests2) cupsGetDests2 = nullptr;
    decltype(&::cupsFreeDests) cupsFreeDests = nullptr;
    decltype(&::cupsGetNamedDest) cupsGetNamedDest = nullptr;
    decltype(&::cupsCopyDestInfo) cupsCopyDestInfo = nullptr;
    decltype(&::cupsFreeDestInfo) cupsFreeDestInfo = nullptr;
    decltype(&::cupsGetDestMediaCount) cupsGetDestMediaCount = nullptr;
    decltype(&::cupsGetDestMediaByIndex) cupsGetDestMediaByIndex = nullptr;
    decltype(&::cupsFindDestDefault) cupsFindDestDefault = nullptr;
    decltype(&::cupsFindDestSupported) cupsFindDestSupported = nullptr;
    decltype(&::cupsGetPPD2) cupsGetPPD2 = nullptr;
    decltype(&::cupsAddOption) cupsAddOption = nullptr;
    decltype(&::cupsFreeOptions) cupsFreeOptions = nullptr;
    decltype(&::cupsPrintFile2) cupsPrintFile2 = nullptr;
    decltype(&::cupsCreateJob) cupsCreateJob = nullptr;
    decltype(&::cupsStartDocument) cupsStartDocument = nullptr;
    decltype(&::cupsWriteRequestData) cupsWriteRequestData = nullptr;
    decltype(&::cupsFinishDocument) cupsFinishDocument = nullptr;
    decltype(&::cupsCancelJob) cupsCancelJob = nullptr;
    decltype(&::cupsLastErrorString) cupsLastErrorString = nullptr;
    decltype(&::ippGetCount) ippGetCount = nullptr;
    decltype(&::ippGetString) ippGetString = nullptr;
    decltype(&::pwgMediaForPWG) pwgMediaForPWG = nullptr;
#pragma GCC diagnostic pop
};

// The library, loaded on the first call; nullptr when it is not installed (then there are no
// print queues, only the PDF printer).
const TCupsLibrary* CupsLibrary();
// The library for work on a print queue (the queues come from it, so it is there); raises
// EPrinter when it is not.
const TCupsLibrary& QueueLibrary();
