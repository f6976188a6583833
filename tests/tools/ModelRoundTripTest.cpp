// The art generator's model writer against the game's model loader: every model the game
// loads, written and read back; the real archive's models through the library when the data
// has been built; and one rendered frame of blocks in all five colours, kept as a PNG.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "core/DataManifest.h"
#include "core/ResourceArchive.h"
#include "core/SystemSettings.h"
#include "engine/GLExtensions.h"
#include "engine/TextureRef.h"
#include "objects/BlockPrototypes.h"
#include "objects/ColorMaterials.h"
#include "objects/ModelFile.h"
#include "objects/ModelLibrary.h"
#include "tests/support/ArchiveBuilder.h"
#include "tests/support/GLTestContext.h"
#include "tools/art/AsvmWriter.h"
#include "tools/art/ModelArt.h"
#include "tools/art/PngWriter.h"
#include "tools/art/SkinArt.h"
#include "tools/art/TgaWriter.h"
#include "tools/data/TuningWriter.h"

namespace brx {
namespace {

using tools::AsvmWriter;
using tools::ModelArt;

// Every model file of the game as the art generator writes it, under its archive path.
std::vector<std::pair<std::string, tools::Mesh>> writerModels() {
    std::vector<std::pair<std::string, tools::Mesh>> files;
    for (const DataManifest::Model& model : DataManifest::models()) {
        if (model.detailSwitched) {
            files.emplace_back(DataManifest::kHighDetailFolder + model.name,
                               ModelArt::model(model.name, true));
            files.emplace_back(DataManifest::kLowDetailFolder + model.name,
                               ModelArt::model(model.name, false));
        } else {
            files.emplace_back(DataManifest::kModelFolder + model.name,
                               ModelArt::model(model.name, true));
        }
    }
    return files;
}

testsupport::ArchiveBuilder writerArchive() {
    testsupport::ArchiveBuilder archive;
    for (const auto& [path, mesh] : writerModels()) archive.add(path, AsvmWriter::encode(mesh));
    archive.add("Data/Colors.Cfg", tools::TuningWriter::colorsFile());
    archive.add("Data/Textures/0.Tga", tools::TgaWriter::encode(tools::SkinArt::skin(0), true));
    return archive;
}

void expectSameMesh(const tools::Mesh& written, const KvMesh& read, const std::string& path) {
    ASSERT_EQ(read.vertexCount, written.vertices.size()) << path;
    ASSERT_EQ(read.faceCount, written.triangles.size()) << path;
    ASSERT_EQ(size_t(read.texCoordCount), written.texCoords.size()) << path;
    for (size_t i = 0; i < written.vertices.size(); ++i) {
        ASSERT_EQ(read.vertex(uint32_t(i)),
                  Vector3(written.vertices[i].x, written.vertices[i].y, written.vertices[i].z))
            << path << " vertex " << i;
    }
    for (size_t t = 0; t < written.triangles.size(); ++t) {
        for (int c = 0; c < 3; ++c) {
            const tools::Mesh::Corner& corner = written.triangles[t][size_t(c)];
            const FaceRecord& face = read.faces[t];
            ASSERT_EQ(face.vertices[c], &read.vertices[size_t(corner.vertex) * 3]) << path;
            if (read.texCoordCount > 0) {
                ASSERT_EQ(face.texCoords[c], &read.texCoords[size_t(corner.texCoord) * 2]) << path;
            }
        }
    }
}

TEST(ModelRoundTrip, EveryModelTheWriterMakesReadsBackUnchanged) {
    for (const auto& [path, mesh] : writerModels()) {
        ASSERT_FALSE(mesh.triangles.empty()) << path;
        const std::string bytes = AsvmWriter::encode(mesh);
        KvMesh read;
        ModelFile::Header header;
        std::string reason;
        ASSERT_EQ(ModelFile::read(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(),
                                  &header, &read, &reason),
                  ModelFile::Result::ok)
            << path << ": " << reason;
        EXPECT_EQ(header.baseTexture, mesh.baseTexture) << path;
        EXPECT_EQ(header.detailTexture, mesh.detailTexture) << path;
        expectSameMesh(mesh, read, path);
    }
}

class ModelArchiveGL : public testsupport::GLTest {
protected:
    void TearDown() override {
        ModelLibrary::instance().setDetail(ModelLibrary::kHighDetail);
        ResourceArchive::instance().close();
    }
    // Loads every model of the game through the library at the current detail.
    static void loadEveryModel() {
        std::vector<std::unique_ptr<KvModel>> models;
        for (const DataManifest::Model& entry : DataManifest::models()) {
            auto model = std::make_unique<KvModel>();
            model->data().detailSwitched = entry.detailSwitched;
            ASSERT_NO_THROW(model->load(entry.name)) << entry.name;
            EXPECT_FALSE(model->mesh().isEmpty()) << entry.name;
            model->buildDisplayList();
            EXPECT_NE(model->data().displayList, 0u) << entry.name;
            models.push_back(std::move(model));
        }
        EXPECT_EQ(ModelLibrary::instance().size(), DataManifest::models().size());
        // Switching the detail swaps every detail-switched geometry in place.
        ModelLibrary& library = ModelLibrary::instance();
        library.setDetail(1 - library.detail());
        EXPECT_TRUE(library.reloadDetailSwitched());
        for (const auto& model : models) EXPECT_NE(model->data().displayList, 0u) << model->name();
    }
    static bool openRealArchive() {
        return ResourceArchive::instance().open() &&
               ResourceArchive::instance().contains("Data/Models/Hi/FastBox.Asvm");
    }
    testsupport::TempDir folder;
};

TEST_F(ModelArchiveGL, EveryModelOfTheWriterLoadsThroughTheLibrary) {
    ASSERT_TRUE(writerArchive().install(folder));
    loadEveryModel();
}

TEST_F(ModelArchiveGL, EveryModelOfTheRealArchiveLoadsThroughTheLibrary) {
    if (!openRealArchive()) GTEST_SKIP() << "the game data has not been built";
    for (int detail : {ModelLibrary::kHighDetail, ModelLibrary::kLowDetail}) {
        ModelLibrary::instance().setDetail(detail);
        loadEveryModel();
    }
}

// Board lighting as the game sets it: one white light in front of the board.
void lightTheBoard() {
    const GLfloat ambient[] = {0.5f, 0.5f, 0.5f, 1};
    const GLfloat white[] = {1, 1, 1, 1};
    const GLfloat position[] = {0, 0, 26, 1};
    glEnable(GL_LIGHTING);
    glDisable(GL_LIGHT1);
    glDisable(GL_LIGHT2);
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT0, GL_SPECULAR, white);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glEnable(GL_NORMALIZE);
    glDisable(GL_COLOR_MATERIAL);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_FALSE);
}

void savePng(const std::vector<uint8_t>& bottomUp, int width, int height,
             const std::filesystem::path& path) {
    tools::Image image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = &bottomUp[(size_t(height - 1 - y) * size_t(width) + size_t(x)) * 4];
            image.at(x, y) = tools::Colour(p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, 1.0f);
        }
    }
    std::filesystem::create_directories(path.parent_path());
    EXPECT_TRUE(tools::PngWriter::save(image, path.string()));
}

// The mean colour of the window square of +-35 pixels around a block's centre (rim and face:
// the face alone may be washed out by the highlight).
std::array<int, 3> meanColourAround(const Vector3& p) {
    GLdouble model[16], projection[16], wx, wy, wz;
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    gluProject(p.x, p.y, p.z, model, projection, viewport, &wx, &wy, &wz);
    constexpr int kHalf = 35;
    const std::vector<uint8_t> rgba =
        testsupport::readPixels(int(wx) - kHalf, int(wy) - kHalf, 2 * kHalf, 2 * kHalf);
    std::array<int, 3> sum = {0, 0, 0};
    for (size_t i = 0; i < rgba.size(); i += 4) {
        for (size_t c = 0; c < 3; ++c) sum[c] += rgba[i + c];
    }
    const int count = int(rgba.size() / 4);
    return {sum[0] / count, sum[1] / count, sum[2] / count};
}

TEST_F(ModelArchiveGL, BlocksOfAllFiveColoursDrawAFrame) {
    const bool real = openRealArchive();
    if (!real) {
        ASSERT_TRUE(writerArchive().install(folder));
    }
    initExtension(kMultitextureExtension);
    BlockPrototypes prototypes;
    prototypes.setUp(nullptr);

    glViewport(0, 0, 800, 600);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 800.0 / 600.0, 1.0, 256.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0, 0, -9);
    testsupport::clearTo(0.05f, 0.05f, 0.1f);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    lightTheBoard();
    TextureRef skin;
    skin.load(DataManifest::skinTexture(0), true);
    glEnable(GL_TEXTURE_2D);
    skin.bind();

    // Row 1 at rest, row 0 selected (zoom effect), row -1 turning, then a fixed and a score
    // block below.
    SystemSettings::instance().selectEffect = 1;
    std::vector<std::unique_ptr<Box>> blocks;
    for (int colour = Box::kRed; colour <= Box::kYellow; ++colour) {
        for (int row = 1; row >= -1; --row) {
            std::unique_ptr<Box> block = prototypes.cloneBlock(BlockPrototypes::kPlainKey);
            block->colour = colour;
            block->setPosition({float(colour - 3), float(row), 0});
            block->selected = row == 0;
            if (row == -1) {
                block->startSpin();
                block->move(170);
            }
            blocks.push_back(std::move(block));
        }
    }
    blocks.push_back(prototypes.cloneBlock(BlockPrototypes::kFixedKey));
    blocks.back()->setPosition({-1, -2, 0});
    blocks.push_back(prototypes.cloneBlock(BlockPrototypes::kScoreKey));
    blocks.back()->setPosition({1, -2, 0});
    for (const auto& block : blocks) block->draw();

    const std::vector<uint8_t> frame = testsupport::readPixels(0, 0, 800, 600);
    savePng(frame, 800, 600, std::filesystem::path(BRX_BINARY_DIR) / "screenshots/blocks.png");
    EXPECT_GT(testsupport::countPixelsDifferentFrom(frame, 13, 13, 26, 12), 800 * 600 / 10);
    // The resting row shows each colour's hue.
    const auto red = meanColourAround({-2, 1, 0});
    const auto blue = meanColourAround({-1, 1, 0});
    const auto green = meanColourAround({0, 1, 0});
    const auto yellow = meanColourAround({2, 1, 0});
    EXPECT_GT(red[0], red[1] + 20) << "red";
    EXPECT_GT(blue[2], blue[0] + 20) << "blue";
    EXPECT_GT(green[1], green[0] + 20) << "green";
    EXPECT_GT(yellow[1], yellow[2] + 20) << "yellow";
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    SystemSettings::instance().selectEffect = 0;
    ColorMaterials::instance().clear();
}

}  // namespace
}  // namespace brx
