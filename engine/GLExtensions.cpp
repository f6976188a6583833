#include "engine/GLExtensions.h"

#include <cstring>
#include <string_view>

#include "platform/Platform.h"

namespace brx {

#define BRX_DEFINE_GL_ENTRY(type, name) type name = nullptr;
BRX_GL_ALL_EXTENSION_ENTRIES(BRX_DEFINE_GL_ENTRY)
#undef BRX_DEFINE_GL_ENTRY

namespace {

// Where a fetched entry point goes.
struct EntrySlot {
    const char* name;
    void (**slot)();
};

struct ExtensionEntries {
    const char* extension;
    const EntrySlot* first;
    const EntrySlot* last;
};

#define BRX_GL_ENTRY_SLOT(type, name) {#name, reinterpret_cast<void (**)()>(&name)},
const EntrySlot kFogCoord[] = {BRX_GL_FOG_COORD_ENTRIES(BRX_GL_ENTRY_SLOT)};
const EntrySlot kMultitexture[] = {BRX_GL_MULTITEXTURE_ENTRIES(BRX_GL_ENTRY_SLOT)};
const EntrySlot kPointParameter[] = {BRX_GL_POINT_PARAMETER_ENTRIES(BRX_GL_ENTRY_SLOT)};
const EntrySlot kPointSprite[] = {BRX_GL_POINT_SPRITE_ENTRIES(BRX_GL_ENTRY_SLOT)};
const EntrySlot kVertexProgram[] = {BRX_GL_VERTEX_PROGRAM_ENTRIES(BRX_GL_ENTRY_SLOT)};
const EntrySlot kRegisterCombiners[] = {BRX_GL_REGISTER_COMBINERS_ENTRIES(BRX_GL_ENTRY_SLOT)};
const EntrySlot kAllEntries[] = {BRX_GL_ALL_EXTENSION_ENTRIES(BRX_GL_ENTRY_SLOT)};
#undef BRX_GL_ENTRY_SLOT

template <size_t N>
constexpr ExtensionEntries entriesOf(const char* extension, const EntrySlot (&slots)[N]) {
    return {extension, slots, slots + N};
}

// The vertex-program name is matched as written although the entry points are NV ones.
const ExtensionEntries kExtensions[] = {
    entriesOf("GL_EXT_fog_coord", kFogCoord),
    entriesOf(kMultitextureExtension, kMultitexture),
    entriesOf("GL_EXT_point_parameter", kPointParameter),
    entriesOf("GL_NV_point_sprite", kPointSprite),
    entriesOf("GL_EXT_vertex_program", kVertexProgram),
    entriesOf("GL_NV_register_combiners", kRegisterCombiners),
};

void fetch(const EntrySlot* first, const EntrySlot* last) {
    for (const EntrySlot* entry = first; entry != last; ++entry)
        *entry->slot = reinterpret_cast<void (*)()>(platform::glProcAddress(entry->name));
}

}  // namespace

bool extensionListHas(const char* extensionList, const char* name) {
    if (extensionList == nullptr || name == nullptr) return false;
    const std::string_view wanted(name);
    if (wanted.empty() || wanted.find(' ') != std::string_view::npos) return false;
    const std::string_view list(extensionList);
    for (size_t at = list.find(wanted); at != std::string_view::npos;
         at = list.find(wanted, at + 1)) {
        const size_t end = at + wanted.size();
        const bool startsWord = at == 0 || list[at - 1] == ' ';
        const bool endsWord = end == list.size() || list[end] == ' ';
        if (startsWord && endsWord) return true;
    }
    return false;
}

bool isExtensionSupported(const char* name) {
    const GLubyte* list = glGetString(GL_EXTENSIONS);
    return extensionListHas(reinterpret_cast<const char*>(list), name);
}

bool initExtension(const char* name) {
    if (!isExtensionSupported(name)) return false;
    for (const ExtensionEntries& extension : kExtensions) {
        if (std::strcmp(extension.extension, name) == 0) fetch(extension.first, extension.last);
    }
    return true;
}

void releaseExtensions() {
    for (const EntrySlot& entry : kAllEntries) *entry.slot = nullptr;
}

bool hasMultitexture() {
    return glActiveTextureARB != nullptr && glMultiTexCoord2fARB != nullptr &&
           glMultiTexCoord2fvARB != nullptr;
}

}  // namespace brx
