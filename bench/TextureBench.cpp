// Texture decoding from the archive, each against its floor: a 1024 x 1024 JPEG against a bare
// libjpeg decode of the same bytes, a 512 x 512 RGBA TGA against a bare copy of its bytes.
// The upload to OpenGL is not measured (it needs a context and is the driver's time).
#include <benchmark/benchmark.h>

#include <cstdio>  // jpeglib.h needs FILE declared before it
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "core/ResourceArchive.h"
#include "engine/JpegReader.h"
#include "engine/TgaReader.h"
#include "tests/support/ArchiveBuilder.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestImages.h"

namespace {

constexpr int kJpegSide = 1024;
constexpr int kTgaSide = 512;
const char* const kJpegName = "Data/Textures/Bench.Jpg";
const char* const kTgaName = "Data/Textures/Bench.Tga";

struct TextureFiles {
    testsupport::TempDir folder;
    std::string jpeg;
    std::string tga;
};

const TextureFiles& textureFiles() {
    static const std::unique_ptr<TextureFiles> files = [] {
        auto made = std::make_unique<TextureFiles>();
        made->jpeg = testsupport::encodeJpeg(
            testsupport::patternPixels(kJpegSide, kJpegSide, 3, 11), kJpegSide, kJpegSide, 3);
        made->tga = testsupport::makeTga(2, 32, kTgaSide, kTgaSide,
                                         testsupport::patternPixels(kTgaSide, kTgaSide, 4, 12));
        made->folder.writeFile("Textures.Kvr", testsupport::ArchiveBuilder()
                                                   .add(kJpegName, made->jpeg)
                                                   .add(kTgaName, made->tga)
                                                   .build());
        return made;
    }();
    return *files;
}

void openTextureArchive() {
    brx::ResourceArchive& archive = brx::ResourceArchive::instance();
    archive.close();
    archive.open((textureFiles().folder.path() / "Textures.Kvr").string());
}

void BM_JpegBareLibjpeg(benchmark::State& state) {
    const std::string& file = textureFiles().jpeg;
    std::vector<uint8_t> pixels(size_t(kJpegSide) * kJpegSide * 3);
    for (auto _ : state) {
        jpeg_decompress_struct cinfo{};
        jpeg_error_mgr errors{};
        cinfo.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&cinfo);
        jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(file.data()), file.size());
        jpeg_read_header(&cinfo, TRUE);
        jpeg_start_decompress(&cinfo);
        const size_t rowBytes = size_t(cinfo.output_width) * size_t(cinfo.output_components);
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW row = pixels.data() + cinfo.output_scanline * rowBytes;
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(BM_JpegBareLibjpeg)->Unit(benchmark::kMillisecond);

void BM_JpegFromArchive(benchmark::State& state) {
    openTextureArchive();
    for (auto _ : state) {
        const brx::ResourceBuffer file = brx::ResourceArchive::instance().readFile(kJpegName);
        brx::DecodedImage image;
        if (!brx::JpegReader::decode(file.bytes.get(), file.size, &image))
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(image.pixels.data());
    }
}
BENCHMARK(BM_JpegFromArchive)->Unit(benchmark::kMillisecond);

void BM_TgaBareMemcpy(benchmark::State& state) {
    const std::string& file = textureFiles().tga;
    for (auto _ : state) {
        std::vector<uint8_t> copy(file.size());
        std::memcpy(copy.data(), file.data(), file.size());
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(BM_TgaBareMemcpy)->Unit(benchmark::kMicrosecond);

void BM_TgaArchiveReadOnly(benchmark::State& state) {
    openTextureArchive();
    for (auto _ : state) {
        const brx::ResourceBuffer file = brx::ResourceArchive::instance().readFile(kTgaName);
        benchmark::DoNotOptimize(file.bytes.get());
    }
}
BENCHMARK(BM_TgaArchiveReadOnly)->Unit(benchmark::kMicrosecond);

void BM_TgaDecodeOnly(benchmark::State& state) {
    const std::string& file = textureFiles().tga;
    for (auto _ : state) {
        brx::DecodedImage image;
        brx::TgaReader::decode(reinterpret_cast<const uint8_t*>(file.data()), file.size(), &image);
        benchmark::DoNotOptimize(image.pixels.data());
    }
}
BENCHMARK(BM_TgaDecodeOnly)->Unit(benchmark::kMicrosecond);

void BM_TgaFromArchive(benchmark::State& state) {
    openTextureArchive();
    for (auto _ : state) {
        const brx::ResourceBuffer file = brx::ResourceArchive::instance().readFile(kTgaName);
        brx::DecodedImage image;
        if (!brx::TgaReader::decode(file.bytes.get(), file.size, &image))
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(image.pixels.data());
    }
}
BENCHMARK(BM_TgaFromArchive)->Unit(benchmark::kMicrosecond);

}  // namespace
