#include "tools/data/DataGenerator.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "tools/data/CreditsWriter.h"
#include "tools/data/LevelDesigner.h"
#include "tools/data/PathDesigner.h"
#include "tools/data/TuningWriter.h"

namespace brx::tools {

bool DataGenerator::generate(std::string* error) {
    return writePaths(error) && writeTuning(error) && writeLevels(error) &&
           write("Data/Credits.Kv", CreditsWriter::creditsFile(), error);
}

std::string DataGenerator::pathOf(const std::string& archiveName) const {
    return (std::filesystem::path(staging_) / archiveName).string();
}

bool DataGenerator::write(const std::string& archiveName, const std::string& bytes,
                          std::string* error) {
    const std::filesystem::path path = pathOf(archiveName);
    std::error_code code;
    std::filesystem::create_directories(path.parent_path(), code);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (code || !file) {
        if (error) *error = "cannot write " + path.string();
        return false;
    }
    return true;
}

bool DataGenerator::writePaths(std::string* error) {
    for (int i = 0; i < PathDesigner::kPathCount; ++i) {
        const std::string name = "Data/Splines/" + std::to_string(i + 1) + ".Ase";
        if (!write(name, PathDesigner::format(PathDesigner::design(i)), error)) return false;
    }
    return true;
}

bool DataGenerator::writeTuning(std::string* error) {
    return write("Data/Difficult.Cfg", TuningWriter::difficultFile(), error) &&
           write("Data/Effects.Cfg", TuningWriter::effectsFile(), error) &&
           write("Data/Colors.Cfg", TuningWriter::colorsFile(), error);
}

bool DataGenerator::writeLevels(std::string* error) {
    const std::vector<DesignedPuzzle> puzzles =
        LevelDesigner().designPuzzles(LevelDesigner::kPuzzleCount);
    for (size_t i = 0; i < puzzles.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        const std::string name = "Data/Levels/Puzzle." + std::to_string(number) + ".Cfg";
        if (!write(name, LevelDesigner::puzzleFile(puzzles[i], number), error)) return false;
    }
    const std::vector<std::vector<int>> layouts = LevelDesigner::advancedLayouts();
    for (size_t i = 0; i < layouts.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        const std::string name = "Data/Levels/Adv." + std::to_string(number) + ".Cfg";
        if (!write(name, LevelDesigner::advancedFile(layouts[i], number), error)) return false;
    }
    return write("Data/Levels/Levels.Cfg",
                 LevelDesigner::levelsFile(static_cast<int>(puzzles.size()),
                                           static_cast<int>(layouts.size())),
                 error);
}

}  // namespace brx::tools
