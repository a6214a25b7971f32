// SPDX-License-Identifier: GPL-3.0-or-later
// Placeholder until the keypad link lands.
namespace { [[maybe_unused]] constexpr int devicePlaceholder = 0; }
