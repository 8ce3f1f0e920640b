#include "platform/picture.h"

#include <wincodec.h>

#include <algorithm>

#include "platform/com.h"

namespace orvane {

void Picture::Draw(HDC dc, int left, int top) const {
    const HDC source = CreateCompatibleDC(dc);
    if (!source) return;
    {
        const SelectedObject selected(source, bitmap_.get());
        BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        GdiAlphaBlend(dc, left, top, width_, height_, source, 0, 0, width_, height_, blend);
    }
    DeleteDC(source);
}

namespace {

// The container a file's first bytes announce.
const GUID* ContainerOf(std::string_view bytes) {
    if (bytes.starts_with("BM")) return &GUID_ContainerFormatBmp;
    if (bytes.starts_with("\x89PNG\r\n\x1a\n")) return &GUID_ContainerFormatPng;
    if (bytes.starts_with("\xFF\xD8\xFF")) return &GUID_ContainerFormatJpeg;
    if (bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a")) return &GUID_ContainerFormatGif;
    return nullptr;
}

}  // namespace

std::optional<Picture> LoadPicture(std::string_view bytes, SIZE largest) {
    const GUID* container = ContainerOf(bytes);
    if (!container || bytes.size() > MAXDWORD || largest.cx <= 0 || largest.cy <= 0) return std::nullopt;
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.put()))))
        return std::nullopt;
    // The stream reads the caller's bytes, which outlive every use below.
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateStream(stream.put())) ||
        FAILED(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                                            static_cast<DWORD>(bytes.size()))) ||
        FAILED(factory->CreateDecoder(*container, nullptr, decoder.put())) ||
        FAILED(decoder->Initialize(stream.get(), WICDecodeMetadataCacheOnDemand)))
        return std::nullopt;
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, frame.put()))) return std::nullopt;
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(converter.put())) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return std::nullopt;
    UINT width = 0, height = 0;
    // A hostile file may claim any size, and the decoder may hold the whole
    // frame: refuse what no screen needs.
    if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 || width > 16384 || height > 16384)
        return std::nullopt;

    // The rows are pulled through the scaler, so only the shrunk copy is
    // ever held here.
    IWICBitmapSource* source = converter.get();
    ComPtr<IWICBitmapScaler> scaler;
    const double scale =
        std::min({1.0, static_cast<double>(largest.cx) / width, static_cast<double>(largest.cy) / height});
    if (scale < 1.0) {
        const UINT scaledWidth = std::max(1u, static_cast<UINT>(width * scale));
        const UINT scaledHeight = std::max(1u, static_cast<UINT>(height * scale));
        if (FAILED(factory->CreateBitmapScaler(scaler.put()))) return std::nullopt;
        // Fant gives the smoother result; a platform without it still shrinks.
        if (FAILED(scaler->Initialize(source, scaledWidth, scaledHeight, WICBitmapInterpolationModeFant)) &&
            FAILED(scaler->Initialize(source, scaledWidth, scaledHeight, WICBitmapInterpolationModeNearestNeighbor)))
            return std::nullopt;
        source = scaler.get();
        width = scaledWidth;
        height = scaledHeight;
    }

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down, as the converter delivers the rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return std::nullopt;
    const UINT stride = width * 4;
    if (FAILED(source->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits)))) return std::nullopt;
    GdiFlush();
    return Picture(std::move(bitmap), static_cast<int>(width), static_cast<int>(height));
}

}  // namespace orvane
