// OpenGL extension entry points, fetched by name into process-wide pointers.
//
// Design note: the pointers carry the entry points' own names inside namespace brx, so game
// code calls glActiveTextureARB(...) as usual and reaches the fetched pointer, not the
// library's export. Every pointer is null until initExtension() fetches it and must be tested
// before a call; pointers belong to one context and are fetched again after it is re-created.
#pragma once

#include <GL/gl.h>

namespace brx {

// GL_EXT_fog_coord
#define BRX_GL_FOG_COORD_ENTRIES(X)            \
    X(PFNGLFOGCOORDFEXTPROC, glFogCoordfEXT)   \
    X(PFNGLFOGCOORDFVEXTPROC, glFogCoordfvEXT) \
    X(PFNGLFOGCOORDPOINTEREXTPROC, glFogCoordPointerEXT)

// GL_ARB_multitexture
#define BRX_GL_MULTITEXTURE_ENTRIES(X)                           \
    X(PFNGLACTIVETEXTUREARBPROC, glActiveTextureARB)             \
    X(PFNGLMULTITEXCOORD2FARBPROC, glMultiTexCoord2fARB)         \
    X(PFNGLMULTITEXCOORD2FVARBPROC, glMultiTexCoord2fvARB)       \
    X(PFNGLCLIENTACTIVETEXTUREARBPROC, glClientActiveTextureARB) \
    X(PFNGLMULTITEXCOORD3FARBPROC, glMultiTexCoord3fARB)

// GL_EXT_point_parameter
#define BRX_GL_POINT_PARAMETER_ENTRIES(X)                \
    X(PFNGLPOINTPARAMETERFEXTPROC, glPointParameterfEXT) \
    X(PFNGLPOINTPARAMETERFVEXTPROC, glPointParameterfvEXT)

// GL_NV_point_sprite
#define BRX_GL_POINT_SPRITE_ENTRIES(X)                 \
    X(PFNGLPOINTPARAMETERINVPROC, glPointParameteriNV) \
    X(PFNGLPOINTPARAMETERIVNVPROC, glPointParameterivNV)

// GL_EXT_vertex_program
#define BRX_GL_VERTEX_PROGRAM_ENTRIES(X)                               \
    X(PFNGLAREPROGRAMSRESIDENTNVPROC, glAreProgramsResidentNV)         \
    X(PFNGLBINDPROGRAMNVPROC, glBindProgramNV)                         \
    X(PFNGLDELETEPROGRAMSNVPROC, glDeleteProgramsNV)                   \
    X(PFNGLEXECUTEPROGRAMNVPROC, glExecuteProgramNV)                   \
    X(PFNGLGENPROGRAMSNVPROC, glGenProgramsNV)                         \
    X(PFNGLGETPROGRAMPARAMETERDVNVPROC, glGetProgramParameterdvNV)     \
    X(PFNGLGETPROGRAMPARAMETERFVNVPROC, glGetProgramParameterfvNV)     \
    X(PFNGLGETPROGRAMIVNVPROC, glGetProgramivNV)                       \
    X(PFNGLGETPROGRAMSTRINGNVPROC, glGetProgramStringNV)               \
    X(PFNGLGETTRACKMATRIXIVNVPROC, glGetTrackMatrixivNV)               \
    X(PFNGLGETVERTEXATTRIBDVNVPROC, glGetVertexAttribdvNV)             \
    X(PFNGLGETVERTEXATTRIBFVNVPROC, glGetVertexAttribfvNV)             \
    X(PFNGLGETVERTEXATTRIBIVNVPROC, glGetVertexAttribivNV)             \
    X(PFNGLGETVERTEXATTRIBPOINTERVNVPROC, glGetVertexAttribPointervNV) \
    X(PFNGLISPROGRAMNVPROC, glIsProgramNV)                             \
    X(PFNGLLOADPROGRAMNVPROC, glLoadProgramNV)                         \
    X(PFNGLPROGRAMPARAMETER4DNVPROC, glProgramParameter4dNV)           \
    X(PFNGLPROGRAMPARAMETER4DVNVPROC, glProgramParameter4dvNV)         \
    X(PFNGLPROGRAMPARAMETER4FNVPROC, glProgramParameter4fNV)           \
    X(PFNGLPROGRAMPARAMETER4FVNVPROC, glProgramParameter4fvNV)         \
    X(PFNGLPROGRAMPARAMETERS4DVNVPROC, glProgramParameters4dvNV)       \
    X(PFNGLPROGRAMPARAMETERS4FVNVPROC, glProgramParameters4fvNV)       \
    X(PFNGLREQUESTRESIDENTPROGRAMSNVPROC, glRequestResidentProgramsNV) \
    X(PFNGLTRACKMATRIXNVPROC, glTrackMatrixNV)                         \
    X(PFNGLVERTEXATTRIBPOINTERNVPROC, glVertexAttribPointerNV)         \
    X(PFNGLVERTEXATTRIB1DNVPROC, glVertexAttrib1dNV)                   \
    X(PFNGLVERTEXATTRIB1DVNVPROC, glVertexAttrib1dvNV)                 \
    X(PFNGLVERTEXATTRIB1FNVPROC, glVertexAttrib1fNV)                   \
    X(PFNGLVERTEXATTRIB1FVNVPROC, glVertexAttrib1fvNV)                 \
    X(PFNGLVERTEXATTRIB1SNVPROC, glVertexAttrib1sNV)                   \
    X(PFNGLVERTEXATTRIB1SVNVPROC, glVertexAttrib1svNV)                 \
    X(PFNGLVERTEXATTRIB2FNVPROC, glVertexAttrib2fNV)                   \
    X(PFNGLVERTEXATTRIB2FVNVPROC, glVertexAttrib2fvNV)                 \
    X(PFNGLVERTEXATTRIB2SNVPROC, glVertexAttrib2sNV)                   \
    X(PFNGLVERTEXATTRIB2SVNVPROC, glVertexAttrib2svNV)                 \
    X(PFNGLVERTEXATTRIB3DNVPROC, glVertexAttrib3dNV)                   \
    X(PFNGLVERTEXATTRIB3DVNVPROC, glVertexAttrib3dvNV)                 \
    X(PFNGLVERTEXATTRIB3FNVPROC, glVertexAttrib3fNV)                   \
    X(PFNGLVERTEXATTRIB3FVNVPROC, glVertexAttrib3fvNV)                 \
    X(PFNGLVERTEXATTRIB3SNVPROC, glVertexAttrib3sNV)                   \
    X(PFNGLVERTEXATTRIB3SVNVPROC, glVertexAttrib3svNV)                 \
    X(PFNGLVERTEXATTRIB4DNVPROC, glVertexAttrib4dNV)                   \
    X(PFNGLVERTEXATTRIB4DVNVPROC, glVertexAttrib4dvNV)                 \
    X(PFNGLVERTEXATTRIB4FNVPROC, glVertexAttrib4fNV)                   \
    X(PFNGLVERTEXATTRIB4FVNVPROC, glVertexAttrib4fvNV)                 \
    X(PFNGLVERTEXATTRIB4SNVPROC, glVertexAttrib4sNV)                   \
    X(PFNGLVERTEXATTRIB4SVNVPROC, glVertexAttrib4svNV)                 \
    X(PFNGLVERTEXATTRIB4UBVNVPROC, glVertexAttrib4ubvNV)               \
    X(PFNGLVERTEXATTRIBS1DVNVPROC, glVertexAttribs1dvNV)               \
    X(PFNGLVERTEXATTRIBS1FVNVPROC, glVertexAttribs1fvNV)               \
    X(PFNGLVERTEXATTRIBS1SVNVPROC, glVertexAttribs1svNV)               \
    X(PFNGLVERTEXATTRIBS2DVNVPROC, glVertexAttribs2dvNV)               \
    X(PFNGLVERTEXATTRIBS2FVNVPROC, glVertexAttribs2fvNV)               \
    X(PFNGLVERTEXATTRIBS2SVNVPROC, glVertexAttribs2svNV)               \
    X(PFNGLVERTEXATTRIBS3DVNVPROC, glVertexAttribs3dvNV)               \
    X(PFNGLVERTEXATTRIBS3FVNVPROC, glVertexAttribs3fvNV)               \
    X(PFNGLVERTEXATTRIBS3SVNVPROC, glVertexAttribs3svNV)               \
    X(PFNGLVERTEXATTRIBS4DVNVPROC, glVertexAttribs4dvNV)               \
    X(PFNGLVERTEXATTRIBS4FVNVPROC, glVertexAttribs4fvNV)               \
    X(PFNGLVERTEXATTRIBS4SVNVPROC, glVertexAttribs4svNV)               \
    X(PFNGLVERTEXATTRIBS4UBVNVPROC, glVertexAttribs4ubvNV)

// GL_NV_register_combiners
#define BRX_GL_REGISTER_COMBINERS_ENTRIES(X)                                             \
    X(PFNGLCOMBINERPARAMETERFVNVPROC, glCombinerParameterfvNV)                           \
    X(PFNGLCOMBINERPARAMETERFNVPROC, glCombinerParameterfNV)                             \
    X(PFNGLCOMBINERPARAMETERIVNVPROC, glCombinerParameterivNV)                           \
    X(PFNGLCOMBINERPARAMETERINVPROC, glCombinerParameteriNV)                             \
    X(PFNGLCOMBINERINPUTNVPROC, glCombinerInputNV)                                       \
    X(PFNGLCOMBINEROUTPUTNVPROC, glCombinerOutputNV)                                     \
    X(PFNGLFINALCOMBINERINPUTNVPROC, glFinalCombinerInputNV)                             \
    X(PFNGLGETCOMBINERINPUTPARAMETERFVNVPROC, glGetCombinerInputParameterfvNV)           \
    X(PFNGLGETCOMBINERINPUTPARAMETERIVNVPROC, glGetCombinerInputParameterivNV)           \
    X(PFNGLGETCOMBINEROUTPUTPARAMETERFVNVPROC, glGetCombinerOutputParameterfvNV)         \
    X(PFNGLGETCOMBINEROUTPUTPARAMETERIVNVPROC, glGetCombinerOutputParameterivNV)         \
    X(PFNGLGETFINALCOMBINERINPUTPARAMETERFVNVPROC, glGetFinalCombinerInputParameterfvNV) \
    X(PFNGLGETFINALCOMBINERINPUTPARAMETERIVNVPROC, glGetFinalCombinerInputParameterivNV)

// The cube-map extensions bring no entry points of their own.
#define BRX_GL_ALL_EXTENSION_ENTRIES(X) \
    BRX_GL_FOG_COORD_ENTRIES(X)         \
    BRX_GL_MULTITEXTURE_ENTRIES(X)      \
    BRX_GL_POINT_PARAMETER_ENTRIES(X)   \
    BRX_GL_POINT_SPRITE_ENTRIES(X)      \
    BRX_GL_VERTEX_PROGRAM_ENTRIES(X)    \
    BRX_GL_REGISTER_COMBINERS_ENTRIES(X)

#define BRX_DECLARE_GL_ENTRY(type, name) extern type name;
BRX_GL_ALL_EXTENSION_ENTRIES(BRX_DECLARE_GL_ENTRY)
#undef BRX_DECLARE_GL_ENTRY

// The multitexture extension the model renderer uses for a second texture layer.
inline constexpr const char* kMultitextureExtension = "GL_ARB_multitexture";

// True when name is a whole word of the space-separated list; an empty name or one with a
// space never is. A longer name that merely starts with name does not count.
bool extensionListHas(const char* extensionList, const char* name);
// True when the current context's GL_EXTENSIONS string lists name as a whole word.
bool isExtensionSupported(const char* name);
// Fetches the entry points of name (those the driver lacks stay null). False when the
// extension is not supported; an extension without entry points of its own is just accepted.
bool initExtension(const char* name);
// Sets every entry point back to null (the context they came from is gone).
void releaseExtensions();
// True when the multitexture entry points the model renderer calls are loaded; without them
// it draws only the first texture layer.
bool hasMultitexture();

}  // namespace brx
