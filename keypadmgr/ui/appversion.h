// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

/** The version shown to the user, in the splash, the About box and the update check. */
namespace AppVersion {
inline constexpr char version[] = "1.3";
inline constexpr int buildDate = 20131127;
inline constexpr char buildNumber[] = "196";
inline constexpr int major = 1;
inline constexpr int minor = 3;
inline constexpr int revision = 0;
/** The release type of this build in the update server's version file: 3, "Gold". */
inline constexpr int releaseType = 3;
inline constexpr char organizationName[] = "Halvane Lighting";
inline constexpr char organizationDomain[] = "halvane-lighting.com";
inline constexpr char applicationName[] = "Lumetra Keypad Effect Manager";
/** Where users get help, as in the package's metadata. */
inline constexpr char supportAddress[] = "support@halvane-lighting.com";
inline constexpr char homePage[] = "https://www.halvane-lighting.com/";
/** The desktop entry and AppStream id (reverse domain name). */
inline constexpr char desktopFileName[] = "com.halvane_lighting.keypadmgr";
} // namespace AppVersion
