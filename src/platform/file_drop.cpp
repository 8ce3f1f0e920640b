#include "platform/file_drop.h"

#include <shellapi.h>

#include <cstring>
#include <utility>

#include "core/text.h"
#include "platform/code_page.h"

namespace orvane {
namespace {

FORMATETC FormatOf(CLIPFORMAT format) { return {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

CLIPFORMAT Registered(const wchar_t* name) { return static_cast<CLIPFORMAT>(RegisterClipboardFormatW(name)); }

// Global memory holding a copy of bytes; null when out of memory.
HGLOBAL GlobalCopy(const void* bytes, SIZE_T size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
    if (!memory) return nullptr;
    if (void* target = GlobalLock(memory)) {
        if (size) std::memcpy(target, bytes, size);
        GlobalUnlock(memory);
        return memory;
    }
    GlobalFree(memory);
    return nullptr;
}

HGLOBAL GlobalCopy(HGLOBAL source) {
    const SIZE_T size = GlobalSize(source);
    const void* bytes = GlobalLock(source);
    if (!bytes) return nullptr;
    HGLOBAL copy = GlobalCopy(bytes, size);
    GlobalUnlock(source);
    return copy;
}

// Paths one after another, each ended by a NUL, the list ended by another;
// read no further than the block's end, whatever the block says.
template <typename Char>
std::vector<std::wstring> ReadPathList(const BYTE* begin, const BYTE* end) {
    std::vector<std::wstring> paths;
    const auto* p = reinterpret_cast<const Char*>(begin);
    const auto* last = reinterpret_cast<const Char*>(begin + (end - begin) / sizeof(Char) * sizeof(Char));
    while (p < last && *p) {
        const Char* start = p;
        while (p < last && *p) ++p;
        if constexpr (sizeof(Char) == 1) {
            paths.push_back(FromAnsi(std::string_view(start, p - start)));
        } else {
            paths.emplace_back(start, p);
        }
        ++p;
    }
    return paths;
}

std::vector<std::wstring> ParseFileDrop(HGLOBAL memory) {
    const SIZE_T size = GlobalSize(memory);
    const auto* bytes = static_cast<const BYTE*>(GlobalLock(memory));
    if (!bytes) return {};
    std::vector<std::wstring> paths;
    if (size >= sizeof(DROPFILES)) {
        DROPFILES header;
        std::memcpy(&header, bytes, sizeof header);
        if (header.pFiles >= sizeof(DROPFILES) && header.pFiles < size) {
            paths = header.fWide ? ReadPathList<wchar_t>(bytes + header.pFiles, bytes + size)
                                 : ReadPathList<char>(bytes + header.pFiles, bytes + size);
        }
    }
    GlobalUnlock(memory);
    return paths;
}

HGLOBAL BuildFileDrop(const std::vector<std::wstring>& paths) {
    std::vector<BYTE> bytes(sizeof(DROPFILES));
    DROPFILES header{};
    header.pFiles = sizeof(DROPFILES);
    header.fWide = TRUE;
    std::memcpy(bytes.data(), &header, sizeof header);
    const std::wstring list = ShellFileList(paths);
    const auto* text = reinterpret_cast<const BYTE*>(list.c_str());
    bytes.insert(bytes.end(), text, text + list.size() * sizeof(wchar_t));
    return GlobalCopy(bytes.data(), bytes.size());
}

class FileDropData final : public ComObject<IDataObject, IID_IDataObject> {
public:
    FileDropData(std::function<std::vector<std::wstring>()> paths, std::function<void(const FORMATETC&)> onSet)
        : paths_(std::move(paths)), onSet_(std::move(onSet)) {}

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (!format || !medium) return E_INVALIDARG;
        const HRESULT offered = QueryGetData(format);
        if (offered != S_OK) return offered;
        HGLOBAL content = nullptr;
        if (const Stored* stored = Find(format->cfFormat)) {
            content = GlobalCopy(stored->memory);
        } else {
            if (!filled_) {
                files_ = paths_();
                filled_ = true;
            }
            content = BuildFileDrop(files_);
        }
        if (!content) return E_OUTOFMEMORY;
        *medium = {};
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = content;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        if (!format) return E_INVALIDARG;
        if (format->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
        if (!(format->tymed & TYMED_HGLOBAL)) return DV_E_TYMED;
        if (format->cfFormat == CF_HDROP || Find(format->cfFormat)) return S_OK;
        return DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out) out->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }
    // Keeps what a target or the clipboard's user sets (a copy of the bytes),
    // so that it can be read back; only global memory is taken.
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override {
        if (!format || !medium) return E_INVALIDARG;
        if (format->dwAspect != DVASPECT_CONTENT || medium->tymed != TYMED_HGLOBAL || !medium->hGlobal)
            return E_NOTIMPL;
        HGLOBAL copy = GlobalCopy(medium->hGlobal);
        if (!copy) return E_OUTOFMEMORY;
        if (release) ReleaseStgMedium(medium);
        if (Stored* stored = Find(format->cfFormat)) {
            GlobalFree(stored->memory);
            stored->memory = copy;
        } else {
            stored_.push_back({format->cfFormat, copy});
        }
        if (onSet_) onSet_(*format);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (direction != DATADIR_GET) return E_NOTIMPL;
        std::vector<FORMATETC> formats{FormatOf(CF_HDROP)};
        for (const Stored& stored : stored_) {
            if (stored.format != CF_HDROP) formats.push_back(FormatOf(stored.format));
        }
        return SHCreateStdEnumFmtEtc(static_cast<UINT>(formats.size()), formats.data(), out);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    struct Stored {
        CLIPFORMAT format;
        HGLOBAL memory;
    };
    ~FileDropData() override {
        for (const Stored& stored : stored_) GlobalFree(stored.memory);
    }
    Stored* Find(CLIPFORMAT format) {
        for (Stored& stored : stored_) {
            if (stored.format == format) return &stored;
        }
        return nullptr;
    }

    std::function<std::vector<std::wstring>()> paths_;
    std::function<void(const FORMATETC&)> onSet_;
    std::vector<std::wstring> files_;
    bool filled_ = false;
    std::vector<Stored> stored_;
};

}  // namespace

std::optional<std::vector<std::wstring>> FileDropPaths(IDataObject* data) {
    if (!data) return std::nullopt;
    FORMATETC format = FormatOf(CF_HDROP);
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&format, &medium))) return std::nullopt;
    std::vector<std::wstring> paths;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) paths = ParseFileDrop(medium.hGlobal);
    ReleaseStgMedium(&medium);
    return paths;
}

ComPtr<IDataObject> MakeFileDropData(std::function<std::vector<std::wstring>()> paths,
                                     std::function<void(const FORMATETC&)> onSet) {
    return ComPtr<IDataObject>(new FileDropData(std::move(paths), std::move(onSet)));
}

std::optional<DWORD> ReadDropEffect(IDataObject* data, const wchar_t* format) {
    if (!data) return std::nullopt;
    FORMATETC wanted = FormatOf(Registered(format));
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&wanted, &medium))) return std::nullopt;
    std::optional<DWORD> effect;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal && GlobalSize(medium.hGlobal) >= sizeof(DWORD)) {
        if (const void* bytes = GlobalLock(medium.hGlobal)) {
            DWORD value;
            std::memcpy(&value, bytes, sizeof value);
            effect = value;
            GlobalUnlock(medium.hGlobal);
        }
    }
    ReleaseStgMedium(&medium);
    return effect;
}

bool WriteDropEffect(IDataObject* data, const wchar_t* format, DWORD effect) {
    if (!data) return false;
    FORMATETC target = FormatOf(Registered(format));
    STGMEDIUM medium{};
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = GlobalCopy(&effect, sizeof effect);
    if (!medium.hGlobal) return false;
    if (SUCCEEDED(data->SetData(&target, &medium, TRUE))) return true;
    GlobalFree(medium.hGlobal);
    return false;
}

}  // namespace orvane
