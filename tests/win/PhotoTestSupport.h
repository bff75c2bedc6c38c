// Photos made through the imaging component (WIC) for the tests and benchmarks of the picture
// import: JPEG and PNG files of a picture the caller describes pixel by pixel.
#pragma once

#include <windows.h>
#include <wincodec.h>

#include <string>
#include <vector>

#include "platform/ComObject.h"

namespace phototest {

// Encodes a width x height photo of `pixel(x, y)` (0xAARRGGBB) with the container's encoder.
template <typename Pixel>
bool WritePhoto(const std::string& path, REFGUID container, int width, int height, Pixel pixel) {
    const ComLibrary com;
    ComObject<IWICImagingFactory> factory;
    ComObject<IWICStream> stream;
    ComObject<IWICBitmapEncoder> encoder;
    ComObject<IWICBitmapFrameEncode> frame;
    const std::wstring wide(path.begin(), path.end());
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.put()))) ||
        FAILED(factory->CreateStream(stream.put())) ||
        FAILED(stream->InitializeFromFilename(wide.c_str(), GENERIC_WRITE)) ||
        FAILED(factory->CreateEncoder(container, nullptr, encoder.put())) ||
        FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(frame.put(), nullptr)) || FAILED(frame->Initialize(nullptr)) ||
        FAILED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))))
        return false;
    const bool png = IsEqualGUID(container, GUID_ContainerFormatPng);
    WICPixelFormatGUID format = png ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat24bppBGR;
    if (FAILED(frame->SetPixelFormat(&format))) return false;
    const int bytesPerPixel = png ? 4 : 3;
    if (!IsEqualGUID(format, png ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat24bppBGR)) return false;
    const UINT stride = static_cast<UINT>(((width * bytesPerPixel + 3) / 4) * 4);
    std::vector<BYTE> pixels(size_t{stride} * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < bytesPerPixel; ++c)
                pixels[size_t{stride} * static_cast<size_t>(y) + static_cast<size_t>(x * bytesPerPixel + c)] =
                    static_cast<BYTE>(pixel(x, y) >> (8 * c));
    return SUCCEEDED(frame->WritePixels(static_cast<UINT>(height), stride, static_cast<UINT>(pixels.size()),
                                        pixels.data())) &&
           SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

}  // namespace phototest
