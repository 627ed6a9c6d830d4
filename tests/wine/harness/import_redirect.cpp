#include "import_redirect.h"

#include <cstring>

namespace {

const IMAGE_IMPORT_DESCRIPTOR* firstImportDescriptor(const BYTE* base) {
    const auto* dosHeader = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (dosHeader->e_magic != IMAGE_DOS_SIGNATURE)
        return nullptr;
    const auto* ntHeaders = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dosHeader->e_lfanew);
    if (ntHeaders->Signature != IMAGE_NT_SIGNATURE)
        return nullptr;
    const IMAGE_DATA_DIRECTORY& imports =
        ntHeaders->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0 || imports.Size == 0)
        return nullptr;
    return reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
}

void writeImportSlot(IMAGE_THUNK_DATA* slot, void* replacement) {
    DWORD oldProtection = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &oldProtection);
    slot->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
    VirtualProtect(slot, sizeof *slot, oldProtection, &oldProtection);
    FlushInstructionCache(GetCurrentProcess(), slot, sizeof *slot);
}

// Patches the slot of `functionName` in one descriptor; returns the old address.
void* redirectInDescriptor(BYTE* base, const IMAGE_IMPORT_DESCRIPTOR& descriptor,
                           const char* functionName, void* replacement) {
    // Without OriginalFirstThunk the names are gone once the loader bound the table.
    if (descriptor.OriginalFirstThunk == 0)
        return nullptr;
    const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + descriptor.OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor.FirstThunk);
    for (int i = 0; names[i].u1.AddressOfData != 0; ++i) {
        if (IMAGE_SNAP_BY_ORDINAL(names[i].u1.Ordinal))
            continue;
        const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names[i].u1.AddressOfData);
        if (std::strcmp(reinterpret_cast<const char*>(byName->Name), functionName) != 0)
            continue;
        void* original = reinterpret_cast<void*>(slots[i].u1.Function);
        writeImportSlot(&slots[i], replacement);
        return original;
    }
    return nullptr;
}

}  // namespace

void* redirectImport(HMODULE module, const char* dllName, const char* functionName,
                     void* replacement) {
    auto* base = reinterpret_cast<BYTE*>(module);
    if (base == nullptr)
        return nullptr;
    const IMAGE_IMPORT_DESCRIPTOR* descriptor = firstImportDescriptor(base);
    if (descriptor == nullptr)
        return nullptr;
    void* original = nullptr;
    for (; descriptor->Name != 0; ++descriptor) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + descriptor->Name), dllName) != 0)
            continue;
        void* found = redirectInDescriptor(base, *descriptor, functionName, replacement);
        if (original == nullptr)
            original = found;
    }
    return original;
}
