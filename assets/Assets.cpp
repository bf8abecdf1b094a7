// SPDX-License-Identifier: MIT
// The library of compiled-in pictures and sounds; its resources register themselves at start-up.
namespace morvek_assets_anchor {
// A static library needs one object of its own besides the resource objects.
int anchor = 0;
} // namespace morvek_assets_anchor
