#include "engine/GLExtensions.h"

#include <gtest/gtest.h>

#include "tests/support/GLTestContext.h"

namespace brx {
namespace {

TEST(GLExtensions, MatchesWholeWordsOnly) {
    const char* list = "GL_ARB_multitexture_extra GL_EXT_fog_coord GL_ARB_imaging";
    EXPECT_TRUE(extensionListHas(list, "GL_EXT_fog_coord"));
    EXPECT_FALSE(extensionListHas(list, "GL_ARB_multitexture"));
    EXPECT_TRUE(extensionListHas(list, "GL_ARB_imaging"));             // at the end
    EXPECT_TRUE(extensionListHas(list, "GL_ARB_multitexture_extra"));  // at the start
    EXPECT_FALSE(extensionListHas(list, "EXT_fog_coord"));             // the tail of a word
    EXPECT_FALSE(extensionListHas(list, "GL_ARB"));
}

TEST(GLExtensions, KeepsSearchingPastAPrefixMatch) {
    EXPECT_TRUE(extensionListHas("GL_A_long GL_A", "GL_A"));
    EXPECT_TRUE(extensionListHas("GL_A_long GL_A GL_B", "GL_A"));
    EXPECT_FALSE(extensionListHas("GL_A_long XGL_A", "GL_A"));
}

TEST(GLExtensions, EmptyNamesAndNamesWithSpacesAreNeverSupported) {
    const char* list = "GL_EXT_fog_coord GL_ARB_imaging";
    EXPECT_FALSE(extensionListHas(list, ""));
    EXPECT_FALSE(extensionListHas(list, "GL_EXT_fog_coord GL_ARB_imaging"));
    EXPECT_FALSE(extensionListHas(list, " "));
    EXPECT_FALSE(extensionListHas(nullptr, "GL_ARB_imaging"));
    EXPECT_FALSE(extensionListHas(list, nullptr));
}

class GLExtensionsGL : public testsupport::GLTest {
protected:
    void TearDown() override {
        // Leave the process as the other tests expect it: multitexture loaded if offered.
        initExtension(kMultitextureExtension);
    }
};

TEST_F(GLExtensionsGL, LoadsTheMultitextureEntryPointsOfTheRealDriver) {
    ASSERT_TRUE(isExtensionSupported(kMultitextureExtension));
    releaseExtensions();
    EXPECT_FALSE(hasMultitexture());
    EXPECT_EQ(glActiveTextureARB, nullptr);

    ASSERT_TRUE(initExtension(kMultitextureExtension));
    ASSERT_TRUE(hasMultitexture());
    EXPECT_NE(glClientActiveTextureARB, nullptr);
    EXPECT_NE(glMultiTexCoord3fARB, nullptr);

    glActiveTextureARB(GL_TEXTURE1_ARB);
    GLint active = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &active);
    EXPECT_EQ(active, GL_TEXTURE1_ARB);
    glActiveTextureARB(GL_TEXTURE0_ARB);
}

TEST_F(GLExtensionsGL, UnknownOrUnsupportedNamesFetchNothing) {
    releaseExtensions();
    EXPECT_FALSE(initExtension("GL_BRX_no_such_extension"));
    EXPECT_FALSE(initExtension(""));
    // The name as listed lacks the final "s" of the real extension, so no driver offers it.
    EXPECT_FALSE(initExtension("GL_EXT_point_parameter"));
    EXPECT_EQ(glPointParameterfEXT, nullptr);
    // A supported extension with no entry points of its own is accepted as it is.
    if (isExtensionSupported("GL_ARB_texture_cube_map")) {
        EXPECT_TRUE(initExtension("GL_ARB_texture_cube_map"));
        EXPECT_FALSE(hasMultitexture());
    }
}

TEST_F(GLExtensionsGL, FogCoordinatesLoadWhenOffered) {
    if (!isExtensionSupported("GL_EXT_fog_coord")) GTEST_SKIP() << "driver lacks fog coordinates";
    releaseExtensions();
    EXPECT_TRUE(initExtension("GL_EXT_fog_coord"));
    EXPECT_NE(glFogCoordfEXT, nullptr);
    EXPECT_EQ(glActiveTextureARB, nullptr);  // only the named extension is fetched
}

}  // namespace
}  // namespace brx
