// The light the options preview and the help screen show their blocks in: one white light with
// a grey ambient part, in front of the blocks, lit one-sided from a local viewer, depth-tested.
#pragma once

namespace brx {

class Vector3;

// Sets light 0 at the given world position (lights 1 and 2 off), lighting, normalisation and
// the depth test on; colour material, face culling and blending off.
void lightBlocks(const Vector3& lightPosition);
// Turns the lighting this set up off again.
void unlightBlocks();

}  // namespace brx
