#include "engine/OCamera.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include "core/Random.h"
#include "tests/engine/VectorExpect.h"
#include "tests/support/GLTestContext.h"

namespace brx {
namespace {

// The game's camera: 22 units in front of the board, 45 degrees, near 1, far 256.
OCamera gameCamera(float width = 800, float height = 600) {
    OCamera camera(width, height, 45, 1, 256);
    camera.setPosition({0, 0, 22});
    return camera;
}

Matrix4 readGLMatrix(GLenum which) {
    Matrix4 m;
    glGetFloatv(which, m.data());
    return m;
}

TEST(OCamera, RayThroughTheWindowCentreIsTheViewDirection) {
    OCamera camera = gameCamera();
    EXPECT_TRUE(vectorsNear(camera.pickRay(400, 300), {0, 0, -1}, 1e-7f));
    camera.setPosition({5, -7, 3});
    camera.lookAt(0, 0, 0);
    EXPECT_TRUE(vectorsNear(camera.pickRay(400, 300), -camera.axisZ(), 1e-6f));
}

TEST(OCamera, RayToTheTopEdgeRisesByHalfTheFieldOfView) {
    const OCamera camera = gameCamera();
    const Vector3 up = camera.pickRay(400, 0);
    EXPECT_NEAR(angleBetween(up, {0, 0, -1}), 22.5f * 0.01745329f, 1e-5f);
    EXPECT_GT(up.y, 0.0f);  // mouse y grows downwards, world y upwards
    EXPECT_GT(camera.pickRay(800, 300).x, 0.0f);
}

TEST(OCamera, LookAtStraightDownKeepsTheScreenAxes) {
    OCamera camera = gameCamera();
    camera.rotateAboutAxis(0.3f, {1, 1, 0});
    camera.lookAt(0, 0, 0);  // straight below: world up is the view axis
    EXPECT_EQ(camera.axisX(), Vector3(1, 0, 0));
    EXPECT_EQ(camera.axisY(), Vector3(0, 1, 0));
    EXPECT_TRUE(vectorsNear(camera.axisZ(), {0, 0, 1}, 0));
    camera.setPosition({0, 0, -16});
    camera.lookAt(0, 0, 0);  // straight above
    EXPECT_EQ(camera.axisX(), Vector3(1, 0, 0));
    EXPECT_EQ(camera.axisY(), Vector3(0, 1, 0));
}

TEST(OCamera, LookAtBuildsAnUprightRightHandedFrame) {
    OCamera camera = gameCamera();
    camera.setPosition({10, -20, 5});
    const Matrix4 before = camera.frame;
    camera.lookAt(camera.position());
    EXPECT_EQ(camera.frame, before);

    camera.lookAt(1, 2, 3);
    const Vector3 x = camera.axisX(), y = camera.axisY(), z = camera.axisZ();
    EXPECT_TRUE(vectorsNear(-z, (Vector3(1, 2, 3) - camera.position()).normalized(), 1e-6f));
    EXPECT_NEAR(x.z, 0.0f, 1e-6f);  // level horizon
    EXPECT_GT(y.z, 0.0f);
    EXPECT_TRUE(vectorsNear(x.cross(y), z, 1e-6f));
    EXPECT_NEAR(x.length(), 1.0f, 1e-6f);
}

TEST(OCamera, ViewMatrixTakesWorldPointsIntoEyeSpace) {
    OCamera camera = gameCamera();
    camera.setPosition({4, 5, 6});
    camera.lookAt(0, 0, 0);
    const Matrix4 view = camera.buildViewMatrix();
    EXPECT_TRUE(vectorsNear(view.transformPoint(camera.position()), {0, 0, 0}, 1e-5f));
    const float distance = Vector3(4, 5, 6).length();
    EXPECT_TRUE(vectorsNear(view.transformPoint({0, 0, 0}), {0, 0, -distance}, 1e-5f));
    EXPECT_TRUE(matricesNear(view, camera.frame.inverted(), 1e-5f));
}

TEST(OCamera, PointProjectedToTheWindowIsPickedBackOnTheRay) {
    seedRandom(2024);
    OCamera camera = gameCamera(1024, 768);
    camera.setPosition({3, -12, 18});
    camera.lookAt(0, 1, 0);
    camera.setOffset2D(12, -7);
    for (int i = 0; i < 200; ++i) {
        const Vector3 point(randomReal(-8, 8), randomReal(-9, 9), randomReal(-1, 1));
        float mouseX = 0, mouseY = 0;
        ASSERT_TRUE(camera.projectToWindow(point, &mouseX, &mouseY));
        const Vector3 ray = camera.pickRay(mouseX, mouseY);
        const Vector3 toPoint = (point - camera.position()).normalized();
        EXPECT_TRUE(vectorsNear(ray, toPoint, 2e-5f)) << "point " << i;
        EXPECT_NEAR(ray.length(), 1.0f, 1e-6f);
    }
    float x, y;
    EXPECT_FALSE(camera.projectToWindow(camera.position() + camera.axisZ(), &x, &y));
}

TEST(OCamera, MousePickFindsTheBlockUnderTheCursor) {
    const OCamera camera = gameCamera();
    O3D block;
    block.setBoxFromCorners({-0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, 0.5f});
    block.setPosition({-3, 5, 0});
    float mouseX, mouseY;
    ASSERT_TRUE(camera.projectToWindow(block.position(), &mouseX, &mouseY));
    EXPECT_LT(mouseX, 400.0f);
    EXPECT_LT(mouseY, 300.0f);
    EXPECT_TRUE(block.hitByLine(camera.position(), camera.pickRay(mouseX, mouseY)));
    EXPECT_FALSE(block.hitByLine(camera.position(), camera.pickRay(mouseX + 40, mouseY)));
}

class OCameraGL : public testsupport::GLTest {};

TEST_F(OCameraGL, ApplyLoadsTheCamerasOwnMatrices) {
    OCamera camera = gameCamera();
    camera.setPosition({2, -10, 15});
    camera.lookAt(0, 0, 0);
    glDisable(GL_DEPTH_TEST);
    camera.apply(640, 480);
    EXPECT_TRUE(matricesNear(readGLMatrix(GL_MODELVIEW_MATRIX), camera.buildViewMatrix(), 1e-5f));
    EXPECT_TRUE(
        matricesNear(readGLMatrix(GL_PROJECTION_MATRIX), camera.buildProjectionMatrix(), 1e-5f));
    EXPECT_TRUE(matricesNear(camera.projectionMatrix(), camera.buildProjectionMatrix(), 1e-5f));
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 480);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(camera.width(), 640.0f);
}

TEST_F(OCameraGL, PickRayAgreesWithGluUnProject) {
    OCamera camera = gameCamera();
    camera.setPosition({-4, -15, 14});
    camera.lookAt(1, 1, 0);
    camera.apply(800, 600);
    double modelView[16], projection[16];
    for (int i = 0; i < 16; ++i) {
        modelView[i] = camera.viewMatrix()[i];
        projection[i] = camera.projectionMatrix()[i];
    }
    const GLint viewport[4] = {0, 0, 800, 600};
    const float mouse[][2] = {{100, 50}, {400, 300}, {799, 599}, {613, 222}};
    for (const auto& m : mouse) {
        double nx, ny, nz, fx, fy, fz;
        gluUnProject(m[0], 600 - m[1], 0, modelView, projection, viewport, &nx, &ny, &nz);
        gluUnProject(m[0], 600 - m[1], 1, modelView, projection, viewport, &fx, &fy, &fz);
        const Vector3 expected =
            Vector3(float(fx - nx), float(fy - ny), float(fz - nz)).normalized();
        EXPECT_TRUE(vectorsNear(camera.pickRay(m[0], m[1]), expected, 1e-4f));
    }
}

TEST_F(OCameraGL, Apply2DSetsUpThePixelSpace) {
    OCamera camera = gameCamera();
    glEnable(GL_LIGHTING);
    camera.apply(800, 600);
    camera.apply2D(800, 600);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(matricesNear(readGLMatrix(GL_MODELVIEW_MATRIX), Matrix4(), 0));
    EXPECT_TRUE(matricesNear(readGLMatrix(GL_PROJECTION_MATRIX),
                             Matrix4::orthographic(0, 800, 0, 600, -1, 1), 1e-6f));
    GLint mode;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

}  // namespace
}  // namespace brx
