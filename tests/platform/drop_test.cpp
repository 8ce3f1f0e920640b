#include <gtest/gtest.h>

#include <cstring>

#include "platform/drop_target.h"
#include "platform/file_drop.h"
#include "platform/handles.h"

namespace orvane {
namespace {

// Sets raw file-drop bytes on a data object, as a hostile source could hand them.
void SetRawFileDrop(IDataObject* data, const void* bytes, SIZE_T size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(memory), bytes, size);
    GlobalUnlock(memory);
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = memory;
    ASSERT_EQ(S_OK, data->SetData(&format, &medium, TRUE));
}

TEST(FileDrop, TheDataObjectHandsBackItsPathsOnceBuiltAndWhatTargetsSetOnIt) {
    const std::vector<std::wstring> paths{L"C:\\dl\\曲, その2.mp3", L"\\\\server\\share\\a\\\\b.txt", L"D:\\x"};
    int asked = 0;
    const auto data = MakeFileDropData([&] {
        ++asked;
        return paths;
    });
    EXPECT_EQ(0, asked);  // filled only when someone wants it
    EXPECT_EQ(paths, FileDropPaths(data.get()));
    EXPECT_EQ(paths, FileDropPaths(data.get()));
    EXPECT_EQ(1, asked);

    EXPECT_FALSE(ReadDropEffect(data.get(), CFSTR_PERFORMEDDROPEFFECT));
    EXPECT_TRUE(WriteDropEffect(data.get(), CFSTR_PERFORMEDDROPEFFECT, DROPEFFECT_MOVE));
    EXPECT_TRUE(WriteDropEffect(data.get(), CFSTR_PERFORMEDDROPEFFECT, DROPEFFECT_NONE));
    EXPECT_TRUE(WriteDropEffect(data.get(), CFSTR_PREFERREDDROPEFFECT, DROPEFFECT_COPY));
    EXPECT_EQ(DWORD{DROPEFFECT_NONE}, ReadDropEffect(data.get(), CFSTR_PERFORMEDDROPEFFECT));
    EXPECT_EQ(DWORD{DROPEFFECT_COPY}, ReadDropEffect(data.get(), CFSTR_PREFERREDDROPEFFECT));

    IEnumFORMATETC* formats = nullptr;
    ASSERT_EQ(S_OK, data->EnumFormatEtc(DATADIR_GET, &formats));
    FORMATETC first{};
    EXPECT_EQ(S_OK, formats->Next(1, &first, nullptr));
    EXPECT_EQ(CF_HDROP, first.cfFormat);
    formats->Release();
}

TEST(FileDrop, HostileFileDropBytesAreReadNoFurtherThanTheirBlock) {
    const auto data = MakeFileDropData([] { return std::vector<std::wstring>{}; });
    EXPECT_EQ(std::vector<std::wstring>{}, FileDropPaths(data.get()));  // offered, but empty

    DROPFILES header{};
    header.pFiles = sizeof header;
    // A list in the code page whose last path runs to the block's end without a NUL.
    std::vector<char> ansi(sizeof header);
    std::memcpy(ansi.data(), &header, sizeof header);
    for (char c : std::string("C:\\a\0C:\\bc", 10)) ansi.push_back(c);
    SetRawFileDrop(data.get(), ansi.data(), ansi.size());
    EXPECT_EQ((std::vector<std::wstring>{L"C:\\a", L"C:\\bc"}), FileDropPaths(data.get()));

    header.pFiles = 4096;  // beyond the block
    header.fWide = TRUE;
    SetRawFileDrop(data.get(), &header, sizeof header);
    EXPECT_EQ(std::vector<std::wstring>{}, FileDropPaths(data.get()));
    SetRawFileDrop(data.get(), &header, 4);  // shorter than the header
    EXPECT_EQ(std::vector<std::wstring>{}, FileDropPaths(data.get()));
}

struct RecordingDrop final : DropDelegate {
    DWORD OnDragOver(const DragData& data, POINT client, DWORD keys, DWORD allowed) override {
        seenPaths = data.paths;
        at = client;
        overKeys.push_back(keys);
        this->allowed = allowed;
        return answer;
    }
    void OnDragLeave() override { ++leaves; }
    DWORD OnDrop(const DragData& data, POINT client, DWORD keys, DWORD allowed) override {
        seenPaths = data.paths;
        at = client;
        dropKeys = keys;
        this->allowed = allowed;
        return answer;
    }
    std::optional<std::vector<std::wstring>> seenPaths;
    POINT at{};
    std::vector<DWORD> overKeys;
    DWORD dropKeys = ~0u;
    DWORD allowed = 0;
    DWORD answer = DROPEFFECT_MOVE;
    int leaves = 0;
};

TEST(DropTarget, HandsTheDragToItsDelegateWithTheKeysSeenLastAndTellsTheSourceOnlyAnAllowedEffect) {
    UniqueWindow window(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 100, 200, 300, 300, nullptr, nullptr,
                                        GetModuleHandleW(nullptr), nullptr));
    RecordingDrop delegate;
    IDropTarget* target = nullptr;
    {
        DropTargetRegistration registration(window.get(), delegate);
        ASSERT_TRUE(registration.Registered());
        target = registration.Target();
        target->AddRef();
        const auto data = MakeFileDropData([] { return std::vector<std::wstring>{L"C:\\dl\\a.mp3"}; });

        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        ASSERT_EQ(S_OK, target->DragEnter(data.get(), MK_LBUTTON | MK_CONTROL, POINTL{110, 230}, &effect));
        EXPECT_EQ(DWORD{DROPEFFECT_MOVE}, effect);
        EXPECT_EQ((std::vector<std::wstring>{L"C:\\dl\\a.mp3"}), delegate.seenPaths);
        EXPECT_EQ(10, delegate.at.x);
        EXPECT_EQ(30, delegate.at.y);

        delegate.answer = DROPEFFECT_COPY;
        effect = DROPEFFECT_MOVE;  // the delegate's copy is not allowed: none
        target->DragOver(MK_LBUTTON | MK_SHIFT, POINTL{150, 250}, &effect);
        EXPECT_EQ(DWORD{DROPEFFECT_NONE}, effect);
        EXPECT_EQ((std::vector<std::wstring>{L"C:\\dl\\a.mp3"}), delegate.seenPaths);

        delegate.answer = DROPEFFECT_MOVE;
        effect = DROPEFFECT_MOVE | DROPEFFECT_COPY;
        target->Drop(data.get(), 0, POINTL{150, 250}, &effect);  // no keys with the drop, as under Wine
        EXPECT_EQ(DWORD{MK_LBUTTON | MK_SHIFT}, delegate.dropKeys);
        EXPECT_EQ(DWORD{DROPEFFECT_MOVE | DROPEFFECT_COPY}, delegate.allowed);
        EXPECT_EQ(DWORD{DROPEFFECT_MOVE}, effect);

        target->DragLeave();
        EXPECT_EQ(1, delegate.leaves);
    }
    // Revoked and detached: a late call from OLE reaches nobody.
    DWORD effect = DROPEFFECT_MOVE;
    target->DragOver(0, POINTL{150, 250}, &effect);
    EXPECT_EQ(DWORD{DROPEFFECT_NONE}, effect);
    EXPECT_EQ(2u, delegate.overKeys.size());
    target->Release();
}

}  // namespace
}  // namespace orvane
