// JPEG reading and writing over libjpeg, one scanline at a time. A library error jumps back to
// the routine that called it, which cleans up and fails; setjmp rules out C++ objects with
// destructors between the jump and its target, so the code below is plain C style on purpose.
#include "view/picture/FgDib.h"

#include "framework/Module.h"

#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

namespace {

// Decoded pictures larger than this are refused rather than allocated.
constexpr long long MAX_DECODED_BYTES = 512LL * 1024 * 1024;

struct JumpingErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf back;
    char message[JMSG_LENGTH_MAX > 200 ? JMSG_LENGTH_MAX : 200];
};

void JumpBack(j_common_ptr info)
{
    auto* manager = reinterpret_cast<JumpingErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->back, 1);
}

void ShowWithPath(const char* format, const char* path)
{
    char text[MAX_PATH + 64];
    std::snprintf(text, sizeof text, format, path);
    FwMessageBox(text, MB_OK);
}

} // namespace

BYTE* ReadJpegFile(const char* path, int* width, int* height)
{
    *width = *height = 0;
    std::FILE* file = std::fopen(path, "rb");
    if (!file) {
        ShowWithPath("JPEG :\nCan't open %s\n", path);
        return nullptr;
    }
    jpeg_decompress_struct info;
    JumpingErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = &JumpBack;
    BYTE* volatile out = nullptr;
    if (setjmp(errors.back)) {
        jpeg_destroy_decompress(&info);
        std::fclose(file);
        std::free(out);
        *width = *height = 0;
        return nullptr;
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);

    long long bytes = static_cast<long long>(info.output_width) * info.output_height * 3;
    out = bytes > 0 && bytes <= MAX_DECODED_BYTES ? static_cast<BYTE*>(std::malloc(size_t(bytes)))
                                                  : nullptr;
    if (!out) {
        FwMessageBox("JpegFile :\nOut of memory", MB_OK | MB_ICONHAND);
        jpeg_destroy_decompress(&info);
        std::fclose(file);
        return nullptr;
    }
    *width = static_cast<int>(info.output_width);
    *height = static_cast<int>(info.output_height);
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                               info.output_width * info.output_components, 1);
    while (info.output_scanline < info.output_height) {
        jpeg_read_scanlines(&info, row, 1);
        int index = static_cast<int>(info.output_scanline) - 1;
        if (info.output_components == 3)
            CopyRgbRow(row[0], *width, out, index);
        else if (info.output_components == 1)
            ExpandGreyRow(row[0], *width, out, index);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    return out;
}

int WriteJpegFile(const char* path, const BYTE* data, int width, int height, int colour,
                  int quality)
{
    if (!data || width <= 0 || height <= 0)
        return 0;
    BYTE* volatile grey = nullptr;
    if (!colour) {
        grey = static_cast<BYTE*>(std::malloc(static_cast<size_t>(width) * height));
        if (!grey) {
            FwMessageBox("Memory error", MB_OK);
            return 0;
        }
        for (long long i = 0; i < static_cast<long long>(width) * height; ++i) {
            const BYTE* p = data + i * 3;
            grey[i] = static_cast<BYTE>(0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2]);
        }
    }
    jpeg_compress_struct info;
    JumpingErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = &JumpBack;
    std::FILE* volatile file = nullptr;
    if (setjmp(errors.back)) {
        jpeg_destroy_compress(&info);
        if (file)
            std::fclose(file);
        std::free(grey);
        return 0;
    }
    jpeg_create_compress(&info);
    file = std::fopen(path, "wb");
    if (!file) {
#ifdef PICTURES_FOR_DESKTOP
        ShowWithPath("JpegFile :\nCan't open %s\n", path);
#else
        ShowWithPath("Disk full while accessing %s\n", path);
#endif
        jpeg_destroy_compress(&info);
        std::free(grey);
        return 0;
    }
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = colour ? 3 : 1;
    info.in_color_space = colour ? JCS_RGB : JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        size_t line = info.next_scanline;
        JSAMPROW row = colour ? const_cast<BYTE*>(data + line * width * 3) : grey + line * width;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    std::fclose(file);
    jpeg_destroy_compress(&info);
    std::free(grey);
    return 1;
}

void CopyRgbRow(const BYTE* row, int width, BYTE* out, int rowIndex)
{
    std::memcpy(out + static_cast<size_t>(rowIndex) * width * 3, row, static_cast<size_t>(width) * 3);
}

void ExpandGreyRow(const BYTE* row, int width, BYTE* out, int rowIndex)
{
    BYTE* p = out + static_cast<size_t>(rowIndex) * width * 3;
    for (int x = 0; x < width; ++x, p += 3)
        p[0] = p[1] = p[2] = row[x];
}

int FlipRows(BYTE* data, int rowBytes, int rows)
{
    if (!data)
        return 0;
    BYTE* temp = static_cast<BYTE*>(std::malloc(static_cast<size_t>(rowBytes)));
    if (!temp)
        return 0;
    for (int i = 0; i < rows / 2; ++i) {
        BYTE* a = data + static_cast<size_t>(i) * rowBytes;
        BYTE* b = data + static_cast<size_t>(rows - 1 - i) * rowBytes;
        std::memcpy(temp, a, rowBytes);
        std::memcpy(a, b, rowBytes);
        std::memcpy(b, temp, rowBytes);
    }
    std::free(temp);
    return 1;
}

int SwapRedBlue(BYTE* data, int width, int rows)
{
    if (!data)
        return 0;
    long long pixels = static_cast<long long>(width) * rows;
    for (long long i = 0; i < pixels; ++i)
        std::swap(data[i * 3], data[i * 3 + 2]);
    return 1;
}

BYTE* PadRowsToDword(const BYTE* data, int width, int rows, int* stride)
{
    if (!data)
        return nullptr;
    *stride = ((width * 24 + 31) / 32) * 4;
    BYTE* out = static_cast<BYTE*>(std::malloc(static_cast<size_t>(*stride) * rows));
    if (!out)
        return nullptr;
    for (int y = 0; y < rows; ++y) {
        BYTE* row = out + static_cast<size_t>(y) * *stride;
        std::memcpy(row, data + static_cast<size_t>(y) * width * 3, static_cast<size_t>(width) * 3);
        // The alignment bytes are zeroed so pictures compare and save the same every time.
        std::memset(row + width * 3, 0, static_cast<size_t>(*stride - width * 3));
    }
    return out;
}
