// The translucency primitives on a real layered window, and what they ask
// of the system while a window fades in.
#include "platform/translucency.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace orvane {
namespace {

// This executable's import-table slots for one function, so that a test can
// see every call the program makes to it.
std::vector<void**> ImportSlots(const char* function) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    std::vector<void**> slots;
    for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); dll->Name; ++dll) {
        auto* name = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
        auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
        for (; name->u1.AddressOfData; ++name, ++slot) {
            if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)) continue;
            const auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
                slots.push_back(reinterpret_cast<void**>(&slot->u1.Function));
        }
    }
    return slots;
}

// Puts replacement into the slots while it lives; gives the original back.
class ImportHook {
public:
    ImportHook(const char* function, void* replacement) : slots_(ImportSlots(function)) {
        for (void** slot : slots_) Set(slot, replacement, &original_);
    }
    ~ImportHook() {
        for (void** slot : slots_) Set(slot, original_, nullptr);
    }
    ImportHook(const ImportHook&) = delete;
    ImportHook& operator=(const ImportHook&) = delete;
    bool Found() const { return !slots_.empty(); }
    void* Original() const { return original_; }

private:
    static void Set(void** slot, void* value, void** previous) {
        DWORD protection = 0;
        VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &protection);
        if (previous) *previous = *slot;
        *slot = value;
        VirtualProtect(slot, sizeof(void*), protection, &protection);
    }
    std::vector<void**> slots_;
    void* original_ = nullptr;
};

int g_loads = 0;
void* g_realLoadLibraryA = nullptr;
HMODULE WINAPI CountingLoadLibraryA(LPCSTR name) {
    ++g_loads;
    return reinterpret_cast<decltype(&LoadLibraryA)>(g_realLoadLibraryA)(name);
}

TEST(Translucency, AFadeLoadsNothingOnceTheLayeredFunctionIsBound) {
    ASSERT_TRUE(CanUseTranslucency());
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    {
        ImportHook hook("LoadLibraryA", reinterpret_cast<void*>(&CountingLoadLibraryA));
        ASSERT_TRUE(hook.Found());
        g_realLoadLibraryA = hook.Original();
        g_loads = 0;
        ShowFadingIn(window);
        SetOpacity(window, 128);
        EXPECT_TRUE(CanUseTranslucency());
    }
    EXPECT_EQ(g_loads, 0);
    BYTE alpha = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(window, nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 128);
    DestroyWindow(window);
}

}  // namespace
}  // namespace orvane
