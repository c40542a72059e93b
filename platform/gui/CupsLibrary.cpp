#include "gui/CupsLibrary.h"

#include "gui/Printers.h"

#include <dlfcn.h>
#include <memory>
#include <type_traits>

namespace {

std::unique_ptr<TCupsLibrary> LoadCups() {
    void* library = dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!library) return nullptr;
    auto cups = std::make_unique<TCupsLibrary>();
    bool complete = true;
    const auto bind = [&](auto& function, const char* name) {
        function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(dlsym(library, name));
        complete = complete && function;
    };
    bind(cups->cupsGetDests2, "cupsGetDests2");
    bind(cups->cupsFreeDests, "cupsFreeDests");
    bind(cups->cupsGetNamedDest, "cupsGetNamedDest");
    bind(cups->cupsCopyDestInfo, "cupsCopyDestInfo");
    bind(cups->cupsFreeDestInfo, "cupsFreeDestInfo");
    bind(cups->cupsGetDestMediaCount, "cupsGetDestMediaCount");
    bind(cups->cupsGetDestMediaByIndex, "cupsGetDestMediaByIndex");
    bind(cups->cupsFindDestDefault, "cupsFindDestDefault");
    bind(cups->cupsFindDestSupported, "cupsFindDestSupported");
    bind(cups->cupsGetPPD2, "cupsGetPPD2");
    bind(cups->cupsAddOption, "cupsAddOption");
    bind(cups->cupsFreeOptions, "cupsFreeOptions");
    bind(cups->cupsPrintFile2, "cupsPrintFile2");
    bind(cups->cupsCreateJob, "cupsCreateJob");
    bind(cups->cupsStartDocument, "cupsStartDocument");
    bind(cups->cupsWriteRequestData, "cupsWriteRequestData");
    bind(cups->cupsFinishDocument, "cupsFinishDocument");
    bind(cups->cupsCancelJob, "cupsCancelJob");
    bind(cups->cupsLastErrorString, "cupsLastErrorString");
    bind(cups->ippGetCount, "ippGetCount");
    bind(cups->ippGetString, "ippGetString");
    bind(cups->pwgMediaForPWG, "pwgMediaForPWG");
    // The library stays loaded for the rest of the run.
    return complete ? std::move(cups) : nullptr;
}

} // namespace

const TCupsLibrary* CupsLibrary() {
    static const std::unique_ptr<TCupsLibrary> cups = LoadCups();
    return cups.get();
}

const TCupsLibrary& QueueLibrary() {
    const TCupsLibrary* cups = CupsLibrary();
    if (!cups) throw EPrinter("Printing failed: the print service's library is not installed");
    return *cups;
}
