#pragma once

namespace quillery {

// The product's name as the user sees it in captions and files.
inline constexpr const char16_t* ProductName = u"Tollvern Quillery";
// The maker's web site, shown in the About box and written into shelf files.
inline constexpr const char16_t* ProductHomePage = u"https://www.tollvern.example/quillery/";

// The maker's web site and the copyright line of the About box.
inline constexpr const char16_t* MakerWebSite = u"https://www.tollvern.example/";
inline constexpr const char16_t* CopyrightLine =
    u"Copyright \u00A9 2026 Tollvern. All rights reserved.";

} // namespace quillery
