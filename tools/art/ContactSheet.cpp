#include "tools/art/ContactSheet.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include <jpeglib.h>

#include "core/DataManifest.h"
#include "engine/TgaReader.h"
#include "tools/art/AsvmReader.h"
#include "tools/art/FontArt.h"
#include "tools/art/PngWriter.h"
#include "tools/art/SoftwareRenderer.h"
#include "tools/art/Styling.h"

namespace brx::tools {
namespace {

constexpr int kSheetWidth = 1680;
constexpr int kTile = 200;
const Colour kSheetColour{0.16f, 0.16f, 0.18f, 1};

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Decoded rows come bottom row first (as the game uploads them); pictures here run top-down.
Image fromUploadRows(const uint8_t* pixels, int width, int height, int components) {
    Image image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint8_t* p =
                pixels + (size_t(y) * size_t(width) + size_t(x)) * size_t(components);
            const float a = components == 4 ? float(p[3]) / 255.0f : 1.0f;
            image.at(x, height - 1 - y) =
                components == 1 ? Colour{p[0] / 255.0f, p[0] / 255.0f, p[0] / 255.0f, 1}
                                : Colour{p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, a};
        }
    return image;
}

Image decodeJpeg(const std::string& bytes) {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    const int w = int(info.output_width), h = int(info.output_height);
    const int components = info.output_components;
    std::vector<uint8_t> pixels(size_t(w) * size_t(h) * size_t(components));
    while (info.output_scanline < info.output_height) {
        JSAMPROW row =
            pixels.data() + size_t(info.output_scanline) * size_t(w) * size_t(components);
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return fromUploadRows(pixels.data(), w, h, components);
}

Image loadPicture(const std::string& path) {
    const std::string bytes = readBytes(path);
    if (path.find(".Jpg") != std::string::npos) return bytes.empty() ? Image() : decodeJpeg(bytes);
    DecodedImage decoded;
    if (!TgaReader::decode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &decoded))
        return {};
    return fromUploadRows(decoded.pixels.data(), int(decoded.width), int(decoded.height),
                          decoded.components);
}

Mesh loadMesh(const std::string& path) {
    Mesh mesh;
    AsvmReader::decode(readBytes(path), &mesh, nullptr);
    return mesh;
}

// Draws a picture as the game does in its 800 x 600 space: lower-left corner at (x, y).
void drawAt(Image& screen, const Image& picture, float x, float y, float alpha = 1) {
    const int top = 600 - int(y) - picture.height();
    for (int j = 0; j < picture.height(); ++j)
        for (int i = 0; i < picture.width(); ++i)
            screen.blend(int(x) + i, top + j, picture.at(i, j), alpha);
}

// The upper (normal) or lower (highlighted) half of a two-state skin.
Image state(const Image& skin, bool highlighted) {
    const int h = skin.height() / 2;
    Image half(skin.width(), h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < skin.width(); ++x)
            half.at(x, y) = skin.at(x, y + (highlighted ? h : 0));
    return half;
}

// Text set with the font picture and its measured advances, as the game's font draws it.
void drawText(Image& screen, const Image& font, const std::string& text, float x, float y,
              float scale, int set, Colour colour) {
    float pen = x;
    for (const char ch : text) {
        const int code = static_cast<unsigned char>(ch);
        if (code < 32) continue;
        const int cell = (code - 32) % 128 + set * 128;
        const int cx = (cell % 16) * 32, cy = (cell / 16) * 32;
        const int size = int(32 * scale);
        for (int j = 0; j < size; ++j)
            for (int i = 0; i < size; ++i) {
                const Colour g = font.sample(float(cx) + (float(i) + 0.5f) / scale,
                                             float(cy) + (float(j) + 0.5f) / scale);
                screen.blend(int(pen) + i, 600 - int(y) - size + j,
                             {g.r * colour.r, g.g * colour.g, g.b * colour.b, g.a * colour.a});
            }
        pen += float(FontArt::measuredAdvance(font, code)) * scale;
    }
}

float textWidth(const Image& font, const std::string& text) {
    float w = 0;
    for (const char ch : text)
        w += float(FontArt::measuredAdvance(font, static_cast<unsigned char>(ch)));
    return w;
}

Image background(const std::string& staging, const char* name) {
    return loadPicture(staging + "/Data/Textures/" + name).resized(800, 600);
}

// Block materials from the colour file the build wrote next to the art, so the sheet shows
// the colours the game will use; plain guesses when there is none.
class Palette {
public:
    explicit Palette(const std::string& staging) {
        std::ifstream in(staging + "/Data/Colors.Cfg");
        std::string line;
        while (std::getline(in, line)) {
            const size_t equals = line.find('=');
            if (equals == std::string::npos || line.rfind("//", 0) == 0) continue;
            std::string values = line.substr(equals + 1);
            for (char& ch : values)
                if (ch == '"' || ch == ',' || ch == '[' || ch == ']') ch = ' ';
            std::istringstream numbers(values);
            float n[10];
            int count = 0;
            while (count < 10 && numbers >> n[count]) ++count;
            if (count == 10)
                materials_[line.substr(0, equals)] = {{n[0], n[1], n[2], 1},
                                                      {n[3], n[4], n[5], 1},
                                                      {n[6], n[7], n[8], 1},
                                                      n[9] * 128};
        }
    }

    PreviewMaterial get(const std::string& key, Colour guess) const {
        const auto found = materials_.find(key);
        if (found != materials_.end()) return found->second;
        return {guess.scaled(0.3f), guess, {0.25f, 0.25f, 0.25f, 1}, 50};
    }

private:
    std::map<std::string, PreviewMaterial> materials_;
};

const char* const kColourKeys[5] = {"Red", "Blue", "Green", "White", "Yellow"};
const Colour kColours[5] = {{0.85f, 0.12f, 0.1f, 1},
                            {0.15f, 0.35f, 0.95f, 1},
                            {0.15f, 0.75f, 0.2f, 1},
                            {0.9f, 0.9f, 0.92f, 1},
                            {0.98f, 0.82f, 0.1f, 1}};

PreviewMaterial blockMaterial(const Palette& palette, int colour) {
    return palette.get(kColourKeys[colour], kColours[colour]);
}

Image gameView(const std::string& staging) {
    const Palette palette(staging);
    // The board has no material of its own; it shows in whatever was applied last.
    const PreviewMaterial boardMaterial = palette.get("FlyColor", {0.45f, 0.5f, 0.65f, 1});
    Image screen = background(staging, "Nature.Jpg");
    const Image skin = loadPicture(staging + "/Data/Textures/0.Tga");
    SoftwareRenderer renderer(screen, 22, 45);
    const std::string models = staging + "/Data/Models/";
    renderer.draw(loadMesh(models + "12x16.Asvm"), &skin, boardMaterial, {0, -0.125f, 0});
    renderer.draw(loadMesh(models + "C12x16.Asvm"), &skin, boardMaterial, {0, -7.75f, 0});
    const Mesh block = loadMesh(models + "Hi/FastBox.Asvm");
    unsigned seed = 7;
    auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    for (int c = 0; c < 12; ++c) {
        const int height = 4 + int(next() % 9);
        for (int r = 15; r > 15 - height; --r) {
            const Vec3 at{float(c) + 0.5f - 6, 8 - float(r) + 0.5f, 0};
            const unsigned pick = next() % 40;
            if (pick == 0) {
                renderer.draw(loadMesh(models + "Bonuses/BigBomb.Asvm"), &skin,
                              palette.get("Black", {0.3f, 0.3f, 0.33f, 1}), at);
            } else if (pick == 1) {
                renderer.draw(loadMesh(models + "Bonuses/hvLine.Asvm"), &skin,
                              palette.get("ArrowBonus", {0.3f, 0.9f, 1, 1}), at);
            } else if (pick == 2) {
                renderer.draw(loadMesh(models + "Hi/FlyBox.Asvm"), &skin,
                              palette.get("FlyColor", {0.6f, 0.6f, 0.62f, 1}), at);
            } else {
                renderer.draw(block, &skin, blockMaterial(palette, int(next() % 5)), at);
            }
        }
    }
    for (int c = 0; c < 7; ++c)
        renderer.draw(block, &skin, blockMaterial(palette, int(next() % 5)),
                      {float(c) + 0.5f - 6, -7.75f, 0});
    const Image info = loadPicture(staging + "/Data/Textures/Interface/Info.Tga");
    drawAt(screen, info, -1, 590 - float(info.height()));
    const Image font = loadPicture(staging + "/Data/Textures/Font.Tga");
    const std::pair<float, float> spots[] = {{70, 515}, {70, 415}, {700, 515}, {700, 415}};
    const char* numbers[] = {"3", "27", "12840", "45"};
    for (int i = 0; i < 4; ++i)
        drawText(screen, font, numbers[i], spots[i].first - textWidth(font, numbers[i]) / 2,
                 spots[i].second, 1, 0, {1, 1, 1, 1});
    const Image menu = loadPicture(staging + "/Data/Textures/MainMenu/MenuBig.Tga");
    drawAt(screen, state(menu, false), 70 - float(menu.width()) / 2, 16);
    return screen;
}

Image menuView(const std::string& staging) {
    Image screen = background(staging, "Space.Jpg");
    const std::string textures = staging + "/Data/Textures/";
    const Image overlay = loadPicture(textures + "MenuBgrn.Tga").resized(500, 600);
    drawAt(screen, overlay, 150, 0, 0.5f);
    const Image splash = loadPicture(textures + "Brixeler3D.Tga");
    drawAt(screen, splash, 400 - float(splash.width()) / 2, 592 - float(splash.height()));
    const char* buttons[] = {"Continue", "NewGame", "Options", "Score", "Help", "Credits", "Exit"};
    for (int k = 0; k < 7; ++k) {
        const Image skin = loadPicture(textures + "MainMenu/" + buttons[k] + ".Tga");
        drawAt(screen, state(skin, k == 1), 400 - float(skin.width()) / 2,
               620 - 21 * float(9 + 2 * k));
    }
    const Image logo = loadPicture(textures + "PLogo.Tga");
    drawAt(screen, logo, 85 - float(logo.width()) / 2, 5);
    const Image cursor = loadPicture(textures + "Cursor.Tga").resized(37, 37);
    drawAt(screen, cursor, 470, 370 - 37);
    return screen;
}

Image checkerTile(const Image& picture, int size) {
    const float scale =
        std::min(1.0f, float(size) / float(std::max(picture.width(), picture.height())));
    const int w = std::max(1, int(float(picture.width()) * scale));
    const int h = std::max(1, int(float(picture.height()) * scale));
    Image tile(w, h);
    tile.fill([](int x, int y) {
        return ((x / 8 + y / 8) % 2) ? Colour{0.55f, 0.55f, 0.58f, 1}
                                     : Colour{0.35f, 0.35f, 0.38f, 1};
    });
    tile.draw(scale < 1 ? picture.resized(w, h) : picture, 0, 0);
    return tile;
}

Image modelTile(const Mesh& mesh, const Image& skin, const PreviewMaterial& material,
                float distance) {
    Image tile(kTile, kTile, {0.1f, 0.12f, 0.16f, 1});
    SoftwareRenderer renderer(tile, distance, 30);
    renderer.draw(mesh, &skin, material, {0, 0, 0}, -0.5f, 0.45f);
    return tile;
}

std::vector<std::pair<Image, std::string>> tiles(const std::string& staging) {
    std::vector<std::pair<Image, std::string>> list;
    for (const auto& name : DataManifest::textureNames())
        list.emplace_back(checkerTile(loadPicture(staging + "/Data/Textures/" + name), kTile),
                          name);
    const Image skin = loadPicture(staging + "/Data/Textures/1.Tga");
    const Palette palette(staging);
    struct Shown {
        const char* path;
        const char* key;  // material in the colour file
        float distance;
    };
    const Shown shown[] = {{"Hi/FastBox.Asvm", "Red", 4},
                           {"Low/FastBox.Asvm", "Blue", 4},
                           {"Hi/Box.Asvm", "Green", 4},
                           {"Low/Box.Asvm", "White", 4},
                           {"Hi/FlyBox.Asvm", "FlyColor", 4},
                           {"Hi/ScoreBox.Asvm", "ScoreColor", 4},
                           {"Hi/UMoveBox.Asvm", "Black", 4},
                           {"Bonuses/BigBomb.Asvm", "Black", 4},
                           {"Bonuses/RedBomb.Asvm", "Red", 4},
                           {"Bonuses/YellowBomb.Asvm", "Yellow", 4},
                           {"Bonuses/hLine.Asvm", "ArrowBonus", 4},
                           {"Bonuses/vLine.Asvm", "ArrowBonus", 4},
                           {"Bonuses/hvLine.Asvm", "ArrowBonus", 4},
                           {"SkinGreen.Asvm", "Green", 4},
                           {"16x18.Asvm", "FlyColor", 60},
                           {"C16x18.Asvm", "FlyColor", 40}};
    for (const auto& s : shown)
        list.emplace_back(modelTile(loadMesh(staging + "/Data/Models/" + s.path), skin,
                                    palette.get(s.key, {0.6f, 0.6f, 0.65f, 1}), s.distance),
                          s.path);
    return list;
}

void caption(Image& sheet, const std::string& text, int x, int y) {
    Mask mask(sheet.width(), sheet.height());
    Styling::face(Lettering::kBoldFace).draw(mask, text, 12, float(x), float(y));
    sheet.paint(mask, Colour{0.9f, 0.9f, 0.95f, 1});
}

}  // namespace

bool ContactSheet::compose(const std::string& stagingDir, const std::string& pngPath,
                           std::string* error) {
    const Image game = gameView(stagingDir), menu = menuView(stagingDir);
    const auto list = tiles(stagingDir);
    // Lay the tiles out first to know the sheet's height.
    std::vector<std::pair<int, int>> spots;
    int x = 20, y = 600 + 40 + 140, rowHeight = 0;
    for (const auto& [tile, name] : list) {
        if (x + tile.width() > kSheetWidth - 20) {
            x = 20;
            y += rowHeight + 30;
            rowHeight = 0;
        }
        spots.emplace_back(x, y);
        x += std::max(tile.width(), 130) + 16;
        rowHeight = std::max(rowHeight, tile.height());
    }
    Image sheet(kSheetWidth, y + rowHeight + 40, kSheetColour);
    sheet.draw(game, 20, 20);
    sheet.draw(menu, kSheetWidth - 820, 20);
    const Image font = loadPicture(stagingDir + "/Data/Textures/Font.Tga");
    Image strip(800, 600);
    drawText(strip, font, "The quick brown fox jumps over the lazy dog. 0123456789", 10, 560, 1, 0,
             {1, 1, 1, 1});
    drawText(strip, font, "WAVE iiii WWWW  Highlighted: New Game @ 100%", 10, 528, 1, 1,
             {1, 1, 1, 1});
    drawText(strip, font, "Scale 0.75: Select Effect  Transparency  1024 x 768", 10, 500, 0.75f, 0,
             {1, 1, 0, 1});
    sheet.draw(strip, 20, 640);
    for (size_t i = 0; i < list.size(); ++i) {
        sheet.draw(list[i].first, spots[i].first, spots[i].second);
        caption(sheet, list[i].second, spots[i].first,
                spots[i].second + list[i].first.height() + 16);
    }
    if (!PngWriter::save(sheet, pngPath)) {
        if (error) *error = "cannot write " + pngPath;
        return false;
    }
    return true;
}

}  // namespace brx::tools
