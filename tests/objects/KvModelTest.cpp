// Models loaded through the library from archives built in the test: sharing, the detail
// folders, failures, the detail reload, bounds, copies and the shadow-edge operations. No GL:
// these models have no textures and no display lists.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "core/ResourceArchive.h"
#include "engine/OException.h"
#include "objects/KvModel.h"
#include "objects/ModelLibrary.h"
#include "tests/objects/AsvmBytes.h"
#include "tests/support/ArchiveBuilder.h"

namespace brx {
namespace {

using testmodels::asvmBytes;

int warnings = 0;
void countWarning(const std::string&) {
    ++warnings;
}

class KvModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        warnings = 0;
        KvModelData::setFormatWarning(countWarning);
        ModelLibrary::instance().setDetail(ModelLibrary::kHighDetail);
    }
    void TearDown() override {
        KvModelData::setFormatWarning(nullptr);
        ModelLibrary::instance().setDetail(ModelLibrary::kHighDetail);
        ResourceArchive::instance().close();
        EXPECT_EQ(ModelLibrary::instance().size(), 0u) << "a model outlived its test";
    }
    void install(const testsupport::ArchiveBuilder& archive) {
        ASSERT_TRUE(archive.install(folder));
    }

    testsupport::TempDir folder;
};

TEST_F(KvModelTest, TwoModelsOfOneNameShareTheDataUntilBothAreGone) {
    install(
        testsupport::ArchiveBuilder().add("Data/Models/Cube.Asvm", asvmBytes(testmodels::cube())));
    auto first = std::make_unique<KvModel>();
    auto second = std::make_unique<KvModel>();
    first->load("Cube.Asvm");
    second->load("Cube.Asvm");
    EXPECT_EQ(&first->data(), &second->data());
    EXPECT_EQ(first->data().referenceCount(), 2);
    EXPECT_EQ(ModelLibrary::instance().find("Cube.Asvm"), &first->data());
    first.reset();
    EXPECT_EQ(ModelLibrary::instance().find("Cube.Asvm"), &second->data());
    second.reset();
    EXPECT_EQ(ModelLibrary::instance().find("Cube.Asvm"), nullptr);

    // The name is gone, so a third load reads the file again: now a tetrahedron.
    install(testsupport::ArchiveBuilder().add("Data/Models/Cube.Asvm",
                                              asvmBytes(testmodels::tetrahedron())));
    KvModel third;
    third.load("Cube.Asvm");
    EXPECT_EQ(third.mesh().faceCount, 4u);
}

TEST_F(KvModelTest, DetailSwitchedModelsComeFromTheDetailFoldersOthersFromThePlainOne) {
    install(testsupport::ArchiveBuilder()
                .add("Data/Models/Hi/Box.Asvm", asvmBytes(testmodels::cube()))
                .add("Data/Models/Low/Box.Asvm", asvmBytes(testmodels::tetrahedron()))
                .add("Data/Models/Box.Asvm", asvmBytes(testmodels::square())));
    const auto facesOf = [](bool switched) {
        KvModel model;
        model.data().detailSwitched = switched;
        model.load("Box.Asvm");
        return model.mesh().faceCount;
    };
    EXPECT_EQ(facesOf(true), 12u);
    EXPECT_EQ(facesOf(false), 2u);
    ModelLibrary::instance().setDetail(ModelLibrary::kLowDetail);
    EXPECT_EQ(facesOf(true), 4u);
    EXPECT_EQ(facesOf(false), 2u);
    EXPECT_EQ(ModelLibrary::instance().pathFor("A.Asvm", true), "Data/Models/Low/A.Asvm");
    ModelLibrary::instance().setDetail(7);  // anything but 0 is the high detail
    EXPECT_EQ(ModelLibrary::instance().pathFor("A.Asvm", true), "Data/Models/Hi/A.Asvm");
}

TEST_F(KvModelTest, MissingDamagedAndForeignFilesThrowFileNotFound) {
    std::string foreign = asvmBytes(testmodels::cube());
    foreign[0] = 'B';
    std::string cut = asvmBytes(testmodels::cube());
    cut.resize(cut.size() - 1);
    install(testsupport::ArchiveBuilder()
                .add("Data/Models/Foreign.Asvm", foreign)
                .add("Data/Models/Cut.Asvm", cut));
    for (const char* name : {"Missing.Asvm", "Cut.Asvm", "Foreign.Asvm"}) {
        KvModel model;
        EXPECT_THROW(model.load(name), OFileNotFound) << name;
        EXPECT_TRUE(model.mesh().isEmpty());
    }
    // Only the foreign file is announced as "Wrong model format.".
    EXPECT_EQ(warnings, 1);
    EXPECT_EQ(ModelLibrary::instance().size(), 0u);
}

TEST_F(KvModelTest, ReloadAfterADetailChangeSwapsGeometryInPlace) {
    install(testsupport::ArchiveBuilder()
                .add("Data/Models/Hi/A.Asvm", asvmBytes(testmodels::cube()))
                .add("Data/Models/Low/A.Asvm", asvmBytes(testmodels::tetrahedron()))
                .add("Data/Models/Hi/B.Asvm", asvmBytes(testmodels::cube()))
                .add("Data/Models/Plain.Asvm", asvmBytes(testmodels::square())));
    KvModel a, b, plain;
    a.data().detailSwitched = true;
    b.data().detailSwitched = true;
    a.load("A.Asvm");
    b.load("B.Asvm");
    plain.load("Plain.Asvm");
    ModelLibrary& library = ModelLibrary::instance();
    library.setDetail(ModelLibrary::kLowDetail);
    // "A" comes first in the map and reloads; "B" has no low model and fails, left empty.
    EXPECT_FALSE(library.reloadDetailSwitched());
    EXPECT_EQ(a.mesh().faceCount, 4u);
    EXPECT_TRUE(b.mesh().isEmpty());
    EXPECT_EQ(plain.mesh().faceCount, 2u);
    library.setDetail(ModelLibrary::kHighDetail);
    EXPECT_TRUE(library.reloadDetailSwitched());
    EXPECT_EQ(a.mesh().faceCount, 12u);
    EXPECT_EQ(b.mesh().faceCount, 12u);
}

TEST_F(KvModelTest, SmoothNormalsFollowTheFlagOfTheCurrentDetail) {
    install(testsupport::ArchiveBuilder()
                .add("Data/Models/Hi/T.Asvm", asvmBytes(testmodels::tetrahedron()))
                .add("Data/Models/Low/T.Asvm", asvmBytes(testmodels::tetrahedron())));
    const auto originNormalX = [] {
        KvModel model;
        model.data().detailSwitched = true;
        model.data().smoothHigh = true;
        model.load("T.Asvm");
        return model.mesh().normals[0];
    };
    EXPECT_NEAR(originNormalX(), -1.0f / std::sqrt(3.0f), 1e-6);  // averaged
    ModelLibrary::instance().setDetail(ModelLibrary::kLowDetail);
    EXPECT_NEAR(originNormalX(), -1.0f, 1e-6);  // the last face's
}

TEST_F(KvModelTest, BoundsCoverTheVerticesAndClampAtTheStartingCorners) {
    install(testsupport::ArchiveBuilder()
                .add("Data/Models/Off.Asvm", asvmBytes(testmodels::cube(1, 2, 3)))
                .add("Data/Models/Far.Asvm", asvmBytes(testmodels::cube(3000, 0, 0))));
    KvModel off;
    off.load("Off.Asvm");
    EXPECT_EQ(off.aabbMin, Vector3(0, 1, 2));
    EXPECT_EQ(off.aabbMax, Vector3(2, 3, 4));
    EXPECT_EQ(off.obbCentre, Vector3(1, 2, 3));
    EXPECT_EQ(off.obbHalfExtents, Vector3(1, 1, 1));
    KvModel far;
    far.load("Far.Asvm");
    // Every x lies beyond 1024, so the minimum keeps its starting value.
    EXPECT_EQ(far.aabbMin.x, 1024.0f);
    EXPECT_EQ(far.aabbMax.x, 3001.0f);
}

TEST_F(KvModelTest, ACopySharesTheDataAndStartsAfresh) {
    install(testsupport::ArchiveBuilder()
                .add("Data/Models/A.Asvm", asvmBytes(testmodels::cube(0, 0, 1)))
                .add("Data/Models/B.Asvm", asvmBytes(testmodels::square())));
    KvModel source;
    source.load("A.Asvm");
    source.altModel = std::make_unique<KvModel>();
    source.altModel->load("B.Asvm");
    source.rotateAboutAxis(0.5f, {0, 0, 1});
    source.setPosition({4, 5, 6});
    source.tint[3] = 0.5f;
    source.visible = false;
    source.alpha = 0.25;
    const std::unique_ptr<KvModel> copy = source.clone();
    EXPECT_EQ(&copy->data(), &source.data());
    EXPECT_EQ(source.data().referenceCount(), 2);
    EXPECT_EQ(copy->name(), "A.Asvm");
    EXPECT_TRUE(copy->visible);
    EXPECT_EQ(copy->alpha, 0.25);
    EXPECT_EQ(copy->tint[3], -1.0f);
    EXPECT_EQ(copy->position(), Vector3(4, 5, 6));
    EXPECT_EQ(copy->axisX(), Vector3(1, 0, 0));
    EXPECT_EQ(copy->obbCentre, Vector3(0, 0, 1));
    ASSERT_NE(copy->altModel, nullptr);
    EXPECT_NE(copy->altModel.get(), source.altModel.get());
    EXPECT_EQ(&copy->altModel->data(), &source.altModel->data());
    EXPECT_EQ(copy->faceLit.size(), 12u);
}

TEST_F(KvModelTest, LoadingAnotherFileLeavesTheCachedDataAlone) {
    install(testsupport::ArchiveBuilder()
                .add("Data/Models/A.Asvm", asvmBytes(testmodels::cube()))
                .add("Data/Models/B.Asvm", asvmBytes(testmodels::square())));
    KvModel first, second;
    first.load("A.Asvm");
    second.load("A.Asvm");
    second.load("B.Asvm");
    EXPECT_EQ(first.mesh().faceCount, 12u);
    EXPECT_EQ(second.mesh().faceCount, 2u);
    EXPECT_EQ(first.data().referenceCount(), 1);
    EXPECT_EQ(ModelLibrary::instance().size(), 2u);
}

TEST_F(KvModelTest, SilhouetteOfALitFaceIsItsOpenEdges) {
    install(testsupport::ArchiveBuilder().add("Data/Models/T.Asvm",
                                              asvmBytes(testmodels::tetrahedron())));
    KvModel model(KvModel::kOwnShadow);
    model.load("T.Asvm");
    for (int32_t n : model.mesh().neighbours) EXPECT_NE(n, KvMesh::kNoNeighbour);
    model.computeSilhouette({10, 10, 10});
    EXPECT_EQ(model.faceLit, (std::vector<uint8_t>{0, 0, 0, 1}));
    EXPECT_EQ(model.silhouette, (std::vector<int32_t>{0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1}));
    // The light is turned into the model's axes: turned half a turn about z, the light at
    // (-10, -10, 10) is where (10, 10, 10) was.
    model.rotateAboutAxis(std::numbers::pi_v<float>, {0, 0, 1});
    model.computeSilhouette({-10, -10, 10});
    EXPECT_EQ(model.faceLit[3], 1);
}

TEST_F(KvModelTest, ASeparateShadowModelIsReadBesideTheLibrary) {
    install(testsupport::ArchiveBuilder()
                .add("Data/Models/T.Asvm", asvmBytes(testmodels::cube()))
                .add("Data/Models/Shadows/T.Asvm", asvmBytes(testmodels::tetrahedron())));
    KvModel model(KvModel::kSeparateShadow);
    model.load("T.Asvm");
    ASSERT_NE(model.altModel, nullptr);
    EXPECT_EQ(model.altModel->mesh().faceCount, 4u);
    EXPECT_EQ(ModelLibrary::instance().size(), 1u);
    model.computeSilhouette({10, 10, 10});
    EXPECT_EQ(model.altModel->faceLit[3], 1);
}

}  // namespace
}  // namespace brx
