#include "engine/JpegReader.h"

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE declared before it

#include <jerror.h>
#include <jpeglib.h>

namespace brx {
namespace {

// The error manager: libjpeg's standard one, with error_exit jumping back into the reader
// and messages kept for the caller instead of printed.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void keepMessage(j_common_ptr cinfo) {
    auto* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, errors->message);
}

[[noreturn]] void jumpBack(j_common_ptr cinfo) {
    keepMessage(cinfo);
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

// The memory source: the whole file is one buffer; there is never more data.
struct MemorySource {
    jpeg_source_mgr pub;
    const uint8_t* data;
    size_t size;
};

const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};

void initSource(j_decompress_ptr cinfo) {
    auto* source = reinterpret_cast<MemorySource*>(cinfo->src);
    source->pub.next_input_byte = source->data;
    source->pub.bytes_in_buffer = source->size;
}

// Asked for more data than the file holds: the file is truncated. Supplying an end-of-image
// marker lets the library finish instead of suspending forever.
boolean fillInputBuffer(j_decompress_ptr cinfo) {
    WARNMS(cinfo, JWRN_JPEG_EOF);
    cinfo->src->next_input_byte = kEndOfImage;
    cinfo->src->bytes_in_buffer = sizeof(kEndOfImage);
    return TRUE;
}

void skipInputData(j_decompress_ptr cinfo, long count) {
    if (count <= 0) return;
    jpeg_source_mgr* source = cinfo->src;
    const size_t skip = size_t(count);
    if (skip > source->bytes_in_buffer) {
        source->next_input_byte += source->bytes_in_buffer;
        source->bytes_in_buffer = 0;
        return;
    }
    source->next_input_byte += skip;
    source->bytes_in_buffer -= skip;
}

void termSource(j_decompress_ptr) {}

void attachSource(jpeg_decompress_struct& cinfo, MemorySource& source, const uint8_t* bytes,
                  size_t size) {
    source.data = bytes;
    source.size = size;
    source.pub.init_source = initSource;
    source.pub.fill_input_buffer = fillInputBuffer;
    source.pub.skip_input_data = skipInputData;
    source.pub.resync_to_restart = jpeg_resync_to_restart;
    source.pub.term_source = termSource;
    source.pub.next_input_byte = nullptr;
    source.pub.bytes_in_buffer = 0;
    cinfo.src = &source.pub;
}

// What the guarded part hands back besides the pixels.
struct DecodeState {
    bool adobeInverted = false;  // CMYK stored inverted, as Adobe applications write it
};

// The libjpeg calls proper. Holds no object with a destructor: error_exit jumps over it.
bool readImage(jpeg_decompress_struct& cinfo, DecodedImage& out, DecodeState& state) {
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) return false;
    if (!acceptableImageSize(cinfo.image_width, cinfo.image_height)) return false;
    jpeg_start_decompress(&cinfo);
    const int components = cinfo.output_components;
    if (components != 1 && components != 3 && components != 4) return false;
    out.width = cinfo.output_width;
    out.height = cinfo.output_height;
    out.components = components;
    out.pixels.resize(out.rowBytes() * out.height);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = out.pixels.data() + size_t(cinfo.output_scanline) * out.rowBytes();
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) return false;
    }
    state.adobeInverted = cinfo.saw_Adobe_marker;
    jpeg_finish_decompress(&cinfo);
    return true;
}

// Kept apart from decode() so that nothing local to the function that calls setjmp changes
// between setjmp and a jump back.
bool decodeGuarded(jpeg_decompress_struct& cinfo, ErrorManager& errors, MemorySource& source,
                   const uint8_t* bytes, size_t size, DecodedImage& out, DecodeState& state) {
    if (setjmp(errors.jump) != 0) return false;
    jpeg_create_decompress(&cinfo);
    attachSource(cinfo, source, bytes, size);
    return readImage(cinfo, out, state);
}

// Four components to R G B: black is mixed in multiplicatively.
void convertCmykToRgb(DecodedImage& image, bool inverted) {
    const size_t count = size_t(image.width) * image.height;
    std::vector<uint8_t> rgb(count * 3);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* cmyk = &image.pixels[i * 4];
        const unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
        for (int c = 0; c < 3; ++c) {
            const unsigned ink = inverted ? cmyk[c] : 255u - cmyk[c];
            rgb[i * 3 + size_t(c)] = uint8_t((ink * k + 127) / 255);
        }
    }
    image.pixels = std::move(rgb);
    image.components = 3;
}

// Ends the decompressor however decodeGuarded left it.
struct DecompressorGuard {
    jpeg_decompress_struct& cinfo;
    ~DecompressorGuard() { jpeg_destroy_decompress(&cinfo); }
};

}  // namespace

bool JpegReader::decode(const uint8_t* bytes, size_t size, DecodedImage* image,
                        std::string* diagnostic) {
    if (bytes == nullptr || size == 0) return false;
    jpeg_decompress_struct cinfo{};
    ErrorManager errors{};
    MemorySource source{};
    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = jumpBack;
    errors.pub.output_message = keepMessage;

    DecodedImage decoded;
    DecodeState state;
    bool decodedOk = false;
    {
        DecompressorGuard guard{cinfo};
        decodedOk = decodeGuarded(cinfo, errors, source, bytes, size, decoded, state);
    }
    if (diagnostic) *diagnostic = errors.message;
    if (!decodedOk) return false;

    if (decoded.components == 4) convertCmykToRgb(decoded, state.adobeInverted);
    decoded.format = decoded.components == 1 ? GL_LUMINANCE : GL_RGB;
    decoded.bytesPerPixel = 24;
    *image = std::move(decoded);
    return true;
}

}  // namespace brx
