// SPDX-License-Identifier: GPL-3.0-or-later
// Placeholder until the scene model lands.
namespace { [[maybe_unused]] constexpr int modelPlaceholder = 0; }
