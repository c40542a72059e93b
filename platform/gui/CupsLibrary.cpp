#include "gui/CupsLibrary.h"

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
    bind(cups->GetDests2, "cupsGetDests2");
    bind(cups->FreeDests, "cupsFreeDests");
    bind(cups->GetNamedDest, "cupsGetNamedDest");
    bind(cups->CopyDestInfo, "cupsCopyDestInfo");
    bind(cups->FreeDestInfo, "cupsFreeDestInfo");
    bind(cups->GetDestMediaBySize, "cupsGetDestMediaBySize");
    bind(cups->GetDestMediaCount, "cupsGetDestMediaCount");
    bind(cups->GetDestMediaByIndex, "cupsGetDestMediaByIndex");
    bind(cups->AddOption, "cupsAddOption");
    bind(cups->FreeOptions, "cupsFreeOptions");
    bind(cups->PrintFile2, "cupsPrintFile2");
    bind(cups->CreateJob, "cupsCreateJob");
    bind(cups->StartDocument, "cupsStartDocument");
    bind(cups->WriteRequestData, "cupsWriteRequestData");
    bind(cups->FinishDocument, "cupsFinishDocument");
    bind(cups->CancelJob, "cupsCancelJob");
    bind(cups->LastErrorString, "cupsLastErrorString");
    // The library stays loaded for the rest of the run.
    return complete ? std::move(cups) : nullptr;
}

} // namespace

const TCupsLibrary* CupsLibrary() {
    static const std::unique_ptr<TCupsLibrary> cups = LoadCups();
    return cups.get();
}
