#include "tools/art/ArtGenerator.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <thread>

#include "core/DataManifest.h"
#include "tools/art/AsvmWriter.h"
#include "tools/art/BackgroundArt.h"
#include "tools/art/EffectArt.h"
#include "tools/art/FontArt.h"
#include "tools/art/IconArt.h"
#include "tools/art/InterfaceArt.h"
#include "tools/art/JpegWriter.h"
#include "tools/art/ModelArt.h"
#include "tools/art/SkinArt.h"
#include "tools/art/SymbolArt.h"
#include "tools/art/TgaWriter.h"

namespace brx::tools {
namespace {

constexpr int kBackgroundQuality = 90;
constexpr int kSpriteQuality = 92;
// The windows' icon, drawn at the size the game hands it to the window manager.
constexpr int kWindowIconPixels = 64;

using Painter = std::function<Image()>;

std::function<std::string()> tga(Painter paint) {
    return [paint] { return TgaWriter::encode(paint(), true); };
}

std::function<std::string()> tgaOpaque(Painter paint) {
    return [paint] { return TgaWriter::encode(paint(), false); };
}

std::function<std::string()> jpeg(Painter paint, int quality) {
    return [paint, quality] { return JpegWriter::encode(paint(), quality); };
}

// Every texture by the name the game loads it under.
std::map<std::string, std::function<std::string()>> texturePainters() {
    using I = InterfaceArt;
    std::map<std::string, std::function<std::string()>> p;
    for (int i = 0; i < DataManifest::kSkinCount; ++i)
        p[DataManifest::skinTexture(i)] = tgaOpaque([i] { return SkinArt::skin(i); });
    p[DataManifest::kSymbolTexture] = tga(SymbolArt::atlas);
    p["Font.Tga"] = tga(FontArt::font);
    p["Brixeler3D.Tga"] = tga(I::splash);
    p["PLogo.Tga"] = tga(I::publisherLogo);
    p["Cursor.Tga"] = tga(I::cursor);
    p[DataManifest::kIconTexture] = tga([] { return IconArt::icon(kWindowIconPixels); });
    p["Frame.Tga"] = tga(I::frame);
    p["MenuBgrn.Tga"] = tga(I::menuOverlay);
    p["RegBgrn.Tga"] = tga(I::dialogPanel);
    p["Nature.Jpg"] = jpeg(BackgroundArt::lake, kBackgroundQuality);
    p["Space.Jpg"] = jpeg(BackgroundArt::space, kBackgroundQuality);
    p["Dune.Jpg"] = jpeg(BackgroundArt::dunes, kBackgroundQuality);
    p["100.Tga"] = tga(EffectArt::hundred);
    p["BmBlast.Tga"] = tga(EffectArt::blastRing);
    p["DirtPuf.Tga"] = tga(EffectArt::dirtPuff);
    p["HVBlast.Tga"] = tga(EffectArt::flash);
    p["ParticleBit.Tga"] = tga(EffectArt::sparkle);
    p["FireFlash.Jpg"] = jpeg(EffectArt::fireFlash, kSpriteQuality);
    p["Spl.Tga"] = tga(EffectArt::trailDot);
    p["BlurPart.Tga"] = tga(EffectArt::softBlob);
    p["GameOver.Tga"] = tga([] {
        return I::banner("GAME OVER", {1, 0.85f, 0.6f, 1}, {0.95f, 0.2f, 0.1f, 1},
                         {1, 0.2f, 0.05f, 0.7f});
    });
    p["LevelCompl.Tga"] = tga([] {
        return I::banner("LEVEL COMPLETE", {1, 1, 0.75f, 1}, {0.3f, 0.9f, 0.25f, 1},
                         {0.4f, 1, 0.3f, 0.6f});
    });
    p["Paused.Tga"] = tga([] {
        return I::banner("PAUSED", {0.85f, 0.95f, 1, 1}, {0.2f, 0.45f, 1, 1},
                         {0.3f, 0.6f, 1, 0.65f});
    });
    p["Interface/Info.Tga"] = tga(I::infoPanel);
    const std::pair<const char*, const char*> menu[] = {
        {"Continue", "Continue"}, {"NewGame", "New Game"}, {"Options", "Options"},
        {"Score", "High Scores"}, {"Help", "Help"},        {"Credits", "Credits"},
        {"Exit", "Exit"}};
    for (const auto& entry : menu) {
        const std::string text = entry.second;
        p[std::string("MainMenu/") + entry.first + ".Tga"] =
            tga([text] { return I::menuButton(text); });
    }
    p["MainMenu/MenuBig.Tga"] = tga([] { return I::smallButton("Menu"); });
    p["Interface/Undo.Tga"] = tga([] { return I::halfButton("Undo"); });
    p["Interface/Redo.Tga"] = tga([] { return I::halfButton("Redo"); });
    const char* modes[] = {"Remover", "Classic", "Strategy", "Advanced", "Modern", "Puzzle"};
    for (int i = 0; i < 6; ++i) {
        const std::string text = modes[i];
        p["Games/" + text + ".Tga"] = tga([text, i] { return I::modeButton(text, i); });
    }
    const std::pair<const char*, const char*> small[] = {
        {"Done", "Done"},     {"Start", "Start"}, {"Random", "Random"}, {"Ok", "OK"},
        {"Cancel", "Cancel"}, {"Prev", "< Prev"}, {"Next", "Next >"}};
    for (const auto& entry : small) {
        const std::string text = entry.second;
        p[std::string("Interface/") + entry.first + ".Tga"] =
            tga([text] { return I::smallButton(text); });
    }
    // The puzzle number box is narrow: Random and Start stand close beside its arrows.
    p["Interface/SelectLN.Tga"] = tga([] { return I::valueField(false, 64); });
    p["Interface/Button.Tga"] = tga([] { return I::valueField(false); });
    p["Interface/Skins.Tga"] = tga([] { return I::valueField(true); });
    p["Interface/HArrow.Tga"] = tga(I::arrow);
    p["Interface/CheckBox.Tga"] = tga(I::checkBox);
    p["Interface/Slider.Tga"] = tga(I::sliderTrack);
    p["Interface/Thumb.Tga"] = tga(I::sliderThumb);
    return p;
}

bool writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(out);
}

}  // namespace

std::vector<ArtGenerator::Job> ArtGenerator::jobs() {
    std::vector<Job> list;
    // Slowest first, so the two workers finish together.
    for (const char* name : {"Nature.Jpg", "Space.Jpg", "Dune.Jpg"})
        list.push_back({DataManifest::kTextureFolder + std::string(name), {}});
    auto painters = texturePainters();
    const size_t folder = std::string(DataManifest::kTextureFolder).size();
    for (auto& job : list) job.make = painters[job.path.substr(folder)];
    for (const auto& name : DataManifest::textureNames()) {
        const std::string path = DataManifest::kTextureFolder + name;
        if (find(list, path) != nullptr) continue;
        const auto painter = painters.find(name);
        if (painter != painters.end()) list.push_back({path, painter->second});
    }
    for (const auto& model : DataManifest::models()) {
        const std::string name = model.name;
        if (!model.detailSwitched) {
            list.push_back({DataManifest::kModelFolder + name,
                            [name] { return AsvmWriter::encode(ModelArt::model(name, true)); }});
            continue;
        }
        list.push_back({DataManifest::kHighDetailFolder + name,
                        [name] { return AsvmWriter::encode(ModelArt::model(name, true)); }});
        list.push_back({DataManifest::kLowDetailFolder + name,
                        [name] { return AsvmWriter::encode(ModelArt::model(name, false)); }});
    }
    return list;
}

const ArtGenerator::Job* ArtGenerator::find(const std::vector<Job>& jobs, const std::string& path) {
    for (const auto& job : jobs)
        if (job.path == path) return &job;
    return nullptr;
}

bool ArtGenerator::writeAll(const std::string& stagingDir, int threads, std::string* error) {
    const std::vector<Job> list = jobs();
    std::atomic<size_t> next{0};
    std::mutex failure;
    std::string firstError;
    auto worker = [&] {
        for (size_t i = next++; i < list.size(); i = next++) {
            std::string bytes;
            try {
                bytes = list[i].make();
            } catch (const std::exception& e) {
                const std::lock_guard lock(failure);
                if (firstError.empty()) firstError = list[i].path + ": " + e.what();
                continue;
            }
            if (!writeFile(std::filesystem::path(stagingDir) / list[i].path, bytes)) {
                const std::lock_guard lock(failure);
                if (firstError.empty()) firstError = "cannot write " + list[i].path;
            }
        }
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t) pool.emplace_back(worker);
    worker();
    for (auto& thread : pool) thread.join();
    if (!firstError.empty() && error) *error = firstError;
    return firstError.empty();
}

bool ArtGenerator::writeIcons(const std::string& themeDir, const std::string& iconName,
                              std::string* error) {
    return IconArt::writeTheme(themeDir, iconName, error);
}

}  // namespace brx::tools
